// The list box's items and selection, and the pen and keys that move the selection.
#include "platform/controls/ListBox.h"

#include <algorithm>

#include "platform/base/Strings.h"

namespace {

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && plat::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  mayScrollV = (style & WS_VSCROLL) != 0;
  mayScrollH = (style & WS_HSCROLL) != 0;
  // The bars come and go with the content, so the window starts without them.
  const DWORD bars = (style & LBS_DISABLENOSCROLL) ? 0 : DWORD{WS_VSCROLL | WS_HSCROLL};
  return CWnd::Create(parent, rect, (style & ~bars) | WS_CHILD, id, {}, CS_DBLCLKS);
}

std::unique_ptr<CWnd> CListBox::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CListBox>();
  if (!w->Create(cs.style, cs.rect, cs.parent, cs.id)) return nullptr;
  return w;
}

int CListBox::AddString(std::u16string_view text) {
  if (!(GetStyle() & LBS_SORT)) return InsertString(-1, text);
  const std::u16string key = plat::ToLower(text);
  const auto at = std::upper_bound(items.begin(), items.end(), key,
                                   [](const std::u16string& k, const Item& item) { return k < plat::ToLower(item.text); });
  return InsertString(static_cast<int>(at - items.begin()), text);
}

int CListBox::InsertString(int index, std::u16string_view text) {
  if (index < -1 || index > GetCount()) return LB_ERR;
  if (index == -1) index = GetCount();
  items.insert(items.begin() + index, Item{std::u16string(text), 0});
  if (selection >= index) ++selection;  // the selected item stays selected
  UpdateScrollBars();
  Invalidate(true);
  return index;
}

int CListBox::DeleteString(int index) {
  if (!Valid(index)) return LB_ERR;
  items.erase(items.begin() + index);
  if (selection == index) selection = LB_ERR;
  else if (selection > index) --selection;
  UpdateScrollBars();
  Invalidate(true);
  return GetCount();
}

void CListBox::ResetContent() {
  items.clear();
  selection = LB_ERR;
  topIndex = 0;
  UpdateScrollBars();
  Invalidate(true);
}

int CListBox::GetText(int index, std::u16string& text) const {
  if (!Valid(index)) return LB_ERR;
  text = items[static_cast<std::size_t>(index)].text;
  return static_cast<int>(text.size());
}

int CListBox::GetTextLen(int index) const {
  return Valid(index) ? static_cast<int>(items[static_cast<std::size_t>(index)].text.size()) : LB_ERR;
}

DWORD_PTR CListBox::GetItemData(int index) const {
  return Valid(index) ? items[static_cast<std::size_t>(index)].data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  if (!Valid(index)) return LB_ERR;
  items[static_cast<std::size_t>(index)].data = data;
  return LB_OKAY;
}

int CListBox::SetCurSel(int index) {
  const int wanted = Valid(index) ? index : LB_ERR;
  if (wanted != selection) {
    selection = wanted;
    Invalidate(true);
  }
  if (wanted == LB_ERR) return LB_ERR;
  ScrollIntoView(wanted);
  return wanted;
}

int CListBox::FindString(int startAfter, std::u16string_view prefix) const {
  const int n = GetCount();
  const int from = Valid(startAfter) ? startAfter + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (from + k) % n;
    if (StartsWithNoCase(items[static_cast<std::size_t>(i)].text, prefix)) return i;
  }
  return LB_ERR;
}

int CListBox::FindStringExact(int startAfter, std::u16string_view text) const {
  const int n = GetCount();
  const int from = Valid(startAfter) ? startAfter + 1 : 0;
  for (int k = 0; k < n; ++k) {
    const int i = (from + k) % n;
    if (plat::EqualsNoCase(items[static_cast<std::size_t>(i)].text, text)) return i;
  }
  return LB_ERR;
}

int CListBox::SelectString(int startAfter, std::u16string_view prefix) {
  const int found = FindString(startAfter, prefix);
  return found == LB_ERR ? LB_ERR : SetCurSel(found);
}

int CListBox::SetTopIndex(int index) {
  if (!Valid(index)) return LB_ERR;
  const int top = std::clamp(index, 0, MaxTopIndex());
  if (top != topIndex) {
    topIndex = top;
    if (GetStyle() & WS_VSCROLL) SetScrollPos(SB_VERT, topIndex);
    Invalidate(true);
  }
  return LB_OKAY;
}

int CListBox::GetItemHeight(int index) const { return index >= 0 ? ItemHeight() : LB_ERR; }

int CListBox::GetItemRect(int index, CRect* rect) const {
  if (!Valid(index) || !rect) return LB_ERR;
  const int h = ItemHeight();
  const int top = (index - topIndex) * h;
  *rect = CRect(0, top, GetClientRect().Width(), top + h);
  return LB_OKAY;
}

int CListBox::ItemFromPoint(CPoint point, bool& outside) const {
  outside = true;
  if (items.empty()) return 0;
  const CRect c = GetClientRect();
  const int h = ItemHeight();
  const int row = point.y >= 0 ? point.y / h : -1;
  const int index = std::clamp(topIndex + row, 0, GetCount() - 1);
  outside = !c.PtInRect(point) || topIndex + row != index;
  return index;
}

void CListBox::SetHorizontalExtent(int cx) {
  horizontalExtent = std::max(0, cx);
  UpdateScrollBars();
  Invalidate(true);
}

void CListBox::Notify(UINT code) {
  if (GetStyle() & LBS_NOTIFY) NotifyParent(code);
}

void CListBox::SelectByUser(int index) {
  if (!Valid(index)) return;
  const bool changed = index != selection;
  SetCurSel(index);
  if (changed) Notify(LBN_SELCHANGE);
}

void CListBox::ScrollIntoView(int index) {
  if (!Valid(index)) return;
  if (index < topIndex) SetTopIndex(index);
  else if (index >= topIndex + VisibleCount()) SetTopIndex(index - VisibleCount() + 1);
}

void CListBox::ScrollHorizontally(int x) {
  const int maxX = std::max(0, horizontalExtent - GetClientRect().Width());
  x = std::clamp(x, 0, maxX);
  if (x == scrollX) return;
  scrollX = x;
  if (GetStyle() & WS_HSCROLL) SetScrollPos(SB_HORZ, scrollX);
  Invalidate(true);
}

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CControl::WindowProc(message, wParam, lParam);
  // Another font changes the item height, and with it what fits.
  if (message == WM_SETFONT) UpdateScrollBars();
  return result;
}

void CListBox::OnSize(UINT, int, int) {
  UpdateScrollBars();
  // The selection stays in sight as the list shrinks (the screen turned).
  if (selection != LB_ERR && !updatingBars) ScrollIntoView(selection);
}

void CListBox::OnSetFocus(CWnd*) {
  Invalidate(true);
  Notify(LBN_SETFOCUS);
}

void CListBox::OnKillFocus(CWnd*) {
  Invalidate(true);
  Notify(LBN_KILLFOCUS);
}

void CListBox::OnKeyDown(UINT vk, UINT, UINT) {
  if (items.empty()) return;
  const int last = GetCount() - 1;
  const int page = std::max(1, VisibleCount() - 1);
  // With nothing selected the first move lands on the top item in view.
  const int from = selection == LB_ERR ? topIndex : selection;
  const int step = selection == LB_ERR ? 0 : 1;
  switch (vk) {
    case VK_UP: SelectByUser(std::max(0, from - step)); break;
    case VK_DOWN: SelectByUser(std::min(last, from + step)); break;
    case VK_PRIOR: SelectByUser(std::max(0, from - page)); break;
    case VK_NEXT: SelectByUser(std::min(last, from + page)); break;
    case VK_HOME: SelectByUser(0); break;
    case VK_END: SelectByUser(last); break;
    case VK_LEFT: ScrollHorizontally(scrollX - ItemHeight()); break;
    case VK_RIGHT: ScrollHorizontally(scrollX + ItemHeight()); break;
    default: break;
  }
}

void CListBox::OnChar(UINT ch, UINT, UINT) {
  // A letter jumps to the next item that begins with it, as in a file list.
  if (ch < 0x20 || ch > 0xFFFF) return;
  const char16_t c = static_cast<char16_t>(ch);
  const int found = FindString(selection, std::u16string_view(&c, 1));
  if (found != LB_ERR) SelectByUser(found);
}

void CListBox::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  bool outside = false;
  const int index = ItemFromPoint(point, outside);
  if (outside) return;
  SetCapture();
  tracking = true;
  SelectByUser(index);
}

void CListBox::OnLButtonDblClk(UINT, CPoint point) {
  bool outside = false;
  const int index = ItemFromPoint(point, outside);
  if (outside) return;
  SelectByUser(index);
  // The parent may end its dialog on this; nothing of ours is touched afterwards.
  Notify(LBN_DBLCLK);
}

void CListBox::OnMouseMove(UINT, CPoint point) {
  if (!tracking || items.empty()) return;
  // Dragging past an edge pulls the next item in, one per move.
  const int h = ItemHeight();
  int index = topIndex + (point.y >= 0 ? point.y / h : -1);
  if (point.y >= GetClientRect().Height()) index = topIndex + VisibleCount();
  SelectByUser(std::clamp(index, 0, GetCount() - 1));
}

void CListBox::OnLButtonUp(UINT, CPoint) {
  if (!tracking) return;
  tracking = false;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
}

void CListBox::OnCaptureChanged(CWnd* newCapture) {
  if (newCapture != this) tracking = false;
}

void CListBox::OnVScroll(UINT code, UINT, CWnd*) {
  const int page = std::max(1, VisibleCount() - 1);
  SCROLLINFO si;
  switch (code) {
    case SB_LINEUP: SetTopIndex(std::max(0, topIndex - 1)); break;
    case SB_LINEDOWN: SetTopIndex(std::min(GetCount() - 1, topIndex + 1)); break;
    case SB_PAGEUP: SetTopIndex(std::max(0, topIndex - page)); break;
    case SB_PAGEDOWN: SetTopIndex(std::min(GetCount() - 1, topIndex + page)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      // The full position: the message carries only sixteen bits of it.
      if (GetScrollInfo(SB_VERT, si, SIF_TRACKPOS)) SetTopIndex(std::clamp(si.nTrackPos, 0, std::max(0, GetCount() - 1)));
      break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(GetCount() - 1); break;
    default: break;
  }
}

void CListBox::OnHScroll(UINT code, UINT, CWnd*) {
  const int line = ItemHeight();
  const int page = std::max(1, GetClientRect().Width() - line);
  SCROLLINFO si;
  switch (code) {
    case SB_LINELEFT: ScrollHorizontally(scrollX - line); break;
    case SB_LINERIGHT: ScrollHorizontally(scrollX + line); break;
    case SB_PAGELEFT: ScrollHorizontally(scrollX - page); break;
    case SB_PAGERIGHT: ScrollHorizontally(scrollX + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      if (GetScrollInfo(SB_HORZ, si, SIF_TRACKPOS)) ScrollHorizontally(si.nTrackPos);
      break;
    case SB_LEFT: ScrollHorizontally(0); break;
    case SB_RIGHT: ScrollHorizontally(horizontalExtent); break;
    default: break;
  }
}
