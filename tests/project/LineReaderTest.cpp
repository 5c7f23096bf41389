// Cutting a foreign project file into lines.
#include <gtest/gtest.h>

#include "project/LineReader.h"

namespace {

std::vector<std::string> Split(LineEnd end, std::initializer_list<std::string_view> pieces) {
  std::vector<std::string> lines;
  CLineSplitter splitter(end);
  const auto keep = [&](std::string_view line) { lines.emplace_back(line); };
  for (std::string_view piece : pieces) splitter.Feed(piece, keep);
  splitter.Finish(keep);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, TheFirstLineFeedChoosesTheLineEnd) {
  EXPECT_EQ(ChooseLineEnd("a\r\nb\nc"), LineEnd::CrLf);
  EXPECT_EQ(ChooseLineEnd("no break at all"), LineEnd::CrLf);
  EXPECT_EQ(ChooseLineEnd("only\rcarriage returns\r"), LineEnd::CrLf);
  EXPECT_EQ(ChooseLineEnd("a\nb\r\n"), LineEnd::Lf);
  EXPECT_EQ(ChooseLineEnd("\nfirst"), LineEnd::Lf);
  EXPECT_EQ(ChooseLineEnd("a\n"), LineEnd::Lf);
  EXPECT_EQ(ChooseLineEnd("a\n\rb"), LineEnd::LfCr);
  EXPECT_EQ(ChooseLineEnd(""), LineEnd::CrLf);
}

TEST(LineReader, LinesAreCutAtTheExactSequenceOnly) {
  EXPECT_EQ(Split(LineEnd::CrLf, {"a\r\nb\r\n"}), (Lines{"a", "b", ""}));
  // A CR that breaks a match is not tried again: "\r\r\n" ends no line.
  EXPECT_EQ(Split(LineEnd::CrLf, {"a\r\r\nb\nc\r"}), (Lines{"a\r\r\nb\nc\r"}));
  EXPECT_EQ(Split(LineEnd::Lf, {"a\r\nb\n\n"}), (Lines{"a\r", "b", "", ""}));
  EXPECT_EQ(Split(LineEnd::LfCr, {"a\n\rb\r\nc"}), (Lines{"a", "b\r\nc"}));
  EXPECT_EQ(Split(LineEnd::CrLf, {""}), (Lines{""}));
  // A line end split between two chunks still ends its line.
  EXPECT_EQ(Split(LineEnd::CrLf, {"one\r", "\ntwo\r", "", "\n", "three"}), (Lines{"one", "two", "three"}));
  EXPECT_EQ(Split(LineEnd::CrLf, {"x\r", "y"}), (Lines{"x\ry"}));
}

}  // namespace
