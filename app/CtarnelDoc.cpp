// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtarnelDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <exception>

#include "AuditLog.h"
#include "CMainFrame.h"
#include "CRegisterEditDlg.h"
#include "CVerifyReportDlg.h"
#include "CommandIds.h"
#include "CtarnelApp.h"
#include "DeviceCommands.h"
#include "DeviceLink.h"
#include "DeviceMessages.h"
#include "ImageFile.h"
#include "LockedFile.h"
#include "LogRecord.h"
#include "PortError.h"
#include "PortFactory.h"
#include "Prompter.h"

namespace {
const QString kDefaultImageFile = QStringLiteral("default.dat");

QString MessageCaption() {
    return QString::fromLatin1(CtarnelApp::kMessageCaption);
}

// A file confirmed in a file dialog makes its folder the current directory,
// whatever then becomes of the file: the next dialog starts there, and
// "default.dat" is looked for there. Returns the file's absolute path, which
// still names the same file from the new current directory.
QString EnterFolderOf(const QString& path) {
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    QDir::setCurrent(file.absolutePath());
    return absolute;
}

// A device command's failure `text` as the window shows it: it names the
// run's port, so that a technician sees which adapter failed.
QString NamingPort(const QString& text) {
    const QString port = QString::fromStdString(AfxGetApp()->Ports().PortName());
    const QRegularExpression named(QStringLiteral("(^|[\\s'\"(])") +
                                   QRegularExpression::escape(port) +
                                   QStringLiteral("($|[\\s'\":,.)])"));
    if (named.match(text).hasMatch()) {
        return text;
    }
    return QCoreApplication::translate("CtarnelDoc", "%1\n\nPort: %2").arg(text, port);
}

// The absolute path of the current image file; empty when there is none.
QString CurrentFilePath() {
    const QString& file = AfxGetApp()->m_strImageFile;
    return file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
}
}  // namespace

CtarnelDoc::CtarnelDoc() : m_strTitle(QCoreApplication::translate("CtarnelDoc", "Untitled")) {}

const CommandMap<CtarnelDoc>& CtarnelDoc::Map() {
    static const CommandMap<CtarnelDoc> map = {
        {CommandId::FileSave, &CtarnelDoc::OnFileSave},
        {CommandId::FileSaveAs, &CtarnelDoc::OnFileSaveAs},
        {CommandId::FileNew, &CtarnelDoc::OnFileNew},
        {CommandId::FileOpen, &CtarnelDoc::OnFileOpen},
        {CommandId::ToolsVerify, &CtarnelDoc::OnToolsVerify},
        {CommandId::ToolsUpload, &CtarnelDoc::OnToolsUpload},
        {CommandId::ToolsDownload, &CtarnelDoc::OnToolsDownload},
        {CommandId::ToolsModify, &CtarnelDoc::OnToolsModify},
        {CommandId::DownloadDefault, &CtarnelDoc::OnDownloadDefault},
    };
    return map;
}

void CtarnelDoc::SetTitle(const QString& title) {
    m_strTitle = title;
    if (CMainFrame* frame = AfxGetApp()->m_pMainWnd) {
        frame->UpdateCaption();
    }
}

void CtarnelDoc::OnFileNew() {
    CtarnelApp* app = AfxGetApp();
    app->m_image.fill(0x00);
    app->RepaintMainWindow();
}

void CtarnelDoc::OnFileOpen() {
    const QString path = AfxGetApp()->GetPrompter().GetOpenPath();
    if (!path.isEmpty()) {
        OpenImageFile(path);
    }
}

void CtarnelDoc::OpenImageFile(const QString& path) {
    LoadImageFile(EnterFolderOf(path));
}

bool CtarnelDoc::LoadImageFile(const QString& path) {
    CtarnelApp* app = AfxGetApp();
    const ImageFileResult result = ImageFile::Read(path, app->m_image);
    if (!result.ok()) {
        ReportFileError(result);
        return false;
    }
    app->m_strImageFile = path;
    app->RepaintMainWindow();
    SetTitle(path);
    return true;
}

void CtarnelDoc::OnFileSave() {
    const QString current = AfxGetApp()->m_strImageFile;
    if (current.isEmpty()) {
        OnFileSaveAs();
        return;
    }
    WriteImageFile(current);
}

void CtarnelDoc::OnFileSaveAs() {
    const QString chosen = AfxGetApp()->GetPrompter().GetSavePath();
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = EnterFolderOf(chosen);
    if (!WriteImageFile(path)) {
        return;
    }
    AfxGetApp()->m_strImageFile = path;
    SetTitle(path);
}

bool CtarnelDoc::WriteImageFile(const QString& path) {
    const ImageFileResult result = ImageFile::Write(path, AfxGetApp()->m_image);
    if (!result.ok()) {
        ReportFileError(result);
        return false;
    }
    return true;
}

LogRecord CtarnelDoc::NewRecord(const QString& operation) {
    return LogRecord(QString::fromLatin1(LogRecord::kGuiProgram),
                     QString::fromStdString(AfxGetApp()->Ports().PortName()), operation);
}

bool CtarnelDoc::OpenAuditLog(AuditLog& log) {
    if (const std::optional<QString>& path = AfxGetApp()->LogPath(); path && !log.Open(*path)) {
        ReportFailure(log.ErrorText(), MessageCaption(), Prompter::Icon::Stop);
        return false;
    }
    return true;
}

void CtarnelDoc::AppendRecord(AuditLog& log, LogRecord& record) {
    record.Finish();
    if (!log.Append(record)) {
        ReportFailure(
            QCoreApplication::translate("CtarnelDoc", "%1 The %2 itself ended with the result %3.")
                .arg(log.ErrorText(), record.Operation(),
                     LogRecord::ResultName(record.GetResult())),
            MessageCaption(), Prompter::Icon::Stop);
    }
}

bool CtarnelDoc::RunOnDevice(LogRecord& record,
                             const std::function<LinkResult(DeviceLink&)>& operation) {
    AuditLog log;
    if (!OpenAuditLog(log)) {
        return false;
    }
    LinkResult result;
    // Whatever goes wrong on the way to the device is this command's failure.
    try {
        const std::unique_ptr<DeviceLink> link = AfxGetApp()->Ports().OpenLink();
        result = operation(*link);
    } catch (const std::exception& error) {
        result = LinkResult::Failure(-1, error.what());
    }
    if (!result) {
        record.Fail(QString::fromStdString(result.message));
    }
    // A trace that could not be written is a failure in the record too; what
    // was done on the device stands and is shown as usual.
    const std::string traceError = AfxGetApp()->Ports().FlushTrace();
    if (result && !traceError.empty()) {
        record.Fail(QString::fromStdString(traceError));
    }
    AppendRecord(log, record);
    if (result) {
        m_downloadStoppedAt = -1;
    } else {
        QString text = record.Message();
        if (m_downloadStoppedAt > 0 && record.Operation() != QLatin1String("download")) {
            text += QCoreApplication::translate(
                        "CtarnelDoc",
                        "\n\nThe switch took the registers before register %1 in the last "
                        "Download, so it is connected: it may be busy with a write cycle that "
                        "does not end. Switch it off and on, then try again.")
                        .arg(m_downloadStoppedAt);
        }
        ReportFailure(NamingPort(text), MessageCaption(), Prompter::Icon::Stop);
    }
    if (!traceError.empty()) {
        ReportFailure(QString::fromStdString(traceError),
                      QString::fromLatin1(CtarnelApp::kAppTitle), Prompter::Icon::Stop);
    }
    return result.ok;
}

bool CtarnelDoc::DownloadImage(LogRecord& record) {
    CtarnelApp* app = AfxGetApp();
    m_downloadStoppedAt = -1;
    return RunOnDevice(record, [this, app, &record](DeviceLink& link) {
        // The read-back goes to a scratch buffer: the image and the buffer
        // Verify shows stay as they are.
        EepromImage readBack{};
        const DeviceCommands::DownloadOutcome outcome =
            DeviceCommands::Download(link, app->m_image, readBack);
        if (outcome.stage == DeviceCommands::DownloadStage::writeFailed) {
            m_downloadStoppedAt = outcome.result.failedRegister;
        }
        if (outcome.stage >= DeviceCommands::DownloadStage::differs) {
            record.SetDevice(readBack);
            record.Compare(app->m_image, readBack);
        }
        return outcome.result;
    });
}

void CtarnelDoc::OnToolsUpload() {
    CtarnelApp* app = AfxGetApp();
    LogRecord record = NewRecord(QStringLiteral("upload"));
    if (!RunOnDevice(record, [&](DeviceLink& link) {
            const LinkResult result = link.ReadAll(app->m_image);
            if (result) {
                record.SetDevice(app->m_image);
            }
            return result;
        })) {
        return;
    }
    app->RepaintMainWindow();
    SetTitle(QCoreApplication::translate("CtarnelDoc", "Upload"));
}

void CtarnelDoc::OnToolsDownload() {
    CtarnelApp* app = AfxGetApp();
    LogRecord record = NewRecord(QStringLiteral("download"));
    record.SetFile(CurrentFilePath(), app->m_image);
    if (DownloadImage(record)) {
        app->GetPrompter().ShowMessage(DeviceMessages::DownloadCompleted(), MessageCaption(),
                                       Prompter::Icon::Information);
    }
}

void CtarnelDoc::OnToolsVerify() {
    CtarnelApp* app = AfxGetApp();
    CVerifyReportDlg report(app->m_pMainWnd);
    LogRecord record = NewRecord(QStringLiteral("verify"));
    record.SetFile(CurrentFilePath(), app->m_image);
    if (RunOnDevice(record, [&](DeviceLink& link) {
            const LinkResult result = link.ReadAll(app->m_readBack);
            if (result) {
                record.SetDevice(app->m_readBack);
                record.Compare(app->m_image, app->m_readBack);
            }
            return result;
        })) {
        app->GetPrompter().RunModal(report);
    }
}

void CtarnelDoc::OnToolsModify() {
    CtarnelApp* app = AfxGetApp();
    CRegisterEditDlg editor(app->m_pMainWnd);
    if (app->GetPrompter().RunModal(editor) == QDialog::Accepted) {
        app->RepaintMainWindow();
    }
}

void CtarnelDoc::OnDownloadDefault() {
    CtarnelApp* app = AfxGetApp();
    LogRecord record = NewRecord(QStringLiteral("download-default"));
    // The file stays open and locked until the device write is over.
    LockedFile held;
    const ImageFileResult loaded = ImageFile::Read(kDefaultImageFile, app->m_image, &held);
    if (!loaded.ok()) {
        // The production line learns of a station that lacks its image too.
        record.SetFile(QFileInfo(kDefaultImageFile).absoluteFilePath());
        record.Fail(loaded.Message());
        if (AuditLog log; OpenAuditLog(log)) {
            AppendRecord(log, record);
        }
        ReportFileError(loaded);
        return;
    }
    // Its full path: a later dialog may change the current directory, and
    // File > Save must still write the file that was loaded.
    app->m_strImageFile = QFileInfo(kDefaultImageFile).absoluteFilePath();
    app->RepaintMainWindow();
    // No message on success; a failure has been reported by then.
    record.SetFile(CurrentFilePath(), app->m_image);
    DownloadImage(record);
    SetTitle(kDefaultImageFile);
}

void CtarnelDoc::ReportFileError(const ImageFileResult& result) {
    // A file that cannot be opened (or is no image file) gets the exclamation
    // icon; an error while reading or writing the open file the stop icon.
    const Prompter::Icon icon = result.stage == ImageFileResult::Stage::Transfer
                                    ? Prompter::Icon::Stop
                                    : Prompter::Icon::Exclamation;
    ReportFailure(result.Message(), QString::fromLatin1(CtarnelApp::kAppTitle), icon);
}

void CtarnelDoc::ReportFailure(const QString& text, const QString& caption, Prompter::Icon icon) {
    AfxGetApp()->GetPrompter().ShowMessage(text, caption, icon);
    if (CMainFrame* frame = AfxGetApp()->m_pMainWnd) {
        frame->NoteFailure(text);
    }
}
