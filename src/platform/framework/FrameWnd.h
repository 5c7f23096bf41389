// CFrameWnd: the top-level window that holds the view, its keys and closing, and the command route.
//
// The route: view, document, frame, application; the frame also runs the update handlers of a
// pop-up about to open and, when idle, of the menu bar's buttons.
#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

class CDocument;
class CMenu;
class CView;
struct CCreateContext;

enum : UINT { AFX_IDW_PANE_FIRST = 0xE900 };

// A CCmdUI for one item of a pop-up about to open: what the update handler says goes
// straight into the menu. Handlers that add or remove items (the recent files) move
// m_nIndex to the last item they handled and m_nIndexMax to the new count.
class CMenuCmdUI : public CCmdUI {
 public:
  explicit CMenuCmdUI(CMenu* menu) : CCmdUI(0), m_pMenu(menu) {}
  void Enable(bool on = true) override;
  void SetCheck(int check = 1) override;
  void SetText(std::u16string_view text) override;
  CMenu* m_pMenu;
  UINT m_nIndex = 0;
  UINT m_nIndexMax = 0;
};

class CFrameWnd : public CWnd {
 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Creates the window over the work area, captioned with the first line of string
  // resourceId, with the accelerator table of that number and the view of context.
  virtual bool LoadFrame(UINT resourceId, DWORD style = WS_CAPTION, CWnd* parent = nullptr,
                         CCreateContext* context = nullptr);
  CView* GetActiveView() const { return activeView; }
  void SetActiveView(CView* view);
  CDocument* GetActiveDocument() const;
  bool LoadAccelTable(UINT id);
  // The view fills the client area; the menu bar follows the bottom strip.
  virtual void RecalcLayout();
  // Shows the frame.
  virtual void ActivateFrame();

  bool PreTranslateMessage(MSG* msg) override;
  // The route: the active view, its document, the frame's own map (OnFrameCmdMsg), then
  // the application. Derived frames add their commands in OnFrameCmdMsg. A target that
  // passes a command back to the frame while it is being routed reaches the frame's own
  // map and the application, never the view again.
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) final;

 protected:
  virtual bool OnFrameCmdMsg(UINT id, int code, CCmdUI* ui);
  // Makes the view of the creation context.
  virtual bool OnCreateClient(CCreateContext* context);
  // A pop-up of the menu bar is about to open: every item is enabled, greyed, checked or
  // renamed by its update handler.
  virtual void OnInitMenuPopup(CMenu* popup, UINT index, bool sysMenu);
  // The idle update (WM_IDLEUPDATECMDUI): each button of the menu bar is enabled as its
  // update handler says, and enabled when no handler answers.
  virtual void OnIdleUpdateCmdUI();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate() override;
  void OnSize(UINT type, int cx, int cy) override;
  // Asks the document's save question; unless cancelled, destroys the window.
  void OnClose() override;
  void OnDestroy() override;
  void OnSetFocus(CWnd* oldWnd) override;

 private:
  CView* activeView = nullptr;
  std::unique_ptr<CView> ownedView;  // the view made from the creation context
  CAcceleratorTable accelerators;
  CCreateContext* pendingContext = nullptr;
  std::vector<std::pair<UINT, int>> routing;  // commands being routed now
};
