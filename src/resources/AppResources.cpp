// The program's resource module, assembled once from each concern's tables.
#include "resources/AppResources.h"
#include "resources/ResourceTables.h"

const CResourceModule& AppResources() {
  static const CResourceModule module = [] {
    CResourceModule m;
    AddViewResources(m);
    AddFrameResources(m);
    AddEditResources(m);
    AddAboutResources(m);
    AddBrowserResources(m);
    AddNavigationResources(m);
    AddDocumentResources(m);
    AddProjectResources(m);
    AddToolsResources(m);
    return m;
  }();
  return module;
}

void UseAppResources() { AfxSetResourceHandle(&AppResources()); }
