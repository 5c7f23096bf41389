// Files on the device: attributes, open/read/write, temporary names, delete and move.
// Every operation takes a device path and reports a handheld error number (0 = success).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/Errors.h"
#include "platform/base/Types.h"

namespace plat::fs {

enum : DWORD {
  FILE_ATTRIBUTE_READONLY = 0x01,
  FILE_ATTRIBUTE_HIDDEN = 0x02,
  FILE_ATTRIBUTE_DIRECTORY = 0x10,
  FILE_ATTRIBUTE_ARCHIVE = 0x20,
  FILE_ATTRIBUTE_NORMAL = 0x80,
  INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF,
};

// The operations a test can make fail, with the host path they act on.
// CreateUnnamed is the unnamed temporary file of a replace: failing it stands for a file
// system that has none, and the replace falls back to a named temporary file.
enum class FsOp { Attributes, Open, Read, Write, Sync, Close, CreateTemp, Delete, Move, Replace, List, CreateUnnamed };
// Returns a handheld error number to inject, or 0 to let the operation run.
using FaultHook = std::function<std::uint32_t(FsOp op, const std::string& hostPath)>;
FaultHook SetFaultHook(FaultHook hook);
// Runs the hook for an operation; nonzero means fail with that error.
std::uint32_t InjectedFault(FsOp op, const std::string& hostPath);

// INVALID_FILE_ATTRIBUTES on failure, with the reason in GetLastError. A file the user may
// not write carries FILE_ATTRIBUTE_READONLY.
DWORD GetFileAttributes(std::u16string_view path);

// An open file; closed by its destructor.
class File {
 public:
  enum class Access { Read, Write };
  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // Read opens an existing file; Write creates or truncates one.
  std::uint32_t Open(std::u16string_view path, Access access);
  // got < n only at the end of the file.
  std::uint32_t Read(void* data, std::size_t n, std::size_t& got);
  std::uint32_t Write(const void* data, std::size_t n);
  std::uint32_t Close();
  bool IsOpen() const { return fd >= 0; }
  // The file's size in bytes, or -1.
  long long Size() const;

 private:
  int fd = -1;
  std::string hostPath;
};

// Creates a new empty file named prefix + four hex digits + ".tmp" in folder (a device
// folder path, with or without its trailing backslash) and returns its device path.
std::uint32_t CreateTempFile(std::u16string_view folder, std::u16string_view prefix, std::u16string& path);
std::uint32_t DeleteFile(std::u16string_view path);
// Fails with ERROR_ALREADY_EXISTS when the target exists.
std::uint32_t MoveFile(std::u16string_view from, std::u16string_view to);
std::uint32_t CreateDirectory(std::u16string_view path);
bool Exists(std::u16string_view path);

}  // namespace plat::fs
