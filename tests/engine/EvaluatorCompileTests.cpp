#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Evaluator.h"

namespace {

struct Failure {
  std::string message;
  std::string marked;
  int errorIndex;
};

// Compiles with the variables named and returns the message, marked source and index.
Failure CompileError(const std::string& formula, const std::vector<std::string>& names = {"x"}) {
  Evaluator e;
  e.ClearVariables();
  for (const auto& n : names) e.DefineVariable(n);
  EXPECT_FALSE(e.CompiledOK(formula)) << formula;
  EXPECT_TRUE(e.PseudoCode.empty()) << formula;
  return {e.ErrorMessage, e.MarkedSource(), e.ErrorIndex};
}

std::vector<std::int32_t> Program(const std::string& formula, const std::vector<std::string>& names = {"x"}) {
  Evaluator e;
  for (const auto& n : names) e.DefineVariable(n);
  EXPECT_TRUE(e.CompiledOK(formula)) << formula << ": " << e.ErrorMessage;
  EXPECT_EQ(e.ErrorMessage, "");
  EXPECT_EQ(e.MarkedSource(), "");
  return e.PseudoCode;
}

using Code = std::vector<std::int32_t>;

TEST(EvaluatorCompile, NewEvaluatorStartsEmpty) {
  Evaluator e;
  EXPECT_EQ(e.VarName, std::vector<std::string>{""});
  EXPECT_EQ(e.VarValue, std::vector<double>{0.0});
  EXPECT_TRUE(e.Literal.empty());
  EXPECT_TRUE(e.PseudoCode.empty());
  EXPECT_EQ(e.ErrorMessage, "");
  EXPECT_EQ(e.ErrorIndex, 0);
  EXPECT_EQ(e.DStack.size(), 51u);
}

TEST(EvaluatorCompile, PostfixProgramsAndLiterals) {
  Evaluator e;
  e.DefineVariable("x");
  ASSERT_TRUE(e.CompiledOK("2*x+1"));
  EXPECT_EQ(e.Literal, (std::vector<double>{2, 1}));
  EXPECT_EQ(e.PseudoCode, (Code{100, -1, 3, 101, 1}));
  ASSERT_TRUE(e.CompiledOK("x*x-2*x+1"));
  EXPECT_EQ(e.Literal, (std::vector<double>{2, 1}));
  EXPECT_EQ(e.PseudoCode, (Code{-1, -1, 3, 100, -1, 3, 2, 101, 1}));
  EXPECT_EQ(Program("-x^2"), (Code{-1, 12, 100, 5}));
  EXPECT_EQ(Program("sin(x)^2"), (Code{-1, 22, 100, 5}));
  EXPECT_EQ(Program("max(x,2)"), (Code{-1, 100, 39}));
}

TEST(EvaluatorCompile, PrecedenceAndLeftGrouping) {
  const std::vector<std::string> abcd{"a", "b", "c", "d"};
  EXPECT_EQ(Program("a-b*c-d", abcd), (Code{-1, -2, -3, 3, 2, -4, 2}));
  EXPECT_EQ(Program("a/b/c", abcd), (Code{-1, -2, 4, -3, 4}));
  EXPECT_EQ(Program("a^b^c", abcd), (Code{-1, -2, 5, -3, 5}));
  EXPECT_EQ(Program("a+b*c^d", abcd), (Code{-1, -2, -3, -4, 5, 3, 1}));
  EXPECT_EQ(Program("a*b+c/d", abcd), (Code{-1, -2, 3, -3, -4, 4, 1}));
  EXPECT_EQ(Program("(a+b)*c", abcd), (Code{-1, -2, 1, -3, 3}));
  EXPECT_EQ(Program("-a*b", abcd), (Code{-1, 12, -2, 3}));
  EXPECT_EQ(Program("pow(a,b+c)", abcd), (Code{-1, -2, -3, 1, 30}));
}

TEST(EvaluatorCompile, UnaryPlusAndNegation) {
  EXPECT_EQ(Program("+2"), (Code{100}));
  EXPECT_EQ(Program("--2"), (Code{100, 12, 12}));
  EXPECT_EQ(Program("2*-3"), (Code{100, 101, 12, 3}));
  EXPECT_EQ(Program("2^-1"), (Code{100, 101, 12, 5}));
  EXPECT_EQ(Program("x-+1"), (Code{-1, 100, 2}));
}

TEST(EvaluatorCompile, BlanksTabsAndLineBreaksAreRemoved) {
  EXPECT_EQ(Program("x y", {"xy"}), (Code{-1}));
  EXPECT_EQ(Program("sin (x)"), (Code{-1, 22}));
  EXPECT_EQ(Program("s in(x)"), (Code{-1, 22}));
  EXPECT_EQ(Program(" 2 *\n\tx\r"), (Code{100, -1, 3}));
  Evaluator e;
  e.DefineVariable("x");
  EXPECT_FALSE(e.CompiledOK(" x +\ty "));
  EXPECT_EQ(e.theSource, "x+y");
  EXPECT_EQ(e.endex, 3);
}

TEST(EvaluatorCompile, NumbersAndNames) {
  Evaluator e;
  e.DefineVariable("e");
  ASSERT_TRUE(e.CompiledOK("2e3+5.+.5+1.5E-1"));
  EXPECT_EQ(e.Literal, (std::vector<double>{2000, 5, 0.5, 0.15}));
  ASSERT_TRUE(e.CompiledOK("2*e"));
  EXPECT_EQ(e.PseudoCode, (Code{100, -1, 3}));
  EXPECT_EQ(Program("x1+x2", {"x1", "x2"}), (Code{-1, -2, 1}));
  EXPECT_EQ(Program("pi+rnd"), (Code{10, 11, 1}));
}

TEST(EvaluatorCompile, NamesIgnoreLetterCase) {
  EXPECT_EQ(Program("SIN(X)+Pi"), (Code{-1, 22, 10, 1}));
  EXPECT_EQ(Program("MOD(x,2)"), (Code{-1, 100, 41}));
}

TEST(EvaluatorCompile, PiAndRndShadowVariablesAndFirstDuplicateWins) {
  EXPECT_EQ(Program("pi", {"pi"}), (Code{10}));
  EXPECT_EQ(Program("rnd", {"rnd"}), (Code{11}));
  EXPECT_EQ(Program("v", {"v", "v"}), (Code{-1}));
  EXPECT_EQ(Program("y", {"x", "y", "y"}), (Code{-2}));
}

TEST(EvaluatorCompile, LiteralMessages) {
  for (const char* f : {"1e+", "1e", "1e-", "."}) {
    const Failure r = CompileError(f);
    EXPECT_EQ(r.message, "Bad format for literal") << f;
    EXPECT_EQ(r.marked, std::string(f) + "?") << f;
  }
  // A digit must precede the exponent mark.
  EXPECT_EQ(CompileError(".e5").message, "Bad format for literal");
  EXPECT_EQ(CompileError(".e5").marked, ".e5?");
  EXPECT_EQ(CompileError("2*.E1").marked, "2*.E1?");
  const Failure r = CompileError("1.2.3");
  EXPECT_EQ(r.message, "Expecting an operator");
  EXPECT_EQ(r.marked, "1.2.3?");
  EXPECT_EQ(CompileError("x+1e+y").marked, "x+1e+?y");
}

TEST(EvaluatorCompile, CharacterAndNameMessages) {
  EXPECT_EQ(CompileError("_a").message, "Illegal character");
  EXPECT_EQ(CompileError("_a").marked, "_?a");
  EXPECT_EQ(CompileError("x#").message, "Illegal character");
  EXPECT_EQ(CompileError("x#").marked, "x#?");
  EXPECT_EQ(CompileError("x + y").message, "Undefined variable");
  EXPECT_EQ(CompileError("x + y").marked, "x+y?");
  EXPECT_EQ(CompileError("x y").message, "Undefined variable");
  EXPECT_EQ(CompileError("x y").marked, "xy?");
  EXPECT_EQ(CompileError("foo(x)").message, "Unknown function");
  EXPECT_EQ(CompileError("foo(x)").marked, "foo(?x)");
  EXPECT_EQ(CompileError("x (3)").message, "Unknown function");
  EXPECT_EQ(CompileError("x (3)").marked, "x(?3)");
  EXPECT_EQ(CompileError("pi(1)").message, "Unknown function");
  EXPECT_EQ(CompileError("rnd(1)").marked, "rnd(?1)");
}

TEST(EvaluatorCompile, MarkedSourceNeverSplitsACharacter) {
  const Failure r = CompileError("x*\xC3\xA9+1");
  EXPECT_EQ(r.message, "Illegal character");
  EXPECT_EQ(r.errorIndex, 3);
  EXPECT_EQ(r.marked, "x*\xC3\xA9?+1");
  EXPECT_EQ(CompileError("\xF0\x9F\x99\x82").marked, "\xF0\x9F\x99\x82?");
  // A stray byte is a character of its own.
  EXPECT_EQ(CompileError("2\xFF").marked, "2\xFF?");
  // Two stray bytes that a blank kept apart make one character once the blank is gone.
  Evaluator e;
  EXPECT_FALSE(e.CompiledOK("\xC3 \xA9+1"));
  EXPECT_EQ(e.endex, 3);
  EXPECT_EQ(e.ErrorIndex, 1);
  EXPECT_EQ(e.MarkedSource(), "\xC3\xA9?+1");
}

TEST(EvaluatorCompile, OperandOperatorMessages) {
  EXPECT_EQ(CompileError("2x").message, "Expecting an operator");
  EXPECT_EQ(CompileError("2x").marked, "2x?");
  EXPECT_EQ(CompileError("2(3)").message, "Expecting an operator");
  EXPECT_EQ(CompileError("2(3)").marked, "2(?3)");
  EXPECT_EQ(CompileError("(1)2").marked, "(1)2?");
  EXPECT_EQ(CompileError("(1)x").marked, "(1)x?");
  EXPECT_EQ(CompileError("*2").message, "Expecting an operand");
  EXPECT_EQ(CompileError("*2").marked, "*?2");
  EXPECT_EQ(CompileError("2+*3").marked, "2+*?3");
  EXPECT_EQ(CompileError("()").message, "Expecting an operand");
  EXPECT_EQ(CompileError("()").marked, "()?");
  EXPECT_EQ(CompileError("max(,1)").message, "Expecting an operand");
  EXPECT_EQ(CompileError("max(1,)").marked, "max(1,)?");
}

TEST(EvaluatorCompile, ParenthesisAndCommaMessages) {
  EXPECT_EQ(CompileError("max(1)").message, "Incorrect number of function parameters");
  EXPECT_EQ(CompileError("max(1)").marked, "max(1)?");
  EXPECT_EQ(CompileError("max(1,2,3)").message, "Incorrect number of function parameters");
  EXPECT_EQ(CompileError("max(1,2,3)").marked, "max(1,2,3)?");
  EXPECT_EQ(CompileError("sin(1,2)").message, "Incorrect number of function parameters");
  EXPECT_EQ(CompileError("(1,2)").message, "Comma found outside of function parameter list");
  EXPECT_EQ(CompileError("(1,2)").marked, "(1,?2)");
  EXPECT_EQ(CompileError("1,2").message, "Comma found outside of function parameter list");
  EXPECT_EQ(CompileError("1,2").marked, "1,?2");
  EXPECT_EQ(CompileError("1+2)").message, "Unbalanced parenthesis");
  EXPECT_EQ(CompileError("1+2)").marked, "1+2)?");
  EXPECT_EQ(CompileError("(1+2").message, "Unbalanced parentheses");
  EXPECT_EQ(CompileError("(1+2").marked, "(1+2?");
  EXPECT_EQ(CompileError("sqrt(x").message, "Unbalanced parentheses");
  EXPECT_EQ(CompileError("sqrt(x").marked, "sqrt(x?");
  EXPECT_EQ(CompileError("max(1,2").message, "Syntax error of some kind");
  EXPECT_EQ(CompileError("max(1,2").marked, "max(1,2?");
}

TEST(EvaluatorCompile, CommaInsideAnUnclosedParenthesisIsRefused) {
  const Failure r = CompileError("max((1,2)");
  EXPECT_EQ(r.message, "Comma found outside of function parameter list");
  EXPECT_EQ(r.marked, "max((1,?2)");
  EXPECT_EQ(CompileError("max(1,(2,3))").marked, "max(1,(2,?3))");
  EXPECT_EQ(CompileError("pow((1+2,3),4)").message, "Comma found outside of function parameter list");
  EXPECT_EQ(Program("max((1),(2))"), (Code{100, 101, 39}));
  EXPECT_EQ(Program("max(min(1,2),3)"), (Code{100, 101, 40, 102, 39}));
}

TEST(EvaluatorCompile, EndMessages) {
  const Failure empty = CompileError("");
  EXPECT_EQ(empty.message, "Expression should end with an operand");
  EXPECT_EQ(empty.errorIndex, 0);
  EXPECT_EQ(empty.marked, "?");
  EXPECT_EQ(CompileError("   ").marked, "?");
  EXPECT_EQ(CompileError("2*").message, "Expression should end with an operand");
  EXPECT_EQ(CompileError("2*").marked, "2*?");
  EXPECT_EQ(CompileError("-").message, "Expression should end with an operand");
  EXPECT_EQ(CompileError("sin(").message, "Expression should end with an operand");
  EXPECT_EQ(CompileError("max(1,").message, "Expression should end with an operand");
  EXPECT_EQ(CompileError("(").marked, "(?");
}

TEST(EvaluatorCompile, FailureStateAndRecovery) {
  Evaluator e;
  e.DefineVariable("x");
  EXPECT_FALSE(e.CompiledOK("1+2+"));
  EXPECT_TRUE(e.PseudoCode.empty());
  EXPECT_EQ(e.Literal, (std::vector<double>{1, 2}));
  EXPECT_EQ(e.VarName, (std::vector<std::string>{"", "x"}));
  EXPECT_EQ(e.ErrorIndex, 4);
  EXPECT_TRUE(e.CompiledOK("x"));
  EXPECT_EQ(e.ErrorMessage, "");
  EXPECT_EQ(e.MarkedSource(), "");
}

TEST(EvaluatorCompile, VariableTable) {
  Evaluator e;
  e.DefineVariable("a");
  e.DefineVariable("b");
  EXPECT_EQ(e.VarName, (std::vector<std::string>{"", "a", "b"}));
  EXPECT_EQ(e.VarValue, (std::vector<double>{0, 0, 0}));
  EXPECT_TRUE(e.SetNamedVar("B", 4.5));
  EXPECT_EQ(e.VarValue[2], 4.5);
  EXPECT_FALSE(e.SetNamedVar("c", 1));
  ASSERT_TRUE(e.CompiledOK("a+2*b-0.5"));
  e.ClearVariables();
  EXPECT_EQ(e.VarName, std::vector<std::string>{""});
  EXPECT_EQ(e.VarValue, std::vector<double>{0.0});
  EXPECT_TRUE(e.PseudoCode.empty());
  // Only the program goes; the numbers stay until the next compile.
  EXPECT_EQ(e.Literal, (std::vector<double>{2, 0.5}));
  e.DefineVariable("z");
  ASSERT_TRUE(e.CompiledOK("z"));
  EXPECT_EQ(e.PseudoCode, (Code{-1}));
}

}  // namespace
