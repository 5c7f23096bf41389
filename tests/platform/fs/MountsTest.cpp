// Device paths: the mount table both ways, and wildcard matching.
#include <gtest/gtest.h>

#include "common/TempDevice.h"
#include "platform/fs/Files.h"
#include "platform/fs/Listing.h"
#include "platform/fs/Mounts.h"

using namespace plat::fs;

TEST(Mounts, DevicePathsMapToTheMostSpecificMount) {
  TempDevice dev;
  std::string host;
  ASSERT_TRUE(ToHost(u"\\My Documents\\src\\a.cpp", host));
  EXPECT_EQ(host, dev.DocumentsHost() + "/src/a.cpp");
  ASSERT_TRUE(ToHost(u"\\my documents\\..\\Tovin.menu", host));  // mount names ignore case
  EXPECT_EQ(host, dev.RootHost() + "/Tovin.menu");
  ASSERT_TRUE(ToHost(u"\\Storage Card\\etc\\hosts", host));
  EXPECT_EQ(host, dev.StorageHost() + "/etc/hosts");
  ASSERT_TRUE(ToHost(u"\\", host));
  EXPECT_EQ(host, dev.RootHost());
  ASSERT_TRUE(ToHost(u"\\..\\..\\x", host));  // ".." never climbs above the device root
  EXPECT_EQ(host, dev.RootHost() + "/x");
  ASSERT_TRUE(ToHost(u"\\My Documents/a/b", host));  // forward slashes separate too
  EXPECT_EQ(host, dev.DocumentsHost() + "/a/b");
}

TEST(Mounts, HostPathsMapBackToDevicePaths) {
  TempDevice dev;
  EXPECT_EQ(ToDevice(dev.DocumentsHost() + "/x/./y/../a.cpp"), u"\\My Documents\\x\\a.cpp");
  EXPECT_EQ(ToDevice(dev.DocumentsHost()), u"\\My Documents");
  EXPECT_EQ(ToDevice(dev.RootHost() + "/Tovin.menu"), u"\\Tovin.menu");
  EXPECT_EQ(ToDevice(dev.StorageHost() + "/usr/include"), u"\\Storage Card\\usr\\include");
  // A sibling whose name merely starts like a mount folder is not inside it.
  EXPECT_EQ(ToDevice(dev.DocumentsHost() + "x/file"), u"");
  EXPECT_EQ(NormalizeDevicePath(u"\\a\\\\b\\.\\c\\..\\"), u"\\a\\b");
}

TEST(Wildcards, MatchAsTheHandheldDoes) {
  EXPECT_TRUE(WildcardMatch(u"*.cpp", u"Main.CPP"));
  EXPECT_FALSE(WildcardMatch(u"*.cpp", u"main.cp"));
  EXPECT_TRUE(WildcardMatch(u"*.*", u"Makefile"));  // no dot, still matched
  EXPECT_TRUE(WildcardMatch(u"*.*", u"a.b.c"));
  EXPECT_TRUE(WildcardMatch(u"a?c.h", u"abc.h"));
  EXPECT_FALSE(WildcardMatch(u"a?c.h", u"ac.h"));
  EXPECT_TRUE(WildcardMatch(u"*a*b*c*", u"xxaxxbxxcxx"));
  EXPECT_FALSE(WildcardMatch(u"*a*b*c", u"xxaxxbxxcxx"));
  EXPECT_TRUE(WildcardMatch(u"read*.*", u"README"));
  // A long run of stars against a long name ends quickly.
  EXPECT_FALSE(WildcardMatch(std::u16string(200, u'*') + u"x", std::u16string(5000, u'a')));
}

TEST(Listing, FiltersSortsAndShowsMountPointsAtTheRoot) {
  TempDevice dev;
  TempDevice::WriteHostFile(dev.DocHost("a.cpp"), "int a;");
  TempDevice::WriteHostFile(dev.DocHost("b.H"), "");
  TempDevice::WriteHostFile(dev.DocHost("c.txt"), "");
  std::vector<FindData> found;
  ASSERT_EQ(ListFolder(u"\\My Documents", u"*.cpp", found), 0u);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, u"a.cpp");
  EXPECT_EQ(found[0].size, 6u);
  ASSERT_EQ(ListFolder(u"\\My Documents\\", u"*.h", found), 0u);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, u"b.H");

  ASSERT_EQ(ListFolder(u"\\", u"*.*", found), 0u);
  std::vector<std::u16string> names;
  for (auto& f : found) {
    names.push_back(f.name);
    EXPECT_TRUE(f.attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"My Documents", u"Storage Card"}));
  EXPECT_EQ(ListFolder(u"\\My Documents\\missing", u"*.*", found), plat::ERROR_PATH_NOT_FOUND);
}
