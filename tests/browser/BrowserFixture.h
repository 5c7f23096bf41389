// A headless screen, the program's resources and a private device for the file browser's
// tests, with helpers that act on the dialog as a user does.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/FileBrowser.h"
#include "common/TempDevice.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "resources/ResourceIds.h"

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Dates read the same on every machine: UTC, and the C locale's short forms.
    setenv("TZ", "UTC", 1);
    tzset();
    setenv("LC_ALL", "C", 1);
    UseAppResources();
    StartScreen(480, 640);
  }
  void TearDown() override { screen.reset(); }

  void StartScreen(int width, int height) {
    screen.reset();
    screen = std::make_unique<CHeadlessScreen>(width, height);
  }

  // Host paths in the documents folder.
  std::string Doc(const std::string& name) const { return device.DocHost(name); }
  void MakeFolder(const std::string& name) const { mkdir(Doc(name).c_str(), 0755); }
  void MakeFile(const std::string& name, std::size_t size = 0, std::time_t when = 0) const {
    TempDevice::WriteHostFile(Doc(name), std::string(size, 'x'));
    if (when) {
      const struct timeval times[2] = {{when, 0}, {when, 0}};
      utimes(Doc(name).c_str(), times);
    }
  }

  // Runs the browser; steps act as the user once it shows.
  int Run(CFileBrowser& browser, const std::function<void(CFileBrowser&)>& steps) {
    screen->SetModalHook([&](CWnd* w) {
      if (auto* b = dynamic_cast<CFileBrowser*>(w)) steps(*b);
    });
    const int result = browser.DoModal();
    screen->SetModalHook(nullptr);
    return result;
  }

  static CListCtrl& ListOf(CFileBrowser& b) { return *dynamic_cast<CListCtrl*>(b.GetDlgItem(IDC_BROWSER_LIST)); }
  static CComboBox& TypeOf(CFileBrowser& b) { return *dynamic_cast<CComboBox*>(b.GetDlgItem(IDC_BROWSER_TYPE)); }
  // The names in the list as it shows them, top to bottom.
  static std::vector<std::string> Names(CFileBrowser& b) {
    std::vector<std::string> names;
    CListCtrl& list = ListOf(b);
    for (int i = 0; i < list.GetItemCount(); ++i) names.push_back(plat::Narrow(list.GetItemText(i, 0)));
    return names;
  }
  static int RowOf(CFileBrowser& b, const std::u16string& name) {
    CListCtrl& list = ListOf(b);
    for (int i = 0; i < list.GetItemCount(); ++i)
      if (list.GetItemText(i, 0) == name) return i;
    return -1;
  }
  // The centre of a row or of a window, on the screen.
  static CPoint RowPoint(CFileBrowser& b, int row) {
    CListCtrl& list = ListOf(b);
    list.EnsureVisible(row, false);
    CRect r;
    list.GetItemRect(row, &r, LVIR_LABEL);
    list.ClientToScreen(r);
    return CPoint(r.left + 4, (r.top + r.bottom) / 2);
  }
  static CPoint Centre(const CWnd* w) {
    const CRect r = w->GetWindowRect();
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void TapRow(CFileBrowser& b, const std::u16string& name) {
    const CPoint p = RowPoint(b, RowOf(b, name));
    screen->Tap(p.x, p.y);
    screen->Advance(1000);  // no double tap with the next one
  }
  void DoubleTapRow(CFileBrowser& b, const std::u16string& name) {
    const CPoint p = RowPoint(b, RowOf(b, name));
    screen->DoubleTap(p.x, p.y);
    screen->Advance(1000);
  }
  void TapHeader(CFileBrowser& b, int column) {
    CListCtrl& list = ListOf(b);
    CRect r;
    ASSERT_TRUE(list.GetHeaderItemRect(column, &r));
    list.ClientToScreen(r);
    screen->Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    screen->Advance(1000);
  }
  void TapWindow(const CWnd* w) {
    const CPoint p = Centre(w);
    screen->Tap(p.x, p.y);
    screen->Advance(1000);
  }
  // Opens the type box and taps the entry at index in its list.
  void PickFilter(CFileBrowser& b, int index) {
    CComboBox& box = TypeOf(b);
    TapWindow(&box);
    CWnd* drop = box.GetDropListWnd();
    ASSERT_NE(drop, nullptr);
    CRect r = drop->GetClientRectOnScreen();
    const int rowHeight = box.GetItemHeight();
    screen->Tap(r.left + 10, r.top + 1 + index * rowHeight + rowHeight / 2);
    screen->Advance(1000);
  }

  TempDevice device;
  std::unique_ptr<CHeadlessScreen> screen;
};

// The program's nine filters, as the file prompt gives them.
inline void AddProgramFilters(CFileBrowser& b) {
  b.AddFilter(u"*.*", u"All Files");
  b.AddFilter(u"*.csproj;*.vbproj;*.vcproj;*.dsp;*.csp;*.ebp;*.vcp;*.vbp", u"Project Files");
  b.AddFilter(u"*.bas;*.frm;*.vb", u"Visual Basic Files");
  b.AddFilter(u"*.cs", u"C# Source Files");
  b.AddFilter(u"*.cpp;*.h;*.c", u"C++ Source Files");
  b.AddFilter(u"*.htm;*.html;*.asp;*.aspx;*.jsp;*.js;*.xml;*.php", u"Internet Files");
  b.AddFilter(u"*.java", u"Java Class Files");
  b.AddFilter(u"*.txt", u"Text Files");
  b.AddFilter(u"*.xml;*.xsd;*.wsdl", u"XML Files");
}
