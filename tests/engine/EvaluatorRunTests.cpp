#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/Evaluator.h"
#include "framework/BackgroundTask.h"
#include "framework/Maths.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Compiles with x defined as the given value and evaluates once.
struct Run {
  bool ok;
  double result;
  std::string message;
  int number;
};

Run Evaluate(const std::string& formula, double x = 3) {
  Evaluator e;
  e.ClearVariables();
  e.DefineVariable("x");
  EXPECT_TRUE(e.CompiledOK(formula)) << formula << ": " << e.ErrorMessage;
  e.VarValue[1] = x;
  const bool ok = e.EvaluatedOK();
  return {ok, e.Result, e.ErrorMessage, ok ? 0 : e.ErrorIndex};
}

double Value(const std::string& formula, double x = 3) {
  const Run r = Evaluate(formula, x);
  EXPECT_TRUE(r.ok) << formula << ": " << r.message;
  return r.result;
}

void ExpectError(const std::string& formula, int number, const std::string& message, double x = 3) {
  const Run r = Evaluate(formula, x);
  EXPECT_FALSE(r.ok) << formula;
  EXPECT_EQ(r.number, number) << formula;
  EXPECT_EQ(r.message, message) << formula;
}

std::string NestedOnes(int n) {
  std::string s;
  for (int i = 1; i < n; ++i) s += "1+(";
  s += "1";
  s += std::string(static_cast<std::size_t>(n - 1), ')');
  return s;
}

TEST(EvaluatorRun, ArithmeticAndPrecedence) {
  EXPECT_EQ(Value("x*x-2*x+1"), 4);
  EXPECT_EQ(Value("2*x+1"), 7);
  EXPECT_EQ(Value("-x^2"), 9);
  EXPECT_EQ(Value("sin(x)^2"), std::pow(std::sin(3.0), 2));
  EXPECT_EQ(Value("2^3^2"), 64);
  EXPECT_EQ(Value("-2^2"), 4);
  EXPECT_EQ(Value("(-2)^3"), -8);
  EXPECT_EQ(Value("10-4-3"), 3);
  EXPECT_EQ(Value("24/4/2"), 3);
  EXPECT_EQ(Value("2*-3"), -6);
  EXPECT_EQ(Value("2^-1"), 0.5);
  EXPECT_EQ(Value("--2"), 2);
  EXPECT_EQ(Value("1+2*3^2"), 19);
}

TEST(EvaluatorRun, ASquareLeavesItsValueWhereTheNextOperatorTakesIt) {
  EXPECT_EQ(Value("x^2*3", 1.5), 6.75);
  EXPECT_EQ(Value("x^2*3", -2), 12);
  EXPECT_EQ(Value("3*x^2", 1.5), 6.75);
  EXPECT_EQ(Value("x^2-x", 0.5), -0.25);
  EXPECT_EQ(Value("pow(x,2)*3", -2), 12);
}

TEST(EvaluatorRun, Functions) {
  EXPECT_EQ(Value("abs(-2.5)"), 2.5);
  EXPECT_EQ(Value("sqrt(16)"), 4);
  EXPECT_EQ(Value("exp(0)"), 1);
  EXPECT_EQ(Value("ln(1)"), 0);
  EXPECT_EQ(Value("log(1000)"), std::log(1000.0) / std::log(10.0));
  EXPECT_EQ(Value("deg(pi)"), 180);
  EXPECT_EQ(Value("rad(180)"), kPi);
  EXPECT_EQ(Value("pi"), kPi);
  EXPECT_EQ(Value("sign(-3)"), -1);
  EXPECT_EQ(Value("sign(0)"), 0);
  EXPECT_EQ(Value("sign(0.1)"), 1);
  EXPECT_EQ(Value("asin(1)"), kPi / 2);
  EXPECT_EQ(Value("acos(-1)"), kPi);
  EXPECT_EQ(Value("atan(1)"), std::atan(1.0));
  EXPECT_EQ(Value("tan(1)"), std::tan(1.0));
  EXPECT_EQ(Value("cos(0)"), 1);
  EXPECT_EQ(Value("round(2.5)"), 3);
  EXPECT_EQ(Value("round(-2.5)"), -3);
  EXPECT_EQ(Value("ceil(1.2)"), 2);
  EXPECT_EQ(Value("floor(-1.2)"), -2);
  EXPECT_EQ(Value("frac(-2.25)"), 0.25);
  EXPECT_EQ(Value("frac(2.75)"), 0.75);
  EXPECT_EQ(Value("max(2,3)"), 3);
  EXPECT_EQ(Value("min(2,3)"), 2);
  EXPECT_EQ(Value("pow(2,10)"), 1024);
  EXPECT_EQ(Value("sinh(1)"), (std::exp(1.0) - 1 / std::exp(1.0)) * 0.5);
  EXPECT_EQ(Value("cosh(1)"), (std::exp(1.0) + 1 / std::exp(1.0)) * 0.5);
  EXPECT_DOUBLE_EQ(Value("tanh(0.5)"), std::tanh(0.5));
  EXPECT_DOUBLE_EQ(Value("asinh(2)"), std::asinh(2.0));
  EXPECT_EQ(Value("acosh(1)"), 0);
  EXPECT_DOUBLE_EQ(Value("atanh(0.5)"), std::atanh(0.5));
  EXPECT_EQ(Value("pow(0,-1)"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Value("0^-1"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Value("(-8)^(-1)"), -0.125);
}

TEST(EvaluatorRun, Mod) {
  EXPECT_EQ(Value("mod(7,3)"), 1);
  EXPECT_EQ(Value("mod(-7,3)"), -1);
  EXPECT_EQ(Value("mod(7,-3)"), 1);
  EXPECT_EQ(Value("mod(5,0)"), 5);
  EXPECT_EQ(Value("mod(7.9,3.9)"), 1);
  // Never traps: the divisor -1 and out-of-range arguments are safe.
  EXPECT_EQ(Value("mod(-2147483648,-1)"), 0);
  EXPECT_EQ(Value("mod(x,-1)", -2147483648.0), 0);
  EXPECT_EQ(Value("mod(1e300,7)"), 2147483647 % 7);
  EXPECT_EQ(Value("mod(-1e300,10)"), -8);
  EXPECT_EQ(Value("mod(x,7)", std::nan("")), 0);
  EXPECT_EQ(Value("mod(9,x)", std::nan("")), 9);
}

TEST(EvaluatorRun, HyperbolicFunctionsAtLargeArguments) {
  EXPECT_EQ(Value("tanh(1000)"), 1);
  EXPECT_EQ(Value("tanh(-1000)"), -1);
  EXPECT_EQ(Value("tanh(709.9)"), 1);
  EXPECT_EQ(Value("tanh(-709.5)"), -1);
  EXPECT_DOUBLE_EQ(Value("asinh(-1e10)"), -std::asinh(1e10));
  EXPECT_DOUBLE_EQ(Value("asinh(-2)"), std::asinh(-2.0));
  EXPECT_DOUBLE_EQ(Value("asinh(1e300)"), std::asinh(1e300));
  EXPECT_DOUBLE_EQ(Value("asinh(-1e300)"), -std::asinh(1e300));
  EXPECT_DOUBLE_EQ(Value("acosh(1e300)"), std::acosh(1e300));
  EXPECT_EQ(Value("sinh(1000)"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Value("sinh(-1000)"), -std::numeric_limits<double>::infinity());
}

TEST(EvaluatorRun, DomainErrors) {
  ExpectError("1/0", 2, "Division by zero");
  ExpectError("0/0", 2, "Division by zero");
  ExpectError("1/(x-3)", 2, "Division by zero");
  ExpectError("sqrt(-1)", 3, "Square root of a negative number");
  ExpectError("(-8)^(1/3)", 4, "Fractional power of a negative number");
  ExpectError("pow(-2,0.5)", 4, "Fractional power of a negative number");
  ExpectError("ln(0)", 5, "Logarithm of a nonpositive number");
  ExpectError("log(-1)", 5, "Logarithm of a nonpositive number");
  ExpectError("asin(1.5)", 6, "Argument of inverse sine is out of range");
  ExpectError("acos(-2)", 6, "Argument of inverse cosine is out of range");
  ExpectError("acosh(0.5)", 7, "Illegal argument for inverse hyperbolic cosine");
  ExpectError("atanh(1)", 8, "Illegal argument for inverse hyperbolic tangent");
  ExpectError("atanh(-1)", 8, "Illegal argument for inverse hyperbolic tangent");
}

TEST(EvaluatorRun, ErrorsLeaveTheTopValueAndAllowReevaluation) {
  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("2+sqrt(x)"));
  e.VarValue[1] = -4;
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.Result, -4);
  EXPECT_EQ(e.ErrorIndex, 3);
  e.VarValue[1] = 9;
  ASSERT_TRUE(e.EvaluatedOK());
  EXPECT_EQ(e.Result, 5);
}

TEST(EvaluatorRun, NoCompiledCode) {
  Evaluator fresh;
  EXPECT_FALSE(fresh.EvaluatedOK());
  EXPECT_EQ(fresh.ErrorIndex, 1);
  EXPECT_EQ(fresh.ErrorMessage, "No compiled code");

  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("x+1"));
  e.ClearVariables();
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.ErrorMessage, "No compiled code");

  ASSERT_FALSE(e.CompiledOK("1+"));
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.ErrorIndex, 1);
  EXPECT_EQ(e.ErrorMessage, "No compiled code");
}

TEST(EvaluatorRun, StackHoldsFiftyOneValues) {
  EXPECT_EQ(Value(NestedOnes(51)), 51);
  ExpectError(NestedOnes(52), 12, "Stack overflow: expression too complicated");
  ExpectError(NestedOnes(500), 12, "Stack overflow: expression too complicated");
  EXPECT_EQ(Value("(" + NestedOnes(51) + ")*2"), 102);
}

TEST(EvaluatorRun, DamagedProgramsAreCaught) {
  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("x+1"));
  e.Result = -7;
  for (const std::int32_t item : {6, 7, 8, 9, 0, 13, 19, 48, 99}) {
    e.PseudoCode = {100, item};
    EXPECT_FALSE(e.EvaluatedOK()) << item;
    EXPECT_EQ(e.ErrorIndex, 9) << item;
    EXPECT_EQ(e.ErrorMessage, "Compiler error: bad pseudocode item") << item;
    EXPECT_EQ(e.Result, 1) << item;
  }
  // With nothing on the stack there is no top value to take as the result.
  e.Result = -7;
  e.PseudoCode = {6};
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.ErrorIndex, 11);
  EXPECT_EQ(e.ErrorMessage, "Compiler error: stack underflow or bad reference");
  EXPECT_EQ(e.Result, -7);

  e.PseudoCode = {100, 100};
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.ErrorIndex, 10);
  EXPECT_EQ(e.ErrorMessage, "Compiler error: items left on stack");
  EXPECT_EQ(e.Result, 1);

  for (const std::vector<std::int32_t>& bad : {std::vector<std::int32_t>{1}, {100, 1}, {-2}, {101}, {22},
                                               {-2147483647 - 1}, {2147483647}}) {
    e.PseudoCode = bad;
    EXPECT_FALSE(e.EvaluatedOK());
    EXPECT_EQ(e.ErrorIndex, 11);
    EXPECT_EQ(e.ErrorMessage, "Compiler error: stack underflow or bad reference");
  }

  // Variables shrunk behind a compiled program.
  e.PseudoCode = {-1};
  e.VarValue.resize(1);
  EXPECT_FALSE(e.EvaluatedOK());
  EXPECT_EQ(e.ErrorIndex, 11);
}

TEST(EvaluatorRun, RndIsFreshAtEveryUse) {
  fw::SeedRnd(99);
  const double first = fw::Rnd();
  const double second = fw::Rnd();
  fw::SeedRnd(99);
  Evaluator e;
  ASSERT_TRUE(e.CompiledOK("rnd"));
  ASSERT_TRUE(e.EvaluatedOK());
  EXPECT_EQ(e.Result, first);
  ASSERT_TRUE(e.EvaluatedOK());
  EXPECT_EQ(e.Result, second);
  ASSERT_TRUE(e.CompiledOK("rnd-rnd"));
  fw::SeedRnd(99);
  ASSERT_TRUE(e.EvaluatedOK());
  EXPECT_EQ(e.Result, first - second);
}

int backgroundCalls = 0;
void CountBackgroundCall() { ++backgroundCalls; }

TEST(EvaluatorRun, EachProgramItemLetsTheEventLoopRun) {
  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("x*2+1"));
  ASSERT_EQ(e.PseudoCode.size(), 5u);
  fw::SetBackgroundTaskBody(CountBackgroundCall);
  backgroundCalls = 0;
  EXPECT_TRUE(e.EvaluatedOK());
  fw::SetBackgroundTaskBody(nullptr);
  EXPECT_EQ(backgroundCalls, 5);
}

TEST(EvaluatorRun, StrippingTheSourceYieldsOncePerCharacter) {
  // One pass for the two-byte character, one for the item that rejects it.
  Evaluator e;
  fw::SetBackgroundTaskBody(CountBackgroundCall);
  backgroundCalls = 0;
  EXPECT_FALSE(e.CompiledOK("\xC3\xA9"));
  fw::SetBackgroundTaskBody(nullptr);
  EXPECT_EQ(e.ErrorMessage, "Illegal character");
  EXPECT_EQ(backgroundCalls, 2);
}

}  // namespace
