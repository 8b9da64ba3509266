// SPDX-License-Identifier: GPL-3.0-or-later
#include "CounterTool.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <algorithm>
#include <ostream>

#include "Counter.h"
#include "DatabaseCounter.h"
#include "JsonForms.h"

namespace {
constexpr int kUsage = 2;
constexpr int kFailure = 4;

int Report(std::ostream& err, const QString& message, int exit) {
    err << "tarnel-cli: " << message.toStdString() << "\n";
    return exit;
}
}  // namespace

int CounterTool::Run(const QStringList& words, bool json, bool quiet, std::ostream& out,
                     std::ostream& err) {
    const QString action = words.value(0);
    const QString source = words.value(1);
    const bool create = action == QLatin1String("create") && words.size() == 4;
    if (!create && !(action == QLatin1String("show") && words.size() == 2)) {
        return Report(err,
                      QCoreApplication::translate(
                          "CounterTool",
                          "counter takes create SOURCE FIRST LAST or show SOURCE (see "
                          "--help)."),
                      kUsage);
    }
    if (Counter::IsDatabase(source)) {
        if (const QString problem = DatabaseCounter::SourceProblem(source); !problem.isEmpty()) {
            return Report(err, problem, kUsage);
        }
    } else if (source.isEmpty()) {
        return Report(err,
                      QCoreApplication::translate(
                          "CounterTool", "counter needs a SOURCE: a file or a postgresql:// URI."),
                      kUsage);
    }
    const std::unique_ptr<Counter> counter = Counter::ForSource(source);
    Counter::State state;
    if (create) {
        int digits = 0;
        int lastDigits = 0;
        const std::optional<uint64_t> first = Counter::ParseValue(words[2], &digits);
        const std::optional<uint64_t> last = Counter::ParseValue(words[3], &lastDigits);
        if (!first || !last || *first > *last) {
            return Report(
                err,
                QCoreApplication::translate("CounterTool",
                                            "counter create takes FIRST and LAST, decimal or 0x "
                                            "hexadecimal up to 64 bits, FIRST not above LAST."),
                kUsage);
        }
        state = {*first, *last, *first, {}, std::max(digits, lastDigits)};
        if (!counter->Create(state)) {
            return Report(err, counter->ErrorText(), kFailure);
        }
    } else if (!counter->Read(state)) {
        return Report(err, counter->ErrorText(), kFailure);
    }
    if (json) {
        QJsonObject object = Counter::StateJson(state);
        object.insert("counter", counter->Name());
        out << JsonForms::Line(object).toStdString();
    } else if (!quiet) {
        out << QCoreApplication::translate("CounterTool", "counter %1\n")
                   .arg(counter->Name())
                   .toStdString()
            << Counter::StateText(state).toStdString();
    }
    return 0;
}
