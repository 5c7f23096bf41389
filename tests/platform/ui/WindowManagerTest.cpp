// The window manager as controls and dialogs rely on it: focus moving with its two
// notifications, the pen captured and released, modal loops nested and ended, timers, and
// what a destroyed window leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/MessageBox.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

// A window that writes down what reaches it.
class CLogWnd : public CWnd {
 public:
  explicit CLogWnd(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
  void OnSetFocus(CWnd* old) override { log.push_back(name + " gets focus from " + NameOf(old)); }
  void OnKillFocus(CWnd* next) override { log.push_back(name + " loses focus to " + NameOf(next)); }
  void OnLButtonDown(UINT, CPoint p) override { log.push_back(name + " down " + Point(p)); }
  void OnLButtonUp(UINT, CPoint p) override { log.push_back(name + " up " + Point(p)); }
  void OnKeyDown(UINT vk, UINT, UINT) override { log.push_back(name + " key " + std::to_string(vk)); }
  void OnTimer(UINT_PTR id) override { log.push_back(name + " timer " + std::to_string(id)); }
  void OnCaptureChanged(CWnd* next) override { log.push_back(name + " loses capture to " + NameOf(next)); }

  static std::string NameOf(CWnd* w) {
    auto* l = dynamic_cast<CLogWnd*>(w);
    return l ? l->name : "none";
  }

 private:
  static std::string Point(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
  std::vector<std::string>& log;
  std::string name;
};

class WindowManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    frame = std::make_unique<CLogWnd>(log, "frame");
    ASSERT_TRUE(frame->Create(nullptr, wm().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Frame"));
    a = Child("a", CRect(10, 10, 110, 60));
    b = Child("b", CRect(10, 100, 110, 150));
    log.clear();
  }
  void TearDown() override {
    a.reset();
    b.reset();
    frame.reset();
    screen.reset();
  }
  static CWindowManager& wm() { return CWindowManager::Get(); }
  std::unique_ptr<CLogWnd> Child(const std::string& name, const CRect& r) {
    auto w = std::make_unique<CLogWnd>(log, name);
    EXPECT_TRUE(w->Create(frame.get(), r, WS_CHILD | WS_VISIBLE, 0));
    return w;
  }
  // A point of a child window in screen coordinates.
  CPoint On(CWnd& w, int x, int y) {
    CPoint p(x, y);
    w.ClientToScreen(p);
    return p;
  }

  std::vector<std::string> log;
  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CLogWnd> frame, a, b;
};

TEST_F(WindowManagerTest, FocusMovesWithOneNotificationToEachSideAndKeysFollowIt) {
  a->SetFocus();
  log.clear();
  EXPECT_EQ(wm().SetFocus(b.get()), a.get());
  EXPECT_EQ(log, (std::vector<std::string>{"a loses focus to b", "b gets focus from a"}));
  EXPECT_EQ(CWnd::GetFocus(), b.get());

  log.clear();
  wm().SetFocus(b.get());  // focusing the focused window says nothing
  EXPECT_TRUE(log.empty());

  screen->Key(VK_DOWN);
  EXPECT_EQ(log, (std::vector<std::string>{"b key " + std::to_string(VK_DOWN)}));
}

TEST_F(WindowManagerTest, ADestroyedFocusedWindowHandsTheFocusToTheTopLevelWindowAndDropsItsTimers) {
  b->SetFocus();
  wm().SetTimer(b.get(), 7, 100);
  wm().SetTimer(a.get(), 8, 100);
  log.clear();
  b.reset();
  EXPECT_EQ(CWnd::GetFocus(), frame.get());
  screen->Advance(150);
  EXPECT_EQ(log, (std::vector<std::string>{"frame gets focus from none", "a timer 8"}));
}

TEST_F(WindowManagerTest, TheCapturedWindowGetsThePenEvenOutsideItUntilReleased) {
  const CPoint inB = On(*b, 5, 5);
  a->SetCapture();
  screen->PenDown(inB.x, inB.y);
  screen->PenUp(inB.x, inB.y);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("a down ", 0), 0u) << log[0];
  // The point is in the captured window's own coordinates: below its bottom.
  const CPoint local = [&] {
    CPoint p = inB;
    a->ScreenToClient(p);
    return p;
  }();
  EXPECT_EQ(log[0], "a down " + std::to_string(local.x) + "," + std::to_string(local.y));

  log.clear();
  EXPECT_TRUE(CWnd::ReleaseCapture());
  EXPECT_EQ(log, (std::vector<std::string>{"a loses capture to none"}));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  log.clear();
  screen->Tap(inB.x, inB.y);
  EXPECT_EQ(log, (std::vector<std::string>{"b down 5,5", "b up 5,5"}));
}

TEST_F(WindowManagerTest, TakingTheCaptureTellsTheWindowThatHadIt) {
  a->SetCapture();
  log.clear();
  b->SetCapture();
  EXPECT_EQ(log, (std::vector<std::string>{"a loses capture to b"}));
  EXPECT_EQ(CWnd::GetCapture(), b.get());
}

TEST_F(WindowManagerTest, NestedModalLoopsEndInnermostFirstWithTheirOwnResults) {
  std::vector<std::string> order;
  int innerResult = -1;
  screen->SetModalHook([&](CWnd* w) {
    if (w == a.get()) {
      order.push_back("outer starts");
      EXPECT_TRUE(wm().IsInModalLoop(a.get()));
      innerResult = wm().RunModalLoop(b.get());
      order.push_back("inner ended");
      EXPECT_EQ(wm().GetModalWindow(), a.get());
      wm().EndModalLoop(a.get(), 11);
    } else if (w == b.get()) {
      order.push_back("inner starts");
      wm().EndModalLoop(a.get(), 99);  // not the innermost: it waits for the inner loop
      wm().EndModalLoop(b.get(), 22);
    }
  });
  const int outer = wm().RunModalLoop(a.get());
  EXPECT_EQ(order, (std::vector<std::string>{"outer starts", "inner starts", "inner ended"}));
  EXPECT_EQ(innerResult, 22);
  EXPECT_EQ(outer, 99);  // ended while the inner loop ran; the later end is ignored
  EXPECT_FALSE(wm().IsInModalLoop(a.get()));
  EXPECT_EQ(wm().GetModalWindow(), nullptr);
}

TEST_F(WindowManagerTest, AModalLoopNobodyAnswersEndsAsCancelledAndOneWhoseWindowGoesEndsToo) {
  EXPECT_EQ(wm().RunModalLoop(a.get()), plat::IDCANCEL);
  screen->SetModalHook([&](CWnd* w) {
    if (w == b.get()) b.reset();
  });
  wm().RunModalLoop(b.get());
  EXPECT_EQ(wm().GetModalWindow(), nullptr);
}

TEST_F(WindowManagerTest, TimersRepeatAtTheirPeriodUntilKilled) {
  wm().SetTimer(a.get(), 1, 100);
  screen->Advance(350);
  EXPECT_EQ(log, (std::vector<std::string>(3, "a timer 1")));
  log.clear();
  wm().SetTimer(a.get(), 1, 1000);  // setting it again restarts it with the new period
  screen->Advance(500);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(wm().KillTimer(a.get(), 1));
  EXPECT_FALSE(wm().KillTimer(a.get(), 1));
  screen->Advance(2000);
  EXPECT_TRUE(log.empty());
}

TEST_F(WindowManagerTest, PostedMessagesArriveInOrderAndNotAfterTheirWindowIsGone) {
  a->PostMessage(WM_KEYDOWN, 'X');
  b->PostMessage(WM_KEYDOWN, 'Y');
  a->PostMessage(WM_KEYDOWN, 'Z');
  b.reset();
  EXPECT_TRUE(log.empty());
  wm().ProcessPending();
  EXPECT_EQ(log, (std::vector<std::string>{"a key 88", "a key 90"}));
}

TEST_F(WindowManagerTest, ThePointFindsTheTopmostVisibleWindow) {
  auto over = Child("over", CRect(50, 20, 150, 130));  // covers parts of a and b
  EXPECT_EQ(wm().WindowFromPoint(On(*a, 5, 5)), a.get());
  EXPECT_EQ(wm().WindowFromPoint(On(*a, 60, 20)), over.get());
  over->ShowWindow(SW_HIDE);
  EXPECT_EQ(wm().WindowFromPoint(On(*a, 60, 20)), a.get());
  CPoint bare(300, 300);
  frame->ClientToScreen(bare);
  EXPECT_EQ(wm().WindowFromPoint(bare), frame.get());
}

}  // namespace

// Only what changed reaches the screen: a scroll bar set to a state it already shows (or one
// that moves its thumb by less than a pixel) is not drawn again; one whose thumb moves is.
TEST_F(WindowManagerTest, AScrollBarIsRedrawnOnlyWhenItsPictureChanges) {
  CLogWnd w(log, "bars");
  ASSERT_TRUE(w.Create(frame.get(), CRect(0, 0, 200, 300), WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0));
  SCROLLINFO si{};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 1000000;
  si.nPage = 20;
  si.nPos = 0;
  w.SetScrollInfo(SB_VERT, si, true);
  wm().ProcessPending();
  auto& presented = screen->Backend().presented;
  presented = CRect();
  w.SetScrollInfo(SB_VERT, si, true);
  si.nMax = 1000001;  // one line more in a million: the thumb stays on the same pixels
  w.SetScrollInfo(SB_VERT, si, true);
  wm().ProcessPending();
  EXPECT_TRUE(presented.IsRectEmpty());
  si.nPos = 500000;
  w.SetScrollInfo(SB_VERT, si, true);
  wm().ProcessPending();
  const CRect bars = w.GetWindowRect();
  EXPECT_FALSE(presented.IsRectEmpty());
  EXPECT_GE(presented.left, bars.left);
  EXPECT_LE(presented.bottom, bars.bottom);
  // Made unscrollable, the bar is drawn disabled.
  presented = CRect();
  si.nMax = 10;
  w.SetScrollInfo(SB_VERT, si, true);
  wm().ProcessPending();
  EXPECT_FALSE(presented.IsRectEmpty());
}
