// The find and replace dialogs, answered as a user would, and replace-all.
#include "common/TempDevice.h"
#include "edit/CrystalEditView.h"
#include "edit/FindDialog.h"
#include "edit/ReplaceDialog.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/registry/Registry.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "view/ViewFixture.h"

class FindReplaceTest : public ViewHarness<CCrystalEditView> {
 protected:
  void SetUp() override {
    ViewHarness::SetUp();
    InstallMessageBoxUi();  // message boxes come up as windows, as under the application
    CRegistry::Get().Reload();
  }
  std::string Text() {
    std::string out;
    for (int i = 0; i < buffer.GetLineCount(); ++i) out += (i ? "|" : "") + Line(i);
    return out;
  }
  // Answers every message box with OK, recording its text; dialogs go to onDialog.
  void Answer(std::function<void(CDialog&)> onDialog) {
    screen->SetModalHook([this, onDialog](CWnd* w) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
        messages.push_back(plat::Narrow(box->Text()));
        box->Press(IDOK);
      } else if (auto* dlg = dynamic_cast<CDialog*>(w)) {
        onDialog(*dlg);
      }
    });
  }
  CPoint SelStart() {
    CPoint s, e;
    view->GetSelection(s, e);
    return s;
  }
  CPoint SelEnd() {
    CPoint s, e;
    view->GetSelection(s, e);
    return e;
  }
  TempDevice device;
  std::vector<std::string> messages;
};

TEST_F(FindReplaceTest, FindHighlightsTheMatchAndReportsFailure) {
  SetText("alpha Beta\ngamma beta");
  Answer([](CDialog& d) {
    EXPECT_FALSE(d.GetDlgItem(IDOK)->IsWindowEnabled());  // no text yet: Find Next is off
    d.SetDlgItemText(IDC_EDIT_TEXT, u"beta");
    EXPECT_TRUE(d.GetDlgItem(IDOK)->IsWindowEnabled());
    d.CheckDlgButton(IDC_EDIT_MATCH_CASE, BST_CHECKED);
    d.PressButton(IDOK);
  });
  CFindDialog find(view.get());
  find.currentPos = CPoint(0, 0);
  EXPECT_EQ(find.DoModal(), IDOK);
  EXPECT_EQ(SelStart(), CPoint(6, 1));
  EXPECT_EQ(SelEnd(), CPoint(10, 1));

  Answer([](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"delta");
    d.PressButton(IDOK);  // not found: the message, and the dialog stays
    d.PressButton(IDCANCEL);
  });
  CFindDialog missing(view.get());
  EXPECT_EQ(missing.DoModal(), IDCANCEL);
  EXPECT_EQ(messages, std::vector<std::string>{"Text not found."});
  EXPECT_EQ(missing.searchText, u"delta");  // kept although cancelled
}

TEST_F(FindReplaceTest, FindUpWrapsAround) {
  SetText("x foo\ny\nfoo z");
  Answer([](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"foo");
    d.CheckRadioButton(IDC_EDIT_DIRECTION_UP, IDC_EDIT_DIRECTION_DOWN, IDC_EDIT_DIRECTION_UP);
    d.PressButton(IDOK);
  });
  CFindDialog find(view.get());
  find.currentPos = CPoint(0, 1);
  ASSERT_EQ(find.DoModal(), IDOK);
  EXPECT_EQ(SelStart(), CPoint(2, 0));
  CFindDialog again(view.get());
  again.currentPos = CPoint(0, 0);  // nothing above: wraps to the end
  ASSERT_EQ(again.DoModal(), IDOK);
  EXPECT_EQ(SelStart(), CPoint(0, 2));
}

TEST_F(FindReplaceTest, ReplaceAllEndsWhenTheReplacementHoldsTheText) {
  SetText("a b\na");
  view->SetSelection(CPoint(2, 0), CPoint(3, 0));  // "b"
  Answer([](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"a");
    d.SetDlgItemText(IDC_EDIT_REPLACE_WITH, u"aa");
    d.PressButton(IDC_EDIT_REPLACE_ALL);
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), "aa b|aa");
  EXPECT_EQ(messages, std::vector<std::string>{"All occurrences have been replaced."});
  // The selection from before comes back, moved by the edits before it.
  EXPECT_EQ(SelStart(), CPoint(3, 0));
  EXPECT_EQ(SelEnd(), CPoint(4, 0));
  // Each replacement undoes in two steps.
  CPoint p;
  buffer.Undo(p);
  EXPECT_EQ(Text(), "aa b|");
  buffer.Undo(p);
  EXPECT_EQ(Text(), "aa b|a");
}

TEST_F(FindReplaceTest, ReplaceAllWithNoMatchShowsBothMessages) {
  SetText("nothing here");
  Answer([](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"zzz");
    d.PressButton(IDC_EDIT_REPLACE_ALL);
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);
  EXPECT_EQ(messages, (std::vector<std::string>{"Text not found.", "All occurrences have been replaced."}));
  EXPECT_EQ(Text(), "nothing here");
}

TEST_F(FindReplaceTest, FindNextNeverWrapsAndReplaceMovesOn) {
  SetText("cat dog cat");
  Answer([this](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"cat");
    d.SetDlgItemText(IDC_EDIT_REPLACE_WITH, u"cow");
    d.PressButton(IDC_EDIT_FIND_NEXT);
    EXPECT_EQ(SelStart(), CPoint(0, 0));
    d.PressButton(IDC_EDIT_SKIP);  // replaces the first, selects the second
    EXPECT_EQ(Text(), "cow dog cat");
    EXPECT_EQ(SelStart(), CPoint(8, 0));
    d.PressButton(IDC_EDIT_FIND_NEXT);  // past the last: the message
    EXPECT_EQ(messages.size(), 1u);
    d.PressButton(IDC_EDIT_FIND_NEXT);  // and from the top again
    EXPECT_EQ(SelStart(), CPoint(8, 0));
    d.PressButton(IDCANCEL);
  });
  view->MoveCaretTo(CPoint(0, 0));
  Key('H', CHeadlessScreen::Ctrl);
  EXPECT_EQ(messages, std::vector<std::string>{"Text not found."});
}

TEST_F(FindReplaceTest, SettingsSurviveACancelledDialog) {
  SetText("text");
  Answer([](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"find me");
    d.SetDlgItemText(IDC_EDIT_REPLACE_WITH, u"with this");
    d.CheckDlgButton(IDC_EDIT_WHOLE_WORD, BST_CHECKED);
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);
  CRegistry::Get().Reload();  // as read by the next start
  auto& reg = CRegistry::Get();
  EXPECT_EQ(reg.GetProfileString(u"CrystalEdit\\Replace", u"FindWhat"), u"find me");
  EXPECT_EQ(reg.GetProfileString(u"CrystalEdit\\Replace", u"ReplaceWith"), u"with this");
  EXPECT_EQ(reg.GetProfileInt(u"CrystalEdit\\Replace", u"WholeWord", 0), 1);
  EXPECT_EQ(reg.GetProfileInt(u"CrystalEdit\\Replace", u"MatchCase", 7), 0);
  Answer([](CDialog& d) {
    EXPECT_EQ(d.GetDlgItemText(IDC_EDIT_TEXT), u"find me");  // the next dialog starts with them
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_EDIT_WHOLE_WORD), static_cast<UINT>(BST_CHECKED));
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);
  buffer.SetReadOnly(true);
  bool opened = false;
  Answer([&](CDialog& d) {
    opened = true;
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);  // a read-only text: no dialog at all
  EXPECT_FALSE(opened);
}

// Not a check: writes the dialogs as a user sees them, to look at.
TEST_F(FindReplaceTest, DISABLED_Screens) {
  SetText("int main()\n{\n    return foo(1) + foo(2);\n}");
  view->HighlightText(CPoint(11, 2), 3);
  Answer([this](CDialog& d) {
    d.SetDlgItemText(IDC_EDIT_TEXT, u"foo");
    screen->SavePng("/tmp/replace_portrait.png");
    d.PressButton(IDCANCEL);
  });
  Key('H', CHeadlessScreen::Ctrl);
  screen->Resize(640, 480);
  Answer([this](CDialog& d) {
    screen->SavePng("/tmp/find_landscape.png");
    d.PressButton(IDCANCEL);
  });
  CFindDialog find(view.get());
  find.DoModal();
}
