// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <array>

#include "CommandTarget.h"

class CtarnelDoc;
class CtarnelView;

// The main window: menu bar, accelerators and the register grid view, and no
// toolbar or status bar. Every menu item and accelerator carries a command
// identifier, which RouteCommand passes to the view, the document, the frame
// and the application in turn; the first handler wins.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kLeft = 250;
    static constexpr int kTop = 200;
    static constexpr int kOuterWidth = 530;
    static constexpr int kOuterHeight = 390;
    static constexpr int kExposeWaitMs = 500;

    explicit CMainFrame(CtarnelDoc& document);

    // Routes command `id`; returns whether some target handled it. A command
    // handled ends with CommandFinished, after any message box it showed. An
    // exception a handler lets through is shown as a message (caption
    // "TARNEL", stop icon) and is the command's failure.
    bool RouteCommand(int id);
    // Notes that the command being routed failed, with the failure's text;
    // CommandFinished then tells it (the last one noted wins).
    void NoteFailure(const QString& message) { m_failure = message; }
    // Whether some target of the route binds a handler to `id`.
    bool CanRoute(int id);
    // True while a command runs or a modal dialog is open: a command from
    // outside must then wait.
    bool IsBusy() const;
    bool OnCmdMsg(int id) override;
    bool Handles(int id) const override;

    // Sets the caption to "<document title> - TARNEL", followed by " [PORT]"
    // when the run's port is not /dev/parport0.
    void UpdateCaption();
    // Moves the shown window to (250, 200) with outer size 530 x 390, frame
    // included, within the available area of its screen (see the overload).
    void PlaceWindow();
    // Places the window at (250, 200), 530 x 390 outside, where that
    // fits into `available`; otherwise moves it into `available` and shrinks
    // it to it, the grid then scrolling. The client area is made at least
    // large enough for the menu bar and the whole grid, which only a frame
    // larger than a desktop's (Wayland's) or a larger font needs. The
    // platform window must exist (winId); before it is shown, its frame is
    // what the platform knows of it then (none, under a window manager).
    void PlaceWindow(const QRect& available);
    // Invalidates the frame and the view and paints them at once.
    void RepaintNow();
    // Gives the window its icon, which the desktop shows in the title bar
    // and the task list. Left until the window has been painted: reading
    // the images is no part of showing the grid.
    void LoadIcon();

    CtarnelView* View() const { return m_view; }

signals:
    // Command `id` has finished: `ok` false, with the failure's text in
    // `message`, when it failed or was refused; true and empty otherwise.
    void CommandFinished(int id, bool ok, const QString& message);

protected:
    // A drag of one local file is accepted; dropping it opens it as File >
    // Open does. Nothing is accepted while a command runs.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The one local file `event` carries, or empty.
    static QString DroppedFile(const QDropEvent& event);
    // The targets a command passes, in order: view, document, frame, application.
    std::array<CommandTarget*, 4> Route();
    void CreateMenus();
    void CreateAccelerators();

    CtarnelDoc& m_document;
    CtarnelView* m_view;
    int m_running = 0;  // commands being routed (nested while one waits on a dialog)
    QString m_failure;  // the failure noted for the command being routed
};
