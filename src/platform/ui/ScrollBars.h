// The pen on a window's own scroll bars, handled before the window sees the press: arrows,
// the track and the thumb send WM_VSCROLL / WM_HSCROLL to the window.
#pragma once
#include "platform/base/Types.h"

class CWnd;

// A press at a screen point: true when it landed on one of the window's bars (a bar with
// nothing to scroll takes the press and does nothing).
bool TrackScrollBarPress(CWnd* wnd, CPoint screenPoint);
// The pen moved or lifted while a bar of the window holds it: true when a bar took it.
bool TrackScrollBarMove(CWnd* wnd, CPoint screenPoint);
bool TrackScrollBarRelease(CWnd* wnd, CPoint screenPoint);
