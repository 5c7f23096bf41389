// CMainFrame: the program's top-level window: the menu bar and its buttons, the Tools menu
// with the external tools (customised and run from here), the editor font (kept in the
// settings), the last search text, Find, Find Next, Show Project and About.
#pragma once
#include <memory>
#include <string>

#include "navigation/ViewHosts.h"
#include "platform/framework/CommandBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/gfx/Font.h"
#include "tools/ToolsMenu.h"

class CMainFrame : public CFrameWnd, public CEditorFrameHost {
 public:
  static constexpr int kFixedToolsItems = 5;  // Show Project, File Outline, Options, separator, Customize

  CMainFrame();
  ~CMainFrame() override;

  CFont* GetEditorFont() { return editorFont.get(); }
  int GetFontSize() override { return fontSize; }
  void SetFontSize(int size) { fontSize = size; }
  std::u16string GetFontName() override { return fontName; }
  void SetFontName(const std::u16string& name) { fontName = name; }
  // Rebuilds the editor font from the size and face name.
  void CreateEditorFont();
  LOGFONT GetEditorFontRecord() override;
  void ChangeEditorFont(int size, const std::u16string& name) override;
  bool GetSearchText(std::u16string& text) override;
  void SetSearchText(const std::u16string& text) { searchText = text; }
  // The path of the open document; empty when there is none.
  std::u16string GetActiveDocumentPath();
  // How many external tools the Tools menu lists after its fixed items.
  int GetToolCount() const { return tools ? tools->GetCount() : 0; }
  ToolsMenu* GetToolsMenu() { return tools.get(); }
  // Replaces the tools list by the one in Tovin.menu (an empty list when it cannot be read).
  void LoadTools();
  // Writes the tools list to Tovin.menu; false when it cannot be written (no message).
  bool SaveTools();
  // The list editor over the tools in memory; confirmed, the list is saved and read back.
  void OnCustomizeTools();
  // Runs tool index of the list (nothing when there is none): its arguments asked for when
  // it says so, their macros and the working directory's expanded, its program started and
  // left to run on its own.
  void RunTool(int index);

  void OnFind();
  void OnFindNext();
  void OnShowProject();
  void OnAbout();

 protected:
  int OnCreate() override;
  void OnDestroy() override;
  bool OnFrameCmdMsg(UINT id, int code, CCmdUI* ui) override;
  void OnInitMenuPopup(CMenu* popup, UINT index, bool sysMenu) override;
  // Rebuilds the tool items of the Tools pop-up (the one whose first item is "Show
  // Project..."): the items after the fixed ones go, the current tools come in.
  void RefreshToolsMenu(CMenu* popup);

 private:
  std::unique_ptr<CFont> editorFont;
  int fontSize = 8;
  std::u16string fontName = u"Courier New";
  CCommandBar commandBar;
  std::u16string searchText;
  std::unique_ptr<ToolsMenu> tools = std::make_unique<ToolsMenu>();
};
