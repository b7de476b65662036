#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>

#include <muParser.h>

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

// The evaluation benchmarks share one formula and one loop shape: every
// iteration writes all four variables from a cycle of 64 sets and keeps the
// result from the optimiser.
constexpr const char* kFormula = "a*sin(b)+sqrt(c)/(d+1)^2";
constexpr int kSets = 64;

struct VariableSets {
  double v[kSets][4];
  VariableSets() {
    for (int i = 0; i < kSets; ++i) {
      v[i][0] = 1.5 + 0.01 * i;
      v[i][1] = 0.7 - 0.005 * i;
      v[i][2] = 9 + 0.1 * i;
      v[i][3] = 2 + 0.02 * i;
    }
  }
};
const VariableSets kVariables;

class ProjectFormula {
 public:
  ProjectFormula() {
    for (const char* name : {"a", "b", "c", "d"}) e.DefineVariable(name);
    ok = e.CompiledOK(kFormula);
  }
  void Evaluate(int i) {
    const double* v = kVariables.v[i & (kSets - 1)];
    e.VarValue[1] = v[0];
    e.VarValue[2] = v[1];
    e.VarValue[3] = v[2];
    e.VarValue[4] = v[3];
    benchmark::DoNotOptimize(e.EvaluatedOK());
    benchmark::DoNotOptimize(e.Result);
  }
  bool ok = false;

 private:
  Evaluator e;
};

class MuparserFormula {
 public:
  MuparserFormula() {
    p.DefineVar("a", &a);
    p.DefineVar("b", &b);
    p.DefineVar("c", &c);
    p.DefineVar("d", &d);
    p.SetExpr(kFormula);
  }
  void Evaluate(int i) {
    const double* v = kVariables.v[i & (kSets - 1)];
    a = v[0];
    b = v[1];
    c = v[2];
    d = v[3];
    benchmark::DoNotOptimize(p.Eval());
  }

 private:
  double a = 0, b = 0, c = 0, d = 0;
  mu::Parser p;
};

void BM_Evaluate(benchmark::State& state) {
  ProjectFormula f;
  if (!f.ok) state.SkipWithError("compile failed");
  int i = 0;
  const long before = allocations.load();
  for (auto _ : state) f.Evaluate(i++);
  const long allocated = allocations.load() - before;
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["allocs/eval"] =
      static_cast<double>(allocated) / static_cast<double>(state.iterations() ? state.iterations() : 1);
  if (allocated != 0) state.SkipWithError("evaluation allocated memory");
}
BENCHMARK(BM_Evaluate);

void BM_EvaluateMuparser(benchmark::State& state) {
  MuparserFormula f;
  int i = 0;
  for (auto _ : state) f.Evaluate(i++);
  state.counters["evals/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EvaluateMuparser);

// Both evaluators side by side: blocks of evaluations alternate between them,
// so that the load of the machine falls on both alike.
void BM_EvaluateAgainstMuparser(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  constexpr int kBlock = 4096;
  ProjectFormula project;
  MuparserFormula muparser;
  if (!project.ok) state.SkipWithError("compile failed");
  Clock::duration projectTime{};
  Clock::duration muparserTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    for (int i = 0; i < kBlock; ++i) project.Evaluate(i);
    const auto middle = Clock::now();
    for (int i = 0; i < kBlock; ++i) muparser.Evaluate(i);
    const auto end = Clock::now();
    projectTime += middle - start;
    muparserTime += end - middle;
  }
  const double evaluations = static_cast<double>(state.iterations()) * kBlock;
  const double projectRate = evaluations / std::chrono::duration<double>(projectTime).count();
  const double muparserRate = evaluations / std::chrono::duration<double>(muparserTime).count();
  state.counters["project evals/s"] = projectRate;
  state.counters["muparser evals/s"] = muparserRate;
  state.counters["project/muparser"] = projectRate / muparserRate;
}
BENCHMARK(BM_EvaluateAgainstMuparser);

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
