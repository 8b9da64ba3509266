#include "CtarnelDoc.h"

#include "CMainFrame.h"
#include "CommandIds.h"
#include "CtarnelApp.h"
#include "ImageFile.h"
#include "Prompter.h"

CtarnelDoc::CtarnelDoc() : m_strTitle(QStringLiteral("Untitled")) {}

bool CtarnelDoc::OnCmdMsg(int id) {
    static const CommandMap<CtarnelDoc> map = {
        {CommandId::FileSave, &CtarnelDoc::OnFileSave},
        {CommandId::FileSaveAs, &CtarnelDoc::OnFileSaveAs},
        {CommandId::FileNew, &CtarnelDoc::OnFileNew},
        {CommandId::FileOpen, &CtarnelDoc::OnFileOpen},
    };
    return DispatchCommand(*this, map, id);
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

void CtarnelDoc::ReportFileError(const ImageFileResult& result) {
    // A file that cannot be opened (or is no image file) gets the exclamation
    // icon; an error while reading or writing the open file the stop icon.
    const Prompter::Icon icon = result.stage == ImageFileResult::Stage::Transfer
                                    ? Prompter::Icon::Stop
                                    : Prompter::Icon::Exclamation;
    AfxGetApp()->GetPrompter().ShowMessage(result.Message(),
                                           QString::fromLatin1(CtarnelApp::kAppTitle), icon);
}
