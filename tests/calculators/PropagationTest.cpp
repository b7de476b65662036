#include "calculators/Propagation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/Maths.h"

namespace {

struct Variable {
  std::string name;
  double value;
  double unc;
};

// Runs a propagation the way the dialog sets it up: uncertainties divided by t.
bool Propagate(const std::string& formula, const std::vector<Variable>& vars, int n, Propagation& run) {
  Evaluator ev;
  ev.ClearVariables();
  run.N = n;
  run.StudentFactor = GlobalFuncts::StudentT(n - 1);
  for (const Variable& v : vars) {
    ev.DefineVariable(v.name);
    run.Value.push_back(v.value);
    run.StdDev.push_back(v.unc / run.StudentFactor);
  }
  EXPECT_TRUE(ev.CompiledOK(formula)) << ev.ErrorMessage;
  return run.RanOK(ev);
}

TEST(Propagation, OneVariableReportsItsOwnUncertainty) {
  fw::SeedRnd(7);
  Propagation run;
  ASSERT_TRUE(Propagate("x", {{"x", 5.0, 0.3}}, 10000, run)) << run.ErrorMessage;
  EXPECT_EQ(run.Result, 5.0);
  EXPECT_NEAR(run.Unc, 0.3, 0.01);
  EXPECT_EQ(run.ErrorMessage, "");
}

TEST(Propagation, SmallRelativeSpreadKeepsItsUncertainty) {
  fw::SeedRnd(11);
  Propagation run;
  ASSERT_TRUE(Propagate("x", {{"x", 1000.0, 0.02}}, 10000, run));
  EXPECT_NEAR(run.Unc, 0.020, 0.001);

  Propagation large;
  ASSERT_TRUE(Propagate("x", {{"x", 299792458.0, 1.0}}, 10000, large));
  EXPECT_NEAR(large.Unc, 1.0, 0.05);
}

TEST(Propagation, ConstantResultHasExactlyZeroUncertainty) {
  Propagation noVariables;
  ASSERT_TRUE(Propagate("2+3", {}, 1000, noVariables));
  EXPECT_EQ(noVariables.Result, 5.0);
  EXPECT_EQ(noVariables.Unc, 0.0);

  Propagation zeroUnc;
  ASSERT_TRUE(Propagate("x*y", {{"x", 0.1, 0.0}, {"y", 3.3, 0.0}}, 10000, zeroUnc));
  EXPECT_EQ(zeroUnc.Unc, 0.0);

  Propagation ignored;
  ASSERT_TRUE(Propagate("x*0+7", {{"x", 1.0, 0.5}}, 100, ignored));
  EXPECT_EQ(ignored.Result, 7.0);
  EXPECT_EQ(ignored.Unc, 0.0);
}

TEST(Propagation, TwoVariablesAddInQuadrature) {
  fw::SeedRnd(3);
  Propagation run;
  ASSERT_TRUE(Propagate("a+b", {{"a", 1.0, 0.3}, {"b", 2.0, 0.4}}, 10000, run));
  EXPECT_EQ(run.Result, 3.0);
  EXPECT_NEAR(run.Unc, 0.5, 0.015);
}

TEST(Propagation, TenExperimentsReportTTimesTheirSampleSpread) {
  const double t = 2.262;
  fw::SeedRnd(19);
  Propagation run;
  ASSERT_TRUE(Propagate("a*b", {{"a", 2.0, 0.4}, {"b", 3.0, 0.9}}, 10, run)) << run.ErrorMessage;
  EXPECT_EQ(run.StudentFactor, t);
  EXPECT_EQ(run.Result, 6.0);

  // The same draws again: one deviate per variable per experiment, a before b.
  fw::SeedRnd(19);
  std::vector<double> results;
  for (int e = 0; e < 10; ++e) {
    const double a = 2.0 + GlobalFuncts::RndDev() * (0.4 / t);
    const double b = 3.0 + GlobalFuncts::RndDev() * (0.9 / t);
    results.push_back(a * b);
  }
  double mean = 0;
  for (double r : results) mean += r / 10;
  double squares = 0;
  for (double r : results) squares += (r - mean) * (r - mean);
  const double expected = t * std::sqrt(squares / 9);
  EXPECT_NEAR(run.Unc, expected, 1e-12 * expected);
}

TEST(Propagation, FailuresStopWithTheirMessage) {
  fw::SeedRnd(5);
  Propagation negativeRoot;
  EXPECT_FALSE(Propagate("sqrt(x)", {{"x", 0.01, 0.1}}, 1000, negativeRoot));
  EXPECT_EQ(negativeRoot.ErrorMessage, "Square root of a negative number");

  Propagation overflow;
  EXPECT_FALSE(Propagate("exp(x)", {{"x", 1000.0, 0.0}}, 10, overflow));
  EXPECT_EQ(overflow.ErrorMessage, "Result is not a finite number.");

  // Every experiment is finite; only the value at the entered point is not.
  Propagation central;
  EXPECT_FALSE(Propagate("x^-1", {{"x", 0.0, 1.0}}, 100, central));
  EXPECT_EQ(central.ErrorMessage, "Result is not a finite number.");

  Propagation spread;
  EXPECT_FALSE(Propagate("x", {{"x", 0.0, 1e300}}, 100, spread));
  EXPECT_EQ(spread.ErrorMessage, "Result is not a finite number.");
}

}  // namespace
