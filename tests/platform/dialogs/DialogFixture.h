// A headless screen with a frame window and a resource module holding an options dialog:
// two edits, two check boxes, a radio group and OK / Cancel, for tests that act as the user.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/CommonControls.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"

enum : UINT {
  IDD_OPTIONS = 200,
  IDD_MISSING = 201,
  IDC_NAME = 1001,
  IDC_COUNT = 1002,
  IDC_WRAP = 1003,
  IDC_BACKUP = 1004,
  IDC_UP = 1005,
  IDC_DOWN = 1006,
  IDC_WHOLE = 1007,
};

inline DialogTemplate OptionsTemplate() {
  using K = DialogItemKind;
  DialogTemplate t;
  t.caption = u"Options";
  t.cx = 160;
  t.cy = 146;
  t.items = {
      {K::Static, IDC_STATIC, u"&Name:", 6, 7, 40, 10, SS_LEFT},
      {K::Edit, IDC_NAME, u"", 50, 5, 104, 14, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL},
      {K::Static, IDC_STATIC, u"&Count:", 6, 25, 40, 10, SS_LEFT},
      {K::Edit, IDC_COUNT, u"", 50, 23, 40, 14, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL},
      {K::CheckBox, IDC_WRAP, u"&Wrap long lines", 6, 43, 148, 12, WS_TABSTOP | WS_GROUP},
      {K::CheckBox, IDC_BACKUP, u"Keep a &backup copy", 6, 57, 148, 12, WS_TABSTOP | WS_GROUP},
      {K::GroupBox, IDC_STATIC, u"Direction", 6, 73, 148, 50, WS_GROUP},
      {K::RadioButton, IDC_UP, u"&Up", 14, 85, 100, 11, WS_TABSTOP | WS_GROUP},
      {K::RadioButton, IDC_DOWN, u"&Down", 14, 97, 100, 11, 0},
      {K::RadioButton, IDC_WHOLE, u"Whole &file", 14, 109, 100, 11, 0},
      {K::DefPushButton, IDOK, u"OK", 50, 130, 50, 14, WS_TABSTOP | WS_GROUP},
      {K::PushButton, IDCANCEL, u"Cancel", 104, 130, 50, 14, WS_TABSTOP},
  };
  return t;
}

// The dialog as a program would write it: members exchanged, commands recorded.
class COptionsDialog : public CDialog {
 public:
  explicit COptionsDialog(CWnd* parent = nullptr, UINT id = IDD_OPTIONS) : CDialog(id, parent) {}
  std::u16string name = u"untitled";
  int count = 4;
  int wrap = 0;
  int backup = 1;
  int direction = 1;
  std::vector<std::pair<UINT, int>> commands;  // (id, notification) as they reached the dialog

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, name);
    DDV_MaxChars(pDX, name, 20);
    DDX_Text(pDX, IDC_COUNT, count);
    DDV_MinMaxInt(pDX, count, 1, 16);
    DDX_Check(pDX, IDC_WRAP, wrap);
    DDX_Check(pDX, IDC_BACKUP, backup);
    DDX_Radio(pDX, IDC_UP, direction);
  }
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (code != CN_UPDATE_COMMAND_UI) commands.emplace_back(id, code);
    return CDialog::OnCmdMsg(id, code, ui);
  }
};

// The window behind the dialog; it records any command that leaks through to it.
class CTestFrame : public CWnd {
 public:
  std::vector<UINT> commands;
  bool OnCmdMsg(UINT id, int code, CCmdUI*) override {
    if (code == CN_COMMAND) commands.push_back(id);
    return false;
  }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(480, 640); }
  void TearDown() override {
    frame.reset();
    screen.reset();
    AfxSetResourceHandle(previous);
  }
  void Start(int width, int height) {
    frame.reset();
    screen.reset();
    module.dialogs[IDD_OPTIONS] = OptionsTemplate();
    InitCommonControls();
    InstallMessageBoxUi();
    previous = AfxGetResourceHandle();
    AfxSetResourceHandle(&module);
    screen = std::make_unique<CHeadlessScreen>(width, height);
    frame = std::make_unique<CTestFrame>();
    ASSERT_TRUE(frame->Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
    frame->SetFocus();
    screen->Screen();
  }

  // Runs the dialog with steps acting as the user once it shows; message boxes on the way
  // are recorded and answered OK.
  int Run(COptionsDialog& dialog, const std::function<void(COptionsDialog&)>& steps) {
    screen->SetModalHook([&](CWnd* w) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
        messages.push_back(plat::Narrow(box->Text()));
        box->Press(IDOK);
      } else if (auto* d = dynamic_cast<COptionsDialog*>(w)) {
        steps(*d);
      }
    });
    const int result = dialog.DoModal();
    screen->SetModalHook(nullptr);
    return result;
  }

  static UINT FocusId() {
    CWnd* f = CWnd::GetFocus();
    return f ? f->GetDlgCtrlID() : 0;
  }
  // The centre of a control on the screen.
  static CPoint Centre(CDialog& d, UINT id) {
    const CRect r = d.GetDlgItem(id)->GetWindowRect();
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void TapControl(CDialog& d, UINT id) {
    const CPoint p = Centre(d, id);
    screen->Tap(p.x, p.y);
  }

  CResourceModule module;
  const CResourceModule* previous = nullptr;
  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<CTestFrame> frame;
  std::vector<std::string> messages;
};
