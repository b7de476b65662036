#include <gtest/gtest.h>

#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "graph/Graph.h"

namespace {

const fw::Color kBlack = fw::RGB(0, 0, 0);
const fw::Color kWhite = fw::RGB(255, 255, 255);

// An empty graph 0..10 by 0..10 on a real 400 x 300 picture.
class PixelTest : public ::testing::Test {
 protected:
  PixelTest() : graph(window.Add<Graph>("dGraph")) {
    graph.SetBounds(0, 0, 400, 300);
    graph.DepthQuery = [] { return 32; };
    graph.Event_Open();
    graph.DefineGraph(0, 10, 0, 10);
    right = graph.GLeft + graph.GWidth;
    bottom = graph.GTop + graph.GHeight;
  }

  fw::Color At(int x, int y) const { return fw::TestHooks::PicturePixel(*graph.GXP, x, y); }

  fw::Window window;
  Graph& graph;
  int right = 0, bottom = 0;
};

TEST_F(PixelTest, FrameCoversTheAxisEnds) {
  EXPECT_EQ(graph.XCoord(10), right);
  EXPECT_EQ(graph.YCoord(10), graph.GTop);
  EXPECT_EQ(At(graph.GLeft, graph.GTop), kBlack);
  EXPECT_EQ(At(right, graph.GTop), kBlack);
  EXPECT_EQ(At(right, bottom), kBlack);
  EXPECT_EQ(At(graph.GLeft, bottom), kBlack);
  EXPECT_EQ(At(right + 1, graph.GTop + 50), kWhite);
  EXPECT_EQ(At(right - 1, graph.GTop + 50), kWhite);
  EXPECT_EQ(At(graph.GLeft + 1, graph.GTop + 1), kWhite);
  EXPECT_EQ(At(graph.GLeft + 50, graph.GTop - 1), kWhite);
  EXPECT_EQ(At(graph.GLeft - 1, graph.YCoord(0.1)), kWhite);  // between two ticks
}

TEST_F(PixelTest, PointIsAFiveByFiveDot) {
  graph.DrawPoint(5, 5);
  const int px = graph.XCoord(5), py = graph.YCoord(5);
  for (int d = -2; d <= 2; ++d) {
    EXPECT_EQ(At(px + d, py), kBlack) << d;
    EXPECT_EQ(At(px, py + d), kBlack) << d;
  }
  EXPECT_EQ(At(px - 3, py), kWhite);
  EXPECT_EQ(At(px + 3, py), kWhite);
  EXPECT_EQ(At(px, py - 3), kWhite);
  EXPECT_EQ(At(px, py + 3), kWhite);
}

TEST_F(PixelTest, LineIncludesBothEnds) {
  graph.DrawLine(2, 3, 8, 3);
  const int x1 = graph.XCoord(2), x2 = graph.XCoord(8), y = graph.YCoord(3);
  for (int x = x1; x <= x2; ++x) ASSERT_EQ(At(x, y), kBlack) << x;
  EXPECT_EQ(At(x1 - 1, y), kWhite);
  EXPECT_EQ(At(x2 + 1, y), kWhite);
  EXPECT_EQ(At(x1, y - 1), kWhite);
  EXPECT_EQ(At(x1, y + 1), kWhite);
}

TEST_F(PixelTest, MajorTicksFiveAndMinorTicksThreePixels) {
  const double xMinor = Graph::zTickSize(graph.XTickN), xMajor = Graph::zTickSize(graph.XTickN + 2);
  const int major = graph.XCoord(xMajor), minor = graph.XCoord(xMajor + xMinor);
  for (int d = 1; d <= 5; ++d) EXPECT_EQ(At(major, bottom + d), kBlack) << d;
  EXPECT_EQ(At(major, bottom + 6), kWhite);
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(At(minor, bottom + d), kBlack) << d;
  EXPECT_EQ(At(minor, bottom + 4), kWhite);
  EXPECT_EQ(At(minor + 1, bottom + 2), kWhite);

  const double yMinor = Graph::zTickSize(graph.YTickN), yMajor = Graph::zTickSize(graph.YTickN + 2);
  const int left = graph.GLeft, row = graph.YCoord(yMajor), minorRow = graph.YCoord(yMajor + yMinor);
  for (int d = 1; d <= 5; ++d) EXPECT_EQ(At(left - d, row), kBlack) << d;
  EXPECT_EQ(At(left - 6, row), kWhite);
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(At(left - d, minorRow), kBlack) << d;
  EXPECT_EQ(At(left - 4, minorRow), kWhite);
}

TEST_F(PixelTest, SavesThePicture) {
  graph.DrawPoint(5, 5);
  EXPECT_TRUE(fw::TestHooks::SavePicture(*graph.GXP, testing::TempDir() + "graph-pixels.png"));
}

}  // namespace
