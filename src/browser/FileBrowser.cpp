// The file browser's behaviour: opening at the starting path, the type box, the listing
// with its columns and order, accepting a name or entering a folder, and going up.
#include "browser/FileBrowser.h"

#include <algorithm>
#include <array>

#include "paths/PathHelpers.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CommonControls.h"
#include "platform/controls/ListCtrl.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowManager.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kFolderImage = 0, kFileImage = 1;
constexpr int kIconSize = 16;
constexpr COLORREF kIconMask = RGB(0, 0, 255);

struct ColumnLayout {
  const char16_t* heading;
  int landscapeWidth;
  int portraitWidth;
};
constexpr std::array<ColumnLayout, 4> kColumns = {{
    {u"Name", 170, 114},
    {u"Size", 100, 52},
    {u"Date", 140, 100},
    {u"Type", 180, 115},
}};

}  // namespace

CFileBrowser::CFileBrowser(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), createdLayout(templateId), layout(templateId) {
  InitCommonControls();  // the template's controls, a drop-down list and a list view among them
}

UINT CFileBrowser::TemplateForScreen() {
  const CSize screen = CWindowManager::Get().GetScreenSize();
  return screen.cx > screen.cy ? IDD_FILE_BROWSER_LANDSCAPE : IDD_FILE_BROWSER;
}

bool CFileBrowser::IsHighResolution(int width, int height) {
  // A square screen counts as the portrait one it is laid out as.
  if (width > height) return width >= 601;
  return width > 400;
}

void CFileBrowser::AddFilter(std::u16string_view pattern, std::u16string_view name) {
  filters.push_back(CFileFilter{std::u16string(name), std::u16string(pattern)});
}

void CFileBrowser::SetInitialPath(std::u16string_view path) {
  initialPath = path == u"\\" ? std::u16string() : std::u16string(path);
}

void CFileBrowser::SetFilter(std::u16string_view pattern) {
  for (std::size_t i = 0; i < filters.size(); ++i)
    if (filters[i].pattern == pattern) {
      filterIndex = static_cast<int>(i);
      return;
    }
}

void CFileBrowser::SetTitle(std::u16string_view text) { title = text; }

bool CFileBrowser::GetPath(std::u16string& path) const {
  if (resultName.empty()) return false;
  path = JoinBrowsePath(folder, resultName);
  return true;
}

CListCtrl* CFileBrowser::List() const { return dynamic_cast<CListCtrl*>(GetDlgItem(IDC_BROWSER_LIST)); }

CComboBox* CFileBrowser::TypeBox() const { return dynamic_cast<CComboBox*>(GetDlgItem(IDC_BROWSER_TYPE)); }

bool CFileBrowser::OnInitDialog() {
  CDialog::OnInitDialog();
  // The up button's bitmaps: the large set on a high-resolution screen.
  const CSize screen = CWindowManager::Get().GetScreenSize();
  if (IsHighResolution(screen.cx, screen.cy)) SetDlgItemText(IDC_BROWSER_UP, u"IDB_DIR_UP_L");
  upButton.AutoLoad(IDC_BROWSER_UP, this);

  if (CListCtrl* list = List()) {
    CBitmap strip;
    const CResourceModule* module = AfxGetResourceHandle();
    if (module && module->LoadBitmap(IDB_FILE_ICONS, strip) && icons.Create(strip, kIconSize, kIconMask))
      list->SetImageList(&icons, LVSIL_SMALL);
    for (std::size_t i = 0; i < kColumns.size(); ++i) list->InsertColumn(static_cast<int>(i), kColumns[i].heading);
    ApplyColumnWidths();
    templateListHeight = list->GetWindowRect().Height();
  }
  FitControls();

  // The starting path splits into the proposed name and the folder holding it.
  std::u16string name;
  GetBareFileName(name, initialPath);
  folder = initialPath;
  // The name comes off the end only: a folder may hold the same text further up.
  if (!name.empty() && folder.size() >= name.size() && folder.compare(folder.size() - name.size(), name.size(), name) == 0)
    folder.resize(folder.size() - name.size());

  if (CComboBox* box = TypeBox()) {
    for (const CFileFilter& f : filters) box->AddString(FilterText(f));
    box->SetCurSel(filterIndex);
  }
  if (filterIndex >= 0 && filterIndex < static_cast<int>(filters.size()))
    currentPattern = filters[static_cast<std::size_t>(filterIndex)].pattern;
  Refresh();

  SetDlgItemText(IDC_BROWSER_NAME, name);
  GotoDlgCtrl(GetDlgItem(IDC_BROWSER_NAME));  // the whole name selected, ready to type over
  SetWindowText(title);
  return false;  // the name box has the focus
}

void CFileBrowser::FitControls() {
  CListCtrl* list = List();
  if (!list) return;
  const CRect client = GetClientRect();
  const int margin = MapDialogRect(CRect(0, 0, 2, 0)).right;
  auto placeOf = [this](CWnd* w) {
    CRect r = w->GetWindowRect();
    ScreenToClient(r);
    return r;
  };
  CWnd* name = GetDlgItem(IDC_BROWSER_NAME);
  CWnd* type = TypeBox();
  if (layout != IDD_FILE_BROWSER_LANDSCAPE && upButton.IsWindow() && type) {
    // Portrait: the up button at the right edge, the type box up to it.
    const CRect up = placeOf(&upButton);
    const int left = std::max(0, client.right - margin - up.Width());
    upButton.MoveWindow(CRect(left, up.top, left + up.Width(), up.bottom), true);
    const CRect t = placeOf(type);
    type->MoveWindow(CRect(t.left, t.top, std::max(t.left + 1, left - margin), t.bottom), true);
  }
  if (name) {
    const CRect n = placeOf(name);
    name->MoveWindow(CRect(n.left, n.top, std::max(n.left + 1, client.right - margin), n.bottom), true);
  }
  // The list reaches the bottom unless the dialog scrolls its controls on a short screen.
  const CRect l = placeOf(list);
  const int height = templateListHeight > 0 ? templateListHeight : l.Height();
  const int bottom = (GetStyle() & WS_VSCROLL) ? l.top + height : std::max(l.top + height, client.bottom);
  list->MoveWindow(CRect(l.left, l.top, std::max(l.left + 1, client.right), std::max(l.top + 1, bottom)), true);
}

void CFileBrowser::Relayout(UINT newLayout) {
  const CResourceModule* module = AfxGetResourceHandle();
  const DialogTemplate* t = module ? module->FindDialog(newLayout) : nullptr;
  if (!t) return;
  // Controls with ids are found by them; the labels nobody addresses by their order.
  std::vector<CWnd*> labels;
  for (CWnd* c : GetChildren())
    if (c->GetDlgCtrlID() == IDC_STATIC) labels.push_back(c);
  std::size_t label = 0;
  for (const DialogItemTemplate& item : t->items) {
    CWnd* w = item.id == IDC_STATIC ? (label < labels.size() ? labels[label++] : nullptr) : GetDlgItem(item.id);
    if (!w) continue;
    CRect r = MapDialogItemRect(item, GetBaseUnits());
    const CRect now = w->GetWindowRect();
    if (w == TypeBox()) {
      // The template's height is the opened list's; the field keeps its own.
      TypeBox()->SetDroppedHeight(r.Height());
      r.bottom = r.top + now.Height();
    } else if (w == &upButton) {
      r = CRect(r.left, r.top, r.left + now.Width(), r.top + now.Height());
    } else if (w == List()) {
      templateListHeight = r.Height();
    }
    w->MoveWindow(r, true);
  }
  layout = newLayout;
  ApplyColumnWidths();
  Invalidate(true);
}

void CFileBrowser::ApplyColumnWidths() {
  CListCtrl* list = List();
  if (!list) return;
  const bool landscape = layout == IDD_FILE_BROWSER_LANDSCAPE;
  for (std::size_t i = 0; i < kColumns.size(); ++i)
    list->SetColumnWidth(static_cast<int>(i), landscape ? kColumns[i].landscapeWidth : kColumns[i].portraitWidth);
}

void CFileBrowser::OnSize(UINT type, int cx, int cy) {
  // The screen turned: the controls move to the layout of its new shape, which fits it
  // without scrolling. A dialog already scrolling its controls keeps their places.
  const UINT wanted = TemplateForScreen();
  if (wanted != layout && List() && !(GetStyle() & WS_VSCROLL)) Relayout(wanted);
  // The dialog works out its scrolling from the layout it was made with.
  if (layout == createdLayout) CDialog::OnSize(type, cx, cy);
  FitControls();
}

void CFileBrowser::Refresh() {
  CWaitCursor wait;
  CListCtrl* list = List();
  // The rows point into the entries: they go before the entries are replaced.
  if (list) {
    list->SetRedraw(false);
    list->DeleteAllItems();
  }
  entries = ListFolderEntries(folder, currentPattern);
  if (!list) return;
  const CShortDateTime dates;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const CFileEntry& e = entries[i];
    const int item = list->InsertItem(static_cast<int>(i), e.name, e.isFolder ? kFolderImage : kFileImage);
    if (item < 0) continue;
    list->SetItemData(item, reinterpret_cast<LPARAM>(&e));
    if (!e.isFolder) {
      list->SetItemText(item, BrowseColumnSize, SizeText(e.size));
      list->SetItemText(item, BrowseColumnDate, dates.Format(e.writeTime));
    }
    list->SetItemText(item, BrowseColumnType, e.type);
  }
  SortList();
  list->SetRedraw(true);
}

int CFileBrowser::CompareItems(LPARAM item1, LPARAM item2, LPARAM sortData) {
  const auto* self = reinterpret_cast<const CFileBrowser*>(sortData);
  return CompareEntries(*reinterpret_cast<const CFileEntry*>(item1), *reinterpret_cast<const CFileEntry*>(item2), self->sortColumn);
}

void CFileBrowser::SortList() {
  CListCtrl* list = List();
  if (!list) return;
  list->SortItems(CompareItems, reinterpret_cast<LPARAM>(this));
  if (list->GetSelectionMark() >= 0) list->EnsureVisible(list->GetSelectionMark(), false);
}

void CFileBrowser::TakeNameOf(int item) {
  CListCtrl* list = List();
  const auto* e = list ? reinterpret_cast<const CFileEntry*>(list->GetItemData(item)) : nullptr;
  if (e && !e->isFolder) SetDlgItemText(IDC_BROWSER_NAME, e->name);
}

void CFileBrowser::Accept() {
  CListCtrl* list = List();
  const int mark = list ? list->GetSelectionMark() : -1;
  const auto* e = mark >= 0 ? reinterpret_cast<const CFileEntry*>(list->GetItemData(mark)) : nullptr;
  if (e && e->isFolder) {
    folder = e->path;  // copied before the refresh lets the entries go
    Refresh();
    return;
  }
  resultName = GetDlgItemText(IDC_BROWSER_NAME);
  EndDialog(resultName.empty() ? IDCANCEL : IDOK);
}

void CFileBrowser::GoUp() {
  folder = ParentBrowseFolder(folder);
  Refresh();
}

void CFileBrowser::OnOK() { Accept(); }

bool CFileBrowser::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (!ui && id == IDC_BROWSER_TYPE && code == static_cast<int>(CBN_SELCHANGE)) {
    const int chosen = TypeBox() ? TypeBox()->GetCurSel() : -1;
    if (chosen >= 0 && chosen < static_cast<int>(filters.size())) {
      filterIndex = chosen;
      currentPattern = filters[static_cast<std::size_t>(chosen)].pattern;
      Refresh();
    }
    return true;
  }
  if (!ui && id == IDC_BROWSER_UP && code == static_cast<int>(BN_CLICKED)) {
    GoUp();
    return true;
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

bool CFileBrowser::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->idFrom != IDC_BROWSER_LIST) return false;
  *result = 0;
  switch (header->code) {
    case NM_CLICK: TakeNameOf(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem); return true;
    case LVN_ITEMCHANGED: {
      // A file chosen with the keys names itself too, as a tap does.
      const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((nm->uNewState & LVIS_SELECTED) && !(nm->uOldState & LVIS_SELECTED)) TakeNameOf(nm->iItem);
      return true;
    }
    case NM_DBLCLK:
    case NM_RETURN: Accept(); return true;
    case LVN_COLUMNCLICK:
      sortColumn = std::clamp(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem, 0, static_cast<int>(kColumns.size()) - 1);
      SortList();
      return true;
    default: return false;
  }
}
