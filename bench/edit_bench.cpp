// Benchmarks of editing on a headless screen: Replace All in the replace dialog, SearchText, typing 10,000 characters.
//
// Two texts are written once into a private device under $TMPDIR and removed at the end:
//  dense: 10 MB of the generated C-like text in which `foo` is a whole word exactly 100,000
//         times (TOVIN_BENCH_DENSE_MB and TOVIN_BENCH_MATCHES change them);
//  big:   the 100 MB text (TOVIN_BENCH_MB) with one more line at the end holding a word
//         found nowhere else.
// Unless told otherwise each benchmark runs 5 times and only the aggregates (median first)
// are shown, because this machine is shared and single runs are noisy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchDevice.h"
#include "BenchMain.h"
#include "GenText.h"
#include "HeadlessEditor.h"
#include "StepStats.h"
#include "platform/controls/ControlMessages.h"
#include "platform/ui/Messages.h"
#include "resources/ResourceIds.h"

namespace {

bench::CBenchDevice device;
bench::BenchFile dense, big;
int denseMatches = 0;  // whole-word, case-sensitive `foo` in the dense text

// Only on the big text's last line.
constexpr char16_t kLastWord[] = u"zyzzyva";
constexpr char kLastLine[] = "int zyzzyva = 0;";

bool IsWordByte(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// The generated text with `foo` as a whole word exactly `target` times. Whole words of the
// same length (bar, baz, qux, or foo itself when there are too many) are turned into foo (or
// into qux) spread evenly through the text, so the size and the shape of the lines stay.
std::string DenseText(std::size_t bytes, int target) {
  std::string t = bench::GenerateText(bytes, false);
  std::vector<std::size_t> foos, others;
  for (std::size_t i = 0; i < t.size();) {
    if (!IsWordByte(t[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < t.size() && IsWordByte(t[j])) ++j;
    const std::string_view w(t.data() + i, j - i);
    if (w == "foo") foos.push_back(i);
    else if (w == "bar" || w == "baz" || w == "qux") others.push_back(i);
    i = j;
  }
  const long long have = static_cast<long long>(foos.size());
  const bool more = have < target;
  const std::vector<std::size_t>& from = more ? others : foos;
  const long long need = more ? target - have : have - target;
  const long long n = static_cast<long long>(from.size());
  if (need > n) return {};
  // Bresenham's spread: candidate k changes when the running share of need passes a whole.
  for (long long k = 0; k < n; ++k)
    if ((k + 1) * need / n > k * need / n) t.replace(from[static_cast<std::size_t>(k)], 3, more ? "foo" : "qux");
  return t;
}

// Whole-word, case-sensitive occurrences of word in the buffer: the check after a replace.
int CountWholeWord(const CCrystalTextBuffer& b, std::u16string_view word) {
  auto isWord = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_'; };
  int count = 0;
  for (int line = 0; line < b.GetLineCount(); ++line) {
    const std::u16string_view s(b.GetLineChars(line), static_cast<std::size_t>(b.GetLineLength(line)));
    for (std::size_t at = s.find(word); at != s.npos; at = s.find(word, at + 1))
      if ((at == 0 || !isWord(s[at - 1])) && (at + word.size() >= s.size() || !isWord(s[at + word.size()]))) ++count;
  }
  return count;
}

// One editor for every benchmark; each loads the text it needs. main destroys it while the
// window manager it was made on still stands.
std::unique_ptr<bench::CHeadlessEditor> editor;
bench::CHeadlessEditor& Editor() {
  if (!editor) editor = std::make_unique<bench::CHeadlessEditor>();
  return *editor;
}

bool LoadInto(bench::CHeadlessEditor& e, const bench::BenchFile& f) {
  return e.IsReady() && e.Load(f.device) && e.Buffer().GetLineCount() == f.lines;
}

void SetMegabytesPerSecond(benchmark::State& state, long long bytesPerIteration) {
  // 10^6 bytes to the megabyte, as the peer figures count; Google Benchmark's own
  // bytes_per_second column counts 2^20.
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytesPerIteration);
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(bytesPerIteration) / 1e6,
                                              benchmark::Counter::kIsRate);
}

// Fills the replace dialog: foo by bar, whole words in their exact case, so that exactly the
// counted matches are replaced.
void FillReplace(CDialog& d) {
  d.SetDlgItemText(IDC_EDIT_TEXT, u"foo");
  d.SetDlgItemText(IDC_EDIT_REPLACE_WITH, u"bar");
  d.CheckDlgButton(IDC_EDIT_MATCH_CASE, BST_CHECKED);
  d.CheckDlgButton(IDC_EDIT_WHOLE_WORD, BST_CHECKED);
}

// Replace All of every match in the dense text through the replace dialog (Ctrl+H) over
// the editing view, with the history recorded and the view brought up to date.
//  now:           the Replace All button as it is: the view's painting held off meanwhile,
//                 one paint at the end (the final message box's loop draws it);
//  redraw_normal: the same loop (select the next match, replace it) with the view painting
//                 as it goes, made with the dialog's own buttons: Find Next, then Replace
//                 until the text is not found any more.
enum class ReplaceWay { Now, RedrawNormal };

void BM_ReplaceAll(benchmark::State& state, ReplaceWay way) {
  auto& e = Editor();
  long long replaced = 0;
  double seconds = 0;
  for (auto _ : state) {
    if (!LoadInto(e, dense)) {
      state.SkipWithError("the dense text did not load");
      return;
    }
    e.messages.clear();
    bench::Clock::time_point t0, t1;
    int presses = 0;
    e.Answer([&](CDialog& d) {
      FillReplace(d);
      if (way == ReplaceWay::Now) {
        t0 = bench::Clock::now();
        d.PressButton(IDC_EDIT_REPLACE_ALL);
        t1 = bench::Clock::now();
      } else {
        t0 = bench::Clock::now();
        d.PressButton(IDC_EDIT_FIND_NEXT);
        // The message after the last replacement says there is nothing left to find.
        while (e.messages.empty() && presses <= denseMatches) {
          d.PressButton(IDC_EDIT_SKIP);
          ++presses;
        }
        t1 = bench::Clock::now();
      }
      d.PressButton(IDCANCEL);
    });
    e.Key('H', CHeadlessScreen::Ctrl);
    e.Screen().SetModalHook(nullptr);
    state.SetIterationTime(bench::Seconds(t0, t1));
    seconds += bench::Seconds(t0, t1);

    const std::u16string expected = way == ReplaceWay::Now ? u"All occurrences have been replaced." : u"Text not found.";
    const int left = CountWholeWord(e.Buffer(), u"foo");
    if (e.messages != std::vector<std::u16string>{expected} || left != 0 ||
        (way == ReplaceWay::RedrawNormal && presses != denseMatches)) {
      state.SkipWithError("Replace All did not replace every match");
      break;
    }
    replaced += denseMatches;
  }
  state.counters["matches"] = denseMatches;
  state.counters["us_per_match"] = replaced ? seconds / static_cast<double>(replaced) * 1e6 : 0;
}

// SearchText from the top for a word that stands only on the last line: the whole text
// is looked through once.
void BM_SearchLastLine(benchmark::State& state, bool matchCase) {
  auto& e = Editor();
  if (e.Buffer().GetLineCount() != big.lines && !LoadInto(e, big)) {
    state.SkipWithError("the big text did not load");
    return;
  }
  const DWORD flags = matchCase ? DWORD{SearchMatchCase} : DWORD{0};
  CPoint found(-1, -1);
  for (auto _ : state) {
    const bool ok = e.View().SearchText(kLastWord, CPoint(0, 0), flags, false, found);
    if (!ok || found.y != big.lines - 1) {
      state.SkipWithError("the word was not found on the last line");
      break;
    }
  }
  SetMegabytesPerSecond(state, big.bytes);
}

// 10,000 characters typed into the middle of the big text, each painted before the next.
//  one_line: all on one line, which grows past the window's width and scrolls sideways;
//  lines:    lines of the generated text typed in (Enter at each line end), as code is typed.
void BM_Type10000(benchmark::State& state, bool lines) {
  auto& e = Editor();
  constexpr int kChars = 10000;
  std::u16string typing;
  if (lines) {
    // Another seed than the text's, so the typed lines are not a copy of the ones around.
    bench::CTextGenerator gen(bench::kTextSeed + 1);
    std::string s;
    while (s.size() < kChars) {
      gen.AppendLine(s);
      s += '\n';
    }
    s.resize(kChars);
    typing.assign(s.begin(), s.end());
  } else {
    for (int i = 0; i < kChars; ++i) typing += static_cast<char16_t>(u'a' + i % 26);
  }
  std::vector<double> steps, cpu, enters;
  for (auto _ : state) {
    state.PauseTiming();
    if (!LoadInto(e, big)) {
      state.SkipWithError("the big text did not load");
      return;
    }
    const int mid = e.Buffer().GetLineCount() / 2;
    e.PlaceCaretMidScreen(CPoint(e.Buffer().GetLineLength(mid) / 2, mid));
    steps.clear();
    cpu.clear();
    enters.clear();
    steps.reserve(kChars);
    cpu.reserve(kChars);
    state.ResumeTiming();
    for (char16_t c : typing) {
      const double c0 = bench::ThreadCpuSeconds();
      const auto t0 = bench::Clock::now();
      if (c == u'\n') e.Key(VK_RETURN);
      else e.Type(std::u16string_view(&c, 1));
      steps.push_back(bench::Seconds(t0, bench::Clock::now()));
      cpu.push_back(bench::ThreadCpuSeconds() - c0);
      if (c == u'\n') enters.push_back(cpu.back());
    }
  }
  const int added = e.Buffer().GetLineCount() - big.lines;
  const int expectedLines = lines ? static_cast<int>(std::count(typing.begin(), typing.end(), u'\n')) : 0;
  if (added != expectedLines) state.SkipWithError("the typed text did not arrive");
  bench::ReportSteps(state, "char", steps);
  bench::ReportSteps(state, "char_cpu", cpu);
  // Enter apart: it adds a line, which costs more than a character within one.
  bench::ReportSteps(state, "enter_cpu", enters);
  double sum = 0;
  for (double s : steps) sum += s;
  state.counters["char_mean_us"] = steps.empty() ? 0 : sum / static_cast<double>(steps.size()) * 1e6;
  // The next benchmark loads the text again; drop the edits now so that memory goes back.
  e.Load(big.device);
}

void RegisterAll() {
  benchmark::RegisterBenchmark("ReplaceAll/now", BM_ReplaceAll, ReplaceWay::Now)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ReplaceAll/redraw_normal", BM_ReplaceAll, ReplaceWay::RedrawNormal)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SearchLastLine/match_case", BM_SearchLastLine, true)->UseRealTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SearchLastLine/any_case", BM_SearchLastLine, false)->UseRealTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Type10000/one_line", BM_Type10000, false)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Type10000/lines", BM_Type10000, true)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InitializeBenchmarks(argc, argv)) return 1;

  auto envNumber = [](const char* name, double fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atof(v) : fallback;
  };
  const auto bigBytes = static_cast<std::size_t>(envNumber("TOVIN_BENCH_MB", 100) * static_cast<double>(bench::kMegabyte));
  const auto denseBytes = static_cast<std::size_t>(envNumber("TOVIN_BENCH_DENSE_MB", 10) * static_cast<double>(bench::kMegabyte));
  denseMatches = static_cast<int>(envNumber("TOVIN_BENCH_MATCHES", 100000));

  const std::string denseText = DenseText(denseBytes, denseMatches);
  if (denseText.empty() || !device.Create("tovin-edit-bench") ||
      !device.Write("dense.c", [&](auto sink) { sink(denseText); }, dense) ||
      !device.Write("big.c", [&](auto sink) {
        bench::GenerateText(bigBytes, false, sink);
        sink(std::string_view(kLastLine));  // no line end: this is the buffer's last line
      }, big)) {
    std::fprintf(stderr, "edit_bench: cannot write the texts under %s\n", device.Base().c_str());
    return 1;
  }
  benchmark::AddCustomContext("dense", std::to_string(dense.bytes) + " bytes, " + std::to_string(dense.lines) + " lines, foo " +
                                           std::to_string(denseMatches) + " times");
  benchmark::AddCustomContext("big", std::to_string(big.bytes) + " bytes, " + std::to_string(big.lines) + " lines, LF");
  benchmark::AddCustomContext("screen", "480x640 headless, Courier New 8 pt");

  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  editor.reset();
  device.Remove();
  return 0;
}
