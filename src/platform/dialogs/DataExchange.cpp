// Dialog data exchange and validation, and the messages a value that fails shows.
#include "platform/dialogs/DataExchange.h"

#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/Dialog.h"
#include "platform/ui/Groups.h"

namespace {

constexpr char16_t kNotAnInteger[] = u"Please enter an integer.";
constexpr char16_t kIntegerRange[] = u"Please enter an integer between %1 and %2.";
constexpr char16_t kTooManyChars[] = u"Please enter no more than %1 characters.";

std::u16string Format(std::u16string text, long long a, long long b = 0) {
  plat::ReplaceAllIn(text, u"%1", plat::FromInt(a));
  plat::ReplaceAllIn(text, u"%2", plat::FromInt(b));
  return text;
}

void Refuse(CDataExchange* pDX, const std::u16string& message) {
  plat::MessageBox(message);
  pDX->Fail();
}

// The radio buttons of the group that starts with the control id, in order.
std::vector<CWnd*> RadioGroup(CDialog* dialog, UINT id) {
  std::vector<CWnd*> radios;
  CWnd* first = dialog->GetDlgItem(id);
  if (!first) return radios;
  for (CWnd* w : plat::ui::GroupOf(first)) {
    const bool after = !radios.empty() || w == first;
    if (after && (w->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON)) radios.push_back(w);
  }
  return radios;
}

}  // namespace

CDataExchange::CDataExchange(CDialog* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

CWnd* CDataExchange::PrepareCtrl(UINT id) {
  lastId = id;
  lastIsEdit = false;
  return m_pDlgWnd->GetDlgItem(id);
}

CWnd* CDataExchange::LastCtrl() const { return lastId ? m_pDlgWnd->GetDlgItem(lastId) : nullptr; }

CWnd* CDataExchange::PrepareEditCtrl(UINT id) {
  CWnd* w = PrepareCtrl(id);
  lastIsEdit = true;
  return w;
}

void CDataExchange::Fail() {
  failed = true;
  if (!m_bSaveAndValidate) return;
  CWnd* w = m_pDlgWnd->GetDlgItem(lastId);
  if (!w) return;
  w->SetFocus();
  if (lastIsEdit) w->SendMessage(EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* pDX, UINT id, std::u16string& value) {
  if (pDX->Failed() || !pDX->PrepareEditCtrl(id)) return;
  if (pDX->m_bSaveAndValidate) value = pDX->m_pDlgWnd->GetDlgItemText(id);
  else pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Text(CDataExchange* pDX, UINT id, int& value) {
  if (pDX->Failed() || !pDX->PrepareEditCtrl(id)) return;
  if (!pDX->m_bSaveAndValidate) {
    pDX->m_pDlgWnd->SetDlgItemInt(id, value);
    return;
  }
  bool ok = false;
  const int v = pDX->m_pDlgWnd->GetDlgItemInt(id, &ok);
  if (!ok) {
    Refuse(pDX, kNotAnInteger);
    return;
  }
  value = v;
}

void DDX_Check(CDataExchange* pDX, UINT id, int& value) {
  CWnd* w = pDX->Failed() ? nullptr : pDX->PrepareCtrl(id);
  if (!w) return;
  if (pDX->m_bSaveAndValidate) value = static_cast<int>(w->SendMessage(BM_GETCHECK));
  else w->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value));
}

void DDX_Radio(CDataExchange* pDX, UINT id, int& value) {
  if (pDX->Failed() || !pDX->PrepareCtrl(id)) return;
  const std::vector<CWnd*> radios = RadioGroup(pDX->m_pDlgWnd, id);
  if (pDX->m_bSaveAndValidate) {
    value = -1;
    for (std::size_t i = 0; i < radios.size(); ++i)
      if (radios[i]->SendMessage(BM_GETCHECK) == BST_CHECKED) value = static_cast<int>(i);
    return;
  }
  for (std::size_t i = 0; i < radios.size(); ++i)
    radios[i]->SendMessage(BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max) {
  if (pDX->Failed() || !pDX->m_bSaveAndValidate) return;
  if (value < min || value > max) Refuse(pDX, Format(kIntegerRange, min, max));
}

void DDV_MaxChars(CDataExchange* pDX, const std::u16string& value, int count) {
  if (pDX->Failed()) return;
  if (!pDX->m_bSaveAndValidate) {
    // The edit exchanged last stops taking characters at the limit.
    CWnd* w = pDX->LastCtrl();
    if (w && count > 0) w->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(count));
    return;
  }
  if (count >= 0 && value.size() > static_cast<std::size_t>(count)) Refuse(pDX, Format(kTooManyChars, count));
}
