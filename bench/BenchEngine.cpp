#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/Maths.h"

// Counts allocations so the evaluation benchmark can report allocations per evaluation.
namespace {
std::atomic<long> allocations{0};
}

// Not inlined, so the compiler never pairs a caller's new with free.
[[gnu::noinline]] void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

void BM_Compile(benchmark::State& state) {
  Evaluator e;
  e.DefineVariable("x");
  for (auto _ : state) {
    benchmark::DoNotOptimize(e.CompiledOK("1.96*sqrt(x^2+0.25)/ln(x+1)-exp(-x/2.5)"));
  }
}
BENCHMARK(BM_Compile);

void BM_Evaluate(benchmark::State& state) {
  Evaluator e;
  for (const char* name : {"a", "b", "c", "d"}) e.DefineVariable(name);
  if (!e.CompiledOK("a*sin(b)+sqrt(c)/(d+1)^2")) state.SkipWithError("compile failed");
  e.VarValue[1] = 1.5;
  e.VarValue[2] = 0.7;
  e.VarValue[3] = 9;
  e.VarValue[4] = 2;
  const long before = allocations.load();
  for (auto _ : state) {
    e.VarValue[1] += 1e-9;
    benchmark::DoNotOptimize(e.EvaluatedOK());
    benchmark::DoNotOptimize(e.Result);
  }
  const long allocated = allocations.load() - before;
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["allocs/eval"] =
      static_cast<double>(allocated) / static_cast<double>(state.iterations() ? state.iterations() : 1);
  if (allocated != 0) state.SkipWithError("evaluation allocated memory");
}
BENCHMARK(BM_Evaluate);

void BM_RndDev(benchmark::State& state) {
  fw::SeedRnd(1);
  for (auto _ : state) benchmark::DoNotOptimize(GlobalFuncts::RndDev());
}
BENCHMARK(BM_RndDev);

void BM_Reformat(benchmark::State& state) {
  double x = 1234.56789;
  std::int32_t code = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GlobalFuncts::Reformat(x, code));
    code = (code + 1) % 13;
    x *= -1.0001;
  }
}
BENCHMARK(BM_Reformat);

void BM_FormatValUnc(benchmark::State& state) {
  std::string valText;
  std::string uncText;
  double value = 12.3456;
  for (auto _ : state) {
    GlobalFuncts::FormatValUnc(value, 0.0234, valText, uncText);
    benchmark::DoNotOptimize(valText.data());
    value *= 1.37;
    if (value > 1e9) value = 12.3456;
  }
}
BENCHMARK(BM_FormatValUnc);

}  // namespace

BENCHMARK_MAIN();
