// Benchmarks of projects: saving and loading a .csp of 10,000 files, and importing a
// 10,000-file project of each foreign format.
//
// The project files are generated once (the number of files from TOVIN_BENCH_FILES, 10,000
// by default) into a private device under $TMPDIR and removed at the end. Saving replaces
// the file in one step and flushes it to disk, so its time includes two fsync calls; the
// Store benchmark writes the same archive into memory to show the rest. Unless told
// otherwise every benchmark runs 5 times and only the aggregates (median first) are shown.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchDevice.h"
#include "BenchMain.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/File.h"
#include "platform/base/Strings.h"
#include "project/ProjectFile.h"
#include "project/ProjectManager.h"

namespace {

bench::CBenchDevice device;
int fileCount = 10000;

// A file's folder and name: a hundred files to a folder, as a large source tree has them.
std::string Folder(int i) { return "src\\module" + std::to_string(i / 100); }
std::string Name(int i, const char* extension) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "file_%05d.%s", i, extension);
  return buf;
}

template <class Sink>
void VcprojLines(Sink sink) {
  sink("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VisualStudioProject\r\n\tProjectType=\"Visual C++\"\r\n"
       "\tVersion=\"7.10\"\r\n\tName=\"Big\">\r\n\t<Files>\r\n");
  for (int i = 0; i < fileCount; ++i) {
    if (i % 100 == 0) {
      if (i) sink("\t\t</Filter>\r\n");
      sink("\t\t<Filter\r\n\t\t\tName=\"" + Folder(i) + "\"\r\n\t\t\tFilter=\"cpp;c;cxx;def;odl;idl;hpj;bat;asm\">\r\n");
    }
    sink("\t\t\t<File\r\n\t\t\t\tRelativePath=\".\\" + Folder(i) + "\\" + Name(i, "cpp") + "\">\r\n\t\t\t</File>\r\n");
  }
  sink("\t\t</Filter>\r\n\t</Files>\r\n\t<Globals>\r\n\t</Globals>\r\n</VisualStudioProject>\r\n");
}

template <class Sink>
void Csproj2003Lines(Sink sink) {
  sink("<VisualStudioProject>\r\n    <CSHARP\r\n        ProjectType = \"Local\"\r\n    >\r\n        <Files>\r\n            <Include>\r\n");
  for (int i = 0; i < fileCount; ++i)
    sink("                <File\r\n                    RelPath = \"" + Folder(i) + "\\" + Name(i, "cs") +
         "\"\r\n                    SubType = \"Code\"\r\n                    BuildAction = \"Compile\"\r\n                />\r\n");
  sink("            </Include>\r\n        </Files>\r\n    </CSHARP>\r\n</VisualStudioProject>\r\n");
}

template <class Sink>
void Csproj2005Lines(Sink sink) {
  sink("<Project DefaultTargets=\"Build\" xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n  <ItemGroup>\r\n");
  for (int i = 0; i < fileCount; ++i) {
    if (i % 10 == 0) {
      sink("    <Compile Include=\"" + Folder(i) + "\\" + Name(i, "cs") + "\">\r\n      <SubType>Form</SubType>\r\n    </Compile>\r\n");
      sink("    <EmbeddedResource Include=\"" + Folder(i) + "\\" + Name(i, "resx") + "\" />\r\n");
    } else {
      sink("    <Compile Include=\"" + Folder(i) + "\\" + Name(i, "cs") + "\" />\r\n");
    }
  }
  sink("  </ItemGroup>\r\n  <Import Project=\"$(MSBuildBinPath)\\Microsoft.CSharp.targets\" />\r\n</Project>\r\n");
}

template <class Sink>
void DspLines(Sink sink) {
  sink("# Microsoft Developer Studio Project File - Name=\"Big\" - Package Owner=<4>\r\n# Begin Project\r\n# Begin Target\r\n\r\n");
  // Parts of a thousand files, each with a group per folder inside it.
  for (int i = 0; i < fileCount; ++i) {
    if (i % 100 == 0 && i) sink("# End Group\r\n");
    if (i % 1000 == 0) {
      if (i) sink("# End Group\r\n");
      sink("# Begin Group \"Part " + std::to_string(i / 1000) + "\"\r\n\r\n# PROP Default_Filter \"cpp;c;cxx\"\r\n");
    }
    if (i % 100 == 0) sink("# Begin Group \"" + Folder(i) + "\"\r\n\r\n# PROP Default_Filter \"\"\r\n");
    sink("# Begin Source File\r\n\r\nSOURCE=.\\" + Folder(i) + "\\" + Name(i, "cpp") + "\r\n# End Source File\r\n");
  }
  sink("# End Group\r\n# End Group\r\n# End Target\r\n# End Project\r\n");
}

template <class Sink>
void VbpLines(Sink sink) {
  sink("Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE Automation\r\n");
  for (int i = 0; i < fileCount; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 3) {
      case 0: sink("Form=Forms\\frm" + n + ".frm\r\n"); break;
      case 1: sink("Module=mod" + n + "; Modules\\mod" + n + ".bas\r\n"); break;
      default: sink("Class=cls" + n + "; Classes\\cls" + n + ".cls\r\n"); break;
    }
  }
  sink("IconForm=\"frm0\"\r\nStartup=\"frm0\"\r\nName=\"Big\"\r\nMaxNumberOfThreads=1\r\n");
}

struct Format {
  const char* name;
  const char* file;
  const char16_t* type;
  bool (ProjectManager::*import)();
  bench::BenchFile bench;
};

Format formats[] = {
    {"vcproj2003", "big.vcproj", u"CSPROJ", &ProjectManager::ImportVisualStudio, {}},
    {"csproj2003", "big2003.csproj", u"CSPROJ", &ProjectManager::ImportVisualStudio, {}},
    {"csproj2005", "big2005.csproj", u"CSPROJ", &ProjectManager::ImportVisualStudio, {}},
    {"dsp", "big.dsp", u"DSP", &ProjectManager::ImportDsp, {}},
    {"vbp", "big.vbp", u"VBP", &ProjectManager::ImportVb, {}},
};
bench::BenchFile csp;

void BM_Import(benchmark::State& state, Format* format) {
  ProjectManager project;
  for (auto _ : state) {
    project.Clear();
    project.SetType(format->type);
    project.SetPath(format->bench.device);
    if (!(project.*format->import)()) state.SkipWithError("the import failed");
  }
  if (project.GetItems()->GetCount() != fileCount) state.SkipWithError("the import lost files");
  state.SetBytesProcessed(state.iterations() * format->bench.bytes);
}

std::unique_ptr<ProjectManager> BigProject() {
  auto project = std::make_unique<ProjectManager>();
  project->SetType(u"CSP");
  project->SetPath(csp.device);
  for (int i = 0; i < fileCount; ++i)
    project->AddFile(u"\\Storage Card\\" + plat::Widen(Folder(i) + "\\" + Name(i, "cpp")));
  return project;
}

void BM_SaveCsp(benchmark::State& state) {
  const auto project = BigProject();
  for (auto _ : state)
    if (!project->Save()) state.SkipWithError("the save failed");
}

void BM_StoreCsp(benchmark::State& state) {
  const auto project = BigProject();
  for (auto _ : state) {
    CMemFile file;
    WriteArchiveObject(file, *project);
    benchmark::DoNotOptimize(file.Bytes().data());
  }
}

void BM_LoadCsp(benchmark::State& state) {
  if (!BigProject()->Save()) state.SkipWithError("the save failed");
  for (auto _ : state) {
    auto project = LoadProjectFile(csp.device);
    if (!project || project->GetItems()->GetCount() != fileCount) state.SkipWithError("the load failed");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InitializeBenchmarks(argc, argv)) return 1;
  if (const char* n = std::getenv("TOVIN_BENCH_FILES"); n && *n) fileCount = std::atoi(n);
  if (!device.Create("tovin-project-bench")) return 1;
  bool ok = true;
  const auto write = [&](Format& f, auto lines) {
    ok = ok && device.Write(f.file, [&](auto sink) { lines([&](const std::string& s) { sink(s); }); }, f.bench);
  };
  write(formats[0], [](auto sink) { VcprojLines(sink); });
  write(formats[1], [](auto sink) { Csproj2003Lines(sink); });
  write(formats[2], [](auto sink) { Csproj2005Lines(sink); });
  write(formats[3], [](auto sink) { DspLines(sink); });
  write(formats[4], [](auto sink) { VbpLines(sink); });
  ok = ok && device.Write("big.csp", [](auto) {}, csp);
  if (!ok) {
    std::fprintf(stderr, "project_bench: cannot write the projects under %s\n", device.Base().c_str());
    return 1;
  }
  benchmark::AddCustomContext("files", std::to_string(fileCount) + " per project");
  benchmark::RegisterBenchmark("SaveCsp", BM_SaveCsp)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("StoreCsp", BM_StoreCsp)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LoadCsp", BM_LoadCsp)->Unit(benchmark::kMillisecond);
  for (Format& f : formats)
    benchmark::RegisterBenchmark((std::string("Import/") + f.name).c_str(), BM_Import, &f)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  device.Remove();
  return 0;
}
