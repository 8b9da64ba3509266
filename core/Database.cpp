// SPDX-License-Identifier: GPL-3.0-or-later
#include "Database.h"

#include <libpq-fe.h>

#include <QByteArray>
#include <QRegularExpression>
#include <map>
#include <string>

Database::~Database() {
    if (m_connection != nullptr) {
        PQfinish(m_connection);
    }
}

bool Database::IsUri(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://")) ||
           text.startsWith(QLatin1String("postgres://"));
}

QString Database::HidePassword(const QString& uri) {
    QString hidden = uri;
    hidden.replace(QRegularExpression(QStringLiteral("^(postgres(?:ql)?://[^/@:]*):[^/@]*@")),
                   QStringLiteral("\\1@"));
    hidden.replace(QRegularExpression(QStringLiteral("([?&]password=)[^&#]*")),
                   QStringLiteral("\\1..."));
    return hidden;
}

std::shared_ptr<Database> Database::Shared(const QString& uri, QString& error) {
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<Database>> connections;
    const std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<Database> database = connections[uri].lock();
    if (!database) {
        database = std::make_shared<Database>();
        if (!database->Connect(uri, error)) {
            return nullptr;
        }
        connections[uri] = database;
    }
    return database;
}

bool Database::Connect(const QString& uri, QString& error) {
    const QByteArray dbname = uri.toUtf8();
    const std::string timeout = std::to_string(kConnectTimeout);
    // Keywords that come later win: the URI's own connect_timeout overrides
    // this one.
    const char* const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {timeout.c_str(), dbname.constData(), nullptr};
    if (m_connection != nullptr) {
        PQfinish(m_connection);
    }
    m_connection = PQconnectdbParams(keywords, values, 1);
    if (m_connection == nullptr || PQstatus(m_connection) != CONNECTION_OK) {
        return Failed(error);
    }
    // Quiet: the notices of tables that are there already are of no use.
    PQsetNoticeProcessor(
        m_connection, [](void*, const char*) {}, nullptr);
    // Made already (the usual case): no lock, no DDL.
    PGresult* present = PQexec(m_connection,
                               "SELECT to_regclass('tarnel_counter') IS NOT NULL AND "
                               "to_regclass('tarnel_counter_void') IS NOT NULL AND "
                               "to_regclass('tarnel_log') IS NOT NULL");
    const bool there = PQresultStatus(present) == PGRES_TUPLES_OK && PQntuples(present) == 1 &&
                       PQgetvalue(present, 0, 0)[0] == 't';
    PQclear(present);
    return there || MakeTables(error);
}

bool Database::MakeTables(QString& error) {
    const QString lock =
        QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(hashtext('tarnel tables')); %1 COMMIT;")
            .arg(QString::fromLatin1(kTables));
    PGresult* result = PQexec(m_connection, lock.toUtf8().constData());
    const bool made = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    if (!made) {
        Failed(error);
        PQclear(PQexec(m_connection, "ROLLBACK"));
    }
    return made;
}

bool Database::Execute(const char* sql, const QStringList& parameters, QString& error,
                       std::vector<Row>* rows) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_connection == nullptr) {
        return Failed(error);
    }
    std::vector<QByteArray> texts;
    std::vector<const char*> values;
    for (const QString& parameter : parameters) {
        texts.push_back(parameter.toUtf8());
    }
    for (const QByteArray& text : texts) {
        values.push_back(text.constData());
    }
    PGresult* result = PQexecParams(m_connection, sql, static_cast<int>(values.size()), nullptr,
                                    values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        PQclear(result);
        return Failed(error);
    }
    if (rows != nullptr) {
        rows->clear();
        for (int row = 0; row < PQntuples(result); ++row) {
            Row fields;
            for (int column = 0; column < PQnfields(result); ++column) {
                fields.push_back(QString::fromUtf8(PQgetvalue(result, row, column)));
            }
            rows->push_back(fields);
        }
    }
    PQclear(result);
    return true;
}

bool Database::Failed(QString& error) const {
    const char* message = m_connection != nullptr ? PQerrorMessage(m_connection) : "out of memory";
    error = QString::fromUtf8(message).simplified();
    return false;
}
