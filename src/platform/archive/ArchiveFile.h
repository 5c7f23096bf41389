// Reading and writing one object as a whole file: the boundary where the archive's
// exceptions end.
#pragma once
#include <memory>
#include <string_view>

#include "platform/archive/Object.h"

class CFile;

enum class ArchiveRead {
  Read,     // an object of the class asked for (or the null pointer: no object)
  NoFile,   // nothing exists at the path
  Refused,  // something is there that cannot be opened as a file (a folder, a FIFO, unreadable)
  Damaged,  // the file is not an archive of that class
};

// Reads one object of class requested (or derived) through the archive.
std::unique_ptr<CObject> ReadArchiveObject(CFile& file, const CRuntimeClass* requested, ArchiveRead& result);
std::unique_ptr<CObject> ReadArchiveFile(std::u16string_view path, const CRuntimeClass* requested, ArchiveRead& result);

// Writes the object as the whole file at path, replacing it in one step; false (the old
// file untouched) when it cannot be written.
bool WriteArchiveObject(CFile& file, const CObject& object);
bool WriteArchiveFile(std::u16string_view path, const CObject& object);
