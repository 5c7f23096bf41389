// The strings of opening and importing projects.
#include "resources/ResourceTables.h"
#include "resources/ResourceIds.h"
#include "platform/ui/Resources.h"

void AddProjectResources(CResourceModule& m) {
  m.strings[IDS_PROJECT_LOAD_FAILED] = u"Load failed.";
  m.strings[IDS_PROJECT_IMPORT_FAILED] = u"Error loading project file.";
}
