// The About dialog: the program's icon and version, the help file and the website.
#pragma once
#include "platform/dialogs/Dialog.h"

class CAboutDialog : public CDialog {
 public:
  explicit CAboutDialog(CWnd* parent = nullptr);

 protected:
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
};
