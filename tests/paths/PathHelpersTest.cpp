// Path helpers: splitting, extensions, replacing, folders of files.
#include <gtest/gtest.h>

#include "common/TempDevice.h"
#include "paths/PathHelpers.h"

TEST(PathHelpers, SplitPathDropsDotFoldersAndKeepsTheTrailingBackslash) {
  std::u16string drive = u"x", folder, name, ext;
  SplitPath(u"\\Projects\\..\\src\\main.cpp", &drive, &folder, &name, &ext);
  EXPECT_EQ(drive, u"");
  EXPECT_EQ(folder, u"\\Projects\\src\\");
  EXPECT_EQ(name, u"main");
  EXPECT_EQ(ext, u"cpp");
  SplitPath(u"\\My Documents\\Makefile", nullptr, &folder, &name, &ext);
  EXPECT_EQ(folder, u"\\My Documents\\");
  EXPECT_EQ(name, u"Makefile");
  EXPECT_EQ(ext, u"");
  SplitPath(u"archive.tar.gz", nullptr, &folder, &name, &ext);
  EXPECT_EQ(folder, u"");
  EXPECT_EQ(name, u"archive.tar");
  EXPECT_EQ(ext, u"gz");
  folder = u"unchanged";
  SplitPath(u"", nullptr, &folder, nullptr, nullptr);
  EXPECT_EQ(folder, u"unchanged");
}

TEST(PathHelpers, ExtensionsAreFoundAndChanged) {
  std::u16string ext;
  EXPECT_TRUE(GetExtension(ext, u"\\a\\b.CPP"));
  EXPECT_EQ(ext, u"CPP");
  EXPECT_FALSE(GetExtension(ext, u"\\a\\b"));
  EXPECT_EQ(ext, u"");
  for (auto [in, out] : {std::pair<std::u16string, std::u16string>{u"proj", u"proj.csp"},
                         {u"proj.", u"proj.csp"},
                         {u"proj.txt", u"proj.csp"},
                         {u"\\dir.x\\proj", u"\\dir.x\\proj.csp"},
                         {u"\\dir.x\\proj.a.b", u"\\dir.x\\proj.a.csp"}}) {
    std::u16string p = in;
    EXPECT_TRUE(ChangeExtension(p, u"csp"));
    EXPECT_EQ(p, out);
  }
}

TEST(PathHelpers, ReplaceAllRescansAndAlwaysEnds) {
  std::u16string t = u"aaa";
  EXPECT_EQ(ReplaceAll(t, u"aa", u"a"), 2);
  EXPECT_EQ(t, u"a");
  t = u"$FileName and $FileName";
  EXPECT_EQ(ReplaceAll(t, u"$FileName", u"a.cpp"), 2);
  EXPECT_EQ(t, u"a.cpp and a.cpp");
  t = u"a-a";
  EXPECT_EQ(ReplaceAll(t, u"a", u"aa"), 2);  // the replacement holds the text: once each
  EXPECT_EQ(t, u"aa-aa");
  t = u"abc";
  EXPECT_EQ(ReplaceAll(t, u"", u"x"), 0);
  EXPECT_EQ(t, u"abc");
}

TEST(PathHelpers, FileFolderWithoutCreatingAnything) {
  TempDevice dev;
  TempDevice::WriteHostFile(dev.DocHost("a.cpp"), "x");
  std::u16string folder;
  EXPECT_TRUE(GetFileFolder(folder, u"\\My Documents\\a.cpp"));
  EXPECT_EQ(folder, u"\\My Documents\\");
  EXPECT_TRUE(GetFileFolder(folder, u"\\My Documents\\new.cpp"));  // not there yet
  EXPECT_EQ(folder, u"\\My Documents\\");
  EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "a.cpp");  // nothing was created
  EXPECT_FALSE(GetFileFolder(folder, u"\\My Documents\\missing\\x.cpp"));
  EXPECT_EQ(folder, u"\\My Documents\\missing\\x.cpp");
  EXPECT_FALSE(GetFileFolder(folder, u"\\My Documents"));  // a folder itself
  std::u16string name;
  EXPECT_TRUE(GetBareFileName(name, u"\\My Documents\\a.cpp"));
  EXPECT_EQ(name, u"a.cpp");
}

