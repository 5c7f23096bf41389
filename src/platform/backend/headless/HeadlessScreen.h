// The handheld screen in memory, with a virtual clock: the backend of tests and of
// screenshots, and the driver a test uses to act as the user.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Backend.h"

class CBitmap;
class CWnd;

class CHeadlessBackend : public IBackend {
 public:
  void Present(const CBitmap& screen, const CRect& dirty) override;
  bool WaitEvent(UiEvent& event, int timeoutMs) override;
  std::uint64_t NowMs() override { return now; }
  bool IsKeyDown(UINT vk) override;
  void SetClipboardText(const std::u16string& text) override { clipboard = text; }
  std::optional<std::u16string> GetClipboardText() override {
    if (clipboard.empty()) return std::nullopt;
    return clipboard;
  }
  void SetTextInput(bool on) override { textInput = on; }
  void SetWaitCursor(bool on) override { waitCursor = on; }
  void OnModalLoop(CWnd* window) override;
  bool CanWait() const override { return false; }

  std::uint64_t now = 0;
  bool shift = false, ctrl = false, alt = false;
  std::u16string clipboard;
  bool textInput = false;
  bool waitCursor = false;
  int presents = 0;
  CRect presented;  // the bounds of every area put on the screen since a test cleared it
  std::function<void(CWnd*)> modalHook;
};

// Starts the window manager on a headless screen for as long as it lives.
class CHeadlessScreen {
 public:
  enum : unsigned { Shift = 1, Ctrl = 2, Alt = 4 };

  explicit CHeadlessScreen(int width = 480, int height = 640);
  ~CHeadlessScreen();
  CHeadlessScreen(const CHeadlessScreen&) = delete;
  CHeadlessScreen& operator=(const CHeadlessScreen&) = delete;

  CHeadlessBackend& Backend() { return *backend; }
  // Keys: a key press with modifiers held (key down, the character it types, key up).
  void Key(UINT vk, unsigned modifiers = 0);
  // Characters typed, as the host's text input gives them.
  void Type(std::u16string_view text);
  // The pen, in screen pixels.
  void PenDown(int x, int y, unsigned modifiers = 0);
  void PenMove(int x, int y, unsigned modifiers = 0);
  void PenUp(int x, int y, unsigned modifiers = 0);
  void Tap(int x, int y, unsigned modifiers = 0);
  void DoubleTap(int x, int y);
  // The pen held still on one point (the context gesture), then lifted.
  void Hold(int x, int y);
  // The right mouse button: the context gesture at once.
  void RightClick(int x, int y);
  // Moves the virtual clock forward, firing timers as they fall due.
  void Advance(int ms);
  void Resize(int width, int height);
  // Answers each modal window (dialogs, message boxes, menus) when its loop starts; without
  // a hook a modal window ends as cancelled.
  void SetModalHook(std::function<void(CWnd*)> hook) { backend->modalHook = std::move(hook); }

  // Everything drawn so far, composed as the user would see it.
  const CBitmap& Screen();
  COLORREF Pixel(int x, int y);
  bool SavePng(const std::string& hostPath);

 private:
  void Send(const UiEvent& e);
  void Pen(UiEvent::Kind kind, int x, int y, unsigned modifiers);
  void SetModifiers(unsigned m);
  CHeadlessBackend* backend;
};
