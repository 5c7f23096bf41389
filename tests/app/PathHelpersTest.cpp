// Path helpers, file associations and the language an extension chooses.
#include <gtest/gtest.h>

#include "app/FileAssociations.h"
#include "app/LanguageForPath.h"
#include "app/PathHelpers.h"
#include "common/TempDevice.h"
#include "platform/registry/Registry.h"
#include "syntax/SyntaxLanguage.h"

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

TEST(LanguageForPath, ExtensionAfterTheLastDotLowerCased) {
  EXPECT_EQ(LanguageForPath(u"\\x\\notes.TXT"), LanguageText);
  EXPECT_EQ(LanguageForPath(u"\\x\\archive.tar.php"), LanguagePhp);
  EXPECT_EQ(LanguageForPath(u"\\Dir.x\\readme"), LanguageC);  // a dot only in a folder
  EXPECT_EQ(LanguageForPath(u"\\Dir.vb\\readme"), LanguageC);
  EXPECT_EQ(LanguageForPath(u"Form1.FRM"), LanguageBasic);
  EXPECT_EQ(LanguageForPath(u"web.config"), LanguageMarkup);
  EXPECT_EQ(LanguageForPath(u"Makefile"), LanguageC);
}

TEST(FileAssociations, ClassesRootKeysInOrderAndADesktopEntry) {
  TempDevice dev;
  const std::string data = dev.RootHost() + "/../xdg";
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  CRegistry::Get().Reload();
  EXPECT_TRUE(RegisterFileAssociations());
  auto& reg = CRegistry::Get();
  std::u16string value;
  ASSERT_TRUE(reg.GetValue(HKEY_CLASSES_ROOT, u".cpp", u"", value));
  EXPECT_EQ(value, u"tovin_file");
  ASSERT_TRUE(reg.GetValue(HKEY_CLASSES_ROOT, u"tovin_project_file", u"", value));
  EXPECT_EQ(value, u"Tovin Project File");
  ASSERT_TRUE(reg.GetValue(HKEY_CLASSES_ROOT, u"tovin_header_file\\Shell\\Open\\Command", u"", value));
  EXPECT_EQ(value.front(), u'"');
  EXPECT_TRUE(value.ends_with(u"tovin.exe\" %1"));
  ASSERT_TRUE(reg.GetValue(HKEY_CLASSES_ROOT, u"tovin_file\\DefaultIcon", u"", value));
  EXPECT_TRUE(value.ends_with(u"tovin.exe, -101"));

  const std::string desktop = TempDevice::ReadHostFile(data + "/applications/tovin.desktop");
  EXPECT_NE(desktop.find("MimeType=text/x-csrc;"), std::string::npos);
  EXPECT_NE(TempDevice::ReadHostFile(data + "/mime/packages/tovin.xml").find("*.csp"), std::string::npos);
  // A user's own associations stay; ours are added once, however often the program starts.
  TempDevice::WriteHostFile(data + "/applications/mimeapps.list", "[Added Associations]\ntext/x-csrc=gedit.desktop;\n");
  EXPECT_TRUE(RegisterDesktopAssociations("/opt/my tools/tovin"));
  EXPECT_TRUE(RegisterDesktopAssociations("/opt/my tools/tovin"));
  const std::string list = TempDevice::ReadHostFile(data + "/applications/mimeapps.list");
  EXPECT_NE(list.find("text/x-csrc=gedit.desktop;tovin.desktop;\n"), std::string::npos);
  int mentions = 0;
  for (auto at = list.find("tovin.desktop"); at != std::string::npos; at = list.find("tovin.desktop", at + 1)) ++mentions;
  EXPECT_EQ(mentions, 7);  // one for each type, not one more per start
  EXPECT_NE(TempDevice::ReadHostFile(data + "/applications/tovin.desktop").find("Exec=\"/opt/my tools/tovin\" %f"),
            std::string::npos);
  unsetenv("XDG_DATA_HOME");
}
