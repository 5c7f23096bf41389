// The file browser used as a user uses it: filters, folders, sorting, going up, the name
// box, both layouts and what the screen shows.
#include "BrowserFixture.h"
#include "platform/controls/BitmapButton.h"
#include "platform/controls/Edit.h"
#include "platform/gfx/Bitmap.h"

TEST_F(BrowserTest, CppFilterListsTheSubFolderFirstThenTheSourcesOnly) {
  MakeFolder("proj");
  MakeFolder("proj/sub");
  MakeFile("proj/a.cpp");
  MakeFile("proj/b.h");
  MakeFile("proj/c.txt");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\proj\\new.cpp");
  browser.SetFilter(u"*.cpp;*.h;*.c");
  std::vector<std::string> names;
  Run(browser, [&](CFileBrowser& b) {
    names = Names(b);
    EXPECT_EQ(b.GetDlgItemText(IDC_BROWSER_NAME), u"new.cpp");
    EXPECT_EQ(TypeOf(b).GetCurSel(), 4);
    EXPECT_EQ(TypeOf(b).GetLBText(4), u"C++ Source Files (*.cpp, etc.)");
    // The folder shows its kind and nothing else; a file its size, date and kind.
    CListCtrl& list = ListOf(b);
    EXPECT_EQ(list.GetItemText(0, 1), u"");
    EXPECT_EQ(list.GetItemText(0, 3), u"Folder");
    EXPECT_EQ(list.GetItemImage(0), 0);
    EXPECT_EQ(list.GetItemText(1, 1), u"0");
    EXPECT_EQ(list.GetItemText(1, 3), u"C++ Source File");
    EXPECT_EQ(list.GetItemImage(1), 1);
    b.PressButton(IDCANCEL);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"sub", "a.cpp", "b.h"}));
  EXPECT_EQ(browser.GetFolder(), u"\\My Documents\\proj\\");
}

TEST_F(BrowserTest, ANameMatchedTwiceIsListedOnce) {
  MakeFolder("twice");
  MakeFolder("twice/lib.h");  // a folder the pattern matches, and a folder besides
  MakeFile("twice/page.htm");
  CFileBrowser browser(IDD_FILE_BROWSER);
  browser.AddFilter(u"*.htm;*.h*", u"Pages");
  browser.SetInitialPath(u"\\My Documents\\twice\\");
  std::vector<std::string> names;
  Run(browser, [&](CFileBrowser& b) { names = Names(b); });
  EXPECT_EQ(names, (std::vector<std::string>{"lib.h", "page.htm"}));
}

TEST_F(BrowserTest, EveryColumnSortsWithTheFoldersOnTop) {
  MakeFolder("s");
  MakeFolder("s/zeta");
  MakeFolder("s/Alpha");
  MakeFile("s/b.txt", 300, 3000000);
  MakeFile("s/A.cpp", 20, 1000000);
  MakeFile("s/c.h", 1000, 2000000);
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\s\\");
  std::vector<std::vector<std::string>> orders;
  std::vector<int> columns;
  Run(browser, [&](CFileBrowser& b) {
    orders.push_back(Names(b));
    for (int column : {1, 2, 3, 0}) {
      TapHeader(b, column);
      columns.push_back(b.GetSortColumn());
      orders.push_back(Names(b));
    }
  });
  using V = std::vector<std::string>;
  EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 0}));
  EXPECT_EQ(orders[0], (V{"Alpha", "zeta", "A.cpp", "b.txt", "c.h"}));  // names, ignoring case
  EXPECT_EQ(orders[1], (V{"Alpha", "zeta", "A.cpp", "b.txt", "c.h"}));  // sizes 20, 300, 1000
  EXPECT_EQ(orders[2], (V{"Alpha", "zeta", "A.cpp", "c.h", "b.txt"}));  // dates
  EXPECT_EQ(orders[3], (V{"Alpha", "zeta", "c.h", "A.cpp", "b.txt"}));  // C++ Header, C++ Source, TXT
  EXPECT_EQ(orders[4], orders[0]);
}

TEST_F(BrowserTest, UpGoesToTheRootAndStaysThere) {
  MakeFolder("deep");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\deep\\x.cpp");
  std::vector<std::u16string> folders;
  std::vector<std::string> rootNames;
  Run(browser, [&](CFileBrowser& b) {
    CWnd* up = b.GetDlgItem(IDC_BROWSER_UP);
    for (int i = 0; i < 3; ++i) {
      TapWindow(up);
      folders.push_back(b.GetFolder());
      if (i == 1) rootNames = Names(b);
    }
  });
  EXPECT_EQ(folders, (std::vector<std::u16string>{u"\\My Documents", u"", u""}));
  EXPECT_EQ(rootNames, (std::vector<std::string>{"My Documents", "Storage Card"}));
}

TEST_F(BrowserTest, OneBackslashStartsAtTheRootWithAnEmptyName) {
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\");
  std::u16string name = u"unset";
  std::vector<std::string> names;
  Run(browser, [&](CFileBrowser& b) {
    name = b.GetDlgItemText(IDC_BROWSER_NAME);
    names = Names(b);
  });
  EXPECT_EQ(browser.GetFolder(), u"");
  EXPECT_EQ(name, u"");
  EXPECT_EQ(names, (std::vector<std::string>{"My Documents", "Storage Card"}));
}

TEST_F(BrowserTest, AnEmptyNameCancelsAndAFolderNamedLikeTheFileIsKept) {
  MakeFolder("test");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  // The file's name is also its folder's: only the name at the end comes off.
  browser.SetInitialPath(u"\\My Documents\\test\\test");
  std::u16string proposed;
  const int result = Run(browser, [&](CFileBrowser& b) {
    proposed = b.GetDlgItemText(IDC_BROWSER_NAME);
    EXPECT_EQ(CWnd::GetFocus(), b.GetDlgItem(IDC_BROWSER_NAME));
    screen->Key(VK_DELETE);  // the proposed name is selected: one key clears it
    screen->Key(VK_RETURN);
  });
  EXPECT_EQ(proposed, u"test");
  EXPECT_EQ(browser.GetFolder(), u"\\My Documents\\test\\");
  EXPECT_EQ(result, IDCANCEL);
  std::u16string path = u"kept";
  EXPECT_FALSE(browser.GetPath(path));
  EXPECT_EQ(path, u"kept");
}

TEST_F(BrowserTest, PickFilterOpenFolderSelectFileConfirm) {
  MakeFolder("work");
  MakeFolder("work/src");
  MakeFile("work/src/main.cpp", 1234567);
  MakeFile("work/src/notes.txt");
  MakeFile("work/readme.txt");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\work\\");
  std::vector<std::string> filtered, inside;
  std::u16string size;
  const int result = Run(browser, [&](CFileBrowser& b) {
    PickFilter(b, 4);  // C++ Source Files
    filtered = Names(b);
    DoubleTapRow(b, u"src");
    inside = Names(b);
    TapRow(b, u"main.cpp");
    size = ListOf(b).GetItemText(RowOf(b, u"main.cpp"), 1);
    screen->Tap(CWindowManager::Get().GetScreenSize().cx - 20, 10);  // the caption's "ok"
  });
  EXPECT_EQ(filtered, (std::vector<std::string>{"src"}));
  EXPECT_EQ(inside, (std::vector<std::string>{"main.cpp"}));
  EXPECT_EQ(size, u"1,234,567");
  EXPECT_EQ(result, IDOK);
  std::u16string path, filter;
  ASSERT_TRUE(browser.GetPath(path));
  browser.GetFilter(filter);
  EXPECT_EQ(path, u"\\My Documents\\work\\src\\main.cpp");
  EXPECT_EQ(filter, u"*.cpp;*.h;*.c");
}

TEST_F(BrowserTest, DoubleTapOnAFileAcceptsIt) {
  MakeFile("one.h");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\");
  const int result = Run(browser, [&](CFileBrowser& b) { DoubleTapRow(b, u"one.h"); });
  EXPECT_EQ(result, IDOK);
  std::u16string path;
  ASSERT_TRUE(browser.GetPath(path));
  EXPECT_EQ(path, u"\\My Documents\\one.h");
}

TEST_F(BrowserTest, ArrowKeysChooseFilesAndEnterOpensFolders) {
  MakeFolder("k");
  MakeFolder("k/inner");
  MakeFile("k/inner/deep.c");
  MakeFile("k/first.cpp");
  MakeFile("k/second.cpp");
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\k\\");
  std::u16string afterArrows;
  std::u16string folderAfterEnter;
  const int result = Run(browser, [&](CFileBrowser& b) {
    b.GotoDlgCtrl(&ListOf(b));
    screen->Key(VK_DOWN);  // inner
    screen->Key(VK_DOWN);  // first.cpp
    screen->Key(VK_DOWN);  // second.cpp
    afterArrows = b.GetDlgItemText(IDC_BROWSER_NAME);
    screen->Key(VK_HOME);  // inner
    screen->Key(VK_RETURN);
    folderAfterEnter = b.GetFolder();
    screen->Key(VK_DOWN);
    screen->Key(VK_RETURN);
  });
  EXPECT_EQ(afterArrows, u"second.cpp");
  EXPECT_EQ(folderAfterEnter, u"\\My Documents\\k\\inner");
  EXPECT_EQ(result, IDOK);
  std::u16string path;
  ASSERT_TRUE(browser.GetPath(path));
  EXPECT_EQ(path, u"\\My Documents\\k\\inner\\deep.c");
}

TEST_F(BrowserTest, AMissingFolderShowsNothingAndUpStillLeadsOut) {
  CFileBrowser browser(IDD_FILE_BROWSER);
  AddProgramFilters(browser);
  browser.SetInitialPath(u"\\My Documents\\gone\\away\\x.cpp");
  std::vector<std::string> before, after;
  Run(browser, [&](CFileBrowser& b) {
    before = Names(b);
    for (int i = 0; i < 4; ++i) TapWindow(b.GetDlgItem(IDC_BROWSER_UP));
    after = Names(b);
  });
  EXPECT_TRUE(before.empty());
  EXPECT_EQ(browser.GetFolder(), u"");
  EXPECT_EQ(after, (std::vector<std::string>{"My Documents", "Storage Card"}));
}
