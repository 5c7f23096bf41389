// tovin-replace: Replace All in the replace dialog over a headless editing view, then a save; timed from outside.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchDevice.h"
#include "HeadlessEditor.h"
#include "platform/base/Strings.h"
#include "platform/controls/ControlMessages.h"
#include "resources/ResourceIds.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: tovin-replace [-v] FILE FROM TO\n"
                       "  replaces FROM by TO everywhere, in its exact case and also inside longer words\n"
                       "  (as sed s/FROM/TO/g does), then saves the file in place\n"
                       "  -v  the load, replace and save times on stderr\n");
  return 2;
}

double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
  bool verbose = false;
  int arg = 1;
  if (arg < argc && std::strcmp(argv[arg], "-v") == 0) {
    verbose = true;
    ++arg;
  }
  if (argc - arg != 3) return Usage();
  const std::u16string from = plat::Widen(argv[arg + 1]), to = plat::Widen(argv[arg + 2]);
  if (from.empty()) return Usage();

  // The settings store (the dialog keeps its fields there) goes into a private device root
  // that is removed at the end; the documents and storage are the file's own folder.
  bench::CBenchDevice device;
  if (!device.Create("tovin-replace")) {
    std::fprintf(stderr, "tovin-replace: cannot make a temporary folder\n");
    return 1;
  }
  const std::u16string path = bench::CBenchDevice::UseFileFolder(argv[arg]);

  int code = 0;
  {
    bench::CHeadlessEditor editor;
    const auto t0 = bench::Clock::now();
    if (!editor.IsReady() || !editor.Load(path)) {
      std::fprintf(stderr, "tovin-replace: %s: not loaded\n", argv[arg]);
      return 1;
    }
    const auto t1 = bench::Clock::now();
    editor.Answer([&](CDialog& d) {
      d.SetDlgItemText(IDC_EDIT_TEXT, from);
      d.SetDlgItemText(IDC_EDIT_REPLACE_WITH, to);
      d.CheckDlgButton(IDC_EDIT_MATCH_CASE, BST_CHECKED);
      d.CheckDlgButton(IDC_EDIT_WHOLE_WORD, BST_UNCHECKED);
      d.PressButton(IDC_EDIT_REPLACE_ALL);
      d.PressButton(IDCANCEL);
    });
    editor.Key('H', CHeadlessScreen::Ctrl);
    const auto t2 = bench::Clock::now();
    // What Ctrl+S does in the program's frame.
    if (!editor.Buffer().SaveToFile(path)) {
      std::fprintf(stderr, "tovin-replace: %s: not saved\n", argv[arg]);
      code = 1;
    }
    const auto t3 = bench::Clock::now();
    if (editor.messages.empty() || editor.messages.back() != u"All occurrences have been replaced.") {
      std::fprintf(stderr, "tovin-replace: the replace dialog did not finish\n");
      code = 1;
    }
    if (verbose)
      std::fprintf(stderr, "tovin-replace: load %.1f ms, replace all %.1f ms, save %.1f ms\n", Ms(t0, t1), Ms(t1, t2), Ms(t2, t3));
  }
  device.Remove();
  return code;
}
