// The browser's two layouts on the screen: which one a screen gets, the up button's bitmaps,
// the columns, and what the user sees. Set TOVIN_SHOTS to a folder to keep the screens as
// PNG files.
#include "BrowserFixture.h"
#include "platform/controls/BitmapButton.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/SysColors.h"

class BrowserLayoutTest : public BrowserTest {
 protected:
  void Fill() {
    MakeFolder("Projects");
    MakeFolder("Projects/include");
    MakeFolder("Projects/resources");
    MakeFile("Projects/main.cpp", 18234, 1215000000);
    MakeFile("Projects/browser.h", 2210, 1215100000);
    MakeFile("Projects/README", 912, 1215200000);
    MakeFile("Projects/notes.txt", 1000, 1215300000);
    MakeFile("Projects/Tovin.csp", 4410, 1215400000);
  }
  // Shows the browser in the layout of the screen; steps look at it.
  void Show(const std::function<void(CFileBrowser&)>& steps) {
    CFileBrowser browser(CFileBrowser::TemplateForScreen());
    AddProgramFilters(browser);
    browser.SetInitialPath(u"\\My Documents\\Projects\\main.cpp");
    browser.SetTitle(u"Open");
    Run(browser, steps);
  }
  void Keep(const std::string& name) {
    if (const char* dir = std::getenv("TOVIN_SHOTS")) screen->SavePng(std::string(dir) + "/" + name + ".png");
  }
  static std::vector<int> Widths(CFileBrowser& b) {
    std::vector<int> widths;
    for (int i = 0; i < ListOf(b).GetColumnCount(); ++i) widths.push_back(ListOf(b).GetColumnWidth(i));
    return widths;
  }
  static CBitmapButton* UpOf(CFileBrowser& b) { return dynamic_cast<CBitmapButton*>(b.GetDlgItem(IDC_BROWSER_UP)); }
};

TEST_F(BrowserLayoutTest, TheScreenChoosesTheLayoutAndTheUpButtonsSize) {
  EXPECT_TRUE(CFileBrowser::IsHighResolution(480, 640));
  EXPECT_TRUE(CFileBrowser::IsHighResolution(401, 700));
  EXPECT_FALSE(CFileBrowser::IsHighResolution(400, 700));
  EXPECT_FALSE(CFileBrowser::IsHighResolution(240, 320));
  EXPECT_TRUE(CFileBrowser::IsHighResolution(601, 480));
  EXPECT_FALSE(CFileBrowser::IsHighResolution(600, 480));
  EXPECT_FALSE(CFileBrowser::IsHighResolution(320, 240));
  // A square screen is laid out as a portrait one, and counts as one.
  EXPECT_TRUE(CFileBrowser::IsHighResolution(480, 480));
  EXPECT_FALSE(CFileBrowser::IsHighResolution(240, 240));

  struct Case {
    int width, height;
    UINT layout;
    const char16_t* bitmaps;
    CSize button;
  };
  for (const Case& c : {Case{480, 640, IDD_FILE_BROWSER, u"IDB_DIR_UP_L", {46, 44}},
                        Case{640, 480, IDD_FILE_BROWSER_LANDSCAPE, u"IDB_DIR_UP_L", {46, 44}},
                        Case{240, 320, IDD_FILE_BROWSER, u"IDB_DIR_UP", {23, 22}},
                        Case{560, 420, IDD_FILE_BROWSER_LANDSCAPE, u"IDB_DIR_UP", {23, 22}},
                        Case{480, 480, IDD_FILE_BROWSER, u"IDB_DIR_UP_L", {46, 44}}}) {
    StartScreen(c.width, c.height);
    EXPECT_EQ(CFileBrowser::TemplateForScreen(), c.layout) << c.width << "x" << c.height;
    Show([&](CFileBrowser& b) {
      CBitmapButton* up = UpOf(b);
      ASSERT_NE(up, nullptr);
      EXPECT_EQ(up->GetWindowText(), c.bitmaps);
      const CRect r = up->GetWindowRect();
      EXPECT_EQ(r.Width(), c.button.cx) << c.width << "x" << c.height;
      EXPECT_EQ(r.Height(), c.button.cy) << c.width << "x" << c.height;
      // It stays within the dialog, right of the type box.
      EXPECT_LE(r.right, b.GetClientRectOnScreen().right);
      EXPECT_GE(r.left, TypeOf(b).GetWindowRect().right);
    });
  }
}

TEST_F(BrowserLayoutTest, PortraitScreenShowsTheListTheIconsAndTheOpenedTypeBox) {
  Fill();
  Show([&](CFileBrowser& b) {
    CListCtrl& list = ListOf(b);
    // The list takes the width of the screen and reaches down to the menu bar.
    const CRect work = CWindowManager::Get().GetWorkArea();
    EXPECT_EQ(list.GetWindowRect().right, work.right);
    EXPECT_EQ(list.GetWindowRect().bottom, work.bottom);
    EXPECT_EQ(b.GetWindowText(), u"Open");
    std::vector<std::u16string> headings;
    for (int i = 0; i < list.GetColumnCount(); ++i) headings.push_back(list.GetColumnHeading(i));
    EXPECT_EQ(headings, (std::vector<std::u16string>{u"Name", u"Size", u"Date", u"Type"}));
    EXPECT_EQ(Widths(b), (std::vector<int>{114, 52, 100, 115}));
    // The folder icon of the first row, in its yellow; the header in its grey.
    CRect icon;
    list.GetItemRect(0, &icon, LVIR_ICON);
    list.ClientToScreen(icon);
    EXPECT_EQ(screen->Pixel(icon.left + 8, icon.top + (icon.Height() - 16) / 2 + 12), RGB(252, 212, 92));
    CRect header;
    list.GetHeaderItemRect(0, &header);
    list.ClientToScreen(header);
    EXPECT_EQ(screen->Pixel(header.right - 4, header.top + 2), GetSysColor(COLOR_BTNFACE));
    // The up button shows its bitmap as it is.
    CBitmapButton* up = UpOf(b);
    const CRect r = up->GetWindowRect();
    EXPECT_EQ(screen->Pixel(r.left + 35, r.top + 10), up->GetBitmap().GetPixel(35, 10));
    Keep("browser-480x640");

    TapWindow(&TypeOf(b));
    CWnd* drop = TypeOf(b).GetDropListWnd();
    ASSERT_NE(drop, nullptr);
    // Below the field, its width, the current filter lit.
    EXPECT_EQ(drop->GetWindowRect().top, TypeOf(b).GetWindowRect().bottom);
    EXPECT_EQ(drop->GetWindowRect().left, TypeOf(b).GetWindowRect().left);
    const CRect rows = drop->GetClientRectOnScreen();
    EXPECT_EQ(screen->Pixel(rows.left + 4, rows.top + 4), GetSysColor(COLOR_HIGHLIGHT));
    Keep("browser-480x640-type");
    screen->Key(VK_ESCAPE);
    EXPECT_EQ(TypeOf(b).GetDropListWnd(), nullptr);

    TapRow(b, u"browser.h");
    Keep("browser-480x640-selected");
  });
}

TEST_F(BrowserLayoutTest, LandscapeKeepsEverythingOnOneScreenAndTurningTheScreenRefits) {
  Fill();
  StartScreen(640, 480);
  Show([&](CFileBrowser& b) {
    EXPECT_FALSE(b.GetStyle() & WS_VSCROLL);  // no scrolling needed
    CWnd* name = b.GetDlgItem(IDC_BROWSER_NAME);
    EXPECT_EQ(name->GetWindowRect().top, TypeOf(b).GetWindowRect().top);  // one row
    EXPECT_LE(UpOf(b)->GetWindowRect().right, name->GetWindowRect().left);
    EXPECT_EQ(ListOf(b).GetWindowRect().bottom, CWindowManager::Get().GetWorkArea().bottom);
    Keep("browser-640x480");
    // Turned to portrait while open: the controls take the portrait places and widths.
    screen->Resize(480, 640);
    EXPECT_GT(name->GetWindowRect().top, TypeOf(b).GetWindowRect().bottom);
    EXPECT_GT(name->GetWindowRect().Width(), 300);
    EXPECT_EQ(UpOf(b)->GetWindowRect().top, TypeOf(b).GetWindowRect().top);
    EXPECT_EQ(ListOf(b).GetWindowRect().right, 480);
    EXPECT_EQ(ListOf(b).GetWindowRect().bottom, CWindowManager::Get().GetWorkArea().bottom);
    EXPECT_EQ(Widths(b), (std::vector<int>{114, 52, 100, 115}));
    EXPECT_FALSE(b.GetStyle() & WS_VSCROLL);
    Keep("browser-640x480-turned");
    // And back again.
    screen->Resize(640, 480);
    EXPECT_EQ(name->GetWindowRect().top, TypeOf(b).GetWindowRect().top);
    EXPECT_EQ(Widths(b), (std::vector<int>{170, 100, 140, 180}));
    EXPECT_FALSE(b.GetStyle() & WS_VSCROLL);
  });
  StartScreen(240, 320);
  Show([&](CFileBrowser& b) {
    // A small screen scrolls the columns sideways.
    EXPECT_TRUE(ListOf(b).GetStyle() & WS_HSCROLL);
    Keep("browser-240x320");
  });
}
