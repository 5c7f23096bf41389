// Files on the device through the mount table.
#include "platform/fs/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <random>

#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"

namespace plat::fs {
namespace {
FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

bool Host(std::u16string_view path, std::string& host) {
  if (!ToHost(path, host)) return false;
  return true;
}

std::uint32_t Fail(std::uint32_t e) {
  SetLastError(e);
  return e;
}

}  // namespace

FaultHook SetFaultHook(FaultHook hook) {
  FaultHook old = std::move(Hook());
  Hook() = std::move(hook);
  return old;
}

std::uint32_t InjectedFault(FsOp op, const std::string& hostPath) {
  return Hook() ? Hook()(op, hostPath) : 0;
}

DWORD GetFileAttributes(std::u16string_view path) {
  std::string host;
  if (!Host(path, host)) return INVALID_FILE_ATTRIBUTES;
  if (auto e = InjectedFault(FsOp::Attributes, host)) {
    SetLastError(e);
    return INVALID_FILE_ATTRIBUTES;
  }
  struct stat st;
  if (stat(host.c_str(), &st) != 0) {
    const int err = errno;
    if (NormalizeDevicePath(path) == u"\\") return FILE_ATTRIBUTE_DIRECTORY;  // the root exists before first use
    SetLastError(ErrorFromErrno(err));
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD a = 0;
  if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
  if (faccessat(AT_FDCWD, host.c_str(), W_OK, AT_EACCESS) != 0 ||
      InjectedFault(FsOp::Write, host) == ERROR_ACCESS_DENIED)
    a |= FILE_ATTRIBUTE_READONLY;
  const auto slash = host.find_last_of('/');
  if (slash != std::string::npos && slash + 1 < host.size() && host[slash + 1] == '.') a |= FILE_ATTRIBUTE_HIDDEN;
  if (a == 0) a = FILE_ATTRIBUTE_NORMAL;
  SetLastError(ERROR_SUCCESS);
  return a;
}

File::~File() { Close(); }

std::uint32_t File::Open(std::u16string_view path, Access access) {
  Close();
  if (!Host(path, hostPath)) return GetLastError();
  if (auto e = InjectedFault(FsOp::Open, hostPath)) return Fail(e);
  const int flags = access == Access::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
  // Non-blocking, so that a FIFO without a writer cannot hold the program in open(); only
  // regular files are files here: folders, FIFOs, sockets and devices are refused.
  fd = open(hostPath.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
  if (fd < 0) return Fail(errno == ENXIO ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    fd = -1;
    return Fail(ERROR_ACCESS_DENIED);
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return ERROR_SUCCESS;
}

std::uint32_t File::Read(void* data, std::size_t n, std::size_t& got) {
  got = 0;
  if (fd < 0) return Fail(ERROR_INVALID_PARAMETER);
  if (auto e = InjectedFault(FsOp::Read, hostPath)) return Fail(e);
  auto* p = static_cast<char*>(data);
  while (got < n) {
    const ssize_t r = read(fd, p + got, n - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return Fail(ErrorFromErrno(errno) == ERROR_GEN_FAILURE ? ERROR_READ_FAULT : ErrorFromErrno(errno));
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  return ERROR_SUCCESS;
}

std::uint32_t File::Write(const void* data, std::size_t n) {
  if (fd < 0) return Fail(ERROR_INVALID_PARAMETER);
  if (auto e = InjectedFault(FsOp::Write, hostPath)) return Fail(e);
  const auto* p = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < n) {
    const ssize_t w = write(fd, p + done, n - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return Fail(ErrorFromErrno(errno));
    }
    done += static_cast<std::size_t>(w);
  }
  return ERROR_SUCCESS;
}

std::uint32_t File::Close() {
  if (fd < 0) return ERROR_SUCCESS;
  const int r = close(fd);
  fd = -1;
  if (auto e = InjectedFault(FsOp::Close, hostPath)) return Fail(e);
  return r == 0 ? ERROR_SUCCESS : Fail(ErrorFromErrno(errno));
}

long long File::Size() const {
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return -1;
  return st.st_size;
}

std::uint32_t CreateTempFile(std::u16string_view folder, std::u16string_view prefix, std::u16string& path) {
  std::u16string dir(folder);
  if (dir.empty() || dir.back() != u'\\') dir.push_back(u'\\');
  std::string hostDir;
  if (!Host(dir, hostDir)) return GetLastError();
  if (auto e = InjectedFault(FsOp::CreateTemp, hostDir)) return Fail(e);
  static std::minstd_rand rng(static_cast<unsigned>(getpid()) * 2654435761u ^ static_cast<unsigned>(time(nullptr)));
  // Four hex digits as the handheld names them; on a clash try another number.
  for (int attempt = 0; attempt < 65536; ++attempt) {
    char num[8];
    std::snprintf(num, sizeof num, "%04X", static_cast<unsigned>(rng() & 0xFFFF));
    std::u16string name = dir + std::u16string(prefix) + Widen(num) + u".tmp";
    std::string host;
    if (!Host(name, host)) return GetLastError();
    const int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      close(fd);
      path = NormalizeDevicePath(name);
      return ERROR_SUCCESS;
    }
    if (errno != EEXIST) return Fail(ErrorFromErrno(errno));
  }
  return Fail(ERROR_ALREADY_EXISTS);
}

std::uint32_t DeleteFile(std::u16string_view path) {
  std::string host;
  if (!Host(path, host)) return GetLastError();
  if (auto e = InjectedFault(FsOp::Delete, host)) return Fail(e);
  return unlink(host.c_str()) == 0 ? ERROR_SUCCESS : Fail(ErrorFromErrno(errno));
}

std::uint32_t MoveFile(std::u16string_view from, std::u16string_view to) {
  std::string a, b;
  if (!Host(from, a) || !Host(to, b)) return GetLastError();
  if (auto e = InjectedFault(FsOp::Move, a)) return Fail(e);
  struct stat st;
  if (lstat(b.c_str(), &st) == 0) return Fail(ERROR_ALREADY_EXISTS);
  return rename(a.c_str(), b.c_str()) == 0 ? ERROR_SUCCESS : Fail(ErrorFromErrno(errno));
}

std::uint32_t CreateDirectory(std::u16string_view path) {
  std::string host;
  if (!Host(path, host)) return GetLastError();
  return mkdir(host.c_str(), 0777) == 0 ? ERROR_SUCCESS : Fail(ErrorFromErrno(errno));
}

bool Exists(std::u16string_view path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace plat::fs
