// Fuzz target: the Visual Basic project files.
#include "FuzzImport.h"

TOVIN_IMPORT_FUZZER("p.vbp", u"VBP", &ProjectManager::ImportVb)
