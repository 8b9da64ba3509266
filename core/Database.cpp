// SPDX-License-Identifier: GPL-3.0-or-later
#include "Database.h"

#include <QByteArray>
#include <QRegularExpression>
#include <map>
#include <string>

#include "LibPq.h"

Database::~Database() {
    if (m_connection != nullptr) {
        m_pq->finish(m_connection);
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
        m_pq->finish(m_connection);
        m_connection = nullptr;
    }
    m_pq = LibPq::Get(error);
    if (m_pq == nullptr) {
        return false;
    }
    m_connection = m_pq->connectdbParams(keywords, values, 1);
    if (m_connection == nullptr || m_pq->status(m_connection) != CONNECTION_OK) {
        return Failed(error);
    }
    // Quiet: the notices of tables that are there already are of no use.
    m_pq->setNoticeProcessor(
        m_connection, [](void*, const char*) {}, nullptr);
    // Made already (the usual case): no lock, no DDL.
    PGresult* present = m_pq->exec(m_connection,
                                   "SELECT to_regclass('tarnel_counter') IS NOT NULL AND "
                                   "to_regclass('tarnel_counter_void') IS NOT NULL AND "
                                   "to_regclass('tarnel_log') IS NOT NULL");
    const bool there = m_pq->resultStatus(present) == PGRES_TUPLES_OK &&
                       m_pq->ntuples(present) == 1 && m_pq->getvalue(present, 0, 0)[0] == 't';
    m_pq->clear(present);
    return there || MakeTables(error);
}

bool Database::MakeTables(QString& error) {
    const QString lock =
        QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(hashtext('tarnel tables')); %1 COMMIT;")
            .arg(QString::fromLatin1(kTables));
    PGresult* result = m_pq->exec(m_connection, lock.toUtf8().constData());
    const bool made = m_pq->resultStatus(result) == PGRES_COMMAND_OK;
    m_pq->clear(result);
    if (!made) {
        Failed(error);
        m_pq->clear(m_pq->exec(m_connection, "ROLLBACK"));
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
    PGresult* result = m_pq->execParams(m_connection, sql, static_cast<int>(values.size()), nullptr,
                                        values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = m_pq->resultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        m_pq->clear(result);
        return Failed(error);
    }
    if (rows != nullptr) {
        rows->clear();
        for (int row = 0; row < m_pq->ntuples(result); ++row) {
            Row fields;
            for (int column = 0; column < m_pq->nfields(result); ++column) {
                fields.push_back(QString::fromUtf8(m_pq->getvalue(result, row, column)));
            }
            rows->push_back(fields);
        }
    }
    m_pq->clear(result);
    return true;
}

bool Database::Failed(QString& error) const {
    const char* message =
        m_connection != nullptr ? m_pq->errorMessage(m_connection) : "out of memory";
    error = QString::fromUtf8(message).simplified();
    return false;
}
