// CSampleApp: the application object: one running copy, the settings root, the file
// associations, the document template, and the commands that open things.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/framework/WinApp.h"

class CNamedMutex;
class ProjectManager;

class CSampleApp : public CWinApp {
 public:
  // The name of the single-instance mutex: one fixed GUID in registry form.
  static constexpr char16_t kInstanceMutex[] = u"{6B1E3C52-5A7D-4E0B-9C3A-2F8D1E4B7A90}";
  static constexpr char16_t kProjectFilter[] = u"*.csproj;*.vbproj;*.vcproj;*.dsp;*.csp;*.ebp;*.vcp;*.vbp";

  CSampleApp();
  ~CSampleApp() override;

  bool InitInstance() override;
  int ExitInstance() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  bool DoPromptFileName(std::u16string& path, bool saving) override;

  ProjectManager* GetCurrentProject() const { return currentProject; }
  bool SetCurrentProject(ProjectManager* project) {
    currentProject = project;
    return true;
  }
  std::u16string& GetLastFilter() { return lastFilter; }
  // Whether the path was taken as a project (by its extension); projects arrive with the
  // project window, so for now no path is.
  bool OpenAsProject(std::u16string_view path);
  bool GetRecentFile(int index, std::u16string& path) const;
  void FocusActiveView();
  bool GetInitialFolder(std::u16string& folder);

  // The command line as the host gives it: a host path, which opens as its device path. A
  // path that no device path reaches cannot be opened: start-up says it was not found.
  void SetHostCommandLine(std::string_view hostPath);

  void OnNewSource();
  void OnOpen();
  void OnOpenRecent(UINT id);

  std::u16string lastFilter = kProjectFilter;
  // A copy drawing one screen into a file (the headless screen) stands beside a running
  // editor instead of handing over to it.
  bool singleInstance = true;

 private:
  ProjectManager* currentProject = nullptr;  // none until projects exist
  std::u16string pathOutsideDevice;          // a command-line host path no device path reaches
  std::unique_ptr<CNamedMutex> instanceMutex;
};
