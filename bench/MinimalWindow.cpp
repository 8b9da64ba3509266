// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window of tarnel's size and paint it once, after which
// it quits.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QLabel(QStringLiteral("00")));
    window.setGeometry(250, 200, 530, 390);
    window.show();
    window.repaint();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
