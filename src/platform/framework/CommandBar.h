// CCommandBar: the frame's command bar, which carries the menu bar and its buttons.
//
// On the handheld the bar window itself takes no room: the menu bar lies in the strip at the
// bottom of the screen.
#pragma once
#include "platform/framework/AfxRes.h"
#include "platform/ui/Wnd.h"

class CMenuBar;

enum : DWORD {
  CBRS_ALIGN_TOP = 0x2000,
  CBRS_BORDER_BOTTOM = 0x0800,
  CBRS_TOOLTIPS = 0x0010,
  CBRS_FLYBY = 0x0020,
  CBRS_SIZE_FIXED = 0x0002,
};

class CCommandBar : public CWnd {
 public:
  // A child of parent with the style and control number given (no size: nothing shows).
  bool Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
              UINT id = AFX_IDW_TOOLBAR);
  // Builds the parent's menu bar from menu-bar definition id of the program's resources.
  bool InsertMenuBar(UINT menuBarId);
  // The close and help boxes of a desktop command bar; the handheld's menu bar has none.
  bool AddAdornments(DWORD flags);
  // Appends the buttons of strip resource id to the parent's menu bar.
  bool LoadToolBar(UINT id);
  DWORD GetBarStyle() const { return barStyle; }
  void SetBarStyle(DWORD style) { barStyle = style; }
  // The parent's menu bar, or null.
  CMenuBar* GetMenuBar() const;

 private:
  DWORD barStyle = 0;
};
