// SPDX-License-Identifier: GPL-3.0-or-later
#include "OperationRunner.h"

#include <QCoreApplication>
#include <exception>
#include <memory>

#include "DeviceLink.h"
#include "LogRecord.h"
#include "PortFactory.h"

bool OperationRunner::OpenLog(const std::optional<QString>& path) {
    return !path || m_log.Open(*path);
}

LinkResult OperationRunner::Run(LogRecord& record, const std::function<LinkResult()>& operation) {
    LinkResult result;
    try {
        result = operation();
    } catch (const std::exception& error) {
        result = LinkResult::Failure(-1, error.what());
    } catch (...) {
        result = LinkResult::Failure(
            -1, QCoreApplication::translate("OperationRunner",
                                            "The command failed for an unknown reason.")
                    .toStdString());
    }
    if (!result) {
        record.Fail(QString::fromStdString(result.message));
    }
    return result;
}

LinkResult OperationRunner::RunOnLink(PortFactory& ports, LogRecord& record,
                                      const std::function<LinkResult(DeviceLink&)>& operation) {
    return Run(record, [&] {
        const std::unique_ptr<DeviceLink> link = ports.OpenLink();
        return operation(*link);
    });
}

std::optional<QString> OperationRunner::FlushTrace(PortFactory& ports, LogRecord& record,
                                                   bool succeeded) {
    const std::optional<std::string> error = ports.FlushTrace();
    if (!error) {
        return std::nullopt;
    }
    const QString text = QString::fromStdString(*error);
    if (succeeded) {
        record.Fail(text);
    }
    return text;
}

std::optional<QString> OperationRunner::Append(LogRecord& record) {
    record.Finish();
    if (m_log.Append(record)) {
        return std::nullopt;
    }
    const QString result = LogRecord::ResultName(record.GetResult());
    if (const std::optional<int> exit = record.Exit()) {
        return QCoreApplication::translate(
                   "OperationRunner", "%1 The %2 itself ended with the result %3 (exit status %4).")
            .arg(m_log.ErrorText(), record.Operation(), result)
            .arg(*exit);
    }
    return QCoreApplication::translate("OperationRunner",
                                       "%1 The %2 itself ended with the result %3.")
        .arg(m_log.ErrorText(), record.Operation(), result);
}
