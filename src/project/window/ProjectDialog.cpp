// The project window's behaviour: opening with the project's name in the titles, filling
// the tree, opening the file chosen, type-ahead, keeping the groups as the user left them,
// adding and removing files, and closing.
#include "project/window/ProjectDialog.h"

#include <algorithm>
#include <array>

#include "paths/PathHelpers.h"
#include "platform/base/Strings.h"
#include "platform/controls/CommonControls.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"
#include "project/ProjectManager.h"
#include "project/window/ProjectPaths.h"
#include "resources/ResourceIds.h"

namespace {

constexpr COLORREF kIconMask = RGB(255, 255, 255);

HTREEITEM NodeOf(TreeNodeHandle handle) { return reinterpret_cast<HTREEITEM>(handle.value); }
TreeNodeHandle HandleOf(HTREEITEM node) { return TreeNodeHandle{reinterpret_cast<std::uintptr_t>(node)}; }

}  // namespace

CProjectDialog::CProjectDialog(UINT templateId, CProjectWindowHost& host, CWnd* parent)
    : CDialog(templateId, parent), host(host) {
  InitCommonControls();  // the template's tree among them
}

CProjectDialog::~CProjectDialog() = default;

UINT CProjectDialog::TemplateForScreen() {
  const CSize screen = CWindowManager::Get().GetScreenSize();
  return screen.cx > screen.cy ? IDD_PROJECT_LANDSCAPE : IDD_PROJECT;
}

CTreeCtrl* CProjectDialog::Tree() const { return dynamic_cast<CTreeCtrl*>(GetDlgItem(IDC_PROJECT_TREE)); }

int CProjectDialog::DoModal() {
  const int result = CDialog::DoModal();
  // However the window closed without opening a file, the frame gets its title back.
  if (result != IDOK) RestoreFrameTitle();
  return result;
}

bool CProjectDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CWnd* frame = host.GetProjectFrame();
  if (frame) {
    savedFrameTitle = frame->GetWindowText();
    titleSaved = true;
  }
  if (project) {
    std::u16string name, extension;
    SplitPath(project->GetPath(), nullptr, nullptr, &name, &extension);
    const std::u16string caption = extension.empty() ? name : name + u"." + extension;
    SetWindowText(caption);
    if (frame) frame->SetWindowText(caption);
  }
  CTreeCtrl* tree = Tree();
  if (tree) {
    CBitmap strip;
    const CResourceModule* module = AfxGetResourceHandle();
    if (module && module->LoadBitmap(IDB_PROJECT_ICONS, strip) && images.Create(strip, strip.GetHeight(), kIconMask))
      tree->SetImageList(&images, TVSIL_NORMAL);
    FitControls();
    FillTree();
    if (HTREEITEM first = tree->GetFirstVisibleItem()) tree->SelectItem(first);
    tree->SetFocus();
  }
  UpdateButtons();
  return false;  // the tree has the focus
}

void CProjectDialog::FillTree() {
  CTreeCtrl* tree = Tree();
  if (!tree || !project) return;
  tree->SetRedraw(false);
  ProjectManager::GroupNodes& groups = project->GetGroupNodes();
  for (auto& [name, handle] : groups) handle = HandleOf(tree->InsertItem(name, kClosedGroupImage, kClosedGroupImage));
  for (CObject* element : *project->GetItems()) {
    const auto* item = static_cast<const CProjectItem*>(element);
    const std::u16string* name = item->Find(CProjectItem::kFilename);
    const std::u16string* path = item->Find(CProjectItem::kPathname);
    const std::u16string* group = item->Find(CProjectItem::kGroupname);
    const TreeNodeHandle* node = group ? groups.Find(*group) : nullptr;
    if (node && tree->IsItem(NodeOf(*node)))
      InsertFile(name ? *name : std::u16string(), path ? *path : std::u16string(), NodeOf(*node), TVI_SORT);
    else
      InsertFile(name ? *name : std::u16string(), path ? *path : std::u16string(), TVI_ROOT, TVI_LAST);
  }
  if (plat::ToLower(project->GetType()) == u"csp") tree->SortChildren(TVI_ROOT);
  tree->SetRedraw(true);
  // Groups open as the user left them; opening here leaves their icons as inserted.
  ProjectManager::GroupStates& states = project->GetGroupStates();
  for (const auto& [name, handle] : groups) {
    const std::u16string* state = states.Find(name);
    if (state && *state == u"1") tree->Expand(NodeOf(handle), TVE_EXPAND);
  }
}

TreeItemNode* CProjectDialog::InsertFile(const std::u16string& name, const std::u16string& path, TreeItemNode* parent,
                                         TreeItemNode* after) {
  CTreeCtrl* tree = Tree();
  const HTREEITEM node = tree->InsertItem(name, kFileImage, kFileImage, parent, after);
  if (!node) return nullptr;
  paths.push_back(std::make_unique<std::u16string>(path));
  tree->SetItemData(node, reinterpret_cast<LPARAM>(paths.back().get()));
  return node;
}

void CProjectDialog::FitControls() {
  CTreeCtrl* tree = Tree();
  if (!tree) return;
  const CRect client = GetClientRect();
  const int margin = MapDialogRect(CRect(0, 0, 2, 2)).right;
  auto placeOf = [this](CWnd* w) {
    CRect r = w->GetWindowRect();
    ScreenToClient(r);
    return r;
  };
  // The buttons keep their width at the right edge; the tree takes the rest.
  int buttonsLeft = client.right;
  for (UINT id : {UINT{IDC_PROJECT_OPEN}, UINT{IDCANCEL}, UINT{IDC_PROJECT_ADD}, UINT{IDC_PROJECT_REMOVE}}) {
    CWnd* button = GetDlgItem(id);
    if (!button) continue;
    const CRect r = placeOf(button);
    const int left = std::max(0, client.right - margin - r.Width());
    button->MoveWindow(CRect(left, r.top, left + r.Width(), r.bottom), true);
    buttonsLeft = std::min(buttonsLeft, left);
  }
  const CRect t = placeOf(tree);
  const int bottom = (GetStyle() & WS_VSCROLL) ? t.bottom : std::max(t.bottom, client.bottom - margin);
  tree->MoveWindow(CRect(t.left, t.top, std::max(t.left + 1, buttonsLeft - 2 * margin), bottom), true);
}

void CProjectDialog::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  FitControls();
}

LRESULT CProjectDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
  if (message == WM_SHOWWINDOW && wParam) UpdateButtons();
  return result;
}

void CProjectDialog::UpdateButtons() {
  const bool own = project && project->GetType() == ProjectManager::kTypeCsp;
  const CTreeCtrl* tree = Tree();
  if (CWnd* add = GetDlgItem(IDC_PROJECT_ADD)) add->EnableWindow(own);
  if (CWnd* remove = GetDlgItem(IDC_PROJECT_REMOVE)) remove->EnableWindow(own && tree && tree->GetCount() > 0);
}

void CProjectDialog::RestoreFrameTitle() {
  if (!titleSaved) return;
  titleSaved = false;
  if (CWnd* frame = host.GetProjectFrame()) frame->SetWindowText(savedFrameTitle);
}

// --- events -------------------------------------------------------------------------------

bool CProjectDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (!ui && code == static_cast<int>(BN_CLICKED)) {
    switch (id) {
      case IDC_PROJECT_OPEN: OpenSelected(); return true;
      case IDC_PROJECT_ADD: AddFile(); return true;
      case IDC_PROJECT_REMOVE: RemoveFile(); return true;
      default: break;
    }
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

void CProjectDialog::OnOK() { OpenSelected(); }

void CProjectDialog::OnCancel() {
  RestoreFrameTitle();
  ShowWindow(SW_HIDE);
  EndDialog(IDCANCEL);
}

bool CProjectDialog::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->idFrom != IDC_PROJECT_TREE) return false;
  *result = 0;
  switch (header->code) {
    case TVN_SELCHANGED: {
      const auto* nm = reinterpret_cast<const NMTREEVIEW*>(lParam);
      const auto* path = reinterpret_cast<const std::u16string*>(nm->itemNew.hItem ? nm->itemNew.lParam : 0);
      selectedPath = path ? *path : std::u16string();
      return true;
    }
    case NM_DBLCLK: OpenSelected(); return true;
    case TVN_KEYDOWN: TypeAhead(reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey); return true;
    case TVN_ITEMEXPANDING: {
      const auto* nm = reinterpret_cast<const NMTREEVIEW*>(lParam);
      CTreeCtrl* tree = Tree();
      const HTREEITEM node = nm->itemNew.hItem;
      if (!tree || !tree->IsItem(node)) return true;
      const bool opening = nm->action == TVE_EXPAND;
      const int image = opening ? kOpenGroupImage : kClosedGroupImage;
      tree->SetItemImage(node, image, image);
      // Kept with the project, so that the window opens the groups the same way next time.
      if (project && tree->ItemHasChildren(node))
        project->GetGroupStates().SetAt(tree->GetItemText(node), opening ? u"1" : u"0");
      return true;
    }
    default: return false;
  }
}

void CProjectDialog::TypeAhead(UINT vk) {
  // Digits, letters and the keys numbered above them; the text only grows.
  if (vk <= 47) return;
  typeAhead.push_back(static_cast<char16_t>(vk));
  CTreeCtrl* tree = Tree();
  if (!tree || tree->GetCount() == 0) return;
  const std::u16string wanted = plat::ToLower(typeAhead);
  const HTREEITEM start = tree->GetSelectedItem();
  // Every node after the selection in depth-first order, round from the first node again;
  // the selected node itself is not tested.
  HTREEITEM node = tree->GetNextDepthFirst(start);
  for (UINT tested = 0; tested < tree->GetCount(); ++tested) {
    if (!node) node = tree->GetRootItem();
    if (node == start) break;
    if (plat::ToLower(tree->GetItemText(node)).find(wanted) != std::u16string::npos) {
      tree->SelectItem(node);
      return;
    }
    node = tree->GetNextDepthFirst(node);
  }
}

void CProjectDialog::OpenSelected() {
  if (selectedPath.empty() || !project) return;
  ShowWindow(SW_HIDE);
  std::u16string fullPath = selectedPath;
  if (project->GetType() != ProjectManager::kTypeCsp) {
    // Written on a system that ignored letter case: a name may differ from the disk's.
    fullPath = FindIgnoringCase(ResolveProjectPath(project->GetDirectory(), selectedPath));
  }
  // The three latest recent files stay on top in their order: the project's file does not
  // push them out.
  std::array<std::u16string, 3> recent;
  for (int i = 0; i < 3; ++i) host.GetRecentFile(i, recent[static_cast<std::size_t>(i)]);
  // The frame's own title comes back first: a document that opens puts its title there,
  // one that cannot be read (and says so) leaves the title as it was before the window.
  RestoreFrameTitle();
  host.OpenProjectFile(fullPath);
  for (int i = 2; i >= 0; --i)
    if (!recent[static_cast<std::size_t>(i)].empty()) host.AddToRecentFileList(recent[static_cast<std::size_t>(i)]);
  host.ActivateProjectFrame();
  EndDialog(IDOK);
}

void CProjectDialog::AddFile() {
  if (!project || project->GetType() != ProjectManager::kTypeCsp) return;
  std::u16string path = project->GetDirectory();
  std::u16string filter = host.GetLastFilter();
  if (!host.PromptForProjectFile(path, filter, IDS_ADD_FILE)) return;
  host.GetLastFilter() = filter;
  project->AddFile(path);
  project->Save();  // a failed save is not reported: the tree shows the file anyway
  std::u16string name;
  if (const CObList2* items = project->GetItems(); items && items->GetTailPosition())
    static_cast<const CProjectItem*>(items->GetAt(items->GetTailPosition()))->GetFilename(name);
  CTreeCtrl* tree = Tree();
  if (!tree) return;
  const HTREEITEM node = InsertFile(name, path, TVI_ROOT, TVI_SORT);
  tree->Invalidate(false);
  tree->SelectItem(node);
  tree->SetFocus();
  UpdateButtons();
}

void CProjectDialog::RemoveFile() {
  CTreeCtrl* tree = Tree();
  if (!tree || !project || project->GetType() != ProjectManager::kTypeCsp) return;
  const HTREEITEM node = tree->GetSelectedItem();
  const auto* path = reinterpret_cast<const std::u16string*>(tree->GetItemData(node));
  // Nothing chosen, or a group: a group has no path, and its files are still in the project.
  if (!node || !path) return;
  project->RemoveFile(*path);
  project->Save();
  HTREEITEM neighbour = tree->GetPrevSiblingItem(node);
  if (!neighbour) neighbour = tree->GetNextSiblingItem(node);
  tree->DeleteItem(node);
  if (neighbour) {
    tree->SelectItem(neighbour);
    tree->SetFocus();
  }
  UpdateButtons();
}
