// File associations and the language an extension chooses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/FileAssociations.h"
#include "app/LanguageForPath.h"
#include "common/TempDevice.h"
#include "platform/registry/Registry.h"
#include "syntax/SyntaxLanguage.h"

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

TEST(FileAssociations, WhatIsNotAPlainFileIsLeftAloneAndNeverWaitedFor) {
  TempDevice dev;
  const std::string data = dev.RootHost() + "/../xdg";
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  std::filesystem::create_directories(data + "/applications");
  std::filesystem::create_directories(data + "/mime/packages/tovin.xml");
  // A FIFO without a writer: reading it would wait for ever.
  ASSERT_EQ(mkfifo((data + "/applications/mimeapps.list").c_str(), 0600), 0);
  EXPECT_FALSE(RegisterDesktopAssociations("/usr/bin/tovin"));
  EXPECT_NE(TempDevice::ReadHostFile(data + "/applications/tovin.desktop").find("Exec=/usr/bin/tovin %f"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_fifo(data + "/applications/mimeapps.list"));
  EXPECT_TRUE(std::filesystem::is_directory(data + "/mime/packages/tovin.xml"));
  EXPECT_EQ(TempDevice::ListHost(data + "/applications"), "mimeapps.list tovin.desktop");
  unsetenv("XDG_DATA_HOME");
}
