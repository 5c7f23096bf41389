// Looking up resources by number, and accelerator translation.
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Messages.h"

namespace {
const CResourceModule* resourceHandle = nullptr;
}

const CResourceModule* AfxGetResourceHandle() { return resourceHandle; }
void AfxSetResourceHandle(const CResourceModule* module) { resourceHandle = module; }

std::u16string AfxLoadString(UINT id) { return resourceHandle ? resourceHandle->LoadString(id) : std::u16string(); }

const std::vector<ACCEL>* CResourceModule::FindAccelerators(UINT id) const {
  auto it = accelerators.find(id);
  return it == accelerators.end() ? nullptr : &it->second;
}

const MenuTemplate* CResourceModule::FindMenu(UINT id) const {
  auto it = menus.find(id);
  return it == menus.end() ? nullptr : &it->second;
}

const DialogTemplate* CResourceModule::FindDialog(UINT id) const {
  auto it = dialogs.find(id);
  return it == dialogs.end() ? nullptr : &it->second;
}

const MenuBarTemplate* CResourceModule::FindMenuBar(UINT id) const {
  auto it = menuBars.find(id);
  return it == menuBars.end() ? nullptr : &it->second;
}

const ToolBarTemplate* CResourceModule::FindToolBar(UINT id) const {
  auto it = toolBars.find(id);
  return it == toolBars.end() ? nullptr : &it->second;
}

bool CResourceModule::LoadBitmap(UINT id, CBitmap& out) const {
  auto it = bitmaps.find(id);
  if (it == bitmaps.end()) return false;
  it->second(out);
  return !out.IsEmpty();
}

bool CResourceModule::LoadBitmap(const std::u16string& name, CBitmap& out) const {
  auto it = namedBitmaps.find(name);
  if (it == namedBitmaps.end()) return false;
  it->second(out);
  return !out.IsEmpty();
}

std::u16string CResourceModule::LoadString(UINT id) const {
  auto it = strings.find(id);
  return it == strings.end() ? std::u16string() : it->second;
}

bool CAcceleratorTable::Load(const CResourceModule* module, UINT id) {
  table = module ? module->FindAccelerators(id) : nullptr;
  return table != nullptr;
}


UINT CAcceleratorTable::Translate(UINT message, UINT vk) const {
  if (!table || (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)) return 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  for (const ACCEL& a : *table) {
    if (!(a.fVirt & FVIRTKEY) || a.key != vk) continue;
    if (static_cast<bool>(a.fVirt & FSHIFT) != shift || static_cast<bool>(a.fVirt & FCONTROL) != ctrl ||
        static_cast<bool>(a.fVirt & FALT) != alt)
      continue;
    return a.cmd;
  }
  return 0;
}
