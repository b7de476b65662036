#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "framework/Application.h"
#include "framework/BackgroundTask.h"
#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

// The cost a long loop pays per pass for letting paints and timers run.
void BM_RuntimeBackgroundTask(benchmark::State& state) {
  for (auto _ : state) fw::RuntimeBackgroundTask();
}
BENCHMARK(BM_RuntimeBackgroundTask);

// Arithmetic after the platform is up: the SSE code must not pay AVX transition penalties.
void BM_ArithmeticAfterInitialize(benchmark::State& state) {
  volatile double seed = 1.0001;
  for (auto _ : state) {
    double x = seed;
    for (int i = 0; i < 1000; ++i) x = x * 1.0000001 + 1e-9;
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_ArithmeticAfterInitialize);

// A window of 65 controls on three pages, built, shown and destroyed.
void BM_WindowWith65Controls(benchmark::State& state) {
  for (auto _ : state) {
    fw::Window& w = fw::NewWindow<fw::Window>();
    w.SetSize(744, 684);
    auto& panel = w.Add<fw::TabPanel>("TabPanel1");
    panel.SetBounds(17, 17, 710, 650);
    for (const char* tab : {"Names", "Data", "Graph"}) panel.AppendTab(tab);
    for (int i = 0; i < 64; ++i) {
      fw::Control* c = nullptr;
      if (i % 3 == 0) {
        auto& label = w.Add<fw::StaticText>("STLabel", i);
        label.SetText("Caption " + std::to_string(i));
        c = &label;
      } else if (i % 3 == 1) {
        c = &w.Add<fw::EditField>("EF" + std::to_string(i));
      } else {
        auto& button = w.Add<fw::PushButton>("PB" + std::to_string(i));
        button.SetCaption("Button");
        c = &button;
      }
      c->SetBounds(20 + (i % 8) * 85, 60 + (i / 8) * 30, 80, 22);
      c->SetEnclosure(&panel, i % 3);
    }
    w.Show();
    fw::TestHooks::ProcessEvents();
    fw::TestHooks::DestroyAllWindows();
    fw::TestHooks::ProcessEvents();
  }
}
BENCHMARK(BM_WindowWith65Controls)->Unit(benchmark::kMillisecond);

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
