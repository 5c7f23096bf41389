// The project window as a user meets it, through the real application: the tree of each
// kind of project, opening files from it, type-ahead, groups kept as they were left, Add
// and Remove with their saves, the buttons, and the main frame's title.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include "app/MainFrame.h"
#include "app/SampleApp.h"
#include "app/SampleDoc.h"
#include "browser/FileBrowser.h"
#include "common/TempDevice.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Metrics.h"
#include "project/ProjectFile.h"
#include "project/ProjectManager.h"
#include "project/window/ProjectDialog.h"
#include "resources/AppResources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

namespace {

class ProjectWindowTest : public ::testing::Test {
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
    ASSERT_TRUE(app.InitInstance());
  }
  void TearDown() override {
    app.CloseAllDocuments(true);
    app.ExitInstance();
    screen.reset();
    unsetenv("XDG_DATA_HOME");
  }
  CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(app.m_pMainWnd); }
  CSampleDoc* Doc() { return dynamic_cast<CSampleDoc*>(Frame()->GetActiveDocument()); }
  std::u16string Recent(int n) {
    std::u16string path;
    app.GetRecentFile(n, path);
    return path;
  }

  // The window runs inWindow; message boxes are recorded; the browser takes the next name.
  void Answer(CWnd* w) {
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
      messages.push_back(plat::Narrow(box->Text()));
      box->Press(IDOK);
    } else if (auto* browser = dynamic_cast<CFileBrowser*>(w)) {
      if (inBrowser) {
        inBrowser(*browser);
        return;
      }
      browserTitle = plat::Narrow(browser->GetWindowText());
      browserFolder = browser->GetFolder();
      browserFilter = browser->GetFilterIndex();
      if (names.empty()) {
        browser->PressButton(IDCANCEL);
        return;
      }
      browser->SetDlgItemText(IDC_BROWSER_NAME, names.front());
      names.erase(names.begin());
      browser->PressButton(IDOK);
    } else if (auto* window = dynamic_cast<CProjectDialog*>(w)) {
      ++windowsShown;
      frameTitleInWindow = Frame()->GetWindowText();
      if (inWindow) inWindow(*window);
    }
  }

  // The tree as lines: indented by depth, the text, the icon, "+" for an open node.
  static std::vector<std::string> Lines(const CTreeCtrl& tree) {
    std::vector<std::string> out;
    for (HTREEITEM n = tree.GetNextDepthFirst(nullptr); n; n = tree.GetNextDepthFirst(n)) {
      int image = -1, selectedImage = -1;
      tree.GetItemImage(n, image, selectedImage);
      std::string line;
      for (HTREEITEM p = tree.GetParentItem(n); p; p = tree.GetParentItem(p)) line += "  ";
      line += plat::Narrow(tree.GetItemText(n)) + " " + std::to_string(image);
      if (tree.GetItemState(n, TVIS_EXPANDED)) line += " +";
      out.push_back(line);
    }
    return out;
  }
  static HTREEITEM Find(const CTreeCtrl& tree, const std::u16string& text) {
    for (HTREEITEM n = tree.GetNextDepthFirst(nullptr); n; n = tree.GetNextDepthFirst(n))
      if (tree.GetItemText(n) == text) return n;
    return nullptr;
  }
  static bool Enabled(CProjectDialog& w, UINT id) { return w.GetDlgItem(id)->IsWindowEnabled(); }

  // A .csp of the program's own in the documents folder, written by the model.
  std::u16string WriteCsp(const std::string& name, const std::vector<std::u16string>& files,
                          const std::u16string& group = {}) {
    ProjectManager project;
    project.SetType(ProjectManager::kTypeCsp);
    project.SetPath(device.DocDevice(name));
    for (const std::u16string& f : files) {
      project.AddFile(f);
      if (!group.empty()) {
        POSITION tail = project.GetItems()->GetTailPosition();
        static_cast<CProjectItem*>(project.GetItems()->GetAt(tail))->SetGroupname(group);
      }
    }
    EXPECT_TRUE(project.Save());
    return device.DocDevice(name);
  }
  std::vector<std::string> SavedFiles(const std::u16string& path) {
    std::vector<std::string> out;
    std::unique_ptr<ProjectManager> p = LoadProjectFile(path);
    if (!p) return {"(unreadable)"};
    for (CObject* e : *p->GetItems()) {
      std::u16string file;
      static_cast<CProjectItem*>(e)->GetPathname(file);
      out.push_back(plat::Narrow(file));
    }
    return out;
  }

  TempDevice device;
  std::unique_ptr<CHeadlessScreen> screen;
  CSampleApp app;
  std::function<void(CProjectDialog&)> inWindow;
  std::function<void(CFileBrowser&)> inBrowser;
  int windowsShown = 0;
  std::u16string frameTitleInWindow;
  std::vector<std::string> messages;
  std::vector<std::u16string> names;
  std::string browserTitle;
  std::u16string browserFolder;
  int browserFilter = -1;
};

TEST_F(ProjectWindowTest, AProgramsProjectShowsItsFilesSortedWithoutGroupsAndTitlesTheFrame) {
  const std::u16string path = WriteCsp("Work.csp", {u"\\My Documents\\zeta.c", u"\\My Documents\\Alpha.h", u"\\x\\mid.cpp"}, u"G");
  std::vector<std::string> lines;
  std::u16string caption;
  bool add = false, remove = false;
  inWindow = [&](CProjectDialog& w) {
    lines = Lines(*w.Tree());
    caption = w.GetWindowText();
    add = Enabled(w, IDC_PROJECT_ADD);
    remove = Enabled(w, IDC_PROJECT_REMOVE);
    EXPECT_EQ(w.GetSelectedPath(), u"\\My Documents\\Alpha.h");  // the first node is chosen
    w.PressButton(IDCANCEL);
  };
  const std::u16string before = Frame()->GetWindowText();
  ASSERT_TRUE(app.OpenAsProject(path));
  EXPECT_EQ(windowsShown, 1);
  EXPECT_EQ(lines, (std::vector<std::string>{"Alpha.h 2", "mid.cpp 2", "zeta.c 2"}));
  EXPECT_EQ(caption, u"Work.csp");
  EXPECT_EQ(frameTitleInWindow, u"Work.csp");
  EXPECT_EQ(Frame()->GetWindowText(), before);  // Cancel gave it back
  EXPECT_TRUE(add);
  EXPECT_TRUE(remove);
}

TEST_F(ProjectWindowTest, AnImportedProjectShowsClosedGroupsSortedAndKeepsThemAsTheUserLeftThem) {
  TempDevice::WriteHostFile(device.DocHost("Old.dsp"),
                            "# Begin Group \"Source Files\"\r\nSOURCE=.\\z.c\r\nSOURCE=.\\a.c\r\n# End Group\r\n"
                            "# Begin Group \"Header Files\"\r\nSOURCE=.\\h.h\r\n# End Group\r\n"
                            "# Begin Source File\r\nSOURCE=.\\loose.txt\r\n# End Source File\r\n");
  std::vector<std::string> first, second;
  bool add = true, remove = true;
  inWindow = [&](CProjectDialog& w) {
    CTreeCtrl* tree = w.Tree();
    first = Lines(*tree);
    add = Enabled(w, IDC_PROJECT_ADD);
    remove = Enabled(w, IDC_PROJECT_REMOVE);
    // The user opens Source Files with the keys: its icon shows it open.
    tree->SelectItem(Find(*tree, u"Source Files"));
    screen->Key(VK_RIGHT);
    int image = -1, selectedImage = -1;
    tree->GetItemImage(Find(*tree, u"Source Files"), image, selectedImage);
    EXPECT_EQ(image, 1);
    EXPECT_EQ(selectedImage, 1);
    w.PressButton(IDCANCEL);
  };
  ASSERT_TRUE(app.OpenAsProject(device.DocDevice("Old.dsp")));
  ASSERT_EQ(first.size(), 6u);
  // The groups come in the map's order; each holds its files in alphabetical order.
  EXPECT_NE(std::find(first.begin(), first.end(), "Source Files 0"), first.end());
  EXPECT_NE(std::find(first.begin(), first.end(), "  a.c 2"), first.end());
  const auto source = std::find(first.begin(), first.end(), "Source Files 0");
  EXPECT_EQ(*(source + 1), "  a.c 2");
  EXPECT_EQ(*(source + 2), "  z.c 2");
  EXPECT_EQ(first.back(), "loose.txt 2");  // a file outside every group at the top level, last
  EXPECT_FALSE(add);
  EXPECT_FALSE(remove);
  EXPECT_EQ(*app.GetCurrentProject()->GetGroupStates().Find(u"Source Files"), u"1");

  // Ctrl+1 shows the project again: the group open as it was left, its icon as inserted.
  inWindow = [&](CProjectDialog& w) { second = Lines(*w.Tree()); };
  screen->Key('1', CHeadlessScreen::Ctrl);
  EXPECT_EQ(windowsShown, 2);
  const auto again = std::find(second.begin(), second.end(), "Source Files 0 +");
  EXPECT_NE(again, second.end());
  EXPECT_NE(std::find(second.begin(), second.end(), "Header Files 0"), second.end());
}

TEST_F(ProjectWindowTest, VisualBasicGroupsShowEvenEmptyAndClassModulesOnlyForVbp) {
  TempDevice::WriteHostFile(device.DocHost("App.vbp"), "Type=Exe\r\n");
  TempDevice::WriteHostFile(device.DocHost("Field.ebp"), "Type=Exe\r\nModule=Main; main.bas\r\n");
  std::vector<std::string> lines;
  inWindow = [&](CProjectDialog& w) { lines = Lines(*w.Tree()); };
  ASSERT_TRUE(app.OpenAsProject(device.DocDevice("App.vbp")));
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"Class Modules 0", "Forms 0", "Modules 0"}));
  ASSERT_TRUE(app.OpenAsProject(device.DocDevice("Field.ebp")));
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Class Modules 0"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "  main.bas 2"), 1);
}

TEST_F(ProjectWindowTest, OpenResolvesImportedPathsAndKeepsTheRecentList) {
  mkdir(device.DocHost("a").c_str(), 0700);
  mkdir(device.DocHost("a/proj").c_str(), 0700);
  mkdir(device.DocHost("a/src").c_str(), 0700);
  TempDevice::WriteHostFile(device.DocHost("a/src/x.c"), "int x;\n");
  TempDevice::WriteHostFile(device.DocHost("a/proj/y.c"), "int y;\n");
  TempDevice::WriteHostFile(device.DocHost("png.c"), "int png;\n");
  TempDevice::WriteHostFile(device.DocHost("a/proj/p.dsp"), 
                            "# Begin Source File\r\nSOURCE=..\\src\\x.c\r\n# End Source File\r\n"
                            "# Begin Source File\r\nSOURCE=.\\y.c\r\n# End Source File\r\n"
                            "# Begin Source File\r\nSOURCE=..\\..\\PNG.C\r\n# End Source File\r\n");
  app.AddToRecentFileList(u"\\r1.txt");
  app.AddToRecentFileList(u"\\r2.txt");
  const std::u16string projectPath = device.DocDevice("a/proj/p.dsp");
  std::u16string choose;
  inWindow = [&](CProjectDialog& w) {
    w.Tree()->SelectItem(Find(*w.Tree(), choose));
    EXPECT_TRUE(w.PressButton(IDC_PROJECT_OPEN));
  };
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {u"x.c", "a/src/x.c"}, {u"y.c", "a/proj/y.c"}, {u"PNG.C", "png.c"}};  // the disk's case wins
  for (const auto& [node, file] : cases) {
    SCOPED_TRACE(file);
    choose = node;
    ASSERT_TRUE(app.OpenAsProject(projectPath));
    EXPECT_EQ(Doc()->GetPathName(), device.DocDevice(file));
    EXPECT_EQ(Frame()->GetWindowText(), Doc()->GetTitle());
    // The three latest entries stay on top in their order; the file opened is not kept.
    EXPECT_EQ(Recent(0), projectPath);
    EXPECT_EQ(Recent(1), u"\\r2.txt");
    EXPECT_EQ(Recent(2), u"\\r1.txt");
  }
  EXPECT_TRUE(messages.empty());
  // A file that is not there is reported by the document; the frame keeps its own title.
  const std::u16string title = Frame()->GetWindowText();
  TempDevice::WriteHostFile(device.DocHost("a/proj/q.dsp"), "# Begin Source File\r\nSOURCE=.\\gone.c\r\n# End Source File\r\n");
  choose = u"gone.c";
  ASSERT_TRUE(app.OpenAsProject(device.DocDevice("a/proj/q.dsp")));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(Frame()->GetWindowText(), title);
}

TEST_F(ProjectWindowTest, ADoubleTapOnAGroupOpensNothingAndOnAFileOpensIt) {
  mkdir(device.DocHost("g").c_str(), 0700);
  TempDevice::WriteHostFile(device.DocHost("g/f.c"), "int f;\n");
  TempDevice::WriteHostFile(device.DocHost("g/g.dsp"), "# Begin Group \"Src\"\r\nSOURCE=.\\f.c\r\n# End Group\r\n");
  bool stillOpen = false;
  inWindow = [&](CProjectDialog& w) {
    CTreeCtrl* tree = w.Tree();
    CRect r;
    tree->GetItemRect(Find(*tree, u"Src"), &r, true);
    tree->ClientToScreen(r);
    screen->DoubleTap(r.left + 3, (r.top + r.bottom) / 2);
    stillOpen = w.IsWindowVisible();
    EXPECT_EQ(w.GetSelectedPath(), u"");
    EXPECT_TRUE(tree->GetItemState(Find(*tree, u"Src"), TVIS_EXPANDED));  // the group opened instead
    screen->Advance(1000);
    tree->GetItemRect(Find(*tree, u"f.c"), &r, true);
    tree->ClientToScreen(r);
    screen->DoubleTap(r.left + 3, (r.top + r.bottom) / 2);
  };
  ASSERT_TRUE(app.OpenAsProject(device.DocDevice("g/g.dsp")));
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Doc()->GetPathName(), device.DocDevice("g/f.c"));
}

TEST_F(ProjectWindowTest, RemoveSelectsTheNeighbourSavesAtOnceAndStopsOnTheLastNode) {
  const std::u16string path = WriteCsp("R.csp", {u"\\a.c", u"\\b.c", u"\\c.c"});
  std::vector<std::u16string> selections;
  std::vector<std::vector<std::string>> saved;
  bool removeAtEnd = true;
  inWindow = [&](CProjectDialog& w) {
    CTreeCtrl* tree = w.Tree();
    tree->SelectItem(Find(*tree, u"b.c"));
    for (int i = 0; i < 3; ++i) {
      w.PressButton(IDC_PROJECT_REMOVE);
      selections.push_back(w.GetSelectedPath());
      saved.push_back(SavedFiles(path));
    }
    removeAtEnd = Enabled(w, IDC_PROJECT_REMOVE);
    EXPECT_EQ(tree->GetCount(), 0u);
  };
  ASSERT_TRUE(app.OpenAsProject(path));
  // The previous sibling, else the next; after the last, nothing.
  EXPECT_EQ(selections, (std::vector<std::u16string>{u"\\a.c", u"\\c.c", u""}));
  EXPECT_EQ(saved, (std::vector<std::vector<std::string>>{{"\\a.c", "\\c.c"}, {"\\c.c"}, {}}));
  EXPECT_FALSE(removeAtEnd);
}

TEST_F(ProjectWindowTest, RemoveWithoutAFileChosenRemovesNothing) {
  // A project of the program's own that carries a group: the group node has no path.
  auto project = std::make_unique<ProjectManager>();
  project->SetType(ProjectManager::kTypeCsp);
  project->SetPath(device.DocDevice("G.csp"));
  project->AddFile(u"\\in.c");
  static_cast<CProjectItem*>(project->GetItems()->GetAt(project->GetItems()->GetHeadPosition()))->SetGroupname(u"Grp");
  project->GetGroupNodes().SetAt(u"Grp", TreeNodeHandle{});
  project->AddFile(u"\\top.c");
  ASSERT_TRUE(project->Save());
  ProjectManager* kept = project.get();
  app.SetCurrentProject(std::move(project));
  std::vector<std::string> lines;
  inWindow = [&](CProjectDialog& w) {
    CTreeCtrl* tree = w.Tree();
    tree->SelectItem(Find(*tree, u"Grp"));
    w.PressButton(IDC_PROJECT_REMOVE);
    tree->SelectItem(nullptr);
    w.PressButton(IDC_PROJECT_REMOVE);
    lines = Lines(*tree);
  };
  Frame()->SendMessage(WM_COMMAND, ID_SHOW_PROJECT, 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"Grp 0", "  in.c 2", "top.c 2"}));
  EXPECT_EQ(kept->GetItems()->GetCount(), 2);
  EXPECT_EQ(SavedFiles(device.DocDevice("G.csp")), (std::vector<std::string>{"\\in.c", "\\top.c"}));
}

TEST_F(ProjectWindowTest, TypeAheadFindsTheNextNodeHoldingTheLettersInAnyCase) {
  const std::u16string path = WriteCsp("T.csp", {u"\\abc.c", u"\\Bcd.h", u"\\bx.c", u"\\xBC.c"});
  std::vector<std::u16string> found;
  inWindow = [&](CProjectDialog& w) {
    CTreeCtrl* tree = w.Tree();
    screen->Key('B');
    found.push_back(tree->GetItemText(tree->GetSelectedItem()));
    screen->Key('C');
    found.push_back(tree->GetItemText(tree->GetSelectedItem()));
    screen->Key(VK_SPACE);  // a code of 47 or below changes nothing
    EXPECT_EQ(w.GetTypeAhead(), u"BC");
    screen->Key('D');  // "bcd": round past the last node to the first
    found.push_back(tree->GetItemText(tree->GetSelectedItem()));
  };
  ASSERT_TRUE(app.OpenAsProject(path));
  EXPECT_EQ(found, (std::vector<std::u16string>{u"Bcd.h", u"xBC.c", u"Bcd.h"}));
}

TEST_F(ProjectWindowTest, AddAsksThroughTheBrowserAndSavesAtOnce) {
  const std::u16string path = WriteCsp("A.csp", {u"\\My Documents\\m.c"});
  TempDevice::WriteHostFile(device.DocHost("b.c"), "int b;\n");
  std::u16string selected;
  std::vector<std::string> savedInWindow, lines;
  inWindow = [&](CProjectDialog& w) {
    names = {u"b.c"};
    w.PressButton(IDC_PROJECT_ADD);
    savedInWindow = SavedFiles(path);
    selected = w.GetSelectedPath();
    lines = Lines(*w.Tree());
    names.clear();
    w.PressButton(IDC_PROJECT_ADD);  // cancelled: nothing changes
  };
  ASSERT_TRUE(app.OpenAsProject(path));
  EXPECT_EQ(browserTitle, "Add File");
  EXPECT_EQ(browserFolder, u"\\My Documents\\");
  EXPECT_EQ(browserFilter, 1);  // the last filter, Project Files, at the start
  EXPECT_EQ(savedInWindow, (std::vector<std::string>{"\\My Documents\\m.c", "\\My Documents\\b.c"}));
  EXPECT_EQ(selected, u"\\My Documents\\b.c");
  EXPECT_EQ(lines, (std::vector<std::string>{"b.c 2", "m.c 2"}));
  EXPECT_EQ(SavedFiles(path).size(), 2u);
}

TEST_F(ProjectWindowTest, ShowProjectFromTheMenuAndTheKeyNeedsAProject) {
  screen->Key('1', CHeadlessScreen::Ctrl);
  Frame()->SendMessage(WM_COMMAND, ID_TOOLS_SHOW_PROJECT, 0);
  EXPECT_EQ(windowsShown, 0);
  ASSERT_TRUE(app.OpenAsProject(WriteCsp("S.csp", {})));
  EXPECT_EQ(windowsShown, 1);
  Frame()->SendMessage(WM_COMMAND, ID_TOOLS_SHOW_PROJECT, 0);
  EXPECT_EQ(windowsShown, 2);
}

// The sample project that the run command opens is the one the program writes through New
// Project and Add, byte for byte. TOVIN_REGENERATE_SAMPLE=1 writes it into samples/ instead.
TEST_F(ProjectWindowTest, TheSampleProjectIsWhatNewProjectAndAddWrite) {
  const std::string samples = TOVIN_SAMPLES_DIR;
  const std::vector<std::string> sources = {"hello.cpp", "greeting.cpp", "greeting.h"};
  mkdir((device.RootHost() + "/Samples").c_str(), 0700);
  for (const std::string& f : sources)
    TempDevice::WriteHostFile(device.RootHost() + "/Samples/" + f, TempDevice::ReadHostFile(samples + "/" + f));
  // The user goes up from the documents into \Samples and names the project, then adds
  // each source from the folder the prompt opens in.
  std::vector<std::u16string> toGive = {u"Sample.csp"};
  for (const std::string& f : sources) toGive.push_back(plat::Widen(f));
  auto inSamples = [](const CFileBrowser& b) { return b.GetFolder() == u"\\Samples" || b.GetFolder() == u"\\Samples\\"; };
  inBrowser = [&](CFileBrowser& b) {
    if (!inSamples(b)) {
      b.PressButton(IDC_BROWSER_UP);
      auto* list = dynamic_cast<CListCtrl*>(b.GetDlgItem(IDC_BROWSER_LIST));
      for (int i = 0; i < list->GetItemCount(); ++i)
        if (list->GetItemText(i, 0) == u"Samples") list->SetSelectionMark(i);
      b.PressButton(IDOK);  // into the folder
    }
    ASSERT_TRUE(inSamples(b));
    ASSERT_FALSE(toGive.empty());
    b.SetDlgItemText(IDC_BROWSER_NAME, toGive.front());
    toGive.erase(toGive.begin());
    b.PressButton(IDOK);
  };
  inWindow = [&](CProjectDialog& w) {
    for (std::size_t i = 0; i < sources.size(); ++i) w.PressButton(IDC_PROJECT_ADD);
  };
  Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW_PROJECT, 0);
  EXPECT_TRUE(toGive.empty());
  const std::string written = TempDevice::ReadHostFile(device.RootHost() + "/Samples/Sample.csp");
  EXPECT_EQ(SavedFiles(u"\\Samples\\Sample.csp"),
            (std::vector<std::string>{"\\Samples\\hello.cpp", "\\Samples\\greeting.cpp", "\\Samples\\greeting.h"}));
  const char* regenerate = std::getenv("TOVIN_REGENERATE_SAMPLE");
  if (regenerate && std::string(regenerate) == "1") TempDevice::WriteHostFile(samples + "/Sample.csp", written);
  EXPECT_EQ(written, TempDevice::ReadHostFile(samples + "/Sample.csp"));
}

// A long project with long names at each screen shape: the layout of the screen's shape,
// the tree beside the buttons and down to the bottom, a page of rows with the scroll bar.
// With TOVIN_SHOTS set, each screen is also written there as a picture to look at.
TEST_F(ProjectWindowTest, ALongProjectFitsEveryScreenShape) {
  const char* shots = std::getenv("TOVIN_SHOTS");
  std::string dsp = "# Begin Group \"Source Files\"\r\n";
  for (int i = 0; i < 200; ++i)
    dsp += "SOURCE=.\\src\\module_" + std::to_string(i) + (i % 7 == 0 ? "_with_a_rather_long_descriptive_name" : "") + ".cpp\r\n";
  dsp += "# End Group\r\n# Begin Group \"Header Files\"\r\nSOURCE=.\\inc\\a.h\r\n# End Group\r\n";
  TempDevice::WriteHostFile(device.DocHost("Long.dsp"), dsp);
  for (auto [w, h] : {std::pair{480, 640}, std::pair{640, 480}, std::pair{240, 320}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    screen->Resize(w, h);
    bool checked = false;
    inWindow = [&, w = w, h = h](CProjectDialog& window) {
      CTreeCtrl* tree = window.Tree();
      tree->SelectItem(Find(*tree, u"Source Files"));
      screen->Key(VK_RIGHT);
      screen->Key(VK_END);
      const CRect t = tree->GetWindowRect(), dialog = window.GetWindowRect();
      for (UINT id : {UINT{IDC_PROJECT_OPEN}, UINT{IDCANCEL}, UINT{IDC_PROJECT_ADD}, UINT{IDC_PROJECT_REMOVE}}) {
        const CRect b = window.GetDlgItem(id)->GetWindowRect();
        EXPECT_GE(b.left, t.right);
        EXPECT_LE(b.right, w);
      }
      EXPECT_GE(t.bottom, dialog.bottom - 3 * plat::ui::Scaled(2));
      EXPECT_TRUE(tree->GetStyle() & WS_VSCROLL);
      EXPECT_EQ(tree->GetTopRow(), tree->GetRowCount() - static_cast<int>(tree->GetVisibleCount()));
      EXPECT_EQ(tree->GetSelectedItem(), tree->GetLastVisibleItem());
      if (shots) screen->SavePng(std::string(shots) + "/project-" + std::to_string(w) + "x" + std::to_string(h) + ".png");
      checked = true;
    };
    app.OpenAsProject(device.DocDevice("Long.dsp"));
    EXPECT_TRUE(checked);
  }
}

}  // namespace
