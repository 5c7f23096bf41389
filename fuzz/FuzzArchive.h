// Fuzzing an archive file reader: whatever the bytes, reading gives an object of the class
// asked for or a refusal, and an object read writes out as a file that reads back. Reading
// enters a table's pairs in their written order, which reverses the keys that share a
// bucket, so writing and reading twice over gives the first bytes again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzDevice.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/File.h"

namespace fuzz {

template <class T>
void FuzzArchiveReader(const std::uint8_t* data, std::size_t size) {
  CMemFile in(std::string(reinterpret_cast<const char*>(data), size));
  ArchiveRead result = ArchiveRead::Damaged;
  std::unique_ptr<CObject> object = ReadArchiveObject(in, T::GetThisClass(), result);
  FUZZ_CHECK(result == ArchiveRead::Read || result == ArchiveRead::Damaged);
  if (result != ArchiveRead::Read || !object) return;
  FUZZ_CHECK(object->IsKindOf(T::GetThisClass()));
  CMemFile first;
  FUZZ_CHECK(WriteArchiveObject(first, *object));
  const auto rewritten = [](const std::string& bytes) {
    CMemFile in(bytes);
    ArchiveRead again = ArchiveRead::Damaged;
    std::unique_ptr<CObject> copy = ReadArchiveObject(in, T::GetThisClass(), again);
    FUZZ_CHECK(again == ArchiveRead::Read && copy);
    CMemFile out;
    FUZZ_CHECK(WriteArchiveObject(out, *copy));
    return out.Bytes();
  };
  const std::string second = rewritten(first.Bytes());
  FUZZ_CHECK(second.size() == first.Bytes().size());
  FUZZ_CHECK(rewritten(second) == first.Bytes());
}

}  // namespace fuzz
