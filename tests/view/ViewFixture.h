// A text view on a headless screen, attached to a buffer, for tests that act as the user.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "buffer/TextBuffer.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/gfx/Dpi.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "view/CrystalTextView.h"

// A view whose parser marks each line's cookie as line + 1, counting the calls.
class TestView : public CCrystalTextView {
 public:
  ParseCookie ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount) override {
    ++parses;
    if (runs && colourDigits) {
      const char16_t* t = GetLineText(line);
      for (int i = 0; i < GetLineLength(line); ++i)
        if (t[i] >= u'0' && t[i] <= u'9' && (runCount == 0 || runs[runCount - 1].colorIndex != ColorIndex::Number))
          runs[runCount++] = {i, ColorIndex::Number};
        else if (!(t[i] >= u'0' && t[i] <= u'9') && runCount > 0 && runs[runCount - 1].colorIndex == ColorIndex::Number)
          runs[runCount++] = {i, ColorIndex::NormalText};
    }
    if (hashesToggle) {  // each '#' flips the state, as an opened or closed comment does
      const char16_t* t = GetLineText(line);
      for (int i = 0; i < GetLineLength(line); ++i)
        if (t[i] == u'#') cookie ^= 1;
      return cookie;
    }
    return cookieOfLine ? static_cast<ParseCookie>(line + 1) : cookie;
  }
  using CCrystalTextView::GetMarginIcon;
  int parses = 0;
  bool cookieOfLine = true;
  bool colourDigits = false;
  bool hashesToggle = false;
  int CookiesKnown() const { return cookiesValid; }
};

// The frame that holds the view: a top-level window over the work area.
class TestFrame : public CWnd {};

template <class View>
class ViewHarness : public ::testing::Test {
 protected:
  void SetUp() override {
    UseAppResources();
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    auto& wm = CWindowManager::Get();
    frame = std::make_unique<TestFrame>();
    ASSERT_TRUE(frame->Create(nullptr, wm.GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
    view = std::make_unique<View>();
    ASSERT_TRUE(view->CreateView(frame.get(), frame->GetClientRect()));
    LOGFONT lf = MakeLogFont(u"Courier New", PointsToLogFontHeight(8));
    view->SetFont(lf);
    buffer.InitNew(0);
    view->AttachToBuffer(&buffer);
    view->SetFocus();
    Flush();
  }
  void TearDown() override {
    view.reset();
    frame.reset();
    screen.reset();
  }

  // Replaces the text; lines separated by "\n" in the argument.
  void SetText(const std::string& utf8) {
    buffer.InitNew(0);
    std::u16string t = plat::Widen(utf8);
    for (auto& c : t)
      if (c == u'\n') c = u'\r';
    int l, c;
    if (!t.empty()) buffer.InsertText(nullptr, 0, 0, t, l, c);
    view->AttachToBuffer(&buffer);
    Flush();
  }
  // Lines "line 0" .. "line n-1".
  void SetLines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? "\n" : "") + std::string("line ") + std::to_string(i);
    SetText(s);
  }
  void Flush() { CWindowManager::Get().ProcessPending(); }
  void Key(UINT vk, unsigned mods = 0) { screen->Key(vk, mods); }
  void Command(UINT id) { view->SendMessage(WM_COMMAND, id, 0); }
  // Screen pixel of a client point of the view.
  CPoint OnScreen(CPoint client) const {
    view->ClientToScreen(client);
    return client;
  }
  // Screen point in the middle of the cell of (char, line), as the view shows it now.
  CPoint CellCentre(int ch, int line) const {
    const CPoint p = view->TextPosToPoint(CPoint(ch, line));
    return OnScreen(CPoint(p.x + view->GetCharWidth() / 4, p.y + view->GetLineHeight() / 2));
  }
  CPoint MarginPoint(int line) const {
    const CPoint p = view->TextPosToPoint(CPoint(0, line));
    return OnScreen(CPoint(5, p.y + view->GetLineHeight() / 2));
  }
  std::string Line(int i) {
    return plat::Narrow(std::u16string(buffer.GetLineChars(i), static_cast<std::size_t>(buffer.GetLineLength(i))));
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<TestFrame> frame;
  std::unique_ptr<View> view;
  CCrystalTextBuffer buffer;
};

using ViewTest = ViewHarness<TestView>;
