// Finding the group of a window among its siblings.
#include "platform/ui/Groups.h"

#include "platform/ui/Wnd.h"

namespace plat::ui {

std::vector<CWnd*> GroupOf(CWnd* ctrl) {
  std::vector<CWnd*> group;
  CWnd* parent = ctrl ? ctrl->GetParent() : nullptr;
  if (!parent) return group;
  const auto& kids = parent->GetChildren();
  std::size_t at = 0;
  while (at < kids.size() && kids[at] != ctrl) ++at;
  if (at == kids.size()) return group;
  std::size_t first = at;
  while (first > 0 && !(kids[first]->GetStyle() & WS_GROUP)) --first;
  group.push_back(kids[first]);
  for (std::size_t i = first + 1; i < kids.size() && !(kids[i]->GetStyle() & WS_GROUP); ++i) group.push_back(kids[i]);
  return group;
}

}  // namespace plat::ui
