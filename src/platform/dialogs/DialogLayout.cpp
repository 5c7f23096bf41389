// Laying a dialog out: dialog units through the font's base units, the controls a template
// names made by their window classes, and a scroll bar for a dialog taller than the work
// area (a landscape screen).
#include <algorithm>
#include <initializer_list>
#include <string>

#include "platform/base/Debug.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/ui/Metrics.h"
#include "platform/ui/WindowClass.h"

namespace {

// Template coordinates past this are nonsense; bounding them keeps the arithmetic in range.
constexpr int kMaxDialogUnits = 8000;

// A button form's style: its type bits when the form allows them, else the form's own type.
DWORD ButtonStyle(const DialogItemTemplate& item, std::initializer_list<DWORD> allowed, DWORD fallback) {
  const DWORD type = item.style & BS_TYPEMASK;
  const bool ok = std::find(allowed.begin(), allowed.end(), type) != allowed.end();
  return (item.style & ~DWORD{BS_TYPEMASK}) | (ok ? type : fallback);
}

// The window class and style an item stands for: a short form names a standard control
// and implies its type, a Control item says both itself.
std::u16string_view ClassOf(const DialogItemTemplate& item, DWORD& style) {
  style = item.style;
  switch (item.kind) {
    case DialogItemKind::Static: return WC_STATIC;
    case DialogItemKind::Edit: return WC_EDIT;
    case DialogItemKind::PushButton: style = ButtonStyle(item, {}, BS_PUSHBUTTON); return WC_BUTTON;
    case DialogItemKind::DefPushButton: style = ButtonStyle(item, {}, BS_DEFPUSHBUTTON); return WC_BUTTON;
    case DialogItemKind::CheckBox:
      style = ButtonStyle(item, {BS_CHECKBOX, BS_3STATE, BS_AUTO3STATE}, BS_AUTOCHECKBOX);
      return WC_BUTTON;
    case DialogItemKind::RadioButton: style = ButtonStyle(item, {BS_RADIOBUTTON}, BS_AUTORADIOBUTTON); return WC_BUTTON;
    case DialogItemKind::GroupBox: style = ButtonStyle(item, {}, BS_GROUPBOX) & ~DWORD{WS_TABSTOP}; return WC_BUTTON;
    case DialogItemKind::ListBox: return WC_LISTBOX;
    case DialogItemKind::ComboBox: return WC_COMBOBOX;
    case DialogItemKind::Control: break;
  }
  return item.windowClass;
}

}  // namespace

DialogBaseUnits MeasureDialogBaseUnits(const CDC& dc) {
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  const CSize letters = dc.GetTextExtent(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  DialogBaseUnits base;
  base.x = std::max(1, (letters.cx / 26 + 1) / 2);
  base.y = std::max(1, static_cast<int>(tm.tmHeight));
  return base;
}

int DialogUnitsToPixelsX(int x, const DialogBaseUnits& base) {
  return MulDiv(std::clamp(x, -kMaxDialogUnits, kMaxDialogUnits), base.x, 4);
}

int DialogUnitsToPixelsY(int y, const DialogBaseUnits& base) {
  return MulDiv(std::clamp(y, -kMaxDialogUnits, kMaxDialogUnits), base.y, 8);
}

CRect MapDialogItemRect(const DialogItemTemplate& item, const DialogBaseUnits& base) {
  const int left = DialogUnitsToPixelsX(item.x, base), top = DialogUnitsToPixelsY(item.y, base);
  return CRect(left, top, left + std::max(0, DialogUnitsToPixelsX(item.cx, base)),
               top + std::max(0, DialogUnitsToPixelsY(item.cy, base)));
}

CRect CDialog::MapDialogRect(const CRect& du) const {
  return CRect(DialogUnitsToPixelsX(du.left, baseUnits), DialogUnitsToPixelsY(du.top, baseUnits),
               DialogUnitsToPixelsX(du.right, baseUnits), DialogUnitsToPixelsY(du.bottom, baseUnits));
}

void CDialog::CreateDialogFont(const DialogTemplate& t) {
  font.DeleteObject();
  const int points = std::clamp(t.fontPoints, 1, 72);
  const LOGFONT lf = MakeLogFont(t.fontFace.c_str(), -MulDiv(points, plat::gfx::GetLogicalDpi(), 72));
  font.CreateFontIndirect(lf);  // when it fails the controls draw with the system font
  CDC dc;
  if (font.IsCreated()) dc.SelectObject(&font);
  baseUnits = MeasureDialogBaseUnits(dc);
}

void CDialog::CreateControls(const DialogTemplate& t) {
  controls.clear();
  contentHeight = DialogUnitsToPixelsY(t.cy, baseUnits);
  for (const DialogItemTemplate& item : t.items) {
    const CRect r = MapDialogItemRect(item, baseUnits);
    DWORD style = 0;
    const std::u16string_view windowClass = ClassOf(item, style);
    CREATESTRUCT cs;
    cs.parent = this;
    cs.rect = r;
    cs.style = WS_CHILD | WS_VISIBLE | style;
    cs.id = item.id;
    cs.text = item.text;
    std::unique_ptr<CWnd> w = CreateWindowOfClass(windowClass, cs);
    if (!w) {
      plat::DebugOut("dialog: no control made for item " + std::to_string(item.id) + "\n");
      continue;
    }
    w->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetDialogFont()), 0);
    contentHeight = std::max(contentHeight, r.bottom);
    controls.push_back(std::move(w));
  }
  // Room below the last control, as the template's margins give above the first.
  contentHeight += plat::ui::Scaled(4);
}

void CDialog::UpdateScrollRange() {
  const int height = GetClientRect().Height();
  const bool need = contentHeight > height;  // a vertical bar takes width, never height
  if (need && !(GetStyle() & WS_VSCROLL)) ModifyStyle(0, WS_VSCROLL);
  if (!need && (GetStyle() & WS_VSCROLL)) {
    ScrollTo(0);
    ModifyStyle(WS_VSCROLL, 0);
    return;
  }
  if (!need) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = contentHeight - 1;
  si.nPage = static_cast<UINT>(std::max(1, GetClientRect().Height()));
  SetScrollInfo(SB_VERT, si, true);
  ScrollTo(scrollPos);
}

void CDialog::ScrollTo(int pos) {
  pos = std::clamp(pos, 0, std::max(0, contentHeight - GetClientRect().Height()));
  const int dy = scrollPos - pos;
  scrollPos = pos;
  if (GetStyle() & WS_VSCROLL) SetScrollPos(SB_VERT, pos, true);
  if (dy == 0) return;
  for (CWnd* c : GetChildren()) {
    CRect r = c->GetWindowRect();
    ScreenToClient(r);
    c->MoveWindow(CRect(r.left, r.top + dy, r.right, r.bottom + dy), false);
  }
  Invalidate(true);
}

void CDialog::EnsureVisible(CWnd* ctrl) {
  if (!ctrl || !(GetStyle() & WS_VSCROLL)) return;
  CRect r = ctrl->GetWindowRect();
  ScreenToClient(r);
  const int height = GetClientRect().Height();
  const int margin = plat::ui::Scaled(4);
  if (r.top < margin) ScrollTo(scrollPos + r.top - margin);
  else if (r.bottom > height - margin) ScrollTo(scrollPos + std::min(r.top - margin, r.bottom - height + margin));
}

void CDialog::OnSize(UINT, int, int) {
  // The screen turned: the work area's height decides whether the controls need scrolling.
  if (!controls.empty()) UpdateScrollRange();
}

void CDialog::OnVScroll(UINT code, UINT pos, CWnd*) {
  const int page = std::max(1, GetClientRect().Height() * 9 / 10);
  const int line = std::max(1, baseUnits.y);
  switch (code) {
    case SB_LINEUP: ScrollTo(scrollPos - line); break;
    case SB_LINEDOWN: ScrollTo(scrollPos + line); break;
    case SB_PAGEUP: ScrollTo(scrollPos - page); break;
    case SB_PAGEDOWN: ScrollTo(scrollPos + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(static_cast<int>(pos)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(contentHeight); break;
    default: break;
  }
}
