// Benchmarks of the project window on a project of 10,000 files (TOVIN_BENCH_FILES): opening
// it (filling the tree, sorting, the first paint of the screen) for a project of the
// program's own and for an imported one in 100 groups, and scrolling the tree by a page
// with its repaint. The projects live in memory; nothing is read or written.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "BenchMain.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/ui/WindowManager.h"
#include "project/ProjectManager.h"
#include "project/window/ProjectDialog.h"
#include "resources/AppResources.h"
#include "resources/ResourceIds.h"

namespace {

int fileCount = 10000;

// The window's needs, answered without an application: nothing is opened or asked.
class CBenchHost : public CProjectWindowHost {
 public:
  CWnd* GetProjectFrame() override { return nullptr; }
  void ActivateProjectFrame() override {}
  bool GetRecentFile(int, std::u16string&) const override { return false; }
  void AddToRecentFileList(std::u16string_view) override {}
  void OpenProjectFile(std::u16string_view) override {}
  bool PromptForProjectFile(std::u16string&, std::u16string&, UINT) override { return false; }
  std::u16string& GetLastFilter() override { return filter; }
  std::u16string filter;
};

// Files in shuffled order, so that sorting has work to do; a hundred to a group when
// grouped, as an imported project of a large source tree has them.
std::unique_ptr<ProjectManager> MakeProject(bool grouped) {
  auto project = std::make_unique<ProjectManager>();
  project->SetType(grouped ? ProjectManager::kTypeDsp : ProjectManager::kTypeCsp);
  project->SetPath(u"\\My Documents\\Big\\big.csp");
  std::vector<int> order(static_cast<std::size_t>(fileCount));
  for (int i = 0; i < fileCount; ++i) order[static_cast<std::size_t>(i)] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  for (int i : order) {
    char name[64];
    std::snprintf(name, sizeof name, "\\My Documents\\Big\\src\\file_%05d.cpp", i);
    project->AddFile(plat::Widen(name));
    if (grouped) {
      const std::u16string group = u"Group " + plat::FromInt(i / 100);
      project->GetGroupNodes().SetAt(group, TreeNodeHandle{});
      static_cast<CProjectItem*>(project->GetItems()->GetAt(project->GetItems()->GetTailPosition()))->SetGroupname(group);
    }
  }
  return project;
}

struct Session {
  Session() : screen(480, 640) { UseAppResources(); }
  CHeadlessScreen screen;
  CBenchHost host;
};

Session& TheSession() {
  static Session session;
  return session;
}

void BM_OpenWindow(benchmark::State& state, bool grouped) {
  Session& s = TheSession();
  std::unique_ptr<ProjectManager> project = MakeProject(grouped);
  int rows = 0;
  // The hook runs once the window is drawn: it ends it at once.
  s.screen.SetModalHook([&](CWnd* w) {
    if (auto* dlg = dynamic_cast<CProjectDialog*>(w)) {
      rows = static_cast<int>(dlg->Tree()->GetCount());
      dlg->EndDialog(IDCANCEL);
    }
  });
  for (auto _ : state) {
    CProjectDialog window(IDD_PROJECT, s.host);
    window.SetProject(project.get());
    window.DoModal();
  }
  s.screen.SetModalHook(nullptr);
  if (rows < fileCount) state.SkipWithError("the tree did not hold every file");
  state.counters["nodes"] = rows;
}

void BM_ScrollPage(benchmark::State& state) {
  Session& s = TheSession();
  std::unique_ptr<ProjectManager> project = MakeProject(false);
  s.screen.SetModalHook([&](CWnd* w) {
    auto* dlg = dynamic_cast<CProjectDialog*>(w);
    if (!dlg) return;
    CTreeCtrl* tree = dlg->Tree();
    auto& wm = CWindowManager::Get();
    // Down a page at a time to the end, then up again, each page repainted.
    UINT code = SB_PAGEDOWN;
    for (auto _ : state) {
      const int before = tree->GetTopRow();
      tree->SendMessage(WM_VSCROLL, code, 0);
      wm.ProcessPending();
      if (tree->GetTopRow() == before) code = code == SB_PAGEDOWN ? SB_PAGEUP : SB_PAGEDOWN;
    }
    dlg->EndDialog(IDCANCEL);
  });
  CProjectDialog window(IDD_PROJECT, s.host);
  window.SetProject(project.get());
  window.DoModal();
  s.screen.SetModalHook(nullptr);
}

}  // namespace

BENCHMARK_CAPTURE(BM_OpenWindow, Csp, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, ImportedInGroups, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (const char* n = std::getenv("TOVIN_BENCH_FILES")) fileCount = std::max(1, std::atoi(n));
  if (!bench::InitializeBenchmarks(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
