// "Do Linear Fit" for a full table of 99 rows, every value with an uncertainty:
// drawing the 99 fictitious teams, then fitting all 100 sets as the button does
// (once in its loop and again for the uncertainties).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Maths.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

namespace {

MainWndo* window = nullptr;

void FillRows(MainWndo& w) {
  for (int row = 0; row < 99; ++row) {
    w.Data[0][row][1] = 1.0 + row * 0.25;
    w.Data[0][row][2] = 0.05;
    w.Data[0][row][3] = 3.0 + row * 0.5;
    w.Data[0][row][4] = 0.2;
    for (int col = 1; col <= 4; ++col) w.CellFull[row][col] = true;
  }
}

void BM_TeamsAndHundredFits(benchmark::State& state) {
  fw::SeedRnd(1);
  GraphPage& plot = window->Plot;
  for (auto _ : state) {
    plot.CalcTeamData();
    for (int i = 1; i <= 100; ++i) plot.CalculateSlope(i);
    plot.CalcFitUncert();
    benchmark::DoNotOptimize(window->SlopeUnc);
  }
}

void BM_TeamDataOnly(benchmark::State& state) {
  fw::SeedRnd(1);
  for (auto _ : state) {
    window->Plot.CalcTeamData();
    benchmark::DoNotOptimize(window->Data[100][98][3]);
  }
}

BENCHMARK(BM_TeamsAndHundredFits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TeamDataOnly)->Unit(benchmark::kMillisecond);

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
