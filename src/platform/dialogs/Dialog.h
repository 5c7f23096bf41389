// CDialog: a modal dialog built from a template in the resource module, drawn over the
// whole work area with its title in the caption bar, its controls addressed by id. The
// controls are made by the window classes their template items name, so every class must
// be registered first (InitCommonControls for the platform's controls).
//
// Keys: Enter presses the focused push button, else the default button (IDOK when there is
// none); Escape is IDCANCEL; Tab and Shift+Tab go round the WS_TABSTOP controls; the arrows
// move within a group (checking radio buttons as they go). The caption bar's "ok" is IDOK.
// IDOK and IDCANCEL reach OnOK and OnCancel unless the dialog's OnCmdMsg takes them first.
//
// Commands from controls arrive as WM_COMMAND with MAKEWPARAM(id, notification) and the
// control in lParam. A dialog handles them by overriding OnCommand, or OnCmdMsg, which sees
// (id, notification): BN_CLICKED is CN_COMMAND (0), EN_CHANGE is EN_CHANGE. Commands the
// dialog does not handle go no further: the window behind never sees a dialog's buttons.
//
// Answering a dialog from a test: CHeadlessScreen::SetModalHook gets the window when the
// modal loop starts (the dialog is drawn by then); dynamic_cast it to CDialog, then set
// values with SetDlgItemText / CheckDlgButton / CheckRadioButton, or act as the user with
// the screen's Type, Key and Tap (the first tab stop has the focus), and finish with
// PressButton(IDOK). A validation message box opens its own modal loop, so the hook is
// called again, re-entrantly, with a CMessageBoxWnd to answer. A hook that leaves the dialog
// open ends it as cancelled.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/DialogUnits.h"
#include "platform/gfx/Font.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Wnd.h"

class CDataExchange;

// The dialog manager's messages.
enum : UINT {
  WM_NEXTDLGCTL = 0x0028,
  DM_GETDEFID = WM_USER + 0,  // returns MAKELONG(id, DC_HASDEFID) or 0
  DM_SETDEFID = WM_USER + 1,
};
enum : UINT { DC_HASDEFID = 0x534B };

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Creates the dialog, runs it until EndDialog and returns what EndDialog was given; -1
  // when the template does not exist or no window could be made. The focus goes back to
  // where it was.
  virtual int DoModal();
  // Ends the dialog with this result (at once, or as soon as its loop starts when called
  // from OnInitDialog).
  void EndDialog(int result);
  // Moves data between the controls and the members (DoDataExchange); false when a value
  // did not pass, after its message was shown and its control given the focus.
  bool UpdateData(bool saveAndValidate = true);

  // Controls by id.
  void SetDlgItemText(UINT id, std::u16string_view text);
  std::u16string GetDlgItemText(UINT id) const;
  void SetDlgItemInt(UINT id, int value, bool isSigned = true);
  // The number in the control; translated says whether it was one (then 0 is returned).
  int GetDlgItemInt(UINT id, bool* translated = nullptr, bool isSigned = true) const;
  void CheckDlgButton(UINT id, UINT check);
  UINT IsDlgButtonChecked(UINT id) const;
  // Checks id and clears the other radio buttons with ids from first to last.
  void CheckRadioButton(UINT first, UINT last, UINT id);
  // The checked id among first..last, or 0.
  UINT GetCheckedRadioButton(UINT first, UINT last) const;
  // Presses a button by id as the user would: BN_CLICKED after a check box toggles or a
  // radio button checks itself. IDOK and IDCANCEL work without buttons of their own (the
  // caption's "ok", the Escape key). False when there is no such enabled, visible button.
  bool PressButton(UINT id);

  // The focus among the controls.
  void GotoDlgCtrl(CWnd* ctrl);  // an edit's text is selected, as after Tab
  void NextDlgCtrl();
  void PrevDlgCtrl();
  // The next (or previous) enabled, visible WS_TABSTOP control after ctrl, wrapping; a
  // radio group is entered at its checked button. Null ctrl starts at the ends.
  CWnd* GetNextDlgTabItem(CWnd* ctrl, bool previous = false) const;
  // The next (or previous) enabled, visible control of ctrl's group, wrapping.
  CWnd* GetNextDlgGroupItem(CWnd* ctrl, bool previous = false) const;
  // The default push button's id (0: none); SetDefID moves the default look.
  UINT GetDefID() const;
  void SetDefID(UINT id);

  CFont* GetDialogFont() { return font.IsCreated() ? &font : nullptr; }
  const DialogBaseUnits& GetBaseUnits() const { return baseUnits; }
  // The dialog-unit rectangle of a template item in pixels, as the controls were placed.
  CRect MapDialogRect(const CRect& dialogUnits) const;

 protected:
  // Called when the controls exist, before the dialog shows; true gives the first tab
  // stop the focus. The default loads the controls (UpdateData(false)).
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }
  // IDOK: saves and validates, then ends with IDOK.
  virtual void OnOK();
  virtual void OnCancel();

  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnEraseBkgnd(CDC* dc) override;
  COLORREF GetBackgroundColor() const override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;

 private:
  bool IsOurControl(const CWnd* w) const;
  void PressEnter(CWnd* focus);
  void PressEscape();
  void MoveInGroup(CWnd* focus, bool previous);

  // DialogLayout.cpp
  void CreateDialogFont(const DialogTemplate& t);
  void CreateControls(const DialogTemplate& t);
  // Gives the dialog a scroll bar when its controls are taller than the work area.
  void UpdateScrollRange();
  void ScrollTo(int pos);
  void EnsureVisible(CWnd* ctrl);

  UINT templateId;
  CWnd* parentWnd;
  CFont font;
  DialogBaseUnits baseUnits;
  std::vector<std::unique_ptr<CWnd>> controls;
  int contentHeight = 0;  // pixels from the top of the dialog to the bottom of its controls
  int scrollPos = 0;
  UINT defId = 0;  // set by SetDefID; else the first BS_DEFPUSHBUTTON
  bool endPending = false;
  int endResult = 0;
};
