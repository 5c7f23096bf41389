// The Visual C++ 6 and eMbedded Visual C++ project files (.dsp, .vcp): "SOURCE=" lines,
// inside groups or inside source-file blocks, with groups that may nest.
#include "project/ImportText.h"
#include "project/ProjectManager.h"

using import_text::Contains;

bool ProjectManager::ImportDsp() { return ReadLines(&ProjectManager::ParseDspLine, false); }

void ProjectManager::OpenDspGroup(std::u16string_view line) {
  // The name stands between the first double quote and the line's last character.
  const std::size_t quote = line.find(u'"');
  if (quote == std::u16string_view::npos) return;
  const std::size_t first = quote + 1;
  const std::size_t last = line.size() - 1;
  std::u16string name(first < last ? line.substr(first, last - first) : std::u16string_view());
  EnterGroup(name);
  groupStack.push_back(std::move(name));
}

void ProjectManager::ParseDspLine(std::u16string& line) {
  if (!groupStack.empty()) {
    // Inside a group every SOURCE line is a file of the innermost group.
    AddSourceLine(line);
    if (Contains(line, u"# Begin Group")) OpenDspGroup(line);
    if (Contains(line, u"# End Group")) groupStack.pop_back();
    return;
  }
  if (Contains(line, u"# Begin Group")) {
    OpenDspGroup(line);
    return;
  }
  // Outside groups only the source-file blocks name files; the project's own settings
  // (custom build steps with their SOURCE lines) do not.
  if (inSourceFile) {
    AddSourceLine(line);
    if (Contains(line, u"# End Source File")) inSourceFile = false;
  } else if (Contains(line, u"# Begin Source File")) {
    inSourceFile = true;
  }
}
