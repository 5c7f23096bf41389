// One running copy per user: a named mutex, and a later copy asking the first to come forward.
//
// The mutex is an exclusive lock on a file named after it, held for the life of the process;
// beside it a socket lets a later copy ask the first to raise its window captioned exactly so.
#pragma once
#include <memory>
#include <string>
#include <string_view>

class CWnd;
class CInstancePoller;

class CNamedMutex {
 public:
  // Creates or opens the mutex called name (a GUID in braces, used as a file name). The
  // last error is ERROR_ALREADY_EXISTS (183) when another process holds it, and 0 when
  // this process now does; null, with the reason in the last error, when the lock file
  // cannot be made (no private folder, a name that is not one file name).
  static std::unique_ptr<CNamedMutex> Create(std::u16string_view name);
  ~CNamedMutex();
  CNamedMutex(const CNamedMutex&) = delete;
  CNamedMutex& operator=(const CNamedMutex&) = delete;

  // True when this process holds the mutex (and answers the later copies).
  bool IsOwner() const { return lockFd >= 0; }
  const std::string& LockPath() const { return lockPath; }
  // Answers the requests waiting (up to timeoutMs for the first). The owner's screen
  // does this on a timer; tests call it themselves.
  void Poll(int timeoutMs = 0);
  // How many requests found the window and brought it forward.
  int Activations() const { return activations; }

 private:
  CNamedMutex() = default;
  void Answer(int connection);

  int lockFd = -1;
  int listenFd = -1;
  std::string lockPath;
  std::string socketPath;
  int activations = 0;
  std::unique_ptr<CInstancePoller> poller;
};

// What the running copy made of a request.
enum class ActivateResult {
  Activated,  // its window was found and brought to the front
  NoWindow,   // it runs, but no top-level window has exactly that caption
  NoAnswer,   // nobody listens (no copy runs, or it did not answer in time)
};

// Asks the process holding mutex name to bring forward its top-level window whose caption
// is exactly caption.
ActivateResult ActivateRunningWindow(std::u16string_view mutexName, std::u16string_view caption, int timeoutMs = 3000);

// This process's top-level window captioned exactly caption, or null.
CWnd* FindWindow(std::u16string_view caption);
// Brings a top-level window and the host window to the front. A window that is disabled
// because a modal dialog is open keeps the dialog above it.
void SetForegroundWindow(CWnd* window);

// The private per-user folder holding the locks: $XDG_RUNTIME_DIR when it is one, else a
// folder of this user's own under the temporary folder; empty when neither is safe.
std::string InstanceFolder();
