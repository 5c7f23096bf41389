// Reading and writing the tools list as a whole file (Tovin.menu in the device root).
#pragma once
#include <string>

#include "tools/ToolsMenu.h"

// A new list read from the file at path, owned by the caller; an empty list when the file
// is missing, unreadable or damaged. Never null.
ToolsMenu* LoadToolsMenu(const std::u16string& path);
// Writes the list as the whole file, replacing the old one in one step; false (the old
// file untouched) when it cannot be written.
bool SaveToolsMenu(const ToolsMenu& menu, const std::u16string& path);
