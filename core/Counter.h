// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// A counter that gives each of the values FIRST to LAST at most once, to
// stamp one unit each: a value is taken durably before it is used, so that a
// crash loses a value and never repeats one, and a value whose unit failed
// is voided (recorded, never given again). Kept in a file (FileCounter) or
// in a PostgreSQL database (DatabaseCounter).
class Counter {
public:
    // What a counter holds.
    struct State {
        uint64_t first = 0;
        uint64_t last = 0;
        std::optional<uint64_t> next;  // none when every value has been given
        std::vector<uint64_t> voided;  // in the order they were voided
        int hexDigits = 0;             // values are shown as 0x and so many digits; 0: in decimal

        // How many values are left to give
        // (UINT64_MAX stands for 2^64, all 64-bit values.)
        uint64_t Left() const;
    };
    enum class Outcome { done, exhausted, failed };

    virtual ~Counter() = default;

    // The counter `source` names: a PostgreSQL URI (postgresql:// or
    // postgres://, the counter's name after '#'), or else a file.
    static std::unique_ptr<Counter> ForSource(const QString& source);
    // Whether `source` is a PostgreSQL URI rather than a file name.
    static bool IsDatabase(const QString& source);
    // A value in decimal or as 0x and up to 16 hexadecimal digits; nothing
    // for any other text. `hexDigits` gets the number of digits of a 0x value
    // (0 for decimal).
    static std::optional<uint64_t> ParseValue(const QString& text, int* hexDigits = nullptr);
    // `value` in the form of `state`.
    static QString ValueText(const State& state, uint64_t value);
    // The counter as text (next, last, how many are left, voided values) or
    // as JSON.
    static QString StateText(const State& state);
    static QJsonObject StateJson(const State& state);

    // Makes the counter with the values of `state`; fails when one is there.
    virtual bool Create(const State& state) = 0;
    // Reads what the counter holds into `state`.
    virtual bool Read(State& state) = 0;
    // Takes the next value into `value`, durably, before it is used;
    // exhausted (with the message) when none is left.
    virtual Outcome Take(uint64_t& value) = 0;
    // Records `value`, taken before, as void: its unit failed.
    virtual bool Void(uint64_t value) = 0;

    // The counter's name for messages (a URI without its password).
    QString Name() const { return m_name; }
    // What went wrong in the last call, for the user.
    const QString& ErrorText() const { return m_error; }

protected:
    explicit Counter(QString name) : m_name(std::move(name)) {}
    // Sets the message of an exhausted counter and returns exhausted.
    Outcome Exhausted(const State& state);
    // Sets ErrorText to `message` and returns false.
    bool Failed(const QString& message);

    QString m_error;

private:
    QString m_name;
};
