// CSampleDoc and CDocTextBuffer.
#include "app/SampleDoc.h"

#include <cstring>

#include "app/FilePrompt.h"
#include "app/LanguageForPath.h"
#include "app/SampleApp.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/framework/WinApp.h"
#include "platform/fs/Files.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "syntax/SyntaxLanguage.h"

void CDocTextBuffer::SetModified(bool flag) {
  if (owner) owner->SetModifiedFlag(flag);
}

CSampleDoc::CSampleDoc() : textBuffer(std::make_unique<CDocTextBuffer>(this)) {
  std::memset(&fontInfo, 0, sizeof fontInfo);
  fontInfo.lfWeight = FW_NORMAL;
  std::u16string_view face = u"Tahoma";
  face.copy(fontInfo.lfFaceName, face.size());
}

CSampleDoc::~CSampleDoc() = default;

void CSampleDoc::DeleteContents() {
  CDocument::DeleteContents();
  textBuffer->FreeAll();
}

bool CSampleDoc::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return false;
  SetTitle(kUntitled);
  textBuffer->InitNew(0);
  loadRefused = false;
  return true;
}

bool CSampleDoc::OnOpenDocument(std::u16string_view pathIn) {
  const std::u16string path(pathIn);  // may be this document's own path, replaced below
  if (!CDocument::OnOpenDocument(path)) return false;
  SetSyntaxLanguage(LanguageForPath(path));
  bool loaded;
  {
    CWaitCursor wait;
    loaded = textBuffer->LoadFromFile(path, -1);
  }
  loadRefused = !loaded;
  SetPathName(path, false);
  if (CWnd* main = AfxGetMainWnd()) main->SetWindowText(GetTitle());
  return loaded;
}

bool CSampleDoc::OnSaveDocument(std::u16string_view pathIn) {
  // A copy: the caller's text may be this document's own path, which SetPathName replaces.
  const std::u16string path(pathIn);
  const DWORD attributes = plat::fs::GetFileAttributes(path);
  if (attributes != plat::fs::INVALID_FILE_ATTRIBUTES && (attributes & plat::fs::FILE_ATTRIBUTE_READONLY)) {
    plat::MessageBox(AfxLoadString(IDS_SAVE_READ_ONLY_FILE), plat::MB_OK);
    return false;
  }
  SetSyntaxLanguage(LanguageForPath(path));
  bool saved;
  std::uint32_t error = 0;
  {
    CWaitCursor wait;
    saved = textBuffer->SaveToFile(path, -1, true);
    if (!saved) error = plat::GetLastError();
  }
  if (saved) {
    loadRefused = false;
    SetPathName(path, false);
    if (auto* app = dynamic_cast<CSampleApp*>(AfxGetApp())) app->AddToRecentFileList(path);
    return true;
  }
  if (error == plat::ERROR_ACCESS_DENIED) {
    plat::MessageBox(AfxLoadString(IDS_SAVE_ACCESS_DENIED), plat::MB_OK);
  } else {
    std::u16string text = AfxLoadString(IDS_SAVE_FAILED);
    plat::ReplaceAllIn(text, u"%1", plat::FromInt(static_cast<long long>(error)));
    plat::MessageBox(text, plat::MB_OK);
  }
  // A failed save is reported as one, so that the question before New, Open and Exit
  // keeps the text instead of throwing it away.
  return false;
}

bool CSampleDoc::DoFileSave() {
  if (GetTitle() == kUntitled || loadRefused) return SaveAs();
  const DWORD attributes = plat::fs::GetFileAttributes(GetPathName());
  if (attributes != plat::fs::INVALID_FILE_ATTRIBUTES && (attributes & plat::fs::FILE_ATTRIBUTE_READONLY)) return SaveAs();
  return OnSaveDocument(GetPathName());
}

bool CSampleDoc::SaveAs() {
  std::u16string path = GetPathName();
  if (path.empty()) path = u"\\My Documents\\Untitled";
  std::u16string filter;
  if (!PromptForFile(path, filter, AFX_IDS_SAVEFILE)) return false;
  const bool saved = OnSaveDocument(path);
  if (auto* app = dynamic_cast<CSampleApp*>(AfxGetApp())) app->lastFilter = filter;
  // Read back what was saved (title, language and caption afresh); after a failed save the
  // text on screen stays, rather than whatever the chosen file holds.
  if (saved) OnOpenDocument(path);
  return saved;
}

void CSampleDoc::OnToggleReadOnly() {
  if (textBuffer->GetReadOnly()) {
    textBuffer->SetReadOnly(false);
    return;
  }
  textBuffer->SetReadOnly(true);
  plat::MessageBox(AfxLoadString(IDS_NOW_READ_ONLY), plat::MB_OK);
}

bool CSampleDoc::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  switch (id) {
    case ID_FILE_TOGGLE_READONLY:
      if (code == CN_UPDATE_COMMAND_UI) ui->SetCheck(textBuffer->GetReadOnly() ? 1 : 0);
      else OnToggleReadOnly();
      return true;
    case ID_FILE_SAVE:
      if (code == CN_COMMAND) DoFileSave();
      return code == CN_COMMAND;
    case ID_FILE_SAVE_AS:
      if (code == CN_COMMAND) SaveAs();
      return code == CN_COMMAND;
    default: return CDocument::OnCmdMsg(id, code, ui);
  }
}
