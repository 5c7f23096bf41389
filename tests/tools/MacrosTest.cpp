// The macros of a tool's arguments and working directory, against files on the device.
#include <gtest/gtest.h>

#include "common/TempDevice.h"
#include "tools/Macros.h"

namespace {

class MacrosTest : public ::testing::Test {
 protected:
  TempDevice device;
};

TEST_F(MacrosTest, TheOpenFileGivesItsBaseNameAndFullPath) {
  TempDevice::WriteHostFile(device.DocHost("a.b.cpp"), "x");
  const std::u16string path = u"\\My Documents\\a.b.cpp";
  EXPECT_EQ(ExpandToolMacros(u"-c $FileName.o $FilePath", path), u"-c a.b.o \\My Documents\\a.b.cpp");
  EXPECT_EQ(ExpandToolMacros(u"$FilePath$FilePath", path), u"\\My Documents\\a.b.cpp\\My Documents\\a.b.cpp");
  // Workspaces do not exist: their macros always go.
  EXPECT_EQ(ExpandToolMacros(u"[$WkspDir|$WkspName]", path), u"[|]");
  // Matching is exact and case-sensitive.
  EXPECT_EQ(ExpandToolMacros(u"$filename $FILEPATH $FileNam", path), u"$filename $FILEPATH $FileNam");
  TempDevice::WriteHostFile(device.DocHost("Makefile"), "x");
  EXPECT_EQ(ExpandToolMacros(u"$FileName", u"\\My Documents\\Makefile"), u"Makefile");
}

TEST_F(MacrosTest, NoDocumentOrADotFileGivesEmptyNames) {
  EXPECT_EQ(ExpandToolMacros(u"<$FileName><$FilePath>", u""), u"<><>");
  TempDevice::WriteHostFile(device.DocHost(".profile"), "x");
  EXPECT_EQ(ExpandToolMacros(u"<$FileName>", u"\\My Documents\\.profile"), u"<>");
  EXPECT_EQ(ExpandToolMacros(u"no macros at all", u""), u"no macros at all");
}

TEST_F(MacrosTest, ReplacementsHoldingMacrosAreNotSearchedAgain) {
  // A file whose name holds the macro that replaces it: inserted once, not forever.
  TempDevice::WriteHostFile(device.DocHost("$FileName.c"), "x");
  EXPECT_EQ(ExpandToolMacros(u"$FileName $FileName", u"\\My Documents\\$FileName.c"), u"$FileName $FileName");
  // The macros go in their order: a base name holding "$FilePath" is then given the path.
  TempDevice::WriteHostFile(device.DocHost("$FilePath.c"), "x");
  EXPECT_EQ(ExpandToolMacros(u"$FileName", u"\\My Documents\\$FilePath.c"), u"\\My Documents\\$FilePath.c");
}

}  // namespace
