// The named mutex as a file lock, the socket beside it, and a window found and raised by caption.
#include "platform/shell/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/base/Errors.h"
#include "platform/base/Strings.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr char kRequest[] = "ACTIVATE ";
constexpr char kActivated[] = "ACTIVATED";
constexpr char kNoWindow[] = "NOWINDOW";
constexpr std::size_t kMaxLine = 4096;
constexpr UINT kPollPeriodMs = 250;

bool IsPrivateFolder(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

// One file name: no separators, no "." or "..", nothing that could leave the folder.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name.size() <= 100 && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool SocketAddress(const std::string& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Reads up to the first line end within timeoutMs; false on timeout, error or no line.
bool ReadLine(int fd, std::string& line, int timeoutMs) {
  line.clear();
  char buf[256];
  while (line.size() < kMaxLine) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    const ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    line.append(buf, static_cast<std::size_t>(n));
    const auto end = line.find('\n');
    if (end != std::string::npos) {
      line.resize(end);
      return true;
    }
  }
  return false;
}

bool SendAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

// A hidden window whose timer lets the owner answer later copies from the message loop,
// modal loops included (a copy started while a dialog is open still finds the program).
class CInstancePoller : public CWnd {
 public:
  explicit CInstancePoller(CNamedMutex& m) : mutex(m) {}
  bool Start() {
    if (!Create(nullptr, CRect(0, 0, 1, 1), 0)) return false;
    SetTimer(1, kPollPeriodMs);
    return true;
  }

 protected:
  void OnTimer(UINT_PTR) override { mutex.Poll(0); }
  void OnClose() override {
    // Never the window to close the program through: pass it to the topmost other one.
    const auto& tops = CWindowManager::Get().GetTopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
      if (*it != this && (*it)->IsWindowVisible()) {
        (*it)->SendMessage(WM_CLOSE);
        return;
      }
    CWnd::OnClose();
  }

 private:
  CNamedMutex& mutex;
};

std::string InstanceFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/' && IsPrivateFolder(runtime)) return runtime;
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/tovin-" + std::to_string(geteuid());
  mkdir(dir.c_str(), 0700);  // already there is fine, if it is ours and private
  return IsPrivateFolder(dir) ? dir : std::string();
}

std::unique_ptr<CNamedMutex> CNamedMutex::Create(std::u16string_view name) {
  const std::string folder = InstanceFolder();
  if (folder.empty()) {
    plat::SetLastError(plat::ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::string file = plat::Narrow(name);
  if (!IsPlainName(file)) {
    plat::SetLastError(plat::ERROR_INVALID_NAME);
    return nullptr;
  }
  std::unique_ptr<CNamedMutex> m(new CNamedMutex());
  m->lockPath = folder + "/" + file;
  m->socketPath = m->lockPath + ".sock";
  const int fd = open(m->lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    plat::SetLastError(plat::ErrorFromErrno(errno));
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    close(fd);
    plat::SetLastError(plat::ERROR_ACCESS_DENIED);
    return nullptr;
  }
  fchmod(fd, 0600);
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    if (err != EWOULDBLOCK) {
      plat::SetLastError(plat::ErrorFromErrno(err));
      return nullptr;
    }
    plat::SetLastError(plat::ERROR_ALREADY_EXISTS);
    return m;
  }
  m->lockFd = fd;
  // The lock is ours, so a socket left by a copy that died is stale and goes.
  sockaddr_un addr;
  if (SocketAddress(m->socketPath, addr)) {
    unlink(m->socketPath.c_str());
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s >= 0 && bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
        chmod(m->socketPath.c_str(), 0600) == 0 && listen(s, 8) == 0) {
      m->listenFd = s;
    } else if (s >= 0) {
      close(s);
    }
  }
  auto& wm = CWindowManager::Get();
  // Where input can arrive the loop waits for it, and a timer wakes it to answer; the test
  // screen never waits, and its tests poll for themselves.
  if (m->listenFd >= 0 && wm.IsStarted() && wm.Backend().CanWait()) {
    auto poller = std::make_unique<CInstancePoller>(*m);
    if (poller->Start()) m->poller = std::move(poller);
  }
  plat::SetLastError(plat::ERROR_SUCCESS);
  return m;
}

CNamedMutex::~CNamedMutex() {
  poller.reset();
  if (listenFd >= 0) {
    close(listenFd);
    unlink(socketPath.c_str());
  }
  // The lock file stays: removing it could let two copies lock two different files.
  if (lockFd >= 0) close(lockFd);
}

void CNamedMutex::Poll(int timeoutMs) {
  if (listenFd < 0) return;
  int wait = timeoutMs;
  for (;;) {
    pollfd p{listenFd, POLLIN, 0};
    if (poll(&p, 1, wait) <= 0) return;
    const int c = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) return;
    Answer(c);
    close(c);
    wait = 0;
  }
}

void CNamedMutex::Answer(int c) {
  // The folder is private already; the peer's user is checked all the same.
  ucred cred{};
  socklen_t len = sizeof cred;
  if (getsockopt(c, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != geteuid()) return;
  std::string line;
  if (!ReadLine(c, line, 1000) || line.compare(0, sizeof kRequest - 1, kRequest) != 0) return;
  CWnd* window = FindWindow(plat::Widen(line.substr(sizeof kRequest - 1)));
  if (window) {
    SetForegroundWindow(window);
    ++activations;
  }
  SendAll(c, std::string(window ? kActivated : kNoWindow) + "\n");
}

ActivateResult ActivateRunningWindow(std::u16string_view mutexName, std::u16string_view caption, int timeoutMs) {
  const std::string folder = InstanceFolder();
  const std::string name = plat::Narrow(mutexName);
  sockaddr_un addr;
  if (folder.empty() || !IsPlainName(name) || !SocketAddress(folder + "/" + name + ".sock", addr))
    return ActivateResult::NoAnswer;
  const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return ActivateResult::NoAnswer;
  ActivateResult result = ActivateResult::NoAnswer;
  timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  std::string reply;
  if (connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
      SendAll(s, kRequest + plat::Narrow(caption) + "\n") && ReadLine(s, reply, timeoutMs)) {
    if (reply == kActivated)
      result = ActivateResult::Activated;
    else if (reply == kNoWindow)
      result = ActivateResult::NoWindow;
  }
  close(s);
  return result;
}

CWnd* FindWindow(std::u16string_view caption) {
  auto& wm = CWindowManager::Get();
  if (!wm.IsStarted()) return nullptr;
  const auto& tops = wm.GetTopLevels();
  // Topmost first, as the handheld searches.
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if ((*it)->IsWindow() && ((*it)->GetStyle() & WS_CAPTION) && (*it)->GetWindowText() == caption) return *it;
  return nullptr;
}

void SetForegroundWindow(CWnd* window) {
  auto& wm = CWindowManager::Get();
  if (!window || !window->IsWindow() || !wm.IsStarted()) return;
  // Above an open dialog or menu it would hide what the user must answer first.
  if (!wm.GetModalWindow()) wm.BringToTop(window);
  wm.Backend().Raise();
}
