// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtarnelApp.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <stdexcept>

#include <QCoreApplication>

#include "AuditLog.h"
#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "CommandService.h"
#include "CtarnelDoc.h"
#include "CtarnelView.h"
#include "Database.h"
#include "ImageFile.h"
#include "PortError.h"
#include "PortFactory.h"
#include "PortNameError.h"
#include "Prompter.h"

namespace {
CtarnelApp* g_app = nullptr;

const QString kRecentSection = QStringLiteral("Recent File List");
const QString kSettingsSection = QStringLiteral("Settings");
const QString kPreviewPages = QStringLiteral("PreviewPages");

std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QString::fromLatin1(CtarnelApp::kSettingsOrganization),
                                       QString::fromLatin1(CtarnelApp::kSettingsApplication));
}
}  // namespace

CtarnelApp* AfxGetApp() {
    return g_app;
}

// The icons live in a static library: register them explicitly.
static void InitResources() {
    Q_INIT_RESOURCE(tarnel);
}

CtarnelApp::CtarnelApp(Prompter& prompter)
    : m_prompter(prompter),
      m_ports(std::make_unique<PortFactory>(PortFactory::ChoosePortName(""))) {
    InitResources();
    g_app = this;
}

CtarnelApp::~CtarnelApp() {
    m_commandService.reset();
    m_frame.reset();
    m_pMainWnd = nullptr;
    if (g_app == this) {
        g_app = nullptr;
    }
}

bool CtarnelApp::InitInstance(const QStringList& arguments) {
    const CommandLine commandLine = CommandLine::Parse(arguments);
    if (commandLine.unregister) {
        Unregister();
        return false;
    }
    if (!commandLine.output.isEmpty()) {
        m_prompter.Print(Prompter::Stream::Output, commandLine.output);
        return false;
    }
    // Names from the environment are refused as the options' names are when
    // they are not valid UTF-8.
    QString error = commandLine.error;
    for (const char* variable : {AuditLog::kEnvironmentVariable, "TARNEL_PORT"}) {
        if (const QString problem = ImageFile::NameProblem(qEnvironmentVariable(variable));
            error.isEmpty() && !problem.isEmpty()) {
            error = QString::fromLatin1(variable) + QStringLiteral(": ") + problem;
        }
    }
    if (!error.isEmpty()) {
        m_prompter.Print(
            Prompter::Stream::Error,
            QString::fromLatin1(kAppTitle) + QStringLiteral(": ") + error + QLatin1Char('\n'));
        // Started from a launcher, nobody reads standard error: a message box
        // then tells why no window opens.
        if (!m_prompter.ErrorIsTerminal()) {
            m_prompter.ShowMessage(error, QString::fromLatin1(kAppTitle), Prompter::Icon::Stop);
        }
        m_exitCode = 2;
        return false;
    }
    LoadStdProfileSettings();
    m_logPath = AuditLog::ChoosePath(commandLine.log);
    // Opened again for every command: its full path keeps it one file while
    // the file dialogs move the current directory. A database's URI is no path.
    if (m_logPath && !m_logPath->isEmpty() && !Database::IsUri(*m_logPath)) {
        m_logPath = QFileInfo(*m_logPath).absoluteFilePath();
    }

    m_ports =
        std::make_unique<PortFactory>(PortFactory::ChoosePortName(commandLine.port.toStdString()));
    try {
        m_ports->SetSimFaults(PortFactory::ChooseSimFaults());
        m_ports->SetSimPageSize(PortFactory::ChooseSimPageSize());
    } catch (const PortNameError& error) {
        m_prompter.ShowMessage(QString::fromStdString(error.what()), QString::fromLatin1(kAppTitle),
                               Prompter::Icon::Stop);
        m_exitCode = 2;
        return false;
    }
    if (!commandLine.trace.isEmpty()) {
        try {
            m_ports->SetTrace(QFile::encodeName(commandLine.trace).toStdString());
        } catch (const PortError& error) {
            m_prompter.ShowMessage(QString::fromStdString(error.what()),
                                   QString::fromLatin1(kAppTitle), Prompter::Icon::Stop);
            m_exitCode = 1;
            return false;
        }
    }

    m_document = std::make_unique<CtarnelDoc>();
    m_frame = std::make_unique<CMainFrame>(*m_document);
    m_pMainWnd = m_frame.get();
    if (!commandLine.file.isEmpty()) {
        const QString path = QFileInfo(commandLine.file).absoluteFilePath();
        if (!m_document->LoadImageFile(path)) {
            m_exitCode = 1;
            return false;
        }
        AddToRecentFileList(path);
    }
    m_frame->View()->OnInitialUpdate();
    // Placed before it is shown too, so that it is laid out and painted once
    // at its own size rather than first at Qt's default one (with the scroll
    // bars of a grid that does not fit). Its platform window is made first: a
    // platform that draws the frame itself knows the frame then; a desktop's
    // window manager tells it only once the window is shown, and the window
    // is placed again then.
    m_frame->winId();
    m_frame->PlaceWindow(m_frame->screen()->availableGeometry());
    const QRect placed = m_frame->geometry();
    m_frame->show();
    m_frame->PlaceWindow();
    // Its exposure painted it as it was placed; a window the desktop has not
    // exposed yet, or that its frame made move, is painted now.
    if (m_frame->View()->PaintCount() == 0 || m_frame->geometry() != placed) {
        m_frame->RepaintNow();
    }
    // The window's icon, the check of the cell font's stand-in, and
    // commands from scripts when there is a session bus (without one the
    // program works the same), once the window is painted: reading images,
    // searching the fonts, connecting to the bus and asking it for the name
    // (round trips to another process) need not hold the grid back.
    m_commandService = std::make_unique<CommandService>(*m_frame);
    QTimer::singleShot(0, m_commandService.get(), [this] {
        m_frame->LoadIcon();
        m_frame->View()->ConfirmCellFace();
        RegisterCommandService();
    });
    return true;
}

void CtarnelApp::RegisterCommandService() {
    if (m_commandService->Register() == CommandService::Registration::nameTaken) {
        // This window runs on, but a script's commands would silently reach
        // the other one.
        const QString note = QCoreApplication::translate(
            "CtarnelApp",
            "Another tarnel window already takes the D-Bus commands (org.tarnel.Tarnel): "
            "commands sent over D-Bus go to that window, not to this one.");
        m_prompter.Print(
            Prompter::Stream::Error,
            QString::fromLatin1(kAppTitle) + QStringLiteral(": ") + note + QLatin1Char('\n'));
        m_frame->NoteFailure(note);
    }
}

void CtarnelApp::ExitInstance() {
    SaveStdProfileSettings();
}

const CommandMap<CtarnelApp>& CtarnelApp::Map() {
    static const CommandMap<CtarnelApp> map = {
        {CommandId::AppAbout, &CtarnelApp::OnAppAbout},
        {CommandId::AppExit, &CtarnelApp::OnAppExit},
    };
    return map;
}

void CtarnelApp::OnAppAbout() {
    CAboutDlg dialog(m_pMainWnd);
    m_prompter.RunModal(dialog);
}

void CtarnelApp::OnAppExit() {
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->close();
    }
}

void CtarnelApp::RepaintMainWindow() {
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->RepaintNow();
    }
}

void CtarnelApp::AddToRecentFileList(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
}

void CtarnelApp::LoadStdProfileSettings() {
    const auto settings = UserSettings();
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path =
            settings->value(kRecentSection + QStringLiteral("/File%1").arg(i)).toString();
        if (!path.isEmpty()) {
            m_recentFiles.append(path);
        }
    }
    m_previewPages =
        settings->value(kSettingsSection + QLatin1Char('/') + kPreviewPages, 0).toInt();
}

void CtarnelApp::SaveStdProfileSettings() const {
    const auto settings = UserSettings();
    settings->remove(kRecentSection);
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        settings->setValue(kRecentSection + QStringLiteral("/File%1").arg(i + 1), m_recentFiles[i]);
    }
    if (m_previewPages != 0) {
        settings->setValue(kSettingsSection + QLatin1Char('/') + kPreviewPages, m_previewPages);
    }
}

void CtarnelApp::Unregister() {
    const auto settings = UserSettings();
    const QString fileName = settings->fileName();
    settings->clear();
    settings->sync();
    bool removed = settings->status() == QSettings::NoError;
    // Clearing leaves an empty settings file behind: remove it, and its
    // folder when nothing else is in it.
    if (removed && QFile::exists(fileName)) {
        removed = QFile::remove(fileName);
        QDir().rmdir(QFileInfo(fileName).path());
    }
    m_prompter.ShowMessage(
        removed ? QCoreApplication::translate("CtarnelApp",
                                              "System registry entries have been removed and the "
                                              "INI file (if any) was deleted.")
                : QCoreApplication::translate("CtarnelApp",
                                              "Not all of the system registry entries (or INI "
                                              "file) were removed."),
        QString::fromLatin1(kAppTitle), Prompter::Icon::Exclamation);
    m_exitCode = removed ? 0 : 1;
}
