#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/Evaluator.h"

// Counts every allocation of this test program, so that a test can show that
// evaluating a compiled formula allocates nothing.
namespace {
std::atomic<long> allocations{0};
}

// Not inlined, so the compiler never pairs a caller's new with free.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(EvaluatorAllocation, EvaluatingAllocatesNothing) {
  Evaluator e;
  for (const char* name : {"a", "b", "c", "d"}) e.DefineVariable(name);
  ASSERT_TRUE(e.CompiledOK("a*sin(b)+sqrt(c)/(d+1)^2+rnd*pi+max(a,b)"));
  double total = 0;
  const long before = allocations.load();
  for (int i = 0; i < 1000; ++i) {
    e.VarValue[1] = i;
    e.VarValue[2] = 0.5;
    e.VarValue[3] = 4;
    e.VarValue[4] = 1;
    ASSERT_TRUE(e.EvaluatedOK());
    total += e.Result;
  }
  EXPECT_EQ(allocations.load() - before, 0);
  EXPECT_GT(total, 0);
}

TEST(EvaluatorAllocation, CompilingIsCounted) {
  // Guards the counter itself: compiling does allocate.
  Evaluator e;
  e.DefineVariable("x");
  const long before = allocations.load();
  ASSERT_TRUE(e.CompiledOK("x*x+1"));
  EXPECT_GT(allocations.load() - before, 0);
}

}  // namespace
