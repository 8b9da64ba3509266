#include "CtarnelDoc.h"

#include <exception>

#include "CMainFrame.h"
#include "CRegisterEditDlg.h"
#include "CVerifyReportDlg.h"
#include "CommandIds.h"
#include "CtarnelApp.h"
#include "DeviceLink.h"
#include "DeviceMessages.h"
#include "ImageFile.h"
#include "LockedFile.h"
#include "PortFactory.h"
#include "Prompter.h"

namespace {
const QString kDefaultImageFile = QStringLiteral("default.dat");

QString MessageCaption() {
    return QString::fromLatin1(CtarnelApp::kMessageCaption);
}
}  // namespace

CtarnelDoc::CtarnelDoc() : m_strTitle(QStringLiteral("Untitled")) {}

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
        LoadImageFile(path);
    }
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
    const QString path = AfxGetApp()->GetPrompter().GetSavePath();
    if (path.isEmpty() || !WriteImageFile(path)) {
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

bool CtarnelDoc::RunOnDevice(const std::function<LinkResult(DeviceLink&)>& operation) {
    Prompter& prompter = AfxGetApp()->GetPrompter();
    LinkResult result;
    // Whatever goes wrong on the way to the device is this command's failure.
    try {
        const std::unique_ptr<DeviceLink> link = AfxGetApp()->Ports().OpenLink();
        result = operation(*link);
    } catch (const std::exception& error) {
        result = LinkResult::Failure(-1, error.what());
    }
    if (!result) {
        prompter.ShowMessage(QString::fromStdString(result.message), MessageCaption(),
                             Prompter::Icon::Stop);
    }
    const std::string traceError = AfxGetApp()->Ports().FlushTrace();
    if (!traceError.empty()) {
        prompter.ShowMessage(QString::fromStdString(traceError),
                             QString::fromLatin1(CtarnelApp::kAppTitle), Prompter::Icon::Stop);
    }
    return result.ok;
}

bool CtarnelDoc::DownloadImage() {
    CtarnelApp* app = AfxGetApp();
    EepromImage readBack{};
    const bool written = RunOnDevice([app, &readBack](DeviceLink& link) {
        LinkResult result = link.WriteAll(app->m_image);
        if (!result) {
            return result;
        }
        result = link.ReadAll(readBack);
        if (!result) {
            return LinkResult::Failure(
                -1, DeviceMessages::DownloadNotReadBack(QString::fromStdString(result.message))
                        .toStdString());
        }
        return result;
    });
    if (!written) {
        return false;
    }
    const QString notStored = DeviceMessages::DownloadNotStored(app->m_image, readBack);
    if (!notStored.isEmpty()) {
        app->GetPrompter().ShowMessage(notStored, MessageCaption(), Prompter::Icon::Stop);
        return false;
    }
    return true;
}

void CtarnelDoc::OnToolsUpload() {
    CtarnelApp* app = AfxGetApp();
    if (!RunOnDevice([app](DeviceLink& link) { return link.ReadAll(app->m_image); })) {
        return;
    }
    app->RepaintMainWindow();
    SetTitle(QStringLiteral("Upload"));
}

void CtarnelDoc::OnToolsDownload() {
    if (DownloadImage()) {
        AfxGetApp()->GetPrompter().ShowMessage(DeviceMessages::DownloadCompleted(),
                                               MessageCaption(), Prompter::Icon::Information);
    }
}

void CtarnelDoc::OnToolsVerify() {
    CtarnelApp* app = AfxGetApp();
    CVerifyReportDlg report(app->m_pMainWnd);
    if (RunOnDevice([app](DeviceLink& link) { return link.ReadAll(app->m_readBack); })) {
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
    // The file stays open and locked until the device write is over.
    LockedFile held;
    const ImageFileResult loaded = ImageFile::Read(kDefaultImageFile, app->m_image, &held);
    if (!loaded.ok()) {
        ReportFileError(loaded);
        return;
    }
    app->m_strImageFile = kDefaultImageFile;
    app->RepaintMainWindow();
    // No message on success; a failure has been reported by then.
    DownloadImage();
    SetTitle(kDefaultImageFile);
}

void CtarnelDoc::ReportFileError(const ImageFileResult& result) {
    // A file that cannot be opened (or is no image file) gets the exclamation
    // icon; an error while reading or writing the open file the stop icon.
    const Prompter::Icon icon = result.stage == ImageFileResult::Stage::Transfer
                                    ? Prompter::Icon::Stop
                                    : Prompter::Icon::Exclamation;
    AfxGetApp()->GetPrompter().ShowMessage(result.Message(),
                                           QString::fromLatin1(CtarnelApp::kAppTitle), icon);
}
