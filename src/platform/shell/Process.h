// Starting programs (ShellExecuteEx, CreateProcessW) on the host, and the help viewer.
//
// Programs run through posix_spawnp, never a shell: the argument string is split by the
// handheld's rules, device paths among the words and the working folder become host paths;
// the help viewer and the browser open their targets with xdg-open.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

class CWnd;

// Splits an argument string into words as the handheld's C runtime does: blanks separate
// words; double quotes group blanks into a word and are dropped; 2n backslashes before a
// quote give n backslashes and the quote groups, 2n+1 give n backslashes and a literal
// quote; other backslashes are themselves.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

enum : DWORD { SEE_MASK_NOCLOSEPROCESS = 0x40 };

struct SHELLEXECUTEINFO {
  DWORD cbSize = 60;
  DWORD fMask = 0;
  CWnd* hwnd = nullptr;
  std::u16string lpVerb;
  std::u16string lpFile;        // a program, a document, or a device path to either
  std::u16string lpParameters;  // the argument string
  std::u16string lpDirectory;   // the working folder, a device path; empty: unchanged
  int nShow = 1;
  int hProcess = 0;  // the process started, with SEE_MASK_NOCLOSEPROCESS
};

struct PROCESS_INFORMATION {
  int hProcess = 0;
  int hThread = 0;
  int dwProcessId = 0;
  int dwThreadId = 0;
};

// Runs lpFile: "peghelp.exe" shows a help page ("file:Name.htm#Anchor"), "iexplore.exe"
// opens its address; a document (a file that is not a program) opens with xdg-open; a
// program runs with the words of lpParameters. False when nothing could be started.
bool ShellExecuteEx(SHELLEXECUTEINFO* info);
// Starts application with the argument string commandLine (the same special programs and
// mapping as ShellExecuteEx). Nobody need wait for the handles: a started program is
// collected by a thread of its own as soon as it ends (so the process id is not for
// waitpid), and CloseHandle lets go.
bool CreateProcessW(std::u16string_view application, std::u16string_view commandLine, PROCESS_INFORMATION* info,
                    std::u16string_view currentDirectory = {});
bool CloseHandle(int handle);

// What is about to run on the host: program (searched in PATH when it has no '/') and
// its arguments, and the working folder (empty: unchanged).
struct SpawnRequest {
  std::vector<std::string> argv;
  std::string workingFolder;
};
// A test sees each start here and answers in its place: the hook returns false to let it
// run, true when it took the request (it then counts as started). Returns the old hook.
using SpawnHook = std::function<bool(const SpawnRequest&)>;
SpawnHook SetSpawnHook(SpawnHook hook);

// The help page with this name (e.g. "Tovin.htm") on the host: looked for beside the
// program (resources/), in its installed share folder, then in the source tree; empty when
// it is nowhere. SetHelpFolders replaces the folders searched (empty: the defaults).
std::string FindHelpFile(std::string_view name);
void SetHelpFolders(std::vector<std::string> folders);
