// CArchive: primitives, counts, strings, and the class and object references.
#include "platform/archive/Archive.h"

#include <bit>
#include <cstring>

#include "platform/archive/File.h"
#include "platform/base/CodePage.h"

namespace {
constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::uint16_t kUnicodeMark = 0xFFFE;

[[noreturn]] void Throw(CArchiveException::Cause cause) { throw CArchiveException(cause); }
}  // namespace

const char* CArchiveException::what() const noexcept {
  switch (m_cause) {
    case endOfFile: return "archive: unexpected end of file";
    case badIndex: return "archive: bad reference";
    case badClass: return "archive: bad class";
    case badSchema: return "archive: bad schema";
    case genericException: return "archive: read error";
    case none: break;
  }
  return "archive";
}

CArchive::CArchive(CFile* f, Mode m) : file(f), mode(m) {
  if (mode == load) {
    fileLeft = file->GetLength();
    loadArray.push_back(Loaded{});  // number 0: the null pointer
  }
}

void CArchive::Close() {
  if (mode == store) FlushBuffer();
}

// --- The buffer ------------------------------------------------------------------------

void CArchive::FlushBuffer() {
  if (bufPos == 0) return;
  if (const std::uint32_t e = file->Write(buffer, bufPos); e && !writeError) writeError = e;
  bufPos = 0;
}

void CArchive::FillBuffer(std::size_t wanted) {
  // Keeps what is left and tops the buffer up from the file in one read.
  const std::size_t left = bufEnd - bufPos;
  if (left >= wanted) return;
  if (left + fileLeft < wanted) Throw(CArchiveException::endOfFile);
  std::memmove(buffer, buffer + bufPos, left);
  bufPos = 0;
  bufEnd = left;
  std::size_t got = 0;
  const std::size_t room = kBufferSize - left;
  const std::size_t ask = fileLeft < room ? static_cast<std::size_t>(fileLeft) : room;
  if (file->Read(buffer + left, ask, got) != 0) Throw(CArchiveException::genericException);
  bufEnd += got;
  fileLeft -= got;
  // The file is shorter than it said when it was opened.
  if (got < ask) fileLeft = 0;
  if (bufEnd < wanted) Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  while (n > 0) {
    if (bufPos == kBufferSize) FlushBuffer();
    const std::size_t take = n < kBufferSize - bufPos ? n : kBufferSize - bufPos;
    std::memcpy(buffer + bufPos, p, take);
    bufPos += take;
    p += take;
    n -= take;
  }
}

void CArchive::Read(void* data, std::size_t n) {
  if (n > BytesLeft()) Throw(CArchiveException::endOfFile);
  auto* p = static_cast<unsigned char*>(data);
  while (n > 0) {
    if (bufPos == bufEnd) FillBuffer(1);
    const std::size_t take = n < bufEnd - bufPos ? n : bufEnd - bufPos;
    std::memcpy(p, buffer + bufPos, take);
    bufPos += take;
    p += take;
    n -= take;
  }
}

// --- Numbers ---------------------------------------------------------------------------

CArchive& CArchive::operator<<(std::uint8_t v) {
  if (bufPos == kBufferSize) FlushBuffer();
  buffer[bufPos++] = v;
  return *this;
}

CArchive& CArchive::operator<<(std::uint16_t v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
  Write(b, 2);
  return *this;
}

CArchive& CArchive::operator<<(std::uint32_t v) {
  const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  Write(b, 4);
  return *this;
}

CArchive& CArchive::operator>>(std::uint8_t& v) {
  if (bufPos == bufEnd) FillBuffer(1);
  v = buffer[bufPos++];
  return *this;
}

CArchive& CArchive::operator>>(std::uint16_t& v) {
  if (bufEnd - bufPos < 2) FillBuffer(2);
  v = static_cast<std::uint16_t>(buffer[bufPos] | buffer[bufPos + 1] << 8);
  bufPos += 2;
  return *this;
}

CArchive& CArchive::operator>>(std::uint32_t& v) {
  if (bufEnd - bufPos < 4) FillBuffer(4);
  const unsigned char* b = buffer + bufPos;
  v = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 | static_cast<std::uint32_t>(b[2]) << 16 |
      static_cast<std::uint32_t>(b[3]) << 24;
  bufPos += 4;
  return *this;
}

CArchive& CArchive::operator>>(std::uint64_t& v) {
  std::uint32_t low = 0, high = 0;
  *this >> low >> high;
  v = static_cast<std::uint64_t>(high) << 32 | low;
  return *this;
}

void CArchive::WriteCount(std::uint64_t count) {
  if (count < 0xFFFF) {
    *this << static_cast<std::uint16_t>(count);
    return;
  }
  *this << static_cast<std::uint16_t>(0xFFFF) << static_cast<std::uint32_t>(count);
}

std::uint64_t CArchive::ReadCount() {
  std::uint16_t word = 0;
  *this >> word;
  std::uint64_t count = word;
  if (word == 0xFFFF) {
    std::uint32_t dword = 0;
    *this >> dword;
    count = dword;
    if (dword == 0xFFFFFFFF) *this >> count;
  }
  if (count > BytesLeft()) Throw(CArchiveException::endOfFile);
  return count;
}

// --- Strings ---------------------------------------------------------------------------

void CArchive::WriteString(std::u16string_view text) {
  *this << static_cast<std::uint8_t>(0xFF) << kUnicodeMark;
  const std::size_t n = text.size();
  if (n < 255) {
    *this << static_cast<std::uint8_t>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(n);
  } else {
    *this << static_cast<std::uint8_t>(0xFF) << static_cast<std::uint16_t>(0xFFFF) << static_cast<std::uint32_t>(n);
  }
  if constexpr (std::endian::native == std::endian::little) {
    Write(text.data(), n * 2);
  } else {
    for (char16_t c : text) *this << static_cast<std::uint16_t>(c);
  }
}

std::u16string CArchive::ReadString() {
  bool wide = false;
  std::uint8_t byteLength = 0;
  std::uint16_t wordLength = 0;
  std::uint64_t length = 0;
  *this >> byteLength;
  if (byteLength == 0xFF) {
    *this >> wordLength;
    if (wordLength == kUnicodeMark) {
      // 16-bit characters: the length starts over with a byte.
      wide = true;
      *this >> byteLength;
      if (byteLength == 0xFF) *this >> wordLength;
    }
  }
  if (byteLength < 0xFF) {
    length = byteLength;
  } else if (wordLength < 0xFFFF) {
    length = wordLength;
  } else {
    std::uint32_t dword = 0;
    *this >> dword;
    length = dword;
    if (dword == 0xFFFFFFFF) *this >> length;
  }
  const std::uint64_t unit = wide ? 2 : 1;
  if (length > BytesLeft() / unit) Throw(CArchiveException::endOfFile);
  const auto n = static_cast<std::size_t>(length);
  if (wide) {
    std::u16string text(n, u'\0');
    Read(text.data(), n * 2);
    if constexpr (std::endian::native != std::endian::little) {
      for (char16_t& c : text) c = static_cast<char16_t>((c >> 8) | (c << 8));
    }
    return text;
  }
  std::string bytes(n, '\0');
  Read(bytes.data(), n);
  return plat::CodePage::System().ToWide(bytes);
}

// --- Classes and objects ---------------------------------------------------------------

std::uint32_t CArchive::NextNumber() {
  if (mapCount >= kMaxMapCount) Throw(CArchiveException::badIndex);
  return mapCount++;
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  if (auto it = storeMap.find(cls); it != storeMap.end()) {
    if (it->second < kBigObjectTag) {
      *this << static_cast<std::uint16_t>(kClassTag | it->second);
    } else {
      *this << kBigObjectTag << (kBigClassTag | it->second);
    }
    return;
  }
  const std::size_t length = std::strlen(cls->m_lpszClassName);
  *this << kNewClassTag << cls->StoredSchema() << static_cast<std::uint16_t>(length);
  Write(cls->m_lpszClassName, length);
  storeMap.emplace(cls, NextNumber());
}

void CArchive::WriteObject(const CObject* object) {
  if (!object) {
    *this << kNullTag;
    return;
  }
  if (auto it = storeMap.find(object); it != storeMap.end()) {
    if (it->second < kBigObjectTag) {
      *this << static_cast<std::uint16_t>(it->second);
    } else {
      *this << kBigObjectTag << it->second;
    }
    return;
  }
  WriteClass(object->GetRuntimeClass());
  storeMap.emplace(object, NextNumber());
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::LoadClassName(std::uint16_t& schema) {
  std::uint16_t length = 0;
  *this >> schema >> length;
  if (length >= kMaxClassName) Throw(CArchiveException::badClass);
  char name[kMaxClassName];
  Read(name, length);
  return CRuntimeClass::FromName(std::string_view(name, length));
}

const CArchive::Loaded& CArchive::ReadClass(const CRuntimeClass* requested, bool& isNull) {
  isNull = false;
  std::uint16_t tag = 0;
  *this >> tag;
  std::uint32_t number = 0;
  bool isClass = false;
  if (tag == kNewClassTag) {
    std::uint16_t schema = 0;
    const CRuntimeClass* cls = LoadClassName(schema);
    if (!cls || !cls->m_pfnCreateObject) Throw(CArchiveException::badClass);
    if (schema != cls->StoredSchema() && !cls->IsVersionable()) Throw(CArchiveException::badSchema);
    number = NextNumber();
    loadArray.push_back(Loaded{cls, schema});
  } else {
    if (tag == kBigObjectTag) {
      *this >> number;
      isClass = (number & kBigClassTag) != 0;
      number &= ~kBigClassTag;
    } else {
      isClass = (tag & kClassTag) != 0;
      number = tag & ~kClassTag;
    }
    if (!isClass) {
      if (number == 0) {
        isNull = true;
        return loadArray[0];
      }
      // Every object read has one owner already: a second reference would make two.
      Throw(CArchiveException::badIndex);
    }
    if (number == 0 || number >= loadArray.size() || !loadArray[number].cls) Throw(CArchiveException::badIndex);
  }
  const Loaded& loaded = loadArray[number];
  if (requested && !loaded.cls->IsDerivedFrom(requested)) Throw(CArchiveException::badClass);
  return loaded;
}

std::unique_ptr<CObject> CArchive::ReadObject(const CRuntimeClass* requested) {
  bool isNull = false;
  const Loaded loaded = ReadClass(requested, isNull);
  if (isNull) return nullptr;
  if (depth >= kMaxDepth) Throw(CArchiveException::badClass);
  std::unique_ptr<CObject> object = loaded.cls->CreateObject();
  if (!object) Throw(CArchiveException::badClass);
  NextNumber();
  loadArray.push_back(Loaded{});
  const std::uint32_t savedSchema = objectSchema;
  objectSchema = loaded.schema;
  ++depth;
  try {
    object->Serialize(*this);
  } catch (...) {
    --depth;
    throw;
  }
  --depth;
  objectSchema = savedSchema;
  return object;
}

std::uint32_t CArchive::GetObjectSchema() {
  const std::uint32_t schema = objectSchema;
  objectSchema = 0xFFFFFFFF;
  return schema;
}
