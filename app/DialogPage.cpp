// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogPage.h"

#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include "ScreenFit.h"

DialogPage::DialogPage(QDialog& dialog, const QSize& size)
    : QScrollArea(&dialog), m_dialog(dialog), m_size(size) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget;
    page->setFixedSize(size);
    setWidget(page);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(this);
    dialog.setFixedSize(size);
    dialog.installEventFilter(this);
}

void DialogPage::FitInto(const QRect& available) {
    // Before the dialog is first on the screen its frame is unknown: the
    // owner's, drawn by the same window manager, stands in for it.
    QMargins frame;
    if (const QWindow* window = m_dialog.windowHandle(); window != nullptr && window->isExposed()) {
        frame = window->frameMargins();
    } else if (const QWidget* owner = m_dialog.parentWidget(); owner != nullptr) {
        if (const QWindow* ownerWindow = owner->window()->windowHandle()) {
            frame = ownerWindow->frameMargins();
        }
    }
    const QSize room = available.size().shrunkBy(frame);
    QSize client = m_size;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // A scroll bar on one side takes room from the other: it may then need
    // its own, and the dialog grows by what it can spare.
    for (int pass = 0; pass < 2; ++pass) {
        QSize grown = m_size;
        if (client.height() > room.height()) {
            grown.rwidth() += bar;
        }
        if (client.width() > room.width()) {
            grown.rheight() += bar;
        }
        client = grown;
    }
    client = client.boundedTo(room);
    const QRect outer = ScreenFit::Fit(QRect(m_dialog.pos(), client.grownBy(frame)), available);
    m_dialog.setFixedSize(outer.size().shrunkBy(frame));
    m_dialog.move(outer.topLeft());
}

bool DialogPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_dialog && event->type() == QEvent::Show) {
        FitInto(m_dialog.screen()->availableGeometry());
    }
    return QScrollArea::eventFilter(watched, event);
}
