// Editing through the keys: typing, Enter, deleting, blocks, overwrite mode, the clipboard,
// undo and redo.
#include <algorithm>

#include "edit/CrystalEditView.h"
#include "platform/gfx/Bitmap.h"
#include "platform/base/CodePage.h"
#include "resources/CommandIds.h"
#include "view/ViewFixture.h"

class EditTest : public ViewHarness<CCrystalEditView> {
 protected:
  std::string Text() {
    std::string out;
    for (int i = 0; i < buffer.GetLineCount(); ++i) out += (i ? "|" : "") + Line(i);
    return out;
  }
  void Undo() { Key('Z', CHeadlessScreen::Ctrl); }
  void Redo() { Key('Y', CHeadlessScreen::Ctrl); }
};

TEST_F(EditTest, TypedWordsUndoWordByWord) {
  screen->Type(u"ab c");
  EXPECT_EQ(Text(), "ab c");
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 0));
  Undo();
  EXPECT_EQ(Text(), "ab");
  Undo();
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(buffer.CanUndo());
  Redo();
  Redo();
  EXPECT_EQ(Text(), "ab c");
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 0));
}

TEST_F(EditTest, ALongTypedRunUndoesInStepsSoTheNewestTypingIsNeverLost) {
  screen->Type(std::u16string(1100, u'x'));  // longer than the whole history
  ASSERT_EQ(buffer.GetLineLength(0), 1100);
  Undo();
  const int afterOne = buffer.GetLineLength(0);
  EXPECT_LT(afterOne, 1100);
  EXPECT_GE(afterOne, 1100 - 256);
  Undo();
  EXPECT_LT(buffer.GetLineLength(0), afterOne);
  while (buffer.CanUndo()) Undo();
  EXPECT_GT(buffer.GetLineLength(0), 0);  // the oldest steps left the history whole
  EXPECT_LT(buffer.GetLineLength(0), afterOne);
}

TEST_F(EditTest, ACharacterAfterBackspaceJoinsItsStep) {
  SetText("hello");
  Key(VK_END);
  Key(VK_BACK);
  screen->Type(u"p!");
  EXPECT_EQ(Text(), "hellp!");
  Undo();  // the Backspace and both characters go together
  EXPECT_EQ(Text(), "hello");
}

TEST_F(EditTest, EnterSplitsTheLineWithoutIndent) {
  SetText("    indented");
  Key(VK_END);
  Key(VK_LEFT);
  Key(VK_RETURN);
  EXPECT_EQ(Text(), "    indente|d");
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 1));
  view->SetSelection(CPoint(1, 0), CPoint(3, 0));
  Key(VK_RETURN);  // replaces the selection
  EXPECT_EQ(Text(), " | indente|d");
}

TEST_F(EditTest, DeleteAndBackspaceAtTheEndsChangeNothing) {
  SetText("ab\ncd");
  Key(VK_BACK);
  EXPECT_EQ(Text(), "ab|cd");
  Key(VK_END, CHeadlessScreen::Ctrl);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "ab|cd");
  EXPECT_EQ(buffer.GetUndoRecordCount(), 1);  // only the fixture's text
  Key(VK_HOME);
  Key(VK_BACK);  // joins with the line above
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 0));
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "abd");
  Key(VK_END);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "abd");
}

TEST_F(EditTest, TabIndentsTheLinesOfABlock) {
  SetText("l0\nl1\nl2\nl3\nl4\nl5");
  view->SetSelection(CPoint(3, 2), CPoint(0, 5));
  Key(VK_TAB);
  EXPECT_EQ(Text(), "l0|l1|\tl2|\tl3|\tl4|l5");
  CPoint s, e;
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 2));
  EXPECT_EQ(e, CPoint(0, 5));
  Undo();
  EXPECT_EQ(Text(), "l0|l1|l2|l3|l4|l5");  // one step for the block
  view->SetSelection(CPoint(1, 4), CPoint(1, 5));  // ends inside the last line: it is included
  Key(VK_TAB);
  EXPECT_EQ(Text(), "l0|l1|l2|l3|\tl4|\tl5");
  view->GetSelection(s, e);
  EXPECT_EQ(e, CPoint(3, 5));  // the last line's end
}

TEST_F(EditTest, UntabRemovesOneStopOfIndent) {
  SetText("  \tx\n      y\n\n\tz");
  view->SetSelection(CPoint(0, 0), CPoint(1, 3));
  Key(VK_TAB, CHeadlessScreen::Shift);
  EXPECT_EQ(Text(), "x|  y||z");
  // With a caret only, the caret goes back to the previous stop and the text stays.
  SetText("abcdefghij");
  view->MoveCaretTo(CPoint(8, 0));
  Key(VK_TAB, CHeadlessScreen::Shift);
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 0));
  view->MoveCaretTo(CPoint(6, 0));
  Key(VK_TAB, CHeadlessScreen::Shift);
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 0));
  EXPECT_EQ(Text(), "abcdefghij");
}

TEST_F(EditTest, OverwriteModeReplacesAndEnterOnlyMoves) {
  SetText("abc\ndef");
  Key(VK_INSERT);
  EXPECT_TRUE(view->GetOverwriteMode());
  screen->Type(u"XY");
  EXPECT_EQ(Text(), "XYc|def");
  Key(VK_RETURN);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 1));
  EXPECT_EQ(Text(), "XYc|def");
  Key(VK_END);
  screen->Type(u"!");  // at the end of a line: appended
  EXPECT_EQ(Text(), "XYc|def!");
  Key(VK_RETURN);  // on the last line a line end goes in
  EXPECT_EQ(Text(), "XYc|def!|");
  Key(VK_INSERT);
  EXPECT_FALSE(view->GetOverwriteMode());
}

TEST_F(EditTest, CutAndPasteThroughTheClipboard) {
  SetText("one two\nthree");
  view->SetSelection(CPoint(4, 0), CPoint(2, 1));
  Key('X', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), "one ree");
  EXPECT_EQ(screen->Backend().clipboard, u"two\r\nth");
  Key(VK_END);
  Key('V', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), "one reetwo|th");
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 1));
  Undo();
  EXPECT_EQ(Text(), "one ree");
  EXPECT_EQ(view->GetCaretPos(), CPoint(7, 0));
}

TEST_F(EditTest, PasteWithAnEmptyClipboardKeepsTheSelection) {
  SetText("keep me");
  screen->Backend().clipboard.clear();
  view->SetSelection(CPoint(0, 0), CPoint(4, 0));
  const int records = buffer.GetUndoRecordCount();
  Key('V', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), "keep me");
  EXPECT_TRUE(view->HasSelection());
  EXPECT_EQ(buffer.GetUndoRecordCount(), records);
}

TEST_F(EditTest, TypedCharactersAreInsertedAsTyped) {
  screen->Type(u"\u00e9\u0436\u20ac");
  EXPECT_EQ(buffer.GetLineLength(0), 3);
  EXPECT_EQ(std::u16string(buffer.GetLineChars(0), 3), u"\u00e9\u0436\u20ac");
  // A single-byte code page takes what it can hold and refuses the rest.
  ASSERT_TRUE(plat::CodePage::SetSystem("CP1252"));
  SetText("");
  screen->Type(u"\u00e9\u0436\u20ac");
  EXPECT_EQ(std::u16string(buffer.GetLineChars(0), static_cast<std::size_t>(buffer.GetLineLength(0))), u"\u00e9\u20ac");
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
}

TEST_F(EditTest, ReadOnlyTextRefusesEveryEdit) {
  SetText("fixed");
  buffer.SetReadOnly(true);
  screen->Type(u"x");
  Key(VK_DELETE);
  Key(VK_RETURN);
  Key(VK_TAB);
  Key('V', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), "fixed");
  CCmdUI ui(ID_EDIT_INDICATOR_CRLF);
  view->OnCmdMsg(ID_EDIT_INDICATOR_CRLF, CN_UPDATE_COMMAND_UI, &ui);
  EXPECT_TRUE(ui.enabled);
}

TEST_F(EditTest, UpdateHandlersFollowTheState) {
  SetText("abc");
  auto enabled = [&](UINT id) {
    CCmdUI ui(id);
    view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui);
    return ui.enabled;
  };
  EXPECT_FALSE(enabled(ID_EDIT_CUT));
  EXPECT_TRUE(enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(enabled(ID_EDIT_REDO));
  EXPECT_FALSE(enabled(ID_EDIT_INDICATOR_COL));
  view->SetSelection(CPoint(0, 0), CPoint(1, 0));
  EXPECT_TRUE(enabled(ID_EDIT_CUT));
  Undo();
  EXPECT_FALSE(enabled(ID_EDIT_UNDO));
  EXPECT_TRUE(enabled(ID_EDIT_REDO));
}

// A key that changes one line puts only that line's row on the screen, and the screen then
// looks exactly as a repaint of the whole view makes it.
TEST_F(EditTest, AKeyOnOneLinePutsOnlyItsRowOnTheScreen) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "int value" + std::to_string(i) + " = " + std::to_string(i) + ";\n";
  SetText(text);
  view->HighlightText(CPoint(0, 160), 0);
  view->HighlightText(CPoint(4, 150), 0);
  Flush();
  const int h = view->GetLineHeight();
  auto& presented = screen->Backend().presented;
  for (int k = 0; k < 3; ++k) {
    presented = CRect();
    if (k == 1) Key(VK_BACK);
    else screen->Type(k == 0 ? u"x" : u"=");
    ASSERT_FALSE(presented.IsRectEmpty());
    EXPECT_LE(presented.Height(), h) << "key " << k;
    CBitmap shown;
    ASSERT_TRUE(shown.Create(screen->Screen().GetWidth(), screen->Screen().GetHeight()));
    for (int y = 0; y < shown.GetHeight(); ++y)
      std::copy(screen->Screen().Row(y), screen->Screen().Row(y) + shown.GetWidth(), shown.Row(y));
    frame->Invalidate();
    view->Invalidate();
    Flush();
    for (int y = 0; y < shown.GetHeight(); ++y)
      ASSERT_TRUE(std::equal(shown.Row(y), shown.Row(y) + shown.GetWidth(), screen->Screen().Row(y))) << "row " << y << ", key " << k;
  }
  EXPECT_EQ(Line(150), "int =value150 = 150;");
}
