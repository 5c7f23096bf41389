// The window classes by name: registering, replacing and removing a class, names that
// ignore case, and creating windows through it with what the caller asked for.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

class CTagged : public CWnd {
 public:
  explicit CTagged(int tag) : tag(tag) {}
  int tag;
};

WindowClassFactory Tagged(int tag) {
  return [tag](const CREATESTRUCT& cs) -> std::unique_ptr<CWnd> {
    auto w = std::make_unique<CTagged>(tag);
    if (!w->Create(cs.parent, cs.rect, cs.style, cs.id, cs.text)) return nullptr;
    return w;
  };
}

class WindowClassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    parent = std::make_unique<CWnd>();
    ASSERT_TRUE(parent->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Parent"));
    cs.parent = parent.get();
    cs.rect = CRect(5, 6, 105, 36);
    cs.style = WS_CHILD | WS_VISIBLE;
    cs.id = 1234;
    cs.text = u"Hello";
  }
  void TearDown() override {
    UnregisterClass(u"TestClass");
    parent.reset();
    screen.reset();
  }
  int TagOf(const std::unique_ptr<CWnd>& w) {
    auto* t = dynamic_cast<CTagged*>(w.get());
    return t ? t->tag : -1;
  }
  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CWnd> parent;
  CREATESTRUCT cs;
};

TEST_F(WindowClassTest, AClassMakesWindowsUnderAnySpellingOfItsName) {
  EXPECT_FALSE(IsClassRegistered(u"TestClass"));
  EXPECT_EQ(CreateWindowOfClass(u"TestClass", cs), nullptr);
  ASSERT_TRUE(RegisterClass(u"TestClass", Tagged(1)));
  EXPECT_TRUE(IsClassRegistered(u"testclass"));
  auto w = CreateWindowOfClass(u"TESTCLASS", cs);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(TagOf(w), 1);
  EXPECT_EQ(w->GetParent(), parent.get());
  EXPECT_EQ(w->GetDlgCtrlID(), 1234u);
  EXPECT_EQ(w->GetWindowText(), u"Hello");
  CRect r = w->GetWindowRect();
  parent->ScreenToClient(r);
  EXPECT_EQ(r, CRect(5, 6, 105, 36));
}

TEST_F(WindowClassTest, RegisteringAgainReplacesAndUnregisteringRemoves) {
  ASSERT_TRUE(RegisterClass(u"TestClass", Tagged(1)));
  ASSERT_TRUE(RegisterClass(u"testCLASS", Tagged(2)));
  EXPECT_EQ(TagOf(CreateWindowOfClass(u"TestClass", cs)), 2);
  EXPECT_TRUE(UnregisterClass(u"TESTclass"));
  EXPECT_FALSE(UnregisterClass(u"TestClass"));
  EXPECT_EQ(CreateWindowOfClass(u"TestClass", cs), nullptr);
}

TEST_F(WindowClassTest, AnEmptyNameOrFactoryIsRefusedAndAFailingFactoryGivesNothing) {
  EXPECT_FALSE(RegisterClass(u"", Tagged(1)));
  EXPECT_FALSE(RegisterClass(u"TestClass", nullptr));
  EXPECT_FALSE(IsClassRegistered(u"TestClass"));
  ASSERT_TRUE(RegisterClass(u"TestClass", [](const CREATESTRUCT&) { return std::unique_ptr<CWnd>(); }));
  EXPECT_EQ(CreateWindowOfClass(u"TestClass", cs), nullptr);
}

}  // namespace
