// Reading a foreign project file as lines.
#include "project/LineReader.h"

#include <memory>

#include "platform/base/CodePage.h"
#include "platform/base/Errors.h"
#include "platform/fs/Files.h"

LineEnd ChooseLineEnd(std::string_view chunk) {
  const std::size_t lf = chunk.find('\n');
  if (lf == std::string_view::npos || (lf > 0 && chunk[lf - 1] == '\r')) return LineEnd::CrLf;
  if (lf + 1 < chunk.size() && chunk[lf + 1] == '\r') return LineEnd::LfCr;
  return LineEnd::Lf;
}

CLineSplitter::CLineSplitter(LineEnd end) {
  switch (end) {
    case LineEnd::CrLf: sequence[0] = '\r', sequence[1] = '\n', length = 2; break;
    case LineEnd::LfCr: sequence[0] = '\n', sequence[1] = '\r', length = 2; break;
    case LineEnd::Lf: sequence[0] = '\n', sequence[1] = '\0', length = 1; break;
  }
  line.reserve(256);
}

std::uint32_t ReadFileLines(std::u16string_view path, const std::function<void(std::u16string&)>& onLine) {
  plat::fs::File file;
  if (const std::uint32_t e = file.Open(path, plat::fs::File::Access::Read)) return e;
  const plat::CodePage& codePage = plat::CodePage::System();
  std::u16string text;
  // A converted line never has more units than it has bytes.
  const auto deliver = [&](std::string_view bytes) {
    text.resize(bytes.size());
    text.resize(codePage.ToWide(bytes.data(), bytes.size(), text.data()));
    onLine(text);
  };
  auto chunk = std::make_unique<char[]>(kLineChunk);
  std::size_t got = 0;
  if (file.Read(chunk.get(), kLineChunk, got)) return plat::ERROR_READ_FAULT;
  CLineSplitter splitter(ChooseLineEnd(std::string_view(chunk.get(), got)));
  while (got > 0) {
    splitter.Feed(std::string_view(chunk.get(), got), deliver);
    if (got < kLineChunk) break;
    if (file.Read(chunk.get(), kLineChunk, got)) return plat::ERROR_READ_FAULT;
  }
  splitter.Finish(deliver);
  return plat::ERROR_SUCCESS;
}
