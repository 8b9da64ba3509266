// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QObject>
#include <deque>

class CMainFrame;

// Commands to a running window over the session D-Bus: the service
// org.tarnel.Tarnel with the object /MainFrame and the method Command(int id).
// A command is queued and then routed exactly as a menu command is, as a
// posted window message would be, so a script can send command 32776 (or any
// other) to a running tarnel without waiting on the message boxes it may show;
// the signal CommandFinished then tells how the command ended.
class CommandService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarnel.Tarnel")

public:
    static constexpr const char* kServiceName = "org.tarnel.Tarnel";
    static constexpr const char* kObjectPath = "/MainFrame";
    static constexpr const char* kBusyError = "org.tarnel.Tarnel.Error.Busy";

    enum class Registration { registered, noBus, nameTaken };

    explicit CommandService(CMainFrame& frame);
    // Registers on the session bus: registered, or why not (no session bus,
    // or another tarnel window holds the name and gets the commands).
    Registration Register();

public slots:
    // Queues command `id` and returns at once: true when some target handles
    // it, false (and nothing queued) when none does. While a modal dialog is
    // open or a command runs or waits, the window is busy: the call is
    // refused (over D-Bus with the error org.tarnel.Tarnel.Error.Busy).
    Q_SCRIPTABLE bool Command(int id);

signals:
    // Command `id`, sent through Command or chosen in the menu, has
    // finished, after the user closed any message box it showed: `ok` false,
    // with the failure's text in `message`, when it failed or was refused.
    // A call refused as busy queued nothing and gets no signal.
    Q_SCRIPTABLE void CommandFinished(int id, bool ok, const QString& message);

private:
    // Routes the queued commands one by one, each when the window is free.
    void RunQueued();

    CMainFrame& m_frame;
    std::deque<int> m_queue;
};
