// The list view as the user meets it: columns and header buttons, rows with their texts,
// icons and values, one selection with its mark, the pen, the keys, the scroll bars,
// sorting, and a refill with redrawing off.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ListCtrl.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT kListId = 410;

struct Note {
  UINT code;
  int item;
  int subItem;
  UINT newState;
  friend bool operator==(const Note&, const Note&) = default;
};

// The window that holds the list; it records the notifications that reach it.
class CListParent : public CWnd {
 public:
  std::vector<Note> notes;

 protected:
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    const auto* h = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam != kListId || h->idFrom != kListId || h->code == NM_SETFOCUS || h->code == NM_KILLFOCUS) return false;
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (h->code == NM_RETURN) notes.push_back({h->code, -1, 0, 0});
    else notes.push_back({h->code, nm->iItem, nm->iSubItem, h->code == LVN_ITEMCHANGED ? nm->uNewState : 0});
    *result = 0;
    return true;
  }
};

int CompareByValue(LPARAM a, LPARAM b, LPARAM descending) {
  const int order = a < b ? -1 : a > b ? 1 : 0;
  return descending ? -order : order;
}

class ListCtrlTest : public ::testing::Test {
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
  void Make(DWORD style = LVS_SINGLESEL, int width = 400, int height = 300) {
    list = std::make_unique<CListCtrl>();
    ASSERT_TRUE(list->Create(style | LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_VISIBLE | WS_CHILD,
                             CRect(10, 10, 10 + width, 10 + height), parent.get(), kListId));
    list->InsertColumn(0, u"Name", LVCFMT_LEFT, 150);
    list->InsertColumn(1, u"Size", LVCFMT_RIGHT, 80);
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) {
      const int item = list->InsertItem(list->GetItemCount(), u"row " + plat::FromInt(i));
      list->SetItemText(item, 1, plat::FromInt(i * 10));
      list->SetItemData(item, i);
    }
  }
  std::vector<Note> Notes() { return std::exchange(parent->notes, {}); }
  CPoint RowPoint(int item) {
    CRect r;
    list->GetItemRect(item, &r, LVIR_LABEL);
    list->ClientToScreen(r);
    return CPoint(r.left + 5, (r.top + r.bottom) / 2);
  }
  void TapRow(int item) {
    const CPoint p = RowPoint(item);
    screen->Tap(p.x, p.y);
    screen->Advance(1000);
  }
  CPoint HeaderPoint(int col) {
    CRect r;
    list->GetHeaderItemRect(col, &r);
    list->ClientToScreen(r);
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::vector<std::u16string> Labels() {
    std::vector<std::u16string> out;
    for (int i = 0; i < list->GetItemCount(); ++i) out.push_back(list->GetItemText(i, 0));
    return out;
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CListParent> parent;
  std::unique_ptr<CListCtrl> list;
};

}  // namespace

TEST_F(ListCtrlTest, ColumnsAndRowsHoldTheirTextsAndValues) {
  Make();
  EXPECT_EQ(list->GetColumnCount(), 2);
  EXPECT_EQ(list->GetColumnHeading(1), u"Size");
  EXPECT_EQ(list->GetColumnWidth(0), 150);
  EXPECT_EQ(list->InsertItem(0, u"b"), 0);
  EXPECT_EQ(list->InsertItem(0, u"a"), 0);
  EXPECT_EQ(list->InsertItem(99, u"c"), 2);  // past the end appends
  EXPECT_EQ(list->InsertItem(-1, u"x"), -1);
  EXPECT_TRUE(list->SetItemText(2, 1, u"3 KB"));
  EXPECT_FALSE(list->SetItemText(2, 5, u"no such column"));
  EXPECT_FALSE(list->SetItemText(3, 0, u"no such row"));
  EXPECT_EQ(list->GetItemText(2, 1), u"3 KB");
  EXPECT_EQ(list->GetItemText(0, 1), u"");
  EXPECT_EQ(list->GetItemText(9, 0), u"");
  list->SetItemData(1, 42);
  EXPECT_EQ(list->GetItemData(1), 42);
  EXPECT_EQ(list->GetItemData(7), 0);
  // A column put in front moves the other texts along with their headings; the first
  // column always shows the label.
  list->InsertColumn(0, u"Icon", LVCFMT_LEFT, 40);
  EXPECT_EQ(list->GetColumnHeading(2), u"Size");
  EXPECT_EQ(list->GetItemText(2, 0), u"c");
  EXPECT_EQ(list->GetItemText(2, 2), u"3 KB");
  list->DeleteColumn(0);
  EXPECT_EQ(list->GetItemText(2, 0), u"c");
  EXPECT_EQ(list->GetItemText(2, 1), u"3 KB");
  EXPECT_TRUE(list->DeleteItem(0));
  EXPECT_EQ(Labels(), (std::vector<std::u16string>{u"b", u"c"}));
  EXPECT_FALSE(list->DeleteItem(5));
}

TEST_F(ListCtrlTest, OneRowIsSelectedAndTheMarkFollowsItsRow) {
  Make();
  Fill(5);
  list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  list->SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(list->GetSelectedCount(), 1);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 3);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 3);
  EXPECT_EQ(Notes(), (std::vector<Note>{{LVN_ITEMCHANGED, 1, 0, LVIS_SELECTED},
                                        {LVN_ITEMCHANGED, 1, 0, 0},
                                        {LVN_ITEMCHANGED, 3, 0, LVIS_SELECTED | LVIS_FOCUSED}}));
  EXPECT_FALSE(list->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));  // not all of a single-selection list
  list->SetSelectionMark(3);
  list->InsertItem(0, u"new");
  EXPECT_EQ(list->GetSelectionMark(), 4);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 4);
  list->DeleteItem(4);
  EXPECT_EQ(list->GetSelectionMark(), -1);
  EXPECT_EQ(list->GetSelectedCount(), 0);
  EXPECT_EQ(list->SetSelectionMark(9), -1);
  EXPECT_EQ(list->GetSelectionMark(), -1);
  // Where more may be selected, the program may select them all; a tap chooses one alone.
  list.reset();
  Make(0);
  Fill(3);
  EXPECT_TRUE(list->SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(list->GetSelectedCount(), 3);
  TapRow(1);
  EXPECT_EQ(list->GetSelectedCount(), 1);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ListCtrlTest, TapSelectsDoubleTapActivatesAndATapOnNoRowClears) {
  Make();
  Fill(4);
  TapRow(2);
  EXPECT_EQ(list->GetSelectionMark(), 2);
  EXPECT_EQ(CWnd::GetFocus(), list.get());
  EXPECT_EQ(Notes(), (std::vector<Note>{{LVN_ITEMCHANGED, 2, 0, LVIS_SELECTED | LVIS_FOCUSED}, {NM_CLICK, 2, 0, 0}}));
  // The selected label shows in the highlight colour while the list has the focus.
  const CPoint p = RowPoint(2);
  EXPECT_EQ(screen->Pixel(p.x - 3, p.y - 6), GetSysColor(COLOR_HIGHLIGHT));
  const CPoint q = RowPoint(1);
  screen->DoubleTap(q.x, q.y);
  screen->Advance(1000);
  EXPECT_EQ(list->GetSelectionMark(), 1);
  const std::vector<Note> notes = Notes();
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes.back(), (Note{NM_DBLCLK, 1, 0, 0}));  // and no click after it
  // Below the last row: nothing chosen, no mark.
  CRect last;
  list->GetItemRect(3, &last, LVIR_BOUNDS);
  list->ClientToScreen(last);
  screen->Tap(last.left + 20, last.bottom + 30);
  screen->Advance(1000);
  EXPECT_EQ(list->GetSelectedCount(), 0);
  EXPECT_EQ(list->GetSelectionMark(), -1);
  EXPECT_EQ(Notes().back(), (Note{NM_CLICK, -1, 0, 0}));
  // Drawn over the rows, the pen takes the selection along.
  const CPoint from = RowPoint(0), to = RowPoint(3);
  screen->PenDown(from.x, from.y);
  screen->PenMove(to.x, to.y);
  screen->PenUp(to.x, to.y);
  EXPECT_EQ(list->GetSelectionMark(), 3);
  EXPECT_EQ(Notes().back(), (Note{NM_CLICK, 3, 0, 0}));  // the row it was lifted from
}

TEST_F(ListCtrlTest, HeaderItemsAreButtons) {
  Make();
  Fill(2);
  const CPoint size = HeaderPoint(1);
  screen->Tap(size.x, size.y);
  EXPECT_EQ(Notes(), (std::vector<Note>{{LVN_COLUMNCLICK, -1, 1, 0}}));
  // Pressed, then slid off before lifting: no click.
  const CPoint name = HeaderPoint(0);
  screen->Advance(1000);
  screen->PenDown(name.x, name.y);
  screen->PenMove(name.x, name.y + 200);
  screen->PenUp(name.x, name.y + 200);
  EXPECT_TRUE(Notes().empty());
  EXPECT_EQ(list->GetSelectedCount(), 0);  // nor did it reach the rows
  list.reset();
  Make(LVS_SINGLESEL | LVS_NOSORTHEADER);
  const CPoint plain = HeaderPoint(0);
  screen->Tap(plain.x, plain.y);
  EXPECT_TRUE(Notes().empty());
}

TEST_F(ListCtrlTest, KeysMoveTheSelectionAndKeepItInView) {
  Make();
  Fill(100);
  list->SetFocus();
  const int page = list->GetCountPerPage();
  ASSERT_GT(page, 3);
  screen->Key(VK_DOWN);
  EXPECT_EQ(list->GetSelectionMark(), 0);
  screen->Key(VK_DOWN);
  EXPECT_EQ(list->GetSelectionMark(), 1);
  screen->Key(VK_NEXT);  // to the bottom of the page
  EXPECT_EQ(list->GetSelectionMark(), page - 1);
  EXPECT_EQ(list->GetTopIndex(), 0);
  screen->Key(VK_NEXT);  // a page on, scrolled into view
  EXPECT_EQ(list->GetSelectionMark(), 2 * page - 2);
  EXPECT_EQ(list->GetTopIndex(), page - 1);
  screen->Key(VK_END);
  EXPECT_EQ(list->GetSelectionMark(), 99);
  EXPECT_EQ(list->GetTopIndex(), 100 - page);
  EXPECT_EQ(list->GetScrollPos(SB_VERT), 100 - page);
  screen->Key(VK_HOME);
  EXPECT_EQ(list->GetTopIndex(), 0);
  Notes();
  screen->Key(VK_RETURN);
  EXPECT_EQ(Notes(), (std::vector<Note>{{NM_RETURN, -1, 0, 0}}));
}

TEST_F(ListCtrlTest, ScrollBarsComeWithTheContent) {
  Make(LVS_SINGLESEL, 200, 200);
  Fill(2);
  EXPECT_FALSE(list->GetStyle() & WS_VSCROLL);
  EXPECT_TRUE(list->GetStyle() & WS_HSCROLL) << "the two columns are wider than the list";
  list->SetColumnWidth(1, 40);
  EXPECT_FALSE(list->GetStyle() & WS_HSCROLL);
  Fill(40);
  EXPECT_TRUE(list->GetStyle() & WS_VSCROLL);
  // The pen on the bar's lower arrow scrolls by a row.
  const CRect w = list->GetWindowRect(), c = list->GetClientRectOnScreen();
  screen->Tap((c.right + w.right) / 2, c.bottom - 3);
  EXPECT_EQ(list->GetTopIndex(), 1);
  EXPECT_EQ(list->HitTest(CPoint(5, list->GetHeaderHeight() + 1)), 1);
  EXPECT_TRUE(list->EnsureVisible(41, false));
  EXPECT_EQ(list->GetTopIndex(), 42 - list->GetCountPerPage());
  list->DeleteAllItems();
  EXPECT_EQ(list->GetTopIndex(), 0);
  EXPECT_FALSE(list->GetStyle() & WS_VSCROLL);
}

TEST_F(ListCtrlTest, SortingOrdersByValueAndTheSelectionGoesAlong) {
  Make();
  for (int v : {30, 10, 20, 10}) {
    const int i = list->InsertItem(list->GetItemCount(), u"v" + plat::FromInt(v) + u"." + plat::FromInt(list->GetItemCount()));
    list->SetItemData(i, v);
  }
  list->SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list->SetSelectionMark(2);
  ASSERT_TRUE(list->SortItems(CompareByValue, 0));
  // Equal values keep the order they had.
  EXPECT_EQ(Labels(), (std::vector<std::u16string>{u"v10.1", u"v10.3", u"v20.2", u"v30.0"}));
  EXPECT_EQ(list->GetSelectionMark(), 2);
  list->SortItems(CompareByValue, 1);
  EXPECT_EQ(Labels(), (std::vector<std::u16string>{u"v30.0", u"v20.2", u"v10.1", u"v10.3"}));
  EXPECT_EQ(list->GetSelectionMark(), 1);
  EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_FALSE(list->SortItems(nullptr, 0));
}

TEST_F(ListCtrlTest, WithRedrawOffARefillShowsOnlyWhenItIsOn) {
  Make();
  Fill(3);
  CImageList icons;
  CBitmap strip;
  ASSERT_TRUE(strip.Create(32, 16));
  strip.Fill(RGB(0, 0, 255));
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) strip.SetPixel(16 + x, y, RGB(200, 30, 30));
  ASSERT_TRUE(icons.Create(strip, 16, RGB(0, 0, 255)));
  list->SetImageList(&icons, LVSIL_SMALL);
  screen->Screen();
  list->SetRedraw(false);
  list->DeleteAllItems();
  const int item = list->InsertItem(0, u"with icon", 1);
  CRect icon;
  list->GetItemRect(item, &icon, LVIR_ICON);
  list->ClientToScreen(icon);
  const int iconTop = icon.top + (icon.Height() - 16) / 2;
  EXPECT_NE(screen->Pixel(icon.left + 8, iconTop + 8), RGB(200, 30, 30));
  list->SetRedraw(true);
  EXPECT_EQ(screen->Pixel(icon.left + 8, iconTop + 8), RGB(200, 30, 30));
  EXPECT_EQ(screen->Pixel(icon.left + 1, iconTop + 1), GetSysColor(COLOR_WINDOW));  // the mask left out
  EXPECT_EQ(list->GetItemImage(item), 1);
}

TEST_F(ListCtrlTest, ManyRowsStayQuickToFillSortAndWalk) {
  Make();
  list->SetRedraw(false);
  for (int i = 0; i < 20000; ++i) list->SetItemData(list->InsertItem(i, u"r" + plat::FromInt(i)), 20000 - i);
  list->SortItems(CompareByValue, 0);
  list->SetRedraw(true);
  list->SetFocus();
  screen->Key(VK_END);
  EXPECT_EQ(list->GetItemText(19999, 0), u"r0");
  EXPECT_EQ(list->GetTopIndex(), 20000 - list->GetCountPerPage());
  screen->Screen();
}
