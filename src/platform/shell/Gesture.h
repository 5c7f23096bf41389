// The tap-and-hold gesture: the pen held still for half a second, or the right mouse
// button, asks for a context menu.
#pragma once
#include "platform/base/Types.h"

class CWnd;

enum : DWORD { SHRG_RETURNCMD = 0x1, SHRG_NOTIFYPARENT = 0x2 };
enum : UINT { GN_CONTEXTMENU = 1000 };

struct SHRGINFO {
  DWORD cbSize = sizeof(SHRGINFO);
  CWnd* hwndClient = nullptr;
  CPoint ptDown;  // client coordinates of the press
  DWORD dwFlags = 0;
};

// The notification sent (as WM_NOTIFY, reflected to the pressed window) when the gesture
// is recognised; ptAction is in screen coordinates.
struct NMRGINFO {
  UINT code = GN_CONTEXTMENU;
  CWnd* hwndFrom = nullptr;
  CPoint ptAction;
};

// Called from a pen-press handler: watches the pen until it moves, lifts or has been held
// for 500 ms. Returns GN_CONTEXTMENU when held (after sending the notification unless
// SHRG_RETURNCMD is given), 0 otherwise; the pen's own messages then follow as usual.
DWORD SHRecognizeGesture(SHRGINFO* info);
