// The program's resources addressed by number: accelerator tables, menus, dialog
// templates, bitmaps and strings. The data lives in src/resources; the platform only looks it up.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Types.h"
#include "platform/ui/DialogTemplate.h"

class CBitmap;

// One accelerator: a key with modifiers and the command it gives.
enum : unsigned char { FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };
struct ACCEL {
  unsigned char fVirt;
  UINT key;  // a virtual-key code with FVIRTKEY, else a character
  UINT cmd;
};

// Menu items: a command, a separator or a pop-up holding further items.
enum : UINT {
  MF_STRING = 0x0,
  MF_BYCOMMAND = 0x0,
  MF_GRAYED = 0x1,
  MF_DISABLED = 0x2,
  MF_CHECKED = 0x8,
  MF_POPUP = 0x10,
  MF_BYPOSITION = 0x400,
  MF_SEPARATOR = 0x800,
};
struct MenuItemTemplate {
  UINT flags = MF_STRING;
  UINT id = 0;
  std::u16string text;
  std::vector<MenuItemTemplate> items;  // for MF_POPUP
};
using MenuTemplate = std::vector<MenuItemTemplate>;

// The menu bar at the bottom of the screen: a menu whose pop-ups hang from drop-down
// buttons labelled by strings.
struct MenuBarButtonTemplate {
  UINT command = 0;
  UINT labelString = 0;  // string resource of the label
  int popup = -1;        // index of the pop-up in the menu, -1 for none
};
struct MenuBarTemplate {
  UINT menuId = 0;
  std::vector<MenuBarButtonTemplate> buttons;
};
// A strip of equal button images, one per command in order (0 is a separator, which has
// no image); the strip is drawn by code.
struct ToolBarTemplate {
  int imageWidth = 16;
  int imageHeight = 16;
  std::vector<UINT> commands;
  std::function<void(CBitmap&)> drawImages;
};

class CResourceModule {
 public:
  std::map<UINT, std::vector<ACCEL>> accelerators;
  std::map<UINT, MenuTemplate> menus;
  std::map<UINT, DialogTemplate> dialogs;
  std::map<UINT, std::function<void(CBitmap&)>> bitmaps;  // each draws its bitmap
  std::map<std::u16string, std::function<void(CBitmap&)>> namedBitmaps;
  std::map<UINT, std::u16string> strings;
  std::map<UINT, MenuBarTemplate> menuBars;
  std::map<UINT, ToolBarTemplate> toolBars;

  const std::vector<ACCEL>* FindAccelerators(UINT id) const;
  const MenuTemplate* FindMenu(UINT id) const;
  const DialogTemplate* FindDialog(UINT id) const;
  const MenuBarTemplate* FindMenuBar(UINT id) const;
  const ToolBarTemplate* FindToolBar(UINT id) const;
  bool LoadBitmap(UINT id, CBitmap& out) const;
  bool LoadBitmap(const std::u16string& name, CBitmap& out) const;
  std::u16string LoadString(UINT id) const;
};

// The module the program's resources come from (set once at start-up).
const CResourceModule* AfxGetResourceHandle();
void AfxSetResourceHandle(const CResourceModule* module);
// A string of that module; empty when there is no module or no such string.
std::u16string AfxLoadString(UINT id);

// An accelerator table loaded from a module.
class CAcceleratorTable {
 public:
  bool Load(const CResourceModule* module, UINT id);
  bool IsLoaded() const { return table != nullptr; }
  void Unload() { table = nullptr; }
  // The command for a keyboard message, or 0. Only key-down messages translate.
  UINT Translate(UINT message, UINT vk) const;

 private:
  const std::vector<ACCEL>* table = nullptr;
};
