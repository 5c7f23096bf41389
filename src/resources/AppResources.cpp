// The program's resource module, assembled once from each concern's tables.
#include "resources/AppResources.h"

void AddViewResources(CResourceModule& module);
void AddEditResources(CResourceModule& module);

const CResourceModule& AppResources() {
  static const CResourceModule module = [] {
    CResourceModule m;
    AddViewResources(m);
    AddEditResources(m);
    return m;
  }();
  return module;
}

void UseAppResources() { AfxSetResourceHandle(&AppResources()); }
