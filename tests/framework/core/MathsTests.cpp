#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "framework/Maths.h"

namespace {

TEST(MathsRounding, RoundHalvesAwayFromZero) {
  EXPECT_EQ(fw::Round(2.5), 3.0);
  EXPECT_EQ(fw::Round(-2.5), -3.0);
  EXPECT_EQ(fw::Round(0.5), 1.0);
  EXPECT_EQ(fw::Round(1976.5), 1977.0);
  EXPECT_EQ(fw::Round(2.4999999999999996), 2.0);
  EXPECT_EQ(fw::Round(-0.4), 0.0);
  EXPECT_EQ(fw::Round(1e300), 1e300);
}

TEST(MathsRounding, ToInt32TruncatesSaturatesAndZeroesNaN) {
  EXPECT_EQ(fw::ToInt32(2.9), 2);
  EXPECT_EQ(fw::ToInt32(-2.9), -2);
  EXPECT_EQ(fw::ToInt32(2147483647.9), 2147483647);
  EXPECT_EQ(fw::ToInt32(3e9), 2147483647);
  EXPECT_EQ(fw::ToInt32(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(fw::ToInt32(-1e300), -2147483647 - 1);
  EXPECT_EQ(fw::ToInt32(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(fw::ToInt32(std::nan("")), 0);
}

TEST(MathsFunctions, SignMaxMin) {
  EXPECT_EQ(fw::Sign(-3.0), -1);
  EXPECT_EQ(fw::Sign(0.0), 0);
  EXPECT_EQ(fw::Sign(-0.0), 0);
  EXPECT_EQ(fw::Sign(1e-300), 1);
  EXPECT_EQ(fw::Max(2, 3), 3);
  EXPECT_EQ(fw::Min(2, 3), 2);
  EXPECT_EQ(fw::Floor(-2.25), -3.0);
  EXPECT_EQ(fw::Ceil(-2.25), -2.0);
}

TEST(MathsRandom, RndIsUniformInHalfOpenUnitInterval) {
  fw::SeedRnd(7);
  double sum = 0;
  double lowest = 1;
  double highest = 0;
  const int n = 200000;
  for (int i = 0; i < n; ++i) {
    const double r = fw::Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    sum += r;
    lowest = std::min(lowest, r);
    highest = std::max(highest, r);
  }
  EXPECT_NEAR(sum / n, 0.5, 0.003);
  EXPECT_LT(lowest, 0.0001);
  EXPECT_GT(highest, 0.9999);
}

TEST(MathsRandom, SeedingRepeatsTheSequence) {
  fw::SeedRnd(42);
  const double a = fw::Rnd();
  const double b = fw::Rnd();
  fw::SeedRnd(42);
  EXPECT_EQ(fw::Rnd(), a);
  EXPECT_EQ(fw::Rnd(), b);
  fw::SeedRnd(43);
  EXPECT_NE(fw::Rnd(), a);
}

double Half() { return 0.5; }

TEST(MathsRandom, ScriptedSourceReplacesTheGenerator) {
  fw::SetRndSource(Half);
  EXPECT_EQ(fw::Rnd(), 0.5);
  fw::SetRndSource(nullptr);
  fw::SeedRnd(42);
  const double a = fw::Rnd();
  fw::SeedRnd(42);
  EXPECT_EQ(fw::Rnd(), a);
  EXPECT_NE(a, 0.5);
}

TEST(MathsRandom, DrawsFollowTheStandardMersenneTwisterAcrossBlocksAndScriptedSpells) {
  // The top 53 bits of std::mt19937_64 as a fraction; a scripted spell pauses the sequence.
  for (const std::uint64_t seed : {0ULL, 42ULL, 5489ULL, 0xFFFFFFFFFFFFFFFFULL}) {
    fw::SeedRnd(seed);
    std::mt19937_64 reference(seed);
    for (int i = 0; i < 1000; ++i) {
      if (i == 500) {
        fw::SetRndSource(Half);
        EXPECT_EQ(fw::Rnd(), 0.5);
        fw::SeedRnd(seed + 1);
        fw::SetRndSource(nullptr);
        reference.seed(seed + 1);
      } else if (i == 700) {
        fw::SetRndSource(Half);
        EXPECT_EQ(fw::Rnd(), 0.5);
        fw::SetRndSource(nullptr);
      }
      ASSERT_EQ(fw::Rnd(), static_cast<double>(reference() >> 11) * 0x1.0p-53) << "seed " << seed << " draw " << i;
    }
  }
}

}  // namespace
