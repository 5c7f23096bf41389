// The recent files: three newest first, moved to the front, shortened names, settings, the menu.
#include <cstdio>

#include "platform/framework/FrameworkFixture.h"
#include "platform/framework/RecentFileList.h"
#include "platform/ui/Menu.h"


namespace {

std::vector<std::u16string> Entries(const CRecentFileList& list) {
  std::vector<std::u16string> out;
  for (int i = 0; i < list.GetSize(); ++i) out.push_back(list[i]);
  return out;
}

}  // namespace

using RecentFileListTest = FrameworkTest;

TEST_F(RecentFileListTest, HoldsThreeNewestFirstAndMovesAReopenedFileToTheFront) {
  CRecentFileList list(0, u"Recent File List", u"File%d", 3);
  list.Add(u"\\a.cpp");
  list.Add(u"\\b.cpp");
  list.Add(u"\\c.cpp");
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"\\c.cpp", u"\\b.cpp", u"\\a.cpp"}));
  list.Add(u"\\A.CPP");  // the same file, however spelt: it moves, nothing drops out
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"\\A.CPP", u"\\c.cpp", u"\\b.cpp"}));
  list.Add(u"\\d.cpp");
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"\\d.cpp", u"\\A.CPP", u"\\c.cpp"}));
  list.Remove(1);
  EXPECT_EQ(Entries(list), (std::vector<std::u16string>{u"\\d.cpp", u"\\c.cpp", u""}));
}

TEST_F(RecentFileListTest, SurvivesTheSettingsStoreBeingReadAgain) {
  CRecentFileList list(0, u"Recent File List", u"File%d", 3);
  list.Add(u"\\My Documents\\a.cpp");
  list.Add(u"\\My Documents\\b.cpp");
  list.WriteList();
  CRegistry::Get().Reload();
  EXPECT_EQ(CRegistry::Get().EnumValues(HKEY_CURRENT_USER, u"Software\\Farrowby Tovin\\Tovin\\Recent File List"),
            (std::vector<std::u16string>{u"File1", u"File2"}));
  CRecentFileList again(0, u"Recent File List", u"File%d", 3);
  again.ReadList();
  EXPECT_EQ(Entries(again), Entries(list));

  // An entry removed does not come back from an older list in the store.
  again.Remove(0);
  again.WriteList();
  CRegistry::Get().Reload();
  CRecentFileList third(0, u"Recent File List", u"File%d", 3);
  third.ReadList();
  EXPECT_EQ(Entries(third), (std::vector<std::u16string>{u"\\My Documents\\a.cpp", u"", u""}));
}

TEST_F(RecentFileListTest, MenuNamesAreShortenedToThirtyCharacters) {
  EXPECT_EQ(AbbreviatePath(u"\\My Documents\\a.cpp", 30), u"\\My Documents\\a.cpp");
  EXPECT_EQ(AbbreviatePath(u"\\My Documents\\Projects\\Tovin\\src\\main.cpp", 30),
            u"\\My Documents\\...\\src\\main.cpp");
  EXPECT_EQ(AbbreviatePath(u"\\Storage Card\\work\\deep\\tree\\x.h", 30), u"\\Storage Card\\...\\tree\\x.h");
  // When even the first folder and the name do not fit, the name alone.
  EXPECT_EQ(AbbreviatePath(u"\\My Documents\\folder\\a rather long file name.cpp", 30), u"a rather long file name.cpp");
  EXPECT_EQ(AbbreviatePath(u"\\My Documents\\name-that-is-longer-than-thirty.cpp", 30),
            u"name-that-is-longer-than-thirty.cpp");
  CRecentFileList list(0, u"Recent File List", u"File%d", 3);
  list.Add(u"\\My Documents\\Projects\\Tovin\\src\\main.cpp");
  std::u16string name;
  ASSERT_TRUE(list.GetDisplayName(name, 0));
  EXPECT_LE(name.size(), 30u);
  EXPECT_FALSE(list.GetDisplayName(name, 1));
}

TEST_F(RecentFileListTest, TheFileMenuShowsTheEntriesInPlaceOfItsPlaceholder) {
  std::vector<std::u16string> texts;
  bool recentChosen = true;
  screen->SetModalHook([&](CWnd*) {
    texts = TrackedMenuTexts();
    recentChosen = ChooseTrackedMenuItem(ID_FILE_MRU_FILE1);
  });
  TapButton(0);
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[8], u"Recent File");
  EXPECT_FALSE(recentChosen);  // greyed while the list is empty

  TempDevice::WriteHostFile(device.DocHost("a&b.txt"), "ab");
  TempDevice::WriteHostFile(device.DocHost("c.txt"), "c");
  app->OpenDocumentFile(device.DocDevice("a&b.txt"));
  app->OpenDocumentFile(device.DocDevice("c.txt"));
  screen->SetModalHook([&](CWnd*) {
    texts = TrackedMenuTexts();
    ChooseTrackedMenuItem(ID_FILE_MRU_FILE1 + 1);
  });
  TapButton(0);
  ASSERT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[8], u"&1 \\My Documents\\c.txt");
  EXPECT_EQ(texts[9], u"&2 \\My Documents\\a&&b.txt");
  EXPECT_EQ(texts[10].size(), 0u);  // the separator after them
  EXPECT_EQ(Doc()->GetTitle(), u"a&b.txt");

  // Opened again, the menu has the same two entries, not the placeholder beside them.
  screen->SetModalHook([&](CWnd*) { texts = TrackedMenuTexts(); });
  TapButton(0);
  EXPECT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[8], u"&1 \\My Documents\\a&&b.txt");
}

TEST_F(RecentFileListTest, AnEntryThatNoLongerOpensLeavesTheList) {
  TempDevice::WriteHostFile(device.DocHost("gone.txt"), "g");
  app->OpenDocumentFile(device.DocDevice("gone.txt"));
  app->OnFileNew();
  std::remove(device.DocHost("gone.txt").c_str());
  AnswerBoxes([](const std::string&) { return plat::IDOK; });
  Frame()->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1, 0);
  EXPECT_EQ(messages, std::vector<std::string>{"\\My Documents\\gone.txt was not found."});
  EXPECT_EQ((*app->m_pRecentFileList)[0], u"");
}
