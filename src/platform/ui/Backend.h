// What a backend gives the user interface: the screen to show, input events, the clock,
// the clipboard, text input and the cursor. SDL2 and the headless test screen implement it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/base/Types.h"

class CBitmap;

struct UiEvent {
  enum class Kind {
    None,
    KeyDown,   // key = virtual-key code; repeat set for auto-repeat
    KeyUp,
    Text,      // text = characters typed (already composed by the host)
    PenDown,   // point in screen pixels; button 0 = pen/left, 1 = right (the context gesture)
    PenMove,
    PenUp,
    Resize,    // point = new screen size
    Quit,
  };
  Kind kind = Kind::None;
  UINT key = 0;
  bool repeat = false;
  int button = 0;
  CPoint point;
  std::u16string text;
};

class IBackend {
 public:
  virtual ~IBackend() = default;
  // Shows the composed screen; dirty is the rectangle that changed.
  virtual void Present(const CBitmap& screen, const CRect& dirty) = 0;
  // Waits at most timeoutMs (-1: no limit) for an event; false when none came.
  virtual bool WaitEvent(UiEvent& event, int timeoutMs) = 0;
  // Milliseconds from an arbitrary start; the headless clock moves only when told.
  virtual std::uint64_t NowMs() = 0;
  // Modifier state as the host sees it (VK_SHIFT, VK_CONTROL, VK_MENU).
  virtual bool IsKeyDown(UINT vk) = 0;
  virtual void SetClipboardText(const std::u16string& text) = 0;
  virtual std::optional<std::u16string> GetClipboardText() = 0;
  // The on-screen keyboard / input method, wanted while a text field has the focus.
  virtual void SetTextInput(bool on) = 0;
  virtual void SetWaitCursor(bool on) = 0;
  // Brings the program's host window to the front (another copy asked for it).
  virtual void Raise() {}
  // Names the host window (the program's name); a screen without one ignores it.
  virtual void SetTitle(const std::u16string& title) { (void)title; }
  // Called when a modal loop starts, so that a test can answer the window.
  virtual void OnModalLoop(class CWnd* window) { (void)window; }
  // False where no input can arrive unless a test gives it: a modal loop with nothing to
  // do then ends as cancelled instead of waiting for ever.
  virtual bool CanWait() const { return true; }
  // The caret blinks where the host has time for it; the test screen keeps it still.
  virtual bool CaretBlinks() const { return false; }
};
