// CWinApp: the application object: start-up, the loop and idle update, settings, templates, files.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/AfxRes.h"
#include "platform/ui/Wnd.h"

class CDocTemplate;
class CDocument;
class CRecentFileList;

// What the command line asks for: a new document, or a file to open.
struct CCommandLineInfo {
  enum ShellCommand { FileNew, FileOpen, FileNothing };
  ShellCommand m_nShellCommand = FileNew;
  std::u16string m_strFileName;
};

class CWinApp : public CCmdTarget {
 public:
  // appName is the program's name: the settings key under the company's, the caption of
  // message boxes and the main window's title until a document names it.
  explicit CWinApp(std::u16string_view appName);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Start-up; false ends the program before its loop runs.
  virtual bool InitInstance() { return true; }
  // Shut-down after the loop: the recent files written, the settings flushed; returns the
  // program's exit code.
  virtual int ExitInstance();
  // The message loop until the program quits (the idle update between messages); then the
  // frames and documents are closed and ExitInstance gives the result.
  virtual int Run();
  // The idle work: WM_IDLEUPDATECMDUI to the main window, whose update handlers then
  // enable its buttons. False: no more idle work wanted.
  virtual bool OnIdle(long count);

  CWnd* m_pMainWnd = nullptr;   // the main frame (owned by its document template)
  std::u16string m_pszAppName;  // the program's name: the settings key under the company's
  std::u16string m_lpCmdLine;   // the whole command line, as given

  // The settings store: Software\<company>\<application>\<section>.
  void SetRegistryKey(std::u16string_view company);
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue);
  bool WriteProfileInt(std::u16string_view section, std::u16string_view entry, int value);
  std::u16string GetProfileString(std::u16string_view section, std::u16string_view entry,
                                  std::u16string_view defaultValue = {});
  bool WriteProfileString(std::u16string_view section, std::u16string_view entry, std::u16string_view value);

  void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
  const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return templates; }
  // Opens path through the first template; null when it did not open.
  virtual CDocument* OpenDocumentFile(std::u16string_view path);
  // Asks the user for a file (saving: a name to save under); false when cancelled. The
  // framework has nobody to ask: the program's file prompt comes in here.
  virtual bool DoPromptFileName(std::u16string& path, bool saving);
  // Closes every frame and document (after the loop, or when start-up failed).
  void CloseAllDocuments(bool endSession);
  // Asks each document's save question; false when one was cancelled or failed to save.
  bool SaveAllModified();

  // The framework's commands: New, Open, Exit and the recent files.
  virtual void OnFileNew();
  virtual void OnFileOpen();
  virtual void OnAppExit();
  // Opens recent file id - ID_FILE_MRU_FILE1; an entry that does not open leaves the list.
  virtual bool OnOpenRecentFile(UINT id);
  virtual void OnUpdateRecentFileMenu(CCmdUI* ui);
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

  // The recent files of the framework: section "Recent File List", "File%d", size entries.
  void LoadStdProfileSettings(int size = 4);
  // Puts path at the front of the recent files (the document does after it is saved).
  virtual void AddToRecentFileList(std::u16string_view path);
  std::unique_ptr<CRecentFileList> m_pRecentFileList;

  // The command line: empty asks for a new document; anything else is one path.
  void ParseCommandLine(CCommandLineInfo& info) const;
  bool ProcessShellCommand(CCommandLineInfo& info);

  void BeginWaitCursor();
  void EndWaitCursor();

 private:
  std::vector<std::unique_ptr<CDocTemplate>> templates;
  int exitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Runs the application: InitInstance, then Run; when start-up fails, its frames and
// documents are closed and ExitInstance gives the result.
int AfxWinMain(CWinApp& app);
