// The Visual Studio 2003 and 2005 project files (.vcproj, .csproj, .vbproj), read by
// plain text matching on their lines.
#include "platform/base/CodePage.h"
#include "platform/fs/Files.h"
#include "project/ImportText.h"
#include "project/ProjectManager.h"

using import_text::RemoveEvery;
using import_text::ReplaceEvery;

bool ProjectManager::ImportVisualStudio() {
  // The head of the file tells the two forms apart.
  std::u16string head;
  {
    plat::fs::File file;
    if (file.Open(path, plat::fs::File::Access::Read)) return false;
    char bytes[256];
    std::size_t got = 0;
    if (file.Read(bytes, sizeof bytes, got)) return false;
    head = plat::CodePage::System().ToWide(std::string_view(bytes, got));
  }
  if (import_text::Contains(head, u"<VisualStudioProject")) return ImportVs2003();
  if (import_text::Contains(head, u"<Project DefaultTargets=")) return ImportVs2005();
  return false;
}

bool ProjectManager::ImportVs2003() { return ReadLines(&ProjectManager::ParseVs2003Line, false); }

bool ProjectManager::ImportVs2005() { return ReadLines(&ProjectManager::ParseVs2005Line, false); }

void ProjectManager::ParseVs2003Line(std::u16string& line) {
  // C# and Visual Basic name their files in RelPath attributes, C++ in RelativePath ones
  // (which may close their element on the same line).
  if (ReplaceEvery(line, u"RelPath = ", u"SOURCE=") == 0) {
    if (ReplaceEvery(line, u"RelativePath=", u"SOURCE=") == 0) return;
    RemoveEvery(line, u'>');
  }
  RemoveEvery(line, u'"');
  import_text::TrimLeftSpace(line);
  AddSourceLine(line);
}

void ProjectManager::ParseVs2005Line(std::u16string& line) {
  // Only compile items are files of the project; content and resources are not.
  if (ReplaceEvery(line, u"<Compile Include=", u"SOURCE=") == 0) {
    if (ReplaceEvery(line, u"RelativePath=", u"SOURCE=") == 0) return;
    RemoveEvery(line, u'>');
  }
  RemoveEvery(line, u'"');
  RemoveEvery(line, u'>');
  RemoveEvery(line, u'/');  // the end of a self-closing element
  import_text::TrimRightSpace(line);
  import_text::TrimLeftSpace(line);
  AddSourceLine(line);
}
