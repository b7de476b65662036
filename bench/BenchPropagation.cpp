#include <benchmark/benchmark.h>

#include <cstdlib>

#include "calculators/PropUncSheet.h"
#include "calculators/Propagation.h"
#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/Application.h"
#include "framework/EditField.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/Text.h"

namespace {

const char* const kNames[] = {"a", "b", "c", "d", "e", "f", "g"};
const char* const kFormula = "a*b+sqrt(c)/(d+1)^2-ln(e)*sin(f)+g";

// The propagation itself, before the GUI layer is up (no background task):
// seven variables, N = 10000, compiled once per run.
void BM_PropagationSevenVariablesN10000(benchmark::State& state) {
  fw::SeedRnd(20261209);
  Evaluator ev;
  for (auto _ : state) {
    Propagation run;
    run.N = 10000;
    run.StudentFactor = GlobalFuncts::StudentT(run.N - 1);
    ev.ClearVariables();
    for (int k = 0; k < 7; ++k) {
      ev.DefineVariable(kNames[k]);
      run.Value.push_back(2.0 + k);
      run.StdDev.push_back(0.05 * (k + 1) / run.StudentFactor);
    }
    if (!ev.CompiledOK(kFormula)) {
      state.SkipWithError(ev.ErrorMessage.c_str());
      return;
    }
    if (!run.RanOK(ev)) {
      state.SkipWithError(run.ErrorMessage.c_str());
      return;
    }
    benchmark::DoNotOptimize(run.Unc);
  }
}
BENCHMARK(BM_PropagationSevenVariablesN10000)->Unit(benchmark::kMillisecond);

// The same as the user gets it: "Calculate" in the dialog, with the GUI layer's
// background task running between deviates.
void BM_DialogCalculateSevenVariablesN10000(benchmark::State& state) {
  static bool started = false;
  if (!started) {
    static int argc = 1;
    static char name[] = "BenchPropagation";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::Application::Initialize(argc, argv);
    started = true;
  }
  fw::SeedRnd(20261209);
  auto& sheet = PropUncSheet();
  for (int k = 0; k < 7; ++k) {
    sheet.Get<fw::EditField>("EFName", k).SetText(kNames[k]);
    sheet.Get<fw::EditField>("EFValue", k).SetText(fw::Str(2.0 + k));
    sheet.Get<fw::EditField>("EFUnc", k).SetText(fw::Str(0.05 * (k + 1)));
  }
  sheet.Get<fw::EditField>("EFExpression").SetText(kFormula);
  sheet.Get<fw::PopupMenu>("PUN").SetListIndex(9);
  for (auto _ : state) {
    sheet.DoCalculate();
  }
  if (sheet.Get<fw::EditField>("EFErrorLog").Text() != "") {
    state.SkipWithError(sheet.Get<fw::EditField>("EFErrorLog").Text().c_str());
  }
}
BENCHMARK(BM_DialogCalculateSevenVariablesN10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fw::Application::Shutdown();
  return 0;
}
