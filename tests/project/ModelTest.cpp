// The project model: the list of files and the project's own operations.
#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

std::string Names(const CObList2& list) {
  std::string out;
  for (CObject* element : list) {
    std::u16string path;
    static_cast<CProjectItem*>(element)->GetPathname(path);
    out += plat::Narrow(path);
  }
  return out;
}

std::unique_ptr<CProjectItem> Item(const char16_t* path) {
  auto item = std::make_unique<CProjectItem>();
  item->SetPathname(path);
  return item;
}

TEST(ObList2, InsertsRemovesAndFindsWithoutDeletingWhatIsTakenOut) {
  CObList2 list;
  auto b = Item(u"b"), d = Item(u"d");
  const POSITION pb = list.AddTail(b.get());
  list.AddHead(Item(u"a").release());
  const POSITION pd = list.InsertAfter(pb, d.get());
  list.InsertBefore(pd, Item(u"c").release());
  list.AddTail(Item(u"e").release());
  EXPECT_EQ(Names(list), "abcde");
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.Find(d.get()), pd);
  EXPECT_EQ(list.Find(d.get(), pd), nullptr);  // searching after it
  EXPECT_EQ(list.FindIndex(3), pd);
  EXPECT_EQ(list.FindIndex(5), nullptr);
  EXPECT_EQ(list.FindIndex(-1), nullptr);
  // Taking nodes out leaves their elements alive (b and d are still owned here).
  list.RemoveAt(pb);
  list.RemoveAt(pd);
  EXPECT_EQ(Names(list), "ace");
  delete list.RemoveHead();
  EXPECT_EQ(Names(list), "ce");
  POSITION at = list.GetHeadPosition();
  EXPECT_EQ(list.GetNext(at), list.GetHead());
  EXPECT_EQ(list.GetAt(at), list.GetAt(list.GetTailPosition()));
  list.GetNext(at);
  EXPECT_EQ(at, nullptr);
  EXPECT_EQ(b->Find(u"Pathname")->size(), 1u);
}

TEST(ObList2, NodesAreReusedAcrossManyChanges) {
  CObList2 list;
  std::vector<std::unique_ptr<CProjectItem>> items;
  for (int i = 0; i < 25; ++i) items.push_back(Item(u"x"));
  for (int round = 0; round < 100; ++round) {
    for (auto& item : items) list.AddTail(item.get());
    while (list.GetCount() > 3) list.RemoveAt(list.FindIndex(list.GetCount() / 2));
    EXPECT_EQ(list.GetHead(), items[0].get());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
  }
}

TEST(ProjectManager, SetPathTakesTheFolderWithoutDotSequences) {
  ProjectManager project;
  project.SetPath(u"\\Projects\\..\\src\\.\\main.csp");
  EXPECT_EQ(project.GetPath(), u"\\Projects\\..\\src\\.\\main.csp");
  EXPECT_EQ(project.GetDirectory(), u"\\Projects\\src\\");
  project.SetPath(u"\\" + std::u16string(300, u'd') + u"\\p.csp");
  EXPECT_EQ(project.GetDirectory().size(), ProjectManager::kMaxDirectory);
  project.SetPath(u"");
  EXPECT_EQ(project.GetDirectory(), u"");
}

TEST(ProjectManager, AddRemoveAndClear) {
  ProjectManager project;
  project.SetType(u"CSP");
  project.SetPath(u"\\p.csp");
  project.AddFile(u"\\src\\Main.cpp");
  project.AddFile(u"\\src\\README");
  project.AddFile(u"\\src\\Main.cpp");
  EXPECT_EQ(ItemLines(project), (std::vector<std::string>{"\\src\\Main.cpp | Main.cpp | ", "\\src\\README | README. | ",
                                                          "\\src\\Main.cpp | Main.cpp | "}));
  // Exactly the path, letter case included, and only the first.
  project.RemoveFile(u"\\src\\main.cpp");
  EXPECT_EQ(project.GetItems()->GetCount(), 3);
  project.RemoveFile(u"\\src\\Main.cpp");
  EXPECT_EQ(ItemLines(project), (std::vector<std::string>{"\\src\\README | README. | ", "\\src\\Main.cpp | Main.cpp | "}));
  project.GetGroupNodes()[u"G"] = TreeNodeHandle{7};
  project.GetGroupStates().SetAt(u"G", u"1");
  project.Clear();
  EXPECT_EQ(project.GetItems()->GetCount(), 0);
  EXPECT_TRUE(project.GetGroupNodes().IsEmpty());
  EXPECT_TRUE(project.GetGroupStates().IsEmpty());
  EXPECT_EQ(project.GetType(), u"CSP");
  EXPECT_EQ(project.GetPath(), u"\\p.csp");
  EXPECT_EQ(project.GetDirectory(), u"\\");
}

}  // namespace
