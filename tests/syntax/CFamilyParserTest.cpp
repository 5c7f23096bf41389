// The C-family line parser in C, Basic and text files.
#include "common/Lines.h"
#include "SyntaxTestSupport.h"
#include "syntax/CFamilyParser.h"

using Lines = std::vector<std::string>;

TEST(CFamilyParser, StringsEndAtAnUnescapedQuoteAndGoOnOnlyAfterABackslash) {
  CLanguageScope c(LanguageC);
  EXPECT_EQ(ColorLine(u"s = \"a\\\"b\";"), R"([2:s = ][9:"a\"b"][2:;])");
  EXPECT_EQ(ColorLine(u"c = '\\'';"), R"([2:c = ][9:'\''][2:;])");
  EXPECT_EQ(ColorLine(u"\" x", CCookieString), R"([9:"][2: x])");  // nothing before the quote
  EXPECT_EQ(ColorLines({u"char* s = \"abc\\", u"def\";", u"char* t = \"abc", u"def\";"}),
            (Lines{R"(08|[6:char][2:* s = ][9:"abc\])", R"(00|[9:def"][2:;])", R"(00|[6:char][2:* t = ][9:"abc])",
                   R"(00|[2:def][9:";])"}));
  // Line comments and preprocessor lines go on after a backslash as well.
  EXPECT_EQ(ColorLines({u"// one \\", u"two", u"#define A \\", u"  (1)", u"x"}),
            (Lines{R"(01|[7:// one \])", "00|[7:two]", R"(02|[10:#define A \])", "00|[10:  (1)]", "00|[2:x]"}));
}

TEST(CFamilyParser, BlockCommentGoesOnAcrossAnEmptyLine) {
  CLanguageScope c(LanguageC);
  EXPECT_EQ(ColorLines({u"/* start", u"", u"end */ int x;"}),
            (Lines{"04|[7:/* start]", "04|", "00|[7:end */][2: ][6:int][2: x;]"}));
}

TEST(CFamilyParser, HashStartsAPreprocessorLineOnlyBeforeOtherText) {
  CLanguageScope c(LanguageC);
  EXPECT_EQ(ColorLine(u"   #include <a.h>"), "[2:   ][10:#include <a.h>]");
  EXPECT_EQ(ColorLine(u"x = 1; # not"), "[2:x = ][8:1][2:; # not]");
  EXPECT_EQ(ColorLine(u"/* c */ #define X"), "[7:/* c */][2: ][10:#define X]");  // a comment is no text
  EXPECT_EQ(ColorLine(u"a\" #x", CCookieString), R"([9:a"][2: #x])");            // not when continuing a string
}

TEST(CFamilyParser, KeywordsAndNumbers) {
  CLanguageScope c(LanguageC);
  EXPECT_EQ(ColorLine(u"return 0x1F + 0X1F + 1e5 + 12ab;"), "[6:return][2: ][8:0x1F][2: + 0X1F + ][8:1e5][2: + 12ab;]");
  EXPECT_EQ(ColorLine(u"\u00e9if if"), "[2:\u00e9if ][6:if]");  // letters of any script make words
}

TEST(CFamilyParser, BasicCommentsStartAtAQuoteOrAtRemInExactCase) {
  CLanguageScope basic(LanguageBasic);
  EXPECT_EQ(ColorLine(u"Dim a Remark here"), "[6:Dim][2: a ][7:Remark here]");
  EXPECT_EQ(ColorLine(u"x = 5 ' note"), "[2:x = ][8:5][2: ][7:' note]");
  EXPECT_EQ(ColorLine(u"REMOVE x"), "[2:REMOVE x]");
}

TEST(CFamilyParser, BasicKeywordCaseIsCorrectedWhenTheLineIsColoured) {
  CLanguageScope basic(LanguageBasic);
  std::u16string line = u"dim x as integer: wend";
  EXPECT_EQ(ColorLine(line), "[6:Dim][2: x ][6:As][2: integer: ][6:Wend]");
  EXPECT_EQ(line, u"Dim x As integer: Wend");
  // Computing the state alone looks at no words and changes nothing.
  line = u"dim y";
  int count = 0;
  ColorizeCLine(0, line.data(), 5, nullptr, count);
  EXPECT_EQ(line, u"dim y");
}

TEST(CFamilyParser, TextFilesColourCommentsStringsAndNumbersButNoKeywords) {
  CLanguageScope text(LanguageText);
  EXPECT_EQ(ColorLine(u"int x = 10; \"q\" // note"), R"([2:int x = ][8:10][2:; ][9:"q"][2: ][7:// note])");
}

TEST(CFamilyParser, ReadsNothingPastTheLineAndKeepsOnlyItsOwnState) {
  CLanguageScope basic(LanguageBasic);
  std::u16string buffer = u"a Rem";  // the line is "a Re"; the "m" after it is not the line's
  std::vector<ColorRun> runs(12);
  int count = 0;
  ColorizeCLine(0, buffer.data(), 4, runs.data(), count);
  EXPECT_EQ(RenderSpans(std::u16string_view(buffer).substr(0, 4), runs.data(), count), "[2:a Re]");
  // An unknown or foreign state never comes back out, even carried by a backslash.
  std::u16string line = u"x \\";
  EXPECT_EQ(ColorizeCLine(kCookieUnknown, line.data(), 3, nullptr, count) & ~ParseCookie(CCookieAll), 0u);
}

TEST(CFamilyParser, TheStateAloneComesOutAsWithColours) {
  // Lines made of what can change the state, long enough for the scans that pass over
  // several units at once: the state computed without runs must be the coloured one's.
  const std::u16string alphabet = u"//**\"\"''\\\\##  \tab1_x\u00e9;";
  TestRandom next{12345};
  for (int language : {LanguageC, LanguageBasic, LanguageText}) {
    CLanguageScope scope(language);
    for (int n = 0; n < 20000; ++n) {
      std::u16string line(next() % 40, u' ');
      for (auto& c : line) c = alphabet[next() % alphabet.size()];
      if (next() % 2) line.insert(0, std::u16string(next() % 20, u'-'));
      const ParseCookie start = static_cast<ParseCookie>(next() % 2 ? 0 : next() % 32);
      std::vector<ColorRun> runs(3 * line.size() + 1);
      int count = 0;
      std::u16string coloured = line, plain = line;
      const ParseCookie withRuns = ColorizeCLine(start, coloured.data(), static_cast<int>(line.size()), runs.data(), count);
      const ParseCookie alone = ColorizeCLine(start, plain.data(), static_cast<int>(line.size()), nullptr, count);
      ASSERT_EQ(alone, withRuns) << "language " << language << ", state " << start << ", line " << plat::Narrow(line);
    }
  }
}

TEST(CFamilyParser, ManyLinesAtOnceGiveTheStatesOfOneAtATime) {
  // Lines as loaded text lies: one after the other in one piece of memory, one unit apart
  // (a unit that may be / or * or a backslash itself), with some lines kept elsewhere and
  // some empty, in every C-family language and from every kind of start.
  const std::u16string alphabet = u"/*/*\"'\\#  ab;\u00e9";
  TestRandom next{777};
  for (int language : {LanguageC, LanguageBasic, LanguageText}) {
    CLanguageScope scope(language);
    for (int round = 0; round < 300; ++round) {
      const int n = 1 + static_cast<int>(next() % 60);
      std::vector<std::u16string> lines;
      for (int i = 0; i < n; ++i) {
        // Mostly plain text, so that stretches run over several lines before a stop.
        std::u16string line(next() % 30, u'x');
        for (auto& c : line)
          if (next() % 6 == 0) c = alphabet[next() % alphabet.size()];
        lines.push_back(line);
      }
      LaidOutLines laid(lines, alphabet, next);
      const ParseCookie start = static_cast<ParseCookie>(next() % 3 ? (next() % 2 ? ParseCookie(CCookieBlockComment) : ParseCookie(0)) : next() % 32);
      std::vector<ParseCookie> together(static_cast<std::size_t>(n));
      ColorizeCLines(start, laid.texts.data(), laid.lengths.data(), n, together.data());
      ParseCookie cookie = start;
      int count = 0;
      for (int i = 0; i < n; ++i) {
        std::u16string copy = lines[static_cast<std::size_t>(i)];
        cookie = ColorizeCLine(cookie, copy.data(), static_cast<int>(copy.size()), nullptr, count);
        ASSERT_EQ(together[static_cast<std::size_t>(i)], cookie)
            << "language " << language << ", round " << round << ", line " << i << " of " << n;
      }
    }
  }
}
