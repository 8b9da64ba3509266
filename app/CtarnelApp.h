// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "CommandTarget.h"
#include "EepromImage.h"
#include "FaceStandIn.h"

class CMainFrame;
class CommandService;
class CtarnelDoc;
class PortFactory;
class Prompter;

// The one application object. It owns the whole working data of the run: the
// register image, the read-back buffer and the current file name. Every part
// reaches it through AfxGetApp().
class CtarnelApp : public MappedCommandTarget<CtarnelApp> {
public:
    // The organisation and application names of the per-user settings.
    static constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
    static constexpr const char* kSettingsApplication = "tarnel";
    // Caption of the framework-style messages (file errors, settings removal).
    static constexpr const char* kAppTitle = "tarnel";
    // The fixed part of the window caption.
    static constexpr const char* kFrameTitle = "TARNEL";
    // Caption of the program's own messages (download done, device errors,
    // invalid register values).
    static constexpr const char* kMessageCaption = "TARNEL";
    static constexpr int kRecentFileCount = 4;

    // `prompter` answers every question the commands ask; it must outlive
    // the application object.
    explicit CtarnelApp(Prompter& prompter);
    ~CtarnelApp() override;
    CtarnelApp(const CtarnelApp&) = delete;
    CtarnelApp& operator=(const CtarnelApp&) = delete;

    // Start-up: reads the settings, handles the command line (arguments
    // without the program name), creates the document, the frame and the
    // view, places the window at (250, 200) with outer size 530 x 390 and
    // shows it painted; its icon, the check of the cell font's stand-in and
    // the D-Bus commands follow as the event loop begins. Returns false when
    // the program is to end at once (--help and --version print on standard
    // output, a bad command line on standard error); ExitCode() then tells
    // with what.
    bool InitInstance(const QStringList& arguments);
    // Exit processing: writes the settings.
    void ExitInstance();
    int ExitCode() const { return m_exitCode; }

    void OnAppAbout();
    void OnAppExit();

    // Invalidates the whole main window with the grid view inside it and has
    // it painted at once, from the register image, before returning.
    void RepaintMainWindow();

    CtarnelDoc* Document() const { return m_document.get(); }
    Prompter& GetPrompter() const { return m_prompter; }
    // The families standing in for the faces the windows ask for.
    FaceStandIn& Faces() { return m_faces; }
    // The factory that opens the port chosen with --port / TARNEL_PORT.
    PortFactory& Ports() const { return *m_ports; }
    // The audit log the device commands append to (--log, else TARNEL_LOG);
    // none when no log is kept.
    const std::optional<QString>& LogPath() const { return m_logPath; }
    const QStringList& RecentFiles() const { return m_recentFiles; }
    // Puts `path` at the top of the recent-file list (at most four entries).
    void AddToRecentFileList(const QString& path);

    EepromImage m_image{};
    EepromImage m_readBack{};
    QString m_strImageFile;
    CMainFrame* m_pMainWnd = nullptr;

private:
    // Command identifier to handler.
    static const CommandMap<CtarnelApp>& Map();
    friend class MappedCommandTarget<CtarnelApp>;
    void LoadStdProfileSettings();
    void SaveStdProfileSettings() const;
    // Removes the settings, their file and its folder when empty, and says
    // so; the program then ends.
    void Unregister();
    // Offers the window's commands on the session bus; says so when another
    // window already has them.
    void RegisterCommandService();

    Prompter& m_prompter;
    std::unique_ptr<CtarnelDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CommandService> m_commandService;
    std::unique_ptr<PortFactory> m_ports;
    std::optional<QString> m_logPath;
    FaceStandIn m_faces{FaceStandIn::UserCachePath()};
    QStringList m_recentFiles;
    int m_previewPages = 0;
    int m_exitCode = 0;
};

// The running application object.
CtarnelApp* AfxGetApp();
