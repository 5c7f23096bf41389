// The file prompt: its nine filters, the filter it starts with, its titles, its layout, what
// it gives back when the user confirms or cancels, and Ctrl+O in the program.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/FilePrompt.h"
#include "app/SampleApp.h"
#include "browser/FileBrowser.h"
#include "common/TempDevice.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/registry/Registry.h"
#include "resources/AppResources.h"
#include "resources/ResourceIds.h"

class FilePromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseAppResources();
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    TempDevice::WriteHostFile(device.DocHost("a.cpp"), "int a;\n");
  }
  // Runs the prompt; steps act on the browser as the user would.
  bool Prompt(std::u16string& path, std::u16string& filter, UINT titleId, const std::function<void(CFileBrowser&)>& steps) {
    screen->SetModalHook([&](CWnd* w) {
      if (auto* b = dynamic_cast<CFileBrowser*>(w)) steps(*b);
    });
    const bool ok = PromptForFile(path, filter, titleId);
    screen->SetModalHook(nullptr);
    return ok;
  }
  static CComboBox& TypeOf(CFileBrowser& b) { return *dynamic_cast<CComboBox*>(b.GetDlgItem(IDC_BROWSER_TYPE)); }

  TempDevice device;
  std::unique_ptr<CHeadlessScreen> screen;
};

TEST_F(FilePromptTest, OffersTheNineFiltersInOrder) {
  std::u16string path = device.DocDevice("a.cpp"), filter = u"*.*";
  std::vector<std::u16string> lines;
  Prompt(path, filter, AFX_IDS_OPENFILE, [&](CFileBrowser& b) {
    for (int i = 0; i < TypeOf(b).GetCount(); ++i) lines.push_back(TypeOf(b).GetLBText(i));
  });
  EXPECT_EQ(lines, (std::vector<std::u16string>{
                       u"All Files (*.*)", u"Project Files (*.csproj, etc.)", u"Visual Basic Files (*.bas, etc.)",
                       u"C# Source Files (*.cs)", u"C++ Source Files (*.cpp, etc.)", u"Internet Files (*.htm, etc.)",
                       u"Java Class Files (*.java)", u"Text Files (*.txt)", u"XML Files (*.xml, etc.)"}));
}

TEST_F(FilePromptTest, AnUnknownFilterStartsAtAllFilesAndCancelChangesNothing) {
  std::u16string path = device.DocDevice("a.cpp"), filter = u"*.csp";
  int shown = -1;
  const bool ok = Prompt(path, filter, AFX_IDS_OPENFILE, [&](CFileBrowser& b) {
    shown = TypeOf(b).GetCurSel();
    b.PressButton(IDCANCEL);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(path, device.DocDevice("a.cpp"));
  EXPECT_EQ(filter, u"*.csp");
}

TEST_F(FilePromptTest, ConfirmingGivesThePathAndTheFilterInUse) {
  std::u16string path = device.DocDevice("a.cpp"), filter = u"*.cpp;*.h;*.c";
  int shown = -1;
  const bool ok = Prompt(path, filter, AFX_IDS_SAVEFILE, [&](CFileBrowser& b) {
    shown = TypeOf(b).GetCurSel();
    b.SetDlgItemText(IDC_BROWSER_NAME, u"b.h");
    b.PressButton(IDOK);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(path, u"\\My Documents\\b.h");
  EXPECT_EQ(filter, u"*.cpp;*.h;*.c");
}

TEST_F(FilePromptTest, AnEmptyNameIsNoAnswer) {
  std::u16string path = u"\\", filter = u"*.*";
  const bool ok = Prompt(path, filter, IDS_ADD_FILE, [&](CFileBrowser& b) { b.PressButton(IDOK); });
  EXPECT_FALSE(ok);
  EXPECT_EQ(path, u"\\");
}

TEST_F(FilePromptTest, TitlesComeFromTheirStrings) {
  std::vector<std::u16string> titles;
  for (UINT id : {UINT{AFX_IDS_OPENFILE}, UINT{AFX_IDS_SAVEFILE}, UINT{IDS_NEW_PROJECT}, UINT{IDS_ADD_FILE}, UINT{12345}}) {
    std::u16string path = u"\\", filter = u"*.*";
    Prompt(path, filter, id, [&](CFileBrowser& b) { titles.push_back(b.GetWindowText()); });
  }
  EXPECT_EQ(titles, (std::vector<std::u16string>{u"Open", u"Save As", u"New Project", u"Add File", u""}));
}

TEST_F(FilePromptTest, ALandscapeScreenGetsTheLandscapeLayout) {
  screen.reset();
  screen = std::make_unique<CHeadlessScreen>(640, 480);
  std::u16string path = device.DocDevice("a.cpp"), filter = u"*.*";
  int nameWidth = 0;
  std::u16string proposed;
  Prompt(path, filter, AFX_IDS_OPENFILE, [&](CFileBrowser& b) {
    nameWidth = dynamic_cast<CListCtrl*>(b.GetDlgItem(IDC_BROWSER_LIST))->GetColumnWidth(0);
    proposed = b.GetDlgItemText(IDC_BROWSER_NAME);
  });
  EXPECT_EQ(nameWidth, 170);
  EXPECT_EQ(proposed, u"a.cpp");
}

TEST_F(FilePromptTest, CtrlOInTheProgramOpensTheChosenFileInTheWindow) {
  // The program writes its settings and desktop entry into this test's own folders.
  setenv("XDG_DATA_HOME", (device.RootHost() + "/../xdg").c_str(), 1);
  CRegistry::Get().Reload();
  TempDevice::WriteHostFile(device.DocHost("b.h"), "struct B;\r\n");
  CSampleApp app;
  app.singleInstance = false;
  ASSERT_TRUE(app.InitInstance());
  std::u16string title;
  screen->SetModalHook([&](CWnd* w) {
    if (dynamic_cast<CFileBrowser*>(w)) {
      title = w->GetWindowText();
      screen->Type(u"b.h");  // the name box has the focus
      screen->Key(VK_RETURN);
    }
  });
  screen->Key('O', CHeadlessScreen::Ctrl);
  screen->SetModalHook(nullptr);
  auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  CDocument* doc = frame->GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(title, u"Open");
  EXPECT_EQ(doc->GetPathName(), u"\\My Documents\\b.h");
  app.CloseAllDocuments(true);
  app.ExitInstance();
  unsetenv("XDG_DATA_HOME");
}
