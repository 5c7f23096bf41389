// The tree view as the user meets it: where nodes go when inserted and sorted, the
// relations between them, opening and closing with their notifications, the keys, the pen,
// scrolling a long tree, deleting the selected node, and the drawing at both resolutions.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Metrics.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT kTreeId = 1016;

struct Note {
  UINT code;
  std::u16string node;  // the new node's text (the old one's for deletions), "" for none
  UINT action = 0;
  friend bool operator==(const Note&, const Note&) = default;
};

// The window that holds the tree: it records what reaches it, and may refuse expanding or
// answer a double tap.
class CTreeParent : public CWnd {
 public:
  std::vector<Note> notes;
  bool refuseExpanding = false;
  LRESULT doubleTapAnswer = 0;
  CTreeCtrl* tree = nullptr;
  HTREEITEM selectionAtKeyDown = nullptr;

 protected:
  bool OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    const auto* h = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    if (h->idFrom != kTreeId || h->code == NM_SETFOCUS || h->code == NM_KILLFOCUS) return false;
    const auto* nm = reinterpret_cast<const NMTREEVIEW*>(lParam);
    switch (h->code) {
      case TVN_SELCHANGED:
      case TVN_SELCHANGING:
      case TVN_ITEMEXPANDED:
        notes.push_back({h->code, tree->GetItemText(nm->itemNew.hItem), nm->action});
        break;
      case TVN_ITEMEXPANDING:
        notes.push_back({h->code, tree->GetItemText(nm->itemNew.hItem), nm->action});
        *result = refuseExpanding;
        break;
      case TVN_DELETEITEM: notes.push_back({h->code, tree->GetItemText(nm->itemOld.hItem)}); break;
      case TVN_KEYDOWN:
        selectionAtKeyDown = tree->GetSelectedItem();
        notes.push_back({h->code, u"", reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey});
        break;
      case NM_DBLCLK:
        notes.push_back({h->code, u""});
        *result = doubleTapAnswer;
        break;
      default: notes.push_back({h->code, u""}); break;
    }
    return true;
  }
};

class TreeCtrlTest : public ::testing::Test {
 protected:
  void Start(int width = 480, int height = 640) {
    screen = std::make_unique<CHeadlessScreen>(width, height);
    parent = std::make_unique<CTreeParent>();
    ASSERT_TRUE(parent->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
    tree = std::make_unique<CTreeCtrl>();
    const int s = plat::ui::Scaled(1);
    ASSERT_TRUE(tree->Create(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER |
                                 WS_VISIBLE | WS_CHILD,
                             CRect(5 * s, 5 * s, 205 * s, 205 * s), parent.get(), kTreeId));
    parent->tree = tree.get();
  }
  void TearDown() override {
    tree.reset();
    parent.reset();
    screen.reset();
  }
  // Two groups with children, and a leaf at the top level:
  //   Forms (f1, f2)   Modules (m1)   readme
  void Groups() {
    forms = tree->InsertItem(u"Forms");
    f1 = tree->InsertItem(u"f1", forms);
    f2 = tree->InsertItem(u"f2", forms);
    modules = tree->InsertItem(u"Modules");
    m1 = tree->InsertItem(u"m1", modules);
    readme = tree->InsertItem(u"readme");
  }
  std::vector<std::u16string> Children(HTREEITEM parentItem) {
    std::vector<std::u16string> out;
    for (HTREEITEM i = tree->GetChildItem(parentItem); i; i = tree->GetNextSiblingItem(i)) out.push_back(tree->GetItemText(i));
    return out;
  }
  std::vector<Note> Notes() { return std::exchange(parent->notes, {}); }
  CPoint Screen(CPoint client) {
    tree->ClientToScreen(client);
    return client;
  }
  CPoint LabelPoint(HTREEITEM item) {
    CRect r;
    EXPECT_TRUE(tree->GetItemRect(item, &r, true));
    return Screen(CPoint(r.left + 3, (r.top + r.bottom) / 2));
  }
  CPoint ButtonPoint(HTREEITEM item) {
    CRect r;
    EXPECT_TRUE(tree->GetItemRect(item, &r, false));
    return Screen(CPoint(tree->GetIndent() / 2, (r.top + r.bottom) / 2));
  }
  void Tap(CPoint p) {
    screen->Tap(p.x, p.y);
    screen->Advance(1000);
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CTreeParent> parent;
  std::unique_ptr<CTreeCtrl> tree;
  HTREEITEM forms = nullptr, f1 = nullptr, f2 = nullptr, modules = nullptr, m1 = nullptr, readme = nullptr;
};

}  // namespace

TEST_F(TreeCtrlTest, NodesGoFirstLastAfterASiblingOrInAlphabeticalPlace) {
  Start();
  const HTREEITEM b = tree->InsertItem(u"b");
  tree->InsertItem(u"d");
  tree->InsertItem(u"a", TVI_ROOT, TVI_FIRST);
  tree->InsertItem(u"c", TVI_ROOT, b);
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
  // In order, the place is found by halves; out of order, before the first that sorts
  // after; letter case does not count either way.
  tree->InsertItem(u"B2", TVI_ROOT, TVI_SORT);
  tree->InsertItem(u"E", TVI_ROOT, TVI_SORT);
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::u16string>{u"a", u"b", u"B2", u"c", u"d", u"E"}));
  const HTREEITEM group = tree->InsertItem(u"group");
  for (const char16_t* name : {u"a", u"z", u"m"}) tree->InsertItem(name, group);
  tree->InsertItem(u"N", group, TVI_SORT);
  EXPECT_EQ(Children(group), (std::vector<std::u16string>{u"a", u"N", u"z", u"m"}));
  // Nothing goes under a handle the tree does not know.
  EXPECT_EQ(tree->InsertItem(u"lost", reinterpret_cast<HTREEITEM>(&parent)), nullptr);
  EXPECT_EQ(tree->GetCount(), 11u);
}

TEST_F(TreeCtrlTest, SortingOrdersOneLevelByTextIgnoringCaseAndKeepsEqualOnesInOrder) {
  Start();
  const HTREEITEM g = tree->InsertItem(u"g");
  for (const char16_t* name : {u"beta", u"Alpha", u"alpha", u"Gamma"}) tree->SetItemData(tree->InsertItem(name, g), 1);
  tree->InsertItem(u"A", TVI_ROOT, TVI_FIRST);
  const HTREEITEM inner = tree->InsertItem(u"inner", g, TVI_FIRST);
  tree->InsertItem(u"zz", inner);
  tree->InsertItem(u"aa", inner);
  EXPECT_TRUE(tree->SortChildren(g));
  EXPECT_EQ(Children(g), (std::vector<std::u16string>{u"Alpha", u"alpha", u"beta", u"Gamma", u"inner"}));
  EXPECT_EQ(Children(inner), (std::vector<std::u16string>{u"zz", u"aa"}));  // one level only
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::u16string>{u"A", u"g"}));
  EXPECT_TRUE(tree->SortChildren(TVI_ROOT));
  // Sorted siblings stay in order as more come in their places.
  tree->InsertItem(u"Also", g, TVI_SORT);
  EXPECT_EQ(Children(g)[2], u"Also");
}

TEST_F(TreeCtrlTest, RelationsWalkSiblingsParentsAndEveryNodeDepthFirst) {
  Start();
  Groups();
  EXPECT_EQ(tree->GetRootItem(), forms);
  EXPECT_EQ(tree->GetParentItem(f2), forms);
  EXPECT_EQ(tree->GetParentItem(forms), nullptr);
  EXPECT_EQ(tree->GetNextSiblingItem(f1), f2);
  EXPECT_EQ(tree->GetPrevSiblingItem(f1), nullptr);
  EXPECT_EQ(tree->GetPrevSiblingItem(readme), modules);
  EXPECT_TRUE(tree->ItemHasChildren(modules));
  EXPECT_FALSE(tree->ItemHasChildren(readme));
  // Depth first goes into closed nodes; the visible order does not.
  std::vector<HTREEITEM> all;
  for (HTREEITEM i = tree->GetNextDepthFirst(nullptr); i; i = tree->GetNextDepthFirst(i)) all.push_back(i);
  EXPECT_EQ(all, (std::vector<HTREEITEM>{forms, f1, f2, modules, m1, readme}));
  std::vector<HTREEITEM> back;
  for (HTREEITEM i = tree->GetPrevDepthFirst(nullptr); i; i = tree->GetPrevDepthFirst(i)) back.push_back(i);
  EXPECT_EQ(back, (std::vector<HTREEITEM>{readme, m1, modules, f2, f1, forms}));
  EXPECT_EQ(tree->GetNextVisibleItem(forms), modules);
  EXPECT_EQ(tree->GetNextVisibleItem(f1), nullptr);  // hidden in a closed node
  tree->Expand(forms, TVE_EXPAND);
  EXPECT_EQ(tree->GetNextVisibleItem(forms), f1);
  EXPECT_EQ(tree->GetPrevVisibleItem(modules), f2);
  EXPECT_EQ(tree->GetLastVisibleItem(), readme);
  EXPECT_EQ(tree->GetRowCount(), 5);
}

TEST_F(TreeCtrlTest, TheUsersOpeningAndClosingNotifyAndMayBeRefusedTheProgramsDoNot) {
  Start();
  Groups();
  EXPECT_TRUE(tree->Expand(forms, TVE_EXPAND));
  EXPECT_TRUE(tree->Expand(forms, TVE_TOGGLE));
  EXPECT_FALSE(tree->Expand(readme, TVE_EXPAND));  // nothing to open
  EXPECT_TRUE(Notes().empty());
  tree->SelectItem(forms);
  tree->SetFocus();
  Notes();
  screen->Key(VK_RIGHT);
  EXPECT_EQ(Notes(), (std::vector<Note>{{TVN_KEYDOWN, u"", VK_RIGHT},
                                        {TVN_ITEMEXPANDING, u"Forms", TVE_EXPAND},
                                        {TVN_ITEMEXPANDED, u"Forms", TVE_EXPAND}}));
  EXPECT_TRUE(tree->GetItemState(forms, TVIS_EXPANDED));
  parent->refuseExpanding = true;
  screen->Key(VK_LEFT);
  EXPECT_TRUE(tree->GetItemState(forms, TVIS_EXPANDED));
  parent->refuseExpanding = false;
  // Closing over the selection brings it up to the node closed.
  tree->SelectItem(f2);
  Notes();
  Tap(ButtonPoint(forms));
  EXPECT_FALSE(tree->GetItemState(forms, TVIS_EXPANDED));
  EXPECT_EQ(tree->GetSelectedItem(), forms);
  const std::vector<Note> notes = Notes();
  ASSERT_GE(notes.size(), 3u);
  EXPECT_EQ(notes[0], (Note{TVN_ITEMEXPANDING, u"Forms", TVE_COLLAPSE}));
  EXPECT_EQ(notes[2], (Note{TVN_SELCHANGED, u"Forms", TVC_UNKNOWN}));
}

TEST_F(TreeCtrlTest, KeysMoveTheSelectionOpenCloseAndReachTheParentFirst) {
  Start();
  Groups();
  tree->SetFocus();
  screen->Key(VK_DOWN);  // nothing selected: the first node
  EXPECT_EQ(tree->GetSelectedItem(), forms);
  EXPECT_EQ(parent->selectionAtKeyDown, nullptr);  // told before the tree moved
  screen->Key(VK_END);
  EXPECT_EQ(tree->GetSelectedItem(), readme);
  screen->Key(VK_UP);
  screen->Key(VK_RIGHT);  // opens Modules
  screen->Key(VK_RIGHT);  // into its first child
  EXPECT_EQ(tree->GetSelectedItem(), m1);
  screen->Key(VK_LEFT);  // a leaf goes to its parent
  EXPECT_EQ(tree->GetSelectedItem(), modules);
  screen->Key(VK_HOME);
  EXPECT_EQ(tree->GetSelectedItem(), forms);
  screen->Key(VK_NEXT);
  EXPECT_EQ(tree->GetSelectedItem(), readme);  // a page past the end stops at the last
  Notes();
  screen->Key(VK_DOWN);
  EXPECT_EQ(Notes(), (std::vector<Note>{{TVN_KEYDOWN, u"", VK_DOWN}}));  // nothing after the last
  screen->Key(VK_UP);
  const std::vector<Note> notes = Notes();
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[1], (Note{TVN_SELCHANGING, u"m1", TVC_BYKEYBOARD}));
  EXPECT_EQ(notes[2], (Note{TVN_SELCHANGED, u"m1", TVC_BYKEYBOARD}));
  screen->Key(VK_RETURN);
  EXPECT_EQ(Notes().back().code, NM_RETURN);
}

TEST_F(TreeCtrlTest, APenTapSelectsATapOnTheButtonTogglesADoubleTapToggles) {
  Start();
  Groups();
  Tap(LabelPoint(modules));
  EXPECT_EQ(tree->GetSelectedItem(), modules);
  EXPECT_EQ(Notes().back().code, NM_CLICK);
  Tap(ButtonPoint(forms));
  EXPECT_TRUE(tree->GetItemState(forms, TVIS_EXPANDED));
  EXPECT_EQ(tree->GetSelectedItem(), modules);  // the button does not select
  const CPoint p = LabelPoint(modules);
  screen->DoubleTap(p.x, p.y);
  EXPECT_TRUE(tree->GetItemState(modules, TVIS_EXPANDED));
  // A parent that answers the double tap keeps the node as it is.
  parent->doubleTapAnswer = 1;
  screen->Advance(1000);
  screen->DoubleTap(p.x, p.y);
  EXPECT_TRUE(tree->GetItemState(modules, TVIS_EXPANDED));
  EXPECT_EQ(Notes().back().code, NM_DBLCLK);
}

TEST_F(TreeCtrlTest, ALongTreeScrollsKeepingTheSelectionInViewAndFollowsThePen) {
  Start();
  for (int i = 0; i < 200; ++i) tree->InsertItem(u"node " + plat::FromInt(i));
  EXPECT_TRUE(tree->GetStyle() & WS_VSCROLL);
  const int page = static_cast<int>(tree->GetVisibleCount());
  ASSERT_LT(page, 200);
  tree->SetFocus();
  screen->Key(VK_END);
  EXPECT_EQ(tree->GetTopRow(), 200 - page);
  EXPECT_EQ(tree->GetScrollPos(SB_VERT), 200 - page);
  screen->Key(VK_HOME);
  screen->Key(VK_NEXT);
  EXPECT_EQ(tree->GetItemText(tree->GetSelectedItem()), u"node " + plat::FromInt(page - 1));
  EXPECT_EQ(tree->GetTopRow(), 0);
  screen->Key(VK_NEXT);
  EXPECT_EQ(tree->GetTopRow(), page - 1);  // the selection a page on, at the bottom
  // Drawn up by three rows, the nodes follow; the selection stays.
  const HTREEITEM chosen = tree->GetSelectedItem();
  const int before = tree->GetTopRow();
  const CPoint start = Screen(CPoint(60, tree->GetItemHeight() * 5));
  screen->PenDown(start.x, start.y);
  screen->PenMove(start.x, start.y - tree->GetItemHeight() * 3);
  screen->PenUp(start.x, start.y - tree->GetItemHeight() * 3);
  EXPECT_EQ(tree->GetTopRow(), before + 3);
  EXPECT_EQ(tree->GetSelectedItem(), chosen);
  // Programmatic selection far away scrolls it into view too.
  tree->SelectItem(tree->GetRootItem());
  EXPECT_EQ(tree->GetTopRow(), 0);
}

TEST_F(TreeCtrlTest, DeletingTheSelectedNodeMovesTheSelectionAndTellsTheParent) {
  Start();
  Groups();
  tree->SelectItem(f1);  // opens Forms to show it
  EXPECT_TRUE(tree->GetItemState(forms, TVIS_EXPANDED));
  Notes();
  EXPECT_TRUE(tree->DeleteItem(f1));
  EXPECT_EQ(Notes(), (std::vector<Note>{{TVN_DELETEITEM, u"f1"}, {TVN_SELCHANGED, u"f2", TVC_UNKNOWN}}));
  EXPECT_EQ(tree->GetSelectedItem(), f2);
  EXPECT_FALSE(tree->IsItem(f1));
  EXPECT_EQ(tree->GetItemText(f1), u"");  // a dead handle answers nothing
  tree->DeleteItem(f2);
  EXPECT_EQ(tree->GetSelectedItem(), forms);  // no sibling left: the parent
  tree->SelectItem(modules);
  Notes();
  tree->DeleteItem(modules);  // children are told first
  EXPECT_EQ(Notes(), (std::vector<Note>{{TVN_DELETEITEM, u"m1"}, {TVN_DELETEITEM, u"Modules"}, {TVN_SELCHANGED, u"readme"}}));
  EXPECT_TRUE(tree->DeleteAllItems());
  EXPECT_EQ(tree->GetCount(), 0u);
  EXPECT_EQ(tree->GetSelectedItem(), nullptr);
  EXPECT_EQ(Notes().back(), (Note{TVN_SELCHANGED, u""}));
  EXPECT_FALSE(tree->GetStyle() & WS_VSCROLL);
}

TEST_F(TreeCtrlTest, WithRedrawOffAFillShowsWithItsScrollBarWhenRedrawIsOn) {
  Start();
  screen->Screen();
  tree->SetRedraw(false);
  for (int i = 0; i < 500; ++i) tree->InsertItem(u"n" + plat::FromInt(i));
  EXPECT_FALSE(tree->GetStyle() & WS_VSCROLL);
  tree->SetRedraw(true);
  screen->Screen();
  EXPECT_TRUE(tree->GetStyle() & WS_VSCROLL);
  SCROLLINFO si;
  tree->GetScrollInfo(SB_VERT, si);
  EXPECT_EQ(si.nMax, 499);
}

// The drawing at both resolutions: a closed node's button with its plus, the lines, the
// selected label in the highlight colour, the icon with its mask left out.
class TreeCtrlDrawTest : public TreeCtrlTest, public ::testing::WithParamInterface<int> {};

TEST_P(TreeCtrlDrawTest, ButtonsLinesIconsAndTheSelectionGrowWithTheResolution) {
  const int width = GetParam();
  Start(width, width * 4 / 3);
  const int s = plat::ui::Scaled(1);
  EXPECT_EQ(s, width > 400 ? 2 : 1);
  CBitmap strip;
  ASSERT_TRUE(strip.Create(13 * s, 13 * s));
  strip.Fill(RGB(255, 255, 255));
  for (int y = 2 * s; y < 11 * s; ++y)
    for (int x = 2 * s; x < 11 * s; ++x) strip.SetPixel(x, y, RGB(200, 30, 30));
  CImageList icons;
  ASSERT_TRUE(icons.Create(strip, 13 * s, RGB(255, 255, 255)));
  tree->SetImageList(&icons, TVSIL_NORMAL);
  Groups();
  tree->SelectItem(modules);
  tree->SetFocus();
  EXPECT_EQ(tree->GetItemHeight() % 2, 0);
  EXPECT_GE(tree->GetItemHeight(), 15 * s);

  CRect row;
  tree->GetItemRect(forms, &row, false);
  const CPoint centre = Screen(CPoint(tree->GetIndent() / 2, (row.top + row.bottom) / 2));
  const CPoint box = CPoint(centre.x - 4 * s, centre.y - 4 * s);  // the 9-pixel button's corner
  EXPECT_EQ(screen->Pixel(box.x, box.y), RGB(128, 128, 128));
  EXPECT_EQ(screen->Pixel(box.x + s, box.y + s), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(screen->Pixel(centre.x, centre.y - 2 * s), GetSysColor(COLOR_WINDOWTEXT));  // the plus's upright
  tree->Expand(forms, TVE_EXPAND);
  EXPECT_EQ(screen->Pixel(centre.x, centre.y - 2 * s), GetSysColor(COLOR_WINDOW));  // a minus now
  EXPECT_EQ(screen->Pixel(centre.x + 2 * s, centre.y), GetSysColor(COLOR_WINDOWTEXT));

  // The line down from the open node's button to its children.
  tree->GetItemRect(f1, &row, false);
  const CPoint childCentre = Screen(CPoint(tree->GetIndent() / 2, (row.top + row.bottom) / 2));
  int dots = 0;
  for (int y = row.top; y < row.bottom; ++y)
    if (screen->Pixel(childCentre.x, Screen(CPoint(0, y)).y) == RGB(128, 128, 128)) ++dots;
  EXPECT_GT(dots, row.Height() / 4);
  EXPECT_LT(dots, row.Height());  // dotted, not solid

  CRect label;
  tree->GetItemRect(modules, &label, true);
  const CPoint inLabel = Screen(CPoint(label.left + 1, label.top + 2 * s));
  EXPECT_EQ(screen->Pixel(inLabel.x, inLabel.y), GetSysColor(COLOR_HIGHLIGHT));
  const CPoint icon = Screen(CPoint(label.left - 2 * s - 13 * s, (label.top + label.bottom) / 2));
  EXPECT_EQ(screen->Pixel(icon.x + 6 * s, icon.y), RGB(200, 30, 30));
  EXPECT_EQ(screen->Pixel(icon.x, icon.y - 6 * s + 1), GetSysColor(COLOR_WINDOW));  // the mask left out
}

INSTANTIATE_TEST_SUITE_P(Resolutions, TreeCtrlDrawTest, ::testing::Values(240, 480));
