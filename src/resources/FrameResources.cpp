// The main frame's resources: menu, keys and menu-bar definition 100, button strips 100 and 106.
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

void DrawFrameButtons16(CBitmap& strip);
void DrawFrameButtons32(CBitmap& strip);

namespace {

constexpr UINT kKeyF6 = 0x75;

MenuItemTemplate Item(UINT id, const char16_t* text, UINT flags = MF_STRING) {
  return {flags, id, text, {}};
}
MenuItemTemplate Separator() {
  return {MF_SEPARATOR, 0, u"", {}};
}
MenuItemTemplate Popup(const char16_t* text, std::vector<MenuItemTemplate> items) {
  return {MF_POPUP, 0, text, std::move(items)};
}

MenuTemplate MainMenu() {
  return {
      Popup(u"File",
            {Item(ID_FILE_NEW_SOURCE, u"New Source File\tCtrl+N"), Item(ID_FILE_NEW_PROJECT, u"New Project"),
             Item(ID_FILE_OPEN, u"&Open\tCtrl+O"), Item(ID_FILE_SAVE, u"&Save\tCtrl+S"),
             Item(ID_FILE_SAVE_AS, u"Save &As..."), Separator(), Item(ID_APP_ABOUT, u"About Tovin"), Separator(),
             // The recent files' placeholder: greyed until the list has entries.
             Item(ID_FILE_MRU_FILE1, u"Recent File", MF_STRING | MF_GRAYED), Separator(), Item(ID_APP_EXIT, u"E&xit")}),
      Popup(u"Edit", {Item(ID_EDIT_UNDO, u"&Undo"), Separator(), Item(ID_EDIT_CUT, u"Cut"), Item(ID_EDIT_COPY, u"Copy"),
                      Item(ID_EDIT_PASTE, u"Paste"), Separator(), Item(ID_EDIT_FIND, u"Find"),
                      Item(ID_EDIT_REPLACE, u"Replace"), Separator(), Item(ID_EDIT_GOTO_LINE, u"Jump to Line Number")}),
      Popup(u"Tools",
            {Item(ID_TOOLS_SHOW_PROJECT, u"Show Project..."), Item(ID_TOOLS_FILE_OUTLINE, u"&File Outline...\tCtrl-2"),
             Item(ID_TOOLS_OPTIONS, u"&Options..."), Separator(), Item(ID_TOOLS_CUSTOMIZE, u"&Customize...")}),
  };
}

std::vector<ACCEL> MainAccelerators() {
  constexpr unsigned char V = FVIRTKEY, C = FVIRTKEY | FCONTROL, S = FVIRTKEY | FSHIFT, A = FVIRTKEY | FALT;
  return {
      {C, '1', ID_SHOW_PROJECT},   {C, '2', ID_TOOLS_FILE_OUTLINE}, {C, '3', ID_FIND_NEXT},
      {C, 'C', ID_EDIT_COPY},      {C, VK_INSERT, ID_EDIT_COPY},    {C, 'G', ID_EDIT_GOTO_LINE},
      {C, 'N', ID_FILE_NEW},       {C, 'O', ID_FILE_OPEN},          {C, 'S', ID_FILE_SAVE},
      {C, 'V', ID_EDIT_PASTE},     {S, VK_INSERT, ID_EDIT_PASTE},   {C, 'X', ID_EDIT_CUT},
      {S, VK_DELETE, ID_EDIT_CUT}, {C, 'Z', ID_EDIT_UNDO},          {A, VK_BACK, ID_EDIT_UNDO},
      {V, kKeyF6, ID_NEXT_PANE},   {S, kKeyF6, ID_PREV_PANE},
  };
}

// Three drop-down buttons without images, each opening its pop-up of menu 100.
MenuBarTemplate MainMenuBar() {
  return {IDR_MAINFRAME,
          {{ID_MENU_FILE, IDS_MENU_FILE, 0}, {ID_MENU_EDIT, IDS_MENU_EDIT, 1}, {ID_MENU_TOOLS, IDS_MENU_TOOLS, 2}}};
}

// Show Project, File Outline, a separator, Find, Find Next.
std::vector<UINT> ButtonCommands() {
  return {ID_SHOW_PROJECT, ID_TOOLS_FILE_OUTLINE, 0, ID_EDIT_FIND, ID_FIND_NEXT};
}

}  // namespace

void AddFrameResources(CResourceModule& m) {
  m.menus[IDR_MAINFRAME] = MainMenu();
  m.accelerators[IDR_MAINFRAME] = MainAccelerators();
  m.menuBars[IDR_MAINFRAME] = MainMenuBar();
  m.toolBars[IDR_MAINFRAME] = ToolBarTemplate{16, 16, ButtonCommands(), DrawFrameButtons16};
  m.toolBars[IDR_MAINFRAME_LARGE] = ToolBarTemplate{32, 32, ButtonCommands(), DrawFrameButtons32};
  // The template string: its first line is the window title; the others are not used.
  m.strings[IDR_MAINFRAME] = u"Tovin";
  m.strings[IDS_MENU_FILE] = u"File";
  m.strings[IDS_MENU_EDIT] = u"Edit";
  m.strings[IDS_MENU_TOOLS] = u"Tools";
}
