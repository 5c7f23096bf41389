// Golden files: every source file in golden/ is coloured line by line, with LF and with CR LF
// line ends, and compared with its coloured form beside it (name.ext.golden: per line the end
// state in hex, then the spans). TOVIN_REGENERATE_GOLDEN=1 rewrites the coloured forms; read
// the diff before keeping it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SyntaxTestSupport.h"

namespace {

namespace fs = std::filesystem;
const fs::path kGoldenDir = TOVIN_SYNTAX_GOLDEN_DIR;

// The language a document would choose for the samples' extensions.
int LanguageOf(const fs::path& file) {
  const std::string ext = file.extension().string();
  if (ext == ".bas") return LanguageBasic;
  if (ext == ".txt") return LanguageText;
  if (ext == ".php") return LanguagePhp;
  if (ext == ".html" || ext == ".asp" || ext == ".xml") return LanguageMarkup;
  return LanguageC;
}

std::vector<std::string> Sources() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kGoldenDir))
    if (entry.path().extension() != ".golden") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Read(const fs::path& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  std::string text = bytes.str();
  std::erase(text, '\r');  // the coloured form is compared by lines, whatever their ends
  return text;
}

// The parser sees lines without their ends, split here at LF or CR LF.
std::vector<std::u16string> SplitLines(const std::string& text) {
  std::vector<std::u16string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(plat::Widen(line));
  }
  return lines;
}

std::vector<std::string> SplitBytes(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class GoldenFile : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFile, ColoursAsRecordedWithEitherLineEnd) {
  const std::string lf = Read(kGoldenDir / GetParam());
  std::string crLf;
  for (char c : lf) crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  CLanguageScope language(LanguageOf(GetParam()));
  const std::vector<std::string> coloured = ColorLines(SplitLines(lf));
  EXPECT_EQ(ColorLines(SplitLines(crLf)), coloured) << "line ends changed the colours";

  const fs::path golden = kGoldenDir / (GetParam() + ".golden");
  if (const char* regenerate = std::getenv("TOVIN_REGENERATE_GOLDEN"); regenerate && *regenerate == '1') {
    std::ofstream out(golden, std::ios::binary);
    for (const std::string& line : coloured) out << line << '\n';
    GTEST_SKIP() << "rewrote " << golden;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; run with TOVIN_REGENERATE_GOLDEN=1";
  const std::vector<std::string> want = SplitBytes(Read(golden));
  EXPECT_EQ(coloured.size(), want.size());
  for (size_t k = 0; k < std::min(coloured.size(), want.size()); ++k)
    EXPECT_EQ(coloured[k], want[k]) << GetParam() << " line " << k + 1;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace(name.begin(), name.end(), '.', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenFile, ::testing::ValuesIn(Sources()), TestName);

}  // namespace
