// What the project tests share: a project's files and groups as readable lines.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/Strings.h"
#include "project/ProjectManager.h"

// Each file as "Pathname | Filename | Groupname", in list order.
inline std::vector<std::string> ItemLines(const ProjectManager& project) {
  std::vector<std::string> out;
  for (CObject* element : *project.GetItems()) {
    const auto* item = static_cast<const CProjectItem*>(element);
    std::u16string path, name, group;
    item->GetPathname(path);
    item->GetFilename(name);
    item->GetGroupname(group);
    out.push_back(plat::Narrow(path) + " | " + plat::Narrow(name) + " | " + plat::Narrow(group));
  }
  return out;
}

// The groups entered, sorted, as "name=state"; a group whose node handle is not empty or
// that lacks a node is marked.
inline std::vector<std::string> GroupLines(ProjectManager& project) {
  std::vector<std::string> out;
  for (const auto& [name, state] : project.GetGroupStates()) {
    const TreeNodeHandle* node = project.GetGroupNodes().Find(name);
    out.push_back(plat::Narrow(name) + "=" + plat::Narrow(state) + (!node ? " (no node)" : node->IsEmpty() ? "" : " (handle)"));
  }
  if (project.GetGroupNodes().GetCount() != project.GetGroupStates().GetCount()) out.push_back("(node count differs)");
  std::sort(out.begin(), out.end());
  return out;
}
