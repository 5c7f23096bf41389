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

// Replace All replaces a line's matches at once. Each case is also run through the loop the
// dialog stood for (replace the selection, search on from after it, select the next match)
// and everything a user or a later command can see must come out the same: the text, the
// undo history step by step, caret, selection, scroll position, the selection kept aside
// for after the dialog, and the pixels on the screen.
struct ReplaceCase {
  std::string text, search, replacement;
  DWORD flags;
  CPoint shown;       // a place made visible first (scrolls the view)
  bool redoTail;      // an undone edit waits to be redone
};

struct ReplaceOutcome {
  std::vector<std::string> lines;
  std::vector<std::vector<std::string>> undone;  // the text after each undo step
  int records = 0, position = 0, savePoint = 0;
  std::vector<DWORD> recordFlags;
  CPoint caret, anchor, selStart, selEnd, next, restoredStart, restoredEnd;
  int idealColumn = 0, top = 0, left = 0;
  bool modified = false, tabs = false;
  std::vector<std::uint32_t> pixels;
};

class ReplaceAllTest : public FindReplaceTest {
 protected:
  std::vector<std::string> Lines() {
    std::vector<std::string> out;
    for (int i = 0; i < buffer.GetLineCount(); ++i) out.push_back(Line(i));
    return out;
  }
  ReplaceOutcome Run(const ReplaceCase& c, bool atOnce) {
    SetText(c.text);
    if (c.redoTail) {
      int l, ch;
      buffer.InsertText(nullptr, 0, 0, u"zz", l, ch);
      CPoint p;
      buffer.Undo(p);
    }
    view->HighlightText(c.shown, 0);
    view->PushSelection(CPoint(1, 0), CPoint(2, buffer.GetLineCount() - 1));
    Flush();
    ReplaceOutcome o;
    const std::u16string search = plat::Widen(c.search), with = plat::Widen(c.replacement);
    const int length = static_cast<int>(search.size());
    CPoint at;
    EXPECT_TRUE(view->SearchText(search, CPoint(0, 0), c.flags, false, at));
    view->HighlightText(at, length);
    view->SetRedraw(false);
    if (atOnce) {
      EXPECT_TRUE(view->ReplaceAllFrom(at, search, with, c.flags, o.next));
    } else {
      for (;;) {
        view->ReplaceSelection(with);
        at.x += static_cast<int>(with.size());
        o.next = at;
        if (!view->SearchText(search, at, c.flags, false, at)) break;
        view->HighlightText(at, length);
      }
    }
    view->SetRedraw(true);
    Flush();
    o.lines = Lines();
    o.records = buffer.GetUndoRecordCount();
    o.position = buffer.GetUndoPosition();
    o.savePoint = buffer.GetSavePoint();
    for (int i = 0; i < o.records; ++i) o.recordFlags.push_back(buffer.GetUndoRecordFlags(i));
    o.caret = view->GetCaretPos();
    o.anchor = view->GetAnchor();
    view->GetSelection(o.selStart, o.selEnd);
    o.idealColumn = view->GetIdealColumn();
    o.top = view->GetFirstVisibleLine();
    o.left = view->GetFirstVisibleColumn();
    o.modified = buffer.IsModified();
    o.tabs = buffer.MayHoldTabs();
    const CBitmap& shot = screen->Screen();
    for (int y = 0; y < shot.GetHeight(); ++y) o.pixels.insert(o.pixels.end(), shot.Row(y), shot.Row(y) + shot.GetWidth());
    view->PopSelection();
    view->GetSelection(o.restoredStart, o.restoredEnd);
    CPoint p;
    for (int i = 0; i < 40 && buffer.Undo(p); ++i) o.undone.push_back(Lines());
    return o;
  }
  void ExpectSame(const ReplaceCase& c) {
    const ReplaceOutcome loop = Run(c, false), once = Run(c, true);
    EXPECT_EQ(once.lines, loop.lines);
    EXPECT_EQ(once.undone, loop.undone);
    EXPECT_EQ(once.records, loop.records);
    EXPECT_EQ(once.position, loop.position);
    EXPECT_EQ(once.savePoint, loop.savePoint);
    EXPECT_EQ(once.recordFlags, loop.recordFlags);
    EXPECT_EQ(once.caret, loop.caret);
    EXPECT_EQ(once.anchor, loop.anchor);
    EXPECT_EQ(once.selStart, loop.selStart);
    EXPECT_EQ(once.selEnd, loop.selEnd);
    EXPECT_EQ(once.next, loop.next);
    EXPECT_EQ(once.restoredStart, loop.restoredStart);
    EXPECT_EQ(once.restoredEnd, loop.restoredEnd);
    EXPECT_EQ(once.idealColumn, loop.idealColumn);
    EXPECT_EQ(once.top, loop.top);
    EXPECT_EQ(once.left, loop.left);
    EXPECT_EQ(once.modified, loop.modified);
    EXPECT_EQ(once.tabs, loop.tabs);
    EXPECT_TRUE(once.pixels == loop.pixels) << "the screens differ";
  }
};

TEST_F(ReplaceAllTest, AtOnceEqualsOneByOneForWordsCaseAndAdjacentMatches) {
  const std::string text = "ab ab.abab ab\n\tab\tx ab\nAB aB ab_ab\nnone here\nabab\n\u00c4b \u00e4B \u00e4b\u00e4b \u00e4b ab\t";
  const std::vector<std::string> with = {"", "x", "abab", "x.", "\t", "Ab", "\u00e4b"};
  for (DWORD flags : {DWORD{0}, DWORD{SearchMatchCase}, DWORD{SearchWholeWord}, DWORD{SearchMatchCase | SearchWholeWord}}) {
    for (const std::string& r : with) {
      SCOPED_TRACE("flags " + std::to_string(flags) + ", replacement '" + r + "'");
      ExpectSame({text, "ab", r, flags, CPoint(0, 0), false});
      ExpectSame({text, "\u00e4b", r, flags, CPoint(0, 0), true});
      // A match right after one replaced is a whole word or not by the replacement's end.
      ExpectSame({" .a.a .a,.a.a\n.a.a", ".a", r, flags, CPoint(0, 0), false});
    }
  }
}

TEST_F(ReplaceAllTest, AtOnceEqualsOneByOneWhenTheViewScrollsBothWays) {
  // Long lines, matches far to the right and at the end of the longest line, the view
  // scrolled away first: the column shown follows each match, and a line that gets shorter
  // than the first column shown pulls the view back.
  std::string text;
  for (int i = 0; i < 120; ++i) {
    text += std::string(static_cast<std::size_t>(40 + (i * 37) % 150), i % 3 ? '-' : '\t');
    text += i % 4 ? "foo" : "foo x foo";
    if (i % 5 == 0) text += "foo";
    text += "\n";
  }
  text += std::string(220, '=') + "foo";
  for (const std::string& r : {std::string(), std::string("f"), std::string("foofoo"), std::string("\t")}) {
    for (CPoint shown : {CPoint(0, 0), CPoint(200, 60), CPoint(223, 120), CPoint(5, 119)}) {
      SCOPED_TRACE("replacement '" + r + "', shown " + std::to_string(shown.x) + "," + std::to_string(shown.y));
      ExpectSame({text, "foo", r, SearchMatchCase, shown, false});
    }
  }
  // The longest line shrinks under the first column shown, which then steps back one.
  std::string shrinking = std::string(250, '-');
  for (int i = 0; i < 40; ++i) shrinking += "foo";
  ExpectSame({shrinking + "\nshort", "foo", "", SearchMatchCase, CPoint(370, 0), false});
  ExpectSame({"\t" + shrinking + "\n\tshort\n" + std::string(200, '+'), "foo", "", SearchMatchCase, CPoint(373, 0), false});
}

TEST_F(ReplaceAllTest, AtOnceEqualsOneByOneAcrossTheLimitOfTheHistory) {
  // Fewer records than the history holds, about as many, and many times more.
  for (int lines : {100, 511, 512, 1023, 1024, 1025, 3000}) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += i % 2 ? "foo\n" : "a foo\n";
    SCOPED_TRACE(std::to_string(lines) + " lines");
    ExpectSame({text, "foo", "bar", SearchMatchCase, CPoint(0, lines / 2), lines % 2 == 1});
    ExpectSame({text, "foo", "", SearchMatchCase, CPoint(0, 0), false});
  }
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
