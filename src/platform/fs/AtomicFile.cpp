// Replacing a file in one step, so that no moment exists without the whole old or the whole
// new file, even after a power cut.
#include "platform/fs/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>

#include "platform/base/Errors.h"
#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"

namespace plat::fs {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string FolderOf(const std::string& host) {
  const auto slash = host.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host.substr(0, slash);
}

// Follows a chain of symbolic links to the file they name (lexically joined, bounded).
bool FollowLinks(std::string& host) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (lstat(host.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char buf[PATH_MAX];
    const ssize_t n = readlink(host.c_str(), buf, sizeof buf - 1);
    if (n < 0) return false;
    std::string target(buf, static_cast<std::size_t>(n));
    host = AbsoluteHostPath(target[0] == '/' ? target : FolderOf(host) + "/" + target);
  }
  errno = ELOOP;
  return false;
}

// A fresh temporary name in folder: prefix, four hex digits, ".tmp".
std::string TempName(const std::string& folder, const std::string& prefix) {
  static std::minstd_rand rng(static_cast<unsigned>(getpid()) * 2654435761u ^ static_cast<unsigned>(time(nullptr)));
  char num[8];
  std::snprintf(num, sizeof num, "%04X", static_cast<unsigned>(rng() & 0xFFFF));
  return folder + (folder == "/" ? "" : "/") + prefix + num + ".tmp";
}

std::string ProcFdPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

}  // namespace

// An unnamed file can only be given a name through /proc; without /proc (or without
// O_TMPFILE in the kernel or the file system) the named temporary file is used instead.
bool AtomicFile::OpenUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
  if (InjectedFault(FsOp::CreateUnnamed, folder)) return false;
  const int f = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (f < 0) return false;
  struct stat own, seen;
  if (fstat(f, &own) != 0 || stat(ProcFdPath(f).c_str(), &seen) != 0 || own.st_ino != seen.st_ino ||
      own.st_dev != seen.st_dev) {
    close(f);
    return false;
  }
  fd = f;
  unnamed = true;
  return true;
#else
  (void)folder;
  return false;
#endif
}

std::uint32_t AtomicFile::OpenNamed(const std::string& folder) {
  for (int attempt = 0; attempt < 65536; ++attempt) {
    std::string name = TempName(folder, prefix);
    fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      tempHost = std::move(name);
      return ERROR_SUCCESS;
    }
    if (errno != EEXIST) return ErrorFromErrno(errno);
  }
  return ERROR_ALREADY_EXISTS;
}

// Gives the finished unnamed file a temporary name beside the target, for the rename. Only
// a crash in the moment between the two can leave it behind.
std::uint32_t AtomicFile::NameUnnamed() {
  const std::string folder = FolderOf(targetHost);
  const std::string self = ProcFdPath(fd);
  for (int attempt = 0; attempt < 65536; ++attempt) {
    std::string name = TempName(folder, prefix);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      tempHost = std::move(name);
      return ERROR_SUCCESS;
    }
    if (errno != EEXIST) return ErrorFromErrno(errno);
  }
  return ERROR_ALREADY_EXISTS;
}

// What the fault hook is told is written: the named file, or the folder of an unnamed one.
std::string AtomicFile::WritingHostPath() const { return tempHost.empty() ? FolderOf(targetHost) : tempHost; }

std::uint32_t AtomicFile::Begin(std::u16string_view target, std::u16string_view prefix) {
  Abort();
  error = 0;
  if (!ToHost(target, targetHost)) return error = GetLastError();
  if (!FollowLinks(targetHost)) return error = ErrorFromErrno(errno);
  struct stat st;
  if (stat(targetHost.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return error = ERROR_ACCESS_DENIED;
  const std::string folder = FolderOf(targetHost);
  if (auto e = InjectedFault(FsOp::CreateTemp, folder)) return error = e;
  this->prefix = Narrow(prefix);
  if (!OpenUnnamed(folder)) {
    if (auto e = OpenNamed(folder)) return error = e;
  }
  if (!pending) pending.reset(new char[kBufferSize]);
  pendingSize = 0;
  written = startedTo = 0;
  return ERROR_SUCCESS;
}

std::uint32_t AtomicFile::Flush() {
  if (error) return error;
  if (auto e = InjectedFault(FsOp::Write, WritingHostPath())) return error = e;
  std::size_t done = 0;
  while (done < pendingSize) {
    const ssize_t w = write(fd, pending.get() + done, pendingSize - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return error = ErrorFromErrno(errno);
    }
    done += static_cast<std::size_t>(w);
  }
  written += pendingSize;
  pendingSize = 0;
#ifdef SYNC_FILE_RANGE_WRITE
  // The disk starts on what is written while the rest is still being made, so that the sync
  // at the end waits for little more than the last piece. Only a hint: errors show at the sync.
  constexpr std::uint64_t kWriteBehind = 8 << 20;
  if (written - startedTo >= kWriteBehind) {
    sync_file_range(fd, static_cast<off_t>(startedTo), static_cast<off_t>(written - startedTo), SYNC_FILE_RANGE_WRITE);
    startedTo = written;
  }
#endif
  return ERROR_SUCCESS;
}

std::uint32_t AtomicFile::Write(const void* data, std::size_t n) {
  if (error) return error;
  if (fd < 0) return error = ERROR_INVALID_PARAMETER;
  const auto* p = static_cast<const char*>(data);
  while (n > 0) {
    const std::size_t room = kBufferSize - pendingSize;
    const std::size_t take = n < room ? n : room;
    std::memcpy(pending.get() + pendingSize, p, take);
    pendingSize += take;
    p += take;
    n -= take;
    if (pendingSize == kBufferSize && Flush()) return error;
  }
  return ERROR_SUCCESS;
}

char* AtomicFile::Reserve(std::size_t n) {
  if (error || fd < 0 || n > kBufferSize) return nullptr;
  if (pendingSize + n > kBufferSize && Flush()) return nullptr;
  reservedAt = pendingSize;
  pendingSize = reservedAt + n;
  return pending.get() + reservedAt;
}

std::uint32_t AtomicFile::Commit() {
  if (!error && fd < 0) error = ERROR_INVALID_PARAMETER;
  if (!error) Flush();
  if (!error) {
    if (auto e = InjectedFault(FsOp::Sync, WritingHostPath())) error = e;
    else if (fsync(fd) != 0) error = ErrorFromErrno(errno);
  }
  if (!error) {
    struct stat st;
    if (stat(targetHost.c_str(), &st) == 0) {
      // The new file takes the old one's permissions; set-id bits never carry over.
      fchmod(fd, st.st_mode & 0777 & ~static_cast<mode_t>(S_ISUID | S_ISGID));
      if (fchown(fd, st.st_uid, st.st_gid) != 0) { /* not permitted: keep ours */ }
    } else {
      const mode_t mask = umask(0);
      umask(mask);
      fchmod(fd, 0666 & ~mask);
    }
  }
  if (!error && unnamed) error = NameUnnamed();
  if (fd >= 0) {
    const int r = close(fd);
    fd = -1;
    if (!error) {
      if (auto e = InjectedFault(FsOp::Close, tempHost)) error = e;
      else if (r != 0) error = ErrorFromErrno(errno);
    }
  }
  if (!error) {
    if (auto e = InjectedFault(FsOp::Replace, targetHost)) error = e;
    else if (rename(tempHost.c_str(), targetHost.c_str()) != 0) error = ErrorFromErrno(errno);
  }
  if (error) {
    Abort();
    return error;
  }
  tempHost.clear();
  unnamed = false;
  const int dfd = open(FolderOf(targetHost).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return ERROR_SUCCESS;
}

void AtomicFile::Abort() {
  if (fd >= 0) {
    close(fd);  // an unnamed file goes with its last descriptor
    fd = -1;
  }
  unnamed = false;
  if (!tempHost.empty()) {
    unlink(tempHost.c_str());
    tempHost.clear();
  }
  pendingSize = 0;
}

}  // namespace plat::fs
