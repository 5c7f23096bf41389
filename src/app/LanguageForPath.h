// The syntax language a file's extension chooses.
#pragma once
#include <string_view>

// The text after the last '.' anywhere in the path, lower-cased (empty without one), looked
// up in the table of Basic, markup, PHP and plain-text extensions; anything else is C.
int LanguageForPath(std::u16string_view path);
