// SPDX-License-Identifier: GPL-3.0-or-later
#include "CVerifyReportDlg.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "CtarnelApp.h"
#include "DialogTemplate.h"
#include "VerifyReport.h"

namespace {
constexpr int kCellHeight = 16;

struct Heading {
    const char* text;
    int width;
    int height;
};
const Heading kHeadings[] = {{QT_TRANSLATE_NOOP("CVerifyReportDlg", "EEPROM Addresss"), 34, 18},
                             {QT_TRANSLATE_NOOP("CVerifyReportDlg", "Write Data"), 37, 12},
                             {QT_TRANSLATE_NOOP("CVerifyReportDlg", "Read Data"), 38, 12}};
const int kHeadingX[3][3] = {{15, 53, 95}, {149, 187, 229}, {288, 326, 368}};
constexpr int kHeadingY = 14;
}  // namespace

CVerifyReportDlg::CVerifyReportDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate layout(*this, tr("Tarnel Verify"), 425, 262);
    m_page = layout.Page();
    m_page->installEventFilter(this);

    for (int block = 0; block < 3; ++block) {
        for (int column = 0; column < 3; ++column) {
            const Heading& heading = kHeadings[column];
            auto* label = new QLabel(tr(heading.text), layout.Page());
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(column == 0);  // "EEPROM Addresss" wraps after "EEPROM"
            layout.Place(label, kHeadingX[block][column], kHeadingY, heading.width, heading.height);
        }
    }
    layout.Place(new QGroupBox(layout.Page()), 135, 25, 8, 207);
    layout.Place(new QGroupBox(layout.Page()), 272, 25, 8, 206);

    QPushButton* ok = layout.AddOkButton(187, 234);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QFont CVerifyReportDlg::ReportFont() {
    // The largest pixel size of Arial (or its substitute) whose character
    // cell, ascent plus descent, fits in 16 pixels.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    for (int size = kCellHeight; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= kCellHeight) {
            break;
        }
    }
    return font;
}

bool CVerifyReportDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_page || event->type() != QEvent::Paint) {
        return QDialog::eventFilter(watched, event);
    }
    const CtarnelApp* app = AfxGetApp();
    QPainter painter(m_page);
    painter.setFont(ReportFont());
    // The palette's text colour, as the headings have: black on the default
    // grey, and readable in a dark theme.
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(palette().color(QPalette::Window));
    for (const ReportText& item : VerifyReport::Layout(app->m_image, app->m_readBack)) {
        painter.drawText(QRect(item.x, item.y, m_page->width() - item.x, kCellHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
    }
    return false;
}
