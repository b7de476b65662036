#include <cmath>
#include <limits>

#include "graph/GraphFixture.h"

namespace {

// 0..10 on both axes over a 400 x 300 plot at (50, 20): 40 px a unit across, 30 up.
class PrimitivesTest : public GraphFixture {
 protected:
  void SetUp() override { Place(50, 20, 400, 300, 0, 10, 0, 10); }

  std::string Drawn() const {
    std::string out;
    for (const auto& op : picture->g.ops) {
      out += op.kind + "(" + std::to_string(op.x) + "," + std::to_string(op.y) + "," + std::to_string(op.w) + "," +
             std::to_string(op.h) + ")";
    }
    return out;
  }
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST_F(PrimitivesTest, CoordinatesWithToleranceAndClamping) {
  EXPECT_EQ(graph.XCoord(0), 50);
  EXPECT_EQ(graph.XCoord(5), 250);
  EXPECT_EQ(graph.XCoord(10), 450);
  EXPECT_EQ(graph.XCoord(10.00001), 450);  // within 1e-5 of the end
  EXPECT_EQ(graph.YCoord(0), 320);
  EXPECT_EQ(graph.YCoord(10), 20);
  EXPECT_EQ(graph.YCoord(5), 170);
  EXPECT_FALSE(graph.RErr);

  const struct {
    double v;
    bool horizontal;
    int expected;
  } clamped[] = {{10.001, true, 450}, {-1e-9, true, 50},  {kNaN, true, 50},  {kInf, true, 450},
                 {-kInf, true, 50},   {11, false, 20},    {-1, false, 320},  {kNaN, false, 320}};
  for (const auto& c : clamped) {
    graph.RErr = false;
    EXPECT_EQ(c.horizontal ? graph.XCoord(c.v) : graph.YCoord(c.v), c.expected) << c.v;
    EXPECT_TRUE(graph.RErr) << c.v;
  }

  // inside the tolerance but past the end: converted, one pixel outside
  Place(50, 20, 400, 300, 10000, 10010, 0, 10);
  graph.RErr = false;
  EXPECT_EQ(graph.XCoord(10010.02), 451);
  EXPECT_FALSE(graph.RErr);
}

TEST_F(PrimitivesTest, PixelsBackToValues) {
  EXPECT_DOUBLE_EQ(graph.XToVal(250), 5);
  EXPECT_DOUBLE_EQ(graph.YToVal(170), 5);
  EXPECT_DOUBLE_EQ(graph.YToVal(20), 10);
  EXPECT_FALSE(graph.RErr);
  EXPECT_EQ(graph.XToVal(460), 0);
  EXPECT_TRUE(graph.RErr);
  graph.RErr = false;
  EXPECT_EQ(graph.XToVal(50), 0);  // an end of 0 has no tolerance and the test is strict
  EXPECT_TRUE(graph.RErr);
}

TEST_F(PrimitivesTest, NothingWorksBeforeAGraphIsDefined) {
  graph.GWidth = 0;
  graph.GHeight = 0;
  const std::string coord = "YCoord: Graph not yet defined.";
  EXPECT_EQ(ErrorOf([&] { graph.XCoord(1); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.YCoord(1); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.DrawPoint(1, 1); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.DrawXUBar(1, 1, 1, 1); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.DrawLine(1, 1, 2, 2); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.DrawVector(1, 1, 2, 2); }), coord);
  EXPECT_EQ(ErrorOf([&] { graph.XToVal(1); }), "XToVal: Graph is not defined.");
  EXPECT_EQ(ErrorOf([&] { graph.YToVal(1); }), "XToVal: Graph is not defined.");
  EXPECT_TRUE(g().ops.empty());
}

TEST_F(PrimitivesTest, PointsAndLinesOnlyInRangeWithAStickyFlag) {
  graph.DrawPoint(5, 5);
  EXPECT_EQ(Drawn(), "filloval(248,168,5,5)");
  graph.DrawLine(0, 0, 10, 10);
  EXPECT_FALSE(graph.RErr);
  g().ops.clear();
  graph.DrawPoint(11, 5);
  graph.DrawPoint(5, kNaN);
  graph.DrawLine(0, 0, 11, 10);
  EXPECT_EQ(Drawn(), "");
  EXPECT_TRUE(graph.RErr);
  graph.DrawPoint(5, 5);
  EXPECT_EQ(Drawn(), "filloval(248,168,5,5)");
  EXPECT_TRUE(graph.RErr);
}

TEST_F(PrimitivesTest, UncertaintyBarsAreCutAtTheAxes) {
  graph.DrawXUBar(5, 5, 1, 2);
  EXPECT_EQ(Drawn(), "line(170,173,170,167)line(290,173,290,167)line(170,170,290,170)");
  EXPECT_FALSE(graph.RErr);

  g().ops.clear();
  graph.DrawXUBar(1, 5, 1, 2);  // left end below 0: no cap, starts at the edge
  EXPECT_EQ(Drawn(), "line(130,173,130,167)line(50,170,130,170)");
  EXPECT_TRUE(graph.RErr);

  g().ops.clear();
  graph.DrawXUBar(12, 5, 1, 1);  // wholly beyond the right end
  graph.DrawXUBar(5, 11, 1, 1);  // y out of range
  graph.DrawXUBar(5, 5, kNaN, 1);
  EXPECT_EQ(Drawn(), "");
  graph.DrawXUBar(5, 5, 10, 10);  // past both ends: across the plot without caps
  EXPECT_EQ(Drawn(), "line(50,170,450,170)");

  graph.RErr = false;
  g().ops.clear();
  graph.DrawYUBar(5, 5, 1, 2);
  EXPECT_EQ(Drawn(), "line(253,230,247,230)line(253,140,247,140)line(250,230,250,140)");
  EXPECT_FALSE(graph.RErr);
  g().ops.clear();
  graph.DrawYUBar(11, 5, 1, 1);
  graph.DrawYUBar(5, 5, 1, kNaN);
  EXPECT_EQ(Drawn(), "");
  graph.DrawYUBar(5, 9, 3, 1);  // top cut at the upper edge
  EXPECT_EQ(Drawn(), "line(253,80,247,80)line(250,80,250,20)");
  EXPECT_TRUE(graph.RErr);
}

TEST_F(PrimitivesTest, PolylineKeepsTheClampedPosition) {
  graph.CurveStart(0, 0);
  graph.CurveTo(5, 5);
  graph.CurveTo(11, 5);
  graph.CurveTo(5, 5);
  EXPECT_EQ(Drawn(), "line(50,320,250,170)line(450,170,250,170)");
  EXPECT_EQ(graph.PrevCurvH, 250);
  EXPECT_EQ(graph.PrevCurvV, 170);
  EXPECT_TRUE(graph.RErr);
}

TEST_F(PrimitivesTest, MarkerShapes) {
  const std::pair<int, const char*> shapes[] = {
      {0, "filloval(248,168,5,5)"},
      {10, "filloval(248,168,5,5)"},
      {1, "oval(248,168,5,5)"},
      {2, "fillrect(248,168,5,5)"},
      {3, "rect(248,168,4,4)"},
      {4, "line(248,168,252,172)line(248,172,252,168)"},
      {5, "line(250,167,250,173)line(247,170,253,170)"},
      {6, "oval(247,167,7,7)line(248,168,252,172)line(248,172,252,168)"},
      {7, "oval(247,167,7,7)line(250,167,250,173)line(247,170,253,170)"},
      {9, "line(247,168,250,173)line(250,173,253,168)line(253,168,247,168)"},
  };
  for (auto [code, expected] : shapes) {
    g().ops.clear();
    graph.DrawShape(5, 5, code);
    EXPECT_EQ(Drawn(), expected) << code;
  }
  g().ops.clear();
  graph.DrawShape(5, 5, 8);  // filled triangle (246..254, 167..174) pointing down
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (const auto& l : g().Of("line")) {
    minX = std::min({minX, l.x, l.w});
    maxX = std::max({maxX, l.x, l.w});
    minY = std::min({minY, l.y, l.h});
    maxY = std::max({maxY, l.y, l.h});
  }
  EXPECT_EQ(minX, 246);
  EXPECT_EQ(maxX, 254);
  EXPECT_EQ(minY, 167);
  EXPECT_EQ(maxY, 174);
  g().ops.clear();
  graph.DrawShape(11, 5, 2);
  EXPECT_EQ(Drawn(), "");
}

TEST_F(PrimitivesTest, VectorsByLength) {
  graph.DrawVector(5, 5, 0.05, 0);  // 2 px
  EXPECT_EQ(Drawn(), "");
  graph.DrawVector(5, 5, 0.2, 0);  // 8 px: shaft only
  EXPECT_EQ(Drawn(), "line(250,170,258,170)");

  const auto head = [&](double dx, int& minX, int& maxX, int& minY, int& maxY) {
    g().ops.clear();
    graph.DrawVector(5, 5, dx, 0);
    auto lines = g().Of("line");
    minX = minY = 1000;
    maxX = maxY = -1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      minX = std::min({minX, lines[i].x, lines[i].w});
      maxX = std::max({maxX, lines[i].x, lines[i].w});
      minY = std::min({minY, lines[i].y, lines[i].h});
      maxY = std::max({maxY, lines[i].y, lines[i].h});
    }
    return lines.empty() ? std::string() : "line(" + std::to_string(lines[0].x) + "," + std::to_string(lines[0].w) + ")";
  };
  int minX, maxX, minY, maxY;
  EXPECT_EQ(head(0.5, minX, maxX, minY, maxY), "line(250,270)");  // 20 px: a head half as long
  EXPECT_EQ(minX, 260);
  EXPECT_EQ(maxX, 270);
  EXPECT_EQ(minY, 165);
  EXPECT_EQ(maxY, 175);
  EXPECT_EQ(head(2, minX, maxX, minY, maxY), "line(250,330)");  // 80 px: a 10 px head
  EXPECT_EQ(minX, 320);
  EXPECT_EQ(maxX, 330);
  EXPECT_EQ(minY, 165);
  EXPECT_EQ(maxY, 175);
  EXPECT_FALSE(graph.RErr);

  g().ops.clear();
  graph.DrawVector(5, 5, 10, 0);  // tip beyond the axis: clamped shaft, no head
  EXPECT_EQ(Drawn(), "line(250,170,450,170)");
  EXPECT_TRUE(graph.RErr);
}

TEST_F(PrimitivesTest, BarsFromZero) {
  graph.DrawBar(5, 5, 2);
  EXPECT_EQ(Drawn(), "rect(210,170,80,150)");
  g().ops.clear();
  graph.DrawBar(5, 0, 2);
  graph.DrawBar(5, 5, 0);
  EXPECT_EQ(Drawn(), "");
  graph.SetColor(fw::RGB(200, 0, 0));
  graph.DrawBar(5, 5, 2);
  auto ops = g().ops;
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[0].kind, "fillrect");
  EXPECT_EQ(ops[0].color, fw::RGB(200, 0, 0));
  EXPECT_EQ(ops[1].kind, "rect");
  EXPECT_EQ(ops[1].color, fw::RGB(0, 0, 0));
  EXPECT_EQ(g().ForeColor, fw::RGB(200, 0, 0));
}

}  // namespace
