// ProjectManager: the project: its kind, its files in order, the path and folder of its
// project file, and what the importers and the project window keep about groups. Only the
// files, the path and the folder go into a .csp file.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive/Object.h"
#include "platform/archive/PropertyTable.h"
#include "platform/archive/StringMap.h"
#include "project/ObList2.h"
#include "project/ProjectItem.h"
#include "project/TreeNodeHandle.h"

class ProjectManager : public CObject {
  DECLARE_SERIAL(ProjectManager)

 public:
  // The kind words of the projects.
  static constexpr char16_t kTypeCsp[] = u"CSP";
  static constexpr char16_t kTypeCsproj[] = u"CSPROJ";
  static constexpr char16_t kTypeDsp[] = u"DSP";
  static constexpr char16_t kTypeVbp[] = u"VBP";
  static constexpr char16_t kTypeEbp[] = u"EBP";
  static constexpr std::size_t kMaxDirectory = 254;

  using GroupNodes = CMapStringTo<TreeNodeHandle>;
  using GroupStates = CMapStringToString;  // "1" shown expanded, "0" collapsed

  ProjectManager();
  ~ProjectManager() override;

  const std::u16string& GetType() const { return type; }
  void SetType(std::u16string_view kind) { type = kind; }
  const std::u16string& GetPath() const { return path; }
  // Also sets the directory: the path's folder, with its trailing backslash, after every
  // "..\" and ".\" has been taken out.
  void SetPath(std::u16string_view projectPath);
  const std::u16string& GetDirectory() const { return directory; }
  // The files: every element is a CProjectItem the project owns.
  CObList2* GetItems() { return items.get(); }
  const CObList2* GetItems() const { return items.get(); }
  GroupNodes& GetGroupNodes() { return groupNodes; }
  GroupStates& GetGroupStates() { return groupStates; }
  // The innermost open group is the last; empty except while a file is imported.
  const std::vector<std::u16string>& GetGroupStack() const { return groupStack; }
  bool GetInSourceFile() const { return inSourceFile; }

  // Appends a file: "Pathname" the path, "Filename" its name and extension, no group.
  void AddFile(std::u16string_view filePath);
  // Removes and deletes the first file whose "Pathname" is exactly the path.
  void RemoveFile(std::u16string_view filePath);
  // Deletes every file and forgets the groups; the kind, path and directory stay.
  void Clear();
  // Writes the project file at the path, replacing the old one in one step; false, with
  // the old file as it was, when it cannot be written.
  bool Save();

  // Storing writes the files as an object, then the path and the directory. Loading needs
  // a stored schema of 2 or later and takes path and directory as stored; every element of
  // the list read must be a file entry.
  void Serialize(CArchive& ar) override;

  // The importers of foreign project files, reading the file at the path. Each returns
  // whether the project was read.
  bool ImportVisualStudio();
  bool ImportVs2003();
  bool ImportVs2005();
  bool ImportDsp();
  bool ImportVb();
  // The line handlers; a line may be changed on its way through.
  void ParseVs2003Line(std::u16string& line);
  void ParseVs2005Line(std::u16string& line);
  void ParseDspLine(std::u16string& line);
  void ParseVbLine(std::u16string& line);
  // Makes an item of a line that names a file after "SOURCE=" (not an image, icon or
  // cursor), in the innermost open group; false when the line names none.
  bool AddSourceLine(std::u16string_view line);

 private:
  void EnsureItems();
  // Enters a group with an empty node handle, collapsed.
  void EnterGroup(const std::u16string& name);
  void OpenDspGroup(std::u16string_view line);
  // Appends a file: "Filename" is its name and extension as SplitPath gives them.
  void AddItem(std::u16string_view itemPath, std::u16string_view group);
  void AddItem(std::u16string_view itemPath, const std::u16string& name, const std::u16string& extension,
               std::u16string_view group);
  // Reads the file at the path line by line into the handler, then closes every group;
  // false when it cannot be read. A missing file reads as no lines when missingIsEmpty.
  bool ReadLines(void (ProjectManager::*handler)(std::u16string&), bool missingIsEmpty);

  std::u16string type;
  std::unique_ptr<CObList2> items;
  std::u16string path;
  std::u16string directory;
  std::vector<std::u16string> groupStack;
  GroupNodes groupNodes;
  GroupStates groupStates;
  bool inSourceFile = false;
};
