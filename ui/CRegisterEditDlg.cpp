// SPDX-License-Identifier: GPL-3.0-or-later
#include "CRegisterEditDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "CtarnelApp.h"
#include "DialogTemplate.h"
#include "GridGeometry.h"
#include "HexField.h"
#include "Prompter.h"

namespace {
// Left edges of the fields and of the column labels, in dialog units.
constexpr int kFieldX[GridMetrics::kColumns] = {67, 94, 123, 151, 180, 208, 237, 262, 289, 317};
constexpr int kLabelX[GridMetrics::kColumns] = {72, 99, 127, 155, 183, 212, 241, 265, 292, 318};
// Tops of the row labels.
constexpr int kRowLabelY[GridMetrics::kRows] = {30,  52,  74,  95,  118, 139, 160,
                                                184, 205, 227, 249, 271, 294};
constexpr int kRowPitch = 22;
constexpr int kMaxChars = 2;
}  // namespace

CRegisterEditDlg::CRegisterEditDlg(QWidget* parent) : QDialog(parent) {
    const CtarnelApp* app = AfxGetApp();
    for (std::size_t n = 0; n < kEepromSize; ++n) {
        m_strReg[n] = HexField::Format(app->m_image[n]);
    }

    const DialogTemplate layout(*this, QStringLiteral("TARNEL"), 380, 341);

    // Created in tab order: OK first, then the fields in register order.
    QPushButton* ok = layout.AddOkButton(186, 314);
    connect(ok, &QPushButton::clicked, this, &CRegisterEditDlg::OnOK);

    for (std::size_t n = 0; n < kEepromSize; ++n) {
        const int row = static_cast<int>(n) / GridMetrics::kColumns;
        const int column = static_cast<int>(n) % GridMetrics::kColumns;
        auto* field = new QLineEdit(layout.Page());
        field->setObjectName(QString::number(kFirstFieldId + static_cast<int>(n)));
        field->setMaxLength(kMaxChars);  // no third character, typed or pasted
        field->setAccessibleName(tr("Register %1").arg(n));
        field->setText(m_strReg[n]);
        layout.Place(field, kFieldX[column], 27 + kRowPitch * row, 13, 14);
        m_editReg[n] = field;
    }
    for (int c = 0; c < GridMetrics::kColumns; ++c) {
        auto* label = new QLabel(QString::number(c), layout.Page());
        layout.Place(label, kLabelX[c], 13, c == 9 ? 8 : 9, 8);
    }
    for (int r = 0; r < GridMetrics::kRows; ++r) {
        auto* label = new QLabel(QString::number(10 * r), layout.Page());
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        layout.Place(label, 42, kRowLabelY[r], 16, 8);
    }
    for (int r = 0; r < GridMetrics::kRows; ++r) {
        auto* frame = new QGroupBox(layout.Page());
        layout.Place(frame, 59, 20 + kRowPitch * r, 279, 24);
        frame->lower();  // behind the fields it surrounds
    }
    ok->setFocus();
}

QWidget* CRegisterEditDlg::Control(int id) const {
    const int n = id - kFirstFieldId;
    if (n < 0 || n >= static_cast<int>(kEepromSize)) {
        return nullptr;
    }
    return m_editReg[n];
}

void CRegisterEditDlg::OnOK() {
    Prompter& prompter = AfxGetApp()->GetPrompter();
    EepromImage values{};
    QLineEdit* firstInvalid = nullptr;
    for (std::size_t n = 0; n < kEepromSize; ++n) {
        m_strReg[n] = m_editReg[n]->text();
        const std::optional<uint8_t> value = HexField::Parse(m_strReg[n]);
        if (value) {
            values[n] = *value;
            continue;
        }
        prompter.ShowMessage(tr("Invalid value for register %1.").arg(static_cast<int>(n), 3),
                             QString::fromLatin1(CtarnelApp::kMessageCaption),
                             Prompter::Icon::Stop);
        if (firstInvalid == nullptr) {
            firstInvalid = m_editReg[n];
        }
    }
    if (firstInvalid != nullptr) {
        firstInvalid->setFocus();
        firstInvalid->selectAll();
        return;
    }
    AfxGetApp()->m_image = values;
    accept();
}
