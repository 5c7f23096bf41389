// CWnd: a window on the handheld screen, with Win32-style messages dispatched to typed
// virtual handlers, and CCmdTarget command routing with update handlers.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"
#include "platform/ui/Messages.h"

class CDC;
class CBitmap;
class CWnd;

// Enables, checks or names one command for a menu item or button before it is shown.
class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  virtual ~CCmdUI() = default;
  virtual void Enable(bool on = true) { enabled = on; }
  virtual void SetCheck(int check = 1) { checked = check; }
  virtual void SetText(std::u16string_view t) { text = t; }
  UINT m_nID;
  bool enabled = true;
  int checked = 0;
  std::u16string text;
  bool handled = false;  // some update handler answered
};

// Something that can handle command identifiers: the view, document, frame, application.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // code CN_COMMAND runs the command; CN_UPDATE_COMMAND_UI fills the CCmdUI in extra.
  // True when this target handles the identifier.
  virtual bool OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    (void)id;
    (void)code;
    (void)ui;
    return false;
  }
};

struct ScrollBarState;
class CWindowManager;

class CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Creates the window: a child of parent at rect (parent client coordinates), or a
  // top-level window with its own layer on the screen (rect in screen coordinates) when
  // parent is null or the style has WS_POPUP. Sends WM_CREATE, then WM_SIZE.
  bool Create(CWnd* parent, const CRect& rect, DWORD style, UINT id = 0, std::u16string_view text = {},
              DWORD classStyle = 0);
  void DestroyWindow();
  bool IsWindow() const { return created; }

  CWnd* GetParent() const { return parent; }
  // The window a top-level pop-up belongs to (commands it does not handle go there).
  CWnd* GetOwner() const { return owner; }
  CWnd* GetTopLevel();
  UINT GetDlgCtrlID() const { return ctrlId; }
  CWnd* GetDlgItem(UINT id) const;
  DWORD GetStyle() const { return style; }
  DWORD GetClassStyle() const { return classStyle; }
  void ModifyStyle(DWORD remove, DWORD add);
  const std::vector<CWnd*>& GetChildren() const { return children; }

  // Geometry. The window rectangle is in screen pixels; the client area excludes the
  // border and the scroll bars.
  void GetWindowRect(CRect& rect) const { rect = windowRect; }
  CRect GetWindowRect() const { return windowRect; }
  void GetClientRect(CRect& rect) const;
  CRect GetClientRect() const;
  CRect GetClientRectOnScreen() const;
  void ClientToScreen(CPoint& p) const;
  void ScreenToClient(CPoint& p) const;
  void ClientToScreen(CRect& r) const;
  void ScreenToClient(CRect& r) const;
  void MoveWindow(const CRect& rect, bool repaint = true);  // parent client coordinates
  void ShowWindow(int cmd);
  bool IsWindowVisible() const;  // this and every parent visible
  void EnableWindow(bool enable = true);
  bool IsWindowEnabled() const { return !(style & WS_DISABLED); }
  void SetWindowText(std::u16string_view text);
  const std::u16string& GetWindowText() const { return text; }

  // Painting.
  void Invalidate(bool erase = true);
  void InvalidateRect(const CRect* rect, bool erase = true);  // client coordinates
  void ValidateRect(const CRect* rect);
  bool GetUpdateRect(CRect& rect) const;
  void UpdateWindow();
  // With redraw off nothing of the window is painted; changes only collect as invalid
  // areas, painted when redraw is switched on again (a long run of edits, a list refill).
  void SetRedraw(bool on);
  bool IsRedrawOn() const { return !redrawOff; }
  // Moves the pixels of the client area (or of scrollRect within it, clipped to clipRect)
  // by dx, dy and invalidates the uncovered part; callers repaint with UpdateWindow.
  void ScrollWindow(int dx, int dy, const CRect* scrollRect = nullptr, const CRect* clipRect = nullptr);

  // Focus and capture.
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static bool ReleaseCapture();
  static CWnd* GetCapture();

  // Timers: WM_TIMER with the identifier every period milliseconds of the platform clock.
  UINT_PTR SetTimer(UINT_PTR id, UINT periodMs);
  bool KillTimer(UINT_PTR id);

  // The system caret: one per screen, owned by the window that created it last.
  void CreateSolidCaret(int width, int height);
  static void DestroyCaret();
  void ShowCaret();
  void HideCaret();
  static void SetCaretPos(CPoint clientPoint);
  static CPoint GetCaretPos();

  // Scroll bars of WS_VSCROLL / WS_HSCROLL windows, shown disabled rather than hidden
  // when there is nothing to scroll.
  int SetScrollInfo(int bar, const SCROLLINFO& info, bool redraw = true);
  bool GetScrollInfo(int bar, SCROLLINFO& info, UINT mask = SIF_ALL) const;
  int SetScrollPos(int bar, int pos, bool redraw = true);
  int GetScrollPos(int bar) const;

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Offers a keyboard message to accelerators before it is dispatched; true when taken.
  virtual bool PreTranslateMessage(MSG* msg);
  // Sends a command up the route: this window's OnCmdMsg, then its parents'.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

 protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default handling of the message being processed.
  LRESULT Default();

  // Typed handlers; the defaults do what an ordinary window does.
  virtual int OnCreate() { return 0; }
  virtual void OnDestroy() {}
  virtual void OnClose();
  virtual void OnSize(UINT type, int cx, int cy) {
    (void)type;
    (void)cx;
    (void)cy;
  }
  virtual void OnSetFocus(CWnd* oldWnd) { (void)oldWnd; }
  virtual void OnKillFocus(CWnd* newWnd) { (void)newWnd; }
  virtual void OnPaint();
  // Redrawing turned off or on (the default keeps the state; turned on, all is repainted).
  virtual void OnSetRedraw(bool on);
  virtual bool OnEraseBkgnd(CDC* dc);
  virtual void OnKeyDown(UINT ch, UINT repCnt, UINT flags);
  virtual void OnKeyUp(UINT ch, UINT repCnt, UINT flags);
  virtual void OnChar(UINT ch, UINT repCnt, UINT flags);
  virtual void OnSysKeyDown(UINT ch, UINT repCnt, UINT flags);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnTimer(UINT_PTR id) { (void)id; }
  virtual void OnVScroll(UINT code, UINT pos, CWnd* scrollBar);
  virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);
  virtual void OnCaptureChanged(CWnd* newCapture) { (void)newCapture; }
  // WM_NOTIFY; true when handled (result then holds the answer).
  virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
  }
  // Draws the window's background (the window colour) in the default erase.
  virtual COLORREF GetBackgroundColor() const;

 private:
  friend class CWindowManager;
  friend class CClientDC;
  friend class CPaintDC;
  friend class CScrollBarTracker;

  void AddChild(CWnd* child);
  void RemoveChild(CWnd* child);
  void PlaceChildren(int dx, int dy);
  int ScrollBarSize() const;
  // Top-level windows fill their part of the screen edge to edge; only children (a list,
  // an edit) are framed. WS_CAPTION includes the border bit, so it cannot decide alone.
  bool HasBorder() const { return (style & WS_BORDER) && !layer; }
  CRect ScrollBarRect(int bar) const;  // screen coordinates
  void DrawNonClient();
  bool NeedsNonClientPaint() const { return ncDirty; }

  bool created = false;
  CWnd* parent = nullptr;
  CWnd* owner = nullptr;
  std::vector<CWnd*> children;
  UINT ctrlId = 0;
  DWORD style = 0;
  DWORD classStyle = 0;
  std::u16string text;
  CRect windowRect;
  // A top-level window composes into its own layer; children draw into their top's layer.
  std::unique_ptr<CBitmap> layer;
  // The region of the client area waiting to be painted (client coordinates).
  CRect invalid;
  bool eraseWanted = false;
  bool ncDirty = false;  // the border or scroll bars want drawing
  bool redrawOff = false;
  std::unique_ptr<ScrollBarState> bars[2];
  // The message being processed, for Default().
  MSG current;
};

// Modifier keys as the host sees them now: the high bit set (negative) when down.
short GetKeyState(int vk);
