// The menu bar at the bottom of the screen (SHCreateMenuBar): drop-down and image buttons.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

// Toolbar messages the bar answers: wParam the command, lParam's low word the new state.
enum : UINT {
  TB_ENABLEBUTTON = WM_USER + 1,
  TB_ISBUTTONENABLED = WM_USER + 9,
  TB_BUTTONCOUNT = WM_USER + 24,
};

class CMenuBar;

struct SHMENUBARINFO {
  DWORD cbSize = sizeof(SHMENUBARINFO);
  CWnd* hwndParent = nullptr;
  DWORD dwFlags = 0;
  UINT nToolBarId = 0;                        // the menu-bar definition resource
  const CResourceModule* hInstRes = nullptr;  // null: the program's resources
  int nBmpId = 0;
  int cBmpImages = 0;
  CWnd* hwndMB = nullptr;  // out: the bar's window
  COLORREF clrBk = 0;
};

// Builds the bar of parent from its definition and shows it in the strip at the bottom of
// the screen. The bar belongs to parent: it goes with SHDestroyMenuBar(parent), which the
// parent calls when its window is destroyed. A parent has at most one bar.
bool SHCreateMenuBar(SHMENUBARINFO* info);
CMenuBar* SHFindMenuBar(CWnd* parent);
void SHDestroyMenuBar(CWnd* parent);

// Which button strip a screen calls for: portrait wider than 400 pixels, or landscape at
// least 601 pixels wide, takes the large images; a square screen never does.
bool IsHighResolutionScreen(int width, int height);

// The labels' font at the screen's DPI.
class CFont;
CFont& MenuBarFont();
// Image strips use this colour where they are transparent.
inline constexpr COLORREF kMenuBarImageMask = RGB(255, 0, 255);

class CMenuBar : public CWnd {
 public:
  struct Button {
    UINT command = 0;
    std::u16string label;    // drop-down buttons
    CMenu* popup = nullptr;  // the pop-up a drop-down button opens
    int popupIndex = -1;
    int image = -1;  // index in the image strip; -1 for a text button
    bool separator = false;
    bool enabled = true;
    CRect rect;  // client coordinates
  };

  CMenuBar();
  ~CMenuBar() override;

  // Creates the window over the strip, owned by owner, from definition menuBarId.
  bool CreateBar(CWnd* owner, const CResourceModule* module, UINT menuBarId);
  // Appends the buttons of a strip resource after the existing buttons.
  bool AddButtons(const CResourceModule* module, UINT toolBarId);
  // Follows the strip after the screen changed size.
  void Reposition();

  int GetButtonCount() const { return static_cast<int>(buttons.size()); }
  const Button& GetButton(int index) const { return buttons[static_cast<std::size_t>(index)]; }
  int FindButton(UINT command) const;
  bool EnableButton(UINT command, bool enable);
  bool IsButtonEnabled(UINT command) const;
  // The button's rectangle in screen pixels (empty when it does not fit on the bar).
  CRect GetButtonRectOnScreen(int index) const;
  CSize GetImageSize() const { return imageSize; }
  CMenu& GetMenu() { return menu; }
  // The pop-up of the n-th drop-down button, or null.
  CMenu* GetPopup(int n);
  // The drop-down button whose pop-up is open now, or -1.
  int GetOpenButton() const { return openButton; }

  // Opens the pop-up of drop-down button index above the bar, as a tap does: the owner
  // gets WM_INITMENUPOPUP first, then the menu is tracked and its command sent to the owner.
  void TrackButton(int index);

  // Draws the bar into rect of dc (the same on the screen and in the window's own layer).
  void DrawBar(CDC& dc, const CRect& rect);
  // Handling a message or tracking a pop-up: the object must not go yet.
  bool IsBusy() const { return busy > 0; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnClose() override;
  void OnDestroy() override;

 private:
  void Layout();
  int HitTest(CPoint client) const;
  // The owner, while its window lives (commands go nowhere once it is gone).
  CWnd* LiveOwner() const;
  void DrawButtonImage(CDC& dc, const Button& b, bool pressed, CPoint origin) const;

  struct BusyScope {
    explicit BusyScope(CMenuBar& b) : bar(b) { ++bar.busy; }
    ~BusyScope() { --bar.busy; }
    CMenuBar& bar;
  };

  int busy = 0;
  CMenu menu;
  std::vector<Button> buttons;
  CBitmap images;  // the strip, mask colour where transparent
  CSize imageSize{16, 16};
  int pressedButton = -1;  // an image button under the pen
  bool pressedInside = false;
  int openButton = -1;
};
