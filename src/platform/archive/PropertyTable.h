// CMapStringToString: the property table of the project's file entries and of the tools,
// written as its count and then each pair (key, value) in the map's walking order.
#pragma once
#include <memory>
#include <string>

#include "platform/archive/StringMap.h"

class CArchive;

class CMapStringToString : public CMapStringTo<std::u16string> {
 public:
  // Storing writes the pairs; loading enters the pairs read in their order, so a key read
  // twice keeps the later value.
  void Serialize(CArchive& ar);
};

// The table owned by an object that is its table alone: storing writes it; loading
// replaces it by the table read, only once that is whole.
void SerializeTable(CArchive& ar, std::unique_ptr<CMapStringToString>& table);
