#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ScrollBar.h"
#include "graph/GraphFixture.h"

namespace {

// A canvas opened the way its window opens it, on a real picture.
class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : graph(window.Add<Graph>("dGraph")) {
    graph.Open = [this] { events.push_back("Open"); };
    graph.Close = [this] { events.push_back("Close"); };
    graph.DrawContent = [this] {
      events.push_back(graph.Printing ? "DrawContent printing" : "DrawContent");
      graph.DrawPoint(5, 5);
    };
  }

  void OpenAt(int w, int h) {
    graph.SetBounds(0, 0, w, h);
    graph.Event_Open();
  }

  template <class F>
  static std::string ErrorOf(F&& f) {
    try {
      f();
    } catch (const GraphError& e) {
      return e.msg;
    }
    return "";
  }

  fw::Window window;
  Graph& graph;
  std::vector<std::string> events;
};

TEST_F(CanvasTest, OpensAFrameOfTheControlsSizeWithItsDefaults) {
  graph.HeightQuery = [this] { events.push_back("HeightQuery"); return 900; };
  graph.WidthQuery = [this] { events.push_back("WidthQuery"); return 900; };
  graph.XFlags = 0;
  graph.CGrid = fw::RGB(1, 2, 3);
  OpenAt(400, 300);
  EXPECT_EQ(events, std::vector<std::string>{"Open"});
  EXPECT_EQ(graph.FWidth, 400);
  EXPECT_EQ(graph.FHeight, 300);
  EXPECT_EQ(graph.FDepth, 1);
  ASSERT_TRUE(graph.GXP);
  EXPECT_EQ(graph.GXP->Width(), 400);
  EXPECT_EQ(graph.GXP->Height(), 300);
  EXPECT_EQ(graph.GX, graph.GXP->GetGraphics());
  EXPECT_EQ(graph.XFlags, 231);
  EXPECT_EQ(graph.YFlags, 231);
  EXPECT_EQ(graph.CGrid, fw::RGB(180, 180, 180));
  EXPECT_EQ(graph.TickFont, "System");
  EXPECT_EQ(graph.TickFSize, 9);
  EXPECT_EQ(graph.GX->TextFont, "System");
  EXPECT_EQ(graph.GX->TextSize, 12);
  EXPECT_EQ(graph.GWidth, 0);
  EXPECT_EQ(graph.GHeight, 0);
  EXPECT_TRUE(graph.NoGraph);
  EXPECT_EQ(graph.SBH, nullptr);
  EXPECT_EQ(graph.SBV, nullptr);
}

TEST_F(CanvasTest, DepthFromTheOwner) {
  const std::pair<int, int> answers[] = {{32, 32}, {8, 8}, {16, 16}, {3, 1}, {24, 1}, {64, 1}, {0, 1}};
  for (auto [answer, depth] : answers) {
    graph.DepthQuery = [answer = answer] { return answer; };
    OpenAt(200, 200);
    EXPECT_EQ(graph.FDepth, depth) << answer;
    EXPECT_EQ(graph.GXP->Depth(), depth) << answer;
  }
}

TEST_F(CanvasTest, ScrollBarsFromTheOwnerSizeTheFrame) {
  auto& h = window.Add<fw::ScrollBar>("SBH");
  auto& v = window.Add<fw::ScrollBar>("SBV");
  graph.ScrollQueryV = [&] { events.push_back("ScrollQueryV"); return &v; };
  graph.ScrollQueryH = [&] { events.push_back("ScrollQueryH"); return &h; };
  graph.HeightQuery = [] { return 0; };  // 0: the control's height
  graph.WidthQuery = [] { return 700; };
  graph.ScPixV = 9;
  OpenAt(400, 300);
  EXPECT_EQ(events, (std::vector<std::string>{"ScrollQueryV", "ScrollQueryH", "Open"}));
  EXPECT_EQ(graph.FWidth, 700);
  EXPECT_EQ(graph.FHeight, 300);
  EXPECT_TRUE(h.Enabled());
  EXPECT_EQ(h.Minimum(), 0);
  EXPECT_EQ(h.Maximum(), 300);
  EXPECT_EQ(h.LineStep(), 10);
  EXPECT_EQ(h.PageStep(), 50);
  EXPECT_FALSE(v.Enabled());
  EXPECT_EQ(graph.ScPixV, 0);

  // both bars: resizing keeps the picture and re-ranges the bars
  graph.HandleHScroll(25);
  EXPECT_EQ(graph.ScPixH, 25);
  const auto picture = graph.GXP;
  graph.SetBounds(0, 0, 800, 300);
  graph.HandleResize();
  EXPECT_EQ(graph.GXP, picture);
  EXPECT_FALSE(h.Enabled());
  EXPECT_EQ(graph.ScPixH, 0);
}

TEST_F(CanvasTest, OpenFailsWithoutAPicture) {
  EXPECT_EQ(ErrorOf([&] { OpenAt(0, 300); }), "Graph.Open: Picture Initialization Failure");
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(graph.GX, nullptr);
}

TEST_F(CanvasTest, PaintShowsTheFrameFromTheScrollOffsets) {
  TestGraphics screen;
  graph.Event_Paint(screen);  // before Open: nothing
  EXPECT_TRUE(screen.ops.empty());
  OpenAt(300, 200);
  graph.Event_Paint(screen);
  graph.HandleHScroll(25);
  graph.HandleVScroll(7);
  graph.Printing = true;
  graph.Event_Paint(screen);  // Paint shows the picture also while printing
  ASSERT_EQ(screen.ops.size(), 2u);
  EXPECT_EQ(screen.ops[0].kind, "picture");
  EXPECT_EQ(screen.ops[0].w, 300);
  EXPECT_EQ(screen.ops[0].h, 200);
  EXPECT_EQ(screen.ops[0].text, "0,0");
  EXPECT_EQ(screen.ops[1].text, "25,7");

  graph.Printing = false;
  graph.Event_Close();
  EXPECT_EQ(events.back(), "Close");
  EXPECT_EQ(graph.GXP, nullptr);
  EXPECT_EQ(graph.GX, nullptr);
  graph.Event_Paint(screen);  // after Close: nothing
  graph.UpdateScreen();
  graph.ClearFrame();
  EXPECT_EQ(screen.ops.size(), 2u);
  EXPECT_EQ(ErrorOf([&] { graph.DefineGraph(0, 1, 0, 1); }), "DefineGraph: Graph is not open.");
}

TEST_F(CanvasTest, AnErrorInAHandlerIsShownWithItsMessage) {
  std::vector<std::string> shown;
  fw::Application::SetExceptionHandler([&](fw::Window*, const std::string& message) { shown.push_back(message); });
  OpenAt(400, 300);
  graph.MouseDown = [this](int, int) {
    graph.DrawPoint(1, 1);
    return true;
  };
  graph.PressMouse(10, 10);
  fw::Application::SetExceptionHandler(nullptr);
  EXPECT_EQ(shown, std::vector<std::string>{"YCoord: Graph not yet defined."});
}

TEST_F(CanvasTest, ContentIsAskedOfTheOwner) {
  OpenAt(400, 300);
  EXPECT_EQ(ErrorOf([&] { graph.ReDrawAll(); }), "ReDrawAll: Graph has not been defined");
  graph.DefineGraph(0, 10, 0, 10);
  graph.GetContent();
  graph.ReDrawAll();
  EXPECT_EQ(events, (std::vector<std::string>{"Open", "DrawContent", "DrawContent"}));
}

TEST_F(CanvasTest, ResizingFollowsTheControl) {
  OpenAt(400, 300);
  graph.SetBounds(0, 0, 300, 250);
  graph.HandleResize();  // no graph yet: a blank frame of the new size, no error
  EXPECT_EQ(graph.FWidth, 300);
  EXPECT_EQ(graph.FHeight, 250);
  EXPECT_EQ(graph.GXP->Width(), 300);
  EXPECT_EQ(graph.GX, graph.GXP->GetGraphics());
  EXPECT_EQ(events.size(), 1u);

  graph.DefineGraph(0, 10, 0, 10);
  const int oldWidth = graph.GWidth;
  graph.SetBounds(0, 0, 500, 400);
  graph.HandleResize();
  EXPECT_EQ(graph.GWidth, oldWidth + 200);
  EXPECT_EQ(graph.GHeight, 400 - 16 - 22);
  EXPECT_EQ(events.back(), "DrawContent");

  graph.SetBounds(0, 0, 500, 120);
  EXPECT_EQ(ErrorOf([&] { graph.HandleResize(); }), "zDefineGRect: Graph is not tall enough.");
  graph.SetBounds(0, 0, 120, 400);
  EXPECT_EQ(ErrorOf([&] { graph.HandleResize(); }), "zDefineGRect: Graph too small.");
  graph.SetBounds(0, 0, 0, 400);
  EXPECT_EQ(ErrorOf([&] { graph.HandleResize(); }), "HandleResize: Picture Initialization Failure");
  EXPECT_EQ(graph.GX, nullptr);
}

TEST_F(CanvasTest, PrintingRedrawsIntoThePageAndComesBack) {
  OpenAt(400, 300);
  TestGraphics page(612, 792);
  graph.PrintGraph(nullptr);
  EXPECT_EQ(ErrorOf([&] { graph.PrintGraph(&page); }), "ReDrawAll: Graph has not been defined");
  EXPECT_EQ(graph.GX, graph.GXP->GetGraphics());
  EXPECT_FALSE(graph.Printing);

  graph.DefineGraph(0, 10, 0, 10);
  graph.GX->TextSize = 20;
  graph.PrintGraph(&page);
  EXPECT_EQ(events.back(), "DrawContent printing");
  EXPECT_FALSE(graph.Printing);
  EXPECT_EQ(graph.GX, graph.GXP->GetGraphics());
  EXPECT_EQ(graph.GX->TextSize, 20);
  ASSERT_FALSE(page.ops.empty());
  EXPECT_EQ(page.ops[0].kind, "fillrect");  // the frame's full size
  EXPECT_EQ(page.ops[0].w, 400);
  EXPECT_EQ(page.ops[0].h, 300);
  EXPECT_EQ(page.ops[1].kind, "rect");
  EXPECT_EQ(page.Of("filloval").size(), 1u);  // the owner's content
  EXPECT_EQ(page.TextSize, 12);
}

using SquareTest = GraphFixture;

TEST_F(SquareTest, EqualScalesCentredOnTheWiderAxis) {
  UseTestSurface(600, 300);
  graph.zDefineGRect(0, 10, 0, 10);
  const int left = graph.GLeft, width = graph.GWidth, height = graph.GHeight;
  g().ops.clear();
  graph.DefSqGraph(0, 10);
  EXPECT_DOUBLE_EQ(graph.XVtoPix, graph.YVToPix);
  EXPECT_EQ(graph.GHeight, height);
  EXPECT_LE(graph.GWidth, width);
  EXPECT_EQ(graph.GLeft, left + (width - graph.GWidth + 1) / 2);
  EXPECT_DOUBLE_EQ(graph.XMin, 0);  // an end at 0 stays
  EXPECT_GT(graph.XMax, 10);
  EXPECT_LE(graph.GWidth - graph.YVToPix * (graph.XMax - graph.XMin), 1);
  ASSERT_GE(g().ops.size(), 2u);
  EXPECT_EQ(g().ops[1].kind, "rect");
  EXPECT_EQ(g().ops[1].w, graph.GWidth);
  EXPECT_EQ(g().ops[1].h, graph.GHeight);

  UseTestSurface(300, 600);
  graph.zDefineGRect(0, 10, 0, 10);
  const int top = graph.GTop, tall = graph.GHeight;
  graph.DefSqGraph(0, 10);
  EXPECT_DOUBLE_EQ(graph.XVtoPix, graph.YVToPix);
  EXPECT_LE(graph.GHeight, tall);
  EXPECT_EQ(graph.GTop, top + (tall - graph.GHeight + 1) / 2);
}

TEST_F(SquareTest, EndsForAnyRange) {
  const std::pair<double, double> ranges[] = {{0, 10}, {-5, 5}, {2, 4}, {-1e-3, 5}, {1e8, 1e8 + 1}, {-7, -2}};
  for (bool adjust : {true, false}) {
    for (auto [a, b] : ranges) {
      UseTestSurface(640, 360);
      graph.SetXAdjust(adjust);
      graph.SetYAdjust(adjust);
      graph.DefSqGraph(a, b);
      SCOPED_TRACE(testing::Message() << a << ".." << b << (adjust ? " adjusted" : ""));
      EXPECT_DOUBLE_EQ(graph.XVtoPix, graph.YVToPix);
      EXPECT_LT(graph.XMin, graph.XMax);
      EXPECT_LE(graph.GWidth, 640);
      if (!adjust) {  // adjusted ends may move inward by up to 5 % of a major step
        EXPECT_LE(graph.XMin, a);
        EXPECT_GE(graph.XMax, b);
      }
    }
  }
}

}  // namespace
