// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The About dialog: the icon, "tarnel Version 1.1", a second line and OK,
// laid out in dialog units.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
