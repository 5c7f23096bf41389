// The bitmap button: it takes a template button's place by the bitmaps its text names,
// sizes itself to them, shows the one for its state, and is pressed like any button.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/controls/BitmapButton.h"
#include "platform/controls/CommonControls.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT kDialogId = 600, kButtonId = 601, kOtherId = 602;
constexpr COLORREF kUp = RGB(200, 0, 0), kDown = RGB(0, 160, 0), kFocus = RGB(0, 0, 200), kOff = RGB(90, 90, 90);

std::function<void(CBitmap&)> Solid(int w, int h, COLORREF c) {
  return [=](CBitmap& b) {
    b.Create(w, h);
    b.Fill(c);
  };
}

// A dialog whose button becomes a bitmap button when it opens; it records its commands.
class CPictureDialog : public CDialog {
 public:
  CPictureDialog() : CDialog(kDialogId) {}
  CBitmapButton button;
  bool loaded = false;
  std::vector<UINT> clicks;

 protected:
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    loaded = button.AutoLoad(kButtonId, this);
    return true;
  }
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (!ui && code == BN_CLICKED && id == kButtonId) {
      clicks.push_back(id);
      return true;
    }
    return CDialog::OnCmdMsg(id, code, ui);
  }
};

class BitmapButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    DialogTemplate t;
    t.cx = 150;
    t.cy = 100;
    t.items = {{DialogItemKind::PushButton, kOtherId, u"Other", 4, 4, 50, 14, WS_TABSTOP},
               {DialogItemKind::PushButton, kButtonId, u"PIC", 80, 30, 50, 30, DWORD{BS_OWNERDRAW} | WS_TABSTOP}};
    module.dialogs[kDialogId] = t;
    module.namedBitmaps[u"PICU"] = Solid(30, 20, kUp);
    module.namedBitmaps[u"PICD"] = Solid(30, 20, kDown);
    module.namedBitmaps[u"PICF"] = Solid(30, 20, kFocus);
    module.namedBitmaps[u"PICX"] = Solid(30, 20, kOff);
    module.namedBitmaps[u"BAREU"] = Solid(12, 10, kUp);
    previous = AfxGetResourceHandle();
    AfxSetResourceHandle(&module);
    screen = std::make_unique<CHeadlessScreen>(480, 640);
  }
  void TearDown() override {
    screen.reset();
    AfxSetResourceHandle(previous);
  }
  int Run(CPictureDialog& d, const std::function<void()>& steps) {
    screen->SetModalHook([&](CWnd*) { steps(); });
    const int r = d.DoModal();
    screen->SetModalHook(nullptr);
    return r;
  }
  COLORREF Shown(const CWnd& w) {
    const CRect r = w.GetWindowRect();
    return screen->Pixel(r.left + 5, r.top + 5);
  }

  CResourceModule module;
  const CResourceModule* previous = nullptr;
  std::unique_ptr<CHeadlessScreen> screen;
};

}  // namespace

TEST_F(BitmapButtonTest, TakesTheTemplateButtonsPlaceAndSizesItselfToItsBitmap) {
  CPictureDialog d;
  Run(d, [&] {
    ASSERT_TRUE(d.loaded);
    EXPECT_EQ(d.GetDlgItem(kButtonId), &d.button);
    const CRect r = d.button.GetWindowRect();
    const CRect placed = d.MapDialogRect(CRect(80, 30, 130, 60));
    EXPECT_EQ(r.left - d.GetClientRectOnScreen().left, placed.left);
    EXPECT_EQ(r.top - d.GetClientRectOnScreen().top, placed.top);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 20);
    EXPECT_EQ(d.button.GetWindowText(), u"PIC");
    EXPECT_EQ(d.button.GetButtonStyle(), UINT{BS_OWNERDRAW});
  });
}

TEST_F(BitmapButtonTest, ShowsTheBitmapOfItsStateAndClicksLikeAButton) {
  CPictureDialog d;
  std::vector<COLORREF> seen;
  Run(d, [&] {
    seen.push_back(Shown(d.button));  // the first tab stop has the focus, not the picture
    const CRect r = d.button.GetWindowRect();
    screen->PenDown(r.left + 3, r.top + 3);
    seen.push_back(Shown(d.button));  // held down
    screen->PenUp(r.left + 3, r.top + 3);
    seen.push_back(Shown(d.button));  // released: it kept the focus
    d.GotoDlgCtrl(d.GetDlgItem(kOtherId));
    d.button.EnableWindow(false);
    seen.push_back(Shown(d.button));
    d.button.EnableWindow(true);
    d.GotoDlgCtrl(&d.button);
    screen->Key(VK_SPACE);
    d.PressButton(kButtonId);
    d.PressButton(IDCANCEL);
  });
  EXPECT_EQ(seen, (std::vector<COLORREF>{kUp, kDown, kFocus, kOff}));
  EXPECT_EQ(d.clicks, (std::vector<UINT>{kButtonId, kButtonId, kButtonId}));
}

TEST_F(BitmapButtonTest, MissingStatesShowTheUpBitmapAndAMissingSetLeavesTheButton) {
  CBitmapButton alone;
  EXPECT_FALSE(alone.LoadBitmaps(u"NONE"));
  EXPECT_TRUE(alone.LoadBitmaps(u"BAREU", u"BARED", u"BAREF", u"BAREX"));
  EXPECT_EQ(alone.GetBitmap().GetWidth(), 12);

  module.dialogs[kDialogId].items[1].text = u"BARE";
  CPictureDialog bare;
  std::vector<COLORREF> seen;
  Run(bare, [&] {
    ASSERT_TRUE(bare.loaded);
    bare.GotoDlgCtrl(&bare.button);
    seen.push_back(Shown(bare.button));
    bare.button.EnableWindow(false);
    seen.push_back(Shown(bare.button));
  });
  EXPECT_EQ(seen, (std::vector<COLORREF>{kUp, kUp}));

  module.dialogs[kDialogId].items[1].text = u"NOTHING";
  CPictureDialog none;
  Run(none, [&] {
    EXPECT_FALSE(none.loaded);
    EXPECT_NE(none.GetDlgItem(kButtonId), nullptr);  // the template's button stays
    EXPECT_FALSE(none.button.IsWindow());
  });
}
