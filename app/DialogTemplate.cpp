// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTemplate.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

#include "DialogPage.h"
#include "DialogUnits.h"

DialogTemplate::DialogTemplate(QDialog& dialog, const QString& caption, int width, int height)
    : m_dpi(dialog.logicalDpiX()),
      m_page(new DialogPage(dialog, DialogUnits::ToPixels(0, 0, width, height, m_dpi).size())) {
    dialog.setFont(DialogUnits::DialogFont(m_dpi));
    dialog.setWindowTitle(caption);
}

QWidget* DialogTemplate::Page() const {
    return m_page->Page();
}

void DialogTemplate::Place(QWidget* widget, int x, int y, int w, int h) const {
    widget->setGeometry(DialogUnits::ToPixels(x, y, w, h, m_dpi));
}

void DialogTemplate::PlaceAtOwnSize(QWidget* widget, int x, int y) const {
    widget->setGeometry(
        QRect(DialogUnits::ToPixels(x, y, 0, 0, m_dpi).topLeft(), widget->sizeHint()));
}

QPushButton* DialogTemplate::AddOkButton(int x, int y) const {
    auto* ok = new QPushButton(QCoreApplication::translate("DialogTemplate", "OK"), Page());
    ok->setDefault(true);
    Place(ok, x, y, 50, 14);
    return ok;
}
