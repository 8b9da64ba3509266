// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "AuditLog.h"
#include "LinkResult.h"

class DeviceLink;
class LogRecord;
class PortFactory;

// The steps around every device command of both programs: the audit log,
// the run over an open link, the trace and the record. A program calls
// them in this order and only presents what they return.
class OperationRunner {
public:
    // Opens the audit log `path` when one is kept (a path is given); returns
    // false, with LogError(), when it cannot be opened.
    bool OpenLog(const std::optional<QString>& path);
    // Why the audit log could not be opened.
    const QString& LogError() const { return m_log.ErrorText(); }
    // Runs `operation`, the one place where whatever a device command throws
    // (a port that cannot be used, a fault in the middle of it) becomes a
    // failed result with the exception's text. A failed result fails `record`
    // with its message.
    LinkResult Run(LogRecord& record, const std::function<LinkResult()>& operation);
    // Opens the link through `ports` and runs `operation` over it (see Run);
    // the port is given back before it returns.
    LinkResult RunOnLink(PortFactory& ports, LogRecord& record,
                         const std::function<LinkResult(DeviceLink&)>& operation);
    // Pushes the trace of `ports` out to its file. A trace that could not be
    // written fails `record` when `succeeded` (what was done on the device
    // stands); returns why, or nothing when it was written or none is kept.
    std::optional<QString> FlushTrace(PortFactory& ports, LogRecord& record, bool succeeded);
    // Finishes `record` and appends it to the audit log (nothing without
    // one); when it cannot be written returns the log's error with the
    // operation's own result (and exit status when the record has one).
    std::optional<QString> Append(LogRecord& record);

private:
    AuditLog m_log;
};
