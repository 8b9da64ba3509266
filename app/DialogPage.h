// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

class QDialog;

// The page a dialog's template is laid out on, inside a frameless scroll
// area that fills the dialog. The dialog opens at the template's size where
// that fits the screen's available area; otherwise it is moved into the
// area and shrunk to it, and the page scrolls.
class DialogPage : public QScrollArea {
    Q_OBJECT

public:
    // Fills `dialog` and gives it the fixed client size `size`, the page's.
    DialogPage(QDialog& dialog, const QSize& size);

    // The widget the template's controls belong on.
    QWidget* Page() const { return widget(); }
    // Moves the dialog into `available` (screen coordinates of its outer
    // rectangle, frame included) and shrinks it where it is larger, with
    // room for the scroll bars then needed.
    void FitInto(const QRect& available);

protected:
    // Fits the dialog into its screen's available area as it is shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& m_dialog;
    QSize m_size;
};
