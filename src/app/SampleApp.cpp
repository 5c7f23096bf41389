// CSampleApp.
#include "app/SampleApp.h"

#include "app/FileAssociations.h"
#include "app/FilePrompt.h"
#include "app/MainFrame.h"
#include "paths/PathHelpers.h"
#include "app/SampleDoc.h"
#include "navigation/SampleView.h"
#include "platform/base/Errors.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/RecentFileList.h"
#include "platform/fs/Mounts.h"
#include "platform/shell/AygShell.h"
#include "platform/shell/SingleInstance.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

CSampleApp::CSampleApp() : CWinApp(u"Tovin") {}

CSampleApp::~CSampleApp() = default;

bool CSampleApp::InitInstance() {
  // One copy runs: a later one brings the first forward and ends.
  if (singleInstance) instanceMutex = CNamedMutex::Create(kInstanceMutex);
  if (singleInstance && plat::GetLastError() == plat::ERROR_ALREADY_EXISTS) {
    ActivateRunningWindow(kInstanceMutex, u"Tovin");
    return false;
  }
  BeginWaitCursor();
  AygshellOrdinal9();
  SetRegistryKey(u"Farrowby Tovin");
  RegisterFileAssociations();
  LoadStdProfileSettings(3);
  AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RuntimeClass<CSampleDoc>(),
                                                      RuntimeClass<CMainFrame>(), RuntimeClass<CSampleView>()));
  OnFileNew();
  FocusActiveView();
  EndWaitCursor();
  if (!pathOutsideDevice.empty()) {
    plat::MessageBox(FileOpenErrorMessage(plat::ERROR_FILE_NOT_FOUND, pathOutsideDevice), u"Tovin",
                     plat::MB_OK | plat::MB_ICONWARNING);
    return false;
  }
  if (m_lpCmdLine.empty()) {
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info)) return false;
  } else if (!OpenAsProject(m_lpCmdLine) && !OpenDocumentFile(m_lpCmdLine)) {
    return false;
  }
  if (m_pMainWnd) m_pMainWnd->SetWindowText(u"Tovin");
  return true;
}

void CSampleApp::SetHostCommandLine(std::string_view hostPath) {
  m_lpCmdLine.clear();
  pathOutsideDevice.clear();
  if (hostPath.empty()) return;
  // Read as a device path, a host path would name a file under the device root instead.
  m_lpCmdLine = plat::fs::ToDevice(hostPath);
  if (m_lpCmdLine.empty()) pathOutsideDevice = plat::Widen(plat::fs::AbsoluteHostPath(hostPath));
}

int CSampleApp::ExitInstance() {
  instanceMutex.reset();
  return CWinApp::ExitInstance();
}

bool CSampleApp::DoPromptFileName(std::u16string& path, bool saving) {
  std::u16string filter = saving ? std::u16string() : lastFilter;
  if (!PromptForFile(path, filter, saving ? AFX_IDS_SAVEFILE : AFX_IDS_OPENFILE)) return false;
  lastFilter = filter;
  return true;
}

bool CSampleApp::OpenAsProject(std::u16string_view path) {
  (void)path;
  return false;
}

bool CSampleApp::GetRecentFile(int index, std::u16string& path) const {
  if (!m_pRecentFileList || index < 0 || index >= m_pRecentFileList->GetSize()) return false;
  path = (*m_pRecentFileList)[index];
  return true;
}

void CSampleApp::FocusActiveView() {
  auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  if (!frame) return;
  if (CView* view = frame->GetActiveView()) view->SetFocus();
}

bool CSampleApp::GetInitialFolder(std::u16string& folder) {
  folder.clear();
  auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  CDocument* doc = frame ? frame->GetActiveDocument() : nullptr;
  if (doc && !doc->GetPathName().empty()) {
    SplitPath(doc->GetPathName(), nullptr, &folder, nullptr, nullptr);
    if (!folder.empty()) folder.pop_back();  // without its trailing backslash
  }
  return true;
}

void CSampleApp::OnNewSource() {
  OnFileNew();
  FocusActiveView();
}

void CSampleApp::OnOpen() {
  std::u16string path;
  GetInitialFolder(path);
  if (path.empty()) path = u"\\My Documents\\";
  std::u16string filter = lastFilter;
  if (!PromptForFile(path, filter, AFX_IDS_OPENFILE)) return;
  lastFilter = filter;
  if (!OpenAsProject(path)) {
    if (CDocument* doc = OpenDocumentFile(path); doc && m_pMainWnd) m_pMainWnd->SetWindowText(doc->GetTitle());
  }
  AddToRecentFileList(path);  // also when it did not open
  FocusActiveView();
}

void CSampleApp::OnOpenRecent(UINT id) {
  const int n = static_cast<int>(id - ID_FILE_MRU_FILE1);
  std::u16string path;
  if (!GetRecentFile(n, path) || path.empty()) return;
  if (!OpenAsProject(path)) {
    if (!OpenDocumentFile(path)) {
      m_pRecentFileList->Remove(n);
    }
  }
  AddToRecentFileList(path);
  FocusActiveView();
}

bool CSampleApp::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_UPDATE_COMMAND_UI) {
    if (id == ID_FILE_NEW_PROJECT) {
      ui->Enable(false);  // a project needs the project file, which comes with projects
      return true;
    }
    return CWinApp::OnCmdMsg(id, code, ui);
  }
  switch (id) {
    case ID_FILE_NEW_SOURCE:
    case ID_FILE_NEW: OnNewSource(); return true;
    case ID_FILE_OPEN: OnOpen(); return true;
    default: break;
  }
  if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
    OnOpenRecent(id);
    return true;
  }
  return CWinApp::OnCmdMsg(id, code, ui);
}
