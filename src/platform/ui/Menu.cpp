// Pop-up menus: a window listing the items, tracked in a modal loop.
#include "platform/ui/Menu.h"

#include <algorithm>

#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

bool CMenu::LoadMenu(const CResourceModule* module, UINT id) {
  const MenuTemplate* t = module ? module->FindMenu(id) : nullptr;
  if (!t) return false;
  items = *t;
  subMenus.clear();
  return true;
}

bool CMenu::CreatePopupMenu() {
  RemoveAll();
  return true;
}

void CMenu::AppendMenu(UINT flags, UINT id, const std::u16string& text) {
  MenuItemTemplate item;
  item.flags = flags;
  item.id = id;
  item.text = text;
  items.push_back(std::move(item));
}

CMenu* CMenu::GetSubMenu(int position) {
  if (position < 0 || position >= GetMenuItemCount() || !(items[position].flags & MF_POPUP)) return nullptr;
  auto sub = std::make_unique<CMenu>();
  sub->items = items[position].items;
  subMenus.push_back(std::move(sub));
  return subMenus.back().get();
}

UINT CMenu::GetMenuItemID(int position) const {
  if (position < 0 || position >= GetMenuItemCount()) return 0;
  return (items[position].flags & MF_POPUP) ? 0xFFFFFFFF : items[position].id;
}

std::u16string CMenu::GetMenuString(int position) const {
  if (position < 0 || position >= GetMenuItemCount()) return {};
  return items[position].text;
}

UINT CMenu::GetMenuState(int position) const {
  if (position < 0 || position >= GetMenuItemCount()) return 0xFFFFFFFF;
  return items[position].flags;
}

void CMenu::EnableMenuItem(UINT item, UINT flags) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if ((flags & MF_BYPOSITION) ? i == item : items[i].id == item)
      items[i].flags = (items[i].flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
}

void CMenu::CheckMenuItem(UINT item, UINT flags) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if ((flags & MF_BYPOSITION) ? i == item : items[i].id == item)
      items[i].flags = (items[i].flags & ~MF_CHECKED) | (flags & MF_CHECKED);
}

bool CMenu::InsertMenu(UINT position, UINT flags, UINT id, const std::u16string& text) {
  MenuItemTemplate it;
  it.flags = flags & ~UINT{MF_BYPOSITION | MF_POPUP};
  it.id = id;
  it.text = text;
  items.insert(items.begin() + std::min<std::size_t>(position, items.size()), std::move(it));
  return true;
}

bool CMenu::DeleteMenu(UINT item, UINT flags) {
  if (flags & MF_BYPOSITION) {
    if (item >= items.size()) return false;
    items.erase(items.begin() + item);
    return true;
  }
  const auto before = items.size();
  items.erase(std::remove_if(items.begin(), items.end(),
                             [item](const MenuItemTemplate& it) { return !(it.flags & MF_POPUP) && it.id == item; }),
              items.end());
  return items.size() != before;
}

bool CMenu::ModifyMenu(UINT item, UINT flags, UINT id, const std::u16string& text) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if ((flags & MF_BYPOSITION) ? i == item : items[i].id == item) {
      items[i].flags = (flags & ~UINT{MF_BYPOSITION}) | (items[i].flags & MF_POPUP);
      items[i].id = id;
      items[i].text = text;
      return true;
    }
  return false;
}

namespace {

// The window of a tracked menu: one row per item, the chosen item ends the loop.
class CPopupMenuWnd : public CWnd {
 public:
  explicit CPopupMenuWnd(std::vector<MenuItemTemplate>& items) : items(items) {}

  int RowHeight() const { return 20 * plat::gfx::GetLogicalDpi() / 96; }
  int SeparatorHeight() const { return 7 * plat::gfx::GetLogicalDpi() / 96; }

  CSize Measure() {
    CClientDC dc(this);
    int w = 0, h = 2, keys = 0;
    for (const auto& it : items) {
      if (it.flags & MF_SEPARATOR) {
        h += SeparatorHeight();
        continue;
      }
      // An item's key text after a tab stands in a column of its own at the right.
      const auto tab = it.text.find(u'\t');
      const std::u16string_view label = std::u16string_view(it.text).substr(0, tab);
      w = std::max(w, dc.GetTextExtent(label).cx);
      if (tab != std::u16string::npos) keys = std::max(keys, dc.GetTextExtent(std::u16string_view(it.text).substr(tab + 1)).cx);
      h += RowHeight();
    }
    const int pad = 12 * plat::gfx::GetLogicalDpi() / 96;
    return CSize{w + 2 * pad + 2 + (keys ? keys + pad : 0), h};
  }

  // The item under a client point, or -1.
  int ItemAt(CPoint p) const {
    if (p.x < 0 || p.x >= GetClientRect().Width()) return -1;
    int y = 1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const int h = (items[i].flags & MF_SEPARATOR) ? SeparatorHeight() : RowHeight();
      if (p.y >= y && p.y < y + h) return (items[i].flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) ? -1 : i;
      y += h;
    }
    return -1;
  }

  // The test driver picks an item by its command.
  bool Choose(UINT id) {
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
      if (items[i].id == id && !(items[i].flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED))) {
        chosen = id;
        CWindowManager::Get().EndModalLoop(this, 1);
        return true;
      }
    return false;
  }

  const std::vector<MenuItemTemplate>& Items() const { return items; }
  UINT chosen = 0;
  int hot = -1;

 protected:
  void OnPaint() override {
    CPaintDC dc(this);
    const CRect c = GetClientRect();
    dc.FillSolidRect(c, GetSysColor(COLOR_MENU));
    dc.FrameRect(c, GetSysColor(COLOR_WINDOWFRAME));
    const int pad = 12 * plat::gfx::GetLogicalDpi() / 96;
    int y = 1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const auto& it = items[i];
      if (it.flags & MF_SEPARATOR) {
        dc.FillSolidRect(CRect(2, y + SeparatorHeight() / 2, c.right - 2, y + SeparatorHeight() / 2 + 1), GetSysColor(COLOR_BTNSHADOW));
        y += SeparatorHeight();
        continue;
      }
      const CRect row(1, y, c.right - 1, y + RowHeight());
      const bool grey = it.flags & (MF_GRAYED | MF_DISABLED);
      if (i == hot) dc.FillSolidRect(row, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetBkMode(TRANSPARENT);
      dc.SetTextColor(grey ? GetSysColor(COLOR_GRAYTEXT) : i == hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_MENUTEXT));
      CRect text(row.left + pad, row.top, row.right - 2, row.bottom);
      const auto tab = it.text.find(u'\t');
      const int labelLength = static_cast<int>(tab == std::u16string::npos ? it.text.size() : tab);
      dc.DrawText(it.text.c_str(), labelLength, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
      if (tab != std::u16string::npos) {
        CRect keyText(text.left, text.top, text.right - pad / 2, text.bottom);
        dc.DrawText(it.text.c_str() + tab + 1, static_cast<int>(it.text.size() - tab - 1), &keyText,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
      }
      if (it.flags & MF_CHECKED) {
        CRect mark(row.left + 2, row.top, row.left + pad, row.bottom);
        dc.DrawText(u"\u2713", 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      y += RowHeight();
    }
  }

  void OnLButtonDown(UINT, CPoint p) override {
    if (!GetClientRect().PtInRect(p)) {
      CWindowManager::Get().EndModalLoop(this, 0);  // a tap outside dismisses the menu
      return;
    }
    SetHot(ItemAt(p));
  }
  void OnMouseMove(UINT, CPoint p) override { SetHot(ItemAt(p)); }
  void OnLButtonUp(UINT, CPoint p) override {
    const int i = ItemAt(p);
    if (i >= 0) Choose(items[i].id);
  }
  void OnKeyDown(UINT vk, UINT, UINT) override {
    const int n = static_cast<int>(items.size());
    auto selectable = [&](int i) { return !(items[i].flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); };
    if (vk == VK_ESCAPE) {
      CWindowManager::Get().EndModalLoop(this, 0);
    } else if (vk == VK_RETURN) {
      if (hot >= 0) Choose(items[hot].id);
    } else if (vk == VK_DOWN || vk == VK_UP) {
      for (int step = 1; step <= n; ++step) {
        const int i = ((hot < 0 ? (vk == VK_DOWN ? -1 : 0) : hot) + (vk == VK_DOWN ? step : n - step) + n) % n;
        if (selectable(i)) {
          SetHot(i);
          break;
        }
      }
    }
  }

 private:
  void SetHot(int i) {
    if (i == hot) return;
    hot = i;
    Invalidate(false);
  }
  std::vector<MenuItemTemplate>& items;
};

CPopupMenuWnd* trackedMenu = nullptr;

}  // namespace

// The menu being tracked, for the test driver: chooses the item with this command.
bool ChooseTrackedMenuItem(UINT id) { return trackedMenu && trackedMenu->Choose(id); }
std::vector<std::u16string> TrackedMenuTexts() {
  std::vector<std::u16string> texts;
  if (trackedMenu)
    for (const auto& it : trackedMenu->Items()) texts.push_back(it.text);
  return texts;
}

UINT CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
  auto& wm = CWindowManager::Get();
  if (!wm.IsStarted() || items.empty()) return 0;
  // Update handlers decide what is enabled and checked, as before any menu is shown.
  for (auto& it : items) {
    if (it.flags & (MF_POPUP | MF_SEPARATOR)) continue;
    CCmdUI ui(it.id);
    for (CWnd* w = owner; w; w = w->GetParent() ? w->GetParent() : w->GetOwner())
      if (w->OnCmdMsg(it.id, CN_UPDATE_COMMAND_UI, &ui)) break;
    it.flags = (it.flags & ~UINT{MF_GRAYED | MF_CHECKED}) | (ui.enabled ? 0u : UINT{MF_GRAYED}) | (ui.checked ? UINT{MF_CHECKED} : 0u);
  }
  CPopupMenuWnd popup(items);
  if (!popup.Create(owner, CRect(x, y, x + 10, y + 10), WS_POPUP)) return 0;
  const CSize size = popup.Measure();
  const CSize screen = wm.GetScreenSize();
  const CRect work = wm.GetWorkArea();
  int left = std::clamp(x, 0, std::max(0, screen.cx - size.cx));
  int top = (flags & TPM_BOTTOMALIGN) ? y - size.cy : y;
  top = std::clamp(top, work.top, std::max(work.top, work.bottom - size.cy));
  popup.MoveWindow(CRect(left, top, left + size.cx, top + size.cy), true);
  popup.ShowWindow(SW_SHOW);
  CWnd* oldFocus = CWnd::GetFocus();
  CWnd* oldCapture = CWnd::GetCapture();
  popup.SetFocus();
  popup.SetCapture();  // presses outside reach the menu, which then closes
  CPopupMenuWnd* outer = trackedMenu;
  trackedMenu = &popup;
  wm.RunModalLoop(&popup);
  trackedMenu = outer;
  const UINT chosen = popup.chosen;
  if (CWnd::GetCapture() == &popup) CWnd::ReleaseCapture();
  if (oldCapture && oldCapture->IsWindow()) oldCapture->SetCapture();
  popup.DestroyWindow();
  if (oldFocus && oldFocus->IsWindow()) oldFocus->SetFocus();
  if (flags & TPM_RETURNCMD) return chosen;
  if (chosen && owner && owner->IsWindow()) owner->SendMessage(WM_COMMAND, chosen, 0);
  return chosen != 0;
}
