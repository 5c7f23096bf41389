// The navigation commands' dialogs: the outline scanned on opening with each entry's line as
// its item data, the line number with its arrows, the font size and face; and the caret
// moves made through the view's public caret, selection and scrolling operations.
#include "navigation/NavigationCommands.h"

#include <algorithm>
#include <utility>

#include "navigation/OutlineScan.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CommonControls.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/FontFamilies.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowDC.h"
#include "resources/ResourceIds.h"
#include "view/CrystalTextView.h"

namespace {

constexpr int kHighestLineNumber = 32767;

// The family the platform draws a face name with ("Courier New" is drawn with its metric
// twin where it is not installed); empty when no font can be made.
std::u16string FamilyDrawnFor(const std::u16string& faceName) {
  CFont font;
  if (faceName.empty() || !font.CreateFontIndirect(MakeLogFont(faceName.c_str(), -12))) return {};
  return plat::Widen(font.GetFamilyName());
}

int LastLine(CCrystalTextView& view) { return std::max(0, view.GetLineCount() - 1); }

// The caret at pos with nothing selected, as the movement keys leave it.
void PlaceCaret(CCrystalTextView& view, CPoint pos) {
  view.MoveCaretTo(pos);
  view.SetAnchor(pos);
  view.SetSelection(pos, pos);
}

}  // namespace

// --- the outline ------------------------------------------------------------------------

COutlineDialog::COutlineDialog(const CCrystalTextBuffer& textBuffer, int syntaxLanguage, CWnd* parent)
    : CDialog(IDD_OUTLINE, parent), buffer(textBuffer), language(syntaxLanguage) {
  InitCommonControls();
}

CListBox* COutlineDialog::List() const { return dynamic_cast<CListBox*>(GetDlgItem(IDC_OUTLINE_LIST)); }

bool COutlineDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  selectedLine.reset();
  FitList();
  bool empty = false;
  {
    CWaitCursor wait;
    const std::vector<OutlineEntry> entries = ScanOutline(buffer, language);
    empty = entries.empty();
    if (CListBox* list = List()) {
      // Measured as the list's context comes, without the list's own font: the extent
      // only has to let the long lines scroll into view.
      CClientDC dc(list);
      int widest = 0;
      for (const OutlineEntry& e : entries) {
        const int index = list->AddString(e.text);
        list->SetItemData(index, static_cast<DWORD_PTR>(e.line));
        widest = std::max(widest, dc.GetTextExtent(e.text).cx);
      }
      list->SetCurSel(0);
      list->SetHorizontalExtent(widest);
    }
  }
  if (empty) {
    plat::MessageBox(AfxLoadString(IDS_OUTLINE_NO_FUNCTIONS), plat::MB_OK);
    EndDialog(IDCANCEL);
    return false;
  }
  return focusFirst;
}

void COutlineDialog::OnOK() {
  const CListBox* list = List();
  const int index = list ? list->GetCurSel() : LB_ERR;
  if (index == LB_ERR) selectedLine.reset();
  else selectedLine = static_cast<int>(list->GetItemData(index));
  CDialog::OnOK();
}

bool COutlineDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (id == IDC_OUTLINE_LIST && code == static_cast<int>(LBN_DBLCLK)) {
    OnOK();
    return true;
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

void COutlineDialog::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  FitList();
}

void COutlineDialog::FitList() {
  if (CListBox* list = List()) list->MoveWindow(GetClientRect());
}

// --- go to line -------------------------------------------------------------------------

CGotoLineDialog::CGotoLineDialog(CWnd* parent) : CDialog(IDD_GOTO_LINE, parent) { InitCommonControls(); }

bool CGotoLineDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_NUMBER_SPIN))) spin->SetRange(0, kHighestLineNumber);
  std::u16string text = AfxLoadString(IDS_GOTO_CURRENT_LINE);
  plat::ReplaceAllIn(text, u"%d", plat::FromInt(currentLine));
  SetDlgItemText(IDC_CURRENT_LINE, text);
  return focusFirst;
}

void CGotoLineDialog::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_NUMBER_EDIT, lineNumber); }

bool CGotoLineDialog::PreTranslateMessage(MSG* msg) {
  return CSpinButtonCtrl::TranslateBuddyKey(*msg) || CDialog::PreTranslateMessage(msg);
}

// --- options ----------------------------------------------------------------------------

COptionsDialog::COptionsDialog(int size, std::u16string name, CWnd* parent)
    : CDialog(IDD_TOOLS_OPTIONS, parent), fontSize(size), fontName(std::move(name)) {
  InitCommonControls();
}

bool COptionsDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_NUMBER_SPIN))) spin->SetRange(kMinFontSize, kMaxFontSize);
  if (auto* names = dynamic_cast<CComboBox*>(GetDlgItem(IDC_FONT_NAME))) {
    for (const std::u16string& family : plat::gfx::ListFixedPitchFamilies()) names->AddString(family);
    if (names->SelectString(-1, fontName) == CB_ERR) {
      // A handheld name the system knows under another family (Courier New, the
      // default) shows the family that is really drawn, rather than no choice at all:
      // OK would otherwise clear the name and the editor would lose its fixed pitch.
      const int drawn = names->FindStringExact(-1, FamilyDrawnFor(fontName));
      if (drawn != CB_ERR) names->SetCurSel(drawn);
    }
  }
  return focusFirst;
}

void COptionsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_NUMBER_EDIT, fontSize);
  DDV_MinMaxInt(pDX, fontSize, kMinFontSize, kMaxFontSize);
}

void COptionsDialog::OnOK() {
  if (const auto* names = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_FONT_NAME))) fontName = names->GetLBText(names->GetCurSel());
  CDialog::OnOK();
}

bool COptionsDialog::PreTranslateMessage(MSG* msg) {
  return CSpinButtonCtrl::TranslateBuddyKey(*msg) || CDialog::PreTranslateMessage(msg);
}

// --- the moves --------------------------------------------------------------------------

void MoveToPosition(CCrystalTextView& view, CPoint pos) {
  pos.y = std::clamp(pos.y, 0, LastLine(view));
  pos.x = std::clamp(pos.x, 0, view.GetLineLength(pos.y));
  PlaceCaret(view, CPoint(0, 0));
  view.EnsureVisible(pos);
  PlaceCaret(view, pos);
  view.EnsureVisible(pos);
  view.UpdateCaret();
}

void OutlineJump(CCrystalTextView& view, int line) {
  // The first move scrolls the following lines into view; the second then lands on the
  // entry without scrolling them out again.
  MoveToPosition(view, CPoint(0, line + 10));
  MoveToPosition(view, CPoint(0, line));
}

void GoToLine(CCrystalTextView& view, int number) {
  const int last = LastLine(view);
  const int target = std::min(std::max(number, 1) - 1, last);
  // Two lines below the target where the text has them, never past its end.
  const int shown = std::min(target + 2, last);
  PlaceCaret(view, CPoint(0, 0));
  view.EnsureVisible(CPoint(0, shown));
  PlaceCaret(view, CPoint(0, target));
  // Going up, showing the line below may leave the target just above the top.
  view.EnsureVisible(CPoint(0, target));
  view.UpdateCaret();
}
