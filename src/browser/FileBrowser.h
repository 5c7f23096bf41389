// CFileBrowser: the program's own dialog for opening and saving. A folder's files and
// folders in four columns (name, size, date, type), a type box that filters them, a name
// box, and a button that goes up one folder. The caller gives the filters, the starting
// path, the filter to start with and the title, runs it, and reads back the path and filter.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "browser/FileEntries.h"
#include "platform/controls/BitmapButton.h"
#include "platform/dialogs/Dialog.h"
#include "platform/gfx/ImageList.h"

class CListCtrl;
class CComboBox;

class CFileBrowser : public CDialog {
 public:
  // templateId is the portrait layout (141) or the landscape one (148); see TemplateForScreen.
  explicit CFileBrowser(UINT templateId, CWnd* parent = nullptr);

  // The layout for the screen as it is now: landscape when it is wider than high.
  static UINT TemplateForScreen();
  // Whether a screen of this size takes the large up-button bitmaps.
  static bool IsHighResolution(int width, int height);

  // Before running.
  void AddFilter(std::u16string_view pattern, std::u16string_view name);
  // A path of exactly one backslash is the root; any other is used as it is (split into a
  // folder and a proposed name when the dialog opens).
  void SetInitialPath(std::u16string_view path);
  // The filter whose pattern equals this one becomes current; with none, nothing changes.
  void SetFilter(std::u16string_view pattern);
  void SetTitle(std::u16string_view title);

  // After OK: the folder, a backslash unless it ends with one, and the chosen name; false
  // (path untouched) when the name is empty.
  bool GetPath(std::u16string& path) const;
  void GetFilter(std::u16string& pattern) const { pattern = currentPattern; }

  // The state as the user sees it.
  const std::u16string& GetFolder() const { return folder; }
  int GetFilterIndex() const { return filterIndex; }
  int GetSortColumn() const { return sortColumn; }
  const std::vector<CFileEntry>& GetEntries() const { return entries; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  CListCtrl* List() const;
  CComboBox* TypeBox() const;
  // Lists the current folder under the current pattern into the list view.
  void Refresh();
  // OK, Enter or a double tap: into the folder the mark is on, or end with the name box.
  void Accept();
  void GoUp();
  void SortList();
  static int CompareItems(LPARAM item1, LPARAM item2, LPARAM sortData);
  // The controls take the screen's width, and the list the height below them.
  void FitControls();
  // Moves the controls to the places another layout gives them.
  void Relayout(UINT newLayout);
  void ApplyColumnWidths();
  // A file chosen in the list gives the name box its name.
  void TakeNameOf(int item);

  const UINT createdLayout;
  UINT layout;  // the layout the controls are in now
  std::vector<CFileFilter> filters;
  std::u16string initialPath;
  std::u16string folder;  // the empty string is the root
  std::u16string currentPattern = u"*.*";
  int filterIndex = 0;
  int sortColumn = BrowseColumnName;
  std::u16string title;
  std::u16string resultName;
  // The rows' values point into this; it is refilled only after the list is emptied.
  std::vector<CFileEntry> entries;
  CBitmapButton upButton;
  CImageList icons;
  int templateListHeight = 0;  // pixels, as the template makes the list
};
