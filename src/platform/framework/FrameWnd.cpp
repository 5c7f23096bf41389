// CFrameWnd: creation with its view, layout, keys, closing, menu and button updates, the route.
#include "platform/framework/FrameWnd.h"

#include <algorithm>

#include "platform/framework/AfxRes.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowManager.h"

void CMenuCmdUI::Enable(bool on) {
  CCmdUI::Enable(on);
  m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? 0u : UINT{MF_GRAYED}));
}

void CMenuCmdUI::SetCheck(int check) {
  CCmdUI::SetCheck(check);
  m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? UINT{MF_CHECKED} : 0u));
}

void CMenuCmdUI::SetText(std::u16string_view t) {
  CCmdUI::SetText(t);
  const UINT keep = m_pMenu->GetMenuState(static_cast<int>(m_nIndex)) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
  m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | keep, m_nID, std::u16string(t));
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
  // While this is still a frame: its OnDestroy lets go of the menu bar and the main window.
  DestroyWindow();
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  auto& wm = CWindowManager::Get();
  std::u16string title;
  if (const CResourceModule* module = AfxGetResourceHandle()) title = module->LoadString(resourceId);
  title = title.substr(0, title.find(u'\n'));
  if (title.empty() && AfxGetApp()) title = AfxGetApp()->m_pszAppName;
  pendingContext = context;
  const bool created = Create(parent, wm.GetWorkArea(), style, 0, title);
  pendingContext = nullptr;
  if (!created) return false;
  LoadAccelTable(resourceId);  // a frame without keys of its own is fine
  return true;
}

void CFrameWnd::SetActiveView(CView* view) {
  activeView = view;
}

CDocument* CFrameWnd::GetActiveDocument() const {
  return activeView ? activeView->GetDocument() : nullptr;
}

bool CFrameWnd::LoadAccelTable(UINT id) {
  return accelerators.Load(AfxGetResourceHandle(), id);
}

void CFrameWnd::RecalcLayout() {
  if (activeView && activeView->IsWindow()) {
    const CRect c = GetClientRect();
    if (activeView->GetWindowRect().Width() != c.Width() || activeView->GetWindowRect().Height() != c.Height() ||
        activeView->GetWindowRect().left != GetClientRectOnScreen().left ||
        activeView->GetWindowRect().top != GetClientRectOnScreen().top)
      activeView->MoveWindow(c, true);
  }
  if (CMenuBar* bar = SHFindMenuBar(this)) bar->Reposition();
}

void CFrameWnd::ActivateFrame() {
  // Only shown: raising it over an open dialog would hide what the user must answer.
  ShowWindow(SW_SHOW);
}

bool CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    if (const UINT cmd = accelerators.Translate(msg->message, static_cast<UINT>(msg->wParam))) {
      SendMessage(WM_COMMAND, cmd, 0);
      return true;
    }
  }
  return CWnd::PreTranslateMessage(msg);
}

bool CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  const std::pair<UINT, int> key{id, code};
  const bool again = std::find(routing.begin(), routing.end(), key) != routing.end();
  routing.push_back(key);
  struct Pop {
    std::vector<std::pair<UINT, int>>& v;
    ~Pop() { v.pop_back(); }
  } pop{routing};
  if (!again) {
    if (activeView && activeView->OnCmdMsg(id, code, ui)) return true;
    if (CDocument* doc = GetActiveDocument(); doc && doc->OnCmdMsg(id, code, ui)) return true;
  }
  if (OnFrameCmdMsg(id, code, ui)) return true;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, ui);
}

bool CFrameWnd::OnFrameCmdMsg(UINT id, int code, CCmdUI* ui) {
  // The view lies in the frame itself, not in a splitter: there is no other pane to go to.
  if ((id == ID_NEXT_PANE || id == ID_PREV_PANE) && code == CN_UPDATE_COMMAND_UI) {
    ui->Enable(false);
    return true;
  }
  return false;
}

bool CFrameWnd::OnCreateClient(CCreateContext* context) {
  if (!context || !context->newView) return true;
  std::unique_ptr<CView> view = context->newView();
  if (!view) return false;
  if (context->currentDoc) context->currentDoc->AddView(view.get());
  if (!view->CreateView(this, GetClientRect(), AFX_IDW_PANE_FIRST))
    return false;  // the view leaves the document as it goes
  ownedView = std::move(view);
  SetActiveView(ownedView.get());
  return true;
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, bool sysMenu) {
  if (!popup || sysMenu) return;
  CMenuCmdUI state(popup);
  state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    const int pos = static_cast<int>(state.m_nIndex);
    const UINT id = popup->GetMenuItemID(pos);
    if (id == 0 || id == 0xFFFFFFFF || (popup->GetMenuState(pos) & MF_SEPARATOR)) continue;
    state.m_nID = id;
    state.enabled = true;
    state.checked = 0;
    state.handled = OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state);
    // A handler that removed items leaves the index past the end: step back to the item
    // after the last one with this identifier.
    const UINT count = static_cast<UINT>(popup->GetMenuItemCount());
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= std::min(state.m_nIndex, state.m_nIndexMax - count);
      while (state.m_nIndex < count && popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == id) ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::OnIdleUpdateCmdUI() {
  CMenuBar* bar = SHFindMenuBar(this);
  if (!bar) return;
  for (int i = 0; i < bar->GetButtonCount(); ++i) {
    const CMenuBar::Button& b = bar->GetButton(i);
    if (b.separator || b.popup) continue;
    // As with menu items, a button no update handler answers is enabled.
    CCmdUI ui(b.command);
    OnCmdMsg(b.command, CN_UPDATE_COMMAND_UI, &ui);
    bar->SendMessage(TB_ENABLEBUTTON, b.command, MAKELPARAM(ui.enabled ? 1 : 0, 0));
  }
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(reinterpret_cast<CMenu*>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                      HIWORD(static_cast<std::uintptr_t>(lParam)) != 0);
      return 0;
    case WM_IDLEUPDATECMDUI:
      OnIdleUpdateCmdUI();
      return 0;
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

int CFrameWnd::OnCreate() {
  if (pendingContext && !OnCreateClient(pendingContext)) return -1;
  return 0;
}

void CFrameWnd::OnSize(UINT, int, int) {
  RecalcLayout();
}

void CFrameWnd::OnClose() {
  if (CDocument* doc = GetActiveDocument(); doc && !doc->SaveModified()) return;
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  SHDestroyMenuBar(this);
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    // The main window gone, the program ends.
    CWindowManager::Get().PostQuitMessage(0);
  }
}

void CFrameWnd::OnSetFocus(CWnd*) {
  if (activeView && activeView->IsWindow()) activeView->SetFocus();
}
