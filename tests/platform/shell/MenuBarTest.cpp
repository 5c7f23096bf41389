// The menu bar as the user meets it, the button strip by screen shape, the soft input panel control.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/controls/CommonControls.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/Bitmap.h"
#include "platform/shell/AygShell.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"


namespace {

// The window the bar belongs to: it records what the bar sends it.
class OwnerWnd : public CWnd {
 public:
  std::vector<UINT> commands;
  std::vector<CMenu*> popupsOpened;
  int closes = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITMENUPOPUP) popupsOpened.push_back(reinterpret_cast<CMenu*>(wParam));
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    if (message == WM_CLOSE) ++closes;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(480, 640, IDR_MAINFRAME_LARGE); }
  void TearDown() override {
    if (owner) SHDestroyMenuBar(owner.get());
    owner.reset();
    screen.reset();
  }
  void Start(int width, int height, UINT buttons) {
    if (owner) SHDestroyMenuBar(owner.get());
    owner.reset();
    screen.reset();
    UseAppResources();
    screen = std::make_unique<CHeadlessScreen>(width, height);
    owner = std::make_unique<OwnerWnd>();
    ASSERT_TRUE(owner->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
    SHMENUBARINFO info;
    info.hwndParent = owner.get();
    info.nToolBarId = IDR_MAINFRAME;
    ASSERT_TRUE(SHCreateMenuBar(&info));
    bar = static_cast<CMenuBar*>(info.hwndMB);
    ASSERT_EQ(bar, SHFindMenuBar(owner.get()));
    ASSERT_TRUE(bar->AddButtons(AfxGetResourceHandle(), buttons));
    CWindowManager::Get().ProcessPending();
  }
  CPoint Centre(int button) const {
    const CRect r = bar->GetButtonRectOnScreen(button);
    return CPoint(r.left + r.Width() / 2, r.top + r.Height() / 2);
  }
  void Tap(int button) {
    const CPoint p = Centre(button);
    screen->Tap(p.x, p.y);
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<OwnerWnd> owner;
  CMenuBar* bar = nullptr;
};

}  // namespace

TEST_F(MenuBarTest, TappingFileOpensItsPopupAboveTheBarAndTheChoiceIsSent) {
  std::vector<std::u16string> texts;
  CRect popupRect;
  screen->SetModalHook([&](CWnd* popup) {
    texts = TrackedMenuTexts();
    popupRect = popup->GetWindowRect();
    ChooseTrackedMenuItem(ID_FILE_OPEN);
  });
  Tap(0);
  EXPECT_EQ(texts,
            (std::vector<std::u16string>{u"New Source File\tCtrl+N", u"New Project", u"&Open\tCtrl+O", u"&Save\tCtrl+S",
                                         u"Save &As...", u"", u"About Tovin", u"", u"Recent File", u"", u"E&xit"}));
  // The pop-up hangs from the top of the bar, at its button.
  EXPECT_EQ(popupRect.bottom, bar->GetWindowRect().top);
  EXPECT_EQ(popupRect.left, bar->GetButtonRectOnScreen(0).left);
  EXPECT_EQ(owner->popupsOpened, std::vector<CMenu*>{bar->GetPopup(0)});
  EXPECT_EQ(owner->commands, std::vector<UINT>{ID_FILE_OPEN});
  EXPECT_EQ(bar->GetOpenButton(), -1);
}

TEST_F(MenuBarTest, EditAndToolsOpenTheirOwnPopups) {
  std::vector<std::vector<std::u16string>> seen;
  screen->SetModalHook([&](CWnd*) { seen.push_back(TrackedMenuTexts()); });
  Tap(1);
  Tap(2);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (std::vector<std::u16string>{u"&Undo", u"", u"Cut", u"Copy", u"Paste", u"", u"Find", u"Replace",
                                                  u"", u"Jump to Line Number"}));
  EXPECT_EQ(seen[1], (std::vector<std::u16string>{u"Show Project...", u"&File Outline...\tCtrl-2", u"&Options...", u"",
                                                  u"&Customize..."}));
  EXPECT_TRUE(owner->commands.empty());  // dismissed: nothing chosen
}

TEST_F(MenuBarTest, LabelsComeFromTheStringsAndButtonsFollowInOrder) {
  ASSERT_EQ(bar->GetButtonCount(), 8);
  EXPECT_EQ(bar->GetButton(0).label, u"File");
  EXPECT_EQ(bar->GetButton(1).label, u"Edit");
  EXPECT_EQ(bar->GetButton(2).label, u"Tools");
  const std::vector<UINT> commands = {
      ID_MENU_FILE, ID_MENU_EDIT, ID_MENU_TOOLS, ID_SHOW_PROJECT, ID_TOOLS_FILE_OUTLINE, 0, ID_EDIT_FIND, ID_FIND_NEXT};
  for (int i = 0; i < bar->GetButtonCount(); ++i)
    EXPECT_EQ(bar->GetButton(i).command, commands[static_cast<std::size_t>(i)]);
  EXPECT_TRUE(bar->GetButton(5).separator);
  EXPECT_EQ(bar->SendMessage(TB_BUTTONCOUNT), 8);
}

TEST_F(MenuBarTest, ImageButtonsSendTheirCommandUnlessDisabled) {
  Tap(bar->FindButton(ID_EDIT_FIND));
  EXPECT_EQ(owner->commands, std::vector<UINT>{ID_EDIT_FIND});

  EXPECT_EQ(bar->SendMessage(TB_ENABLEBUTTON, ID_EDIT_FIND, MAKELPARAM(0, 0)), 1);
  EXPECT_EQ(bar->SendMessage(TB_ISBUTTONENABLED, ID_EDIT_FIND), 0);
  Tap(bar->FindButton(ID_EDIT_FIND));
  EXPECT_EQ(owner->commands.size(), 1u);

  // A press that slides off its button before the pen lifts gives nothing.
  const CPoint from = Centre(bar->FindButton(ID_FIND_NEXT));
  const CPoint to = Centre(bar->FindButton(ID_SHOW_PROJECT));
  screen->PenDown(from.x, from.y);
  screen->PenMove(to.x, to.y);
  screen->PenUp(to.x, to.y);
  EXPECT_EQ(owner->commands.size(), 1u);
  EXPECT_EQ(bar->SendMessage(TB_ENABLEBUTTON, 12345, MAKELPARAM(1, 0)), 0);  // no such button
}

TEST_F(MenuBarTest, ButtonsAreTheImagePlusSevenPixels) {
  const CRect large = bar->GetButtonRectOnScreen(bar->FindButton(ID_EDIT_FIND));
  EXPECT_EQ(large.Width(), 39);
  EXPECT_EQ(large.Height(), 39);
  Start(320, 240, IDR_MAINFRAME);
  const CRect small = bar->GetButtonRectOnScreen(bar->FindButton(ID_EDIT_FIND));
  EXPECT_EQ(small.Width(), 23);
  EXPECT_EQ(small.Height(), 23);
  EXPECT_EQ(bar->GetImageSize(), (CSize{16, 16}));
}

TEST(HighResolutionRule, PortraitWideLandscapeVeryWideSquareNever) {
  EXPECT_TRUE(IsHighResolutionScreen(480, 640));
  EXPECT_FALSE(IsHighResolutionScreen(320, 240));
  EXPECT_FALSE(IsHighResolutionScreen(480, 480));
  EXPECT_FALSE(IsHighResolutionScreen(240, 320));
  EXPECT_FALSE(IsHighResolutionScreen(400, 640));  // portrait must be wider than 400
  EXPECT_TRUE(IsHighResolutionScreen(401, 640));
  EXPECT_FALSE(IsHighResolutionScreen(600, 480));  // landscape needs 601
  EXPECT_TRUE(IsHighResolutionScreen(601, 480));
  EXPECT_FALSE(IsHighResolutionScreen(640, 640));
}

TEST_F(MenuBarTest, TheBarIsDrawnInTheStripWithItsLabels) {
  const CBitmap& s = screen->Screen();
  const CRect file = bar->GetButtonRectOnScreen(0);
  int white = 0;
  for (int y = file.top; y < file.bottom; ++y)
    for (int x = file.left; x < file.right; ++x) white += s.GetPixel(x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 20);  // the label "File"
  // Past the last button the bar is dark, not the window manager's grey strip.
  const COLORREF empty = s.GetPixel(s.GetWidth() - 4, bar->GetWindowRect().top + 10);
  EXPECT_LT(GetRValue(empty) + GetGValue(empty) + GetBValue(empty), 3 * 128);
}

TEST_F(MenuBarTest, ClosingTheHostWindowIsPassedToTheOwner) {
  UiEvent quit;
  quit.kind = UiEvent::Kind::Quit;
  CWindowManager::Get().Dispatch(quit);
  EXPECT_EQ(owner->closes, 1);
}

TEST_F(MenuBarTest, TheSoftInputPanelControlAsksForTextInputWhileItsDialogIsUp) {
  InitCommonControls();
  SHInitExtraControls();
  CResourceModule module;
  DialogTemplate t;
  t.caption = u"Options";
  t.cx = 100;
  t.cy = 40;
  t.items = {{DialogItemKind::Static, 0xFFFF, u"Font size:", 4, 4, 60, 10, 0},
             {WC_SIPPREF, 1100, u"", 0, 0, 0, 0, 0}};
  module.dialogs[300] = t;
  const CResourceModule* old = AfxGetResourceHandle();
  AfxSetResourceHandle(&module);
  screen->Backend().textInput = false;
  bool inputWhileUp = false;
  bool controlMade = false;
  screen->SetModalHook([&](CWnd* w) {
    inputWhileUp = screen->Backend().textInput;
    controlMade = w->GetDlgItem(1100) != nullptr && !w->GetDlgItem(1100)->IsWindowVisible();
    static_cast<CDialog*>(w)->PressButton(IDOK);
  });
  CDialog dialog(300, owner.get());
  EXPECT_EQ(dialog.DoModal(), IDOK);
  AfxSetResourceHandle(old);
  EXPECT_TRUE(controlMade);
  EXPECT_TRUE(inputWhileUp);
  EXPECT_TRUE(screen->Backend().textInput);  // left on for the window that has the focus back
}
