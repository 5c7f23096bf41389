// Pop-up menus as the user meets them: items updated by their owner before they show, the
// keys moving over separators and greyed items, the pen choosing or dismissing, and the
// edits a menu is rebuilt with before it opens.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

enum : UINT { kOpen = 100, kSave = 101, kClose = 102, kWrap = 103 };

// The owner of the menu: it greys and checks commands, and records the ones it is sent.
class COwner : public CWnd {
 public:
  std::set<UINT> greyed;
  std::set<UINT> checked;
  std::vector<UINT> commands;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (code == CN_UPDATE_COMMAND_UI && ui) {
      ui->Enable(!greyed.count(id));
      ui->SetCheck(checked.count(id) ? 1 : 0);
      return true;
    }
    if (code == CN_COMMAND) {
      commands.push_back(id);
      return true;
    }
    return false;
  }
};

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    owner = std::make_unique<COwner>();
    ASSERT_TRUE(owner->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Owner"));
    owner->SetFocus();
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, kOpen, u"Open");
    menu.AppendMenu(MF_SEPARATOR, 0, u"");
    menu.AppendMenu(MF_STRING, kSave, u"Save\tCtrl+S");
    menu.AppendMenu(MF_STRING, kClose, u"Close");
    menu.AppendMenu(MF_STRING, kWrap, u"Word Wrap");
  }
  void TearDown() override {
    owner.reset();
    screen.reset();
  }
  // Tracks the menu with the keys given pressed once it is up; returns the command.
  UINT TrackWithKeys(std::vector<UINT> keys) {
    screen->SetModalHook([&](CWnd*) {
      for (UINT vk : keys) screen->Key(vk);
    });
    return menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get());
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<COwner> owner;
  CMenu menu;
};

TEST_F(MenuTest, TheOwnerDecidesWhatIsGreyedAndCheckedEachTimeTheMenuOpens) {
  owner->greyed = {kSave};
  owner->checked = {kWrap};
  bool choseGreyed = true, choseWrap = false;
  screen->SetModalHook([&](CWnd*) {
    choseGreyed = ChooseTrackedMenuItem(kSave);
    choseWrap = ChooseTrackedMenuItem(kWrap);
  });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), UINT{kWrap});
  EXPECT_FALSE(choseGreyed);
  EXPECT_TRUE(choseWrap);
  EXPECT_TRUE(menu.GetMenuState(2) & MF_GRAYED);
  EXPECT_TRUE(menu.GetMenuState(4) & MF_CHECKED);

  owner->greyed.clear();
  owner->checked.clear();
  screen->SetModalHook([&](CWnd*) { choseGreyed = ChooseTrackedMenuItem(kSave); });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), UINT{kSave});
  EXPECT_TRUE(choseGreyed);
  EXPECT_FALSE(menu.GetMenuState(4) & MF_CHECKED);
}

TEST_F(MenuTest, KeysStepOverSeparatorsAndGreyedItemsAndWrapAround) {
  EXPECT_EQ(TrackWithKeys({VK_DOWN, VK_RETURN}), UINT{kOpen});
  EXPECT_EQ(TrackWithKeys({VK_DOWN, VK_DOWN, VK_RETURN}), UINT{kSave});  // over the separator
  owner->greyed = {kSave, kClose};
  EXPECT_EQ(TrackWithKeys({VK_DOWN, VK_DOWN, VK_RETURN}), UINT{kWrap});
  EXPECT_EQ(TrackWithKeys({VK_UP, VK_RETURN}), UINT{kWrap});                     // up from nothing: the last
  EXPECT_EQ(TrackWithKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), UINT{kOpen});  // past the end: the first
}

TEST_F(MenuTest, EscapeOrEnterOnNothingChoosesNothingAndTheFocusComesBack) {
  EXPECT_EQ(TrackWithKeys({VK_DOWN, VK_ESCAPE}), 0u);
  EXPECT_EQ(CWnd::GetFocus(), owner.get());
  screen->SetModalHook([&](CWnd* w) {
    screen->Key(VK_RETURN);  // nothing is highlighted yet: the menu stays up
    EXPECT_TRUE(CWindowManager::Get().IsInModalLoop(w));
    screen->Key(VK_ESCAPE);
  });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), 0u);
  EXPECT_TRUE(owner->commands.empty());
}

TEST_F(MenuTest, WithoutReturnCmdTheChoiceIsSentToTheOwnerAsACommand) {
  screen->SetModalHook([&](CWnd*) { ChooseTrackedMenuItem(kClose); });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN, 20, 100, owner.get()), 1u);
  EXPECT_EQ(owner->commands, (std::vector<UINT>{kClose}));
}

TEST_F(MenuTest, APenTapChoosesTheItemUnderItAndATapOutsideDismisses) {
  screen->SetModalHook([&](CWnd* w) {
    CRect r = w->GetWindowRect();
    screen->Tap(r.left + 10, r.top + 1 + 5);  // in the first row
  });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), UINT{kOpen});
  screen->SetModalHook([&](CWnd* w) {
    CRect r = w->GetWindowRect();
    screen->Tap(r.right + 20, r.bottom + 20);
  });
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), 0u);
}

TEST_F(MenuTest, AMenuRebuiltBeforeItOpensShowsItsNewItemsOnce) {
  std::vector<std::u16string> texts;
  screen->SetModalHook([&](CWnd*) { texts = TrackedMenuTexts(); });
  // A refresh drops what it added last time and adds the current items again.
  for (int round = 0; round < 2; ++round) {
    while (menu.GetMenuItemCount() > 5) menu.DeleteMenu(5, MF_BYPOSITION);
    menu.InsertMenu(99, MF_STRING, 42, u"Tool one");
    menu.InsertMenu(99, MF_STRING, 43, u"Tool two");
  }
  menu.ModifyMenu(kClose, MF_STRING, kClose, u"Close All");
  menu.InsertMenu(0, MF_STRING, 41, u"First");
  EXPECT_TRUE(menu.DeleteMenu(kOpen, MF_BYCOMMAND));
  EXPECT_FALSE(menu.DeleteMenu(77, MF_BYCOMMAND));
  menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get());
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"First", u"", u"Save\tCtrl+S", u"Close All", u"Word Wrap",
                                                 u"Tool one", u"Tool two"}));
  EXPECT_EQ(menu.GetMenuItemID(5), 42u);
}

TEST_F(MenuTest, AnEmptyMenuIsNotShown) {
  CMenu empty;
  ASSERT_TRUE(empty.CreatePopupMenu());
  bool shown = false;
  screen->SetModalHook([&](CWnd*) { shown = true; });
  EXPECT_EQ(empty.TrackPopupMenu(TPM_RETURNCMD, 20, 100, owner.get()), 0u);
  EXPECT_FALSE(shown);
}

}  // namespace
