// tovin-gentext: writes the seeded C-like benchmark text to a file, LF or CR LF line ends.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "GenText.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: tovin-gentext SIZE_MB OUT [--crlf]\n"
                       "  SIZE_MB  size in megabytes of 10^6 bytes, counted with LF line ends\n"
                       "           (the CR LF form holds the same lines, one byte more each)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return Usage();
  bool crlf = false;
  if (argc == 4) {
    if (std::strcmp(argv[3], "--crlf") != 0) return Usage();
    crlf = true;
  }
  char* end = nullptr;
  const double mb = std::strtod(argv[1], &end);
  if (end == argv[1] || *end != '\0' || !(mb > 0)) return Usage();
  const auto bytes = static_cast<std::size_t>(mb * static_cast<double>(bench::kMegabyte));

  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) {
    std::fprintf(stderr, "tovin-gentext: %s: %s\n", argv[2], std::strerror(errno));
    return 1;
  }
  bool ok = true;
  bench::GenerateText(bytes, crlf, [&](std::string_view piece) {
    if (ok && std::fwrite(piece.data(), 1, piece.size(), out) != piece.size()) ok = false;
  });
  if (std::fclose(out) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "tovin-gentext: %s: write failed\n", argv[2]);
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
