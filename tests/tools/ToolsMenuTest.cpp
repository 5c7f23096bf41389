// The tools list: its order operations, its file byte for byte, and what a damaged or
// unwritable file may not do.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/Hex.h"
#include "common/TempDevice.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/File.h"
#include "platform/fs/Files.h"
#include "project/ProjectItem.h"
#include "tools/ToolsFile.h"

namespace {

// One tool: x.exe, no prompt, "$FilePath" as its arguments, no folder, described as X.
const std::string kOneTool = Hex(
    "ff ff 01 00 09 00 54 6f 6f 6c 73 4d 65 6e 75 ff ff 00 00 08 00 43 4f 62 4c 69 73 74 32 01 00 ff"
    " ff 01 00 08 00 54 6f 6f 6c 49 74 65 6d 05 00 ff fe ff 0b 43 00 6f 00 6d 00 6d 00 61 00 6e 00 64"
    " 00 4c 00 69 00 6e 00 65 00 ff fe ff 05 78 00 2e 00 65 00 78 00 65 00 ff fe ff 0d 50 00 72 00 6f"
    " 00 6d 00 70 00 74 00 46 00 6f 00 72 00 41 00 72 00 67 00 73 00 ff fe ff 01 30 00 ff fe ff 09 41"
    " 00 72 00 67 00 75 00 6d 00 65 00 6e 00 74 00 73 00 ff fe ff 09 24 00 46 00 69 00 6c 00 65 00 50"
    " 00 61 00 74 00 68 00 ff fe ff 0a 57 00 6f 00 72 00 6b 00 69 00 6e 00 67 00 44 00 69 00 72 00 ff"
    " fe ff 00 ff fe ff 0b 44 00 65 00 73 00 63 00 72 00 69 00 70 00 74 00 69 00 6f 00 6e 00 ff fe ff"
    " 01 58 00");

const std::string kNoTools = Hex(
    "ff ff 01 00 09 00 54 6f 6f 6c 73 4d 65 6e 75 ff ff 00 00 08 00 43 4f 62 4c 69 73 74 32 00 00");

ToolItem* NewTool(const std::u16string& description) {
  auto* tool = new ToolItem();
  tool->SetDescription(description);
  return tool;
}

std::string Stored(const ToolsMenu& menu) {
  CMemFile file;
  EXPECT_TRUE(WriteArchiveObject(file, menu));
  return file.Bytes();
}

// The list read from bytes as LoadTools reads it: empty when the bytes are not a list.
std::unique_ptr<ToolsMenu> Loaded(const std::string& bytes) {
  CMemFile file(bytes);
  ArchiveRead result = ArchiveRead::Read;
  std::unique_ptr<CObject> object = ReadArchiveObject(file, RUNTIME_CLASS(ToolsMenu), result);
  if (result != ArchiveRead::Read || !object) return std::make_unique<ToolsMenu>();
  return std::unique_ptr<ToolsMenu>(static_cast<ToolsMenu*>(object.release()));
}

std::u16string Descriptions(const ToolsMenu& menu) {
  std::u16string out;
  for (int i = 0; i < menu.GetCount(); ++i) {
    std::u16string d;
    menu.GetAt(i)->GetDescription(d);
    out += (i ? u"," : u"") + d;
  }
  return out;
}

TEST(ToolItemTest, ANewToolIsUntitledAndOnlyOneMeansPrompt) {
  ToolItem tool;
  std::u16string value = u"kept";
  EXPECT_TRUE(tool.GetDescription(value));
  EXPECT_EQ(value, u"Untitled");
  value = u"kept";
  EXPECT_FALSE(tool.GetCommandLine(value));
  EXPECT_FALSE(tool.GetArguments(value));
  EXPECT_FALSE(tool.GetWorkingDir(value));
  EXPECT_EQ(value, u"kept");
  EXPECT_FALSE(tool.GetPromptForArgs());
  tool.SetPromptForArgs(true);
  EXPECT_TRUE(tool.GetPromptForArgs());
  tool.SetPromptForArgs(false);
  EXPECT_EQ(*tool.GetProperties().Find(ToolItem::kPromptForArgs), u"0");
  // Values another program may have written: only "1" asks.
  const std::string zero = Hex("ff fe ff 01 30 00");
  const std::size_t at = kOneTool.find(zero);
  ASSERT_NE(at, std::string::npos);
  const std::pair<const char*, bool> cases[] = {{"ff fe ff 01 31 00", true},  {"ff fe ff 03 79 00 65 00 73 00", false},
                                                {"ff fe ff 02 30 00 31 00", false}, {"ff fe ff 02 20 00 31 00", false},
                                                {"ff fe ff 00", false}};
  for (const auto& [value, prompts] : cases) {
    std::string bytes = kOneTool;
    bytes.replace(at, zero.size(), Hex(value));
    std::unique_ptr<ToolsMenu> read = Loaded(bytes);
    ASSERT_EQ(read->GetCount(), 1) << value;
    EXPECT_EQ(read->GetAt(0)->GetPromptForArgs(), prompts) << value;
  }
}

TEST(ToolsMenuTest, OrderOperationsKeepTheEndsAndRefuseStrangers) {
  ToolsMenu menu;
  ToolItem* a = NewTool(u"a");
  ToolItem* b = NewTool(u"b");
  ToolItem* c = NewTool(u"c");
  menu.AddTool(a);
  menu.AddTool(b);
  menu.AddTool(c);
  EXPECT_EQ(menu.GetCount(), 3);
  EXPECT_EQ(menu.GetAt(3), nullptr);
  EXPECT_EQ(menu.GetAt(-1), nullptr);
  EXPECT_TRUE(menu.MoveUp(a));  // first stays first
  EXPECT_EQ(Descriptions(menu), u"a,b,c");
  EXPECT_TRUE(menu.MoveDown(c));  // last stays last
  EXPECT_EQ(Descriptions(menu), u"a,b,c");
  EXPECT_TRUE(menu.MoveUp(c));
  EXPECT_EQ(Descriptions(menu), u"a,c,b");
  EXPECT_TRUE(menu.MoveDown(a));
  EXPECT_EQ(Descriptions(menu), u"c,a,b");
  ToolItem stranger;
  EXPECT_FALSE(menu.MoveUp(&stranger));
  EXPECT_FALSE(menu.MoveDown(&stranger));
  EXPECT_FALSE(menu.RemoveTool(&stranger));
  EXPECT_TRUE(menu.RemoveTool(a));
  EXPECT_EQ(Descriptions(menu), u"c,b");
  menu.RemoveAll();
  EXPECT_EQ(menu.GetCount(), 0);
  EXPECT_EQ(menu.GetAt(0), nullptr);
}

TEST(ToolsFileTest, TheFileIsExactToTheByteBothWays) {
  ToolsMenu menu;
  EXPECT_EQ(Stored(menu), kNoTools);
  EXPECT_EQ(kNoTools.size(), 31u);

  ToolItem* tool = NewTool(u"X");
  tool->SetCommandLine(u"x.exe");
  tool->SetPromptForArgs(false);
  tool->SetArguments(u"$FilePath");
  tool->SetWorkingDir(u"");
  menu.AddTool(tool);
  EXPECT_EQ(Stored(menu), kOneTool);
  EXPECT_EQ(kOneTool.size(), 227u);

  std::unique_ptr<ToolsMenu> read = Loaded(kOneTool);
  ASSERT_EQ(read->GetCount(), 1);
  std::u16string value;
  EXPECT_TRUE(read->GetAt(0)->GetArguments(value));
  EXPECT_EQ(value, u"$FilePath");
  EXPECT_TRUE(read->GetAt(0)->GetWorkingDir(value));
  EXPECT_EQ(value, u"");
  EXPECT_EQ(Stored(*read), kOneTool);
  EXPECT_EQ(Loaded(kNoTools)->GetCount(), 0);
  EXPECT_EQ(Stored(*Loaded(kNoTools)), kNoTools);
}

TEST(ToolsFileTest, LaterToolsRefersToTheToolClassByItsNumber) {
  ToolsMenu menu;
  menu.AddTool(NewTool(u"one"));
  menu.AddTool(NewTool(u"two"));
  menu.AddTool(NewTool(u"three"));
  const std::string bytes = Stored(menu);
  const std::string header = Hex("ff ff 01 00 08 00 54 6f 6f 6c 49 74 65 6d");
  EXPECT_EQ(bytes.find(header), bytes.rfind(header));  // the class is named once
  std::size_t refs = 0;
  for (std::size_t at = bytes.find("\x05\x80"); at != std::string::npos; at = bytes.find("\x05\x80", at + 1)) ++refs;
  EXPECT_EQ(refs, 2u);
  EXPECT_EQ(Descriptions(*Loaded(bytes)), u"one,two,three");
}

TEST(ToolsFileTest, ADamagedFileGivesAnEmptyListAtEveryCut) {
  ToolsMenu menu;
  menu.AddTool(NewTool(u"one"));
  menu.AddTool(NewTool(u"two"));
  const std::string whole = Stored(menu);
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    std::unique_ptr<ToolsMenu> read = Loaded(whole.substr(0, cut));
    EXPECT_EQ(read->GetCount(), 0) << "cut at " << cut;
  }
  // The wrong schema, and a class the program does not know.
  std::string bytes = kOneTool;
  bytes[2] = 2;
  EXPECT_EQ(Loaded(bytes)->GetCount(), 0);
  bytes = kOneTool;
  bytes[0x25] = 'X';
  EXPECT_EQ(Loaded(bytes)->GetCount(), 0);
}

TEST(ToolsFileTest, AListHoldingAnythingButToolsIsDamaged) {
  // A project's file entry, or nothing, where a tool belongs: the menu and the runner
  // would take it for a tool.
  const std::string menuHeader = kNoTools.substr(0, 15);
  CObList2 withEntry;
  withEntry.AddTail(NewTool(u"tool"));
  withEntry.AddTail(new CProjectItem());
  CMemFile entryFile;
  ASSERT_TRUE(WriteArchiveObject(entryFile, withEntry));
  EXPECT_EQ(Loaded(menuHeader + entryFile.Bytes())->GetCount(), 0);
  CObList2 withNull;
  withNull.AddTail(NewTool(u"tool"));
  withNull.AddTail(nullptr);
  CMemFile nullFile;
  ASSERT_TRUE(WriteArchiveObject(nullFile, withNull));
  EXPECT_EQ(Loaded(menuHeader + nullFile.Bytes())->GetCount(), 0);
  // The same list with tools only is read, so the damage above is the element's.
  CObList2 toolsOnly;
  toolsOnly.AddTail(NewTool(u"tool"));
  CMemFile toolsFile;
  ASSERT_TRUE(WriteArchiveObject(toolsFile, toolsOnly));
  EXPECT_EQ(Loaded(menuHeader + toolsFile.Bytes())->GetCount(), 1);
}

class ToolsFileOnDeviceTest : public ::testing::Test {
 protected:
  TempDevice device;
};

TEST_F(ToolsFileOnDeviceTest, MissingOrUnreadableFilesGiveAnEmptyListNeverNull) {
  std::unique_ptr<ToolsMenu> missing(LoadToolsMenu(u"\\Tovin.menu"));
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->GetCount(), 0);
  TempDevice::WriteHostFile(device.RootHost() + "/Tovin.menu", kOneTool);
  plat::fs::SetFaultHook([](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    return op == plat::fs::FsOp::Read ? plat::ERROR_READ_FAULT : 0;
  });
  std::unique_ptr<ToolsMenu> unreadable(LoadToolsMenu(u"\\Tovin.menu"));
  plat::fs::SetFaultHook(nullptr);
  ASSERT_NE(unreadable, nullptr);
  EXPECT_EQ(unreadable->GetCount(), 0);
  std::unique_ptr<ToolsMenu> read(LoadToolsMenu(u"\\Tovin.menu"));
  EXPECT_EQ(read->GetCount(), 1);
}

TEST_F(ToolsFileOnDeviceTest, ASaveThatFailsLeavesTheOldToolsWhole) {
  ToolsMenu menu;
  menu.AddTool(NewTool(u"X"));
  ASSERT_TRUE(SaveToolsMenu(menu, u"\\Tovin.menu"));
  const std::string before = TempDevice::ReadHostFile(device.RootHost() + "/Tovin.menu");
  menu.AddTool(NewTool(u"Y"));
  for (plat::fs::FsOp failing : {plat::fs::FsOp::Write, plat::fs::FsOp::Sync, plat::fs::FsOp::Replace}) {
    plat::fs::SetFaultHook([failing](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
      return op == failing ? plat::ERROR_DISK_FULL : 0;
    });
    EXPECT_FALSE(SaveToolsMenu(menu, u"\\Tovin.menu"));
    plat::fs::SetFaultHook(nullptr);
    EXPECT_EQ(TempDevice::ReadHostFile(device.RootHost() + "/Tovin.menu"), before);
    EXPECT_EQ(TempDevice::ListHost(device.RootHost()), "Tovin.menu");
  }
  EXPECT_EQ(menu.GetCount(), 2);  // the list in memory stays as edited
}

}  // namespace
