// The handheld screen and everything shared by its windows: the backend, the layers of the
// top-level windows, focus, capture, timers, the caret, the message queue and modal loops.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Messages.h"

class CWnd;

class CWindowManager {
 public:
  static CWindowManager& Get();

  // Installs the backend and the screen size; windows can be created after this.
  void Start(std::unique_ptr<IBackend> backend, int width, int height);
  // Destroys every window and drops the backend.
  void Shutdown();
  bool IsStarted() const { return backend != nullptr; }
  IBackend& Backend() { return *backend; }
  // The title of the host's window, where there is one: the program's name, which the
  // application gives; it holds for backends started later too.
  void SetTitle(std::u16string_view name);

  // Screen geometry: the caption bar at the top, the menu bar at the bottom, and the work
  // area between them where the frame and dialogs live.
  CSize GetScreenSize() const { return {screen.GetWidth(), screen.GetHeight()}; }
  int GetCaptionHeight() const;
  int GetMenuBarHeight() const;
  CRect GetWorkArea() const;
  void Resize(int width, int height);
  const CBitmap& GetScreen() const { return screen; }
  // Draws every pending paint and composes the screen now (what the user would see).
  void Flush();

  // Input as the user gives it; each call dispatches at once.
  void Dispatch(const UiEvent& event);
  // Runs the message loop until WM_QUIT; returns its exit code.
  int Run();
  // Handles everything queued, due timers and paints, without waiting.
  void ProcessPending();
  // Waits up to timeoutMs for one event (or a timer), handles it and what it queued.
  bool PumpOnce(int timeoutMs);
  // A nested loop for a modal window: returns the code given to EndModalLoop.
  int RunModalLoop(CWnd* window);
  void EndModalLoop(CWnd* window, int result);
  bool IsInModalLoop(const CWnd* window) const;
  CWnd* GetModalWindow() const { return modal.empty() ? nullptr : modal.back().window; }
  void PostQuitMessage(int code);
  void Post(const MSG& msg) { queue.push_back(msg); }

  // Focus and capture.
  CWnd* GetFocus() const { return focus; }
  CWnd* SetFocus(CWnd* wnd);
  CWnd* GetCapture() const { return capture; }
  void SetCapture(CWnd* wnd);
  bool ReleaseCapture();

  // Timers.
  void SetTimer(CWnd* wnd, UINT_PTR id, UINT periodMs);
  bool KillTimer(CWnd* wnd, UINT_PTR id);
  std::uint64_t Now() { return backend ? backend->NowMs() : 0; }

  // The caret (client coordinates of its owner).
  void CreateCaret(CWnd* owner, int width, int height);
  void DestroyCaret();
  void ShowCaret(CWnd* wnd);
  void HideCaret(CWnd* wnd);
  void SetCaretPos(CPoint p);
  CPoint GetCaretPos() const { return caretPos; }
  CWnd* GetCaretOwner() const { return caretOwner; }
  bool IsCaretVisible() const;
  CRect GetCaretRectOnScreen() const;

  // Window bookkeeping used by CWnd.
  void AddTopLevel(CWnd* wnd);
  void RemoveWindow(CWnd* wnd);
  void MarkDirty(const CRect& screenRect);
  void MarkCaptionDirty();
  void BringToTop(CWnd* wnd);
  const std::vector<CWnd*>& GetTopLevels() const { return topLevels; }
  // The deepest visible, enabled window under a screen point, honouring modal windows.
  CWnd* WindowFromPoint(CPoint screenPoint) const;
  int GetWaitCursorCount() const { return waitCount; }
  void BeginWaitCursor();
  void EndWaitCursor();
  // Watches the pen after a press: true when it stays down and within a few pixels for ms
  // milliseconds. Events seen meanwhile are handled afterwards, in order.
  bool WatchPenHold(CPoint screenPoint, int ms);
  // The test screen asks for the next press to count as held.
  void SetNextPressHeld(bool held) { nextPressHeld = held; }
  // The last pen position in screen pixels.
  CPoint GetPenPosition() const { return penPosition; }
  bool IsPenDown() const { return penDown; }
  // The button of the current (or last) press: 0 the pen or left button, 1 the right
  // button, which asks for the context menu at once.
  int GetPressButton() const { return pressButton; }

  // Hooks the shell adds: drawing the menu bar strip, and keyboard messages offered to the
  // top-level frame before dispatch (its accelerators).
  std::function<void(CBitmap& screen, const CRect& strip)> drawMenuBar;
  // The application's idle work (updating menus and buttons): Run calls it each time the
  // queue has been handled, before it waits for input.
  std::function<void()> onIdle;

 private:
  CWindowManager() = default;
  void DispatchKey(const UiEvent& e);
  void DispatchText(const UiEvent& e);
  void DispatchPen(const UiEvent& e);
  void DeliverMessage(MSG& msg);
  void FireDueTimers();
  int NextTimerDelay();
  void PaintWindows();
  void PaintTree(CWnd* wnd);
  void Compose();
  void DrawCaption(const CRect& strip);

  struct Timer {
    CWnd* wnd;
    UINT_PTR id;
    UINT period;
    std::uint64_t due;
  };
  struct Modal {
    CWnd* window;
    bool ended = false;
    int result = 0;
  };

  std::unique_ptr<IBackend> backend;
  CBitmap screen;
  CRect dirty;
  std::vector<CWnd*> topLevels;  // bottom to top
  CWnd* focus = nullptr;
  CWnd* capture = nullptr;
  std::vector<Timer> timers;
  std::deque<MSG> queue;
  std::vector<Modal> modal;
  bool quit = false;
  int quitCode = 0;
  int waitCount = 0;

  CWnd* caretOwner = nullptr;
  CPoint caretPos;
  CSize caretSize;
  int caretHide = 1;  // shown when 0
  bool caretBlinkOn = true;
  std::uint64_t caretBlinkAt = 0;

  std::u16string title;
  CPoint penPosition;
  bool penDown = false;
  int pressButton = 0;
  CWnd* penTarget = nullptr;  // the window that took the last press
  std::uint64_t lastClickTime = 0;
  CPoint lastClickPoint;
  CWnd* lastClickWnd = nullptr;
  bool suppressText = false;  // the key that produced the text was an accelerator
  bool nextPressHeld = false;
  std::deque<UiEvent> replay;  // events seen while watching the pen, still to handle
};
