// CArchive: the object archive of the project and tools files, in one direction at a time
// through a 4096-byte buffer. All numbers are little-endian.
//
// Classes and objects share one counter from 1 (0 is the null pointer). A class written
// for the first time is the word 0xFFFF, its schema word, its name's length word and the
// name in 8-bit characters; later it is the word 0x8000 | its number, or 0x7FFF and the
// double word 0x80000000 | number once numbers reach 0x7FFF. An object written again is its
// number (0x7FFF and a double word when large). Counts are a word, or 0xFFFF and a double
// word. Strings are 0xFF 0xFFFE (16-bit characters) and a length of one byte, 0xFF and a
// word, or 0xFF 0xFFFF and a double word, then UTF-16LE; strings without the mark hold
// 8-bit characters of the system code page.
//
// Reading refuses what would cost more than the file holds: a count or a string length
// beyond the bytes left is an end of file before anything is allocated, objects nest at
// most kMaxDepth deep, and since every object read has exactly one owner a reference back
// to an object read before is a bad index.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/archive/ArchiveException.h"
#include "platform/archive/Object.h"

class CFile;

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  static constexpr std::size_t kBufferSize = 4096;
  static constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;
  static constexpr int kMaxDepth = 8;
  static constexpr std::size_t kMaxClassName = 64;  // a stored name this long or longer is refused

  CArchive(CFile* file, Mode mode);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;
  // Does not write what is still buffered: Close does.
  ~CArchive() = default;

  bool IsLoading() const { return mode == load; }
  bool IsStoring() const { return mode == store; }
  CFile* GetFile() const { return file; }
  // Storing: writes out the buffer. The file stays open for its owner to close.
  void Close();
  // Write errors are kept by the file; this is the first one (0 when none).
  std::uint32_t WriteError() const { return writeError; }

  // Bytes of the file not read yet.
  std::uint64_t BytesLeft() const { return fileLeft + static_cast<std::uint64_t>(bufEnd - bufPos); }

  void Write(const void* data, std::size_t n);
  // Reads exactly n bytes, or throws endOfFile.
  void Read(void* data, std::size_t n);

  CArchive& operator<<(std::uint8_t v);
  CArchive& operator<<(std::uint16_t v);
  CArchive& operator<<(std::uint32_t v);
  CArchive& operator>>(std::uint8_t& v);
  CArchive& operator>>(std::uint16_t& v);
  CArchive& operator>>(std::uint32_t& v);
  CArchive& operator>>(std::uint64_t& v);

  void WriteCount(std::uint64_t count);
  // A count no larger than the bytes left: every counted element takes at least one byte.
  std::uint64_t ReadCount();

  void WriteString(std::u16string_view text);
  std::u16string ReadString();
  CArchive& operator<<(std::u16string_view text) {
    WriteString(text);
    return *this;
  }
  CArchive& operator>>(std::u16string& text) {
    text = ReadString();
    return *this;
  }

  void WriteObject(const CObject* object);
  void WriteClass(const CRuntimeClass* cls);
  // Reads an object; null for the null pointer. When requested is given, the object must
  // be of that class or one derived from it (badClass otherwise).
  std::unique_ptr<CObject> ReadObject(const CRuntimeClass* requested);
  template <class T>
  std::unique_ptr<T> ReadObjectOf() {
    std::unique_ptr<CObject> object = ReadObject(T::GetThisClass());
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
  }
  // The schema stored for the class of the object being read, once; then 0xFFFFFFFF.
  std::uint32_t GetObjectSchema();

 private:
  // What a number read stands for: a class (with the schema stored for it) or an object.
  struct Loaded {
    const CRuntimeClass* cls = nullptr;  // null: an object, or the null pointer at 0
    std::uint32_t schema = 0;
  };

  void FillBuffer(std::size_t wanted);
  void FlushBuffer();
  std::uint32_t NextNumber();
  // The class of the object that follows, with its stored schema.
  const Loaded& ReadClass(const CRuntimeClass* requested, bool& isNull);
  const CRuntimeClass* LoadClassName(std::uint16_t& schema);

  CFile* file;
  Mode mode;
  unsigned char buffer[kBufferSize];
  std::size_t bufPos = 0;
  std::size_t bufEnd = 0;
  std::uint64_t fileLeft = 0;  // loading: bytes of the file not yet in the buffer
  std::uint32_t writeError = 0;

  std::uint32_t mapCount = 1;
  std::unordered_map<const void*, std::uint32_t> storeMap;  // class or object -> number
  std::vector<Loaded> loadArray;                            // number -> what it stands for
  std::uint32_t objectSchema = 0xFFFFFFFF;
  int depth = 0;
};
