#include "CommandService.h"

#include <QDBusConnection>

#include "CMainFrame.h"

CommandService::CommandService(CMainFrame& frame) : m_frame(frame) {}

bool CommandService::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    if (!bus.registerService(QString::fromLatin1(kServiceName))) {
        return false;
    }
    return bus.registerObject(QString::fromLatin1(kObjectPath), this,
                              QDBusConnection::ExportScriptableSlots);
}

bool CommandService::Command(int id) {
    if (m_frame.IsBusy()) {
        if (calledFromDBus()) {
            sendErrorReply(QString::fromLatin1(kBusyError),
                           QStringLiteral("The tarnel window is busy: a dialog is open or a "
                                          "command is running. Try again when it is done."));
        }
        return false;
    }
    return m_frame.RouteCommand(id);
}
