// Calculating one column of 99 full rows, each with 1000 Monte-Carlo trials:
// through the document window (table display and the event-loop turns
// included), and the bare simulation without the event-loop hook.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/Evaluator.h"
#include "framework/Application.h"
#include "framework/BackgroundTask.h"
#include "framework/Maths.h"
#include "framework/Window.h"
#include "window/MainWndo.h"
#include "window/table/ColumnCalculator.h"

namespace {

MainWndo* window = nullptr;

void FillRows(MainWndo& w) {
  for (int row = 0; row < 99; ++row) {
    w.Data[0][row][1] = 1.0 + row * 0.25;
    w.Data[0][row][2] = 0.05;
    w.CellFull[row][1] = true;
    w.CellFull[row][2] = true;
  }
}

void BM_DoCalculate(benchmark::State& state, const char* formula) {
  fw::SeedRnd(1);
  for (auto _ : state) {
    window->Table.DoCalculate(1, 2, "t", formula);
  }
  if (!window->CalcOK[1]) state.SkipWithError("calculation failed");
  state.SetItemsProcessed(state.iterations() * 99 * 1001);
}

void BM_ColumnCalculator(benchmark::State& state, const char* formula) {
  fw::SeedRnd(1);
  // Registered after the window's benchmarks, which keep the hook.
  fw::SetBackgroundTaskBody(nullptr);
  Evaluator e;
  ColumnCalculator calc(e);
  if (!calc.CompiledOK("t", formula)) state.SkipWithError("compile failed");
  for (auto _ : state) {
    for (int row = 0; row < 99; ++row) {
      double value = 0;
      double unc = 0;
      calc.CalculatedOK(window->Data[0][row][1], 0.05 / 1.96, value, unc);
      benchmark::DoNotOptimize(unc);
    }
  }
  state.SetItemsProcessed(state.iterations() * 99 * 1001);
}

BENCHMARK_CAPTURE(BM_DoCalculate, ln, "ln(t)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DoCalculate, t2sin, "t^2*sin(t)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColumnCalculator, ln, "ln(t)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColumnCalculator, t2sin, "t^2*sin(t)")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::Application::Initialize(argc, argv);
  window = &fw::NewWindow<MainWndo>();
  FillRows(*window);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  window = nullptr;
  fw::Application::Shutdown();
  return 0;
}
