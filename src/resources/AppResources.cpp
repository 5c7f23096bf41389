// The program's resource module, assembled once from each concern's tables.
#include "resources/AppResources.h"

void AddViewResources(CResourceModule& module);
void AddFrameResources(CResourceModule& module);
void AddEditResources(CResourceModule& module);
void AddAboutResources(CResourceModule& module);
void AddBrowserResources(CResourceModule& module);
void AddNavigationResources(CResourceModule& module);
void AddDocumentResources(CResourceModule& module);
void AddProjectResources(CResourceModule& module);

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
    return m;
  }();
  return module;
}

void UseAppResources() { AfxSetResourceHandle(&AppResources()); }
