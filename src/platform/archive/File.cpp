// CFile over the fs layer, and CMemFile.
#include "platform/archive/File.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Errors.h"

CFile::~CFile() { CFile::Abort(); }

std::uint32_t CFile::Open(std::u16string_view path, unsigned flags) {
  Abort();
  length = 0;
  if (flags & modeWrite) {
    // The replacement is named like the text's temporary files, with its own prefix.
    if (const std::uint32_t e = writer.Begin(path, u"ARC")) return e;
    writing = true;
    return plat::ERROR_SUCCESS;
  }
  if (const std::uint32_t e = reader.Open(path, plat::fs::File::Access::Read)) return e;
  const long long size = reader.Size();
  length = size > 0 ? static_cast<std::uint64_t>(size) : 0;
  return plat::ERROR_SUCCESS;
}

std::uint32_t CFile::Read(void* data, std::size_t n, std::size_t& got) {
  got = 0;
  if (writing || !reader.IsOpen()) return plat::ERROR_INVALID_PARAMETER;
  return reader.Read(data, n, got);
}

std::uint32_t CFile::Write(const void* data, std::size_t n) {
  if (!writing) return plat::ERROR_INVALID_PARAMETER;
  return writer.Write(data, n);
}

std::uint32_t CFile::Close() {
  if (writing) {
    writing = false;
    return writer.Commit();
  }
  return reader.Close();
}

void CFile::Abort() {
  if (writing) writer.Abort();
  writing = false;
  reader.Close();
}

std::uint32_t CMemFile::Read(void* out, std::size_t n, std::size_t& got) {
  got = std::min(n, data.size() - position);
  std::memcpy(out, data.data() + position, got);
  position += got;
  return plat::ERROR_SUCCESS;
}

std::uint32_t CMemFile::Write(const void* in, std::size_t n) {
  data.append(static_cast<const char*>(in), n);
  return plat::ERROR_SUCCESS;
}
