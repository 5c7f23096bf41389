// The outline scans over C-family and Basic texts.
#include <gtest/gtest.h>

#include "buffer/TextBuffer.h"
#include "navigation/OutlineScan.h"
#include "platform/base/Strings.h"
#include "syntax/SyntaxLanguage.h"

namespace {

std::vector<std::pair<std::string, int>> Scan(const std::string& text, int language = LanguageC) {
  CCrystalTextBuffer b;
  b.InitNew(0);
  std::u16string t = plat::Widen(text);
  for (auto& c : t)
    if (c == u'\n') c = u'\r';
  int l, c;
  b.InsertText(nullptr, 0, 0, t, l, c);
  std::vector<std::pair<std::string, int>> out;
  for (const auto& e : ScanOutline(b, language)) out.push_back({plat::Narrow(e.text), e.line});
  return out;
}

using Entries = std::vector<std::pair<std::string, int>>;

}  // namespace

TEST(Outline, SignatureLineThenBraceAndOneLineBodies) {
  EXPECT_EQ(Scan("int main(int argc)\n{\n  return 0;\n}\nvoid f() { }\n"), (Entries{{"int main(int argc)", 0}}));
  // A header on the brace's own line, and a body opened on line 0.
  EXPECT_EQ(Scan("void g() {\n}\n"), (Entries{{"void g() {", 0}}));
}

TEST(Outline, ClassMethodsAreListedNotTheClass) {
  const std::string text =
      "class Shape {\n"
      "public:\n"
      "  int Area() const\n"
      "  {\n"
      "    return 1;\n"
      "  }\n"
      "  void Move(int dx)\n"
      "  {\n"
      "  }\n"
      "  void Draw()\n"
      "  {\n"
      "  }\n"
      "};\n";
  EXPECT_EQ(Scan(text), (Entries{{"int Area() const", 2}, {"void Move(int dx)", 6}, {"void Draw()", 9}}));
}

TEST(Outline, AttributeLinesGiveWayToTheAccessWordLine) {
  const std::string text =
      "namespace App\n"
      "{\n"
      "  [Serializable]\n"
      "  public void Run\n"
      "  {\n"
      "  }\n"
      "}\n";
  EXPECT_EQ(Scan(text), (Entries{{"public void Run", 3}}));
  // A method whose parameters run over several lines: the line with "::" heads it.
  EXPECT_EQ(Scan("\nint Widget::Size(int a,\n    int b)\n{\n}\n"), (Entries{{"int Widget::Size(int a,", 1}}));
}

TEST(Outline, NoBracesMeansNoEntriesAndFarHeadersAreEmpty) {
  EXPECT_TRUE(Scan("just text\nno bodies here\n").empty());
  std::string far = "header\n";
  for (int i = 0; i < 20; ++i) far += "x\n";
  far += "{\n}\n";
  const auto entries = Scan(far);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].first, "");
  EXPECT_EQ(entries[0].second, 20 - 14);  // the last of the fifteen lines looked at
}

TEST(Outline, BasicKeywordsAnyCaseAndEndLinesSkipped) {
  const std::string text =
      "  Public Sub Main()\n"
      "    Dim subtotal\n"
      "  End Sub\n"
      "Function Twice(x)\n"
      "End Function\n"
      "Begin VB.Form Form1\n";
  EXPECT_EQ(Scan(text, LanguageBasic),
            (Entries{{"Public Sub Main()", 0}, {"Dim subtotal", 1}, {"Function Twice(x)", 3}, {"Begin VB.Form Form1", 5}}));
}
