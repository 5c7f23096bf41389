// File associations in the registry's classes root and on the Linux desktop.
#include "app/FileAssociations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "paths/PathHelpers.h"
#include "platform/base/Strings.h"
#include "platform/registry/Registry.h"

namespace {

struct Association {
  const char16_t* key;
  int kind;  // 0 fixed text, 1 the open command, 2 an icon reference
  const char16_t* value;
};

// In the order written.
constexpr Association kTable[] = {
    {u".c", 0, u"tovin_file"},
    {u".cpp", 0, u"tovin_file"},
    {u".cs", 0, u"tovin_file"},
    {u".java", 0, u"tovin_file"},
    {u".rc", 0, u"tovin_file"},
    {u"tovin_file", 0, u"Tovin File"},
    {u"tovin_file\\Shell\\Open\\Command", 1, nullptr},
    {u"tovin_file\\DefaultIcon", 2, u"101"},
    {u".h", 0, u"tovin_header_file"},
    {u"tovin_header_file", 0, u"Tovin Header File"},
    {u"tovin_header_file\\Shell\\Open\\Command", 1, nullptr},
    {u"tovin_header_file\\DefaultIcon", 2, u"102"},
    {u".dsp", 0, u"tovin_project_file"},
    {u".csp", 0, u"tovin_project_file"},
    {u"tovin_project_file", 0, u"Tovin Project File"},
    {u"tovin_project_file\\Shell\\Open\\Command", 1, nullptr},
    {u"tovin_project_file\\DefaultIcon", 2, u"103"},
};

std::string DataHome() {
  const char* x = std::getenv("XDG_DATA_HOME");
  if (x && *x == '/') return x;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/") + "/.local/share";
}

bool MakeFolders(const std::string& path) {
  std::string sofar;
  std::stringstream parts(path);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty()) continue;
    sofar += "/" + part;
    if (mkdir(sofar.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// What a file of the desktop's holds. A file that is there but is no regular file (a FIFO
// is never waited for), is too big or cannot be read is not ours to replace.
struct HostText {
  bool exists = false;
  bool readable = false;
  std::string text;
};

constexpr off_t kMaxDesktopFileBytes = 16 << 20;

HostText ReadHostText(const std::string& path) {
  HostText r;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    r.exists = errno != ENOENT;
    return r;
  }
  r.exists = true;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxDesktopFileBytes) {
    r.text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    r.readable = true;
    while (got < r.text.size()) {
      const ssize_t n = read(fd, r.text.data() + got, r.text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) r.readable = false;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    r.text.resize(got);
  }
  close(fd);
  return r;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes text at path unless it already holds exactly that; through a temporary file so a
// reader never sees half of it.
bool WriteIfChanged(const std::string& path, const std::string& text, bool& changed) {
  changed = false;
  const HostText old = ReadHostText(path);
  if (old.exists && !old.readable) return false;
  if (old.readable && old.text == text) return true;
  const std::string temp = path + ".tovin-new";
  unlink(temp.c_str());  // a leftover of an earlier start, whatever it is
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, text);
  if (close(fd) != 0 || !written || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  changed = true;
  return true;
}

// The MIME types of the table's extensions as the desktop names them.
const char* const kSourceTypes[] = {"text/x-csrc", "text/x-c++src", "text/x-csharp", "text/x-java", "text/x-chdr",
                                    "text/x-c++hdr", "application/x-tovin-project"};

// Adds tovin to [Added Associations] of a mimeapps.list, keeping every other line.
std::string MergeMimeApps(const std::string& old) {
  std::vector<std::string> lines;
  std::stringstream in(old);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  auto sectionAt = [&](const std::string& name) -> int {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == "[" + name + "]") return static_cast<int>(i);
    return -1;
  };
  int added = sectionAt("Added Associations");
  if (added < 0) {
    if (!lines.empty() && !lines.back().empty()) lines.push_back("");
    lines.push_back("[Added Associations]");
    added = static_cast<int>(lines.size()) - 1;
  }
  for (const char* type : kSourceTypes) {
    const std::string key = std::string(type) + "=";
    bool found = false;
    std::size_t i = static_cast<std::size_t>(added) + 1;
    for (; i < lines.size() && !(lines[i].size() > 1 && lines[i][0] == '['); ++i) {
      if (lines[i].compare(0, key.size(), key) != 0) continue;
      found = true;
      if (lines[i].find("tovin.desktop") == std::string::npos) {
        std::string& l = lines[i];
        if (!l.empty() && l.back() != ';' && l.back() != '=') l += ';';
        l += "tovin.desktop;";
      }
    }
    if (!found) {
      std::size_t end = static_cast<std::size_t>(added) + 1;
      while (end < lines.size() && !(lines[end].size() > 1 && lines[end][0] == '[')) ++end;
      while (end > static_cast<std::size_t>(added) + 1 && lines[end - 1].empty()) --end;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), key + "tovin.desktop;");
    }
  }
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

}  // namespace

bool RegisterFileAssociations() {
  std::u16string folder;
  GetProgramFolder(folder);
  const std::u16string command = u"\"" + folder + u"tovin.exe\" %1";
  auto& reg = CRegistry::Get();
  for (const Association& a : kTable) {
    std::u16string value;
    if (a.kind == 0) value = a.value;
    else if (a.kind == 1) value = command;
    else value = folder + u"tovin.exe, -" + a.value;
    reg.SetValue(HKEY_CLASSES_ROOT, a.key, u"", value);  // a failure does not stop the rest
  }
  char exe[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) RegisterDesktopAssociations(std::string(exe, static_cast<std::size_t>(n)));
  return true;
}

bool RegisterDesktopAssociations(const std::string& hostExecutable) {
  const std::string data = DataHome();
  const std::string apps = data + "/applications";
  const std::string mime = data + "/mime/packages";
  if (!MakeFolders(apps) || !MakeFolders(mime)) return false;
  std::string quoted = hostExecutable;
  // Exec quoting: a path with blanks or quotes is quoted, its quotes and backslashes escaped.
  if (quoted.find_first_of(" \t\"\\$`") != std::string::npos) {
    std::string q = "\"";
    for (char c : hostExecutable) {
      if (c == '"' || c == '\\' || c == '$' || c == '`') q += '\\';
      q += c;
    }
    quoted = q + "\"";
  }
  std::string mimeTypes;
  for (const char* t : kSourceTypes) mimeTypes += std::string(t) + ";";
  const std::string desktop =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Tovin\n"
      "GenericName=Text Editor\n"
      "Comment=Edit source files and projects\n"
      "Exec=" + quoted + " %f\n"
      "Terminal=false\n"
      "Categories=Development;TextEditor;\n"
      "MimeType=" + mimeTypes + "\n";
  const std::string package =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-tovin-project\">\n"
      "    <comment>Tovin Project File</comment>\n"
      "    <glob pattern=\"*.csp\"/>\n"
      "    <glob pattern=\"*.dsp\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n";
  bool changedDesktop = false, changedPackage = false, changedList = false;
  bool ok = WriteIfChanged(apps + "/tovin.desktop", desktop, changedDesktop);
  ok = WriteIfChanged(mime + "/tovin.xml", package, changedPackage) && ok;
  const std::string listPath = apps + "/mimeapps.list";
  // The user's own list is merged into; one that cannot be read is left as it is.
  const HostText list = ReadHostText(listPath);
  if (list.exists && !list.readable) ok = false;
  else ok = WriteIfChanged(listPath, MergeMimeApps(list.text), changedList) && ok;
  return ok;
}
