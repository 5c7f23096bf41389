// CObject, run-time classes and the registry of serialisable classes.
#include "platform/archive/Object.h"

#include <vector>

namespace {
// Filled by the classes' static registrations before main; read-only afterwards.
std::vector<const CRuntimeClass*>& Registry() {
  static std::vector<const CRuntimeClass*> classes;
  return classes;
}
}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

void CObject::Serialize(CArchive&) {}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return true;
  return false;
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  for (const CRuntimeClass* c : Registry())
    if (name == c->m_lpszClassName) return c;
  return nullptr;
}

CClassRegistration::CClassRegistration(const CRuntimeClass* cls) {
  if (!CRuntimeClass::FromName(cls->m_lpszClassName)) Registry().push_back(cls);
}
