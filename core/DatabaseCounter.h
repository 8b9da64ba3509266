// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Counter.h"
#include "Database.h"

// A counter kept as a row of the table tarnel_counter in a PostgreSQL
// database, named by the part of its URI after '#'
// (postgresql://HOST/DB?...#NAME). A value is taken with one UPDATE ...
// RETURNING in a transaction of its own, so any number of stations share
// the counter; voided values are rows of tarnel_counter_void. The first call
// connects (sharing the process's connection to the database).
class DatabaseCounter : public Counter {
public:
    explicit DatabaseCounter(const QString& source);

    // What is wrong with the source: no name after '#'; empty when nothing is.
    static QString SourceProblem(const QString& source);

    bool Create(const State& state) override;
    bool Read(State& state) override;
    Outcome Take(uint64_t& value) override;
    bool Void(uint64_t value) override;

private:
    // Connects when not connected yet.
    bool Reach();
    // Sets ErrorText from the database's failure `error` and returns false.
    bool DatabaseFailed(const QString& error);

    QString m_uri;
    QString m_counter;
    QString m_problem;  // what is wrong with the source
    std::shared_ptr<Database> m_database;
};
