// Reading a foreign project file as lines: the line end is chosen from the first chunk of
// the file and the lines are cut where that exact sequence of bytes appears.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

enum class LineEnd { CrLf, Lf, LfCr };

// The first LF decides: none, or CR before it, is CR LF; CR after it is LF CR; else LF.
LineEnd ChooseLineEnd(std::string_view firstChunk);

// Cuts bytes into lines. Each byte is compared with the next expected byte of the line
// end; a byte that breaks a partial match is kept in the line and not tried again as the
// start of a new one, so in CR LF mode "\r\r\n" ends no line.
class CLineSplitter {
 public:
  explicit CLineSplitter(LineEnd end);

  // Hands each line completed by these bytes to onLine (its bytes without the line end).
  template <class OnLine>
  void Feed(std::string_view bytes, OnLine&& onLine) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
      if (matched == 0) {
        const void* hit = std::memchr(p, sequence[0], static_cast<std::size_t>(end - p));
        if (!hit) {
          line.append(p, end);
          return;
        }
        const char* at = static_cast<const char*>(hit) + 1;
        line.append(p, at);
        p = at;
        matched = 1;
      } else {
        const char c = *p++;
        line.push_back(c);
        matched = c == sequence[matched] ? matched + 1 : 0;
      }
      if (matched == length) {
        line.resize(line.size() - length);
        onLine(std::string_view(line));
        line.clear();
        matched = 0;
      }
    }
  }
  // The bytes after the last line end (possibly none) are the last line.
  template <class OnLine>
  void Finish(OnLine&& onLine) {
    onLine(std::string_view(line));
    line.clear();
    matched = 0;
  }

 private:
  char sequence[2];
  std::size_t length;
  std::size_t matched = 0;
  std::string line;
};

inline constexpr std::size_t kLineChunk = 32768;

// Reads the file at path in chunks of 32768 bytes and hands each line over converted to
// UTF-16 with the system code page; the handler may change the line it is given. Returns
// 0, the error of opening the file, or ERROR_READ_FAULT when a read failed part-way.
std::uint32_t ReadFileLines(std::u16string_view path, const std::function<void(std::u16string&)>& onLine);
