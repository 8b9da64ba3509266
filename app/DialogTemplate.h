// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DialogPage;
class QDialog;
class QPushButton;
class QWidget;

// Lays a dialog out as its template was made, in dialog units at the
// dialog's logical dpi, on a page that scrolls where the screen is too small
// for the dialog.
class DialogTemplate {
public:
    // Gives `dialog` the dialog font, the caption and a fixed client size of
    // `width` by `height` units, filled by the page.
    DialogTemplate(QDialog& dialog, const QString& caption, int width, int height);

    // The widget to create the controls on: the page, at the dialog's
    // top-left corner until it scrolls.
    QWidget* Page() const;
    // Places `widget` at (x, y) with size w by h, in units.
    void Place(QWidget* widget, int x, int y, int w, int h) const;
    // Places `widget` with its top-left corner at (x, y), in units, at the
    // size it asks for: a control that sizes itself to its content.
    void PlaceAtOwnSize(QWidget* widget, int x, int y) const;
    // Adds the default push button "OK" at (x, y), 50 by 14 units; the
    // caller connects it.
    QPushButton* AddOkButton(int x, int y) const;

private:
    int m_dpi;
    DialogPage* m_page;
};
