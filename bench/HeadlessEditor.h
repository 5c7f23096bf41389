// A C-coloured editing view on a headless screen over a text buffer, driven as the user drives it.
#pragma once
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "buffer/TextBuffer.h"
#include "edit/CrystalEditView.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/gfx/Dpi.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "syntax/SyntaxLanguage.h"

namespace bench {

// The editing view as the program shows a C file: every line coloured by the C parser, the
// way the executable's own view does it.
class CCEditView : public CCrystalEditView {
 public:
  ParseCookie ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount) override {
    auto* text = const_cast<char16_t*>(GetLineText(line));
    return ColorizeLineForLanguage(cookie, text, GetLineLength(line), runs, runCount);
  }
  void ParseLineStates(ParseCookie cookie, int first, int n, ParseCookie* out) override {
    ParseLineStatesBy(ColorizeLinesForLanguage, cookie, first, n, out);
  }
  // For checks: how far the parse cookies are known.
  int CookiesKnown() const { return cookiesValid; }
};

// The top-level window over the work area that holds the view.
class CBenchFrame : public CWnd {};

// Screen, frame, view and buffer, made in the order the window manager needs and torn down
// in the reverse order. The screen is 480x640 unless told otherwise, the font the program's.
class CHeadlessEditor {
 public:
  explicit CHeadlessEditor(int width = 480, int height = 640) {
    UseAppResources();
    SetSyntaxLanguage(LanguageC);
    screen = std::make_unique<CHeadlessScreen>(width, height);
    InstallMessageBoxUi();
    auto& wm = CWindowManager::Get();
    frame = std::make_unique<CBenchFrame>();
    ok = frame->Create(nullptr, wm.GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin");
    view = std::make_unique<CCEditView>();
    ok = ok && view->CreateView(frame.get(), frame->GetClientRect());
    if (!ok) return;
    view->SetFont(MakeLogFont(u"Courier New", PointsToLogFontHeight(8)));
    buffer.InitNew(0);
    view->AttachToBuffer(&buffer);
    view->SetFocus();
    Flush();
  }
  ~CHeadlessEditor() {
    screen->SetModalHook(nullptr);
    view.reset();
    frame.reset();
    screen.reset();
  }
  CHeadlessEditor(const CHeadlessEditor&) = delete;
  CHeadlessEditor& operator=(const CHeadlessEditor&) = delete;

  bool IsReady() const { return ok; }

  // Loads a file into the buffer; the view starts over at the top, as after opening it.
  bool Load(const std::u16string& device) {
    const bool loaded = buffer.LoadFromFile(device);
    view->AttachToBuffer(&buffer);
    view->SetFocus();
    Flush();
    return loaded;
  }

  // Paints what is pending and composes the screen.
  void Flush() { CWindowManager::Get().ProcessPending(); }
  // A key with modifiers (CHeadlessScreen::Ctrl...), then everything it caused is painted.
  void Key(UINT vk, unsigned modifiers = 0) { screen->Key(vk, modifiers); }
  // Characters as the host's text input gives them, then painted.
  void Type(std::u16string_view text) { screen->Type(text); }

  // Answers each modal window: message boxes with OK (their text kept in messages), dialogs
  // through onDialog.
  void Answer(std::function<void(CDialog&)> onDialog) {
    screen->SetModalHook([this, onDialog](CWnd* w) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
        messages.push_back(box->Text());
        box->Press(IDOK);
      } else if (auto* dlg = dynamic_cast<CDialog*>(w)) {
        onDialog(*dlg);
      }
    });
  }

  // Puts the caret at pos with the line shown in the middle of the screen, where an edit
  // repaints as many rows below it as it typically does.
  void PlaceCaretMidScreen(CPoint pos) {
    const int half = view->GetScreenLines() / 2;
    const int below = std::min(pos.y + half, buffer.GetLineCount() - 1);
    view->HighlightText(CPoint(0, below), 0);
    view->HighlightText(pos, 0);
    Flush();
  }

  // Puts the caret at pos with the line on the last whole row of the screen: an edit there
  // has no rows below it to repaint.
  void PlaceCaretOnLastRow(CPoint pos) {
    view->HighlightText(CPoint(0, std::max(0, pos.y - 2 * view->GetScreenLines())), 0);
    view->HighlightText(pos, 0);
    Flush();
  }

  CHeadlessScreen& Screen() { return *screen; }
  CCEditView& View() { return *view; }
  CCrystalTextBuffer& Buffer() { return buffer; }
  std::vector<std::u16string> messages;

 private:
  bool ok = false;
  CCrystalTextBuffer buffer;  // outlives the view, which detaches from it when destroyed
  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CBenchFrame> frame;
  std::unique_ptr<CCEditView> view;
};

using Clock = std::chrono::steady_clock;
inline double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

}  // namespace bench
