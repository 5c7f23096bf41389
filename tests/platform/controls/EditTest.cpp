// The single-line edit: keys, the clipboard, the pen, scrolling, the limit, surrogate
// pairs, and the notifications its parent hears.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowManager.h"

namespace {

class CHost : public CWnd {
 public:
  std::vector<std::pair<UINT, UINT>> notes;  // (id, notification)
  int Count(UINT code) const {
    int n = 0;
    for (const auto& [id, c] : notes) n += c == code;
    return n;
  }
  bool OnCommand(WPARAM wParam, LPARAM) override {
    notes.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return true;
  }
};

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    host = std::make_unique<CHost>();
    ASSERT_TRUE(host->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Host"));
    edit = std::make_unique<CEdit>();
    ASSERT_TRUE(edit->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, CRect(10, 10, 310, 60), host.get(), 7));
    button = std::make_unique<CButton>();
    ASSERT_TRUE(button->Create(host.get(), CRect(10, 100, 110, 140), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, u"Other"));
    edit->SetFocus();
    screen->Screen();
  }
  void TearDown() override {
    button.reset();
    edit.reset();
    host.reset();
    screen.reset();
  }
  std::u16string Text() const { return edit->GetWindowText(); }
  std::pair<int, int> Sel() const {
    int s, e;
    edit->GetSel(s, e);
    return {s, e};
  }
  // Screen point on the boundary before character i.
  CPoint At(int i) {
    CPoint p(edit->PosFromChar(i), edit->GetClientRect().Height() / 2);
    edit->ClientToScreen(p);
    return p;
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CHost> host;
  std::unique_ptr<CEdit> edit;
  std::unique_ptr<CButton> button;
};

}  // namespace

TEST_F(EditTest, TypingDeletingAndMovingTheCaret) {
  screen->Type(u"hello brave world");
  EXPECT_EQ(Text(), u"hello brave world");
  screen->Key(VK_HOME);
  screen->Key(VK_RIGHT, CHeadlessScreen::Ctrl);
  EXPECT_EQ(edit->GetCaretIndex(), 6);  // the start of the next word
  screen->Key(VK_RIGHT, CHeadlessScreen::Ctrl | CHeadlessScreen::Shift);
  EXPECT_EQ(Sel(), std::make_pair(6, 12));
  screen->Type(u"big ");
  EXPECT_EQ(Text(), u"hello big world");
  screen->Key(VK_LEFT, CHeadlessScreen::Ctrl);
  EXPECT_EQ(edit->GetCaretIndex(), 6);
  screen->Key(VK_END, CHeadlessScreen::Shift);
  screen->Key(VK_BACK);
  EXPECT_EQ(Text(), u"hello ");
  screen->Key(VK_BACK);
  screen->Key(VK_HOME);
  screen->Key(VK_DELETE);
  EXPECT_EQ(Text(), u"ello");
  // A selection collapses to its near end on an arrow.
  edit->SetSel(1, 3);
  screen->Key(VK_LEFT);
  EXPECT_EQ(Sel(), std::make_pair(1, 1));
  // Control characters other than the editing ones are not typed.
  screen->Type(u"\t\x1b");
  EXPECT_EQ(Text(), u"ello");
}

TEST_F(EditTest, ClipboardRoundTripAndUndo) {
  screen->Type(u"alpha beta");
  edit->SetSel(6, 10);
  screen->Key('C', CHeadlessScreen::Ctrl);
  EXPECT_EQ(screen->Backend().clipboard, u"beta");
  screen->Key(VK_HOME);
  screen->Key('V', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), u"betaalpha beta");
  screen->Key('A', CHeadlessScreen::Ctrl);
  screen->Key('X', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), u"");
  EXPECT_EQ(screen->Backend().clipboard, u"betaalpha beta");
  screen->Key('Z', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), u"betaalpha beta");
  screen->Key('Z', CHeadlessScreen::Ctrl);  // undoing the undo
  EXPECT_EQ(Text(), u"");
  // Pasted lines: a single-line field keeps the first.
  screen->Backend().clipboard = u"first line\r\nsecond";
  screen->Key(VK_INSERT, CHeadlessScreen::Shift);
  EXPECT_EQ(Text(), u"first line");
  // Typing a run undoes as one.
  screen->Type(u" more");
  edit->Undo();
  EXPECT_EQ(Text(), u"first line");
}

TEST_F(EditTest, PenDragSelectsAndDoubleTapSelectsAWord) {
  edit->SetWindowText(u"one two three");
  const CPoint a = At(1), b = At(6);
  screen->PenDown(a.x, a.y);
  EXPECT_EQ(Sel(), std::make_pair(1, 1));
  screen->PenMove(b.x, b.y);
  screen->PenUp(b.x, b.y);
  EXPECT_EQ(Sel(), std::make_pair(1, 6));
  EXPECT_EQ(edit->GetCaretIndex(), 6);
  screen->Tap(At(3).x, At(3).y, CHeadlessScreen::Shift);  // extends from the anchor
  EXPECT_EQ(Sel(), std::make_pair(1, 3));
  screen->Advance(1000);
  const CPoint w = At(9);
  screen->DoubleTap(w.x + 2, w.y);
  EXPECT_EQ(Sel(), std::make_pair(8, 13));
  // The selection shows in the highlight colour while the field has the focus.
  EXPECT_EQ(screen->Pixel(At(11).x, At(11).y - 2), GetSysColor(COLOR_HIGHLIGHT));
  button->SetFocus();
  EXPECT_NE(screen->Pixel(At(11).x, At(11).y - 2), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
  const std::u16string longText(200, u'm');
  screen->Type(longText);
  EXPECT_EQ(Text(), longText);
  EXPECT_GT(edit->GetScrollOffset(), 0);
  const CRect client = edit->GetClientRect();
  EXPECT_GT(edit->PosFromChar(200), 0);
  EXPECT_LT(edit->PosFromChar(200), client.right);
  EXPECT_TRUE(CWindowManager::Get().IsCaretVisible());
  screen->Key(VK_HOME);
  EXPECT_EQ(edit->GetScrollOffset(), 0);
  // A field without ES_AUTOHSCROLL takes no more than fits.
  CEdit fixed;
  ASSERT_TRUE(fixed.Create(WS_CHILD | WS_VISIBLE, CRect(10, 200, 110, 240), host.get(), 9));
  fixed.SetFocus();
  host->notes.clear();
  screen->Type(longText);
  EXPECT_GT(fixed.GetWindowText().size(), 3u);
  EXPECT_LT(fixed.GetWindowText().size(), 200u);
  EXPECT_EQ(fixed.GetScrollOffset(), 0);
  EXPECT_GT(host->Count(EN_MAXTEXT), 0);
}

TEST_F(EditTest, TheLimitStopsTypingAndCutsWhatIsInserted) {
  edit->LimitText(5);
  screen->Type(u"abcdefgh");
  EXPECT_EQ(Text(), u"abcde");
  EXPECT_EQ(host->Count(EN_MAXTEXT), 3);
  edit->SetSel(1, 2);
  edit->ReplaceSel(u"XYZ");
  EXPECT_EQ(Text(), u"aXcde");
  // A huge paste stays within the largest limit.
  edit->LimitText(0);
  EXPECT_EQ(edit->GetLimitText(), CEdit::kMaxLimit);
  screen->Backend().clipboard = std::u16string(CEdit::kMaxLimit + 5000, u'q');
  edit->SetSel(0, -1);
  screen->Key('V', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text().size(), static_cast<std::size_t>(CEdit::kMaxLimit));
  edit->SetWindowText(std::u16string(CEdit::kMaxLimit * 2, u'r'));
  EXPECT_EQ(Text().size(), static_cast<std::size_t>(CEdit::kMaxLimit));
  screen->Key(VK_END);
  EXPECT_LT(edit->PosFromChar(CEdit::kMaxLimit), edit->GetClientRect().right);
}

TEST_F(EditTest, NotificationsAndTextInputFollowTheChangesAndTheFocus) {
  EXPECT_TRUE(screen->Backend().textInput);
  host->notes.clear();
  screen->Type(u"abc");
  screen->Key(VK_LEFT);
  screen->Key(VK_HOME, CHeadlessScreen::Shift);
  EXPECT_EQ(host->Count(EN_CHANGE), 3);
  edit->SetWindowText(u"new");
  EXPECT_EQ(host->Count(EN_CHANGE), 4);
  EXPECT_EQ(Sel(), std::make_pair(0, 0));
  screen->Key(VK_END);
  screen->Key(VK_BACK);
  EXPECT_EQ(host->Count(EN_CHANGE), 5);
  EXPECT_EQ(host->notes.back(), std::make_pair(UINT{7}, UINT{EN_CHANGE}));
  // The pen on the button takes the focus: the keyboard goes and the field says so.
  const CRect b = button->GetWindowRect();
  screen->Tap((b.left + b.right) / 2, (b.top + b.bottom) / 2);
  EXPECT_FALSE(screen->Backend().textInput);
  EXPECT_EQ(host->Count(EN_KILLFOCUS), 1);
  EXPECT_FALSE(CWindowManager::Get().IsCaretVisible());
  screen->Tap(At(1).x, At(1).y);
  EXPECT_TRUE(screen->Backend().textInput);
  EXPECT_EQ(host->Count(EN_SETFOCUS), 1);
}

TEST_F(EditTest, SurrogatePairsAreNeverSplit) {
  edit->SetWindowText(u"a\U0001F600b");
  screen->Key(VK_END);
  screen->Key(VK_LEFT);
  screen->Key(VK_LEFT);
  EXPECT_EQ(edit->GetCaretIndex(), 1);
  screen->Key(VK_RIGHT, CHeadlessScreen::Shift);
  EXPECT_EQ(Sel(), std::make_pair(1, 3));
  edit->SetSel(2, 2);  // inside the pair: moved to its start
  EXPECT_EQ(edit->GetCaretIndex(), 1);
  screen->Key(VK_DELETE);
  EXPECT_EQ(Text(), u"ab");
  edit->SetWindowText(u"\U0001F600\U0001F600");
  screen->Key(VK_END);
  screen->Key(VK_BACK);
  EXPECT_EQ(Text(), u"\U0001F600");
  EXPECT_EQ(edit->CharFromPos(CPoint(edit->PosFromChar(1) - 1, 5)) % 2, 0);
}

TEST_F(EditTest, ReadOnlyAndNumberFieldsRefuseWhatTheyMayNotTake) {
  edit->SetWindowText(u"fixed");
  edit->SetReadOnly(true);
  screen->Type(u"x");
  screen->Key(VK_BACK);
  screen->Key('A', CHeadlessScreen::Ctrl);
  screen->Key('X', CHeadlessScreen::Ctrl);
  EXPECT_EQ(Text(), u"fixed");
  EXPECT_EQ(screen->Backend().clipboard, u"");  // nothing was cut, so nothing copied either
  screen->Key('C', CHeadlessScreen::Ctrl);
  EXPECT_EQ(screen->Backend().clipboard, u"fixed");  // copying is allowed
  edit->SetReadOnly(false);
  edit->ModifyStyle(0, ES_NUMBER);
  edit->SetWindowText(u"");
  screen->Type(u"1a2-3");
  EXPECT_EQ(Text(), u"123");
}
