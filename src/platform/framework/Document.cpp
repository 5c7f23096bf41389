// CDocument: path and title, new/open/save with their messages, the save question, Save, Save As.
#include "platform/framework/Document.h"

#include <algorithm>

#include "platform/base/Errors.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/framework/AfxRes.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr char16_t kNotFound[] = u"%1 was not found.";
constexpr char16_t kBadPath[] = u"%1 contains an incorrect path.";
constexpr char16_t kSharing[] = u"Unable to read from %1, it is opened by someone else.";
constexpr char16_t kFailedToOpen[] = u"Failed to open document.";
constexpr char16_t kFailedToSave[] = u"Failed to save document.";
constexpr char16_t kAskToSave[] = u"Save changes to %1?";

std::u16string WithPath(std::u16string text, std::u16string_view path) {
  plat::ReplaceAllIn(text, u"%1", path);
  return text;
}

std::u16string FileNameOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string FullPath(std::u16string_view path) {
  return !path.empty() && path[0] == u'\\' ? plat::fs::NormalizeDevicePath(path) : std::u16string(path);
}

}  // namespace

std::u16string FileOpenErrorMessage(std::uint32_t error, std::u16string_view path) {
  switch (error) {
    case plat::ERROR_FILE_NOT_FOUND:
      return WithPath(kNotFound, path);
    case plat::ERROR_PATH_NOT_FOUND:
    case plat::ERROR_INVALID_NAME:
    case plat::ERROR_FILENAME_EXCED_RANGE:
      return WithPath(kBadPath, path);
    case plat::ERROR_SHARING_VIOLATION:
      return WithPath(kSharing, path);
    default:
      return kFailedToOpen;
  }
}

CDocument::CDocument() = default;

CDocument::~CDocument() {
  for (CView* v : views) v->m_pDocument = nullptr;
}

void CDocument::SetTitle(std::u16string_view title) {
  m_strTitle = title;
}

void CDocument::SetPathName(std::u16string_view path, bool addToRecentFiles) {
  m_strPathName = FullPath(path);
  SetTitle(FileNameOf(m_strPathName));
  if (addToRecentFiles)
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
}

bool CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  SetModifiedFlag(false);
  return true;
}

bool CDocument::OnOpenDocument(std::u16string_view path) {
  const std::u16string full = FullPath(path);
  plat::fs::File file;
  std::uint32_t error = file.Open(full, plat::fs::File::Access::Read);
  // The host says "not found" for a missing folder too; the handheld tells them apart.
  if (error == plat::ERROR_FILE_NOT_FOUND) {
    const auto slash = full.find_last_of(u'\\');
    const std::u16string folder = slash == std::u16string::npos || slash == 0 ? u"\\" : full.substr(0, slash);
    if (plat::fs::GetFileAttributes(folder) == plat::fs::INVALID_FILE_ATTRIBUTES) error = plat::ERROR_PATH_NOT_FOUND;
  }
  if (error != plat::ERROR_SUCCESS) {
    plat::MessageBox(FileOpenErrorMessage(error, full), plat::MB_OK | plat::MB_ICONWARNING);
    return false;
  }
  DeleteContents();
  SetModifiedFlag(true);  // dirty while it is being read
  CDocumentFile in;
  in.reading = &file;
  if (!Serialize(in)) {
    plat::MessageBox(kFailedToOpen, plat::MB_OK | plat::MB_ICONWARNING);
    DeleteContents();
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

bool CDocument::OnSaveDocument(std::u16string_view path) {
  plat::fs::AtomicFile file;
  CDocumentFile out;
  out.writing = &file;
  // The old file stays as it was unless the whole new one is written.
  if (file.Begin(FullPath(path), u"~sav") != plat::ERROR_SUCCESS || !Serialize(out) ||
      file.Commit() != plat::ERROR_SUCCESS) {
    file.Abort();
    plat::MessageBox(kFailedToSave, plat::MB_OK | plat::MB_ICONWARNING);
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

void CDocument::OnCloseDocument() {
  DeleteContents();
}

bool CDocument::SaveModified() {
  if (!IsModified()) return true;
  const std::u16string name =
      m_strPathName.empty() ? (m_strTitle.empty() ? u"Untitled" : m_strTitle) : FileNameOf(m_strPathName);
  switch (plat::MessageBox(WithPath(kAskToSave, name), plat::MB_YESNOCANCEL | plat::MB_ICONQUESTION)) {
    case plat::IDCANCEL:
      return false;
    case plat::IDYES:
      return DoFileSave();  // a save that failed keeps the document
    default:
      return true;
  }
}

bool CDocument::DoSave(std::u16string_view path, bool replace) {
  std::u16string target(path);
  if (target.empty()) {
    target = m_strPathName.empty() ? m_strTitle : m_strPathName;
    CWinApp* app = AfxGetApp();
    if (!app || !app->DoPromptFileName(target, true)) return false;  // cancelled: nothing saved
  }
  CWaitCursor wait;
  // A failed save leaves the chosen file as it was; it is not removed, since it may be a
  // file the user had before.
  if (!OnSaveDocument(target)) return false;
  if (replace) SetPathName(target);
  return true;
}

bool CDocument::DoFileSave() {
  const bool readOnly = !m_strPathName.empty() && [&] {
    const DWORD a = plat::fs::GetFileAttributes(m_strPathName);
    return a != plat::fs::INVALID_FILE_ATTRIBUTES && (a & plat::fs::FILE_ATTRIBUTE_READONLY);
  }();
  return DoSave(m_strPathName.empty() || readOnly ? std::u16string_view{} : std::u16string_view(m_strPathName));
}

bool CDocument::OnCmdMsg(UINT id, int code, CCmdUI*) {
  if (code != CN_COMMAND) return false;
  switch (id) {
    case ID_FILE_SAVE:
      OnFileSave();
      return true;
    case ID_FILE_SAVE_AS:
      OnFileSaveAs();
      return true;
    default:
      return false;
  }
}

void CDocument::AddView(CView* view) {
  if (!view || std::find(views.begin(), views.end(), view) != views.end()) return;
  if (view->m_pDocument && view->m_pDocument != this) view->m_pDocument->RemoveView(view);
  views.push_back(view);
  view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(views.begin(), views.end(), view);
  if (it == views.end()) return;
  views.erase(it);
  view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender) {
  for (CView* v : views)
    if (v != sender) v->Invalidate(true);
}
