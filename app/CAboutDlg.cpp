// SPDX-License-Identifier: GPL-3.0-or-later
#include "CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "DialogTemplate.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate layout(*this, tr("About tarnel"), 235, 55);

    // The icon control sizes itself to its icon, so the whole 32 x 32 icon
    // shows from the control's top-left corner.
    auto* icon = new QLabel(layout.Page());
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarnel.png")).pixmap(32, 32));
    layout.PlaceAtOwnSize(icon, 11, 17);

    auto* version =
        new QLabel(tr("tarnel Version %1").arg(QStringLiteral(TARNEL_VERSION)), layout.Page());
    version->setTextFormat(Qt::PlainText);
    layout.Place(version, 40, 10, 119, 8);

    auto* purpose = new QLabel(tr("Switch configuration EEPROM tool"), layout.Page());
    purpose->setTextFormat(Qt::PlainText);
    layout.Place(purpose, 40, 25, 119, 8);

    QPushButton* ok = layout.AddOkButton(178, 7);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
