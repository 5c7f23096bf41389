// Starting host programs for ShellExecuteEx and CreateProcessW, and the help viewer.
#include "platform/shell/Process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/base/Errors.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"

extern char** environ;

#ifndef TOVIN_SOURCE_DIR
#define TOVIN_SOURCE_DIR "."
#endif

namespace {

SpawnHook& Hook() {
  static SpawnHook hook;
  return hook;
}

std::vector<std::string>& HelpFolders() {
  static std::vector<std::string> folders;
  return folders;
}

// Programs started whose collecting thread could not be made: each later start (and
// CloseHandle) collects those that ended.
std::vector<pid_t>& Children() {
  static std::vector<pid_t> children;
  return children;
}

void ReapChildren() {
  auto& kids = Children();
  kids.erase(std::remove_if(kids.begin(), kids.end(),
                            [](pid_t pid) {
                              const pid_t r = waitpid(pid, nullptr, WNOHANG);
                              return r == pid || (r < 0 && errno == ECHILD);
                            }),
             kids.end());
}

// Nobody waits for a program started here: a thread of its own collects it the moment it
// ends, so it never stays behind as a zombie however long the editor runs on.
void CollectWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    Children().push_back(pid);
  }
}

bool Spawn(const SpawnRequest& request, int* pidOut) {
  if (pidOut) *pidOut = 0;
  if (request.argv.empty() || request.argv[0].empty()) {
    plat::SetLastError(plat::ERROR_FILE_NOT_FOUND);
    return false;
  }
  if (Hook() && Hook()(request)) return true;
  ReapChildren();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!request.workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.c_str());
  std::vector<char*> argv;
  for (const auto& a : request.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    plat::SetLastError(plat::ErrorFromErrno(rc));
    return false;
  }
  CollectWhenDone(pid);
  if (pidOut) *pidOut = static_cast<int>(pid);
  return true;
}

std::u16string BaseName(std::u16string_view path) {
  const auto slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

// A device path among the words becomes the host path behind it; other words stay.
std::string HostWord(const std::u16string& word) {
  std::string host;
  if (!word.empty() && word[0] == u'\\' && plat::fs::ToHost(word, host)) return host;
  return plat::Narrow(word);
}

// A file URI for a host path: everything but unreserved characters and '/' escaped.
std::string FileUri(const std::string& hostPath, const std::string& fragment) {
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : hostPath) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  if (!fragment.empty()) uri += "#" + fragment;
  return uri;
}

bool OpenOnDesktop(const std::string& target, int* pid) {
  return Spawn(SpawnRequest{{"xdg-open", target}, {}}, pid);
}

// "file:Tovin.htm#Main_Contents": the page by its name, at the anchor.
bool ShowHelp(std::u16string_view arguments, int* pid) {
  std::u16string target = plat::Trim(arguments);
  if (target.size() >= 5 && plat::EqualsNoCase(target.substr(0, 5), u"file:")) target.erase(0, 5);
  std::u16string anchor;
  const auto hash = target.find(u'#');
  if (hash != std::u16string::npos) {
    anchor = target.substr(hash + 1);
    target.resize(hash);
  }
  const std::string page = FindHelpFile(plat::Narrow(BaseName(target)));
  if (page.empty()) {
    plat::SetLastError(plat::ERROR_FILE_NOT_FOUND);
    return false;
  }
  return OpenOnDesktop(FileUri(page, plat::Narrow(anchor)), pid);
}

bool Start(std::u16string_view file, std::u16string_view parameters, std::u16string_view directory, int* pid) {
  const std::u16string base = plat::ToLower(BaseName(file));
  if (base == u"peghelp.exe") return ShowHelp(parameters, pid);
  const std::vector<std::u16string> words = SplitCommandLine(parameters);
  if (base == u"iexplore.exe") {
    if (words.empty()) return false;
    std::string address = HostWord(words[0]);
    if (!words[0].empty() && words[0][0] == u'\\') address = FileUri(address, {});
    return OpenOnDesktop(address, pid);
  }
  SpawnRequest request;
  if (!directory.empty() && !plat::fs::ToHost(directory, request.workingFolder)) return false;
  std::string program = HostWord(std::u16string(file));
  if (program.find('/') != std::string::npos) {
    struct stat st;
    if (stat(program.c_str(), &st) != 0) {
      plat::SetLastError(plat::ErrorFromErrno(errno));
      return false;
    }
    // A document is opened by the desktop's program for it, as the handheld's shell does.
    if (S_ISREG(st.st_mode) && access(program.c_str(), X_OK) != 0) return OpenOnDesktop(program, pid);
  }
  request.argv.push_back(program);
  for (const auto& w : words) request.argv.push_back(HostWord(w));
  if (Spawn(request, pid)) return true;
  // The handheld's programs carry ".exe"; the host's same-named programs do not.
  if (program.find('/') == std::string::npos && program.size() > 4 &&
      plat::EqualsNoCase(plat::Widen(program.substr(program.size() - 4)), u".exe")) {
    request.argv[0] = program.substr(0, program.size() - 4);
    return Spawn(request, pid);
  }
  return false;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> words;
  std::size_t i = 0;
  const std::size_t n = line.size();
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (true) {
    while (i < n && blank(line[i])) ++i;
    if (i >= n) break;
    std::u16string word;
    bool quoted = false;
    while (i < n && (quoted || !blank(line[i]))) {
      if (line[i] == u'\\') {
        std::size_t count = 0;
        while (i < n && line[i] == u'\\') {
          ++count;
          ++i;
        }
        if (i < n && line[i] == u'"') {
          word.append(count / 2, u'\\');
          if (count % 2) {
            word += u'"';
            ++i;
          }
        } else {
          word.append(count, u'\\');
        }
      } else if (line[i] == u'"') {
        quoted = !quoted;
        ++i;
      } else {
        word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

bool ShellExecuteEx(SHELLEXECUTEINFO* info) {
  if (!info || info->lpFile.empty()) {
    plat::SetLastError(plat::ERROR_INVALID_PARAMETER);
    return false;
  }
  int pid = 0;
  const bool ok = Start(info->lpFile, info->lpParameters, info->lpDirectory, &pid);
  info->hProcess = (ok && (info->fMask & SEE_MASK_NOCLOSEPROCESS)) ? pid : 0;
  return ok;
}

bool CreateProcessW(std::u16string_view application, std::u16string_view commandLine, PROCESS_INFORMATION* info,
                    std::u16string_view currentDirectory) {
  int pid = 0;
  if (application.empty() || !Start(application, commandLine, currentDirectory, &pid)) return false;
  if (info) *info = PROCESS_INFORMATION{pid, pid, pid, pid};
  return true;
}

bool CloseHandle(int) {
  ReapChildren();
  return true;
}

SpawnHook SetSpawnHook(SpawnHook hook) {
  SpawnHook old = std::move(Hook());
  Hook() = std::move(hook);
  return old;
}

void SetHelpFolders(std::vector<std::string> folders) {
  HelpFolders() = std::move(folders);
}

std::string FindHelpFile(std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  std::vector<std::string> folders = HelpFolders();
  if (folders.empty()) {
    char exe[4096];
    const ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (len > 0) {
      std::string dir(exe, static_cast<std::size_t>(len));
      dir.resize(dir.find_last_of('/'));
      folders.push_back(dir + "/resources");
      folders.push_back(dir + "/../share/tovin");
    }
    folders.push_back(TOVIN_SOURCE_DIR "/src/resources");
  }
  for (const auto& folder : folders) {
    const std::string path = folder + "/" + std::string(name);
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return plat::fs::AbsoluteHostPath(path);
  }
  return {};
}
