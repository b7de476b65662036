#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "graph/Graph.h"
#include "graph/SSRect.h"

namespace {

// Renders sample graphs as a person sees them, to PNG files in GRADIX_RENDER_DIR
// (the test's temporary folder when unset).
struct Sample {
  const char* file;
  double x0, x1, y0, y1;
};

std::string RenderDir() {
  const char* dir = std::getenv("GRADIX_RENDER_DIR");
  return dir ? std::string(dir) + "/" : testing::TempDir();
}

TEST(GraphRendering, StyledLabelsPointsBarsAndALine) {
  const Sample samples[] = {
      {"graph-0-10.png", 0, 10, 0, 100},
      {"graph-0-0.0047.png", 0, 0.0047, -3.2, 2.1},
      {"graph-0-10000.png", 0, 10000, 0, 1e-7},
  };
  for (const Sample& s : samples) {
    fw::Window window;
    window.SetSize(530, 590);
    Graph& graph = window.Add<Graph>("dGraph");
    graph.SetBounds(0, 0, 530, 590);
    graph.DepthQuery = [] { return 32; };
    const double dx = (s.x1 - s.x0) / 10, dy = (s.y1 - s.y0) / 10;
    int plotted = 0;
    graph.DrawContent = [&] {
      for (int i = 0; i < 9; ++i) {
        const double x = s.x0 + (i + 0.7) * dx;
        const double y = s.y0 + (i + 0.5 + (i % 3 - 1) * 0.3) * dy;
        graph.DrawXUBar(x, y, 0.3 * dx, 0.3 * dx);
        graph.DrawYUBar(x, y, 0.5 * dy, 0.4 * dy);
        graph.DrawPoint(x, y);
        ++plotted;
      }
    };
    SSRect& team = window.Add<SSRect>("SSTeam");
    team.SetBounds(121, 109, 309, 53);
    graph.Event_Open();
    team.Event_Open();
    graph.SetTitle("#14#!Graph of v^2^ vs. t!");
    graph.SetXLabel("$D$t_1_ (s)");
    graph.SetYLabel("\\v\\^2^|(m^2^/s^2^)");
    graph.SetXZeroLn(true);
    graph.SetYZeroLn(true);
    graph.DefineGraph(s.x0, s.x1, s.y0, s.y1);
    graph.GetContent();
    graph.DrawLine(s.x0 + 0.5 * dx, s.y0 + 0.4 * dy, s.x0 + 9.5 * dx, s.y0 + 9.6 * dy);
    graph.UpdateScreen();
    team.SetText("!Data taken by:!|Ficticious Team &#5");
    team.SetLeft(graph.GLeft + 10);
    team.SetTop(graph.GTop + 10);
    EXPECT_EQ(plotted, 9);
    EXPECT_TRUE(fw::TestHooks::SaveScreenshot(window, RenderDir() + s.file)) << s.file;
  }
}

}  // namespace
