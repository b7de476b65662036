#include "framework/Text.h"
#include "graph/GraphFixture.h"

namespace {

using MeasuredStringTest = GraphFixture;

std::string Codes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += fw::Chr(c);
  return s;
}

int CodeAt(const std::string& s, int pos) { return fw::Asc(fw::Mid(s, pos, 1)); }

TEST_F(MeasuredStringTest, HeaderOfLinesHeightAndWidths) {
  const std::string m = graph.SetSString("ab|c");
  EXPECT_EQ(m, "." + Codes({2, 15, 0, 12, 0, 12, 0, 6}) + "@System@#12#ab|c");
  EXPECT_EQ(graph.GetSSHeight(m), 30);
  EXPECT_EQ(graph.GetSSWidth(m), 12);
  EXPECT_EQ(graph.GetSString(m), "@System@#12#ab|c");

  // 50 characters of 6 px: a width above 255 takes both characters
  const std::string wide = graph.SetSString(std::string(50, 'a'));
  EXPECT_EQ(CodeAt(wide, 4), 1);
  EXPECT_EQ(CodeAt(wide, 5), 44);
  EXPECT_EQ(CodeAt(wide, 6), 1);
  EXPECT_EQ(CodeAt(wide, 7), 44);
  EXPECT_EQ(graph.GetSSWidth(wide), 300);

  // the prefix records the state at the call, not the sizes in the markup
  const std::string sized = graph.SetSString("#20#abc");
  EXPECT_EQ(graph.GetSSHeight(sized), 23);
  EXPECT_EQ(graph.GetSSWidth(sized), 30);
  EXPECT_EQ(graph.GetSString(sized), "@System@#12##20#abc");
  EXPECT_EQ(g().TextSize, 12);
  EXPECT_TRUE(g().ops.empty());
}

TEST_F(MeasuredStringTest, HeaderSaturates) {
  std::string many(299, '|');
  many += "a";
  const std::string lines = graph.SetSString(many);
  EXPECT_EQ(CodeAt(lines, 2), 255);
  EXPECT_EQ(graph.GetSString(lines), "@System@#12#" + many);

  EXPECT_EQ(CodeAt(graph.SetSString("#255#a"), 3), 255);  // line height 258
  EXPECT_EQ(CodeAt(graph.SetSString("#250#a"), 3), 253);

  const std::string huge = graph.SetSString("#255#" + std::string(600, 'a'));  // 76500 px
  EXPECT_EQ(graph.GetSSWidth(huge), 65535);
  EXPECT_EQ(CodeAt(huge, 6), 255);
  EXPECT_EQ(CodeAt(huge, 7), 255);

  // an italic subscript at a line's start would be -2 wide
  const std::string lean = graph.SetSString("\\_|a");
  EXPECT_EQ(CodeAt(lean, 6), 0);
  EXPECT_EQ(CodeAt(lean, 7), 0);

  EXPECT_EQ(CodeAt(graph.SetSSLineH(graph.SetSString("a"), 300), 3), 255);
  EXPECT_EQ(CodeAt(graph.SetSSLineH(graph.SetSString("a"), -5), 3), 0);
}

TEST_F(MeasuredStringTest, AccessorsOfShortOrRawTexts) {
  EXPECT_EQ(graph.GetSSHeight(""), 0);
  EXPECT_EQ(graph.GetSSWidth(""), 0);
  EXPECT_EQ(graph.GetSSHeight("."), 0);
  EXPECT_EQ(graph.GetSSWidth(".x"), 0);
  EXPECT_EQ(graph.GetSSHeight("abc"), 0);
  EXPECT_EQ(graph.GetSString("."), ".");
  EXPECT_EQ(graph.GetSString("abc"), "abc");
  // a head too short for its line count: the sizes are still read, the markup is not
  const std::string incomplete = "." + Codes({3, 15, 1, 2}) + "abc";
  EXPECT_EQ(graph.GetSSHeight(incomplete), 45);
  EXPECT_EQ(graph.GetSSWidth(incomplete), 258);
  EXPECT_EQ(graph.GetSString(incomplete), incomplete);
  EXPECT_EQ(graph.GetSSHeight("." + Codes({3})), 0);
  EXPECT_EQ(graph.GetSSWidth("." + Codes({3, 15, 1})), 256);
  EXPECT_EQ(graph.SetSSLineH(".", 20), ".");

  // a lone "|" or "&" and one letter: no plain character, no height
  EXPECT_EQ(graph.GetSSHeight(graph.SetSString("|")), 0);
  EXPECT_EQ(graph.GetSSHeight(graph.SetSString("&a")), 0);
}

TEST_F(MeasuredStringTest, RoundTripAndLineHeight) {
  for (const std::string m : {"a", "x^2^", "!Graph of v^2^ vs. t!", "$D$t_1_", "a|b|c"}) {
    const std::string c = graph.SetSString(m);
    EXPECT_EQ(graph.GetSString(c), "@System@#12#" + m);
    const std::string h = graph.SetSSLineH(c, 20);
    ASSERT_EQ(fw::Len(h), fw::Len(c));
    for (int i = 1; i <= fw::Len(c); ++i) {
      if (i == 3) {
        EXPECT_EQ(CodeAt(h, 3), 20);
      } else {
        EXPECT_EQ(fw::Mid(h, i, 1), fw::Mid(c, i, 1)) << m << " at " << i;
      }
    }
    EXPECT_EQ(graph.GetSSHeight(h), CodeAt(c, 2) * 20);
  }
  // markup is compiled first
  EXPECT_EQ(graph.GetSSHeight(graph.SetSSLineH("ab|c", 20)), 40);
}

TEST_F(MeasuredStringTest, NoSurface) {
  graph.GX = nullptr;
  EXPECT_EQ(graph.SetSString(""), "");
  EXPECT_EQ(ErrorOf([&] { graph.SetSString("a"); }), "DrawSString: Graphics target undefined.");
  EXPECT_EQ(ErrorOf([&] { graph.DrawSString("a", 0, 0, 5); }), "DrawSString: Graphics target undefined.");
  EXPECT_EQ(ErrorOf([&] { graph.DrawSString("", 0, 0, 5); }), "");
  EXPECT_EQ(ErrorOf([&] { graph.SetTitle("T"); }), "DrawSString: Graphics target undefined.");
}

TEST_F(MeasuredStringTest, DrawsInTheMeasuredFontAtTheAnchor) {
  const std::string abc = graph.SetSString("abc");
  g().TextFont = "Helvetica";
  g().TextSize = 10;
  g().Bold = true;
  graph.DrawSString(abc, 100, 50, 5);
  auto t = g().Of("text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text, "abc");
  EXPECT_EQ(t[0].font, "System");
  EXPECT_EQ(t[0].size, 12);
  EXPECT_TRUE(t[0].bold);  // bold and italic at the start are the surface's
  EXPECT_EQ(t[0].x, 91);
  EXPECT_EQ(t[0].y, 56);
  EXPECT_EQ(g().TextFont, "Helvetica");
  EXPECT_EQ(g().TextSize, 10);
  EXPECT_TRUE(g().Bold);

  g().ops.clear();
  g().Bold = false;
  graph.DrawSString(abc, 100, 50, 7);
  graph.DrawSString(abc, 100, 50);
  t = g().Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].y, 50 + 15 - 2);
  EXPECT_EQ(t[1].x, 100);
  EXPECT_EQ(t[1].y, 50);
}

TEST_F(MeasuredStringTest, MultiLineAnchorsAndRawText) {
  graph.DrawSString(graph.SetSString("ab|c"), 100, 50, 5);
  auto t = g().Of("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].x, 94);
  EXPECT_EQ(t[0].y, 48);
  EXPECT_EQ(t[1].x, 97);
  EXPECT_EQ(t[1].y, 63);

  g().ops.clear();
  graph.DrawSString(graph.SetSString("ab|c|de"), 100, 50, 3);
  t = g().Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].x, 88);
  EXPECT_EQ(t[0].y, 20);
  EXPECT_EQ(t[1].x, 94);
  EXPECT_EQ(t[2].x, 88);
  EXPECT_EQ(t[2].y, 50);

  // raw markup starts at x in every mode, a line below the anchor
  g().ops.clear();
  graph.DrawSString("abc", 100, 50, 5);
  graph.DrawSString("abc", 100, 50, 2);
  graph.DrawSString(".x", 100, 50, 5);
  t = g().Of("text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].x, 100);
  EXPECT_EQ(t[0].y, 63);
  EXPECT_EQ(t[1].y, 65);
  EXPECT_EQ(t[2].text, ".x");
}

}  // namespace
