// The property table in the archive.
#include "platform/archive/PropertyTable.h"

#include "platform/archive/Archive.h"

void CMapStringToString::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount(GetCount());
    for (const auto& [key, value] : *this) ar << key << value;
    return;
  }
  const std::uint64_t count = ar.ReadCount();
  for (std::uint64_t i = 0; i < count; ++i) {
    std::u16string key = ar.ReadString();
    (*this)[key] = ar.ReadString();
  }
}

void SerializeTable(CArchive& ar, std::unique_ptr<CMapStringToString>& table) {
  if (ar.IsStoring()) {
    table->Serialize(ar);
    return;
  }
  auto read = std::make_unique<CMapStringToString>();
  read->Serialize(ar);
  table = std::move(read);
}
