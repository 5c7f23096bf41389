// Where the files of an imported project are found: relative paths against the project's
// folder, more "..\" than it has folders, and names whose case differs from the disk's.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "common/TempDevice.h"
#include "project/window/ProjectPaths.h"

TEST(ProjectPathsTest, RelativePathsResolveAgainstTheProjectFolder) {
  EXPECT_EQ(ResolveProjectPath(u"\\a\\proj\\", u"..\\src\\x.c"), u"\\a\\src\\x.c");
  EXPECT_EQ(ResolveProjectPath(u"\\a\\proj\\", u".\\x.c"), u"\\a\\proj\\x.c");
  EXPECT_EQ(ResolveProjectPath(u"\\a\\proj\\", u"x.c"), u"\\a\\proj\\x.c");
  EXPECT_EQ(ResolveProjectPath(u"\\a\\proj\\", u"..\\..\\y.c"), u"\\y.c");
}

TEST(ProjectPathsTest, MoreParentsThanFoldersStopAtTheTop) {
  EXPECT_EQ(ResolveProjectPath(u"\\a\\", u"..\\..\\..\\..\\x.c"), u"\\x.c");
  EXPECT_EQ(ResolveProjectPath(u"", u"..\\x.c"), u"\\x.c");
  EXPECT_EQ(ResolveProjectPath(u"\\a\\", u"..\\..\\"), u"\\");
  EXPECT_EQ(ResolveProjectPath(u"\\a\\", u"..\\"), u"\\");
}

TEST(ProjectPathsTest, ANameInAnotherCaseIsFoundWhenOnlyOneMatches) {
  TempDevice device;
  mkdir(device.DocHost("Lib").c_str(), 0700);
  TempDevice::WriteHostFile(device.DocHost("Lib/png.c"), "");
  TempDevice::WriteHostFile(device.DocHost("Lib/Twin.h"), "");
  TempDevice::WriteHostFile(device.DocHost("Lib/twin.H"), "");
  EXPECT_EQ(FindIgnoringCase(u"\\My Documents\\LIB\\PNG.C"), device.DocDevice("Lib/png.c"));
  EXPECT_EQ(FindIgnoringCase(u"\\My Documents\\lib\\png.C"), device.DocDevice("Lib/png.c"));
  // Two candidates, or none: the path stays as it was, for the document to report.
  EXPECT_EQ(FindIgnoringCase(u"\\My Documents\\Lib\\TWIN.H"), u"\\My Documents\\Lib\\TWIN.H");
  EXPECT_EQ(FindIgnoringCase(u"\\My Documents\\Lib\\gone.c"), u"\\My Documents\\Lib\\gone.c");
  EXPECT_EQ(FindIgnoringCase(u"\\My Documents\\Lib\\Twin.h"), u"\\My Documents\\Lib\\Twin.h");
}
