// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QFont>

// The verify report: compares the register image with the read-back buffer
// on every paint and lists the registers that differ, or shows "PASS!". The
// headings, separators and OK button are laid out in dialog units; the report
// text is drawn in pixels of the page they lie on.
class CVerifyReportDlg : public QDialog {
    Q_OBJECT

public:
    explicit CVerifyReportDlg(QWidget* parent = nullptr);

    // The report font: Arial with a character cell 16 pixels high.
    static QFont ReportFont();

protected:
    // Draws the report on the page after its background.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_page;
};
