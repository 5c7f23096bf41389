// Whole-file reading and writing of archived objects.
#include "platform/archive/ArchiveFile.h"

#include "platform/archive/Archive.h"
#include "platform/archive/File.h"
#include "platform/base/Errors.h"

std::unique_ptr<CObject> ReadArchiveObject(CFile& file, const CRuntimeClass* requested, ArchiveRead& result) {
  try {
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> object = ar.ReadObject(requested);
    result = ArchiveRead::Read;
    return object;
  } catch (const CArchiveException&) {
    result = ArchiveRead::Damaged;
    return nullptr;
  }
}

std::unique_ptr<CObject> ReadArchiveFile(std::u16string_view path, const CRuntimeClass* requested, ArchiveRead& result) {
  CFile file;
  if (const std::uint32_t e = file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
    const bool missing = e == plat::ERROR_FILE_NOT_FOUND || e == plat::ERROR_PATH_NOT_FOUND || e == plat::ERROR_INVALID_NAME;
    result = missing ? ArchiveRead::NoFile : ArchiveRead::Refused;
    return nullptr;
  }
  std::unique_ptr<CObject> object = ReadArchiveObject(file, requested, result);
  file.Close();
  return object;
}

bool WriteArchiveObject(CFile& file, const CObject& object) {
  try {
    CArchive ar(&file, CArchive::store);
    ar.WriteObject(&object);
    ar.Close();
    if (ar.WriteError()) {
      file.Abort();
      return false;
    }
  } catch (const CArchiveException&) {
    file.Abort();
    return false;
  }
  return file.Close() == plat::ERROR_SUCCESS;
}

bool WriteArchiveFile(std::u16string_view path, const CObject& object) {
  CFile file;
  if (file.Open(path, CFile::modeCreate | CFile::modeWrite) != plat::ERROR_SUCCESS) return false;
  return WriteArchiveObject(file, object);
}
