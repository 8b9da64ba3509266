// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

struct pg_conn;
class LibPq;

// A connection to a PostgreSQL database through libpq (LibPq), for the counters and
// the audit log kept there. The URI goes to libpq as it is; without a
// connect_timeout of its own, connecting gives up after kConnectTimeout
// seconds. The tables are made on first use (kTables).
class Database {
public:
    using Row = std::vector<QString>;  // a NULL is an empty text
    static constexpr int kConnectTimeout = 5;
    // The tables tarnel keeps, made when they are not there yet.
    static constexpr const char* kTables = R"sql(CREATE TABLE IF NOT EXISTS tarnel_counter (
    name text PRIMARY KEY,
    first numeric(20) NOT NULL,
    last numeric(20) NOT NULL,
    next numeric(20) NOT NULL,  -- last + 1 once every value has been given
    hex_digits integer NOT NULL DEFAULT 0,  -- values shown as 0x and so many digits; 0: decimal
    CHECK (first >= 0 AND first <= last AND last < 18446744073709551616
           AND next >= first AND next <= last + 1)
);
CREATE TABLE IF NOT EXISTS tarnel_counter_void (
    counter text NOT NULL REFERENCES tarnel_counter (name),
    value numeric(20) NOT NULL,
    time timestamptz NOT NULL DEFAULT now(),
    host text NOT NULL,
    PRIMARY KEY (counter, value)
);
CREATE TABLE IF NOT EXISTS tarnel_log (
    id bigserial PRIMARY KEY,
    time timestamptz NOT NULL,
    host text NOT NULL,
    operation text NOT NULL,
    port text,
    result text NOT NULL,
    record jsonb NOT NULL
);)sql";

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Whether `text` is a PostgreSQL URI (postgresql:// or postgres://).
    static bool IsUri(const QString& text);
    // `uri` without a password (in its user part or as a parameter), for
    // messages and records.
    static QString HidePassword(const QString& uri);

    // The connection to `uri` that every user of it in this process shares
    // (the ports of one run, each on a thread of its own), connected when
    // the first asks for it; null, with `error`, when it cannot be made.
    static std::shared_ptr<Database> Shared(const QString& uri, QString& error);

    // Connects to `uri` and makes the tables that are missing (under an
    // advisory lock, so that programs starting at once do not collide).
    // Returns false, with `error`, when it cannot.
    bool Connect(const QString& uri, QString& error);
    // Runs the one statement `sql` with the text parameters `parameters`
    // ($1, $2, ...) in a transaction of its own, one caller at a time; the
    // rows it returns go to `rows`. Returns false, with libpq's message on
    // one line in `error`, when it failed.
    bool Execute(const char* sql, const QStringList& parameters, QString& error,
                 std::vector<Row>* rows = nullptr);

private:
    // Makes the tables that are missing, under an advisory lock.
    bool MakeTables(QString& error);
    // Sets `error` to libpq's message and returns false.
    bool Failed(QString& error) const;

    const LibPq* m_pq = nullptr;  // set once a connection was tried
    pg_conn* m_connection = nullptr;
    std::mutex m_mutex;  // held while the connection is in use
};
