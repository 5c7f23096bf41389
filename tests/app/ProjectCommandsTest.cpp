// The project commands as a user meets them: opening each kind of project through Open,
// Open Recent and the command line, the messages of projects that fail, and New Project.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/MainFrame.h"
#include "app/SampleApp.h"
#include "app/SampleDoc.h"
#include "browser/FileBrowser.h"
#include "common/TempDevice.h"
#include "navigation/SampleView.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/registry/Registry.h"
#include "platform/shell/MenuBar.h"
#include "project/ProjectManager.h"
#include "resources/AppResources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

namespace {

// Each kind with a file of its format that holds one source file, a.c.
struct Kind {
  const char* extension;
  const char* type;
  std::string bytes;
};

std::string Wide(const std::u16string& s) {
  std::string out = "\xff\xfe\xff";
  out.push_back(static_cast<char>(s.size()));
  for (char16_t c : s) out += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return out;
}

// The classes of an empty .csp, before its path and folder.
const std::string kEmptyHead = std::string("\xff\xff\x02\x00\x0e\x00ProjectManager\xff\xff\x00\x00\x08\x00" "CObList2\x00\x00", 36);

std::string OneItemCsp() {
  return std::string("\xff\xff\x02\x00\x0e\x00ProjectManager\xff\xff\x00\x00\x08\x00" "CObList2\x01\x00", 36) +
         std::string("\xff\xff\x01\x00\x0c\x00" "CProjectItem\x01\x00", 20) + Wide(u"Pathname") + Wide(u"a.c") +
         Wide(u"\\My Documents\\p.csp") + Wide(u"\\My Documents\\");
}

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"csp", "CSP", OneItemCsp()},
      {"csproj", "CSPROJ", "<VisualStudioProject>\r\n  <File\r\n    RelPath = \"a.c\"\r\n  />\r\n</VisualStudioProject>\r\n"},
      {"vbproj", "CSPROJ", "<Project DefaultTargets=\"Build\">\r\n  <Compile Include=\"a.c\" />\r\n</Project>\r\n"},
      {"vcproj", "CSPROJ", "<VisualStudioProject\r\n\t<File\r\n\t\tRelativePath=\"a.c\">\r\n</VisualStudioProject>\r\n"},
      {"dsp", "DSP", "# Begin Source File\r\nSOURCE=a.c\r\n# End Source File\r\n"},
      {"vcp", "DSP", "# Begin Group \"G\"\r\nSOURCE=a.c\r\n# End Group\r\n"},
      {"vbp", "VBP", "Type=Exe\r\nForm=a.c\r\n"},
      {"ebp", "EBP", "Type=Exe\r\nModule=A; a.c\r\n"},
  };
  return kinds;
}

class ProjectCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseAppResources();
    setenv("XDG_DATA_HOME", (device.RootHost() + "/../xdg").c_str(), 1);
    const std::string runtime = device.RootHost() + "/../run";
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    CRegistry::Get().Reload();
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    screen->SetModalHook([this](CWnd* w) { Answer(w); });
  }
  void TearDown() override {
    if (started) {
      app.CloseAllDocuments(true);
      app.ExitInstance();
    }
    screen.reset();
    unsetenv("XDG_DATA_HOME");
  }
  bool Start(const std::u16string& commandLine = {}) {
    app.m_lpCmdLine = commandLine;
    started = app.InitInstance();
    return started;
  }
  CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(app.m_pMainWnd); }
  CSampleDoc* Doc() { return dynamic_cast<CSampleDoc*>(Frame()->GetActiveDocument()); }
  void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }
  std::u16string Recent(int n) {
    std::u16string path;
    app.GetRecentFile(n, path);
    return path;
  }
  // Whether Show Project is enabled, by its update handler and on the menu bar.
  bool ShowProjectEnabled() {
    CCmdUI ui(ID_SHOW_PROJECT);
    Frame()->OnCmdMsg(ID_SHOW_PROJECT, CN_UPDATE_COMMAND_UI, &ui);
    app.OnIdle(0);
    CMenuBar* bar = SHFindMenuBar(Frame());
    EXPECT_EQ(bar->IsButtonEnabled(ID_SHOW_PROJECT), ui.enabled);
    return ui.enabled;
  }
  std::vector<std::string> ProjectFiles() {
    std::vector<std::string> out;
    for (CObject* element : *app.GetCurrentProject()->GetItems()) {
      std::u16string path;
      static_cast<CProjectItem*>(element)->GetPathname(path);
      out.push_back(plat::Narrow(path));
    }
    return out;
  }

  // Message boxes are recorded and answered OK; the file browser takes the next name
  // given, or is cancelled.
  void Answer(CWnd* w) {
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
      messages.push_back(plat::Narrow(box->Text()));
      box->Press(IDOK);
    } else if (auto* browser = dynamic_cast<CFileBrowser*>(w)) {
      titles.push_back(plat::Narrow(browser->GetWindowText()));
      proposed.push_back(plat::Narrow(browser->GetDlgItemText(IDC_BROWSER_NAME)));
      if (names.empty()) {
        browser->PressButton(IDCANCEL);
        return;
      }
      browser->SetDlgItemText(IDC_BROWSER_NAME, names.front());
      names.erase(names.begin());
      browser->PressButton(IDOK);
    } else if (auto* dlg = dynamic_cast<CDialog*>(w)) {
      dlg->PressButton(IDCANCEL);
    }
  }

  TempDevice device;
  std::unique_ptr<CHeadlessScreen> screen;
  CSampleApp app;
  bool started = false;
  std::vector<std::string> messages, titles, proposed;
  std::vector<std::u16string> names;
};

TEST_F(ProjectCommandsTest, OpenTakesEveryProjectKindInAnyLetterCase) {
  ASSERT_TRUE(Start());
  EXPECT_FALSE(ShowProjectEnabled());
  for (const Kind& kind : Kinds()) {
    for (bool capitals : {false, true}) {
      std::string extension = kind.extension;
      if (capitals) for (char& c : extension) c = static_cast<char>(std::toupper(c));
      const std::string name = "My Proj." + extension;
      SCOPED_TRACE(name);
      TempDevice::WriteHostFile(device.DocHost(name), kind.bytes);
      names = {plat::Widen(name)};
      Command(ID_FILE_OPEN);
      ASSERT_NE(app.GetCurrentProject(), nullptr);
      EXPECT_EQ(app.GetCurrentProject()->GetType(), plat::Widen(kind.type));
      EXPECT_EQ(ProjectFiles(), std::vector<std::string>{"a.c"});
      // The project keeps the path as it is written; a .csp keeps the one stored in it.
      const bool csp = kind.extension == std::string("csp");
      EXPECT_EQ(app.GetCurrentProject()->GetPath(), csp ? u"\\My Documents\\p.csp" : device.DocDevice(name));
      EXPECT_EQ(Recent(0), device.DocDevice(name));
      EXPECT_EQ(Doc()->GetTitle(), u"Untitled.cpp");  // not opened as text
      EXPECT_TRUE(ShowProjectEnabled());
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(ProjectCommandsTest, AFailedProjectFromOpenIsShownAsText) {
  TempDevice::WriteHostFile(device.DocHost("bad.VCPROJ"), "not a project");
  TempDevice::WriteHostFile(device.DocHost("bad.csp"), "damaged");
  ASSERT_TRUE(Start());
  names = {u"bad.VCPROJ"};
  Command(ID_FILE_OPEN);
  EXPECT_EQ(messages, std::vector<std::string>{"Error loading project file."});
  EXPECT_EQ(Doc()->GetTitle(), u"bad.VCPROJ");
  EXPECT_NE(app.GetCurrentProject(), nullptr);  // the cleared project stays
  names = {u"bad.csp"};
  Command(ID_FILE_OPEN);
  EXPECT_EQ(messages.back(), "Load failed.");
  EXPECT_EQ(Doc()->GetTitle(), u"bad.csp");
  EXPECT_EQ(app.GetCurrentProject(), nullptr);
  EXPECT_FALSE(ShowProjectEnabled());
  EXPECT_EQ(Recent(0), device.DocDevice("bad.csp"));
}

TEST_F(ProjectCommandsTest, OpenRecentStopsAfterAFailedProjectAndKeepsTheRealName) {
  TempDevice::WriteHostFile(device.DocHost("Good.VBP"), "Form=main.frm\r\n");
  ASSERT_TRUE(Start());
  app.AddToRecentFileList(device.DocDevice("Good.VBP"));
  Command(ID_FILE_MRU_FILE1);
  ASSERT_NE(app.GetCurrentProject(), nullptr);
  EXPECT_EQ(app.GetCurrentProject()->GetPath(), device.DocDevice("Good.VBP"));
  EXPECT_EQ(ProjectFiles(), std::vector<std::string>{"main.frm"});
  // A folder where the project should be is refused and not opened as text.
  ASSERT_EQ(mkdir(device.DocHost("Gone.DSP").c_str(), 0700), 0);
  app.AddToRecentFileList(device.DocDevice("Gone.DSP"));
  Command(ID_FILE_MRU_FILE1);
  EXPECT_EQ(messages, std::vector<std::string>{"Error loading project file."});
  EXPECT_EQ(Doc()->GetTitle(), u"Untitled.cpp");
  EXPECT_EQ(Recent(0), device.DocDevice("Gone.DSP"));
  EXPECT_EQ(Recent(1), device.DocDevice("Good.VBP"));
  // A damaged .csp: its message, and nothing more.
  TempDevice::WriteHostFile(device.DocHost("Cut.csp"), OneItemCsp().substr(0, 40));
  app.AddToRecentFileList(device.DocDevice("Cut.csp"));
  Command(ID_FILE_MRU_FILE1);
  EXPECT_EQ(messages.back(), "Load failed.");
  EXPECT_EQ(Doc()->GetTitle(), u"Untitled.cpp");
  EXPECT_EQ(app.GetCurrentProject(), nullptr);
}

TEST_F(ProjectCommandsTest, TheCommandLineOpensAProject) {
  TempDevice::WriteHostFile(device.DocHost("Field.EBP"), "Class=Reading; Reading.cls\r\n");
  ASSERT_TRUE(Start(device.DocDevice("Field.EBP")));
  ASSERT_NE(app.GetCurrentProject(), nullptr);
  EXPECT_EQ(app.GetCurrentProject()->GetType(), u"EBP");
  EXPECT_EQ(ProjectFiles(), std::vector<std::string>{"Reading.cls"});
  EXPECT_EQ(Frame()->GetWindowText(), u"Tovin");
}

TEST_F(ProjectCommandsTest, NewProjectWritesTheEmptyProjectAtOnce) {
  ASSERT_TRUE(Start());
  CCmdUI ui(ID_FILE_NEW_PROJECT);
  ui.enabled = false;
  app.OnCmdMsg(ID_FILE_NEW_PROJECT, CN_UPDATE_COMMAND_UI, &ui);
  EXPECT_TRUE(ui.enabled);
  names = {u"mine.txt"};
  Command(ID_FILE_NEW_PROJECT);
  EXPECT_EQ(titles, std::vector<std::string>{"New Project"});
  EXPECT_EQ(proposed, std::vector<std::string>{"Untitled.csp"});
  // Whatever extension was typed, the project file is a .csp.
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("mine.csp")),
            kEmptyHead + Wide(u"\\My Documents\\mine.csp") + Wide(u"\\My Documents\\"));
  ASSERT_NE(app.GetCurrentProject(), nullptr);
  EXPECT_EQ(app.GetCurrentProject()->GetType(), u"CSP");
  EXPECT_EQ(Recent(0), u"\\My Documents\\mine.csp");
  EXPECT_TRUE(ShowProjectEnabled());
  // The next prompt proposes the project's folder.
  std::u16string folder;
  EXPECT_TRUE(app.GetInitialFolder(folder));
  EXPECT_EQ(folder, u"\\My Documents\\");
  // Cancelling still replaces the project, by a new one without a path.
  ProjectManager* before = app.GetCurrentProject();
  Command(ID_FILE_NEW_PROJECT);
  ASSERT_NE(app.GetCurrentProject(), nullptr);
  EXPECT_NE(app.GetCurrentProject(), before);
  EXPECT_EQ(app.GetCurrentProject()->GetPath(), u"");
  EXPECT_EQ(TempDevice::ListHost(device.DocumentsHost()), "mine.csp");
}

}  // namespace
