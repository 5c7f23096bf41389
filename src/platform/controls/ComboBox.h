// CComboBox: the drop-down list (CBS_DROPDOWNLIST). A field shows the chosen entry; a tap
// opens the entries below the field (above it when there is no room below), and the
// arrow keys step through them. The parent hears CBN_SELCHANGE when the user changes the
// choice, never when the program does.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/CommonControls.h"
#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CComboDropList;

class CComboBox : public CControl {
 public:
  CComboBox();
  ~CComboBox() override;
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // Entries. AddString appends (or, with CBS_SORT, puts the text in order, ignoring case);
  // InsertString puts it at index (-1: the end). Both answer the new index, CB_ERR for a
  // bad index.
  int AddString(std::u16string_view text);
  int InsertString(int index, std::u16string_view text);
  int DeleteString(int index);  // the count left, or CB_ERR
  void ResetContent();
  int GetCount() const { return static_cast<int>(items.size()); }
  // The entry's text; empty for a bad index. GetLBTextLen answers CB_ERR for one.
  std::u16string GetLBText(int index) const;
  int GetLBTextLen(int index) const;
  // A value the program keeps with each entry.
  int SetItemData(int index, LPARAM data);  // CB_ERR for a bad index
  LPARAM GetItemData(int index) const;      // CB_ERR for a bad index

  // The chosen entry, CB_ERR when none. SetCurSel(-1) clears the field; a bad index also
  // clears it and answers CB_ERR.
  int GetCurSel() const { return cur; }
  int SetCurSel(int index);
  // The first entry after startAfter (-1: from the top), wrapping, whose text begins with
  // prefix, ignoring case; CB_ERR when none. SelectString also chooses it.
  int FindString(int startAfter, std::u16string_view prefix) const;
  int FindStringExact(int startAfter, std::u16string_view text) const;
  int SelectString(int startAfter, std::u16string_view prefix);

  // The entries' list: open or closed, as a tap on the field would.
  void ShowDropDown(bool show = true);
  bool GetDroppedState() const;
  // How tall the opened list may be, in pixels; the template's height gives it.
  void SetDroppedHeight(int pixels) { droppedHeight = pixels; }
  int GetDroppedHeight() const { return droppedHeight; }
  // The row height of the entries (the field shows one row).
  int GetItemHeight() const;
  // The opened list's window, null while closed (for tests and drawing).
  CWnd* GetDropListWnd() const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT OnGetDlgCode() override;
  int OnCreate() override;
  void OnDestroy() override;
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnSysKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnChar(UINT ch, UINT repCnt, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;

 private:
  friend class CComboDropList;
  struct Item {
    std::u16string text;
    LPARAM data = 0;
  };

  // The field's height for the font: a row, a little air and the border.
  int FieldHeight() const;
  void FitFieldToFont();
  // A choice the user made: the field changes and the parent hears CBN_SELCHANGE.
  void ChooseByUser(int index);
  // Closes the list; ok says the row it points at becomes the choice.
  void CloseUp(bool ok);

  std::vector<Item> items;
  int cur = CB_ERR;
  int droppedHeight = 0;
  std::unique_ptr<CComboDropList> dropList;
};
