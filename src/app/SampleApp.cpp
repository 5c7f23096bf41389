// CSampleApp.
#include "app/SampleApp.h"

#include "app/FileAssociations.h"
#include "app/FilePrompt.h"
#include "app/MainFrame.h"
#include "app/SampleDoc.h"
#include "navigation/SampleView.h"
#include "paths/PathHelpers.h"
#include "platform/base/Errors.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/RecentFileList.h"
#include "platform/fs/Mounts.h"
#include "platform/shell/AygShell.h"
#include "platform/shell/SingleInstance.h"
#include "platform/ui/Resources.h"
#include "project/ProjectFile.h"
#include "project/ProjectManager.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

CSampleApp::CSampleApp() : CWinApp(kAppName) {}

CSampleApp::~CSampleApp() = default;

bool CSampleApp::InitInstance() {
  // One copy runs: a later one brings the first forward and ends.
  if (singleInstance) instanceMutex = CNamedMutex::Create(kInstanceMutex);
  if (singleInstance && plat::GetLastError() == plat::ERROR_ALREADY_EXISTS) {
    ActivateRunningWindow(kInstanceMutex, kAppName);
    return false;
  }
  BeginWaitCursor();
  AygshellOrdinal9();
  SetRegistryKey(kRegistryKey);
  RegisterFileAssociations();
  LoadStdProfileSettings(3);
  AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RuntimeClass<CSampleDoc>(),
                                                      RuntimeClass<CMainFrame>(), RuntimeClass<CSampleView>()));
  OnFileNew();
  FocusActiveView();
  EndWaitCursor();
  if (!pathOutsideDevice.empty()) {
    plat::MessageBox(FileOpenErrorMessage(plat::ERROR_FILE_NOT_FOUND, pathOutsideDevice), kAppName,
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
  if (m_pMainWnd) m_pMainWnd->SetWindowText(kAppName);
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

bool CSampleApp::SetCurrentProject(std::unique_ptr<ProjectManager> project) {
  currentProject = std::move(project);
  return true;
}

namespace {
void ShowMessage(UINT id, const char16_t* fallback) {
  const CResourceModule* res = AfxGetResourceHandle();
  plat::MessageBox(res ? res->LoadString(id) : fallback, CSampleApp::kAppName, plat::MB_OK);
}
}  // namespace

CSampleApp::ProjectOpen CSampleApp::OpenProjectKind(std::u16string_view pathGiven) {
  // A copy: the path may be the current project's own, which goes before it is read.
  const std::u16string path(pathGiven);
  // Only the extension is compared in lower case: names on this system keep their case,
  // so the project is read, and shown, under the path as given.
  std::u16string extension;
  GetExtension(extension, path);
  extension = plat::ToLower(extension);
  if (extension == u"csp") {
    currentProject.reset();
    std::unique_ptr<ProjectManager> project = LoadProjectFile(path);
    if (!project) {
      EndWaitCursor();
      ShowMessage(IDS_PROJECT_LOAD_FAILED, u"Load failed.");
      return ProjectOpen::Failed;
    }
    project->SetType(ProjectManager::kTypeCsp);
    currentProject = std::move(project);
    return ProjectOpen::Opened;
  }
  const char16_t* type = nullptr;
  bool (ProjectManager::*import)() = nullptr;
  if (extension == u"csproj" || extension == u"vbproj" || extension == u"vcproj") {
    type = ProjectManager::kTypeCsproj;
    import = &ProjectManager::ImportVisualStudio;
  } else if (extension == u"dsp" || extension == u"vcp") {
    type = ProjectManager::kTypeDsp;
    import = &ProjectManager::ImportDsp;
  } else if (extension == u"vbp") {
    type = ProjectManager::kTypeVbp;
    import = &ProjectManager::ImportVb;
  } else if (extension == u"ebp") {
    type = ProjectManager::kTypeEbp;
    import = &ProjectManager::ImportVb;
  } else {
    return ProjectOpen::NotProject;
  }
  // A foreign project reuses the current project object.
  if (!currentProject) currentProject = std::make_unique<ProjectManager>();
  currentProject->Clear();
  currentProject->SetType(type);
  currentProject->SetPath(path);
  if ((currentProject.get()->*import)()) return ProjectOpen::Opened;
  EndWaitCursor();
  ShowMessage(IDS_PROJECT_IMPORT_FAILED, u"Error loading project file.");
  return ProjectOpen::Failed;
}

void CSampleApp::ShowProject() {
  if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) frame->OnShowProject();
}

bool CSampleApp::OpenAsProject(std::u16string_view path) {
  BeginWaitCursor();
  const ProjectOpen result = OpenProjectKind(path);
  if (result != ProjectOpen::Failed) EndWaitCursor();  // a failure took it down before its message
  if (result != ProjectOpen::Opened) return false;
  AddToRecentFileList(path);
  ShowProject();
  return true;
}

bool CSampleApp::GetRecentFile(int index, std::u16string& path) const {
  if (!m_pRecentFileList || index < 0 || index >= m_pRecentFileList->GetSize()) return false;
  path = (*m_pRecentFileList)[index];
  return true;
}

void CSampleApp::ActivateProjectFrame() {
  if (m_pMainWnd) m_pMainWnd->SetFocus();
  FocusActiveView();
}

void CSampleApp::OpenProjectFile(std::u16string_view path) {
  // The frame shows the file opened, as after Open.
  if (CDocument* doc = OpenDocumentFile(path); doc && m_pMainWnd) m_pMainWnd->SetWindowText(doc->GetTitle());
}

bool CSampleApp::PromptForProjectFile(std::u16string& path, std::u16string& filter, UINT titleId) {
  return PromptForFile(path, filter, titleId);
}

void CSampleApp::FocusActiveView() {
  auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
  if (!frame) return;
  if (CView* view = frame->GetActiveView()) view->SetFocus();
}

bool CSampleApp::GetInitialFolder(std::u16string& folder) {
  folder.clear();
  if (currentProject) {
    folder = currentProject->GetDirectory();
    return true;
  }
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

void CSampleApp::OnNewProject() {
  std::u16string filter = u"*.csp";
  std::u16string path;
  GetInitialFolder(path);
  if (path.empty()) path = u"\\My Documents\\Untitled.csp";
  // The new project replaces the current one even when the prompt is cancelled.
  currentProject = std::make_unique<ProjectManager>();
  currentProject->SetType(ProjectManager::kTypeCsp);
  if (!PromptForFile(path, filter, IDS_NEW_PROJECT)) return;
  lastFilter = filter;
  ChangeExtension(path, u"csp");
  currentProject->SetPath(path);
  BeginWaitCursor();
  currentProject->Save();  // a project that cannot be written stays open unsaved, unannounced
  EndWaitCursor();
  AddToRecentFileList(path);
  ShowProject();
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
  BeginWaitCursor();
  const ProjectOpen result = OpenProjectKind(path);
  if (result != ProjectOpen::Failed) EndWaitCursor();
  if (result == ProjectOpen::Opened) {
    ShowProject();
  } else if (result == ProjectOpen::NotProject && !OpenDocumentFile(path)) {
    // A project that failed has had its message and is not opened as text either.
    m_pRecentFileList->Remove(n);
  }
  AddToRecentFileList(path);
  FocusActiveView();
}

bool CSampleApp::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_UPDATE_COMMAND_UI) {
    if (id == ID_FILE_NEW_PROJECT) {
      ui->Enable(true);
      return true;
    }
    return CWinApp::OnCmdMsg(id, code, ui);
  }
  switch (id) {
    case ID_FILE_NEW_SOURCE:
    case ID_FILE_NEW: OnNewSource(); return true;
    case ID_FILE_NEW_PROJECT: OnNewProject(); return true;
    case ID_FILE_OPEN: OnOpen(); return true;
    default: break;
  }
  if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
    OnOpenRecent(id);
    return true;
  }
  return CWinApp::OnCmdMsg(id, code, ui);
}
