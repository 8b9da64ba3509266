#pragma once

#include <QDBusContext>
#include <QObject>

class CMainFrame;

// Commands to a running window over the session D-Bus: the service
// org.tarnel.Tarnel with the object /MainFrame and the method Command(int id),
// which routes the identifier exactly as a menu command is routed. So a
// script can send command 32776 (or any other) to a running tarnel.
class CommandService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarnel.Tarnel")

public:
    static constexpr const char* kServiceName = "org.tarnel.Tarnel";
    static constexpr const char* kObjectPath = "/MainFrame";
    static constexpr const char* kBusyError = "org.tarnel.Tarnel.Error.Busy";

    explicit CommandService(CMainFrame& frame);
    // Registers on the session bus; false when there is none or another
    // tarnel holds the name.
    bool Register();

public slots:
    // Routes `id` as a menu command and returns whether a handler took it.
    // While a modal dialog is open or a command is running the window is
    // busy: the call is refused (over D-Bus with the error
    // org.tarnel.Tarnel.Error.Busy) and nothing is routed.
    Q_SCRIPTABLE bool Command(int id);

private:
    CMainFrame& m_frame;
};
