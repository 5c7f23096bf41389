// Benchmarks of the text buffer on generated C-like text: load, save, edits with undo, GetText.
//
// The text (100 MB by default; TOVIN_BENCH_MB changes it) is written once, in LF and CR LF
// form, into a private device under $TMPDIR and removed at the end. Unless told otherwise
// every benchmark runs 5 times and only the aggregates (median first) are shown, because
// this machine is shared and single runs are noisy.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchMain.h"
#include "GenText.h"
#include "buffer/TextBuffer.h"
#include "platform/base/MessageBox.h"
#include "platform/base/PageMemory.h"
#include "platform/fs/Mounts.h"

namespace {

enum Kind { kLf = 0, kCrlf = 1 };
const char* const kKindNames[] = {"LF", "CRLF"};
const char16_t* const kKindEol[] = {u"\n", u"\r\n"};

struct TextFile {
  std::string host;
  std::u16string device;
  std::u16string savedDevice;  // where SaveToFile writes, beside it
  long long bytes = 0;
  int lines = 0;  // what the buffer must hold: one more than the line ends
};

struct Device {
  std::string base;
  TextFile files[2];
};
Device device;

// What the signal handler removes, files first and then folders, deepest first; fixed
// arrays because only plain system calls are safe there. A save cut short may leave its
// temporary file, and with it the folder.
char cleanupFiles[4][4096];
char cleanupFolders[4][4096];

void RemoveOnSignal(int sig) {
  for (auto& p : cleanupFiles)
    if (p[0]) unlink(p);
  for (auto& p : cleanupFolders)
    if (p[0]) rmdir(p);
  signal(sig, SIG_DFL);
  raise(sig);
}

long long StatusKb(const char* field) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long long kb = -1;
  const std::size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
      kb = std::atoll(line + n + 1);
      break;
    }
  std::fclose(f);
  return kb;
}

// Starts a new peak: VmHWM drops to the present VmRSS.
bool ResetPeakRss() {
  const int fd = open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = write(fd, "5", 1) == 1;
  close(fd);
  return ok;
}

bool WriteText(const std::string& host, std::size_t lfBytes, bool crlf, long long& bytes, int& lines) {
  std::FILE* out = std::fopen(host.c_str(), "wb");
  if (!out) return false;
  bool ok = true;
  bytes = 0;
  lines = 1;
  bench::GenerateText(lfBytes, crlf, [&](std::string_view piece) {
    if (ok && std::fwrite(piece.data(), 1, piece.size(), out) != piece.size()) ok = false;
    bytes += static_cast<long long>(piece.size());
    for (char c : piece) lines += c == '\n';
  });
  return std::fclose(out) == 0 && ok;
}

bool SetUpDevice(std::size_t lfBytes) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tovin-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) return false;
  device.base = pattern;
  int folder = 0;
  for (const char* sub : {"root", "docs", "storage"}) {
    const std::string host = device.base + "/" + sub;
    std::filesystem::create_directory(host);
    std::snprintf(cleanupFolders[folder++], sizeof cleanupFolders[0], "%s", host.c_str());
  }
  std::snprintf(cleanupFolders[folder], sizeof cleanupFolders[0], "%s", device.base.c_str());
  setenv("TOVIN_ROOT", (device.base + "/root").c_str(), 1);
  setenv("TOVIN_DOCUMENTS", (device.base + "/docs").c_str(), 1);
  setenv("TOVIN_STORAGE", (device.base + "/storage").c_str(), 1);
  plat::fs::ReloadMounts();

  int slot = 0;
  for (Kind kind : {kLf, kCrlf}) {
    TextFile& f = device.files[kind];
    const std::string name = kind == kLf ? "text-lf" : "text-crlf";
    f.host = device.base + "/docs/" + name + ".txt";
    const std::string saved = device.base + "/docs/" + name + "-saved.txt";
    f.device = plat::fs::ToDevice(f.host);
    f.savedDevice = plat::fs::ToDevice(saved);
    std::snprintf(cleanupFiles[slot++], sizeof cleanupFiles[0], "%s", f.host.c_str());
    std::snprintf(cleanupFiles[slot++], sizeof cleanupFiles[0], "%s", saved.c_str());
    if (!WriteText(f.host, lfBytes, kind == kCrlf, f.bytes, f.lines)) return false;
  }
  return true;
}

void TearDownDevice() {
  if (device.base.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(device.base, ignored);
}

// One loaded buffer per line-end kind, shared by the benchmarks that edit or read it; each
// leaves the text as it found it.
CCrystalTextBuffer& Loaded(Kind kind) {
  static std::unique_ptr<CCrystalTextBuffer> buffers[2];
  auto& b = buffers[kind];
  if (!b) {
    b = std::make_unique<CCrystalTextBuffer>();
    b->LoadFromFile(device.files[kind].device);
  }
  return *b;
}

bool Holds(const CCrystalTextBuffer& b, const TextFile& f) { return b.IsInitialized() && b.GetLineCount() == f.lines; }

void SetMegabytesPerSecond(benchmark::State& state, long long bytesPerIteration) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytesPerIteration);
  // The figures we compare with count 10^6 bytes to the megabyte; Google Benchmark's own
  // bytes_per_second column counts 2^20. Both divide by wall time where the benchmark
  // uses real time (load, save and GetText do: waiting for the disk is part of a save).
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(bytesPerIteration) / 1e6,
                                              benchmark::Counter::kIsRate);
}

void BM_LoadFromFile(benchmark::State& state, Kind kind) {
  const TextFile& f = device.files[kind];
  double peakRatio = 0, heldRatio = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto buffer = std::make_unique<CCrystalTextBuffer>();
    const bool peakKnown = ResetPeakRss();
    const long long before = StatusKb("VmRSS");
    state.ResumeTiming();

    buffer->LoadFromFile(f.device);

    state.PauseTiming();
    // Growth of the resident set while loading (peak) and with the text loaded (held),
    // both as multiples of the file's size.
    const long long held = StatusKb("VmRSS") - before;
    const long long peak = peakKnown ? StatusKb("VmHWM") - before : held;
    peakRatio = std::max(peakRatio, static_cast<double>(peak) * 1024.0 / static_cast<double>(f.bytes));
    heldRatio = std::max(heldRatio, static_cast<double>(held) * 1024.0 / static_cast<double>(f.bytes));
    const bool ok = Holds(*buffer, f);
    buffer.reset();  // freeing the text is not part of a load
    state.ResumeTiming();
    if (!ok) {
      state.SkipWithError("the loaded text does not have the file's lines");
      break;
    }
  }
  SetMegabytesPerSecond(state, f.bytes);
  state.counters["peak_rss_x_file"] = peakRatio;
  state.counters["held_rss_x_file"] = heldRatio;
}

void BM_SaveToFile(benchmark::State& state, Kind kind) {
  const TextFile& f = device.files[kind];
  CCrystalTextBuffer& buffer = Loaded(kind);
  if (!Holds(buffer, f)) {
    state.SkipWithError("the text did not load");
    return;
  }
  for (auto _ : state) {
    // Kept modified so that every save does the whole work a user's save does.
    if (!buffer.SaveToFile(f.savedDevice, CrlfModeAuto, false)) {
      state.SkipWithError("SaveToFile failed");
      break;
    }
  }
  SetMegabytesPerSecond(state, f.bytes);
}

// The middle line of the text, and the middle of that line: the edit lands far from both
// ends of the line store, as an edit in a big file does.
struct EditPlace {
  int line;
  int pos;
};
EditPlace Middle(const CCrystalTextBuffer& b) {
  const int line = b.GetLineCount() / 2;
  return {line, b.GetLineLength(line) / 2};
}

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

enum class Step { Insert, Undo, Redo };

// One step of an insert with its undo and redo, timed alone (manual time): each iteration
// returns the text and the history to where they were, so every step measured is the
// steady state of typing, undoing and redoing in the middle of the text.
void BM_EditStep(benchmark::State& state, Kind kind, std::u16string_view text, Step step) {
  CCrystalTextBuffer& b = Loaded(kind);
  if (!Holds(b, device.files[kind])) {
    state.SkipWithError("the text did not load");
    return;
  }
  const EditPlace at = Middle(b);
  int endLine = 0, endChar = 0;
  CPoint cursor;
  bool ok = true;
  for (auto _ : state) {
    Clock::time_point t0, t1;
    switch (step) {
      case Step::Insert:
        t0 = Clock::now();
        ok &= b.InsertText(nullptr, at.line, at.pos, text, endLine, endChar);
        t1 = Clock::now();
        ok &= b.Undo(cursor);
        break;
      case Step::Undo:
        ok &= b.InsertText(nullptr, at.line, at.pos, text, endLine, endChar);
        t0 = Clock::now();
        ok &= b.Undo(cursor);
        t1 = Clock::now();
        break;
      case Step::Redo:
        ok &= b.InsertText(nullptr, at.line, at.pos, text, endLine, endChar);
        ok &= b.Undo(cursor);
        t0 = Clock::now();
        ok &= b.Redo(cursor);
        t1 = Clock::now();
        ok &= b.Undo(cursor);
        break;
    }
    state.SetIterationTime(Seconds(t0, t1));
  }
  if (!ok || !Holds(b, device.files[kind])) state.SkipWithError("an edit failed or the text did not come back");
}

// Insert and undo as a pair under the ordinary clock: a check on the single steps above
// that owes nothing to reading the clock around sub-microsecond work.
void BM_InsertUndoPair(benchmark::State& state, Kind kind, std::u16string_view text) {
  CCrystalTextBuffer& b = Loaded(kind);
  if (!Holds(b, device.files[kind])) {
    state.SkipWithError("the text did not load");
    return;
  }
  const EditPlace at = Middle(b);
  int endLine = 0, endChar = 0;
  CPoint cursor;
  bool ok = true;
  for (auto _ : state) {
    ok &= b.InsertText(nullptr, at.line, at.pos, text, endLine, endChar);
    ok &= b.Undo(cursor);
  }
  if (!ok || !Holds(b, device.files[kind])) state.SkipWithError("an edit failed or the text did not come back");
}

// The first Enter in the middle after a load: the line store's gap is still at the end of
// the text, so this one pays for moving it. Each iteration loads afresh, untimed.
void BM_FirstEnterAfterLoad(benchmark::State& state, Kind kind) {
  const TextFile& f = device.files[kind];
  for (auto _ : state) {
    auto b = std::make_unique<CCrystalTextBuffer>();
    b->LoadFromFile(f.device);
    const EditPlace at = Middle(*b);
    int endLine = 0, endChar = 0;
    const auto t0 = Clock::now();
    const bool ok = b->InsertText(nullptr, at.line, at.pos, u"\r\n", endLine, endChar);
    const auto t1 = Clock::now();
    state.SetIterationTime(Seconds(t0, t1));
    if (!ok) {
      state.SkipWithError("InsertText failed");
      break;
    }
  }
}

// The whole text as one string with the file's line ends. Rates count characters, which
// equal the bytes of the file.
//  reuse:   the string is kept between calls, its memory already touched (primed before the
//           clock starts, or a 100 MB text would time one cold call and nothing else);
//  fresh:   an empty string each time, as a one-off copy of everything is made, so it also
//           pays for the first touch of its memory and for giving it back;
//  advised: fresh, but the string's memory is reserved first and handed to huge pages the
//           way the line arena's is: what GetText would cost if it did that itself.
enum class Result { Reuse, Fresh, Advised };

void BM_GetText(benchmark::State& state, Kind kind, Result result) {
  const TextFile& f = device.files[kind];
  const CCrystalTextBuffer& b = Loaded(kind);
  if (!Holds(b, f)) {
    state.SkipWithError("the text did not load");
    return;
  }
  const int last = b.GetLineCount() - 1;
  const auto whole = [&](std::u16string& text) { b.GetText(0, 0, last, b.GetLineLength(last), text, kKindEol[kind]); };
  std::u16string kept;
  if (result == Result::Reuse) whole(kept);
  std::size_t units = 0;
  for (auto _ : state) {
    if (result == Result::Reuse) {
      whole(kept);
      units = kept.size();
      benchmark::DoNotOptimize(kept.data());
    } else {
      std::u16string text;
      if (result == Result::Advised) {
        // GetText reserves room for one line end more than it writes; reserving less here
        // would make it move to a new, doubled and unadvised block.
        const std::size_t room = static_cast<std::size_t>(f.bytes) + 2;
        text.reserve(room);
        plat::AdviseHugePages(text.data(), room * sizeof(char16_t));
      }
      whole(text);
      units = text.size();
      benchmark::DoNotOptimize(text.data());
    }
  }
  if (static_cast<long long>(units) != f.bytes) state.SkipWithError("GetText did not return the whole text");
  SetMegabytesPerSecond(state, f.bytes);
}

void RegisterAll() {
  const auto name = [](const char* what, Kind kind, const char* more = nullptr) {
    std::string n = std::string(what) + "/" + kKindNames[kind];
    if (more) n += std::string("/") + more;
    return n;
  };
  // Loads first, while no other text is resident.
  for (Kind k : {kLf, kCrlf})
    benchmark::RegisterBenchmark(name("LoadFromFile", k).c_str(), BM_LoadFromFile, k)->UseRealTime()->Unit(benchmark::kMillisecond);
  for (Kind k : {kLf, kCrlf})
    benchmark::RegisterBenchmark(name("SaveToFile", k).c_str(), BM_SaveToFile, k)->UseRealTime()->Unit(benchmark::kMillisecond);

  struct Edit {
    const char* label;
    std::u16string_view text;
  };
  for (Kind k : {kLf, kCrlf}) {
    for (const Edit& e : {Edit{"Char", u"x"}, Edit{"Enter", u"\r\n"}}) {
      const std::string what = std::string("Insert") + e.label;
      benchmark::RegisterBenchmark(name(what.c_str(), k).c_str(), BM_EditStep, k, e.text, Step::Insert)->UseManualTime()->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(name((std::string("Undo") + e.label).c_str(), k).c_str(), BM_EditStep, k, e.text, Step::Undo)->UseManualTime()->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(name((std::string("Redo") + e.label).c_str(), k).c_str(), BM_EditStep, k, e.text, Step::Redo)->UseManualTime()->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(name((what + "+Undo").c_str(), k).c_str(), BM_InsertUndoPair, k, e.text)->UseRealTime()->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark(name("FirstEnterAfterLoad", k).c_str(), BM_FirstEnterAfterLoad, k)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);
  }
  for (Kind k : {kLf, kCrlf}) {
    benchmark::RegisterBenchmark(name("GetText", k, "reuse").c_str(), BM_GetText, k, Result::Reuse)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(name("GetText", k, "fresh").c_str(), BM_GetText, k, Result::Fresh)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(name("GetText", k, "advised").c_str(), BM_GetText, k, Result::Advised)->UseRealTime()->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InitializeBenchmarks(argc, argv)) return 1;

  // A message box has nobody to answer it here; say what it said and go on.
  plat::SetMessageBoxHandler([](std::u16string_view, std::u16string_view, unsigned) {
    std::fprintf(stderr, "buffer_bench: the buffer showed a message box\n");
    return plat::IDOK;
  });

  const char* mbEnv = std::getenv("TOVIN_BENCH_MB");
  const double mb = mbEnv && *mbEnv ? std::atof(mbEnv) : 100.0;
  std::signal(SIGINT, RemoveOnSignal);
  std::signal(SIGTERM, RemoveOnSignal);
  if (!SetUpDevice(static_cast<std::size_t>(mb * static_cast<double>(bench::kMegabyte)))) {
    std::fprintf(stderr, "buffer_bench: cannot write the text under %s\n", device.base.c_str());
    TearDownDevice();
    return 1;
  }
  for (Kind k : {kLf, kCrlf})
    benchmark::AddCustomContext(std::string("text_") + kKindNames[k],
                                std::to_string(device.files[k].bytes) + " bytes, " + std::to_string(device.files[k].lines) + " lines");

  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  TearDownDevice();
  return 0;
}
