// Opening a .csp project file.
#pragma once
#include <memory>
#include <string_view>

#include "project/ProjectManager.h"

// The project read from the file at path: an empty project when nothing exists at the
// path or the file holds the null object; null when the file is damaged or the path names
// something that cannot be read as a file (the caller says "Load failed.").
std::unique_ptr<ProjectManager> LoadProjectFile(std::u16string_view path);
