// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QWindow>
#include <exception>
#include <utility>

#include "CommandIds.h"
#include "CtarnelApp.h"
#include "CtarnelDoc.h"
#include "CtarnelView.h"
#include "PortFactory.h"
#include "Prompter.h"
#include "ScreenFit.h"

namespace {

struct MenuItem {
    const char* text;  // nullptr for a separator
    int command;
};

struct Popup {
    const char* title;
    std::initializer_list<MenuItem> items;
};

// Menu 128. The text after "\t" is the accelerator hint; the keys themselves
// belong to the accelerator table.
const Popup kMenu[] = {
    {QT_TRANSLATE_NOOP("CMainFrame", "&File"),
     {{QT_TRANSLATE_NOOP("CMainFrame", "&New\tCtrl+N"), CommandId::FileNew},
      {QT_TRANSLATE_NOOP("CMainFrame", "&Open...\tCtrl+O"), CommandId::FileOpen},
      {QT_TRANSLATE_NOOP("CMainFrame", "&Save\tCtrl+S"), CommandId::FileSave},
      {QT_TRANSLATE_NOOP("CMainFrame", "Save &As..."), CommandId::FileSaveAs},
      {nullptr, 0},
      {QT_TRANSLATE_NOOP("CMainFrame", "E&xit"), CommandId::AppExit}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Tools"),
     {{QT_TRANSLATE_NOOP("CMainFrame", "Verify"), CommandId::ToolsVerify},
      {QT_TRANSLATE_NOOP("CMainFrame", "Upload"), CommandId::ToolsUpload},
      {QT_TRANSLATE_NOOP("CMainFrame", "Download"), CommandId::ToolsDownload},
      {QT_TRANSLATE_NOOP("CMainFrame", "Modify"), CommandId::ToolsModify}}},
    {QT_TRANSLATE_NOOP("CMainFrame", "&Help"),
     {{QT_TRANSLATE_NOOP("CMainFrame", "&About tarnel..."), CommandId::AppAbout}}},
};

struct Accelerator {
    QKeyCombination keys;
    int command;
};

// Accelerator table 128. Undo, Cut, Copy, Paste and the pane keys have no
// handler anywhere, so they do nothing.
const Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_N, CommandId::FileNew},
    {Qt::CTRL | Qt::Key_O, CommandId::FileOpen},
    {Qt::CTRL | Qt::Key_S, CommandId::FileSave},
    {Qt::CTRL | Qt::Key_Z, CommandId::EditUndo},
    {Qt::CTRL | Qt::Key_X, CommandId::EditCut},
    {Qt::CTRL | Qt::Key_C, CommandId::EditCopy},
    {Qt::CTRL | Qt::Key_V, CommandId::EditPaste},
    {Qt::ALT | Qt::Key_Backspace, CommandId::EditUndo},
    {Qt::SHIFT | Qt::Key_Delete, CommandId::EditCut},
    {Qt::CTRL | Qt::Key_Insert, CommandId::EditCopy},
    {Qt::SHIFT | Qt::Key_Insert, CommandId::EditPaste},
    {QKeyCombination(Qt::Key_F6), CommandId::NextPane},
    {Qt::SHIFT | Qt::Key_F6, CommandId::PrevPane},
};

}  // namespace

CMainFrame::CMainFrame(CtarnelDoc& document) : m_document(document), m_view(new CtarnelView(this)) {
    setCentralWidget(m_view);
    CreateMenus();
    CreateAccelerators();
    UpdateCaption();
    setAcceptDrops(true);
}

QString CMainFrame::DroppedFile(const QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return QString();
    }
    return urls.first().toLocalFile();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!IsBusy() && !DroppedFile(*event).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(*event);
    if (IsBusy() || path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    ++m_running;
    m_document.OpenImageFile(path);
    --m_running;
    m_failure.clear();  // a failure was shown; no command is waiting for it
}

void CMainFrame::CreateMenus() {
    for (const Popup& popup : kMenu) {
        QMenu* menu = menuBar()->addMenu(tr(popup.title));
        for (const MenuItem& item : popup.items) {
            if (item.text == nullptr) {
                menu->addSeparator();
                continue;
            }
            // The hint after "\t" becomes the item's shortcut, which the menu
            // shows in the same column: screen readers then read the item's
            // name and its keys apart. The keys work through the accelerator
            // table; the item's own shortcut acts only inside its open menu.
            // The keys come from the untranslated text, so that no language
            // changes them.
            const QString keys = QString::fromLatin1(item.text).section(QLatin1Char('\t'), 1);
            QAction* action = menu->addAction(tr(item.text).section(QLatin1Char('\t'), 0, 0));
            if (!keys.isEmpty()) {
                action->setShortcut(QKeySequence::fromString(keys));
                action->setShortcutContext(Qt::WidgetShortcut);
            }
            action->setData(item.command);
            const int command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { RouteCommand(command); });
        }
    }
}

void CMainFrame::CreateAccelerators() {
    for (const Accelerator& accelerator : kAccelerators) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(accelerator.keys));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(accelerator.command);
        const int command = accelerator.command;
        connect(action, &QAction::triggered, this, [this, command] { RouteCommand(command); });
        addAction(action);
    }
}

bool CMainFrame::RouteCommand(int id) {
    // A command routed while another waits on a dialog has its own outcome.
    const QString outer = std::exchange(m_failure, QString());
    ++m_running;
    bool handled = false;
    // A command from the menu, a key or D-Bus ends in a message, never by
    // an exception through Qt's event loop.
    try {
        for (CommandTarget* target : Route()) {
            if (target->OnCmdMsg(id)) {
                handled = true;
                break;
            }
        }
    } catch (const std::exception& error) {
        handled = true;
        const QString text = QString::fromStdString(error.what());
        AfxGetApp()->GetPrompter().ShowMessage(
            text, QString::fromLatin1(CtarnelApp::kMessageCaption), Prompter::Icon::Stop);
        NoteFailure(text);
    }
    --m_running;
    const QString failure = std::exchange(m_failure, outer);
    if (handled) {
        emit CommandFinished(id, failure.isEmpty(), failure);
    }
    return handled;
}

std::array<CommandTarget*, 4> CMainFrame::Route() {
    return {m_view, &m_document, this, AfxGetApp()};
}

bool CMainFrame::CanRoute(int id) {
    for (const CommandTarget* target : Route()) {
        if (target->Handles(id)) {
            return true;
        }
    }
    return false;
}

bool CMainFrame::IsBusy() const {
    return m_running > 0 || QApplication::activeModalWidget() != nullptr;
}

bool CMainFrame::OnCmdMsg(int) {
    return false;
}

bool CMainFrame::Handles(int) const {
    return false;
}

void CMainFrame::UpdateCaption() {
    QString title = m_document.GetTitle() + QStringLiteral(" - ") +
                    QString::fromLatin1(CtarnelApp::kFrameTitle);
    // A port other than the default is named, so that a port chosen in the
    // session's environment is seen without a command.
    const std::string& port = AfxGetApp()->Ports().PortName();
    if (port != PortFactory::kDefaultPortName) {
        title += QStringLiteral(" [") + QString::fromStdString(port) + QLatin1Char(']');
    }
    // Qt reads "[*]" as its modified marker; "[*][*]" shows a literal "[*]".
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title);
}

void CMainFrame::PlaceWindow() {
    // The window manager's frame is known once the window is on the screen:
    // wait for that (briefly), so that the outer size includes it.
    QElapsedTimer waited;
    waited.start();
    while (!windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, kExposeWaitMs);
    }
    PlaceWindow(screen()->availableGeometry());
}

void CMainFrame::PlaceWindow(const QRect& available) {
    const QMargins frame = windowHandle()->frameMargins();
    // The client area holds the whole grid, also where the frame takes more
    // room than a desktop's (the toolkit's own frame under Wayland) or a
    // larger desktop font has widened the labels and the menu bar.
    const GridMetrics& metrics = m_view->Metrics();
    const int edge = 2 * m_view->frameWidth();
    const QSize client =
        QSize(kOuterWidth, kOuterHeight)
            .shrunkBy(frame)
            .expandedTo(QSize(metrics.TotalWidth() + edge,
                              metrics.TotalHeight() + edge + menuBar()->sizeHint().height()));
    const QRect outer =
        ScreenFit::Fit(QRect(QPoint(kLeft, kTop), client.grownBy(frame)), available);
    resize(outer.size().shrunkBy(frame));
    move(outer.topLeft());  // a top-level move places the frame
}

void CMainFrame::LoadIcon() {
    QIcon icon(QStringLiteral(":/icons/tarnel.png"));
    icon.addFile(QStringLiteral(":/icons/tarnel-16.png"));
    setWindowIcon(icon);
}

void CMainFrame::RepaintNow() {
    update();
    m_view->RepaintNow();
}
