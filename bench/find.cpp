// tovin-find: counts the lines holding a word by the view's SearchText, for timing against grep -c from outside.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "buffer/TextBuffer.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"
#include "view/CrystalTextView.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: tovin-find [-i] [-v] [-t] FILE WORD\n"
                       "  prints the number of lines holding WORD, as grep -c does\n"
                       "  -i  any case (the find dialog's Match case off)\n"
                       "  -v  also the matches and the load and search times, on stderr\n"
                       "  -t  prints the search time in seconds instead of the count (the time a\n"
                       "      user waits for Find in the open file)\n");
  return 2;
}

double Ms(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main(int argc, char** argv) {
  bool anyCase = false, verbose = false, searchTime = false;
  int arg = 1;
  for (; arg < argc && argv[arg][0] == '-'; ++arg) {
    if (std::strcmp(argv[arg], "-i") == 0) anyCase = true;
    else if (std::strcmp(argv[arg], "-v") == 0) verbose = true;
    else if (std::strcmp(argv[arg], "-t") == 0) searchTime = true;
    else return Usage();
  }
  if (argc - arg != 2) return Usage();
  const std::u16string word = plat::Widen(argv[arg + 1]);
  if (word.empty()) return Usage();

  // Every mount points at the file's own folder, so the run reads nothing else.
  const std::string host = plat::fs::AbsoluteHostPath(argv[arg]);
  const std::string folder = host.substr(0, host.find_last_of('/') == 0 ? 1 : host.find_last_of('/'));
  for (const char* name : {"TOVIN_ROOT", "TOVIN_DOCUMENTS", "TOVIN_STORAGE"}) setenv(name, folder.c_str(), 1);
  plat::fs::ReloadMounts();

  const auto t0 = std::chrono::steady_clock::now();
  CCrystalTextBuffer buffer;
  if (!buffer.LoadFromFile(plat::fs::ToDevice(host))) {
    std::fprintf(stderr, "tovin-find: %s: not loaded\n", argv[arg]);
    return 1;
  }
  // A view without a window searches as the find dialog's view does.
  CCrystalTextView view;
  view.AttachToBuffer(&buffer);
  const auto t1 = std::chrono::steady_clock::now();

  // Find Next again and again, each time one character after the last match.
  const DWORD flags = anyCase ? DWORD{0} : DWORD{SearchMatchCase};
  long long matches = 0, lines = 0;
  int lastLine = -1;
  CPoint from(0, 0), found;
  while (view.SearchText(word, from, flags, false, found)) {
    ++matches;
    if (found.y != lastLine) {
      ++lines;
      lastLine = found.y;
    }
    from = CPoint(found.x + 1, found.y);
  }
  const auto t2 = std::chrono::steady_clock::now();
  if (searchTime) std::printf("%.6f\n", std::chrono::duration<double>(t2 - t1).count());
  else std::printf("%lld\n", lines);
  if (verbose)
    std::fprintf(stderr, "tovin-find: %lld matches on %lld lines; load %.1f ms, search %.1f ms\n", matches, lines, Ms(t0, t1),
                 Ms(t1, t2));
  view.DetachFromBuffer();
  return 0;
}
