#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/GlobalFuncts.h"
#include "framework/BackgroundTask.h"
#include "framework/Maths.h"

namespace {

using GlobalFuncts::FormatValUnc;
using GlobalFuncts::Reformat;
using GlobalFuncts::StudentT;

TEST(StudentT, TableRowsAreReturnedAsStored) {
  const double rows[31] = {0,     12.706, 4.303, 3.183, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
                           2.201, 2.179,  2.160, 2.145, 2.132, 2.120, 2.110, 2.101, 2.093, 2.086, 2.080,
                           2.074, 2.069,  2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
  for (int dof = 1; dof <= 30; ++dof) EXPECT_EQ(StudentT(dof), rows[dof]) << dof;
  EXPECT_EQ(StudentT(49), 2.010);
  EXPECT_EQ(StudentT(99), 1.984);
  EXPECT_EQ(StudentT(199), 1.972);
  EXPECT_EQ(StudentT(499), 1.965);
  EXPECT_EQ(StudentT(999), 1.962);
  EXPECT_EQ(StudentT(1999), 1.961);
  EXPECT_EQ(StudentT(4999), 1.960);
  EXPECT_EQ(StudentT(9999), 1.960);
}

TEST(StudentT, PiecesBetweenTheRows) {
  EXPECT_EQ(StudentT(31), 2.040);
  EXPECT_EQ(StudentT(40), 2.021);
  EXPECT_EQ(StudentT(41), 2.020);
  EXPECT_EQ(StudentT(60), 2.000);
  EXPECT_EQ(StudentT(100), 1.987);
  EXPECT_EQ(StudentT(120), 1.980);
  EXPECT_EQ(StudentT(180), 1.973);
  EXPECT_EQ(StudentT(250), 1.970);
  EXPECT_EQ(StudentT(500), 1.965);
  EXPECT_EQ(StudentT(1000), 1.962);
  EXPECT_EQ(StudentT(3000), 1.961);
  EXPECT_EQ(StudentT(5000), 1.960);
}

TEST(StudentT, TheLineOfTheThirdPieceRunsOnTo130) {
  // 1.9765 before rounding; the half goes up, and still lies below 131's factor.
  EXPECT_EQ(StudentT(130), 1.977);
  EXPECT_EQ(StudentT(131), 1.978);
  EXPECT_LT(StudentT(130), StudentT(131));
}

TEST(StudentT, OutsideTheTable) {
  EXPECT_EQ(StudentT(0), 0.0);
  EXPECT_EQ(StudentT(-1), 0.0);
  EXPECT_EQ(StudentT(-2147483647 - 1), 0.0);
  EXPECT_EQ(StudentT(5001), 1.96);
  EXPECT_EQ(StudentT(10000), 1.96);
  EXPECT_EQ(StudentT(2147483647), 1.96);
}

TEST(StudentT, PropagationSampleSizes) {
  const std::vector<std::pair<int, double>> sizes{{10, 2.262},  {20, 2.093},   {50, 2.010},   {100, 1.984},
                                                  {200, 1.972}, {500, 1.965},  {1000, 1.962}, {2000, 1.961},
                                                  {5000, 1.960}, {10000, 1.960}};
  for (const auto& [n, t] : sizes) EXPECT_EQ(StudentT(n - 1), t) << n;
}

TEST(Reformat, EveryCode) {
  const std::vector<std::string> expected{"-1235",
                                          "-1234.6",
                                          "-1234.57",
                                          "-1234.568",
                                          "-1234.5678",
                                          "-1234.56780",
                                          "-1234.567800",
                                          "-1.2e+3",
                                          "-1.23e+3",
                                          "-1.235e+3",
                                          "-1.2346e+3",
                                          "-1.23457e+3",
                                          "-1.23457e+3"};
  for (int code = 0; code <= 12; ++code) EXPECT_EQ(Reformat(-1234.5678, code), expected[code]) << code;
  EXPECT_EQ(Reformat(0.000123, 0), "0");
  EXPECT_EQ(Reformat(0.000123, 6), "0.000123");
  EXPECT_EQ(Reformat(0.000123, 8), "1.23e-4");
  EXPECT_EQ(Reformat(0.0, 7), "0.0e+0");
  EXPECT_EQ(Reformat(99.96, 1), "100.0");
}

TEST(Reformat, ExamplesAndUnknownCodes) {
  EXPECT_EQ(Reformat(3.14159, 2), "3.14");
  EXPECT_EQ(Reformat(-1234.5, 7), "-1.2e+3");
  EXPECT_EQ(Reformat(1234.5, 7), "1.2e+3");
  EXPECT_EQ(Reformat(2.5, 0), "3");
  EXPECT_EQ(Reformat(-0.004, 2), "-0.00");
  EXPECT_EQ(Reformat(7.123456789, 11), Reformat(7.123456789, 12));
  EXPECT_EQ(Reformat(7.123456789, 12), "7.12346e+0");
  EXPECT_EQ(Reformat(1.0, 13), "");
  EXPECT_EQ(Reformat(1.0, -1), "");
  EXPECT_EQ(Reformat(std::numeric_limits<double>::infinity(), 2), "INF");
}

struct Pair {
  std::string val;
  std::string unc;
};

Pair ValUnc(double value, double unc) {
  Pair p{"unset", "unset"};
  FormatValUnc(value, unc, p.val, p.unc);
  return p;
}

void ExpectValUnc(double value, double unc, const std::string& valText, const std::string& uncText) {
  const Pair p = ValUnc(value, unc);
  EXPECT_EQ(p.val, valText) << value << " +- " << unc;
  EXPECT_EQ(p.unc, uncText) << value << " +- " << unc;
}

TEST(FormatValUnc, FixedForm) {
  ExpectValUnc(12.3456, 0.0234, "+12.346", "0.023");
  ExpectValUnc(-12.3456, 0.0234, "-12.346", "0.023");
  ExpectValUnc(0.0, 0.5, "0.00", "0.50");
  ExpectValUnc(9.81, 0.12, "+9.81", "0.12");
  ExpectValUnc(45.6, 3.2, "+45.6", "3.2");
  ExpectValUnc(456, 32, "+456", "32");
  ExpectValUnc(0.00123, 0.000456, "+0.00123", "0.00046");
  ExpectValUnc(-0.004, 0.01, "-0.004", "0.010");
}

TEST(FormatValUnc, SharedExponent) {
  ExpectValUnc(123456, 234, "+1.2346e+5", "0.0023e+5");
  ExpectValUnc(5, 3000, "+0.0e+3", "3.0e+3");
  ExpectValUnc(-123456, 234, "-1.2346e+5", "0.0023e+5");
  ExpectValUnc(1.234e-5, 2.1e-6, "+1.23e-5", "0.21e-5");
  // The exponent 0 is written "+0".
  ExpectValUnc(5, 3e-5, "+5.000000e+0", "0.000030e+0");
  // Five decades below the value is too small for the fixed form.
  ExpectValUnc(0.000123, 0.0000456, "+1.23e-4", "0.46e-4");
  ExpectValUnc(0.0, 2e-6, "+0.0000000e+0", "0.0000020e+0");
}

TEST(FormatValUnc, OwnExponents) {
  ExpectValUnc(12345678, 0.5, "+1.23e+7", "5.00e-1");
  ExpectValUnc(-6.02e23, 1e15, "-6.02e+23", "1.00e+15");
}

TEST(FormatValUnc, SixDecadesApartShareTheExponentSevenDoNot) {
  // 12345678 is E 7; 15 is E 1 (diff 6) and 1.5 is E 0 (diff 7).
  ExpectValUnc(12345678, 15, "+1.2345678e+7", "0.0000015e+7");
  ExpectValUnc(12345678, 1.5, "+1.23e+7", "1.50e+0");
  // 0.0033 is E -3; 4.5e-9 is E -9 (diff 6) and 4.5e-10 is E -10 (diff 7).
  ExpectValUnc(-0.0033, 4.5e-9, "-3.3000000e-3", "0.0000045e-3");
  ExpectValUnc(-0.0033, 4.5e-10, "-3.30e-3", "4.50e-10");
}

TEST(FormatValUnc, ZeroUncertainty) {
  ExpectValUnc(1.5, 0, "1.50", "0.00");
  ExpectValUnc(12345, 0, "+1.23e+4", "0.00e+0");
  ExpectValUnc(-0.00123, 0, "-0.00123", "0.00000");
  ExpectValUnc(0.0001, 0, "+1.00e-4", "0.00e+0");
  ExpectValUnc(0.0, 0, "0.00", "0.00");
}

TEST(FormatValUnc, NonFiniteNumbersHaveExponentZero) {
  const double inf = std::numeric_limits<double>::infinity();
  ExpectValUnc(inf, 0, "INF", "0.00");
  ExpectValUnc(std::nan(""), 0.5, "NAN", "0.50");
  ExpectValUnc(1.5, inf, "+1.5", "INF");
}

double scripted[8];
int scriptedNext = 0;
double ScriptedDraw() { return scripted[scriptedNext++]; }
int backgroundCalls = 0;
void CountBackgroundCall() { ++backgroundCalls; }

TEST(RndDev, PolarMethodRejectsTheOriginAndTheOutside) {
  // (0.5, 0.5) gives s = 0 and (0.9, 0.9) gives s >= 1: both are drawn again.
  const double draws[8] = {0.5, 0.5, 0.9, 0.9, 0.75, 0.5, 0, 0};
  std::copy(std::begin(draws), std::end(draws), scripted);
  scriptedNext = 0;
  backgroundCalls = 0;
  fw::SetRndSource(ScriptedDraw);
  fw::SetBackgroundTaskBody(CountBackgroundCall);
  const double d = GlobalFuncts::RndDev();
  fw::SetBackgroundTaskBody(nullptr);
  fw::SetRndSource(nullptr);
  EXPECT_EQ(scriptedNext, 6);
  EXPECT_EQ(backgroundCalls, 3);
  const double s = 0.25;
  EXPECT_EQ(d, 0.5 * std::sqrt(-2 * std::log(s) / s));
}

TEST(RndDev, ReturnsTheUDeviate) {
  const double draws[2] = {0.5, 0.75};  // u = 0, v = 0.5
  std::copy(std::begin(draws), std::end(draws), scripted);
  scriptedNext = 0;
  fw::SetRndSource(ScriptedDraw);
  const double d = GlobalFuncts::RndDev();
  fw::SetRndSource(nullptr);
  EXPECT_EQ(d, 0.0);
}

TEST(RndDev, MeanAndSpreadOverAMillionDraws) {
  fw::SeedRnd(20261209);
  const int n = 1000000;
  double sum = 0;
  double sumSq = 0;
  int beyondTwoSigma = 0;
  for (int i = 0; i < n; ++i) {
    const double d = GlobalFuncts::RndDev();
    ASSERT_TRUE(std::isfinite(d));
    sum += d;
    sumSq += d * d;
    if (std::fabs(d) > 1.96) ++beyondTwoSigma;
  }
  const double mean = sum / n;
  const double sd = std::sqrt((sumSq - sum * sum / n) / (n - 1));
  EXPECT_NEAR(mean, 0.0, 0.005);
  EXPECT_NEAR(sd, 1.0, 0.005);
  EXPECT_NEAR(static_cast<double>(beyondTwoSigma) / n, 0.05, 0.002);
}

}  // namespace
