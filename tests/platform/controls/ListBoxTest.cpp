// The list box as the user meets it: items with their data, sorting, the keys and the pen
// moving the selection with its notifications, and scroll bars that follow the content.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ListBox.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT kListId = 300;

// The window that holds the list; it records the notifications that reach it.
class CListParent : public CWnd {
 public:
  std::vector<std::pair<UINT, int>> notes;
  bool OnCmdMsg(UINT id, int code, CCmdUI*) override {
    if (code != CN_UPDATE_COMMAND_UI) notes.emplace_back(id, code);
    return code != CN_UPDATE_COMMAND_UI;
  }
};

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    parent = std::make_unique<CListParent>();
    ASSERT_TRUE(parent->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
  }
  void TearDown() override {
    list.reset();
    parent.reset();
    screen.reset();
  }
  void Make(DWORD style, int height = 200) {
    list = std::make_unique<CListBox>();
    ASSERT_TRUE(list->Create(style | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 210, 10 + height), parent.get(), kListId));
    list->SetFocus();
    parent->notes.clear();
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) list->AddString(u"item " + plat::FromInt(i));
  }
  // The screen point in the middle of an item as the list is scrolled now.
  CPoint ItemPoint(int index) const {
    CRect r;
    list->GetItemRect(index, &r);
    CPoint p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    list->ClientToScreen(p);
    return p;
  }
  std::vector<std::pair<UINT, int>> Notes() { return std::exchange(parent->notes, {}); }
  bool SelectionInView() const {
    CRect r;
    return list->GetItemRect(list->GetCurSel(), &r) == LB_OKAY && r.top >= 0 && r.bottom <= list->GetClientRect().Height();
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CListParent> parent;
  std::unique_ptr<CListBox> list;
};

std::vector<std::string> Texts(const CListBox& l) {
  std::vector<std::string> out;
  for (int i = 0; i < l.GetCount(); ++i) {
    std::u16string t;
    l.GetText(i, t);
    out.push_back(plat::Narrow(t));
  }
  return out;
}

}  // namespace

TEST_F(ListBoxTest, ItemsKeepTheirOrderAndDataSortedOnlyWhenAsked) {
  Make(0);
  EXPECT_EQ(list->AddString(u"zeta"), 0);
  EXPECT_EQ(list->AddString(u"Alpha"), 1);  // unsorted: appended
  EXPECT_EQ(list->InsertString(1, u"mid"), 1);
  EXPECT_EQ(list->InsertString(9, u"far"), LB_ERR);
  EXPECT_EQ(Texts(*list), (std::vector<std::string>{"zeta", "mid", "Alpha"}));
  EXPECT_EQ(list->SetItemData(2, 42), LB_OKAY);
  EXPECT_EQ(list->GetItemData(2), DWORD_PTR{42});
  EXPECT_EQ(list->GetItemData(3), static_cast<DWORD_PTR>(LB_ERR));
  std::u16string text;
  EXPECT_EQ(list->GetText(-1, text), LB_ERR);
  EXPECT_EQ(list->GetCurSel(), LB_ERR);
  EXPECT_EQ(list->SetCurSel(2), 2);
  list->InsertString(0, u"first");  // the selected item moves down and stays selected
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(list->GetItemData(3), DWORD_PTR{42});
  EXPECT_EQ(list->DeleteString(3), 3);
  EXPECT_EQ(list->GetCurSel(), LB_ERR);
  EXPECT_EQ(list->SetCurSel(7), LB_ERR);
  EXPECT_EQ(list->SelectString(-1, u"ZE"), 1);  // prefix, case ignored
  list->ResetContent();
  EXPECT_EQ(list->GetCurSel(), LB_ERR);
  EXPECT_TRUE(Notes().empty());  // only the user's moves notify

  Make(LBS_SORT);  // case ignored; an insert still goes where it is told
  for (const char16_t* t : {u"delta", u"Bravo", u"alpha", u"Charlie", u"bravo"}) list->AddString(t);
  list->InsertString(0, u"zulu");
  EXPECT_EQ(Texts(*list), (std::vector<std::string>{"zulu", "alpha", "Bravo", "bravo", "Charlie", "delta"}));
}

TEST_F(ListBoxTest, KeysMoveTheSelectionKeepItInViewAndNotify) {
  Make(WS_VSCROLL);
  Fill(40);
  const int page = list->GetClientRect().Height() / list->GetItemHeight(0);
  ASSERT_LT(page, 40);
  screen->Key(VK_DOWN);  // nothing selected: the first move lands on the top item
  EXPECT_EQ(list->GetCurSel(), 0);
  screen->Key(VK_DOWN);
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(Notes(), (std::vector<std::pair<UINT, int>>{{kListId, LBN_SELCHANGE}, {kListId, LBN_SELCHANGE}}));
  screen->Key(VK_NEXT);
  EXPECT_EQ(list->GetCurSel(), 1 + page - 1);
  screen->Key(VK_END);
  EXPECT_EQ(list->GetCurSel(), 39);
  EXPECT_TRUE(SelectionInView());
  EXPECT_EQ(list->GetTopIndex(), 40 - page);
  Notes();
  screen->Key(VK_DOWN);  // already at the end: no change, no notification
  EXPECT_TRUE(Notes().empty());
  screen->Key(VK_PRIOR);
  EXPECT_EQ(list->GetCurSel(), 39 - (page - 1));
  screen->Key(VK_HOME);
  EXPECT_EQ(list->GetCurSel(), 0);
  EXPECT_EQ(list->GetTopIndex(), 0);
  screen->Type(u"i");  // a letter goes to the next item beginning with it
  EXPECT_EQ(list->GetCurSel(), 1);
  list->SetCurSel(30);  // the program's selection is brought into view too
  EXPECT_TRUE(SelectionInView());
}

TEST_F(ListBoxTest, TapSelectsAndDoubleTapNotifies) {
  Make(0);
  Fill(3);
  parent->SetFocus();
  Notes();
  const CPoint second = ItemPoint(1);
  screen->Tap(second.x, second.y);
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_EQ(CWnd::GetFocus(), list.get());
  EXPECT_EQ(Notes(), (std::vector<std::pair<UINT, int>>{{kListId, LBN_SETFOCUS}, {kListId, LBN_SELCHANGE}}));
  screen->Advance(1000);
  const CPoint third = ItemPoint(2);
  screen->DoubleTap(third.x, third.y);
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_EQ(Notes(), (std::vector<std::pair<UINT, int>>{{kListId, LBN_SELCHANGE}, {kListId, LBN_DBLCLK}}));
  // Below the last item there is nothing to choose.
  screen->Advance(1000);
  CPoint below(second.x, list->GetWindowRect().bottom - 4);
  screen->DoubleTap(below.x, below.y);
  EXPECT_EQ(list->GetCurSel(), 2);
  EXPECT_TRUE(Notes().empty());
  // The selected row is drawn in the highlight colour.
  const CPoint sel = ItemPoint(2);
  EXPECT_EQ(screen->Pixel(sel.x + 60, sel.y), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(screen->Pixel(second.x + 60, second.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListBoxTest, ScrollBarsComeAndGoWithTheContent) {
  Make(WS_VSCROLL | WS_HSCROLL, 120);
  Fill(2);
  EXPECT_FALSE(list->GetStyle() & WS_VSCROLL);
  EXPECT_FALSE(list->GetStyle() & WS_HSCROLL);
  Fill(20);
  EXPECT_TRUE(list->GetStyle() & WS_VSCROLL);
  const int width = list->GetClientRect().Width();
  list->SetHorizontalExtent(width * 3);
  ASSERT_TRUE(list->GetStyle() & WS_HSCROLL);
  // Right scrolls sideways; the bar's own arrows scroll too.
  list->SetCurSel(0);
  screen->Key(VK_RIGHT);
  EXPECT_GT(list->GetScrollX(), 0);
  EXPECT_EQ(list->GetScrollPos(SB_HORZ), list->GetScrollX());
  const CRect w = list->GetWindowRect();
  const CRect c = list->GetClientRectOnScreen();
  screen->Tap(c.right + 2, c.bottom - 3);  // the vertical bar's down arrow
  EXPECT_EQ(list->GetTopIndex(), 1);
  EXPECT_EQ(list->GetScrollPos(SB_VERT), 1);
  EXPECT_EQ(list->GetCurSel(), 0);  // scrolling leaves the selection alone
  screen->Tap(c.left + 3, w.bottom - 3);  // the horizontal bar's left arrow
  EXPECT_EQ(list->GetScrollX(), 0);
  list->SetHorizontalExtent(width / 2);
  EXPECT_FALSE(list->GetStyle() & WS_HSCROLL);
  list->ResetContent();
  EXPECT_FALSE(list->GetStyle() & WS_VSCROLL);
  EXPECT_EQ(list->GetTopIndex(), 0);
}
