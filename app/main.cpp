// SPDX-License-Identifier: GPL-3.0-or-later
// Starts tarnel: the only place that chooses the real prompter and wires the
// application object to Qt.
#include <QApplication>
#include <QTimer>

#include "CommandLine.h"
#include "CtarnelApp.h"
#include "QtPrompter.h"
#include "Translations.h"

int main(int argc, char* argv[]) {
    QtPrompter prompter;
    if (argc > 1) {
        // --help and --version only print: answered before the GUI starts,
        // they work without a display too. Without arguments there is
        // nothing to answer, and no console application to make.
        const QCoreApplication console(argc, argv);
        const Translations translations;
        const QString output = CommandLine::Parse(QCoreApplication::arguments().mid(1)).output;
        if (!output.isEmpty()) {
            prompter.Print(Prompter::Stream::Output, output);
            return 0;
        }
    }
    QApplication application(argc, argv);
    const Translations translations;
    QApplication::setApplicationName(QStringLiteral("tarnel"));
    // Lets the desktop match the window to the desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tarnel.Tarnel"));
    CtarnelApp app(prompter);
    if (!app.InitInstance(QApplication::arguments().mid(1))) {
        return app.ExitCode();
    }
    // The window is shown and painted by now: the start-up benchmark times
    // the process up to this line and to its end, and lets it quit after the
    // event loop's first turn (the work queued for it done).
    if (qEnvironmentVariableIsSet("TARNEL_QUIT_AFTER_START")) {
        prompter.Print(Prompter::Stream::Output, QStringLiteral("painted\n"));
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    }
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
