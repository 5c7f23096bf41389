// The .csp project file: its bytes, reading it back, and what a damaged file may not do.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ProjectTestSupport.h"
#include "common/Hex.h"
#include "common/TempDevice.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/File.h"
#include "platform/base/CodePage.h"
#include "platform/fs/Files.h"
#include "project/ProjectFile.h"

namespace {

// The project of one file \a.c in \p.csp, byte for byte.
const std::string kOneFile = Hex(
    "ff ff 02 00 0e 00 50 72 6f 6a 65 63 74 4d 61 6e 61 67 65 72 ff ff 00 00 08 00 43 4f 62 4c 69 73"
    " 74 32 01 00 ff ff 01 00 0c 00 43 50 72 6f 6a 65 63 74 49 74 65 6d 03 00 ff fe ff 09 47 00 72 00"
    " 6f 00 75 00 70 00 6e 00 61 00 6d 00 65 00 ff fe ff 00 ff fe ff 08 50 00 61 00 74 00 68 00 6e 00"
    " 61 00 6d 00 65 00 ff fe ff 04 5c 00 61 00 2e 00 63 00 ff fe ff 08 46 00 69 00 6c 00 65 00 6e 00"
    " 61 00 6d 00 65 00 ff fe ff 03 61 00 2e 00 63 00 ff fe ff 06 5c 00 70 00 2e 00 63 00 73 00 70 00"
    " ff fe ff 01 5c 00");

// The same project with no files.
const std::string kEmpty = Hex(
    "ff ff 02 00 0e 00 50 72 6f 6a 65 63 74 4d 61 6e 61 67 65 72 ff ff 00 00 08 00 43 4f 62 4c 69 73"
    " 74 32 00 00 ff fe ff 06 5c 00 70 00 2e 00 63 00 73 00 70 00 ff fe ff 01 5c 00");

std::string Stored(const ProjectManager& project) {
  CMemFile file;
  EXPECT_TRUE(WriteArchiveObject(file, project));
  return file.Bytes();
}

// Reads a project from bytes; null when the file is refused ("Load failed.").
std::unique_ptr<ProjectManager> Loaded(const std::string& bytes) {
  CMemFile file(bytes);
  ArchiveRead result = ArchiveRead::Read;
  std::unique_ptr<CObject> object = ReadArchiveObject(file, RUNTIME_CLASS(ProjectManager), result);
  if (result != ArchiveRead::Read) return nullptr;
  if (!object) return std::make_unique<ProjectManager>();
  return std::unique_ptr<ProjectManager>(static_cast<ProjectManager*>(object.release()));
}

std::string Patched(std::string bytes, std::size_t at, char value) {
  bytes[at] = value;
  return bytes;
}

class ProjectFileTest : public ::testing::Test {
 protected:
  TempDevice device;
};

TEST_F(ProjectFileTest, TheFileIsWrittenByteForByte) {
  ProjectManager project;
  project.SetPath(u"\\p.csp");
  EXPECT_EQ(project.GetDirectory(), u"\\");
  EXPECT_TRUE(project.Save());
  EXPECT_EQ(TempDevice::ReadHostFile(device.RootHost() + "/p.csp"), kEmpty);
  EXPECT_EQ(kEmpty.size(), 58u);
  project.AddFile(u"\\a.c");
  EXPECT_TRUE(project.Save());
  EXPECT_EQ(TempDevice::ReadHostFile(device.RootHost() + "/p.csp"), kOneFile);
  EXPECT_EQ(kOneFile.size(), 166u);
  // Later files name their class by number.
  project.AddFile(u"\\b.c");
  const std::string two = Stored(project);
  EXPECT_EQ(two.substr(kOneFile.size() - 22, 2), Hex("05 80"));  // after the first, before path and folder
}

TEST_F(ProjectFileTest, ReadingBackGivesTheStoredPathAndFiles) {
  std::unique_ptr<ProjectManager> project = LoadProjectFile(u"\\none.csp");
  ASSERT_NE(project, nullptr);  // no file: an empty project
  EXPECT_EQ(project->GetItems()->GetCount(), 0);
  TempDevice::WriteHostFile(device.DocHost("moved.csp"), kOneFile);
  project = LoadProjectFile(device.DocDevice("moved.csp"));
  ASSERT_NE(project, nullptr);
  // A file moved elsewhere keeps the path and folder stored in it.
  EXPECT_EQ(project->GetPath(), u"\\p.csp");
  EXPECT_EQ(project->GetDirectory(), u"\\");
  EXPECT_EQ(ItemLines(*project), std::vector<std::string>{"\\a.c | a.c | "});
  // The kind and the groups are not part of the file.
  EXPECT_EQ(project->GetType(), u"");
  EXPECT_TRUE(project->GetGroupStates().IsEmpty());
  // A file holding only the null object is an empty project.
  EXPECT_NE(Loaded(Hex("00 00")), nullptr);
}

TEST_F(ProjectFileTest, SchemasOfTheStoredClasses) {
  EXPECT_EQ(Loaded(Patched(kEmpty, 2, 1)), nullptr);  // a project of schema 1
  auto later = Loaded(Patched(kEmpty, 2, 3));
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(later->GetPath(), u"\\p.csp");
  EXPECT_EQ(Loaded(Patched(kEmpty, 22, 1)), nullptr);     // a list of schema 1
  EXPECT_EQ(Loaded(Patched(kOneFile, 38, 2)), nullptr);   // an item of schema 2
}

TEST_F(ProjectFileTest, ItemsKeepWhatTheyHoldAndMayLackAGroup) {
  ASSERT_TRUE(plat::CodePage::SetSystem("CP1252"));
  // One item with two 8-bit pairs and no "Groupname", path and folder in 8-bit form too.
  const std::string bytes = kOneFile.substr(0, 54) + Hex("02 00") + "\x08Pathname" + "\x06\\\xe9t\xe9.c" + "\x08" "Filename" +
                            "\x05\xe9t\xe9.c" + "\x06\\p.csp" + "\x01\\";
  auto project = Loaded(bytes);
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(ItemLines(*project), std::vector<std::string>{"\\été.c | été.c | "});
  auto* item = static_cast<CProjectItem*>(project->GetItems()->GetHead());
  std::u16string group = u"as it was";
  EXPECT_FALSE(item->GetGroupname(group));
  EXPECT_EQ(group, u"as it was");
  // A key the program does not know goes back out unchanged.
  item->GetProperties().SetAt(u"Author", u"somebody");
  auto again = Loaded(Stored(*project));
  ASSERT_NE(again, nullptr);
  auto* back = static_cast<CProjectItem*>(again->GetItems()->GetHead());
  ASSERT_NE(back->Find(u"Author"), nullptr);
  EXPECT_EQ(*back->Find(u"Author"), u"somebody");
  EXPECT_EQ(Stored(*again), Stored(*project));
}

TEST_F(ProjectFileTest, AFileCutAnywhereFailsWhole) {
  ProjectManager project;
  project.SetPath(u"\\My Documents\\three.csp");
  for (const char16_t* f : {u"\\My Documents\\a.cpp", u"\\My Documents\\b.h", u"\\Storage Card\\c d.txt"}) project.AddFile(f);
  const std::string bytes = Stored(project);
  for (std::size_t n = 0; n < bytes.size(); ++n) EXPECT_EQ(Loaded(bytes.substr(0, n)), nullptr) << n;
  auto whole = Loaded(bytes);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(ItemLines(*whole), ItemLines(project));
  EXPECT_EQ(whole->GetDirectory(), u"\\My Documents\\");
}

TEST_F(ProjectFileTest, ADamagedFileCannotMakeTheListHoldWhatIsNotAFile) {
  const std::string head = kOneFile.substr(0, 20);  // the ProjectManager class
  const std::string list = head + kOneFile.substr(20, 14);  // and the list class, before its count
  const std::string itemClass = kOneFile.substr(36, 18);
  const std::string item = itemClass + Hex("00 00");  // with an empty table
  const std::string tail = kOneFile.substr(kOneFile.size() - 22);  // path and folder
  ASSERT_NE(Loaded(list + Hex("01 00") + kOneFile.substr(36)), nullptr);
  // The same item twice, the list inside itself, another list, the project itself, null.
  EXPECT_EQ(Loaded(list + Hex("02 00") + item + Hex("06 00") + tail), nullptr);
  EXPECT_EQ(Loaded(list + Hex("01 00 04 00") + tail), nullptr);
  EXPECT_EQ(Loaded(list + Hex("01 00 03 80 00 00") + tail), nullptr);
  EXPECT_EQ(Loaded(list + Hex("01 00 01 80 03 80 00 00") + tail + tail), nullptr);
  EXPECT_EQ(Loaded(list + Hex("01 00 00 00") + tail), nullptr);
  EXPECT_EQ(Loaded(head + Hex("00 00") + tail), nullptr);
  // Lists inside items inside lists: nesting is bounded.
  std::string deep = list + Hex("01 00");
  for (int i = 0; i < 20; ++i) deep += Hex("03 80 01 00");
  EXPECT_EQ(Loaded(deep + Hex("00 00")), nullptr);
  // A count far beyond the file: refused before anything is made for it.
  EXPECT_EQ(Loaded(list + Hex("ff ff ff ff ff 7f")), nullptr);
  EXPECT_EQ(Loaded(list + Hex("01 00") + itemClass + Hex("ff ff 00 00 00 40")), nullptr);
}

TEST_F(ProjectFileTest, OnlyARegularFileIsRead) {
  ASSERT_EQ(mkdir(device.DocHost("dir.csp").c_str(), 0700), 0);
  ASSERT_EQ(mkfifo(device.DocHost("pipe.csp").c_str(), 0600), 0);
  EXPECT_EQ(LoadProjectFile(device.DocDevice("dir.csp")), nullptr);
  EXPECT_EQ(LoadProjectFile(device.DocDevice("pipe.csp")), nullptr);
  TempDevice::WriteHostFile(device.DocHost("text.csp"), "not a project\r\n");
  EXPECT_EQ(LoadProjectFile(device.DocDevice("text.csp")), nullptr);
}

TEST_F(ProjectFileTest, ASaveThatFailsLeavesTheOldFileWhole) {
  ProjectManager project;
  project.SetPath(device.DocDevice("p.csp"));
  project.AddFile(u"\\a.c");
  ASSERT_TRUE(project.Save());
  const std::string before = TempDevice::ReadHostFile(device.DocHost("p.csp"));
  project.AddFile(u"\\b.c");
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::Write ? plat::ERROR_DISK_FULL : 0;
  });
  EXPECT_FALSE(project.Save());
  plat::fs::SetFaultHook(nullptr);
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("p.csp")), before);
  EXPECT_EQ(TempDevice::ListHost(device.DocumentsHost()), "p.csp");
  project.SetPath(u"\\My Documents\\no such folder\\p.csp");
  EXPECT_FALSE(project.Save());
}

}  // namespace
