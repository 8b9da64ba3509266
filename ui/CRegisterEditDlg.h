// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "EepromImage.h"

class QLineEdit;

// The register editor: 128 two-character hexadecimal fields laid out like
// the grid, filled from the register image when the dialog is built. OK
// stores all 128 values into the image and closes, but only when every field
// is valid; otherwise it reports each invalid field and stores nothing. Esc
// and the close box cancel.
class CRegisterEditDlg : public QDialog {
    Q_OBJECT

public:
    // Control identifier of register n's field: 1000 + n.
    static constexpr int kFirstFieldId = 1000;

    explicit CRegisterEditDlg(QWidget* parent = nullptr);

    // The field of register `n`.
    QLineEdit* Field(int n) const { return m_editReg[n]; }
    // The control with identifier `id` (1000 + n for register n's field),
    // or null.
    QWidget* Control(int id) const;

    // Validates every field in ascending register order, reporting each
    // invalid one ("Invalid value for register %3d.", caption "TARNEL", stop
    // icon). With all valid, stores the 128 values in the register image and
    // closes with Accepted; otherwise stores nothing, stays open and puts the
    // focus in the first invalid field.
    void OnOK();

private:
    std::array<QLineEdit*, kEepromSize> m_editReg{};
    std::array<QString, kEepromSize> m_strReg;
};
