// PromptForFile: asks the user for a file with the program's own file browser, always
// offering the same nine file-type filters.
#pragma once
#include <string>

#include "platform/base/Types.h"

// path: the proposed path in, the chosen one out (left as it was when the chosen name is
// empty). filter: the pattern to start with in (one no filter has starts with All Files),
// the pattern current at the end out. titleId: the string resource of the title (61440
// "Open", 61441 "Save As", 61210 "New Project", 61211 "Add File"); a missing one shows an
// empty title. True when the user confirmed.
bool PromptForFile(std::u16string& path, std::u16string& filter, UINT titleId);
