// Starts tarnel: the only place that chooses the real prompter and wires the
// application object to Qt.
#include <QApplication>

#include "CtarnelApp.h"
#include "QtPrompter.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnel"));
    // Lets the desktop match the window to the desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tarnel.Tarnel"));
    QtPrompter prompter;
    CtarnelApp app(prompter);
    if (!app.InitInstance(QApplication::arguments().mid(1))) {
        return app.ExitCode();
    }
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
