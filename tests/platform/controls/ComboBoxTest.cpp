// The drop-down list as the user meets it: its entries, the search by prefix, the list that
// opens below (or above) the field, the keys, and the notifications the parent hears.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"

namespace {

constexpr UINT kBoxId = 400;

// The window that holds the box; it records the notifications that reach it.
class CBoxParent : public CWnd {
 public:
  std::vector<UINT> notes;
  bool OnCmdMsg(UINT id, int code, CCmdUI*) override {
    if (code != CN_UPDATE_COMMAND_UI && id == kBoxId) notes.push_back(static_cast<UINT>(code));
    return code != CN_UPDATE_COMMAND_UI;
  }
};

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    parent = std::make_unique<CBoxParent>();
    ASSERT_TRUE(parent->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
  }
  void TearDown() override {
    box.reset();
    parent.reset();
    screen.reset();
  }
  // A box at top with room for rows entries in its opened list (the height a template gives).
  void Make(DWORD style, int top = 10, int listHeight = 240) {
    box = std::make_unique<CComboBox>();
    ASSERT_TRUE(box->Create(parent.get(), CRect(10, top, 250, top + listHeight), style | WS_CHILD | WS_VISIBLE, kBoxId));
  }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) box->AddString(u"entry " + plat::FromInt(i));
  }
  std::vector<UINT> Notes() { return std::exchange(parent->notes, {}); }
  void TapBox() {
    const CRect r = box->GetWindowRect();
    screen->Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    screen->Advance(1000);
  }
  // Taps row i of the opened list as it is scrolled now.
  void TapRow(int i) {
    auto* drop = box->GetDropListWnd();
    ASSERT_NE(drop, nullptr);
    const CRect c = drop->GetClientRectOnScreen();
    const int h = box->GetItemHeight();
    screen->Tap(c.left + 10, c.top + 1 + i * h + h / 2);
    screen->Advance(1000);
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CBoxParent> parent;
  std::unique_ptr<CComboBox> box;
};

}  // namespace

TEST_F(ComboBoxTest, EntriesKeepTheirOrderAndDataSortedOnlyWhenAsked) {
  Make(CBS_DROPDOWNLIST);
  EXPECT_EQ(box->AddString(u"pear"), 0);
  EXPECT_EQ(box->AddString(u"Apple"), 1);
  EXPECT_EQ(box->InsertString(1, u"fig"), 1);
  EXPECT_EQ(box->InsertString(-1, u"kiwi"), 3);
  EXPECT_EQ(box->InsertString(9, u"nope"), CB_ERR);
  EXPECT_EQ(box->GetCount(), 4);
  EXPECT_EQ(box->GetLBText(1), u"fig");
  EXPECT_EQ(box->GetLBText(7), u"");
  EXPECT_EQ(box->GetLBTextLen(7), CB_ERR);
  EXPECT_EQ(box->SetItemData(2, 77), 0);
  EXPECT_EQ(box->GetItemData(2), 77);
  EXPECT_EQ(box->GetItemData(-1), CB_ERR);
  // The choice follows its entry when others come and go before it.
  box->SetCurSel(2);
  box->InsertString(0, u"date");
  EXPECT_EQ(box->GetCurSel(), 3);
  EXPECT_EQ(box->GetLBText(box->GetCurSel()), u"Apple");
  box->DeleteString(0);
  EXPECT_EQ(box->GetCurSel(), 2);
  EXPECT_EQ(box->DeleteString(2), 3);
  EXPECT_EQ(box->GetCurSel(), CB_ERR);
  EXPECT_EQ(box->SetCurSel(8), CB_ERR);
  box->ResetContent();
  EXPECT_EQ(box->GetCount(), 0);

  box.reset();
  Make(CBS_DROPDOWNLIST | CBS_SORT);
  for (const char16_t* s : {u"pear", u"Apple", u"banana", u"apple", u"Cherry"}) box->AddString(s);
  std::vector<std::u16string> order;
  for (int i = 0; i < box->GetCount(); ++i) order.push_back(box->GetLBText(i));
  EXPECT_EQ(order, (std::vector<std::u16string>{u"Apple", u"apple", u"banana", u"Cherry", u"pear"}));
  EXPECT_TRUE(Notes().empty());  // the program's changes are not the user's
}

TEST_F(ComboBoxTest, PrefixSearchIgnoresCaseAndGoesRound) {
  Make(CBS_DROPDOWNLIST);
  for (const char16_t* s : {u"C# Source", u"C++ Source", u"Text", u"cpp", u"Java"}) box->AddString(s);
  EXPECT_EQ(box->FindString(-1, u"c"), 0);
  EXPECT_EQ(box->FindString(0, u"c"), 1);
  EXPECT_EQ(box->FindString(1, u"C"), 3);
  EXPECT_EQ(box->FindString(3, u"c"), 0);  // round past the end
  EXPECT_EQ(box->FindString(-1, u"c++"), 1);
  EXPECT_EQ(box->FindString(-1, u"xml"), CB_ERR);
  EXPECT_EQ(box->FindString(42, u"java"), 4);  // a start past the end searches everything
  EXPECT_EQ(box->FindStringExact(-1, u"CPP"), 3);
  EXPECT_EQ(box->FindStringExact(-1, u"C"), CB_ERR);
  EXPECT_EQ(box->SelectString(-1, u"te"), 2);
  EXPECT_EQ(box->GetCurSel(), 2);
  EXPECT_EQ(box->SelectString(-1, u"zzz"), CB_ERR);
  EXPECT_EQ(box->GetCurSel(), 2);
}

TEST_F(ComboBoxTest, ATapOpensTheListBelowAndATapOnAnEntryChoosesIt) {
  Make(CBS_DROPDOWNLIST);
  Fill(4);
  box->SetCurSel(1);
  // The field is one row tall; the height asked for is the opened list's.
  EXPECT_LT(box->GetWindowRect().Height(), 2 * box->GetItemHeight());
  TapBox();
  auto* drop = box->GetDropListWnd();
  ASSERT_NE(drop, nullptr);
  EXPECT_TRUE(box->GetDroppedState());
  EXPECT_EQ(CWnd::GetFocus(), box.get());
  EXPECT_EQ(drop->GetWindowRect().top, box->GetWindowRect().bottom);
  // The current entry is lit.
  const CRect c = drop->GetClientRectOnScreen();
  const int h = box->GetItemHeight();
  EXPECT_EQ(screen->Pixel(c.left + 3, c.top + 1 + h + h / 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(screen->Pixel(c.left + 3, c.top + 1 + h / 2), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN}));
  TapRow(3);
  EXPECT_FALSE(box->GetDroppedState());
  EXPECT_EQ(box->GetCurSel(), 3);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  // Choosing the entry that is already chosen changes nothing.
  TapBox();
  TapRow(3);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, ATapOutsideClosesTheListAndGoesNoFurther) {
  Make(CBS_DROPDOWNLIST);
  Fill(3);
  box->SetCurSel(0);
  TapBox();
  Notes();
  screen->Tap(400, 500);
  EXPECT_FALSE(box->GetDroppedState());
  EXPECT_EQ(box->GetCurSel(), 0);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
  // A tap on the field while it is open closes it as well.
  TapBox();
  TapBox();
  EXPECT_FALSE(box->GetDroppedState());
}

TEST_F(ComboBoxTest, NearTheBottomTheListOpensAbove) {
  const CRect work = CWindowManager::Get().GetWorkArea();
  Make(CBS_DROPDOWNLIST, work.Height() - 60, 240);
  Fill(5);
  TapBox();
  auto* drop = box->GetDropListWnd();
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(drop->GetWindowRect().bottom, box->GetWindowRect().top);
  EXPECT_GE(drop->GetWindowRect().top, work.top);
}

TEST_F(ComboBoxTest, KeysStepThroughTheEntriesAndOpenTheList) {
  Make(CBS_DROPDOWNLIST);
  for (const char16_t* s : {u"alpha", u"beta", u"bravo", u"charlie"}) box->AddString(s);
  box->SetFocus();
  Notes();
  screen->Key(VK_DOWN);  // nothing chosen: the first entry
  EXPECT_EQ(box->GetCurSel(), 0);
  screen->Key(VK_UP);  // already at the top: no change
  screen->Key(VK_END);
  EXPECT_EQ(box->GetCurSel(), 3);
  screen->Key(VK_RIGHT);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE}));
  screen->Type(u"b");
  EXPECT_EQ(box->GetCurSel(), 1);
  screen->Type(u"B");
  EXPECT_EQ(box->GetCurSel(), 2);  // the next one starting so
  Notes();
  // Alt+Down opens; the arrows then point without choosing; Enter chooses.
  screen->Key(VK_DOWN, CHeadlessScreen::Alt);
  ASSERT_TRUE(box->GetDroppedState());
  screen->Key(VK_UP);
  screen->Key(VK_UP);
  EXPECT_EQ(box->GetCurSel(), 2);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_DROPDOWN}));
  screen->Key(VK_RETURN);
  EXPECT_FALSE(box->GetDroppedState());
  EXPECT_EQ(box->GetCurSel(), 0);
  EXPECT_EQ(Notes(), (std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  // Escape leaves the choice as it was.
  box->ShowDropDown(true);
  screen->Key(VK_DOWN);
  screen->Key(VK_ESCAPE);
  EXPECT_FALSE(box->GetDroppedState());
  EXPECT_EQ(box->GetCurSel(), 0);
}

TEST_F(ComboBoxTest, ALongListScrollsByItsBarAndKeepsThePointedRowInView) {
  Make(CBS_DROPDOWNLIST);
  Fill(30);
  box->SetCurSel(25);
  TapBox();
  auto* drop = box->GetDropListWnd();
  ASSERT_NE(drop, nullptr);
  EXPECT_TRUE(drop->GetStyle() & WS_VSCROLL);
  SCROLLINFO si;
  ASSERT_TRUE(drop->GetScrollInfo(SB_VERT, si));
  const int rows = static_cast<int>(si.nPage);
  EXPECT_GE(si.nPos, 25 - rows + 1);  // the chosen row shows
  EXPECT_LE(si.nPos, 25);
  // The bar's lower arrow, with the pen.
  const CRect w = drop->GetWindowRect(), c = drop->GetClientRectOnScreen();
  screen->Tap((c.right + w.right) / 2, w.bottom - 3);
  ASSERT_TRUE(box->GetDroppedState());
  EXPECT_EQ(drop->GetScrollPos(SB_VERT), si.nPos + 1);
  screen->Key(VK_HOME);
  EXPECT_EQ(drop->GetScrollPos(SB_VERT), 0);
  screen->Key(VK_ESCAPE);
}

TEST_F(ComboBoxTest, InADialogEnterIsTheDialogsUntilTheListOpens) {
  InitCommonControls();
  CResourceModule module;
  DialogTemplate t;
  t.cx = 150;
  t.cy = 100;
  t.items = {{DialogItemKind::ComboBox, kBoxId, u"", 4, 4, 100, 60, DWORD{CBS_DROPDOWNLIST} | WS_VSCROLL | WS_TABSTOP},
             {DialogItemKind::DefPushButton, IDOK, u"OK", 4, 80, 50, 14, WS_TABSTOP}};
  module.dialogs[500] = t;
  const CResourceModule* previous = AfxGetResourceHandle();
  AfxSetResourceHandle(&module);
  CDialog dialog(500);
  bool closedByEnter = false;
  screen->SetModalHook([&](CWnd*) {
    auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(kBoxId));
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->GetStyle() & WS_VSCROLL);  // the bar is the opened list's
    combo->AddString(u"one");
    combo->AddString(u"two");
    dialog.GotoDlgCtrl(combo);
    screen->Key(VK_DOWN, CHeadlessScreen::Alt);
    screen->Key(VK_DOWN);
    screen->Key(VK_RETURN);  // closes the list, choosing
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_TRUE(CWindowManager::Get().IsInModalLoop(&dialog));
    combo->ShowDropDown(true);
    CWnd* drop = combo->GetDropListWnd();
    ASSERT_NE(drop, nullptr);
    screen->Key(VK_ESCAPE);
    screen->Key(VK_RETURN);  // now the dialog's
    closedByEnter = !CWindowManager::Get().IsInModalLoop(&dialog);
    combo->ShowDropDown(true);  // still open when the dialog goes
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(closedByEnter);
  // Nothing of the box is left on the screen.
  for (CWnd* w : CWindowManager::Get().GetTopLevels()) EXPECT_TRUE(w == parent.get()) << "a window outlived its dialog";
  screen->SetModalHook(nullptr);
  AfxSetResourceHandle(previous);
}
