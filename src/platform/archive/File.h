// CFile: a file the archive reads or writes. Reading goes straight through the fs layer;
// writing goes to a replacement beside the target that takes its place only on Close, so a
// write cut short leaves the old file whole. CMemFile holds the bytes in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"

class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    shareDenyWrite = 0x0020,  // kept for the callers' sake: the host has no such locks
    modeCreate = 0x1000,
  };

  CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  // A write not closed is abandoned: the target stays as it was.
  virtual ~CFile();

  // modeRead opens an existing regular file; modeCreate | modeWrite starts replacing the
  // file at path. Returns the handheld error number (0 = opened).
  std::uint32_t Open(std::u16string_view path, unsigned flags);
  // got < n only at the end of the file.
  virtual std::uint32_t Read(void* data, std::size_t n, std::size_t& got);
  // Errors of a write are kept and reported by Close.
  virtual std::uint32_t Write(const void* data, std::size_t n);
  // The size in bytes when the file was opened for reading.
  virtual std::uint64_t GetLength() const { return length; }
  // A write is put in place here; 0 when the whole file now stands at its path.
  virtual std::uint32_t Close();
  virtual void Abort();

 private:
  plat::fs::File reader;
  plat::fs::AtomicFile writer;
  bool writing = false;
  std::uint64_t length = 0;
};

// A file in memory: read from the bytes given, or written into a growing string.
class CMemFile : public CFile {
 public:
  CMemFile() = default;
  explicit CMemFile(std::string_view bytes) : data(bytes) {}

  std::uint32_t Read(void* out, std::size_t n, std::size_t& got) override;
  std::uint32_t Write(const void* in, std::size_t n) override;
  std::uint64_t GetLength() const override { return data.size(); }
  std::uint32_t Close() override { return 0; }
  void Abort() override {}

  const std::string& Bytes() const { return data; }

 private:
  std::string data;
  std::size_t position = 0;
};
