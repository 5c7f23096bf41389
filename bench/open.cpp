// tovin-open: opens a file in a headless C-coloured editing view and paints it, then
// optionally edits it; timed from outside, with its own per-edit figures on stdout.
//
//   tovin-open FILE                 load and paint the first screen, then quit
//   tovin-open --edits N FILE       then N edits at random lines (a character typed, a line
//                                   broken, two lines joined, in turn), each followed by the
//                                   view's repaint of what it shows; prints the latencies
//   tovin-open --keys N FILE        then N keys through the keyboard path (a character, then
//                                   Backspace, in turn) on a line in the middle of the text,
//                                   shown mid-screen; prints the latency of each key to the
//                                   painted screen
//
// Every run prints "peak_rss_kib K ratio R" (R: peak resident size over the file size) on
// stdout, and for --edits/--keys "STEP median_us M p99_us P worst_us W first_us F".
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "BenchDevice.h"
#include "HeadlessEditor.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: tovin-open [--edits N | --keys N] FILE\n");
  return 2;
}

double Quantile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  const auto k = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(k), v.end());
  return v[k];
}

void PrintSteps(const char* name, const std::vector<double>& us) {
  if (us.empty()) return;
  std::printf("%s median_us %.2f p99_us %.2f worst_us %.2f first_us %.2f\n", name, Quantile(us, 0.5), Quantile(us, 0.99),
              *std::max_element(us.begin(), us.end()), us.front());
}

double Us(bench::Clock::time_point a, bench::Clock::time_point b) {
  return std::chrono::duration<double, std::micro>(b - a).count();
}

// Edits at random lines right after opening, through the buffer with the view as their
// source (as the editing view makes them), each followed by the repaint it causes. The view
// stays where it was opened, so what an edit costs is the store's work, the view's
// bookkeeping and the repaint of the rows it shows.
std::vector<double> RandomEdits(bench::CHeadlessEditor& e, int n) {
  std::mt19937 rng(12345);
  CCrystalTextBuffer& b = e.Buffer();
  std::vector<double> us;
  us.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const int count = b.GetLineCount();
    const int line = static_cast<int>(rng() % static_cast<unsigned>(count));
    const int length = b.GetLineLength(line);
    const int at = length ? static_cast<int>(rng() % static_cast<unsigned>(length + 1)) : 0;
    int endLine = 0, endChar = 0;
    const auto t0 = bench::Clock::now();
    switch (i % 3) {
      case 0: b.InsertText(&e.View(), line, at, u"x", endLine, endChar); break;
      case 1: b.InsertText(&e.View(), line, at, u"\r\n", endLine, endChar); break;
      default:
        if (line + 1 < count) b.DeleteText(&e.View(), line, length, line + 1, 0);
        break;
    }
    e.Flush();
    us.push_back(Us(t0, bench::Clock::now()));
  }
  return us;
}

// Keys on a line in the middle of the text, shown in the middle of the screen: a character
// typed, then Backspace, in turn, so that the line keeps its length and the view never has
// to scroll sideways.
std::vector<double> TypedKeys(bench::CHeadlessEditor& e, int n) {
  const int line = e.Buffer().GetLineCount() / 2;
  e.PlaceCaretMidScreen(CPoint(0, line));
  std::vector<double> us;
  us.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const auto t0 = bench::Clock::now();
    if (i % 2) e.Key(VK_BACK);
    else e.Type(u"x");
    us.push_back(Us(t0, bench::Clock::now()));
  }
  return us;
}

}  // namespace

int main(int argc, char** argv) {
  int edits = 0, keys = 0, arg = 1;
  while (arg + 1 < argc && argv[arg][0] == '-') {
    if (std::strcmp(argv[arg], "--edits") == 0) edits = std::atoi(argv[arg + 1]);
    else if (std::strcmp(argv[arg], "--keys") == 0) keys = std::atoi(argv[arg + 1]);
    else return Usage();
    arg += 2;
  }
  if (argc - arg != 1 || edits < 0 || keys < 0) return Usage();

  bench::CBenchDevice device;
  if (!device.Create("tovin-open")) {
    std::fprintf(stderr, "tovin-open: cannot make a temporary folder\n");
    return 1;
  }
  const std::u16string path = bench::CBenchDevice::UseFileFolder(argv[arg]);

  int code = 0;
  {
    bench::CHeadlessEditor editor;
    if (!editor.IsReady() || !editor.Load(path)) {
      std::fprintf(stderr, "tovin-open: %s: not loaded\n", argv[arg]);
      return 1;
    }
    if (edits) PrintSteps("edit", RandomEdits(editor, edits));
    if (keys) PrintSteps("key", TypedKeys(editor, keys));
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    std::error_code ignored;
    const long long bytes = static_cast<long long>(std::filesystem::file_size(argv[arg], ignored));
    std::printf("peak_rss_kib %ld ratio %.3f\n", ru.ru_maxrss, bytes > 0 ? static_cast<double>(ru.ru_maxrss) * 1024.0 / static_cast<double>(bytes) : 0.0);
    // The file is not saved: the edits were only for timing.
  }
  device.Remove();
  return code;
}
