// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandService.h"

#include <QDBusConnection>
#include <QTimer>

#include "CMainFrame.h"

namespace {
// How long a queued command waits before it looks again whether the window
// is free.
constexpr int kRetryMs = 50;
}  // namespace

CommandService::CommandService(CMainFrame& frame) : m_frame(frame) {
    connect(&frame, &CMainFrame::CommandFinished, this, &CommandService::CommandFinished);
}

CommandService::Registration CommandService::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return Registration::noBus;
    }
    // The object first, so that a client that sees the name finds it.
    if (!bus.registerObject(
            QString::fromLatin1(kObjectPath), this,
            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals)) {
        return Registration::noBus;
    }
    if (!bus.registerService(QString::fromLatin1(kServiceName))) {
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        return Registration::nameTaken;
    }
    return Registration::registered;
}

bool CommandService::Command(int id) {
    if (m_frame.IsBusy() || !m_queue.empty()) {
        if (calledFromDBus()) {
            sendErrorReply(QString::fromLatin1(kBusyError),
                           tr("The tarnel window is busy: a dialog is open or a command is "
                              "running. Try again when it is done."));
        }
        return false;
    }
    if (!m_frame.CanRoute(id)) {
        return false;
    }
    m_queue.push_back(id);
    QTimer::singleShot(0, this, &CommandService::RunQueued);
    return true;
}

void CommandService::RunQueued() {
    if (m_queue.empty()) {
        return;
    }
    if (m_frame.IsBusy()) {
        QTimer::singleShot(kRetryMs, this, &CommandService::RunQueued);
        return;
    }
    const int id = m_queue.front();
    m_queue.pop_front();
    m_frame.RouteCommand(id);
    if (!m_queue.empty()) {
        QTimer::singleShot(0, this, &CommandService::RunQueued);
    }
}
