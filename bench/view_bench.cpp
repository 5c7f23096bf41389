// Benchmarks of the coloured text view on a headless screen: repaint, typing, the C parser, Page Down, Ctrl+End.
//
// The text (100 MB by default; TOVIN_BENCH_MB changes it) is the generated C-like text with
// LF line ends, written once into a private device under $TMPDIR and removed at the end.
// Every step is timed as the user meets it: the key or character goes through the window
// manager and the view, then everything pending is painted and the screen composed. Unless
// told otherwise each benchmark runs 5 times and only the aggregates (median first) are
// shown, because this machine is shared and single runs are noisy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchDevice.h"
#include "BenchMain.h"
#include "GenText.h"
#include "HeadlessEditor.h"
#include "StepStats.h"
#include "platform/ui/Messages.h"
#include "syntax/CFamilyParser.h"

namespace {

bench::CBenchDevice device;
bench::BenchFile text;

// One editor for every benchmark, with the text loaded once (a load costs about a second).
// Each benchmark leaves the text as it found it. main destroys it while the window manager
// it was made on still stands.
std::unique_ptr<bench::CHeadlessEditor> editor;
bench::CHeadlessEditor& Editor() {
  if (!editor) {
    editor = std::make_unique<bench::CHeadlessEditor>();
    if (editor->IsReady()) editor->Load(text.device);
  }
  return *editor;
}

bool Holds(bench::CHeadlessEditor& e) { return e.IsReady() && e.Buffer().GetLineCount() == text.lines; }

// The middle line, and the middle of it: far from both ends of the line store.
CPoint Middle(CCrystalTextBuffer& b) {
  const int line = b.GetLineCount() / 2;
  return CPoint(b.GetLineLength(line) / 2, line);
}

// A fresh history, so that the first character typed opens an undo group of its own: typed
// characters merge into the group before them.
void StartCleanHistory(bench::CHeadlessEditor& e) { e.Load(text.device); }

void SetMegabytesPerSecond(benchmark::State& state, long long bytesPerIteration) {
  // 10^6 bytes to the megabyte, as the peer figures count; Google Benchmark's own
  // bytes_per_second column counts 2^20.
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytesPerIteration);
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(bytesPerIteration) / 1e6,
                                              benchmark::Counter::kIsRate);
}

// Everything the view shows drawn again: the view invalidated, then painted and composed.
void BM_FullRepaint(benchmark::State& state) {
  auto& e = Editor();
  if (!Holds(e)) {
    state.SkipWithError("the text did not load");
    return;
  }
  e.PlaceCaretMidScreen(Middle(e.Buffer()));
  auto& screen = e.Screen().Backend();
  for (auto _ : state) {
    const int before = screen.presents;
    const auto t0 = bench::Clock::now();
    e.View().Invalidate();
    e.Flush();
    const auto t1 = bench::Clock::now();
    state.SetIterationTime(bench::Seconds(t0, t1));
    if (screen.presents == before) {
      state.SkipWithError("nothing reached the screen");
      break;
    }
  }
  state.counters["rows"] = e.View().GetScreenLines();
}

// One character typed in the middle of the text and the screen brought up to date.
//  grow: characters follow each other at the caret and the line grows, as in typing; the
//        first steps fit in the window, later ones scroll it sideways a column at a time.
//  undo: each character is undone (untimed) before the next, so every step is the same;
//  undo_last_row: the same on the screen's last row, where no rows below the line are
//        repainted: what typing would cost if only the edited line were drawn again.
enum class Typing { Grow, Undo, UndoLastRow };

void BM_TypeChar(benchmark::State& state, Typing mode) {
  auto& e = Editor();
  if (!Holds(e)) {
    state.SkipWithError("the text did not load");
    return;
  }
  StartCleanHistory(e);
  const CPoint at = Middle(e.Buffer());
  const int length = e.Buffer().GetLineLength(at.y);
  if (mode == Typing::UndoLastRow) e.PlaceCaretOnLastRow(at);
  else e.PlaceCaretMidScreen(at);
  std::vector<double> steps, scrolled;
  for (auto _ : state) {
    const int firstColumn = e.View().GetFirstVisibleColumn();
    const auto t0 = bench::Clock::now();
    e.Type(u"x");
    const auto t1 = bench::Clock::now();
    state.SetIterationTime(bench::Seconds(t0, t1));
    (e.View().GetFirstVisibleColumn() != firstColumn ? scrolled : steps).push_back(bench::Seconds(t0, t1));
    if (mode != Typing::Grow) {
      state.PauseTiming();
      e.Key('Z', CHeadlessScreen::Ctrl);
      state.ResumeTiming();
    }
  }
  // Back to the text as loaded.
  const int typed = e.Buffer().GetLineLength(at.y) - length;
  if (typed > 0) e.Buffer().DeleteText(nullptr, at.y, at.x, at.y, at.x + typed);
  e.Flush();
  if (e.Buffer().GetLineLength(at.y) != length || e.Buffer().GetLineCount() != text.lines)
    state.SkipWithError("the text did not come back");
  bench::ReportSteps(state, "in_window", steps);
  bench::ReportSteps(state, "scrolling", scrolled);
}

// The C parser over every line of the text: cookies only (what the view computes for
// lines it does not show), and with colour runs (what it computes for each line it draws).
void BM_ColorizeCLine(benchmark::State& state, bool withRuns) {
  auto& e = Editor();
  if (!Holds(e)) {
    state.SkipWithError("the text did not load");
    return;
  }
  const CCrystalTextBuffer& b = e.Buffer();
  const int count = b.GetLineCount();
  std::vector<ColorRun> runs(static_cast<std::size_t>(CCrystalTextBuffer::kMaxLineBytes) * 3);
  std::size_t runsSeen = 0;
  ParseCookie cookie = 0;
  for (auto _ : state) {
    cookie = 0;
    runsSeen = 0;
    for (int line = 0; line < count; ++line) {
      int runCount = 0;
      // The C parser writes nothing into the text; only Basic corrects keyword case.
      auto* chars = const_cast<char16_t*>(b.GetLineChars(line));
      cookie = ColorizeCLine(cookie, chars, b.GetLineLength(line), withRuns ? runs.data() : nullptr, runCount);
      runsSeen += static_cast<std::size_t>(runCount);
    }
    benchmark::DoNotOptimize(cookie);
  }
  SetMegabytesPerSecond(state, text.bytes);
  state.counters["runs_per_line"] = static_cast<double>(runsSeen) / count;
}

// Page Down from the top to the last page right after opening, each step painted: the
// parser meets every line once, a screen at a time. One pass per iteration.
void BM_PageDownPass(benchmark::State& state) {
  auto& e = Editor();
  if (!Holds(e)) {
    state.SkipWithError("the text did not load");
    return;
  }
  std::vector<double> steps, cpu;
  for (auto _ : state) {
    state.PauseTiming();
    e.View().AttachToBuffer(&e.Buffer());  // cookies unknown again, as after opening
    e.Key(VK_HOME, CHeadlessScreen::Ctrl);
    const std::size_t pages = static_cast<std::size_t>(text.lines / std::max(1, e.View().GetScreenLines() - 1)) + 16;
    steps.clear();
    cpu.clear();
    steps.reserve(pages);
    cpu.reserve(pages);
    state.ResumeTiming();
    for (;;) {
      const int top = e.View().GetFirstVisibleLine();
      const CPoint caret = e.View().GetCaretPos();
      const double c0 = bench::ThreadCpuSeconds();
      const auto t0 = bench::Clock::now();
      e.Key(VK_NEXT);
      const auto t1 = bench::Clock::now();
      const double c1 = bench::ThreadCpuSeconds();
      if (e.View().GetFirstVisibleLine() == top && e.View().GetCaretPos() == caret) break;  // no page left
      steps.push_back(bench::Seconds(t0, t1));
      cpu.push_back(c1 - c0);
    }
  }
  if (e.View().GetCaretPos().y != text.lines - 1) state.SkipWithError("Page Down stopped before the last line");
  bench::ReportSteps(state, "step", steps);
  bench::ReportSteps(state, "step_cpu", cpu);
  // Where the worst step fell: the first one also allocates the view's cookie array.
  if (!steps.empty()) {
    state.counters["step_first_us"] = steps.front() * 1e6;
    state.counters["step_worst_at"] = static_cast<double>(std::max_element(steps.begin(), steps.end()) - steps.begin());
  }
}

// Ctrl+End once from the top right after opening: the cookies of every line above the
// last page are parsed before it can be drawn.
void BM_CtrlEnd(benchmark::State& state) {
  auto& e = Editor();
  if (!Holds(e)) {
    state.SkipWithError("the text did not load");
    return;
  }
  for (auto _ : state) {
    e.View().AttachToBuffer(&e.Buffer());
    e.Key(VK_HOME, CHeadlessScreen::Ctrl);
    const auto t0 = bench::Clock::now();
    e.Key(VK_END, CHeadlessScreen::Ctrl);
    const auto t1 = bench::Clock::now();
    state.SetIterationTime(bench::Seconds(t0, t1));
    if (e.View().GetCaretPos().y != text.lines - 1 || e.View().CookiesKnown() < text.lines - e.View().GetScreenLines()) {
      state.SkipWithError("Ctrl+End did not show the last line");
      break;
    }
  }
}

void RegisterAll() {
  benchmark::RegisterBenchmark("FullRepaint", BM_FullRepaint)->UseManualTime()->Unit(benchmark::kMicrosecond);
  // 40 characters: a word or two past the middle of a line, reaching the window's edge.
  benchmark::RegisterBenchmark("TypeChar/grow", BM_TypeChar, Typing::Grow)->UseManualTime()->Iterations(40)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("TypeChar/undo", BM_TypeChar, Typing::Undo)->UseManualTime()->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("TypeChar/undo_last_row", BM_TypeChar, Typing::UndoLastRow)->UseManualTime()->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ColorizeCLine/cookies", BM_ColorizeCLine, false)->UseRealTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ColorizeCLine/runs", BM_ColorizeCLine, true)->UseRealTime()->Unit(benchmark::kMillisecond);
  // A pass takes minutes on this machine; three give a median.
  benchmark::RegisterBenchmark("PageDownPass", BM_PageDownPass)->UseRealTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond);
  benchmark::RegisterBenchmark("CtrlEnd", BM_CtrlEnd)->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InitializeBenchmarks(argc, argv)) return 1;

  const char* mbEnv = std::getenv("TOVIN_BENCH_MB");
  const double mb = mbEnv && *mbEnv ? std::atof(mbEnv) : 100.0;
  const auto bytes = static_cast<std::size_t>(mb * static_cast<double>(bench::kMegabyte));
  if (!device.Create("tovin-view-bench") ||
      !device.Write("text-lf.c", [&](auto sink) { bench::GenerateText(bytes, false, sink); }, text)) {
    std::fprintf(stderr, "view_bench: cannot write the text under %s\n", device.Base().c_str());
    return 1;
  }
  benchmark::AddCustomContext("text", std::to_string(text.bytes) + " bytes, " + std::to_string(text.lines) + " lines, LF");
  benchmark::AddCustomContext("screen", "480x640 headless, Courier New 8 pt");

  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  editor.reset();
  device.Remove();
  return 0;
}
