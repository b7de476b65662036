// Drawing a graph: defining it (frame, styled title and labels, ticks and numbers)
// and plotting 99 points with both uncertainty bars into the canvas's picture.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Window.h"
#include "graph/Graph.h"

namespace {

void BM_DefineGraphAnd99PointsWithBars(benchmark::State& state) {
  fw::Window window;
  window.SetSize(530, 590);
  Graph& graph = window.Add<Graph>("dGraph");
  graph.SetBounds(0, 0, 530, 590);
  graph.DepthQuery = [] { return 32; };
  graph.DrawContent = [&graph] {
    for (int i = 0; i < 99; ++i) {
      const double x = 0.1 + i * 0.1;
      const double y = 2 * x + 1;
      graph.DrawXUBar(x, y, 0.05, 0.05);
      graph.DrawYUBar(x, y, 0.4, 0.4);
      graph.DrawPoint(x, y);
    }
  };
  graph.Event_Open();
  graph.SetTitle("#14#!Graph of v^2^ vs. t!");
  graph.SetXLabel("$D$t_1_ (s)");
  graph.SetYLabel("v^2^ (m^2^/s^2^)");
  for (auto _ : state) {
    graph.DefineGraph(0, 10, 0, 22);
    graph.GetContent();
  }
}
BENCHMARK(BM_DefineGraphAnd99PointsWithBars)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::Application::Initialize(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fw::Application::Shutdown();
  return 0;
}
