// CProjectItem.
#include "project/ProjectItem.h"

#include "platform/archive/Archive.h"

IMPLEMENT_SERIAL(CProjectItem, CObject, 1)

CProjectItem::CProjectItem() : properties(std::make_unique<CMapStringToString>()) {}

CProjectItem::~CProjectItem() = default;

void CProjectItem::Serialize(CArchive& ar) { SerializeTable(ar, properties); }
