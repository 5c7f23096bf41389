// CObject and its run-time classes: the name, schema and factory of every class the object
// archive can write and read back, and the registry that finds a class by its stored name.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

class CArchive;
class CObject;

// Set in a class's schema when the archive should pass a differing stored schema on to the
// class's Serialize instead of refusing the object.
inline constexpr std::uint32_t VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass {
  const char* m_lpszClassName;
  std::uint32_t m_wSchema;  // the low 16 bits are written; VERSIONABLE_SCHEMA may be set
  std::unique_ptr<CObject> (*m_pfnCreateObject)();  // null: not creatable from the archive
  const CRuntimeClass* m_pBaseClass;

  std::uint16_t StoredSchema() const { return static_cast<std::uint16_t>(m_wSchema & 0xFFFF); }
  bool IsVersionable() const { return (m_wSchema & VERSIONABLE_SCHEMA) != 0; }
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  std::unique_ptr<CObject> CreateObject() const;

  // The serialisable class of that name, or null.
  static const CRuntimeClass* FromName(std::string_view name);
};

// Enters a class into the registry by name; IMPLEMENT_SERIAL makes one per class.
class CClassRegistration {
 public:
  explicit CClassRegistration(const CRuntimeClass* cls);
};

class CObject {
 public:
  static const CRuntimeClass classCObject;
  static const CRuntimeClass* GetThisClass() { return &classCObject; }

  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;

  virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
  // Writes the object's fields to the archive, or reads them back, by the archive's direction.
  virtual void Serialize(CArchive& ar);
  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: the run-time class, its query and the factory the archive calls.
#define DECLARE_SERIAL(class_name)                                 \
 public:                                                           \
  static const CRuntimeClass class##class_name;                    \
  static const CRuntimeClass* GetThisClass() { return &class##class_name; } \
  const CRuntimeClass* GetRuntimeClass() const override;           \
  static std::unique_ptr<CObject> CreateObject();

// In one source file: the class's name (as written in the archive), base and schema.
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                        \
  std::unique_ptr<CObject> class_name::CreateObject() { return std::make_unique<class_name>(); }     \
  const CRuntimeClass class_name::class##class_name = {#class_name, (schema), &class_name::CreateObject, \
                                                       RUNTIME_CLASS(base_class_name)};               \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }      \
  static const CClassRegistration registration##class_name(RUNTIME_CLASS(class_name));
