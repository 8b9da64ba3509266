// SPDX-License-Identifier: GPL-3.0-or-later
#include "MultiPortRunner.h"

#include "ImageFile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <exception>
#include <set>
#include <sstream>
#include <system_error>
#include <thread>

#include "PortFactory.h"

namespace {
// Exit statuses ranked from best to worst.
constexpr int kRanking[] = {0, 1, 3, 4, 2};
// What a port's run that threw is reported as: a device failure.
constexpr int kDeviceFailure = 3;

int Rank(int status) {
    const auto found = std::find(std::begin(kRanking), std::end(kRanking), status);
    return found == std::end(kRanking) ? static_cast<int>(std::size(kRanking))
                                       : static_cast<int>(found - std::begin(kRanking));
}

// Each line of `text` with `prefix` before it; a last line without its line
// feed gets one.
void PrintPrefixed(std::ostream& stream, const std::string& prefix, const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        stream << prefix << line << "\n";
    }
}

// What one port's thread leaves behind.
struct PortOutcome {
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
};

// The JSON object that `outcome` printed, or one saying that it failed.
QJsonObject JsonResult(const std::string& port, const PortOutcome& outcome) {
    const QByteArray printed = QByteArray::fromStdString(outcome.out.str());
    const QJsonDocument document = QJsonDocument::fromJson(printed);
    if (document.isObject()) {
        return document.object();
    }
    return {{"port", QString::fromStdString(port)},
            {"result", "failed"},
            {"exit", outcome.status},
            {"message", QString::fromStdString(outcome.err.str()).trimmed()}};
}
}  // namespace

std::vector<std::string> MultiPortRunner::ChoosePortNames(const QStringList& options,
                                                          QString& problem) {
    const bool fromOptions = !options.isEmpty();
    const QStringList names =
        fromOptions ? options : QString::fromStdString(PortFactory::ChoosePortName({})).split(',');
    std::vector<std::string> ports;
    std::set<std::string> seen;
    for (const QString& name : names) {
        // "a, b" in the environment means "a" and "b"; an option is taken as given.
        const std::string port = (fromOptions ? name : name.trimmed()).toStdString();
        if (!fromOptions && !ImageFile::NameProblem(name).isEmpty()) {
            problem = QStringLiteral("TARNEL_PORT: ") + ImageFile::NameProblem(name);
            return {};
        }
        if (port.empty()) {
            problem = fromOptions
                          ? QCoreApplication::translate("MultiPortRunner",
                                                        "The port name given with --port is empty.")
                          : QCoreApplication::translate("MultiPortRunner",
                                                        "TARNEL_PORT holds an empty port name.");
            return {};
        }
        const bool ownSwitch = port == "sim" || port == "i2c:sim";
        if (!ownSwitch && !seen.insert(port).second) {
            problem = QCoreApplication::translate("MultiPortRunner", "The port %1 is named twice.")
                          .arg(QString::fromStdString(port));
            return {};
        }
        ports.push_back(port);
    }
    return ports;
}

int MultiPortRunner::Run(const std::vector<std::string>& ports, const PortRun& run,
                         std::ostream& out, std::ostream& err, bool json) {
    std::vector<PortOutcome> outcomes(ports.size());
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < ports.size(); ++i) {
            PortOutcome& outcome = outcomes[i];
            try {
                threads.emplace_back([&run, &port = ports[i], &outcome] {
                    try {
                        outcome.status = run(port, outcome.out, outcome.err);
                    } catch (const std::exception& error) {
                        outcome.err << "tarnel-cli: " << error.what() << "\n";
                        outcome.status = kDeviceFailure;
                    } catch (...) {
                        outcome.err << "tarnel-cli: "
                                    << QCoreApplication::translate(
                                           "MultiPortRunner", "the port failed in an unknown way.")
                                           .toStdString()
                                    << "\n";
                        outcome.status = kDeviceFailure;
                    }
                });
            } catch (const std::system_error& error) {
                outcome.err << "tarnel-cli: "
                            << QCoreApplication::translate(
                                   "MultiPortRunner", "cannot start a thread for this port: %1")
                                   .arg(QString::fromLocal8Bit(error.what()))
                                   .toStdString()
                            << "\n";
                outcome.status = kDeviceFailure;
            }
        }
    }  // every thread is joined here
    int worst = 0;
    QJsonArray objects;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const std::string prefix = ports[i] + ": ";
        PrintPrefixed(err, prefix, outcomes[i].err.str());
        if (json) {
            objects.append(JsonResult(ports[i], outcomes[i]));
        } else {
            PrintPrefixed(out, prefix, outcomes[i].out.str());
        }
        worst = Worse(worst, outcomes[i].status);
    }
    if (json) {
        out << QJsonDocument(objects).toJson(QJsonDocument::Compact).toStdString() << "\n";
    }
    out.flush();
    err.flush();
    return worst;
}

int MultiPortRunner::Worse(int a, int b) {
    return Rank(a) >= Rank(b) ? a : b;
}
