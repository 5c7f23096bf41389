// The application as a user meets it: start-up, New, Open, Save and Save As with their
// questions and messages, the read-only switch, the Tools menu and Find Next.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/FileAssociations.h"
#include "app/MainFrame.h"
#include "app/SampleApp.h"
#include "app/SampleDoc.h"
#include "browser/FileBrowser.h"
#include "common/TempDevice.h"
#include "navigation/SampleView.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"
#include "platform/registry/Registry.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "platform/shell/Process.h"
#include "tools/ToolsFile.h"

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseAppResources();
    setenv("XDG_DATA_HOME", (device.RootHost() + "/../xdg").c_str(), 1);
    // The single-instance lock of this test only, not of a program the user runs.
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
  CSampleView* View() { return dynamic_cast<CSampleView*>(Frame()->GetActiveView()); }
  void Command(UINT id) { Frame()->SendMessage(WM_COMMAND, id, 0); }
  std::string Text() {
    auto* b = Doc()->GetTextBuffer();
    std::string out;
    for (int i = 0; i < b->GetLineCount(); ++i)
      out += (i ? "|" : "") + plat::Narrow(std::u16string(b->GetLineChars(i), static_cast<std::size_t>(b->GetLineLength(i))));
    return out;
  }

  // Message boxes are answered with the next answer given (OK when none is left) and
  // recorded; the file browser takes the next name given, or is cancelled.
  void Answer(CWnd* w) {
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
      messages.push_back(plat::Narrow(box->Text()));
      int answer = IDOK;
      if (!boxAnswers.empty()) {
        answer = boxAnswers.front();
        boxAnswers.erase(boxAnswers.begin());
      }
      if (!box->Press(answer)) box->Press(IDOK);
    } else if (auto* browser = dynamic_cast<CFileBrowser*>(w)) {
      ++prompts;
      if (names.empty()) {
        browser->PressButton(IDCANCEL);
        return;
      }
      browser->SetDlgItemText(kNameBox, names.front());
      names.erase(names.begin());
      browser->PressButton(IDOK);
    } else if (auto* dlg = dynamic_cast<CDialog*>(w)) {
      if (dialogSteps.empty()) {
        dlg->PressButton(IDCANCEL);
        return;
      }
      auto step = std::move(dialogSteps.front());
      dialogSteps.erase(dialogSteps.begin());
      step(*dlg);
    }
  }

  static constexpr UINT kNameBox = IDC_BROWSER_NAME;
  TempDevice device;
  std::unique_ptr<CHeadlessScreen> screen;
  CSampleApp app;
  bool started = false;
  std::vector<std::string> messages;
  std::vector<int> boxAnswers;
  std::vector<std::u16string> names;
  int prompts = 0;
  // Other dialogs take the next step given, in the order they open; none left: Cancel.
  std::vector<std::function<void(CDialog&)>> dialogSteps;
};

TEST_F(ApplicationTest, StartsWithAnUntitledTextAndWritesItsSettings) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(Doc()->GetTitle(), u"Untitled.cpp");
  EXPECT_EQ(Frame()->GetWindowText(), u"Tovin");
  EXPECT_EQ(CWnd::GetFocus(), View());
  EXPECT_FALSE(View()->GetSelectionMargin());
  std::u16string value;
  EXPECT_TRUE(CRegistry::Get().GetValue(HKEY_CLASSES_ROOT, u".cpp", u"", value));
  EXPECT_EQ(value, u"tovin_file");
  EXPECT_EQ(Frame()->GetFontName(), u"Courier New");
  EXPECT_EQ(Frame()->GetFontSize(), 8);
}

TEST_F(ApplicationTest, ACommandLineWithBlanksIsOnePath) {
  TempDevice::WriteHostFile(device.DocHost("my file.cpp"), "int x;\r\n");
  ASSERT_TRUE(Start(u"\\My Documents\\my file.cpp"));
  EXPECT_EQ(Doc()->GetTitle(), u"my file.cpp");
  EXPECT_EQ(Text(), "int x;|");
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ApplicationTest, AMissingCommandLineFileEndsTheProgramWithItsMessage) {
  EXPECT_FALSE(Start(u"\\My Documents\\none.cpp"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "\\My Documents\\none.cpp was not found.");
}

TEST_F(ApplicationTest, NewAsksToSaveAChangedText) {
  ASSERT_TRUE(Start());
  screen->Type(u"hello");
  ASSERT_TRUE(Doc()->IsModified());
  boxAnswers = {IDCANCEL};
  Command(ID_FILE_NEW);
  EXPECT_EQ(messages.back(), "Save changes to Untitled.cpp?");
  EXPECT_EQ(Text(), "hello");  // cancelled: nothing happens
  boxAnswers = {IDYES};
  Command(ID_FILE_NEW);  // Yes on a new text asks for a name; cancelling that keeps it
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(Text(), "hello");
  boxAnswers = {IDNO};
  Command(ID_FILE_NEW);
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ApplicationTest, SaveAsThroughTheBrowserThenSaveInPlace) {
  ASSERT_TRUE(Start());
  screen->Type(u"abc");
  names = {u"out.php"};
  Command(ID_FILE_SAVE);  // a new text asks for a name
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("out.php")), "abc");
  EXPECT_EQ(Doc()->GetTitle(), u"out.php");
  EXPECT_FALSE(Doc()->IsModified());
  screen->Key(VK_END, CHeadlessScreen::Ctrl);  // the saved file was read back: the caret is at the top
  screen->Type(u"d");
  Command(ID_FILE_SAVE);  // in place now
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("out.php")), "abcd");
  std::u16string recent;
  ASSERT_TRUE(app.GetRecentFile(0, recent));
  EXPECT_EQ(recent, u"\\My Documents\\out.php");
}

TEST_F(ApplicationTest, SavingReportsReadOnlyFilesAndErrors) {
  TempDevice::WriteHostFile(device.DocHost("a.cpp"), "old");
  ASSERT_TRUE(Start(u"\\My Documents\\a.cpp"));
  screen->Type(u"x");
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string& host) -> std::uint32_t {
    return op == plat::fs::FsOp::Write && host.ends_with("a.cpp") ? plat::ERROR_ACCESS_DENIED : 0;
  });
  EXPECT_FALSE(Doc()->OnSaveDocument(u"\\My Documents\\a.cpp"));
  EXPECT_EQ(messages.back(), "The file was not saved.\r\n\r\nThe existing file is read-only.");
  Command(ID_FILE_SAVE);  // a read-only file asks for another name
  EXPECT_EQ(prompts, 1);
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::CreateTemp ? plat::ERROR_ACCESS_DENIED : 0;
  });
  EXPECT_FALSE(Doc()->OnSaveDocument(u"\\My Documents\\a.cpp"));
  EXPECT_EQ(messages.back(), "Error: Access denied.\r\n\r\nThe file was not saved.\r\nPerhaps the read-only flag is set?");
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::Write ? plat::ERROR_DISK_FULL : 0;
  });
  EXPECT_FALSE(Doc()->OnSaveDocument(u"\\My Documents\\a.cpp"));
  EXPECT_EQ(messages.back(), "Error 112\r\nThe file was not saved.");
  plat::fs::SetFaultHook(nullptr);
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("a.cpp")), "old");
}

TEST_F(ApplicationTest, ExitWithAFailingSaveKeepsTheText) {
  TempDevice::WriteHostFile(device.DocHost("a.cpp"), "old");
  ASSERT_TRUE(Start(u"\\My Documents\\a.cpp"));
  screen->Type(u"new ");
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::Write ? plat::ERROR_DISK_FULL : 0;
  });
  boxAnswers = {IDYES};
  Frame()->SendMessage(WM_CLOSE);
  plat::fs::SetFaultHook(nullptr);
  ASSERT_TRUE(Frame() && Frame()->IsWindow());  // still there, with its text
  EXPECT_EQ(Text(), "new old");
  EXPECT_EQ(messages.back(), "Error 112\r\nThe file was not saved.");
}

TEST_F(ApplicationTest, ARefusedFileIsNeverSavedOverByPlainSave) {
  TempDevice::WriteHostFile(device.DocHost("long.txt"), std::string(3000, 'x') + "\r\n");
  ASSERT_TRUE(Start());
  app.OpenDocumentFile(u"\\My Documents\\long.txt");
  EXPECT_EQ(messages.back(), "Tovin is unable to open files that contain more than 2048 characters on a single line.");
  EXPECT_EQ(Doc()->GetTitle(), u"long.txt");
  screen->Type(u"y");
  Command(ID_FILE_SAVE);  // asks for a name instead
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("long.txt")).size(), 3002u);
}

TEST_F(ApplicationTest, ReadOnlySwitchSpeaksOnlyWhenItLocks) {
  ASSERT_TRUE(Start());
  Command(ID_FILE_TOGGLE_READONLY);
  EXPECT_TRUE(Doc()->GetTextBuffer()->GetReadOnly());
  EXPECT_EQ(messages, std::vector<std::string>{"Document now read-only!"});
  Command(ID_FILE_TOGGLE_READONLY);
  EXPECT_FALSE(Doc()->GetTextBuffer()->GetReadOnly());
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ApplicationTest, RecentFilesHoldThreeNewestFirst) {
  ASSERT_TRUE(Start());
  for (const char* name : {"1.cpp", "2.cpp", "3.cpp", "4.cpp"}) {
    TempDevice::WriteHostFile(device.DocHost(name), name);
    names = {plat::Widen(name)};
    Command(ID_FILE_OPEN);
  }
  std::u16string path;
  ASSERT_TRUE(app.GetRecentFile(0, path));
  EXPECT_EQ(path, u"\\My Documents\\4.cpp");
  ASSERT_TRUE(app.GetRecentFile(2, path));
  EXPECT_EQ(path, u"\\My Documents\\2.cpp");
  EXPECT_FALSE(app.GetRecentFile(3, path));
  EXPECT_EQ(Text(), "4.cpp");
}

TEST_F(ApplicationTest, TheToolsMenuIsRebuiltWithoutDuplicates) {
  ASSERT_TRUE(Start());
  CMenuBar* bar = SHFindMenuBar(Frame());
  ASSERT_NE(bar, nullptr);
  CMenu* tools = bar->GetPopup(2);
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(tools->GetMenuString(0), u"Show Project...");
  tools->AppendMenu(MF_STRING, ID_TOOL_FIRST, u"left over");
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
  EXPECT_EQ(tools->GetMenuItemCount(), CMainFrame::kFixedToolsItems);
  // The Show Project button and its key do nothing while no project is open.
  CCmdUI ui(ID_SHOW_PROJECT);
  Frame()->OnCmdMsg(ID_SHOW_PROJECT, CN_UPDATE_COMMAND_UI, &ui);
  EXPECT_FALSE(ui.enabled);
}

TEST_F(ApplicationTest, TheToolsOfTovinMenuFollowTheFixedItemsOncePerOpening) {
  {
    ToolsMenu saved;
    for (const char16_t* name : {u"Compile", u"Terminal"}) {
      auto* tool = new ToolItem();
      tool->SetDescription(name);
      saved.AddTool(tool);
    }
    ASSERT_TRUE(SaveToolsMenu(saved, u"\\Tovin.menu"));
  }
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame()->GetToolCount(), 2);
  CMenu* tools = SHFindMenuBar(Frame())->GetPopup(2);
  ASSERT_NE(tools, nullptr);
  for (int opening = 0; opening < 2; ++opening) {
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
    ASSERT_EQ(tools->GetMenuItemCount(), CMainFrame::kFixedToolsItems + 2);
    EXPECT_EQ(tools->GetMenuString(CMainFrame::kFixedToolsItems), u"Compile");
    EXPECT_EQ(tools->GetMenuItemID(CMainFrame::kFixedToolsItems), ID_TOOL_FIRST);
    EXPECT_EQ(tools->GetMenuString(CMainFrame::kFixedToolsItems + 1), u"Terminal");
    EXPECT_EQ(tools->GetMenuItemID(CMainFrame::kFixedToolsItems + 1), ID_TOOL_FIRST + 1);
  }
  // The list in memory is what the menu shows; saving and loading keep it.
  Frame()->GetToolsMenu()->RemoveTool(Frame()->GetToolsMenu()->GetAt(0));
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
  EXPECT_EQ(tools->GetMenuItemCount(), CMainFrame::kFixedToolsItems + 1);
  ASSERT_TRUE(Frame()->SaveTools());
  Frame()->LoadTools();
  ASSERT_EQ(Frame()->GetToolCount(), 1);
  std::u16string description;
  Frame()->GetToolsMenu()->GetAt(0)->GetDescription(description);
  EXPECT_EQ(description, u"Terminal");
  // A file that is not a tools list leaves the menu with its fixed items only.
  TempDevice::WriteHostFile(device.RootHost() + "/Tovin.menu", "not a tools list");
  Frame()->LoadTools();
  Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
  EXPECT_EQ(tools->GetMenuItemCount(), CMainFrame::kFixedToolsItems);
}

namespace {
std::u16string DescriptionOf(const ToolItem* tool) {
  std::u16string d;
  if (tool) tool->GetDescription(d);
  return d;
}
}  // namespace

TEST_F(ApplicationTest, CustomizeWritesTheToolsWhenConfirmedAndKeepsEditsInMemoryOtherwise) {
  ASSERT_TRUE(Start());
  CCmdUI ui(ID_TOOLS_CUSTOMIZE);
  Frame()->OnCmdMsg(ID_TOOLS_CUSTOMIZE, CN_UPDATE_COMMAND_UI, &ui);
  EXPECT_TRUE(ui.enabled);
  const std::string file = device.RootHost() + "/Tovin.menu";
  // Confirmed: a new tool, written and read back.
  dialogSteps = {
      [](CDialog& editor) {
        editor.PressButton(IDC_TOOLS_ADD);
        editor.PressButton(IDOK);
      },
      [](CDialog& properties) {
        properties.SetDlgItemText(IDC_TOOL_DESCRIPTION, u"Compile");
        properties.SetDlgItemText(IDC_TOOL_COMMAND_LINE, u"cc");
        properties.PressButton(IDOK);
      },
  };
  Command(ID_TOOLS_CUSTOMIZE);
  ASSERT_EQ(Frame()->GetToolCount(), 1);
  EXPECT_EQ(DescriptionOf(Frame()->GetToolsMenu()->GetAt(0)), u"Compile");
  std::unique_ptr<ToolsMenu> written(LoadToolsMenu(u"\\Tovin.menu"));
  ASSERT_EQ(written->GetCount(), 1);
  EXPECT_EQ(DescriptionOf(written->GetAt(0)), u"Compile");
  const std::string bytes = TempDevice::ReadHostFile(file);

  // Cancelled: nothing is written, but the list editor's removal stands in memory.
  dialogSteps = {[](CDialog& editor) {
    editor.PressButton(IDC_TOOLS_REMOVE);
    editor.PressButton(IDCANCEL);
  }};
  Command(ID_TOOLS_CUSTOMIZE);
  EXPECT_EQ(Frame()->GetToolCount(), 0);
  EXPECT_EQ(TempDevice::ReadHostFile(file), bytes);

  // Confirmed while the file cannot be written: the old file stays whole and the edits
  // stay in memory, for the next confirmation to write.
  dialogSteps = {
      [](CDialog& editor) {
        editor.PressButton(IDC_TOOLS_ADD);
        editor.PressButton(IDOK);
      },
      [](CDialog& properties) { properties.PressButton(IDOK); },
  };
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::Write ? plat::ERROR_DISK_FULL : 0;
  });
  Command(ID_TOOLS_CUSTOMIZE);
  plat::fs::SetFaultHook(nullptr);
  EXPECT_TRUE(messages.empty());
  ASSERT_EQ(Frame()->GetToolCount(), 1);
  EXPECT_EQ(DescriptionOf(Frame()->GetToolsMenu()->GetAt(0)), u"Untitled");
  EXPECT_EQ(TempDevice::ReadHostFile(file), bytes);
  dialogSteps = {[](CDialog& editor) { editor.PressButton(IDOK); }};
  Command(ID_TOOLS_CUSTOMIZE);
  written.reset(LoadToolsMenu(u"\\Tovin.menu"));
  ASSERT_EQ(written->GetCount(), 1);
  EXPECT_EQ(DescriptionOf(written->GetAt(0)), u"Untitled");
}

TEST_F(ApplicationTest, AToolRunsItsProgramWithTheMacrosOfTheOpenFile) {
  std::vector<SpawnRequest> started;
  SetSpawnHook([&](const SpawnRequest& r) {
    started.push_back(r);
    return true;
  });
  TempDevice::WriteHostFile(device.DocHost("a.b.cpp"), "int x;\r\n");
  ASSERT_TRUE(Start(u"\\My Documents\\a.b.cpp"));
  ToolsMenu& tools = *Frame()->GetToolsMenu();
  auto add = [&](const char16_t* command, const char16_t* arguments, const char16_t* folder, bool prompt) {
    auto* tool = new ToolItem();
    tool->SetDescription(u"Tool");
    tool->SetCommandLine(command);
    tool->SetArguments(arguments);
    tool->SetWorkingDir(folder);
    tool->SetPromptForArgs(prompt);
    tools.AddTool(tool);
  };
  add(u"cc", u"-c \"$FilePath\" -o $FileName.o", u"\\My Documents", false);
  add(u"$FilePath", u"$WkspDir$WkspName", u"", false);  // the program's name is taken as written
  add(u"", u"$FilePath", u"", false);
  add(u"ls", u"$FileName", u"$FilePath", true);

  Command(ID_TOOL_FIRST);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].argv, (std::vector<std::string>{"cc", "-c", device.DocHost("a.b.cpp"), "-o", "a.b.o"}));
  EXPECT_EQ(started[0].workingFolder, device.DocumentsHost());
  Command(ID_TOOL_FIRST + 1);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[1].argv, std::vector<std::string>{"$FilePath"});
  EXPECT_EQ(started[1].workingFolder, "");

  Command(ID_TOOL_FIRST + 2);  // no program
  EXPECT_EQ(messages, std::vector<std::string>{"Could not execute command."});
  EXPECT_EQ(started.size(), 2u);

  // The prompt shows the arguments as stored; cancelled, nothing runs.
  std::u16string shown;
  dialogSteps = {[&](CDialog& ask) {
    shown = ask.GetDlgItemText(IDC_TOOL_ARGUMENTS_PROMPT);
    ask.PressButton(IDCANCEL);
  }};
  Command(ID_TOOL_FIRST + 3);
  EXPECT_EQ(shown, u"$FileName");
  EXPECT_EQ(started.size(), 2u);
  dialogSteps = {[&](CDialog& ask) {
    shown = ask.GetWindowText();
    ask.SetDlgItemText(IDC_TOOL_ARGUMENTS_PROMPT, u"-l $FileName");
    ask.PressButton(IDOK);
  }};
  Command(ID_TOOL_FIRST + 3);
  EXPECT_EQ(shown, u"Tool");
  ASSERT_EQ(started.size(), 3u);
  EXPECT_EQ(started[2].argv, (std::vector<std::string>{"ls", "-l", "a.b"}));
  EXPECT_EQ(started[2].workingFolder, device.DocHost("a.b.cpp"));  // the folder as the macros made it

  // An identifier beyond the list does nothing; an unsaved text has no name or path.
  Command(ID_TOOL_FIRST + 4);
  Command(ID_TOOL_LAST);
  EXPECT_EQ(started.size(), 3u);
  Command(ID_FILE_NEW);
  Command(ID_TOOL_FIRST);
  ASSERT_EQ(started.size(), 4u);
  EXPECT_EQ(started[3].argv, (std::vector<std::string>{"cc", "-c", "", "-o", ".o"}));
  EXPECT_EQ(messages.size(), 1u);
  SetSpawnHook(nullptr);
}

TEST_F(ApplicationTest, FindNextBeforeAnyFindDoesNothingThenWalksTheMatches) {
  TempDevice::WriteHostFile(device.DocHost("f.cpp"), "foo bar\r\nfoo\r\n");
  ASSERT_TRUE(Start(u"\\My Documents\\f.cpp"));
  Command(ID_FIND_NEXT);
  EXPECT_EQ(View()->GetCaretPos(), CPoint(0, 0));
  EXPECT_TRUE(messages.empty());
  Frame()->SetSearchText(u"foo");
  Command(ID_FIND_NEXT);
  EXPECT_EQ(View()->GetCaretPos(), CPoint(3, 0));
  Command(ID_FIND_NEXT);
  EXPECT_EQ(View()->GetCaretPos(), CPoint(3, 1));
  Command(ID_FIND_NEXT);  // round the end
  EXPECT_EQ(View()->GetCaretPos(), CPoint(3, 0));
  Frame()->SetSearchText(u"zzz");
  Command(ID_FIND_NEXT);
  EXPECT_EQ(messages.back(), "Cannot find the string 'zzz'");
}

TEST_F(ApplicationTest, WhatIsNotAFileIsRefusedFromTheCommandLineWithoutWaiting) {
  ASSERT_EQ(mkfifo(device.DocHost("pipe").c_str(), 0600), 0);  // no writer: opening it could wait for ever
  EXPECT_FALSE(Start(u"\\My Documents\\pipe"));
  EXPECT_EQ(messages, std::vector<std::string>{"Failed to open document."});
}

TEST_F(ApplicationTest, OpeningWhatIsNotAFileKeepsTheChangedText) {
  ASSERT_EQ(mkfifo(device.DocHost("pipe").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", device.DocHost("zero").c_str()), 0);
  ASSERT_EQ(mkdir(device.DocHost("dir").c_str(), 0700), 0);
  ASSERT_TRUE(Start());
  screen->Type(u"keep me");
  for (const char16_t* name : {u"pipe", u"zero", u"dir"}) {
    messages.clear();
    boxAnswers = {IDNO};  // do not save the text first
    names = {name};
    Command(ID_FILE_OPEN);
    EXPECT_EQ(messages, (std::vector<std::string>{"Save changes to Untitled.cpp?", "Failed to open document."}))
        << plat::Narrow(name);
    EXPECT_EQ(Text(), "keep me");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), u"Untitled.cpp");
  }
}

TEST_F(ApplicationTest, AHostPathOutsideTheDeviceIsNotFoundRatherThanAnotherFile) {
  // The same path under the device root must not be taken for it.
  const std::string outside = device.RootHost() + "/../outside/a.cpp";
  const std::string lookalike = device.RootHost() + plat::fs::AbsoluteHostPath(outside);
  std::filesystem::create_directories(std::filesystem::path(lookalike).parent_path());
  TempDevice::WriteHostFile(lookalike, "the wrong file");
  app.SetHostCommandLine(outside);
  EXPECT_FALSE(Start(app.m_lpCmdLine));
  EXPECT_EQ(messages, std::vector<std::string>{plat::fs::AbsoluteHostPath(outside) + " was not found."});
}

TEST_F(ApplicationTest, AHostPathInsideTheDeviceOpensAsItsDevicePath) {
  TempDevice::WriteHostFile(device.DocHost("b.cpp"), "int b;");
  app.SetHostCommandLine(device.DocHost("b.cpp"));
  ASSERT_TRUE(Start(app.m_lpCmdLine));
  EXPECT_EQ(Doc()->GetPathName(), u"\\My Documents\\b.cpp");
  EXPECT_EQ(Text(), "int b;");
}

namespace {

constexpr char16_t kRecentKey[] = u"Software\\Farrowby Tovin\\Tovin\\Recent File List";

// A settings store with one recent file and, beside it, count values of 32 Ki characters.
std::string StoreText(int count) {
  CRegistry::KeyMap keys;
  CRegistry::Key& recent = keys[plat::ToLower(std::u16string(u"HKEY_CURRENT_USER\\") + kRecentKey)];
  recent.path = std::u16string(u"HKEY_CURRENT_USER\\") + kRecentKey;
  recent.values[u"file1"] = CRegistry::Value{u"File1", true, 0, u"\\My Documents\\old.cpp"};
  CRegistry::Key& big = keys[u"hkey_current_user\\software\\big"];
  big.path = u"HKEY_CURRENT_USER\\Software\\Big";
  for (int i = 0; i < count; ++i)
    big.values[u"v" + plat::FromInt(i)] = CRegistry::Value{u"v" + plat::FromInt(i), true, 0, std::u16string(32768, u'a')};
  return plat::registry::FormatRegistryText(keys);
}

}  // namespace

TEST_F(ApplicationTest, ALargeSettingsStoreKeepsEverythingThroughASession) {
  // The store as earlier starts left it (with the associations, which a start then finds
  // unchanged), grown past 4 MiB by other keys.
  RegisterFileAssociations();
  const std::string store = device.RootHost() + "/Windows/registry.ini";
  TempDevice::WriteHostFile(store, TempDevice::ReadHostFile(store) + StoreText(160));
  ASSERT_GT(TempDevice::ReadHostFile(store).size(), 5000000u);
  CRegistry::Get().Reload();
  TempDevice::WriteHostFile(device.DocHost("new.cpp"), "x");
  ASSERT_TRUE(Start());
  std::u16string recent;
  EXPECT_TRUE(app.GetRecentFile(0, recent));
  EXPECT_EQ(recent, u"\\My Documents\\old.cpp");
  names = {u"new.cpp"};
  Command(ID_FILE_OPEN);  // a change, which the end of the session writes with the whole store
  app.CloseAllDocuments(true);
  app.ExitInstance();
  started = false;
  CRegistry::Get().Reload();
  EXPECT_EQ(CRegistry::Get().EnumValues(HKEY_CURRENT_USER, u"Software\\Big").size(), 160u);
  EXPECT_EQ(CRegistry::Get().GetProfileString(u"Recent File List", u"File1"), u"\\My Documents\\new.cpp");
  EXPECT_EQ(CRegistry::Get().GetProfileString(u"Recent File List", u"File2"), u"\\My Documents\\old.cpp");
}

TEST_F(ApplicationTest, AnUnreadableSettingsStoreIsUnchangedByASessionThatChangesSettings) {
  std::filesystem::create_directories(device.RootHost() + "/Windows");
  const std::string store = device.RootHost() + "/Windows/registry.ini";
  const std::string text = StoreText(0);
  TempDevice::WriteHostFile(store, text);
  TempDevice::WriteHostFile(device.DocHost("new.cpp"), "x");
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string& host) -> std::uint32_t {
    return op == plat::fs::FsOp::Read && host.ends_with("registry.ini") ? plat::ERROR_READ_FAULT : 0;
  });
  ASSERT_TRUE(Start());
  std::u16string recent;
  app.GetRecentFile(0, recent);
  EXPECT_EQ(recent, u"");  // the defaults
  names = {u"new.cpp"};
  Command(ID_FILE_OPEN);  // a new recent file
  ASSERT_TRUE(app.GetRecentFile(0, recent));
  EXPECT_EQ(recent, u"\\My Documents\\new.cpp");
  app.CloseAllDocuments(true);
  app.ExitInstance();
  started = false;
  plat::fs::SetFaultHook(nullptr);
  EXPECT_TRUE(TempDevice::ReadHostFile(store) == text) << "the settings file was written over";
}
