// Fuzz target: the Visual C++ 6 and eMbedded Visual C++ project files.
#include "FuzzImport.h"

TOVIN_IMPORT_FUZZER("p.dsp", u"DSP", &ProjectManager::ImportDsp)
