// The program's resource module, assembled once from each concern's tables.
#include "resources/AppResources.h"

void AddViewResources(CResourceModule& module);

const CResourceModule& AppResources() {
  static const CResourceModule module = [] {
    CResourceModule m;
    AddViewResources(m);
    return m;
  }();
  return module;
}

void UseAppResources() { AfxSetResourceHandle(&AppResources()); }
