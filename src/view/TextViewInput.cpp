// CCrystalTextView: scroll bars, the pen, bookmarks, the context menu and commands.
#include <algorithm>

#include "platform/shell/Gesture.h"
#include "platform/ui/Menu.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "view/CrystalTextView.h"

namespace {

bool Before(CPoint a, CPoint b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

}  // namespace

// --- scroll bars -----------------------------------------------------------------------

// One bar: the extent (lines or columns), what fits on the screen, and the first shown,
// which goes back to 0 when everything fits.
void CCrystalTextView::RecalcScrollBar(int bar, int& first, int extent, int page, bool positionOnly) {
  if (!IsWindow()) return;
  if (positionOnly) {
    SetScrollPos(bar, first);
    return;
  }
  if (page >= extent && first > 0) {
    first = 0;
    Invalidate();
    UpdateCaret();
  }
  SCROLLINFO si;
  si.fMask = SIF_DISABLENOSCROLL | SIF_PAGE | SIF_POS | SIF_RANGE;
  si.nMin = 0;
  si.nMax = extent - 1;
  si.nPage = static_cast<UINT>(page);
  si.nPos = first;
  SetScrollInfo(bar, si);
}

void CCrystalTextView::RecalcVertScrollBar(bool positionOnly) {
  if (!IsWindow()) return;
  if (!IsRedrawOn()) {
    catchUpWhenRedrawn = true;
    return;
  }
  RecalcScrollBar(SB_VERT, firstVisibleLine, GetLineCount(), GetScreenLines(), positionOnly);
}

void CCrystalTextView::RecalcHorzScrollBar(bool positionOnly) {
  if (!IsWindow()) return;
  if (!IsRedrawOn()) {
    catchUpWhenRedrawn = true;
    return;
  }
  RecalcScrollBar(SB_HORZ, firstVisibleColumn, positionOnly ? 0 : GetMaxLineLength(), GetScreenChars(), positionOnly);
}

void CCrystalTextView::OnSetRedraw(bool on) {
  CView::OnSetRedraw(on);
  if (!on || !catchUpWhenRedrawn) return;
  // What waited while redrawing was off: the scroll bars and the caret, from the state now.
  catchUpWhenRedrawn = false;
  RecalcVertScrollBar();
  RecalcHorzScrollBar();
  UpdateCaret();
}

void CCrystalTextView::OnVScroll(UINT code, UINT, CWnd*) {
  SCROLLINFO si;
  GetScrollInfo(SB_VERT, si, SIF_ALL);
  const int count = GetLineCount();
  int top = firstVisibleLine;
  switch (code) {
    case SB_LINEUP: top = firstVisibleLine - 1; break;
    case SB_LINEDOWN: top = firstVisibleLine + 1; break;
    case SB_PAGEUP: top = firstVisibleLine - GetScreenLines() + 1; break;
    case SB_PAGEDOWN: top = firstVisibleLine + GetScreenLines() - 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: top = si.nTrackPos; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = count - GetScreenLines() + 1; break;
    default: return;
  }
  top = std::min(std::max(top, 0), count - 1);
  if (top != firstVisibleLine) {
    const int delta = firstVisibleLine - top;
    firstVisibleLine = top;
    ScrollWindow(0, delta * GetLineHeight());
    UpdateWindow();
    UpdateCaret();
  }
  RecalcVertScrollBar(true);
}

void CCrystalTextView::OnHScroll(UINT code, UINT, CWnd*) {
  SCROLLINFO si;
  GetScrollInfo(SB_HORZ, si, SIF_ALL);
  const int maxLen = GetMaxLineLength();
  int first = firstVisibleColumn;
  switch (code) {
    case SB_LINELEFT: first = firstVisibleColumn - 1; break;
    case SB_LINERIGHT: first = firstVisibleColumn + 1; break;
    case SB_PAGELEFT: first = firstVisibleColumn - GetScreenChars() + 1; break;
    case SB_PAGERIGHT: first = firstVisibleColumn + GetScreenChars() - 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = si.nTrackPos; break;
    case SB_LEFT: first = 0; break;
    case SB_RIGHT: first = maxLen - GetScreenChars() + 1; break;
    default: return;
  }
  if (first >= maxLen) first = maxLen - 1;
  if (first < 0) first = 0;
  if (first != firstVisibleColumn) {
    const int delta = firstVisibleColumn - first;
    firstVisibleColumn = first;
    CRect text = GetClientRect();
    text.left += GetMarginWidth();
    ScrollWindow(delta * GetCharWidth(), 0, &text, &text);
    UpdateWindow();
    UpdateCaret();
  }
  RecalcHorzScrollBar(true);
}

// --- the pen ---------------------------------------------------------------------------

void CCrystalTextView::OnLButtonDown(UINT flags, CPoint point) {
  SHRGINFO gesture;
  gesture.hwndClient = this;
  gesture.ptDown = point;
  gesture.dwFlags = SHRG_NOTIFYPARENT;
  if (SHRecognizeGesture(&gesture) == GN_CONTEXTMENU) return;
  if (!IsWindow()) return;
  SetFocus();
  const bool shift = flags & MK_SHIFT;
  const bool ctrl = flags & MK_CONTROL;

  if (point.x >= GetMarginWidth()) {
    if (IsInsideSelection(PointToTextPos(point))) {
      pendingClickInSelection = true;
      return;
    }
    point.x += GetCharWidth() / 2;
    const CPoint p = PointToTextPos(point);
    caret = p;
    if (!shift) anchor = p;
    CPoint start, end;
    if (!ctrl) {
      start = anchor;
      end = caret;
    } else if (Before(caret, anchor)) {
      start = WordStartBefore(caret);
      end = WordEndAfter(anchor);
    } else {
      start = WordStartBefore(anchor);
      end = WordEndAfter(caret);
    }
    if (ctrl) caret = end;
    UpdateCaret();
    EnsureVisible(caret);
    SetSelection(start, end);
    SetCapture();
    dragTimer = SetTimer(kDragScrollTimer, kDragScrollPeriod);
    dragSelecting = true;
    wordSelecting = ctrl;
    lineSelecting = false;
    return;
  }

  point.x += GetCharWidth() / 2;
  if (ctrl) {
    SelectAll();
    return;
  }
  const int line = PointToTextPos(point).y;
  caret = CPoint(0, line);
  if (!shift) anchor = CPoint(0, line);
  const int count = GetLineCount();
  const CPoint e = anchor.y < count - 1 ? CPoint(0, anchor.y + 1) : CPoint(GetLineLength(anchor.y), anchor.y);
  UpdateCaret();
  EnsureVisible(caret);
  SetSelection(e, caret);
  SetCapture();
  dragTimer = SetTimer(kDragScrollTimer, kDragScrollPeriod);
  dragSelecting = true;
  lineSelecting = true;
  wordSelecting = false;
}

void CCrystalTextView::OnMouseMove(UINT, CPoint point) {
  if (!dragSelecting) return;
  point.x += GetCharWidth() / 2;
  const CPoint p = PointToTextPos(point);
  const int count = GetLineCount();
  auto lineAfter = [&](int line) { return line < count - 1 ? CPoint(0, line + 1) : CPoint(GetLineLength(line), line); };
  CPoint start, end;
  if (lineSelecting) {
    if (point.x < GetMarginWidth()) {
      if (Before(p, anchor)) {
        caret = CPoint(0, p.y);
        SetSelection(CPoint(0, p.y), lineAfter(anchor.y));
      } else {
        caret = CPoint(0, p.y);
        SetSelection(lineAfter(p.y), CPoint(0, anchor.y));
      }
      UpdateCaret();
      return;
    }
    lineSelecting = false;
    wordSelecting = false;
  }
  if (wordSelecting) {
    if (Before(p, anchor)) {
      start = WordStartBefore(p);
      end = WordEndAfter(anchor);
    } else {
      start = WordStartBefore(anchor);
      end = WordEndAfter(p);
    }
  } else {
    start = anchor;
    end = p;
  }
  caret = end;
  UpdateCaret();
  SetSelection(start, end);
}

void CCrystalTextView::OnLButtonUp(UINT, CPoint point) {
  if (dragSelecting) {
    point.x += GetCharWidth() / 2;
    const CPoint p = PointToTextPos(point);
    const int count = GetLineCount();
    auto lineAfter = [&](int line) { return line < count - 1 ? CPoint(0, line + 1) : CPoint(GetLineLength(line), line); };
    CPoint start, end;
    if (lineSelecting) {
      if (!Before(p, anchor)) {
        caret = lineAfter(p.y);
        start = caret;
        end = CPoint(0, anchor.y);
      } else {
        caret = CPoint(0, p.y);
        start = caret;
        end = lineAfter(anchor.y);
      }
    } else if (wordSelecting) {
      if (!Before(p, anchor)) {
        start = WordStartBefore(anchor);
        end = WordEndAfter(p);
      } else {
        start = WordStartBefore(p);
        end = WordEndAfter(anchor);
      }
      caret = end;
    } else {
      start = anchor;
      end = caret;
    }
    EnsureVisible(caret);
    UpdateCaret();
    SetSelection(start, end);
    ReleaseCapture();
    KillTimer(dragTimer);
    dragSelecting = false;
  }
  if (pendingClickInSelection) {
    pendingClickInSelection = false;
    point.x += GetCharWidth() / 2;
    caret = PointToTextPos(point);
    EnsureVisible(caret);
    UpdateCaret();
    SetSelection(caret, caret);
  }
}

void CCrystalTextView::OnLButtonDblClk(UINT, CPoint point) {
  if (dragSelecting) return;
  point.x += GetCharWidth() / 2;
  const CPoint p = PointToTextPos(point);
  caret = anchor = p;
  const CPoint start = WordStartBefore(p), end = WordEndAfter(p);
  caret = end;
  UpdateCaret();
  EnsureVisible(caret);
  SetSelection(start, end);
  SetCapture();
  dragTimer = SetTimer(kDragScrollTimer, kDragScrollPeriod);
  dragSelecting = true;
  wordSelecting = true;
  lineSelecting = false;
}

void CCrystalTextView::OnTimer(UINT_PTR id) {
  if (id != kDragScrollTimer) return;
  CPoint c = caret;
  const int top = firstVisibleLine, n = GetLineCount(), s = GetScreenLines();
  int newTop = top;
  if (c.y <= top + 1) newTop = std::max(top - 2, 0);
  else if (c.y >= top + s - 2) newTop = std::max(std::min(top + 2, n - s), 0);
  if (newTop == top) return;
  firstVisibleLine = newTop;
  ScrollWindow(0, (top - newTop) * GetLineHeight());
  UpdateWindow();
  RecalcVertScrollBar(true);
  SyncSiblingScroll(true);
  c.y = std::clamp(c.y + (newTop - top), 0, n - 1);
  c.x = std::min(c.x, GetLineLength(c.y));
  MoveCaretTo(c);
  SetSelection(anchor, c);
}

// --- the context menu ------------------------------------------------------------------

bool CCrystalTextView::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const auto* nm = reinterpret_cast<const NMRGINFO*>(lParam);
  if (!nm || nm->code != GN_CONTEXTMENU) return false;
  ShowContextMenu(nm->ptAction);
  *result = 1;
  return true;
}

void CCrystalTextView::ShowContextMenu(CPoint screenPoint) {
  CMenu menu;
  if (!menu.LoadMenu(GetResourceHandle(), IDR_POPUP_EDIT)) return;
  if (CMenu* popup = menu.GetSubMenu(0)) popup->TrackPopupMenu(TPM_LEFTALIGN, screenPoint.x, screenPoint.y, this);
}

// --- bookmarks -------------------------------------------------------------------------

void CCrystalTextView::ToggleBookmark(int n) {
  if (!buffer) return;
  const DWORD bit = DWORD{1} << n;
  const DWORD flags = buffer->GetLineFlags(caret.y);
  buffer->SetLineFlag(caret.y, bit, (flags & bit) == 0, true);
}

void CCrystalTextView::GoToBookmark(int n) {
  if (!buffer) return;
  const int line = buffer->GetLineWithFlag(DWORD{1} << n);
  if (line < 0) return;
  const CPoint p(0, line);
  MoveCaretTo(p);
  SetSelection(p, p);
  anchor = p;
  EnsureVisible(p);
}

// --- keys and commands -----------------------------------------------------------------

bool CCrystalTextView::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    if (const UINT cmd = accelerators.Translate(msg->message, static_cast<UINT>(msg->wParam))) {
      SendMessage(WM_COMMAND, cmd, 0);
      return true;
    }
  }
  return CView::PreTranslateMessage(msg);
}

bool CCrystalTextView::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_UPDATE_COMMAND_UI) {
    if (id == ID_EDIT_COPY) {
      ui->Enable(selStart != selEnd);
      return true;
    }
    if (id == ID_EDIT_SELECT_ALL) {
      ui->Enable(true);
      return true;
    }
    if (id == ID_EDIT_REPEAT) {
      ui->Enable(false);  // the application's view owns find
      return true;
    }
    return false;
  }
  if (id >= ID_EDIT_CHAR_LEFT && id <= ID_EDIT_EXT_TEXT_END) {
    const bool extend = (id - ID_EDIT_CHAR_LEFT) % 2 == 1 && id != ID_EDIT_SCROLL_DOWN;
    switch (id) {
      case ID_EDIT_CHAR_LEFT: case ID_EDIT_EXT_CHAR_LEFT: MoveLeft(extend); break;
      case ID_EDIT_CHAR_RIGHT: case ID_EDIT_EXT_CHAR_RIGHT: MoveRight(extend); break;
      case ID_EDIT_WORD_LEFT: case ID_EDIT_EXT_WORD_LEFT: MoveWordLeft(extend); break;
      case ID_EDIT_WORD_RIGHT: case ID_EDIT_EXT_WORD_RIGHT: MoveWordRight(extend); break;
      case ID_EDIT_LINE_UP: case ID_EDIT_EXT_LINE_UP: MoveUp(extend); break;
      case ID_EDIT_LINE_DOWN: case ID_EDIT_EXT_LINE_DOWN: MoveDown(extend); break;
      case ID_EDIT_SCROLL_UP: ScrollUp(); break;
      case ID_EDIT_SCROLL_DOWN: ScrollDown(); break;
      case ID_EDIT_PAGE_UP: case ID_EDIT_EXT_PAGE_UP: MovePgUp(extend); break;
      case ID_EDIT_PAGE_DOWN: case ID_EDIT_EXT_PAGE_DOWN: MovePgDn(extend); break;
      case ID_EDIT_LINE_END: case ID_EDIT_EXT_LINE_END: MoveEnd(extend); break;
      case ID_EDIT_HOME: case ID_EDIT_EXT_HOME: MoveHome(extend); break;
      case ID_EDIT_TEXT_BEGIN: case ID_EDIT_EXT_TEXT_BEGIN: MoveCtrlHome(extend); break;
      case ID_EDIT_TEXT_END: case ID_EDIT_EXT_TEXT_END: MoveCtrlEnd(extend); break;
      default: break;
    }
    return true;
  }
  if (id >= ID_EDIT_TOGGLE_BOOKMARK0 && id <= ID_EDIT_TOGGLE_BOOKMARK9) {
    ToggleBookmark(static_cast<int>(id - ID_EDIT_TOGGLE_BOOKMARK0));
    return true;
  }
  if (id >= ID_EDIT_GO_BOOKMARK0 && id <= ID_EDIT_GO_BOOKMARK9) {
    GoToBookmark(static_cast<int>(id - ID_EDIT_GO_BOOKMARK0));
    return true;
  }
  switch (id) {
    case ID_EDIT_CLEAR_BOOKMARKS: ClearBookmarks(); return true;
    case ID_EDIT_SELECT_ALL: SelectAll(); return true;
    case ID_EDIT_COPY: Copy(); return true;
    default: return false;
  }
}
