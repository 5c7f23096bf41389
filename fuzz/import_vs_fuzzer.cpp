// Fuzz target: the Visual Studio 2003 and 2005 project files.
#include "FuzzImport.h"

TOVIN_IMPORT_FUZZER("p.vcproj", u"CSPROJ", &ProjectManager::ImportVisualStudio)
