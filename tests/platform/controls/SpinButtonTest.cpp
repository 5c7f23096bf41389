// The up-down control in a dialog: placed at its buddy's edge, stepping the buddy's number
// by taps, held arrows and the arrow keys, within its range or round it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/controls/CommonControls.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/dialogs/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"

namespace {

enum : UINT { IDD_SPINS = 400, IDC_VALUE = 401, IDC_VALUE_SPIN = 402, IDC_HOUR = 403, IDC_HOUR_SPIN = 404 };
constexpr DWORD kBuddySpin = UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS;

// A dialog that lets its spins take the arrow keys of their buddies.
class CSpinDialog : public CDialog {
 public:
  CSpinDialog() : CDialog(IDD_SPINS) {}
  CSpinButtonCtrl& Spin(UINT id) { return *dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id)); }

 protected:
  bool PreTranslateMessage(MSG* msg) override {
    return CSpinButtonCtrl::TranslateBuddyKey(*msg) || CDialog::PreTranslateMessage(msg);
  }
};

class SpinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using K = DialogItemKind;
    InitCommonControls();
    DialogTemplate& t = module.dialogs[IDD_SPINS];
    t.cx = 140;
    t.cy = 60;
    t.items = {
        {K::Edit, IDC_VALUE, u"", 4, 4, 60, 13, WS_TABSTOP | WS_GROUP},
        {UPDOWN_CLASS, IDC_VALUE_SPIN, u"", 90, 30, 11, 20, kBuddySpin},  // its own place is not used
        {K::Edit, IDC_HOUR, u"", 4, 24, 60, 13, WS_TABSTOP | WS_GROUP},
        {UPDOWN_CLASS, IDC_HOUR_SPIN, u"", 64, 24, 11, 13, kBuddySpin | UDS_WRAP | UDS_NOTHOUSANDS},
    };
    previous = AfxGetResourceHandle();
    AfxSetResourceHandle(&module);
    screen = std::make_unique<CHeadlessScreen>(480, 640);
  }
  void TearDown() override {
    screen.reset();
    AfxSetResourceHandle(previous);
  }
  void Run(const std::function<void(CSpinDialog&)>& steps) {
    screen->SetModalHook([&](CWnd* w) {
      if (auto* d = dynamic_cast<CSpinDialog*>(w)) steps(*d);
    });
    CSpinDialog dialog;
    dialog.DoModal();
    screen->SetModalHook(nullptr);
  }
  CPoint ArrowPoint(CSpinButtonCtrl& spin, bool up) {
    CRect r = up ? spin.UpRect() : spin.DownRect();
    spin.ClientToScreen(r);
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void TapArrow(CSpinButtonCtrl& spin, bool up) {
    const CPoint p = ArrowPoint(spin, up);
    screen->Tap(p.x, p.y);
  }

  CResourceModule module;
  const CResourceModule* previous = nullptr;
  std::unique_ptr<CHeadlessScreen> screen;
};

}  // namespace

TEST_F(SpinButtonTest, SitsAtTheBuddysRightEdgeAndStepsItsNumberWithinTheRange) {
  Run([&](CSpinDialog& d) {
    CSpinButtonCtrl& spin = d.Spin(IDC_VALUE_SPIN);
    CWnd* buddy = d.GetDlgItem(IDC_VALUE);
    ASSERT_EQ(spin.GetBuddy(), buddy);  // the control made just before it
    // The pair shares the buddy's template rectangle, side by side.
    CRect field = d.MapDialogRect(CRect(4, 4, 64, 17));
    d.ClientToScreen(field);
    const CRect b = buddy->GetWindowRect(), s = spin.GetWindowRect();
    EXPECT_EQ(std::make_pair(b.left, s.right), std::make_pair(field.left, field.right));
    EXPECT_EQ(b.right, s.left);
    EXPECT_EQ(std::make_pair(s.top, s.bottom), std::make_pair(b.top, b.bottom));

    spin.SetRange(0, 3);
    spin.SetPos(1);
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"1");
    TapArrow(spin, true);
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"2");
    TapArrow(spin, true);
    TapArrow(spin, true);  // stops at the top of the range
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"3");
    d.SetDlgItemText(IDC_VALUE, u"1");  // what the user typed is where the next step starts
    TapArrow(spin, false);
    TapArrow(spin, false);
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"0");
    EXPECT_EQ(spin.GetPos(), 0);
    EXPECT_EQ(CWnd::GetFocus(), buddy);  // the arrows leave the focus in the field
  });
}

TEST_F(SpinButtonTest, ArrowKeysInTheBuddyStepWrapGoesRoundAndReversedRangesCountDown) {
  Run([&](CSpinDialog& d) {
    CSpinButtonCtrl& hour = d.Spin(IDC_HOUR_SPIN);
    hour.SetRange(0, 23);
    hour.SetPos(22);
    d.Spin(IDC_VALUE_SPIN).SetPos(7);
    d.GotoDlgCtrl(d.GetDlgItem(IDC_HOUR));
    screen->Key(VK_UP);
    EXPECT_EQ(d.GetDlgItemText(IDC_HOUR), u"23");
    screen->Key(VK_UP);  // UDS_WRAP: round to the bottom
    EXPECT_EQ(d.GetDlgItemText(IDC_HOUR), u"0");
    screen->Key(VK_DOWN);
    EXPECT_EQ(d.GetDlgItemText(IDC_HOUR), u"23");
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"7");  // the other field's spin stayed put

    hour.SetRange(10, 0);  // the up arrow counts towards the second number given
    hour.SetPos(5);
    TapArrow(hour, true);
    EXPECT_EQ(d.GetDlgItemText(IDC_HOUR), u"4");
    // Without UDS_NOTHOUSANDS the number is grouped, and read back through its separator.
    CSpinButtonCtrl& value = d.Spin(IDC_VALUE_SPIN);
    value.SetRange(0, 5000);
    value.SetPos(999);
    value.Step(true);
    value.Step(true);
    EXPECT_EQ(d.GetDlgItemText(IDC_VALUE), u"1,001");
    d.SetDlgItemText(IDC_VALUE, u"junk");  // no number: the last position stands
    EXPECT_EQ(value.GetPos(), 1001);
  });
}

TEST_F(SpinButtonTest, HoldingAnArrowRepeatsUntilThePenLifts) {
  Run([&](CSpinDialog& d) {
    CSpinButtonCtrl& spin = d.Spin(IDC_VALUE_SPIN);
    spin.SetRange(0, 100);
    spin.SetPos(0);
    const CPoint p = ArrowPoint(spin, true);
    screen->PenDown(p.x, p.y);
    EXPECT_EQ(spin.GetPos(), 1);
    screen->Advance(CSpinButtonCtrl::kRepeatDelayMs - 10);
    EXPECT_EQ(spin.GetPos(), 1);  // not before the delay
    screen->Advance(10 + 3 * CSpinButtonCtrl::kRepeatPeriodMs);
    EXPECT_EQ(spin.GetPos(), 5);
    screen->PenUp(p.x, p.y);
    screen->Advance(1000);
    EXPECT_EQ(spin.GetPos(), 5);
  });
}
