// The About dialog.
#include "app/AboutDialog.h"

#include "platform/controls/CommonControls.h"
#include "platform/shell/Process.h"
#include "resources/ResourceIds.h"

namespace {
constexpr char16_t kWebsite[] = u"https://tovin.example.org/";
}

CAboutDialog::CAboutDialog(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) { InitCommonControls(); }

bool CAboutDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_COMMAND && (id == IDC_ABOUT_HELP || id == IDC_ABOUT_WEBSITE)) {
    PROCESS_INFORMATION pi;
    const bool help = id == IDC_ABOUT_HELP;
    if (CreateProcessW(help ? u"peghelp.exe" : u"iexplore.exe", help ? u"file:Tovin.htm#Main_Contents" : kWebsite, &pi)) {
      // The viewer runs on its own: its handles are let go at once.
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
    return true;
  }
  return CDialog::OnCmdMsg(id, code, ui);
}
