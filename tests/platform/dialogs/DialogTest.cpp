// A dialog answered as the user answers it: typing, Tab order, Enter, Escape, the caption's
// "ok", radio arrows, validation that keeps the dialog open, and where commands go.
#include "DialogFixture.h"
#include "platform/base/Debug.h"
#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/SysColors.h"

CRect CaptionOkRect(const CRect& strip);

namespace {
CEdit* EditOf(CDialog& d, UINT id) { return dynamic_cast<CEdit*>(d.GetDlgItem(id)); }
}  // namespace

TEST_F(DialogTest, TypingTabAndEnterExchangeTheValues) {
  COptionsDialog dlg(frame.get());
  const int result = Run(dlg, [&](COptionsDialog& d) {
    // The first tab stop has the focus with its text selected, so typing replaces it.
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_EQ(d.GetDlgItemText(IDC_NAME), u"untitled");
    EXPECT_TRUE(screen->Backend().textInput);
    screen->Type(u"notes");
    screen->Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_COUNT);
    screen->Type(u"12");
    screen->Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_WRAP);
    EXPECT_FALSE(screen->Backend().textInput);  // only an edit wants the keyboard
    screen->Key(VK_SPACE);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_WRAP), UINT{BST_CHECKED});
    screen->Key(VK_RETURN);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.name, u"notes");
  EXPECT_EQ(dlg.count, 12);
  EXPECT_EQ(dlg.wrap, 1);
  EXPECT_EQ(dlg.backup, 1);
  EXPECT_EQ(dlg.direction, 1);
  EXPECT_FALSE(dlg.IsWindow());
  EXPECT_EQ(CWnd::GetFocus(), frame.get());  // the focus went back where it was
  EXPECT_FALSE(screen->Backend().textInput);
  EXPECT_TRUE(frame->commands.empty());  // nothing of the dialog's reached the window behind
}

TEST_F(DialogTest, TabVisitsTheTabStopsAndEntersTheRadioGroupAtItsCheckedButton) {
  COptionsDialog dlg;
  dlg.direction = 2;
  std::vector<UINT> forward, backward;
  Run(dlg, [&](COptionsDialog& d) {
    for (int i = 0; i < 8; ++i) {
      forward.push_back(FocusId());
      screen->Key(VK_TAB);
    }
    for (int i = 0; i < 4; ++i) {
      screen->Key(VK_TAB, CHeadlessScreen::Shift);
      backward.push_back(FocusId());
    }
    // A disabled control is passed over.
    d.GetDlgItem(IDC_COUNT)->EnableWindow(false);
    d.GotoDlgCtrl(d.GetDlgItem(IDC_NAME));
    screen->Key(VK_TAB);
    EXPECT_EQ(FocusId(), IDC_WRAP);
  });
  EXPECT_EQ(forward, (std::vector<UINT>{IDC_NAME, IDC_COUNT, IDC_WRAP, IDC_BACKUP, IDC_WHOLE, IDOK, IDCANCEL, IDC_NAME}));
  EXPECT_EQ(backward, (std::vector<UINT>{IDC_NAME, IDCANCEL, IDOK, IDC_WHOLE}));
}

TEST_F(DialogTest, ArrowsMoveWithinTheRadioGroupCheckingAsTheyGo) {
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    d.GotoDlgCtrl(d.GetDlgItem(IDC_DOWN));
    d.commands.clear();
    screen->Key(VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_WHOLE);
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_UP, IDC_WHOLE), UINT{IDC_WHOLE});
    EXPECT_EQ(d.commands, (std::vector<std::pair<UINT, int>>{{IDC_WHOLE, BN_CLICKED}}));
    screen->Key(VK_RIGHT);  // round to the first of the group
    EXPECT_EQ(FocusId(), IDC_UP);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_WHOLE), UINT{BST_UNCHECKED});
    screen->Key(VK_UP);
    screen->Key(VK_UP);
    EXPECT_EQ(FocusId(), IDC_DOWN);
    // In an edit the arrows move the caret and the focus stays.
    d.GotoDlgCtrl(d.GetDlgItem(IDC_NAME));
    screen->Key(VK_DOWN);
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_TRUE(d.PressButton(IDOK));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.direction, 1);
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembersAlone) {
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    screen->Type(u"changed");
    d.CheckDlgButton(IDC_WRAP, BST_CHECKED);
    screen->Key(VK_ESCAPE);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.name, u"untitled");
  EXPECT_EQ(dlg.wrap, 0);
}

TEST_F(DialogTest, CaptionOkIsIdokAndTheCaptionShowsTheDialog) {
  auto& wm = CWindowManager::Get();
  const CRect strip(0, 0, wm.GetScreenSize().cx, wm.GetCaptionHeight());
  const CRect ok = CaptionOkRect(strip);
  // The "ok" box is framed in the caption text colour; without a dialog it is not there.
  const COLORREF okFrame = GetSysColor(COLOR_CAPTIONTEXT);
  EXPECT_NE(screen->Pixel(ok.left, (ok.top + ok.bottom) / 2), okFrame);
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    EXPECT_EQ(screen->Pixel(ok.left, (ok.top + ok.bottom) / 2), okFrame);
    d.SetDlgItemText(IDC_COUNT, u"9");
    screen->Tap((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.count, 9);
  EXPECT_NE(screen->Pixel(ok.left, (ok.top + ok.bottom) / 2), okFrame);  // gone with the dialog
}

TEST_F(DialogTest, FailedValidationShowsItsMessageAndKeepsTheDialogOpen) {
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    d.SetDlgItemText(IDC_COUNT, u"99");
    d.PressButton(IDOK);
    ASSERT_EQ(messages, (std::vector<std::string>{"Please enter an integer between 1 and 16."}));
    EXPECT_TRUE(CWindowManager::Get().IsInModalLoop(&d));
    // The control at fault has the focus, its text selected for typing over.
    EXPECT_EQ(FocusId(), IDC_COUNT);
    int s = -1, e = -1;
    EditOf(d, IDC_COUNT)->GetSel(s, e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(0, 2));
    screen->Type(u"x1");
    screen->Key(VK_RETURN);
    EXPECT_EQ(messages.back(), "Please enter an integer.");
    d.SetDlgItemText(IDC_NAME, u"a name far longer than twenty");
    d.SetDlgItemText(IDC_COUNT, u" 7 ");
    d.PressButton(IDOK);
    EXPECT_EQ(messages.back(), "Please enter no more than 20 characters.");
    EXPECT_EQ(FocusId(), IDC_NAME);
    EXPECT_EQ(messages.size(), 3u);  // one message per refusal: the checks after it did not run
    d.SetDlgItemText(IDC_NAME, u"short");
    d.PressButton(IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(dlg.count, 7);
  EXPECT_EQ(dlg.name, u"short");
}

TEST_F(DialogTest, CommandsFromControlsReachTheDialog) {
  COptionsDialog dlg(frame.get());
  Run(dlg, [&](COptionsDialog& d) {
    // The text loaded at the start notified too; only what the user does counts here.
    d.commands.clear();
    screen->Type(u"ab");
    screen->Key(VK_LEFT);  // moving the caret changes nothing
    screen->Key(VK_BACK);
    TapControl(d, IDC_BACKUP);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_BACKUP), UINT{BST_UNCHECKED});
    EXPECT_EQ(d.GetDlgItemText(IDC_NAME), u"b");
    const std::vector<std::pair<UINT, int>> want = {
        {IDC_NAME, EN_CHANGE}, {IDC_NAME, EN_CHANGE}, {IDC_NAME, EN_CHANGE}, {IDC_NAME, EN_KILLFOCUS}, {IDC_BACKUP, BN_CLICKED}};
    EXPECT_EQ(d.commands, want);
    d.PressButton(IDCANCEL);
  });
  EXPECT_TRUE(frame->commands.empty());
}

TEST_F(DialogTest, ButtonsPressOnlyWhenThePenIsLiftedInside) {
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    auto* cancel = dynamic_cast<CButton*>(d.GetDlgItem(IDCANCEL));
    const CPoint c = Centre(d, IDCANCEL);
    const COLORREF face = screen->Pixel(c.x, c.y - cancel->GetWindowRect().Height() / 4);
    screen->PenDown(c.x, c.y);
    EXPECT_TRUE(cancel->GetState() & BST_PUSHED);
    EXPECT_NE(screen->Pixel(c.x, c.y - cancel->GetWindowRect().Height() / 4), face);  // the pressed look
    screen->PenMove(c.x, c.y + 200);
    EXPECT_FALSE(cancel->GetState() & BST_PUSHED);
    screen->PenUp(c.x, c.y + 200);
    EXPECT_TRUE(CWindowManager::Get().IsInModalLoop(&d));
    EXPECT_EQ(screen->Pixel(c.x, c.y - cancel->GetWindowRect().Height() / 4), face);
    // Tapping a radio button checks it and clears the others; its focus moves the default
    // look off OK until Enter presses it.
    TapControl(d, IDC_WHOLE);
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_UP, IDC_WHOLE), UINT{IDC_WHOLE});
    TapControl(d, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.direction, 1);  // cancelled: nothing saved
}

TEST_F(DialogTest, EnterPressesAFocusedPushButtonAndNothingWhenTheDefaultIsDisabled) {
  COptionsDialog dlg;
  const int result = Run(dlg, [&](COptionsDialog& d) {
    auto* ok = dynamic_cast<CButton*>(d.GetDlgItem(IDOK));
    auto* cancel = dynamic_cast<CButton*>(d.GetDlgItem(IDCANCEL));
    EXPECT_TRUE(ok->ShowsDefault());
    d.GetDlgItem(IDOK)->EnableWindow(false);
    screen->Key(VK_RETURN);
    EXPECT_TRUE(CWindowManager::Get().IsInModalLoop(&d));
    d.GotoDlgCtrl(cancel);
    EXPECT_TRUE(cancel->ShowsDefault());
    EXPECT_FALSE(ok->ShowsDefault());
    screen->Key(VK_RETURN);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, MissingTemplateAndAnUnansweredDialog) {
  COptionsDialog missing(nullptr, IDD_MISSING);
  EXPECT_EQ(missing.DoModal(), -1);
  COptionsDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);  // nobody answered: cancelled, and it can run again
  EXPECT_EQ(Run(dlg, [](COptionsDialog& d) { d.PressButton(IDOK); }), IDOK);
  EXPECT_FALSE(dlg.PressButton(IDC_UP));  // no window now
}

TEST_F(DialogTest, ControlsFollowTheDialogFontsBaseUnits) {
  COptionsDialog dlg;
  Run(dlg, [&](COptionsDialog& d) {
    const DialogBaseUnits base = d.GetBaseUnits();
    EXPECT_GT(base.x, 3);
    EXPECT_GT(base.y, base.x);
    // The OK button at (50, 130) sized (50, 14) in dialog units.
    CRect r = d.GetDlgItem(IDOK)->GetWindowRect();
    d.ScreenToClient(r);
    EXPECT_EQ(r, CRect(MulDiv(50, base.x, 4), MulDiv(130, base.y, 8), MulDiv(50, base.x, 4) + MulDiv(50, base.x, 4),
                       MulDiv(130, base.y, 8) + MulDiv(14, base.y, 8)));
    EXPECT_EQ(d.GetWindowRect(), CWindowManager::Get().GetWorkArea());  // full width, as on the handheld
    d.PressButton(IDCANCEL);
  });
}

TEST_F(DialogTest, LandscapeDialogScrollsToKeepTheFocusInView) {
  Start(640, 480);
  COptionsDialog dlg;
  Run(dlg, [&](COptionsDialog& d) {
    ASSERT_TRUE(d.GetStyle() & WS_VSCROLL);  // the controls are taller than the work area
    const CRect client = d.GetClientRectOnScreen();
    EXPECT_GT(d.GetDlgItem(IDOK)->GetWindowRect().bottom, client.bottom);
    d.GotoDlgCtrl(d.GetDlgItem(IDC_WHOLE));
    screen->Key(VK_TAB);
    ASSERT_EQ(FocusId(), IDOK);
    const CRect ok = d.GetDlgItem(IDOK)->GetWindowRect();
    EXPECT_GE(ok.top, client.top);
    EXPECT_LE(ok.bottom, client.bottom);
    EXPECT_GT(d.GetScrollPos(SB_VERT), 0);
    // Turned back to portrait everything fits and the bar goes.
    screen->Resize(480, 640);
    EXPECT_FALSE(d.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(d.GetDlgItem(IDC_NAME)->GetWindowRect().top - d.GetClientRectOnScreen().top, MulDiv(5, d.GetBaseUnits().y, 8));
    d.PressButton(IDOK);
  });
}

TEST_F(DialogTest, AGroupBoxRepaintedOnItsOwnLeavesTheButtonsInsideIt) {
  COptionsDialog dlg;
  Run(dlg, [&](COptionsDialog& d) {
    // The ring of the Up button, at the left of its mark.
    const CRect up = d.GetDlgItem(IDC_UP)->GetWindowRect();
    const CPoint ring(up.left, (up.top + up.bottom) / 2);
    const COLORREF before = screen->Pixel(ring.x, ring.y);
    EXPECT_NE(before, GetSysColor(COLOR_STATIC));
    CWnd* box = nullptr;
    for (CWnd* c : d.GetChildren())
      if (c->GetWindowText() == u"Direction") box = c;
    ASSERT_NE(box, nullptr);
    box->EnableWindow(false);
    EXPECT_EQ(screen->Pixel(ring.x, ring.y), before);
    d.PressButton(IDCANCEL);
  });
}

namespace {
std::string debugLines;
void KeepDebugLines(std::u16string_view text) { debugLines += plat::Narrow(text); }
}  // namespace

TEST_F(DialogTest, AControlThatCannotBeMadeIsSkippedWithADebugLine) {
  ASSERT_TRUE(RegisterClass(u"NoWindow", [](const CREATESTRUCT&) { return std::unique_ptr<CWnd>(); }));
  DialogItemTemplate sip(u"NoWindow", 77, u"", 0, 0, 10, 10, 0);
  module.dialogs[IDD_OPTIONS].items.push_back(sip);
  debugLines.clear();
  plat::SetDebugSink(KeepDebugLines);
  COptionsDialog dlg;
  Run(dlg, [&](COptionsDialog& d) {
    EXPECT_EQ(d.GetDlgItem(77), nullptr);
    EXPECT_NE(d.GetDlgItem(IDC_NAME), nullptr);
    d.PressButton(IDCANCEL);
  });
  plat::SetDebugSink(nullptr);
  UnregisterClass(u"NoWindow");
  EXPECT_EQ(debugLines, "dialog: no control made for item 77\n");
}
