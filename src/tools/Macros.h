// The macros a tool's arguments and working directory may hold: "$FileName" (the open
// file's name without its last extension), "$FilePath" (its full path), "$WkspDir" and
// "$WkspName" (always empty: there are no workspaces).
#pragma once
#include <string>
#include <string_view>

// The text with every macro replaced, in that order; filePath is the active document's
// full path, empty when there is none or it was never saved. A replacement that holds the
// macro it replaces is not searched again.
std::u16string ExpandToolMacros(std::u16string_view text, std::u16string_view filePath);
