// The markup line parser with Basic (ASP) or PHP server script.
#include "SyntaxTestSupport.h"
#include "syntax/MarkupParser.h"

using Lines = std::vector<std::string>;

TEST(MarkupParser, TagNamesAreKeywordsAttributesNumbersAndValuesStrings) {
  CLanguageScope html(LanguageMarkup);
  EXPECT_EQ(ColorLine(u"<p>Hello</p>"), "[2:<][6:p][2:>Hello</][6:p][2:>]");
  EXPECT_EQ(ColorLine(u"<a href=\"x\">"), R"([2:<][6:a][2: ][8:href][2:=][9:"x"][2:>])");
  // A tag name at a line's end leaves the tag waiting for its name: the next word takes it.
  EXPECT_EQ(ColorLines({u"<img", u" src=\"a\" alt=x>"}),
            (Lines{"02|[2:<][6:img]", R"(00|[2: ][6:src][2:=][9:"a"][2: ][8:alt][2:=][8:x][2:>])"}));
}

TEST(MarkupParser, CommentCoversTheLinesUntilItCloses) {
  CLanguageScope html(LanguageMarkup);
  EXPECT_EQ(ColorLines({u"<!-- one", u"two <b>", u"", u"four --> <b>"}),
            (Lines{"01|[7:<!-- one]", "01|[7:two <b>]", "01|", "00|[7:four -->][2: <][6:b][2:>]"}));
}

TEST(MarkupParser, EntityIsAStringUpToItsSemicolon) {
  CLanguageScope html(LanguageMarkup);
  EXPECT_EQ(ColorLine(u"Tom &amp; Jerry"), "[2:Tom ][9:&amp;][2: Jerry]");
  EXPECT_EQ(ColorLine(u"a && b;"), "[2:a &][9:& b;]");  // only an & before another is no entity
}

TEST(MarkupParser, BasicScriptLineCommentEndsWithItsLine) {
  CLanguageScope asp(LanguageMarkup);
  EXPECT_EQ(ColorLines({u"<%", u"x = 1 ' note", u"y = 2 %>"}),
            (Lines{"20|[11:<%]", "20|[11:x = 1 ][7:' note]", "00|[11:y = 2 %>]"}));
  EXPECT_EQ(ColorLine(u"<% x = a'b %>"), "[11:<% x = a'b %>]");  // a quote right after a word
  std::u16string line = u"<% if x then %>";
  EXPECT_EQ(ColorLine(line), "[11:<% ][6:If][11: x ][6:Then][11: %>]");
  EXPECT_EQ(line, u"<% If x Then %>");
}

TEST(MarkupParser, PhpKeywordsInAnyCaseAndSlashCommentsToTheLineEnd) {
  CLanguageScope php(LanguagePhp);
  EXPECT_EQ(ColorLines({u"<?php", u"echo \"hi\"; ECHO $x; // note ?>", u"print $y; ?>"}),
            (Lines{"20|[11:<?php]", R"(20|[6:echo][11: ][9:"hi"][11:; ][6:ECHO][11: $x; ][7:// note ?>])",
                   "00|[6:print][11: $y; ?>]"}));
}

TEST(MarkupParser, AnEmptyLineEndsAScriptBlockCommentButNotTheScript) {
  CLanguageScope php(LanguagePhp);
  EXPECT_EQ(ColorLines({u"<?php /* start", u"", u"echo 1; ?>"}),
            (Lines{"24|[11:<?php ][7:/* start]", "20|", "00|[6:echo][11: 1; ?>]"}));
  // A string inside script goes on across it (its rest takes the script's colour).
  EXPECT_EQ(ColorLines({u"<? \"a", u"", u"b\" ?>"}), (Lines{"28|[11:<? ][9:\"a]", "28|", "00|[11:b\" ?>]"}));
}

TEST(MarkupParser, AWordEndingTheLineInsideScriptIsAScriptWordEvenInATag) {
  {
    CLanguageScope php(LanguagePhp);
    EXPECT_EQ(ColorLine(u"<input type=\"checkbox\" <?php"),
              R"([2:<][6:input][2: ][8:type][2:=][9:"checkbox"][2: ][11:<?php])");
    EXPECT_EQ(ColorLine(u"<td <?php echo"), "[2:<][6:td][2: ][11:<?php ][6:echo]");
  }
  CLanguageScope asp(LanguageMarkup);
  std::u16string line = u"<td <% if";
  EXPECT_EQ(ColorLine(line), "[2:<][6:td][2: ][11:<% ][6:If]");
  EXPECT_EQ(line, u"<td <% If");  // the Basic keyword takes its own case
  EXPECT_EQ(ColorLine(u"<td <% x"), "[2:<][6:td][2: ][11:<% x]");
}

TEST(MarkupParser, StateWithoutRunsFollowsNeitherTagsNorScriptComments) {
  CLanguageScope asp(LanguageMarkup);
  ParseCookie drawn = 0;
  ColorLine(u"<a title=\"two", 0, &drawn);
  EXPECT_EQ(drawn, ParseCookie(MarkupCookieAttributes | MarkupCookieString));
  EXPECT_EQ(CookieOnly(u"<a title=\"two", 0), 0u);
  ColorLine(u"<% x ' a %>", 0, &drawn);  // the comment hides %> from the coloured pass only
  EXPECT_EQ(drawn, ParseCookie(MarkupCookieScript));
  EXPECT_EQ(CookieOnly(u"<% x ' a %>", 0), 0u);
}

TEST(MarkupParser, ReadsNothingPastTheLineAndKeepsOnlyItsOwnState) {
  std::u16string buffer = u"a&&";  // the line is "a&": the & after it does not count
  std::vector<ColorRun> runs(18);
  int count = 0;
  ColorizeMarkupLine(0, buffer.data(), 2, runs.data(), count, false);
  EXPECT_EQ(RenderSpans(std::u16string_view(buffer).substr(0, 2), runs.data(), count), "[2:a][9:&]");
  buffer = u"<? a //";  // the line is "<? a /": no PHP comment starts at its end
  count = 0;
  ColorizeMarkupLine(0, buffer.data(), 6, runs.data(), count, true);
  EXPECT_EQ(RenderSpans(std::u16string_view(buffer).substr(0, 6), runs.data(), count), "[11:<? a /]");
  for (int length : {0, 1})
    EXPECT_EQ(ColorizeMarkupLine(kCookieUnknown, buffer.data(), length, nullptr, count, false) & ~0x7Fu, 0u);
}
