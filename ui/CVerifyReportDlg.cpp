#include "CVerifyReportDlg.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "CtarnelApp.h"
#include "DialogUnits.h"
#include "VerifyReport.h"

namespace {
constexpr int kCellHeight = 16;

struct Heading {
    const char* text;
    int width;
    int height;
};
const Heading kHeadings[] = {
    {"EEPROM Addresss", 34, 18}, {"Write Data", 37, 12}, {"Read Data", 38, 12}};
const int kHeadingX[3][3] = {{15, 53, 95}, {149, 187, 229}, {288, 326, 368}};
constexpr int kHeadingY = 14;
}  // namespace

CVerifyReportDlg::CVerifyReportDlg(QWidget* parent) : QDialog(parent) {
    const int dpi = logicalDpiX();
    auto place = [dpi](QWidget* widget, int x, int y, int w, int h) {
        widget->setGeometry(DialogUnits::ToPixels(x, y, w, h, dpi));
    };
    setFont(DialogUnits::DialogFont(dpi));
    setWindowTitle(QStringLiteral("Tarnel Verify"));
    setFixedSize(DialogUnits::ToPixels(0, 0, 425, 262, dpi).size());

    for (int block = 0; block < 3; ++block) {
        for (int column = 0; column < 3; ++column) {
            const Heading& heading = kHeadings[column];
            auto* label = new QLabel(QString::fromLatin1(heading.text), this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(column == 0);  // "EEPROM Addresss" wraps after "EEPROM"
            place(label, kHeadingX[block][column], kHeadingY, heading.width, heading.height);
        }
    }
    place(new QGroupBox(this), 135, 25, 8, 207);
    place(new QGroupBox(this), 272, 25, 8, 206);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    place(ok, 187, 234, 50, 14);
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

void CVerifyReportDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    const CtarnelApp* app = AfxGetApp();
    QPainter painter(this);
    painter.setFont(ReportFont());
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(palette().color(QPalette::Window));
    for (const ReportText& item : VerifyReport::Layout(app->m_image, app->m_readBack)) {
        painter.drawText(QRect(item.x, item.y, width() - item.x, kCellHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
    }
}
