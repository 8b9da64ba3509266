// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window of tarnel's size and paint it once, after which
// it says "painted" on its standard output, as tarnel does under
// TARNEL_QUIT_AFTER_START, and quits. It waits for its first paint: a window
// that is only shown has not been painted yet, as the platform exposes it
// later.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>

namespace {

class FirstPaintLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        // The label is the window's topmost child, painted after the rest.
        std::fputs("painted\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new FirstPaintLabel(QStringLiteral("00")));
    window.setGeometry(250, 200, 530, 390);
    window.show();
    return QApplication::exec();
}
