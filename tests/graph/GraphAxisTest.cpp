#include <cmath>
#include <limits>

#include "framework/Text.h"
#include "graph/GraphFixture.h"

namespace {

using AxisTest = GraphFixture;

struct AxisCase {
  double min, max;
  int pixels;
  int power, tickN;
  double minor, major, lo, hi;
};

TEST_F(AxisTest, ScalesRangesWithPowersOfAThousandAndOneTwoFiveTicks) {
  const AxisCase cases[] = {
      {0, 10, 400, 0, -2, 0.2, 1, 0, 10},
      {-3.2, 2.1, 400, 0, -3, 0.1, 0.5, -3.5, 2.5},
      {0, 10000, 400, 3, -2, 0.2, 1, 0, 10000},
      {0.0012, 0.0047, 400, -3, -3, 0.1, 0.5, 0.001, 0.005},
      {0, 0.0047, 400, -3, -3, 0.1, 0.5, 0, 0.005},
      {0, 1e-7, 400, -9, 1, 2, 10, 0, 1e-7},
      {12, 47, 483, 0, -1, 0.5, 2, 12, 48},
      {0.3, 9.7, 400, 0, -2, 0.2, 1, 0, 10},
      {0.97, 9.7, 400, 0, -2, 0.2, 1, 1, 10},  // 0.97 moves inward to 1
      {0, 1e6, 400, 6, -5, 0.02, 0.1, 0, 1e6},
      {0, 5000, 400, 0, 6, 100, 500, 0, 5000},
      {0, 0.01, 400, -3, -2, 0.2, 1, 0, 0.01},
  };
  for (const AxisCase& c : cases) {
    graph.GWidth = c.pixels;
    graph.zDefineXAxis(c.min, c.max);
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max);
    EXPECT_EQ(graph.XTPower, c.power);
    EXPECT_EQ(graph.XTickN, c.tickN);
    EXPECT_DOUBLE_EQ(Graph::zTickSize(graph.XTickN), c.minor);
    EXPECT_DOUBLE_EQ(Graph::zTickSize(graph.XTickN + 2), c.major);
    EXPECT_DOUBLE_EQ(graph.XMin, c.lo);
    EXPECT_DOUBLE_EQ(graph.XMax, c.hi);
    EXPECT_DOUBLE_EQ(graph.XVtoPix, c.pixels / (c.hi - c.lo));
  }
}

TEST_F(AxisTest, WithoutAdjustTheEndsStayAsAsked) {
  graph.SetYAdjust(false);
  graph.GHeight = 400;
  graph.zDefineYAxis(0.3, 9.7);
  EXPECT_DOUBLE_EQ(graph.YMin, 0.3);
  EXPECT_DOUBLE_EQ(graph.YMax, 9.7);
  EXPECT_DOUBLE_EQ(graph.YVToPix, 400 / 9.4);
}

TEST_F(AxisTest, TickSizesAndPatterns) {
  const std::pair<int, double> sizes[] = {{0, 1},   {1, 2},   {2, 5},    {3, 10},  {5, 50},
                                          {-1, 0.5}, {-2, 0.2}, {-3, 0.1}, {-4, 0.05}, {-6, 0.01}};
  for (auto [n, size] : sizes) EXPECT_DOUBLE_EQ(Graph::zTickSize(n), size) << n;
  EXPECT_EQ(Graph::zTickFormat(1), "-#0");
  EXPECT_EQ(Graph::zTickFormat(0.5), "-#0.0");
  EXPECT_EQ(Graph::zTickFormat(0.1), "-#0.0");
  EXPECT_EQ(Graph::zTickFormat(0.05), "-#0.00");
  EXPECT_EQ(Graph::zTickFormat(0.001), "-#0.000");
  EXPECT_EQ(Graph::zTickFormat(0.0005), "-#0.0000");
}

TEST_F(AxisTest, BadRangesRaiseTheRangeMessage) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  graph.GWidth = 400;
  graph.GHeight = 300;
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(5, 5); }), "zDefineXAxis: x axis range is 0");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(2, 1); }), "zDefineXAxis: x axis range is -1");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineYAxis(3, 3); }), "zDefineYAxis: y axis range is 0");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineYAxis(nan, 1); }), "zDefineYAxis: y axis range is NAN");
  // Ends that are not finite, a range too small to scale, ends that round out to infinity.
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(-1e308, 1e308); }), "zDefineXAxis: x axis range is INF");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(0, inf); }), "zDefineXAxis: x axis range is INF");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineYAxis(0, 1e-301); }), "zDefineYAxis: y axis range is " + fw::Str(1e-301));
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(0, 1.7e308); }), "zDefineXAxis: x axis range is " + fw::Str(1.7e308));
  // A failed definition keeps the axis as it was.
  graph.zDefineXAxis(0, 10);
  EXPECT_NE(ErrorOf([&] { graph.zDefineXAxis(1, 1); }), "");
  EXPECT_DOUBLE_EQ(graph.XMax, 10);
  EXPECT_DOUBLE_EQ(graph.XVtoPix, 40);

  graph.GWidth = 0;
  graph.GHeight = 0;
  EXPECT_EQ(ErrorOf([&] { graph.zDefineXAxis(0, 1); }), "zDefineXAxis: Graph Width is undefined.");
  EXPECT_EQ(ErrorOf([&] { graph.zDefineYAxis(0, 1); }), "zDefineYAxis: Graph Height is undefined.");
}

TEST_F(AxisTest, FlagSetters) {
  EXPECT_EQ(graph.XFlags, 231);
  graph.SetXTixPix(0);
  EXPECT_EQ(graph.XFlags, 224 + 3);
  graph.SetXTixPix(100);
  EXPECT_EQ(graph.XFlags, 224 + 31);
  graph.SetXTixPix(12);
  EXPECT_EQ(graph.XFlags, 224 + 12);
  graph.XFlags |= 1024;  // a stray high bit is dropped with the old count
  graph.SetXTixPix(7);
  EXPECT_EQ(graph.XFlags, 231);
  graph.SetXMinTix(false);
  graph.SetXMinTix(false);
  EXPECT_EQ(graph.XFlags, 103);
  graph.SetXZeroLn(true);
  EXPECT_EQ(graph.XFlags, 359);
  graph.SetYAdjust(false);
  EXPECT_EQ(graph.YFlags, 199);
  graph.SetTickFontInfo("", 0);
  EXPECT_EQ(graph.TickFont, "System");
  EXPECT_EQ(graph.TickFSize, 9);
  graph.SetFontInfo("", 0, true, false);
  EXPECT_EQ(g().TextFont, "System");
  EXPECT_EQ(g().TextSize, 12);
  EXPECT_TRUE(g().Bold);
  EXPECT_FALSE(g().Italic);
}

// ---- plot rectangle ----

TEST_F(AxisTest, MarginsForTicksWithoutLabels) {
  graph.DefineGraph(0, 10, 0, 10);
  // left: the wider y number "10" in Helvetica 9 (9 px) + 8, + 8, + 8
  EXPECT_EQ(graph.GLeft, 33);
  EXPECT_EQ(graph.GTop, 16);
  EXPECT_EQ(graph.GWidth, 500 - 33 - 16);
  EXPECT_EQ(graph.GHeight, 400 - 16 - 22);
  EXPECT_EQ(graph.zYTickWidth(), 9);
}

TEST_F(AxisTest, TickWidthsMeasureTheEndMajorNumbersInHelvetica9) {
  g().TextFont = "Times";
  g().TextSize = 20;
  g().Bold = true;
  g().Italic = true;
  Place(50, 20, 400, 300, -3.2, 2.1, 0, 10000);
  EXPECT_EQ(graph.zXTickWidth(), 18);  // "-3.5" is wider than "2.5"
  EXPECT_EQ(graph.zYTickWidth(), 9);   // "0" and "10" in thousands
  EXPECT_EQ(g().TextFont, "Times");
  EXPECT_EQ(g().TextSize, 20);
  EXPECT_TRUE(g().Bold);
  EXPECT_TRUE(g().Italic);
}

TEST_F(AxisTest, MarginsWithoutTicksAreSixteen) {
  graph.SetXMajTix(false);
  graph.SetXMinTix(false);
  graph.SetYMajTix(false);
  graph.SetYMinTix(false);
  UseTestSurface(216, 300);
  graph.DefineGraph(0, 10, 0, 10);
  EXPECT_EQ(graph.GLeft, 16);
  EXPECT_EQ(graph.GTop, 16);
  EXPECT_EQ(graph.GWidth, 184);
  EXPECT_EQ(graph.GHeight, 268);

  UseTestSurface(132, 132);
  graph.DefineGraph(0, 10, 0, 10);
  EXPECT_EQ(graph.GWidth, 100);
  EXPECT_EQ(graph.GHeight, 100);

  UseTestSurface(131, 132);
  EXPECT_EQ(ErrorOf([&] { graph.DefineGraph(0, 10, 0, 10); }), "zDefineGRect: Graph too small.");
  EXPECT_EQ(graph.GLeft, 0);
  EXPECT_EQ(graph.GTop, 0);
  EXPECT_EQ(graph.GWidth, 0);
  EXPECT_EQ(graph.GHeight, 0);
  EXPECT_TRUE(g().ops.empty());  // nothing drawn

  UseTestSurface(300, 131);
  graph.GWidth = 184;
  graph.GLeft = 16;
  EXPECT_EQ(ErrorOf([&] { graph.DefineGraph(0, 10, 0, 10); }), "zDefineGRect: Graph is not tall enough.");
  EXPECT_EQ(graph.GHeight, 0);
  EXPECT_EQ(graph.GWidth, 184);
}

TEST_F(AxisTest, MarginsWithTitleAndLabels) {
  graph.SetTitle("#14#Title");
  graph.SetXLabel("t (s)");
  graph.SetYLabel("v");
  graph.DefineGraph(0, 10, 0, 10);
  EXPECT_EQ(graph.GTop, 17 + 16);
  EXPECT_EQ(graph.GLeft, 6 + 9 + 8 + 8 + 8);
  EXPECT_EQ(graph.GWidth, 500 - 39 - 16);
  EXPECT_EQ(graph.GHeight, 400 - 33 - (15 + 8 + 14 + 8));

  // a label of height 0 still leaves room for the numbers
  graph.SetXLabel("&a");
  graph.SetTitle("");
  graph.DefineGraph(0, 10, 0, 10);
  EXPECT_EQ(graph.GHeight, 400 - 16 - 22);
}

TEST_F(AxisTest, DefineGraphDrawsOutlineAndCentredLabels) {
  graph.SetTitle("#14#Title");
  graph.SetXLabel("t (s)");
  graph.SetYLabel("v");
  g().ForeColor = fw::RGB(10, 20, 30);
  graph.DefineGraph(0, 10, 0, 10);
  ASSERT_GE(g().ops.size(), 2u);
  EXPECT_EQ(g().ops[0].kind, "fillrect");
  EXPECT_EQ(g().ops[0].w, 500);
  EXPECT_EQ(g().ops[0].h, 400);
  EXPECT_EQ(g().ops[0].color, fw::RGB(255, 255, 255));
  EXPECT_EQ(g().ops[1].kind, "rect");
  EXPECT_EQ(g().ops[1].x, 39);
  EXPECT_EQ(g().ops[1].y, 33);
  EXPECT_EQ(g().ops[1].w, 446);
  EXPECT_EQ(g().ops[1].h, 323);
  EXPECT_EQ(g().ops[1].color, fw::RGB(0, 0, 0));
  EXPECT_EQ(g().ForeColor, fw::RGB(10, 20, 30));

  auto texts = g().Of("text");
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "Title");
  EXPECT_EQ(texts[0].size, 14);
  EXPECT_EQ(texts[0].x, 261 - 18);
  EXPECT_EQ(texts[0].y, 23);
  EXPECT_EQ(texts[1].text, "t (s)");
  EXPECT_EQ(texts[1].x, 246);
  EXPECT_EQ(texts[1].y, 390);
  EXPECT_EQ(texts[2].text, "v");
  EXPECT_EQ(texts[2].x, 8);
  EXPECT_EQ(texts[2].y, 200);
}

// ---- ticks ----

TEST_F(AxisTest, HorizontalTicksNumbersAndNoExponent) {
  Place(50, 20, 400, 300, 0, 10, 0, 10);
  graph.zDrawXAxis();
  const int bottom = 320;
  int majors = 0, minors = 0;
  for (const auto& l : g().Of("line")) {
    ASSERT_EQ(l.x, l.w);  // vertical
    ASSERT_EQ(l.y, bottom);
    if (l.h == bottom + 5) ++majors;
    if (l.h == bottom + 3) ++minors;
  }
  EXPECT_EQ(majors, 11);
  EXPECT_EQ(minors, 40);
  auto texts = g().Of("text");
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[0].text, "0");
  EXPECT_EQ(texts[0].x, 50 - 2);
  EXPECT_EQ(texts[0].y, bottom + 15);
  EXPECT_EQ(texts[0].size, 9);
  EXPECT_EQ(texts[10].text, "10");
  EXPECT_EQ(texts[10].x, 450 - 4);
  EXPECT_EQ(g().TextSize, 12);
}

TEST_F(AxisTest, VerticalNumbersRightAlignedWithZeroLine) {
  graph.SetYZeroLn(true);
  Place(50, 20, 400, 400, 0, 10, -3.2, 2.1);
  graph.zDrawYAxis();
  auto texts = g().Of("text");
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts[0].text, "-3.5");
  EXPECT_EQ(texts[0].x, 50 - 18 - 7);
  EXPECT_EQ(texts[0].y, 420 + 3);
  EXPECT_EQ(texts[7].text, "0.0");
  EXPECT_EQ(texts[12].text, "2.5");
  EXPECT_EQ(texts[12].y, 20 + 3);
  const auto lines = g().Of("line");
  ASSERT_FALSE(lines.empty());
  const auto& zero = lines.back();
  const int py = graph.YCoord(0);
  EXPECT_EQ(zero.x, 50);
  EXPECT_EQ(zero.y, py);
  EXPECT_EQ(zero.w, 450);
  EXPECT_EQ(zero.h, py);
}

TEST_F(AxisTest, ExponentLabelsUnderTheLastMajorTick) {
  Place(50, 20, 400, 300, 0, 10000, 0, 10000);
  graph.zDrawXAxis();
  auto texts = g().Of("text");
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts[10].text, "10");
  // "!x10^3^!" centred on x = 450, 25 below the axis, in the tick font
  EXPECT_EQ(texts[11].text, "x10");
  EXPECT_TRUE(texts[11].bold);
  EXPECT_EQ(texts[11].size, 9);
  EXPECT_EQ(texts[11].x, 440);
  EXPECT_EQ(texts[11].y, 345);
  EXPECT_EQ(texts[12].text, "3");
  EXPECT_EQ(texts[12].size, 6);
  EXPECT_EQ(texts[12].x, 456);
  EXPECT_EQ(texts[12].y, 342);

  g().ops.clear();
  graph.zDrawYAxis();
  texts = g().Of("text");
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts[11].text, "x10");
  EXPECT_EQ(texts[11].x, 50 - 7 - 20);
  EXPECT_EQ(texts[11].y, 20 + 13);

  Place(50, 20, 400, 300, 0.0012, 0.0047, 0, 1e-7);
  g().ops.clear();
  graph.zDrawXAxis();
  texts = g().Of("text");
  ASSERT_EQ(texts.size(), 9u + 2u);
  EXPECT_EQ(texts[0].text, "1.0");
  EXPECT_EQ(texts[1].text, "1.5");
  EXPECT_EQ(texts[8].text, "5.0");
  EXPECT_EQ(texts[9].text, "x10");
  EXPECT_EQ(texts[10].text, "-3");
  g().ops.clear();
  graph.zDrawYAxis();
  texts = g().Of("text");
  ASSERT_EQ(texts.size(), 11u + 2u);
  EXPECT_EQ(texts[10].text, "100");
  EXPECT_EQ(texts[12].text, "-9");
}

TEST_F(AxisTest, TickBitsAndGrid) {
  graph.SetXMinTix(false);  // majors with numbers only
  Place(50, 20, 400, 300, 0, 10, 0, 10);
  graph.zDrawXAxis();
  EXPECT_EQ(g().Of("line").size(), 11u);
  EXPECT_EQ(g().Of("text").size(), 11u);

  graph.SetXMinTix(true);
  graph.SetXMajTix(false);  // minor bit alone still draws the majors
  g().ops.clear();
  graph.zDrawXAxis();
  EXPECT_EQ(g().Of("line").size(), 51u);
  EXPECT_EQ(g().Of("text").size(), 11u);

  graph.SetGrid(true);
  g().ops.clear();
  graph.zDrawXAxis();
  int grid = 0;
  for (const auto& l : g().Of("line")) {
    if (l.color == fw::RGB(180, 180, 180)) {
      ++grid;
      EXPECT_EQ(l.y, 319);
      EXPECT_EQ(l.h, 21);
      EXPECT_NE(l.x, 50);
      EXPECT_NE(l.x, 450);
    }
  }
  EXPECT_EQ(grid, 9);

  graph.SetXMinTix(false);  // no ticks at all: grid lines reach the outline
  g().ops.clear();
  graph.zDrawXAxis();
  EXPECT_EQ(g().Of("text").size(), 0u);
  const auto lines = g().Of("line");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[0].y, 320);
  EXPECT_EQ(lines[0].h, 20);
}

TEST_F(AxisTest, UnadjustedStartJustAboveAMajorTickHasNoMajors) {
  graph.SetXAdjust(false);
  Place(50, 20, 400, 300, 1.04, 9.7, 0, 10);
  ASSERT_DOUBLE_EQ(Graph::zTickSize(graph.XTickN), 0.2);
  graph.zDrawXAxis();
  EXPECT_EQ(g().Of("text").size(), 0u);
  EXPECT_FALSE(g().Of("line").empty());
}

TEST_F(AxisTest, AxisFarFromZeroDrawsBoundedPasses) {
  Place(50, 20, 400, 300, 1e8, 1e8 + 1, 0, 10);
  EXPECT_DOUBLE_EQ(graph.XMin, 1e8);
  EXPECT_DOUBLE_EQ(graph.XMax, 1e8 + 1);
  graph.zDrawXAxis();
  EXPECT_EQ(g().Of("line").size(), 51u);
  const auto texts = g().Of("text");
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[0].text, "100000000.0");
  EXPECT_EQ(texts[10].text, "100000001.0");
  EXPECT_EQ(texts[0].x + 24, 50);  // 11 characters of 4.5 px, half of 49 truncated
}

}  // namespace
