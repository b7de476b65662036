#include "graph/StyledText.h"

#include <gtest/gtest.h>

#include "graph/TestGraphics.h"

namespace {

struct MeasureCase {
  const char* markup;
  int lines;
  int lineHeight;
  std::vector<int> widths;
};

// System 12: 6 px a character, line 15; the shifted size 9: 4 px (4.5 truncated), line 12.
TEST(StyledTextMeasure, MarkupStates) {
  const MeasureCase cases[] = {
      {"abc", 1, 15, {18}},
      {"x^2^", 1, 15, {10}},
      {"x^2^y", 1, 15, {16}},
      {"^2^x", 1, 12, {10}},          // LH from the first plain character, the raised 2
      {"x^2_y", 1, 15, {16}},         // "_" ends the raise: y at the base size
      {"x_2^y", 1, 15, {16}},         // and "^" ends the lowering
      {"a^2 b", 1, 15, {22}},         // the blank ends the raise and is measured at 12
      {"$a b", 1, 15, {19}},          // a in Symbol (7), the blank and b in the named font
      {"&^", 1, 0, {6}},              // literal ^, not a plain character for the height
      {"&&", 1, 0, {6}},
      {"a&|b", 1, 15, {18}},
      {"\\x^2", 1, 15, {12}},         // italic raise leans 2 px forward
      {"\\x_2", 1, 15, {8}},          // italic lowering leans 2 px back
      {"a~b", 1, 15, {13}},
      {"ab", 1, 15, {12}},
      {"ab|c", 2, 15, {12, 6}},
      {"a|", 2, 15, {6, 0}},
      {"|", 2, 0, {0, 0}},
      {"~", 1, 0, {1}},
      {"#20#abc", 1, 23, {30}},
      {"abc@Times", 1, 15, {18}},     // unclosed font name swallows the rest
      {"@Times", 1, 0, {0}},
      {"ab#12", 1, 15, {12}},
      {"ab&", 1, 15, {12}},           // a trailing & is dropped
      {"!ab!c", 1, 15, {20}},
      {"#1e12#a", 1, 258, {127}},     // sizes clamp to 255
      {"#5000#a", 1, 258, {127}},
      {"#-4#a", 1, 15, {6}},          // size 0 draws at 12
      {"#abc#a", 1, 15, {6}},
      {"x^#18#2^y", 1, 21, {6 + 9 + 9}},  // a size inside a shift applies unreduced; the end returns to 18
  };
  for (const MeasureCase& c : cases) {
    TestGraphics g;
    StyledText::Layout l = StyledText::Measure(g, c.markup);
    EXPECT_EQ(l.NumLines, c.lines) << c.markup;
    EXPECT_EQ(l.LineHeight, c.lineHeight) << c.markup;
    EXPECT_EQ(l.Widths, c.widths) << c.markup;
    int widest = 0;
    for (int w : c.widths) widest = std::max(widest, w);
    EXPECT_EQ(l.MaxWidth, widest) << c.markup;
  }
}

TEST(StyledTextMeasure, LeavesTextStateAsFound) {
  TestGraphics g;
  g.TextFont = "Helvetica";
  g.TextSize = 10;
  g.Bold = true;
  for (const char* s : {"!\\$x^2@Times@#30#", "abc@Times", "#40", "$a", "\\_2"}) {
    StyledText::Measure(g, s);
    EXPECT_EQ(g.TextFont, "Helvetica") << s;
    EXPECT_EQ(g.TextSize, 10) << s;
    EXPECT_TRUE(g.Bold) << s;
    EXPECT_FALSE(g.Italic) << s;
  }
  EXPECT_TRUE(g.ops.empty());
}

TEST(StyledTextMeasure, CountsCharactersNotBytes) {
  TestGraphics g;
  EXPECT_EQ(StyledText::Measure(g, "\xCE\xB1\xCE\xB2^2^").Widths, std::vector<int>{16});
}

TEST(StyledTextAnchor, TenModes) {
  // three lines of height 15, the first 41 wide, anchored at (100, 50)
  const int expected[10][2] = {{100, 50}, {100, 20}, {79, 20}, {59, 20}, {100, 40},
                               {79, 40},  {59, 40},  {100, 63}, {79, 63}, {59, 63}};
  for (int mode = 0; mode <= 9; ++mode) {
    int x0 = 0, y0 = 0;
    StyledText::Anchor(mode, 100, 50, 3, 15, 41, x0, y0);
    EXPECT_EQ(x0, expected[mode][0]) << mode;
    EXPECT_EQ(y0, expected[mode][1]) << mode;
  }
  for (int mode : {10, -1, 1000}) {
    int x0 = 0, y0 = 0;
    StyledText::Anchor(mode, 100, 50, 3, 15, 41, x0, y0);
    EXPECT_EQ(x0, 100);
    EXPECT_EQ(y0, 50);
  }
}

TEST(StyledTextAnchor, OneLineCentredAndRawText) {
  int x0 = 0, y0 = 0;
  StyledText::Anchor(5, 100, 50, 1, 15, 41, x0, y0);  // y - Round(-7.5) - 2
  EXPECT_EQ(x0, 79);
  EXPECT_EQ(y0, 56);
  StyledText::Anchor(8, 100, 50, 1, 15, 41, x0, y0);
  EXPECT_EQ(x0, 79);
  EXPECT_EQ(y0, 63);
  // raw text: no lines, no width
  StyledText::Anchor(5, 100, 50, 0, 15, 0, x0, y0);
  EXPECT_EQ(x0, 100);
  EXPECT_EQ(y0, 63);
  StyledText::Anchor(2, 100, 50, 0, 15, 0, x0, y0);
  EXPECT_EQ(y0, 65);
}

TEST(StyledTextDraw, RunsShiftsAndFonts) {
  TestGraphics g;
  StyledText::Draw(g, "x^2^y", 10, 50, 0, 1, 15, {16});
  auto t = g.Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, "x");
  EXPECT_EQ(t[0].x, 10);
  EXPECT_EQ(t[0].y, 50);
  EXPECT_EQ(t[1].text, "2");
  EXPECT_EQ(t[1].x, 16);
  EXPECT_EQ(t[1].y, 46);
  EXPECT_EQ(t[1].size, 9);
  EXPECT_EQ(t[2].text, "y");
  EXPECT_EQ(t[2].x, 20);
  EXPECT_EQ(t[2].y, 50);
  EXPECT_EQ(t[2].size, 12);

  g.ops.clear();
  StyledText::Draw(g, "$D$t_1_ a", 0, 30, 0, 1, 15, {});
  t = g.Of("text");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].text, "D");
  EXPECT_EQ(t[0].font, "Symbol");
  EXPECT_EQ(t[1].text, "t");
  EXPECT_EQ(t[1].font, "System");
  EXPECT_EQ(t[1].x, 7);
  EXPECT_EQ(t[2].text, "1");
  EXPECT_EQ(t[2].y, 34);  // lowered by 4
  EXPECT_EQ(t[3].text, " a");
  EXPECT_EQ(t[3].x, 17);
  EXPECT_EQ(t[3].y, 30);

  g.ops.clear();
  StyledText::Draw(g, "!B!\\i\\", 0, 20, 0, 1, 15, {});
  t = g.Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_TRUE(t[0].bold);
  EXPECT_FALSE(t[1].bold);
  EXPECT_TRUE(t[1].italic);
  EXPECT_FALSE(g.Bold);
  EXPECT_FALSE(g.Italic);
}

TEST(StyledTextDraw, LinesCarryTheShiftAndJustify) {
  TestGraphics g;
  StyledText::Draw(g, "x^2|3", 10, 50, 0, 2, 15, {10, 4});
  auto t = g.Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].text, "3");
  EXPECT_EQ(t[2].x, 10);
  EXPECT_EQ(t[2].y, 61);
  EXPECT_EQ(t[2].size, 9);

  g.ops.clear();
  StyledText::Draw(g, "ab|c", 100, 50, 5, 2, 15, {12, 6});
  t = g.Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].x, 94);
  EXPECT_EQ(t[0].y, 48);
  EXPECT_EQ(t[1].x, 97);
  EXPECT_EQ(t[1].y, 63);

  g.ops.clear();
  StyledText::Draw(g, "ab|c|de", 100, 50, 3, 3, 15, {12, 6, 12});
  t = g.Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].x, 88);
  EXPECT_EQ(t[1].x, 94);
  EXPECT_EQ(t[2].x, 88);
  EXPECT_EQ(t[2].y, 50);  // the last baseline on y

  // more lines than widths: the unknown lines start as if 0 wide
  g.ops.clear();
  StyledText::Draw(g, "a|b", 100, 50, 6, 0, 15, {});
  t = g.Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].x, 100);
  EXPECT_EQ(t[1].x, 100);
}

TEST(StyledTextDraw, MalformedMarkupStaysInsideTheText) {
  TestGraphics g;
  for (const char* s : {"&", "ab&", "@", "#", "ab@Tim", "a#1", "^", "_ ", "$ "}) {
    StyledText::Draw(g, s, 0, 20, 5, 1, 15, {0});
  }
  std::string drawn;
  for (const auto& op : g.Of("text")) drawn += op.text + ";";
  EXPECT_EQ(drawn, "ab;ab;a; ; ;");
  EXPECT_EQ(g.TextFont, "System");
  EXPECT_EQ(g.TextSize, 12);
}

TEST(StyledTextSize, ClampedFromText) {
  EXPECT_EQ(StyledText::SizeFromText("14"), 14);
  EXPECT_EQ(StyledText::SizeFromText("13.6"), 14);
  EXPECT_EQ(StyledText::SizeFromText("1e12"), 255);
  EXPECT_EQ(StyledText::SizeFromText("5000"), 255);
  EXPECT_EQ(StyledText::SizeFromText("-4"), 0);
  EXPECT_EQ(StyledText::SizeFromText("big"), 0);
}

}  // namespace
