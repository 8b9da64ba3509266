// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatabaseCounter.h"

#include <QCoreApplication>
#include <QSysInfo>

DatabaseCounter::DatabaseCounter(const QString& source)
    : Counter(Database::HidePassword(source)),
      m_uri(source.section(QLatin1Char('#'), 0, -2)),
      m_counter(source.section(QLatin1Char('#'), -1)),
      m_problem(SourceProblem(source)) {}

QString DatabaseCounter::SourceProblem(const QString& source) {
    if (!source.contains(QLatin1Char('#')) || source.section(QLatin1Char('#'), -1).isEmpty()) {
        return QCoreApplication::translate("Counter",
                                           "A counter in a database is named after #, as in "
                                           "postgresql://HOST/DB#NAME; %1 names none.")
            .arg(Database::HidePassword(source));
    }
    return {};
}

bool DatabaseCounter::Create(const State& state) {
    if (!Reach()) {
        return false;
    }
    QString error;
    std::vector<Database::Row> rows;
    if (!m_database->Execute("INSERT INTO tarnel_counter (name, first, last, next, hex_digits) "
                             "VALUES ($1, $2, $3, $2, $4) ON CONFLICT (name) DO NOTHING "
                             "RETURNING name",
                             {m_counter, QString::number(state.first), QString::number(state.last),
                              QString::number(state.hexDigits)},
                             error, &rows)) {
        return DatabaseFailed(error);
    }
    return !rows.empty() ||
           Failed(QCoreApplication::translate("Counter", "counter %1 exists already.").arg(Name()));
}

bool DatabaseCounter::Read(State& state) {
    if (!Reach()) {
        return false;
    }
    // One statement, so that the counter and its voided values agree.
    QString error;
    std::vector<Database::Row> rows;
    if (!m_database->Execute(
            "SELECT c.first, c.last, c.next, c.hex_digits, v.value FROM tarnel_counter c "
            "LEFT JOIN tarnel_counter_void v ON v.counter = c.name WHERE c.name = $1 "
            "ORDER BY v.time, v.value",
            {m_counter}, error, &rows)) {
        return DatabaseFailed(error);
    }
    if (rows.empty()) {
        return Failed(
            QCoreApplication::translate("Counter",
                                        "counter %1 is not there; make it with tarnel-cli counter "
                                        "create.")
                .arg(Name()));
    }
    const Database::Row& row = rows.front();
    state = {};
    state.first = row[0].toULongLong();
    state.last = row[1].toULongLong();
    state.hexDigits = row[3].toInt();
    // next is last + 1 once every value has been given, which may not fit
    // into 64 bits.
    bool parsed = false;
    const qulonglong next = row[2].toULongLong(&parsed);
    if (parsed && next <= state.last) {
        state.next = next;
    }
    for (const Database::Row& voided : rows) {
        if (!voided[4].isEmpty()) {
            state.voided.push_back(voided[4].toULongLong());
        }
    }
    return true;
}

Counter::Outcome DatabaseCounter::Take(uint64_t& value) {
    if (!Reach()) {
        return Outcome::failed;
    }
    QString error;
    std::vector<Database::Row> rows;
    if (!m_database->Execute("UPDATE tarnel_counter SET next = next + 1 "
                             "WHERE name = $1 AND next <= last RETURNING next - 1",
                             {m_counter}, error, &rows)) {
        DatabaseFailed(error);
        return Outcome::failed;
    }
    if (!rows.empty()) {
        value = rows.front()[0].toULongLong();
        return Outcome::done;
    }
    State state;
    if (!Read(state)) {
        return Outcome::failed;
    }
    return Exhausted(state);
}

bool DatabaseCounter::Void(uint64_t value) {
    if (!Reach()) {
        return false;
    }
    QString error;
    return m_database->Execute(
               "INSERT INTO tarnel_counter_void (counter, value, host) VALUES ($1, $2, $3)",
               {m_counter, QString::number(value), QSysInfo::machineHostName()}, error) ||
           DatabaseFailed(error);
}

bool DatabaseCounter::Reach() {
    if (!m_problem.isEmpty()) {
        return Failed(m_problem);
    }
    QString error;
    if (!m_database) {
        m_database = Database::Shared(m_uri, error);
    }
    return m_database || DatabaseFailed(error);
}

bool DatabaseCounter::DatabaseFailed(const QString& error) {
    return Failed(
        QCoreApplication::translate("Counter", "Cannot use counter %1: %2").arg(Name(), error));
}
