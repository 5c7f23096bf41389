// CMainFrame.
#include "app/MainFrame.h"

#include <cstring>

#include "app/AboutDialog.h"
#include "app/SampleApp.h"
#include "edit/FindDialog.h"
#include "navigation/SampleView.h"
#include "platform/base/MessageBox.h"
#include "platform/framework/Document.h"
#include "platform/framework/WinApp.h"
#include "platform/shell/Process.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowManager.h"
#include "project/window/ProjectDialog.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "tools/Macros.h"
#include "tools/ToolsFile.h"
#include "tools/dialogs/ToolsDialogs.h"

namespace {
constexpr char16_t kOptions[] = u"Options";
// The tools list lives in the root folder of the device, under its bare name.
constexpr char16_t kToolsFile[] = u"\\Tovin.menu";
}

CMainFrame::CMainFrame() {
  if (CWinApp* app = AfxGetApp()) {
    fontSize = app->GetProfileInt(kOptions, u"FontSize", 8);
    fontName = app->GetProfileString(kOptions, u"FontName", u"Courier New");
  }
  CreateEditorFont();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::OnDestroy() {
  // The settings go back when the frame goes.
  if (CWinApp* app = AfxGetApp()) {
    app->WriteProfileInt(kOptions, u"FontSize", fontSize);
    app->WriteProfileString(kOptions, u"FontName", fontName);
  }
  CFrameWnd::OnDestroy();
}

void CMainFrame::CreateEditorFont() {
  editorFont = std::make_unique<CFont>();
  LOGFONT lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = fontSize * 10;  // tenths of a point, turned into pixels on the screen
  lf.lfQuality = CLEARTYPE_QUALITY;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;  // a face that is not there falls back to a fixed-pitch one
  std::u16string_view(fontName).substr(0, LF_FACESIZE - 1).copy(lf.lfFaceName, LF_FACESIZE - 1);
  editorFont->CreatePointFontIndirect(lf);
}

LOGFONT CMainFrame::GetEditorFontRecord() {
  LOGFONT lf;
  std::memset(&lf, 0, sizeof lf);
  if (editorFont && editorFont->GetLogFont(&lf)) return lf;
  return lf;
}

void CMainFrame::ChangeEditorFont(int size, const std::u16string& name) {
  SetFontSize(size);
  fontName = name;
  CreateEditorFont();
}

bool CMainFrame::GetSearchText(std::u16string& text) {
  text = searchText;
  return !text.empty();
}

std::u16string CMainFrame::GetActiveDocumentPath() {
  CDocument* doc = GetActiveDocument();
  return doc ? doc->GetPathName() : std::u16string();
}

int CMainFrame::OnCreate() {
  if (CFrameWnd::OnCreate() == -1) return -1;
  if (!commandBar.Create(this, 0x50002800, 59392)) return -1;
  if (!commandBar.InsertMenuBar(IDR_MAINFRAME)) return -1;
  if (!commandBar.AddAdornments(0)) return -1;
  LoadTools();
  const CSize screen = CWindowManager::Get().GetScreenSize();
  if (!commandBar.LoadToolBar(IsHighResolutionScreen(screen.cx, screen.cy) ? IDR_MAINFRAME_LARGE : IDR_MAINFRAME))
    return -1;
  commandBar.SetBarStyle(commandBar.GetBarStyle() | 0x32);
  return 0;
}

void CMainFrame::RefreshToolsMenu(CMenu* popup) {
  if (!popup || popup->GetMenuItemCount() == 0 || popup->GetMenuString(0) != u"Show Project...") return;
  // The items after the fixed ones are the tools of the last opening: they go first, so
  // that each tool is listed once.
  while (popup->GetMenuItemCount() > kFixedToolsItems) popup->DeleteMenu(kFixedToolsItems, MF_BYPOSITION);
  for (int i = 0; i < GetToolCount(); ++i) {
    std::u16string description;
    tools->GetAt(i)->GetDescription(description);
    popup->AppendMenu(MF_STRING, ID_TOOL_FIRST + i, description);
  }
}

void CMainFrame::LoadTools() {
  CWaitCursor wait;
  tools.reset();
  tools.reset(LoadToolsMenu(kToolsFile));
}

bool CMainFrame::SaveTools() {
  CWaitCursor wait;
  return SaveToolsMenu(*tools, kToolsFile);
}

void CMainFrame::OnCustomizeTools() {
  CCustomizeToolsDialog dlg(*tools, this);
  // Cancelled, the edits made stay in memory (the list editor works on the list itself)
  // and are written with the next confirmed customisation.
  if (dlg.DoModal() != IDOK) return;
  // Read back only what was written: after a failed save the file still holds the old
  // list, and reading it would throw the user's edits away. They stay in memory instead,
  // for the next confirmed customisation to write.
  if (SaveTools()) LoadTools();
}

void CMainFrame::RunTool(int index) {
  const ToolItem* tool = tools ? tools->GetAt(index) : nullptr;
  if (!tool) return;
  const bool prompt = tool->GetPromptForArgs();
  std::u16string arguments, description, commandLine, workingDir;
  tool->GetArguments(arguments);
  tool->GetDescription(description);
  tool->GetCommandLine(commandLine);
  tool->GetWorkingDir(workingDir);
  if (prompt) {
    CToolArgumentsDialog ask(description, arguments, this);
    if (ask.DoModal() != IDOK) return;
    arguments = ask.arguments;
  }
  const std::u16string path = GetActiveDocumentPath();
  arguments = ExpandToolMacros(arguments, path);
  workingDir = ExpandToolMacros(workingDir, path);
  if (commandLine.empty()) {
    plat::MessageBox(AfxLoadString(IDS_TOOL_CANNOT_EXECUTE), plat::MB_OK);
    return;
  }
  SHELLEXECUTEINFO info;
  info.cbSize = 60;
  info.fMask = 0;
  info.hwnd = this;
  info.lpFile = commandLine;  // the program is taken as written: its macros are not expanded
  info.lpParameters = arguments;
  info.lpDirectory = workingDir;
  info.nShow = 1;
  // A program that cannot be started is not reported.
  ShellExecuteEx(&info);
}

void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, bool sysMenu) {
  RefreshToolsMenu(popup);
  CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}

void CMainFrame::OnFind() {
  auto* view = dynamic_cast<CCrystalTextView*>(GetActiveView());
  if (!view) return;
  CFindDialog dlg(view);
  dlg.searchText.clear();
  dlg.currentPos = CPoint(0, 0);
  view->SetShowInactiveSelection(true);
  const int result = dlg.DoModal();
  view->SetShowInactiveSelection(false);
  // The dialog has already selected the match it found: searching again would pass over
  // it to the next one. The text is kept for Find Next.
  if (result == IDOK) searchText = dlg.searchText;
}

void CMainFrame::OnFindNext() {
  if (auto* view = dynamic_cast<CSampleView*>(GetActiveView())) view->OnFindNext();
}

void CMainFrame::OnShowProject() {
  auto* app = dynamic_cast<CSampleApp*>(AfxGetApp());
  if (!app || !app->GetCurrentProject()) return;
  // A new window each time, in the layout of the screen's shape; the project outlives it.
  auto window = std::make_unique<CProjectDialog>(CProjectDialog::TemplateForScreen(), *app, this);
  window->SetProject(app->GetCurrentProject());
  window->DoModal();
}

void CMainFrame::OnAbout() {
  CAboutDialog dlg(this);
  dlg.DoModal();
}

bool CMainFrame::OnFrameCmdMsg(UINT id, int code, CCmdUI* ui) {
  auto* app = dynamic_cast<CSampleApp*>(AfxGetApp());
  const bool update = code == CN_UPDATE_COMMAND_UI;
  switch (id) {
    case ID_EDIT_FIND:
      if (!update) OnFind();
      return true;
    case ID_FIND_NEXT:
      if (!update) OnFindNext();
      return true;
    case ID_SHOW_PROJECT:
    case ID_TOOLS_SHOW_PROJECT:  // the Tools menu's item runs the same command
      if (update) ui->Enable(app && app->GetCurrentProject() != nullptr);
      else OnShowProject();
      return true;
    case ID_TOOLS_CUSTOMIZE:
      if (!update) OnCustomizeTools();
      return true;
    case ID_APP_ABOUT:
    case ID_APP_ABOUT_KEY:
      if (!update) OnAbout();
      return true;
    default:
      if (id >= ID_TOOL_FIRST && id <= ID_TOOL_LAST) {
        if (!update) RunTool(static_cast<int>(id - ID_TOOL_FIRST));
        return true;
      }
      return CFrameWnd::OnFrameCmdMsg(id, code, ui);
  }
}
