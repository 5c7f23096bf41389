// Groups of sibling windows: a group runs from a window with WS_GROUP to the next one with it,
// as radio buttons and the arrow keys of a dialog see them.
#pragma once
#include <vector>

class CWnd;

namespace plat::ui {

// The controls of ctrl's group among its parent's children, in order: from the nearest
// control at or before it that has WS_GROUP (or the first child) up to the next one that has.
std::vector<CWnd*> GroupOf(CWnd* ctrl);

}  // namespace plat::ui
