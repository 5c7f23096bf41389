// The drop-down list: its entries, the choice, the keys that step through it, and the
// field drawn with the chosen entry and its arrow button.
#include "platform/controls/ComboBox.h"

#include <algorithm>

#include "platform/base/Strings.h"
#include "platform/controls/ComboDropList.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

constexpr UINT kKeyF4 = 0x73;  // opens and closes the list, as on the desktop

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && plat::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

CComboBox::CComboBox() = default;

// The list goes while the box is still a box: its destruction reaches OnDestroy.
CComboBox::~CComboBox() { DestroyWindow(); }

std::unique_ptr<CWnd> CComboBox::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CComboBox>();
  // A template's scroll bar styles are the opened list's, which adds a bar when it needs
  // one; the field itself never scrolls.
  const DWORD style = cs.style & ~DWORD{WS_VSCROLL | WS_HSCROLL};
  if (!w->Create(cs.parent, cs.rect, style, cs.id, cs.text)) return nullptr;
  return w;
}

int CComboBox::OnCreate() {
  // As the handheld's templates give it, the height asked for is the opened list's; the
  // field itself is one row tall.
  droppedHeight = GetWindowRect().Height();
  FitFieldToFont();
  return 0;
}

void CComboBox::OnDestroy() {
  if (dropList) dropList->DestroyWindow();
}

int CComboBox::AddString(std::u16string_view text) {
  if (!(GetStyle() & CBS_SORT)) return InsertString(-1, text);
  // After every entry that sorts equal, so that equal texts keep the order they came in.
  const std::u16string key = plat::ToUpper(text);
  const auto at = std::upper_bound(items.begin(), items.end(), key,
                                   [](const std::u16string& k, const Item& it) { return k < plat::ToUpper(it.text); });
  return InsertString(static_cast<int>(at - items.begin()), text);
}

int CComboBox::InsertString(int index, std::u16string_view text) {
  if (index == -1) index = GetCount();
  if (index < 0 || index > GetCount()) return CB_ERR;
  items.insert(items.begin() + index, Item{std::u16string(text), 0});
  if (cur >= index) ++cur;
  Invalidate(false);
  return index;
}

int CComboBox::DeleteString(int index) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  if (GetDroppedState()) CloseUp(false);
  items.erase(items.begin() + index);
  if (cur == index) cur = CB_ERR;
  else if (cur > index) --cur;
  Invalidate(false);
  return GetCount();
}

void CComboBox::ResetContent() {
  if (GetDroppedState()) CloseUp(false);
  items.clear();
  cur = CB_ERR;
  Invalidate(false);
}

std::u16string CComboBox::GetLBText(int index) const {
  return index >= 0 && index < GetCount() ? items[static_cast<std::size_t>(index)].text : std::u16string();
}

int CComboBox::GetLBTextLen(int index) const {
  return index >= 0 && index < GetCount() ? static_cast<int>(items[static_cast<std::size_t>(index)].text.size()) : CB_ERR;
}

int CComboBox::SetItemData(int index, LPARAM data) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  items[static_cast<std::size_t>(index)].data = data;
  return 0;
}

LPARAM CComboBox::GetItemData(int index) const {
  return index >= 0 && index < GetCount() ? items[static_cast<std::size_t>(index)].data : LPARAM{CB_ERR};
}

int CComboBox::SetCurSel(int index) {
  const bool valid = index >= 0 && index < GetCount();
  const int next = valid ? index : CB_ERR;
  if (next != cur) {
    cur = next;
    Invalidate(false);
  }
  if (GetDroppedState()) dropList->SetHot(cur);
  return valid ? cur : CB_ERR;
}

int CComboBox::FindString(int startAfter, std::u16string_view prefix) const {
  const int n = GetCount();
  if (startAfter < -1 || startAfter >= n) startAfter = -1;
  // From the entry after startAfter round to startAfter itself.
  for (int step = 1; step <= n; ++step) {
    const int i = (startAfter + step) % n;
    if (StartsWithNoCase(items[static_cast<std::size_t>(i)].text, prefix)) return i;
  }
  return CB_ERR;
}

int CComboBox::FindStringExact(int startAfter, std::u16string_view text) const {
  const int n = GetCount();
  if (startAfter < -1 || startAfter >= n) startAfter = -1;
  for (int step = 1; step <= n; ++step) {
    const int i = (startAfter + step) % n;
    if (plat::EqualsNoCase(items[static_cast<std::size_t>(i)].text, text)) return i;
  }
  return CB_ERR;
}

int CComboBox::SelectString(int startAfter, std::u16string_view prefix) {
  const int i = FindString(startAfter, prefix);
  if (i != CB_ERR) SetCurSel(i);
  return i;
}

bool CComboBox::GetDroppedState() const { return dropList && dropList->IsOpen(); }

CWnd* CComboBox::GetDropListWnd() const { return GetDroppedState() ? dropList.get() : nullptr; }

void CComboBox::ShowDropDown(bool show) {
  if (show == GetDroppedState() || !IsWindow()) return;
  if (!show) {
    CloseUp(false);
    return;
  }
  if (!IsWindowEnabled() || !IsWindowVisible()) return;
  NotifyParent(CBN_DROPDOWN);
  if (!IsWindow()) return;  // the parent's answer closed the dialog
  if (!dropList) dropList = std::make_unique<CComboDropList>(*this);
  if (dropList->Open()) Invalidate(false);
}

void CComboBox::CloseUp(bool ok) {
  if (!GetDroppedState()) return;
  const int chosen = dropList->GetHot();
  dropList->Close();
  Invalidate(false);
  NotifyParent(ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!IsWindow()) return;
  NotifyParent(CBN_CLOSEUP);
  if (ok && IsWindow() && chosen >= 0) ChooseByUser(chosen);
}

void CComboBox::ChooseByUser(int index) {
  if (index < 0 || index >= GetCount() || index == cur) return;
  SetCurSel(index);
  // The parent's answer may close the dialog; nothing of ours is touched afterwards.
  NotifyParent(CBN_SELCHANGE);
}

int CComboBox::GetItemHeight() const {
  CDC dc;
  if (GetFont()) dc.SelectObject(GetFont());
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  return std::max(1, static_cast<int>(tm.tmHeight) + Scaled(4));
}

// As tall as a template's one-line edit, so that the two line up in a dialog.
int CComboBox::FieldHeight() const { return GetItemHeight() + Scaled(3) + 2; }

void CComboBox::FitFieldToFont() {
  if (!IsWindow() || !GetParent()) return;
  CRect r = GetWindowRect();
  GetParent()->ScreenToClient(r);
  if (r.Height() != FieldHeight()) MoveWindow(CRect(r.left, r.top, r.right, r.top + FieldHeight()), true);
}

LRESULT CComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CControl::WindowProc(message, wParam, lParam);
  if (message == WM_SETFONT) FitFieldToFont();  // the field is as tall as a row of the new font
  return result;
}

UINT CComboBox::OnGetDlgCode() {
  // While the list is open, Enter, Escape and Tab close it rather than the dialog.
  return GetDroppedState() ? UINT{DLGC_WANTALLKEYS} : UINT{DLGC_WANTARROWS | DLGC_WANTCHARS};
}

void CComboBox::OnSetFocus(CWnd*) {
  Invalidate(false);
  NotifyParent(CBN_SETFOCUS);
}

void CComboBox::OnKillFocus(CWnd*) {
  CloseUp(false);
  if (!IsWindow()) return;
  Invalidate(false);
  NotifyParent(CBN_KILLFOCUS);
}

void CComboBox::OnKeyDown(UINT vk, UINT, UINT) {
  const bool dropped = GetDroppedState();
  const int page = std::max(1, (dropped ? dropList->GetRowsShown() : 8) - 1);
  int delta = 0;
  switch (vk) {
    case VK_UP:
    case VK_LEFT: delta = -1; break;
    case VK_DOWN:
    case VK_RIGHT: delta = 1; break;
    case VK_PRIOR: delta = -page; break;
    case VK_NEXT: delta = page; break;
    case VK_HOME: delta = -GetCount(); break;
    case VK_END: delta = GetCount(); break;
    case kKeyF4: ShowDropDown(!dropped); return;
    case VK_RETURN:
    case VK_TAB: CloseUp(true); return;
    case VK_ESCAPE: CloseUp(false); return;
    default: return;
  }
  if (dropped) {
    dropList->Step(delta);
    return;
  }
  if (GetCount() == 0) return;
  const int from = cur == CB_ERR ? (delta > 0 ? -1 : GetCount()) : cur;
  ChooseByUser(std::clamp(from + delta, 0, GetCount() - 1));
}

void CComboBox::OnSysKeyDown(UINT vk, UINT, UINT) {
  // Alt+Down and Alt+Up open and close the list.
  if (vk == VK_DOWN || vk == VK_UP) ShowDropDown(!GetDroppedState());
}

void CComboBox::OnChar(UINT ch, UINT, UINT) {
  if (ch < 0x20 || ch == 0x7F) return;
  const std::u16string prefix(1, static_cast<char16_t>(ch));
  if (GetDroppedState()) {
    const int i = FindString(dropList->GetHot(), prefix);
    if (i != CB_ERR) dropList->SetHot(i);
    return;
  }
  const int i = FindString(cur, prefix);
  if (i != CB_ERR) ChooseByUser(i);
}

void CComboBox::OnLButtonDown(UINT, CPoint) {
  SetFocus();
  // A tap while the list is open lands on the list, which holds the pen and closes.
  ShowDropDown(true);
}

void CComboBox::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

bool CComboBox::OnEraseBkgnd(CDC*) { return true; }  // the paint covers every pixel

void CComboBox::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  const bool enabled = IsWindowEnabled(), focused = HasFocus();
  dc.FillSolidRect(c, GetSysColor(enabled ? COLOR_WINDOWFRAME : COLOR_GRAYTEXT));
  const CRect in(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1);
  dc.FillSolidRect(in, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  // The arrow button: a square at the right, pressed-looking while the list is open.
  const int side = std::min(in.Height(), in.Width());
  const CRect button(in.right - side, in.top, in.right, in.bottom);
  const bool open = GetDroppedState();
  dc.FillSolidRect(button, GetSysColor(open ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  dc.FillSolidRect(CRect(button.left, button.top, button.left + 1, button.bottom), GetSysColor(COLOR_WINDOWFRAME));
  const COLORREF arrow = GetSysColor(!enabled ? COLOR_GRAYTEXT : open ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  const int half = std::max(2, side / 5);
  const int cx = (button.left + 1 + button.right) / 2, cy = (button.top + button.bottom) / 2 - half / 2;
  for (int i = 0; i < half; ++i) dc.FillSolidRect(CRect(cx - half + i + 1, cy + i, cx + half - i, cy + i + 1), arrow);

  // The chosen entry, highlighted while the field has the focus.
  const CRect text(in.left + 1, in.top + 1, button.left - 1, in.bottom - 1);
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  COLORREF ink = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (focused && enabled && !open) {
    dc.FillSolidRect(text, GetSysColor(COLOR_HIGHLIGHT));
    ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  const std::u16string shown = GetLBText(cur);
  CRect t(text.left + Scaled(3), text.top, text.right - Scaled(2), text.bottom);
  dc.SetTextColor(ink);
  dc.DrawText(shown.c_str(), static_cast<int>(shown.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (focused && enabled && !open) plat::ui::DrawFocusRect(dc, text, GetSysColor(COLOR_HIGHLIGHTTEXT));
}
