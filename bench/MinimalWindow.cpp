// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window of tarnel's size and paint it once. As tarnel
// does under TARNEL_QUIT_AFTER_START, it waits until the platform has
// exposed the window (which paints it), says "painted" on its standard
// output, and quits after its event loop's first turn.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLabel(QStringLiteral("00")));
    window.setGeometry(250, 200, 530, 390);
    window.show();
    while (!window.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    }
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
