// What the browser lists and the texts it shows, without a screen: types, sizes, dates,
// the type box's lines, the order of entries, folders above and below, odd names.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "browser/FileEntries.h"
#include "common/TempDevice.h"
#include "platform/base/Strings.h"
#include "platform/fs/Files.h"

TEST(BrowserTexts, TypeTextNamesKnownKindsAndUpperCasesTheRest) {
  EXPECT_EQ(TypeText(u"main.cpp"), u"C++ Source File");
  EXPECT_EQ(TypeText(u"MAIN.CPP"), u"C++ Source File");
  EXPECT_EQ(TypeText(u"x.csp"), u"Tovin Project File");
  EXPECT_EQ(TypeText(u"a.dll"), u"Application Extension");
  EXPECT_EQ(TypeText(u"a.dsp"), u"Visual C++ Project File");
  EXPECT_EQ(TypeText(u"a.exe"), u"Application");
  EXPECT_EQ(TypeText(u"a.h"), u"C++ Header File");
  EXPECT_EQ(TypeText(u"index.htm"), u"HTML File");
  EXPECT_EQ(TypeText(u"index.html"), u"HTML File");  // by the general rule
  EXPECT_EQ(TypeText(u"x.txt"), u"TXT File");
  EXPECT_EQ(TypeText(u"README"), u"README File");
  EXPECT_EQ(TypeText(u"archive.tar.gz"), u"GZ File");
  EXPECT_EQ(TypeText(u"trailing."), u" File");
}

TEST(BrowserTexts, SizesGroupThousandsWithCommas) {
  EXPECT_EQ(SizeText(0), u"0");
  EXPECT_EQ(SizeText(999), u"999");
  EXPECT_EQ(SizeText(1000), u"1,000");
  EXPECT_EQ(SizeText(1234567), u"1,234,567");
  // Past 4 GiB the size is still the file's own.
  EXPECT_EQ(SizeText(5000000000ull), u"5,000,000,000");
}

TEST(BrowserTexts, LongFilterPatternsAreShortenedToTheirFirstPart) {
  EXPECT_EQ(FilterText({u"All Files", u"*.*"}), u"All Files (*.*)");
  EXPECT_EQ(FilterText({u"C# Source Files", u"*.cs"}), u"C# Source Files (*.cs)");
  EXPECT_EQ(FilterText({u"Java Class Files", u"*.java"}), u"Java Class Files (*.java)");
  EXPECT_EQ(FilterText({u"Project Files", u"*.csproj;*.vbproj;*.vcproj;*.dsp;*.csp;*.ebp;*.vcp;*.vbp"}),
            u"Project Files (*.csproj, etc.)");
  EXPECT_EQ(FilterText({u"C++ Source Files", u"*.cpp;*.h;*.c"}), u"C++ Source Files (*.cpp, etc.)");
  EXPECT_EQ(FilterText({u"Ten", u"*.a;*.b;*.c"}), u"Ten (*.a, etc.)");     // 11 characters
  EXPECT_EQ(FilterText({u"Nine", u"*.a;*.bcd"}), u"Nine (*.a;*.bcd)");    // 9 characters
}

TEST(BrowserPaths, ParentFoldersEndAtTheRoot) {
  EXPECT_EQ(ParentBrowseFolder(u"\\My Documents\\src\\"), u"\\My Documents");
  EXPECT_EQ(ParentBrowseFolder(u"\\My Documents\\src"), u"\\My Documents");
  EXPECT_EQ(ParentBrowseFolder(u"\\My Documents"), u"");
  EXPECT_EQ(ParentBrowseFolder(u"\\My Documents\\\\"), u"");
  EXPECT_EQ(ParentBrowseFolder(u""), u"");
  EXPECT_EQ(ParentBrowseFolder(u"\\"), u"");
  EXPECT_EQ(ParentBrowseFolder(u"relative"), u"");
  EXPECT_EQ(JoinBrowsePath(u"", u"a.cpp"), u"\\a.cpp");
  EXPECT_EQ(JoinBrowsePath(u"\\My Documents", u"a.cpp"), u"\\My Documents\\a.cpp");
  EXPECT_EQ(JoinBrowsePath(u"\\My Documents\\", u"a.cpp"), u"\\My Documents\\a.cpp");
}

TEST(BrowserOrder, FoldersComeFirstWhateverTheColumn) {
  CFileEntry folder{u"zz", u"", 900, 0, true, u"Folder"};
  CFileEntry small{u"B.txt", u"", 100, 5, false, u"TXT File"};
  CFileEntry big{u"a.cpp", u"", 50, 5000000000ull, false, u"C++ Source File"};
  for (int column = 0; column < 4; ++column) {
    EXPECT_LT(CompareEntries(folder, small, column), 0) << column;
    EXPECT_GT(CompareEntries(big, folder, column), 0) << column;
  }
  EXPECT_GT(CompareEntries(small, big, BrowseColumnName), 0);  // "B.TXT" after "A.CPP"
  EXPECT_LT(CompareEntries(small, big, BrowseColumnSize), 0);
  EXPECT_GT(CompareEntries(small, big, BrowseColumnDate), 0);
  EXPECT_GT(CompareEntries(small, big, BrowseColumnType), 0);  // "TXT File" after "C++ Source File"
  CFileEntry same = small;
  same.name = u"b.TXT";
  EXPECT_EQ(CompareEntries(small, same, BrowseColumnName), 0);
}

class BrowserDates : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
};

TEST_F(BrowserDates, SecondsLeaveTheTimePatternWithTheirSeparator) {
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%H:%M:%S"), "%H:%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%T"), "%H:%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%r"), "%I:%M %p");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%r", "%p %I:%M:%S"), "%p %I:%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%I:%M:%S %p"), "%I:%M %p");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%H.%M.%S"), "%H.%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%H:%M:%OS"), "%H:%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%S:%M"), "%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%H:%M"), "%H:%M");
  EXPECT_EQ(CShortDateTime::WithoutSeconds("%M%S"), "%M");
}

TEST_F(BrowserDates, TheCLocaleShowsItsShortDateAndTheTimeToTheMinute) {
  const CShortDateTime c("C");
  EXPECT_EQ(c.Pattern(), "%m/%d/%y %H:%M");
  EXPECT_EQ(c.Format(1215345678), u"07/06/08 12:01");  // 2008-07-06 12:01:18 UTC
  EXPECT_EQ(c.Format(0), u"01/01/70 00:00");
  // The environment's locale is used when it exists; one the system lacks falls back to C.
  setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
  const CShortDateTime missing;
  EXPECT_EQ(missing.Pattern(), "%m/%d/%y %H:%M");
  setenv("LC_ALL", "C", 1);
  const CShortDateTime fromEnvironment;
  EXPECT_EQ(fromEnvironment.Format(1215345678), u"07/06/08 12:01");
  unsetenv("LC_ALL");
  // Local time: another zone shows another hour.
  setenv("TZ", "JST-9", 1);
  tzset();
  EXPECT_EQ(c.Format(1215345678), u"07/06/08 21:01");
}

class BrowserListing : public ::testing::Test {
 protected:
  static std::vector<std::string> Names(const std::vector<CFileEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(plat::Narrow(e.name));
    std::sort(names.begin(), names.end());
    return names;
  }
  TempDevice device;
};

TEST_F(BrowserListing, TheRootListsItsMountPoints) {
  const auto entries = ListFolderEntries(u"", u"*.*");
  ASSERT_EQ(Names(entries), (std::vector<std::string>{"My Documents", "Storage Card"}));
  for (const auto& e : entries) {
    EXPECT_TRUE(e.isFolder);
    EXPECT_EQ(e.path, u"\\" + e.name);
    EXPECT_EQ(e.type, u"Folder");
  }
}

TEST_F(BrowserListing, OddNamesAreListedWithTheirOwnPaths) {
  for (const std::string& name : std::vector<std::string>{"semi;colon.cpp", "star*.cpp", "new\nline.cpp", "\xff\xfe.cpp",
                                                          " lead.cpp", std::string(250, 'n') + ".cpp"})
    TempDevice::WriteHostFile(device.DocHost(name), "x");
  const auto entries = ListFolderEntries(u"\\My Documents", u"*.cpp");
  ASSERT_EQ(entries.size(), 6u);
  for (const auto& e : entries) {
    EXPECT_EQ(e.path, u"\\My Documents\\" + e.name);
    EXPECT_EQ(e.type, u"C++ Source File");
    EXPECT_EQ(e.size, 1u);
    // Every listed path leads back to its file.
    EXPECT_NE(plat::fs::GetFileAttributes(e.path), plat::fs::INVALID_FILE_ATTRIBUTES) << plat::Narrow(e.name);
  }
}

TEST_F(BrowserListing, MissingOrUnreadableFoldersGiveNoEntries) {
  EXPECT_TRUE(ListFolderEntries(u"\\My Documents\\nothing here", u"*.*").empty());
  EXPECT_TRUE(ListFolderEntries(u"\\My Documents\\nothing here", u"*.cpp;*.h").empty());
  mkdir(device.DocHost("locked").c_str(), 0755);
  TempDevice::WriteHostFile(device.DocHost("locked/a.cpp"), "x");
  const std::string locked = device.DocHost("locked");
  plat::fs::SetFaultHook([locked](plat::fs::FsOp op, const std::string& host) {
    return op == plat::fs::FsOp::List && host == locked ? std::uint32_t{plat::ERROR_ACCESS_DENIED} : 0u;
  });
  EXPECT_TRUE(ListFolderEntries(u"\\My Documents\\locked", u"*.cpp").empty());
  plat::fs::SetFaultHook(nullptr);
  EXPECT_EQ(ListFolderEntries(u"\\My Documents\\locked", u"*.cpp").size(), 1u);
}

TEST_F(BrowserListing, AHugeFolderShowsABoundedNumberOfEntries) {
  const std::string big = device.DocHost("big");
  mkdir(big.c_str(), 0755);
  for (int i = 0; i < 40; ++i) close(creat((big + "/f" + std::to_string(i) + ".c").c_str(), 0644));
  mkdir((big + "/sub").c_str(), 0755);
  EXPECT_EQ(ListFolderEntries(u"\\My Documents\\big", u"*.*", 25).size(), 25u);
  // The folders a filter adds count against the same bound.
  EXPECT_EQ(ListFolderEntries(u"\\My Documents\\big", u"*.c", 40).size(), 40u);
  EXPECT_EQ(ListFolderEntries(u"\\My Documents\\big", u"*.c", 41).size(), 41u);
}
