// SPDX-License-Identifier: GPL-3.0-or-later
#include "Counter.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QStringList>
#include <algorithm>
#include <limits>

#include "Database.h"
#include "DatabaseCounter.h"
#include "FileCounter.h"

uint64_t Counter::State::Left() const {
    if (!next || *next > last) {
        return 0;
    }
    const uint64_t span = last - *next;
    return span == std::numeric_limits<uint64_t>::max() ? span : span + 1;
}

std::unique_ptr<Counter> Counter::ForSource(const QString& source) {
    if (IsDatabase(source)) {
        return std::make_unique<DatabaseCounter>(source);
    }
    return std::make_unique<FileCounter>(source);
}

bool Counter::IsDatabase(const QString& source) {
    return Database::IsUri(source);
}

std::optional<uint64_t> Counter::ParseValue(const QString& text, int* hexDigits) {
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? text.mid(2) : text;
    const QString allowed =
        hex ? QStringLiteral("0123456789abcdefABCDEF") : QStringLiteral("0123456789");
    if (digits.isEmpty() || (hex && digits.size() > 16) ||
        !std::all_of(digits.begin(), digits.end(), [&](QChar c) { return allowed.contains(c); })) {
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, hex ? 16 : 10);
    if (!ok) {
        return std::nullopt;
    }
    if (hexDigits != nullptr) {
        *hexDigits = hex ? static_cast<int>(digits.size()) : 0;
    }
    return value;
}

QString Counter::ValueText(const State& state, uint64_t value) {
    if (state.hexDigits == 0) {
        return QString::number(value);
    }
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, state.hexDigits, 16, QLatin1Char('0')).toUpper();
}

QString Counter::StateText(const State& state) {
    QStringList voided;
    for (uint64_t value : state.voided) {
        voided << ValueText(state, value);
    }
    const QString next =
        state.next ? ValueText(state, *state.next) : QCoreApplication::translate("Counter", "none");
    return QCoreApplication::translate("Counter", "first %1\nlast %2\nnext %3\nleft %4\nvoid %5\n")
        .arg(ValueText(state, state.first), ValueText(state, state.last), next,
             QString::number(state.Left()),
             voided.isEmpty() ? QCoreApplication::translate("Counter", "none")
                              : voided.join(QLatin1Char(' ')));
}

QJsonObject Counter::StateJson(const State& state) {
    QJsonArray voided;
    for (uint64_t value : state.voided) {
        voided.append(ValueText(state, value));
    }
    return {{"first", ValueText(state, state.first)},
            {"last", ValueText(state, state.last)},
            {"next", state.next ? QJsonValue(ValueText(state, *state.next)) : QJsonValue()},
            {"left", QString::number(state.Left())},
            {"void", voided}};
}

Counter::Outcome Counter::Exhausted(const State& state) {
    m_error = QCoreApplication::translate("Counter", "counter %1 has no values left: last was %2")
                  .arg(m_name, ValueText(state, state.last));
    return Outcome::exhausted;
}

bool Counter::Failed(const QString& message) {
    m_error = message;
    return false;
}
