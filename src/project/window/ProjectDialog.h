// CProjectDialog: the project window. The files of the current project as a tree (groups
// of imported projects with their files, or the program's own projects' files alone),
// opening the file chosen, and for the program's own projects adding and removing files,
// each saved at once. Imported projects are read-only.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/Dialog.h"
#include "platform/gfx/ImageList.h"
#include "project/window/ProjectWindowHost.h"

class CTreeCtrl;
class ProjectManager;
struct TreeItemNode;

class CProjectDialog : public CDialog {
 public:
  static constexpr int kClosedGroupImage = 0, kOpenGroupImage = 1, kFileImage = 2;

  // templateId: the portrait layout (139) or the landscape one (146), see TemplateForScreen.
  CProjectDialog(UINT templateId, CProjectWindowHost& host, CWnd* parent = nullptr);
  ~CProjectDialog() override;

  // The layout for the screen as it is now: landscape when it is wider than high.
  static UINT TemplateForScreen();

  // The project shown; the caller keeps it, and it outlives the window.
  void SetProject(ProjectManager* project) { this->project = project; }
  int DoModal() override;

  // The state as the user sees it.
  const std::u16string& GetSelectedPath() const { return selectedPath; }
  const std::u16string& GetTypeAhead() const { return typeAhead; }
  CTreeCtrl* Tree() const;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  void FillTree();
  // A node for a file: its name, the file icon, and its own copy of the path as its value.
  TreeItemNode* InsertFile(const std::u16string& name, const std::u16string& path, TreeItemNode* parent,
                           TreeItemNode* after);
  void OpenSelected();
  void AddFile();
  void RemoveFile();
  void TypeAhead(UINT vk);
  void UpdateButtons();
  void RestoreFrameTitle();
  // The tree takes the width the buttons leave and the height to the bottom.
  void FitControls();

  CProjectWindowHost& host;
  ProjectManager* project = nullptr;
  std::u16string selectedPath;
  std::u16string typeAhead;
  std::u16string savedFrameTitle;
  bool titleSaved = false;
  CImageList images;
  // The nodes' values point at these; they live as long as the window.
  std::vector<std::unique_ptr<std::u16string>> paths;
};
