// Replacing a file in one step: a temporary file in the target's folder, flushed to disk,
// given the old file's permissions, then renamed over the target. Where the file system
// offers unnamed files the temporary file has no name until the end, so a crash while
// writing leaves nothing behind.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace plat::fs {

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile() { Abort(); }

  // Starts replacing target (a device path). A symbolic link is followed to the file it
  // names, which is the one replaced; a target that exists and is not a regular file is
  // refused (ERROR_ACCESS_DENIED). The temporary file is created in the folder of the file
  // replaced: unnamed where the file system allows, else exclusively, named with prefix
  // (it gets such a name also just before the rename).
  std::uint32_t Begin(std::u16string_view target, std::u16string_view prefix);
  // Buffered; the first error is kept and returned by every later call.
  std::uint32_t Write(const void* data, std::size_t n);
  // Room for n bytes written in place (n at most 1 MiB), then Wrote(used) for what was
  // used; null after an error. Saves a copy for callers that encode as they write.
  char* Reserve(std::size_t n);
  void Wrote(std::size_t used) { pendingSize = reservedAt + used; }
  // Flushes, syncs, copies the old file's mode (without set-id bits) and owner, renames
  // over the target and syncs the folder. On failure the target is untouched.
  std::uint32_t Commit();
  // Removes the temporary file; the target is untouched.
  void Abort();

  // The named temporary file, while there is one (empty while the text goes to an unnamed one).
  const std::string& TempHostPath() const { return tempHost; }

 private:
  std::uint32_t Flush();
  bool OpenUnnamed(const std::string& folder);
  std::uint32_t OpenNamed(const std::string& folder);
  std::uint32_t NameUnnamed();
  std::string WritingHostPath() const;
  int fd = -1;
  bool unnamed = false;  // fd is an unnamed file of the target's folder
  std::string prefix;
  std::string targetHost;  // the regular file to replace (links followed)
  std::string tempHost;
  std::uint32_t error = 0;
  // Bytes waiting to be written; Reserve hands out room in it without clearing it first.
  std::unique_ptr<char[]> pending;
  std::size_t pendingSize = 0;
  std::size_t reservedAt = 0;
  std::uint64_t written = 0;    // bytes handed to the file so far
  std::uint64_t startedTo = 0;  // the disk was asked to start writing up to here
};

}  // namespace plat::fs
