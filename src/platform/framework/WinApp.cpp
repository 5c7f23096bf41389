// CWinApp: the loop and its idle update, profile operations, templates and the file commands.
#include "platform/framework/WinApp.h"

#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/RecentFileList.h"
#include "platform/registry/Registry.h"
#include "platform/shell/AygShell.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowManager.h"

namespace {
CWinApp* theApp = nullptr;
}

CWinApp* AfxGetApp() {
  return theApp;
}
CWnd* AfxGetMainWnd() {
  return theApp ? theApp->m_pMainWnd : nullptr;
}

CWinApp::CWinApp(std::u16string_view appName) : m_pszAppName(appName) {
  theApp = this;
  SHInitExtraControls();
  // Message boxes show as windows, captioned with the program's name, which also names the
  // host's window.
  InstallMessageBoxUi();
  plat::SetAppName(m_pszAppName);
  CWindowManager::Get().SetTitle(m_pszAppName);
}

CWinApp::~CWinApp() {
  // Frames and documents go before the application they call back.
  templates.clear();
  if (theApp == this) theApp = nullptr;
}

int CWinApp::ExitInstance() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
  CRegistry::Get().Flush();
  return exitCode;
}

int CWinApp::Run() {
  auto& wm = CWindowManager::Get();
  if (m_pMainWnd && wm.IsStarted()) {
    wm.onIdle = [this] { OnIdle(0); };
    exitCode = wm.Run();
    wm.onIdle = nullptr;
  }
  // The frames go first, so that they write their settings before the application does.
  CloseAllDocuments(true);
  return ExitInstance();
}

bool CWinApp::OnIdle(long) {
  if (m_pMainWnd && m_pMainWnd->IsWindow()) m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, 1, 0);
  return false;
}

void CWinApp::SetRegistryKey(std::u16string_view company) {
  CRegistry::Get().SetRegistryKey(company);
  CRegistry::Get().SetApplicationName(m_pszAppName);
}

int CWinApp::GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) {
  return CRegistry::Get().GetProfileInt(section, entry, defaultValue);
}

bool CWinApp::WriteProfileInt(std::u16string_view section, std::u16string_view entry, int value) {
  return CRegistry::Get().WriteProfileInt(section, entry, value);
}

std::u16string CWinApp::GetProfileString(std::u16string_view section, std::u16string_view entry,
                                         std::u16string_view defaultValue) {
  return CRegistry::Get().GetProfileString(section, entry, defaultValue);
}

bool CWinApp::WriteProfileString(std::u16string_view section, std::u16string_view entry, std::u16string_view value) {
  return CRegistry::Get().WriteProfileString(section, entry, value);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
  if (docTemplate) templates.push_back(std::move(docTemplate));
}

CDocument* CWinApp::OpenDocumentFile(std::u16string_view path) {
  if (templates.empty() || path.empty()) return nullptr;
  return templates.front()->OpenDocumentFile(path);
}

bool CWinApp::DoPromptFileName(std::u16string&, bool) {
  return false;
}

void CWinApp::CloseAllDocuments(bool endSession) {
  for (auto& t : templates) t->CloseAllDocuments(endSession);
}

bool CWinApp::SaveAllModified() {
  for (auto& t : templates)
    if (CDocument* doc = t->GetOpenDocument(); doc && !doc->SaveModified()) return false;
  return true;
}

void CWinApp::OnFileNew() {
  if (!templates.empty()) templates.front()->OpenDocumentFile({});
}

void CWinApp::OnFileOpen() {
  std::u16string path;
  if (DoPromptFileName(path, false)) OpenDocumentFile(path);
}

void CWinApp::OnAppExit() {
  // The main window's close asks the save question and ends the program.
  if (m_pMainWnd && m_pMainWnd->IsWindow()) m_pMainWnd->SendMessage(WM_CLOSE);
}

bool CWinApp::OnOpenRecentFile(UINT id) {
  if (!m_pRecentFileList) return false;
  const int n = static_cast<int>(id - ID_FILE_MRU_FILE1);
  if (n < 0 || n >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[n].empty()) return false;
  const std::u16string path = (*m_pRecentFileList)[n];
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(n);
  return true;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(ui);
  else
    ui->Enable(false);
}

bool CWinApp::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_UPDATE_COMMAND_UI) {
    if (id == ID_FILE_MRU_FILE1) {
      OnUpdateRecentFileMenu(ui);
      return true;
    }
    return false;
  }
  switch (id) {
    case ID_FILE_NEW:
      OnFileNew();
      return true;
    case ID_FILE_OPEN:
      OnFileOpen();
      return true;
    case ID_APP_EXIT:
      OnAppExit();
      return true;
    default:
      break;
  }
  if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) return OnOpenRecentFile(id);
  return false;
}

void CWinApp::LoadStdProfileSettings(int size) {
  m_pRecentFileList = std::make_unique<CRecentFileList>(0, u"Recent File List", u"File%d", size);
  m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(std::u16string_view path) {
  if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
  // No options: the command line is one path (a name with spaces stays whole).
  const std::u16string line = plat::Trim(m_lpCmdLine);
  info.m_strFileName = line;
  info.m_nShellCommand = line.empty() ? CCommandLineInfo::FileNew : CCommandLineInfo::FileOpen;
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      // Through the command route, so that the program's own New runs when it has one.
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
      return true;
  }
  return false;
}

void CWinApp::BeginWaitCursor() {
  ::BeginWaitCursor();
}
void CWinApp::EndWaitCursor() {
  ::EndWaitCursor();
}

int AfxWinMain(CWinApp& app) {
  if (!app.InitInstance()) {
    app.CloseAllDocuments(true);
    return app.ExitInstance();
  }
  return app.Run();
}
