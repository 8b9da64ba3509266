#include "CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "DialogUnits.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const int dpi = logicalDpiX();
    auto place = [dpi](QWidget* widget, int x, int y, int w, int h) {
        widget->setGeometry(DialogUnits::ToPixels(x, y, w, h, dpi));
    };
    setFont(DialogUnits::DialogFont(dpi));
    setWindowTitle(QStringLiteral("About tarnel"));
    setFixedSize(DialogUnits::ToPixels(0, 0, 235, 55, dpi).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarnel.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(icon, 11, 17, 20, 20);

    auto* version = new QLabel(QStringLiteral("tarnel Version 1.1"), this);
    version->setTextFormat(Qt::PlainText);
    place(version, 40, 10, 119, 8);

    auto* purpose = new QLabel(QStringLiteral("Switch configuration EEPROM tool"), this);
    purpose->setTextFormat(Qt::PlainText);
    place(purpose, 40, 25, 119, 8);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    place(ok, 178, 7, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
