// The edit field's behaviour: typing, deleting, caret movement and selection by keys and
// pen, the clipboard, undo, the limit, and EN_CHANGE after every change of the text.
#include "platform/controls/Edit.h"

#include <algorithm>
#include <utility>

#include "platform/base/CharClass.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/WindowManager.h"

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsWordChar(char16_t c) { return plat::IsAlpha(c) || plat::IsDigit(c) || c == u'_'; }

// What a single-line field keeps of a text pasted or inserted: up to the first line break.
std::u16string_view FirstLine(std::u16string_view text) {
  const auto stop = text.find_first_of(u"\r\n");
  return stop == std::u16string_view::npos ? text : text.substr(0, stop);
}

}  // namespace

bool CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return CWnd::Create(parent, rect, style, id, {}, CS_DBLCLKS);
}

std::unique_ptr<CWnd> CEdit::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CEdit>();
  if (!w->CWnd::Create(cs.parent, cs.rect, cs.style, cs.id, cs.text, CS_DBLCLKS)) return nullptr;
  return w;
}

int CEdit::ClampPos(int pos) const {
  pos = std::clamp(pos, 0, Length());
  if (pos > 0 && pos < Length() && IsLow(Text()[pos]) && IsHigh(Text()[pos - 1])) --pos;
  return pos;
}

int CEdit::NextPos(int pos) const {
  if (pos >= Length()) return Length();
  return (IsHigh(Text()[pos]) && pos + 1 < Length() && IsLow(Text()[pos + 1])) ? pos + 2 : pos + 1;
}

int CEdit::PrevPos(int pos) const {
  if (pos <= 0) return 0;
  return (pos >= 2 && IsLow(Text()[pos - 1]) && IsHigh(Text()[pos - 2])) ? pos - 2 : pos - 1;
}

int CEdit::NextWordPos(int pos) const {
  // To the start of the next word: over this word (or run of punctuation), then the spaces.
  const auto& t = Text();
  const int n = Length();
  if (pos < n && IsWordChar(t[pos])) {
    while (pos < n && IsWordChar(t[pos])) ++pos;
  } else if (pos < n && !plat::IsSpace(t[pos])) {
    while (pos < n && !IsWordChar(t[pos]) && !plat::IsSpace(t[pos])) ++pos;
  }
  while (pos < n && plat::IsSpace(t[pos])) ++pos;
  return ClampPos(pos);
}

int CEdit::PrevWordPos(int pos) const {
  const auto& t = Text();
  while (pos > 0 && plat::IsSpace(t[pos - 1])) --pos;
  if (pos > 0 && IsWordChar(t[pos - 1])) {
    while (pos > 0 && IsWordChar(t[pos - 1])) --pos;
  } else {
    while (pos > 0 && !IsWordChar(t[pos - 1]) && !plat::IsSpace(t[pos - 1])) --pos;
  }
  return ClampPos(pos);
}

void CEdit::SelectWordAt(int pos) {
  const auto& t = Text();
  const int n = Length();
  if (n == 0) return;
  if (pos >= n) pos = n - 1;
  // The run of the same class around pos: word characters, spaces, or other characters.
  auto kind = [](char16_t c) { return IsWordChar(c) ? 0 : plat::IsSpace(c) ? 1 : 2; };
  const int k = kind(t[pos]);
  int from = pos, to = pos;
  while (from > 0 && kind(t[from - 1]) == k) --from;
  while (to < n && kind(t[to]) == k) ++to;
  if (k == 2) to = NextPos(pos), from = ClampPos(pos);  // punctuation goes one at a time
  SetSel(from, to);
}

void CEdit::SetSel(int start, int end, bool noScroll) {
  typingRun = false;
  if (start < 0) {
    anchor = caret = ClampPos(caret);
  } else {
    anchor = ClampPos(start);
    caret = end < 0 ? Length() : ClampPos(end);
  }
  if (!noScroll) EnsureCaretVisible();
  PlaceCaret();
  Invalidate(false);
}

void CEdit::GetSel(int& start, int& end) const {
  const int a = ClampPos(anchor), c = ClampPos(caret);
  start = std::min(a, c);
  end = std::max(a, c);
}

void CEdit::MoveCaret(int pos, bool extend) {
  typingRun = false;
  caret = ClampPos(pos);
  if (!extend) anchor = caret;
  EnsureCaretVisible();
  PlaceCaret();
  Invalidate(false);
}

bool CEdit::Edit(int from, int to, std::u16string_view text, bool typing) {
  std::u16string next = Text().substr(0, static_cast<std::size_t>(from));
  next.append(text);
  next.append(Text(), static_cast<std::size_t>(to), std::u16string::npos);
  if (!(GetStyle() & ES_AUTOHSCROLL) && !FitsWidth(next)) return false;
  if (!(typing && typingRun)) {
    undoText = Text();
    undoAnchor = anchor;
    undoCaret = caret;
    undoAvailable = true;
  }
  typingRun = typing;
  CWnd::SetWindowText(next);
  anchor = caret = from + static_cast<int>(text.size());
  EnsureCaretVisible();
  PlaceCaret();
  Invalidate(false);
  NotifyParent(EN_CHANGE);
  return true;
}

void CEdit::ReplaceSel(std::u16string_view text, bool canUndo) {
  (void)canUndo;  // every change can be undone once
  int s, e;
  GetSel(s, e);
  std::u16string_view in = FirstLine(text);
  const int room = std::max(0, limit - (Length() - (e - s)));
  bool cut = false;
  if (static_cast<int>(in.size()) > room) {
    std::size_t n = static_cast<std::size_t>(room);
    if (n > 0 && IsHigh(in[n - 1])) --n;  // never half a pair
    in = in.substr(0, n);
    cut = true;
  }
  if (!(GetStyle() & ES_AUTOHSCROLL)) {
    // A field that does not scroll takes as much as fits.
    std::size_t lo = 0, hi = in.size();
    auto fits = [&](std::size_t n) {
      std::u16string t = Text().substr(0, static_cast<std::size_t>(s));
      t.append(in.substr(0, n)).append(Text(), static_cast<std::size_t>(e), std::u16string::npos);
      return FitsWidth(t);
    };
    if (!fits(hi)) {
      cut = true;
      while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid - 1;
      }
      if (lo > 0 && IsHigh(in[lo - 1])) --lo;
      in = in.substr(0, lo);
    }
  }
  if (!in.empty() || s != e) Edit(s, e, in, false);
  if (cut) NotifyParent(EN_MAXTEXT);
}

void CEdit::LimitText(int maxChars) { limit = (maxChars <= 0 || maxChars > kMaxLimit) ? kMaxLimit : maxChars; }

void CEdit::SetReadOnly(bool readOnly) {
  const DWORD flag = ES_READONLY;
  ModifyStyle(readOnly ? 0 : flag, readOnly ? flag : 0);
  Invalidate(true);
}

void CEdit::Copy() {
  int s, e;
  GetSel(s, e);
  if (s == e || !OpenClipboard(this)) return;
  EmptyClipboard();
  SetClipboardText(Text().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s)));
  CloseClipboard();
}

void CEdit::Cut() {
  if (IsReadOnly()) return;
  Copy();
  Clear();
}

void CEdit::Clear() {
  int s, e;
  GetSel(s, e);
  if (s != e && !IsReadOnly()) Edit(s, e, {}, false);
}

void CEdit::Paste() {
  if (IsReadOnly() || !OpenClipboard(this)) return;
  const auto text = GetClipboardText();
  CloseClipboard();
  if (text) ReplaceSel(*text, true);
}

bool CEdit::Undo() {
  if (!undoAvailable) return false;
  std::u16string text = std::exchange(undoText, Text());
  const int a = std::exchange(undoAnchor, anchor), c = std::exchange(undoCaret, caret);
  typingRun = false;
  CWnd::SetWindowText(text);
  anchor = ClampPos(a);
  caret = ClampPos(c);
  EnsureCaretVisible();
  PlaceCaret();
  Invalidate(false);
  NotifyParent(EN_CHANGE);
  return true;
}

void CEdit::OnSetText(std::u16string_view text) {
  if (text.size() > static_cast<std::size_t>(kMaxLimit)) text = text.substr(0, kMaxLimit);
  CWnd::SetWindowText(text);
  anchor = caret = 0;
  scrollX = 0;
  undoAvailable = typingRun = false;
  PlaceCaret();
  Invalidate(false);
  NotifyParent(EN_CHANGE);
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case EM_GETSEL: {
      int s, e;
      GetSel(s, e);
      if (wParam) *reinterpret_cast<int*>(wParam) = s;
      if (lParam) *reinterpret_cast<int*>(lParam) = e;
      return static_cast<LRESULT>(MAKELPARAM(s, e));
    }
    case EM_SETSEL: SetSel(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case EM_REPLACESEL: {
      const auto* p = reinterpret_cast<const char16_t*>(lParam);
      ReplaceSel(p ? std::u16string_view(p) : std::u16string_view(), wParam != 0);
      return 0;
    }
    case EM_LIMITTEXT: LimitText(static_cast<int>(std::min<WPARAM>(wParam, kMaxLimit))); return 0;
    case EM_GETLIMITTEXT: return limit;
    case EM_UNDO:
    case WM_UNDO: return Undo() ? 1 : 0;
    case EM_SETREADONLY: SetReadOnly(wParam != 0); return 1;
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: Clear(); return 0;
    default: return CControl::WindowProc(message, wParam, lParam);
  }
}

void CEdit::OnSetFocus(CWnd*) {
  CreateSolidCaret(std::max(1, plat::ui::Scaled(1)), LineHeight());
  PlaceCaret();
  ShowCaret();
  CWindowManager::Get().Backend().SetTextInput(true);
  Invalidate(false);
  NotifyParent(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd*) {
  selecting = false;
  typingRun = false;
  DestroyCaret();
  CWindowManager::Get().Backend().SetTextInput(false);
  Invalidate(false);
  NotifyParent(EN_KILLFOCUS);
}

void CEdit::OnKeyDown(UINT vk, UINT, UINT) {
  const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  int s, e;
  GetSel(s, e);
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      if (!shift && s != e && !ctrl) MoveCaret(s, false);
      else MoveCaret(ctrl ? PrevWordPos(caret) : PrevPos(caret), shift);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!shift && s != e && !ctrl) MoveCaret(e, false);
      else MoveCaret(ctrl ? NextWordPos(caret) : NextPos(caret), shift);
      break;
    case VK_HOME: MoveCaret(0, shift); break;
    case VK_END: MoveCaret(Length(), shift); break;
    case VK_DELETE:
      if (shift) Cut();
      else if (IsReadOnly()) break;
      else if (s != e) Edit(s, e, {}, false);
      else if (caret < Length()) Edit(caret, NextPos(caret), {}, false);
      break;
    case VK_INSERT:
      if (ctrl) Copy();
      else if (shift) Paste();
      break;
    default: break;
  }
}

void CEdit::OnChar(UINT ch, UINT, UINT) {
  int s, e;
  GetSel(s, e);
  switch (ch) {
    case 1: SetSel(0, -1); return;   // Ctrl+A
    case 3: Copy(); return;          // Ctrl+C
    case 22: Paste(); return;        // Ctrl+V
    case 24: Cut(); return;          // Ctrl+X
    case 26: Undo(); return;         // Ctrl+Z
    case 8:                          // Backspace
      if (IsReadOnly()) return;
      if (s != e) Edit(s, e, {}, false);
      else if (caret > 0) Edit(PrevPos(caret), caret, {}, false);
      return;
    default: break;
  }
  if (ch < 0x20 || ch == 0x7F || ch > 0xFFFF || IsReadOnly()) return;
  if ((GetStyle() & ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) return;
  if (Length() - (e - s) >= limit) {
    NotifyParent(EN_MAXTEXT);
    return;
  }
  const char16_t c = static_cast<char16_t>(ch);
  if (!Edit(s, e, std::u16string_view(&c, 1), true)) NotifyParent(EN_MAXTEXT);
}

void CEdit::OnLButtonDown(UINT flags, CPoint point) {
  if (!HasFocus()) SetFocus();
  const int pos = CharFromPos(point);
  MoveCaret(pos, (flags & MK_SHIFT) != 0);
  selecting = true;
  SetCapture();
}

void CEdit::OnLButtonDblClk(UINT, CPoint point) {
  if (!HasFocus()) SetFocus();
  SelectWordAt(CharFromPos(point));
}

void CEdit::OnMouseMove(UINT, CPoint point) {
  if (selecting) MoveCaret(CharFromPos(point), true);
}

void CEdit::OnLButtonUp(UINT, CPoint) {
  if (!selecting) return;
  selecting = false;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
}

void CEdit::OnCaptureChanged(CWnd* newCapture) {
  if (newCapture != this) selecting = false;
}
