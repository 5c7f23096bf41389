// CSampleApp: the application object: one running copy, the settings root, the file
// associations, the document template, and the commands that open things.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/framework/WinApp.h"
#include "project/window/ProjectWindowHost.h"

class CNamedMutex;
class ProjectManager;

class CSampleApp : public CWinApp, public CProjectWindowHost {
 public:
  // The program's name: the settings key, the message boxes' caption, the main window's
  // title (which is how a second copy finds the first).
  static constexpr char16_t kAppName[] = u"Tovin";
  // The company key the settings live under.
  static constexpr char16_t kRegistryKey[] = u"Farrowby Tovin";
  // The name of the single-instance mutex: one fixed GUID in registry form.
  static constexpr char16_t kInstanceMutex[] = u"{6B1E3C52-5A7D-4E0B-9C3A-2F8D1E4B7A90}";
  static constexpr char16_t kProjectFilter[] = u"*.csproj;*.vbproj;*.vcproj;*.dsp;*.csp;*.ebp;*.vcp;*.vbp";

  CSampleApp();
  ~CSampleApp() override;

  bool InitInstance() override;
  int ExitInstance() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  bool DoPromptFileName(std::u16string& path, bool saving) override;

  ProjectManager* GetCurrentProject() const { return currentProject.get(); }
  // Replaces the current project (the previous one is deleted).
  bool SetCurrentProject(std::unique_ptr<ProjectManager> project);
  std::u16string& GetLastFilter() override { return lastFilter; }
  // Whether the path was taken as a project: its extension names a project kind and the
  // project loaded. A path taken goes to the front of the recent files and the project is
  // shown; a project file that failed has had its message.
  bool OpenAsProject(std::u16string_view path);
  bool GetRecentFile(int index, std::u16string& path) const override;
  void AddToRecentFileList(std::u16string_view path) override { CWinApp::AddToRecentFileList(path); }
  void FocusActiveView();
  bool GetInitialFolder(std::u16string& folder);

  // The command line as the host gives it: a host path, which opens as its device path. A
  // path that no device path reaches cannot be opened: start-up says it was not found.
  void SetHostCommandLine(std::string_view hostPath);

  // What the project window asks of the application.
  CWnd* GetProjectFrame() override { return m_pMainWnd; }
  void ActivateProjectFrame() override;
  void OpenProjectFile(std::u16string_view path) override;
  bool PromptForProjectFile(std::u16string& path, std::u16string& filter, UINT titleId) override;

  void OnNewSource();
  void OnNewProject();
  void OnOpen();
  void OnOpenRecent(UINT id);

  std::u16string lastFilter = kProjectFilter;
  // A copy drawing one screen into a file (the headless screen) stands beside a running
  // editor instead of handing over to it.
  bool singleInstance = true;

 private:
  enum class ProjectOpen { NotProject, Opened, Failed };
  // Opens path as the project kind its extension names (compared in lower case); the
  // path itself, in the case it has, becomes the project's path.
  ProjectOpen OpenProjectKind(std::u16string_view path);
  void ShowProject();

  std::unique_ptr<ProjectManager> currentProject;
  std::u16string pathOutsideDevice;  // a command-line host path no device path reaches
  std::unique_ptr<CNamedMutex> instanceMutex;
};
