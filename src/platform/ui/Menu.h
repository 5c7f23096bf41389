// Pop-up menus: built from a menu template, tracked modally at a point, the chosen command
// sent to the owner.
#pragma once
#include <vector>

#include "platform/ui/Resources.h"

class CWnd;

enum : UINT { TPM_LEFTALIGN = 0x0, TPM_RETURNCMD = 0x100, TPM_TOPALIGN = 0x0, TPM_BOTTOMALIGN = 0x20 };

class CMenu {
 public:
  bool LoadMenu(const CResourceModule* module, UINT id);
  bool CreatePopupMenu();
  void AppendMenu(UINT flags, UINT id, const std::u16string& text);
  // The n-th pop-up of a loaded menu, or null.
  CMenu* GetSubMenu(int position);
  int GetMenuItemCount() const { return static_cast<int>(items.size()); }
  UINT GetMenuItemID(int position) const;
  std::u16string GetMenuString(int position) const;
  UINT GetMenuState(int position) const;
  // By command, or by position with MF_BYPOSITION.
  void EnableMenuItem(UINT item, UINT flags);
  void CheckMenuItem(UINT item, UINT flags);
  // Inserts a string or separator before position (at the end when past it).
  bool InsertMenu(UINT position, UINT flags, UINT id, const std::u16string& text);
  // Removes the item (by command: every item with that identifier, or by position).
  bool DeleteMenu(UINT item, UINT flags);
  // Replaces an item's flags, identifier and text (by command: the first item with it).
  bool ModifyMenu(UINT item, UINT flags, UINT id, const std::u16string& text);
  void RemoveAll() {
    items.clear();
    subMenus.clear();
  }

  // Shows the menu at a screen point and waits for a choice. With TPM_RETURNCMD returns the
  // command (0: none); otherwise sends WM_COMMAND to owner and returns whether one was chosen.
  // Items are enabled and checked by the owner's update handlers first.
  UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

  const std::vector<MenuItemTemplate>& Items() const { return items; }

 private:
  std::vector<MenuItemTemplate> items;
  std::vector<std::unique_ptr<CMenu>> subMenus;
};

// The menu being tracked, as a test answers it: its item texts, and choosing an item by its
// command (false when no menu is up or the item is greyed).
std::vector<std::u16string> TrackedMenuTexts();
bool ChooseTrackedMenuItem(UINT id);
