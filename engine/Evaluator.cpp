#include "engine/Evaluator.h"

#include <array>
#include <cmath>

#include "framework/BackgroundTask.h"
#include "framework/Maths.h"
#include "framework/Text.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kStackTop = 50;  // last index of DStack

constexpr std::int32_t kPlus = 1;
constexpr std::int32_t kMinus = 2;
constexpr std::int32_t kTimes = 3;
constexpr std::int32_t kDivide = 4;
constexpr std::int32_t kPower = 5;
constexpr std::int32_t kOpen = 6;
constexpr std::int32_t kComma = 7;
constexpr std::int32_t kClose = 8;
constexpr std::int32_t kEnd = 9;
constexpr std::int32_t kPiItem = 10;
constexpr std::int32_t kRndItem = 11;
constexpr std::int32_t kNegate = 12;
constexpr std::int32_t kNumber = 100;

struct FunctionEntry {
  const char* name;
  std::int32_t code;
};

// In the order the tokenizer tests them.
constexpr FunctionEntry kFunctions[] = {
    {"abs", 20},   {"sqrt", 21},  {"sin", 22},   {"cos", 23},   {"tan", 24},   {"exp", 25},   {"ln", 26},
    {"log", 27},   {"deg", 28},   {"rad", 29},   {"pow", 30},   {"sign", 31},  {"asin", 32},  {"acos", 33},
    {"atan", 34},  {"round", 35}, {"ceil", 36},  {"floor", 37}, {"frac", 38},  {"max", 39},   {"min", 40},
    {"mod", 41},   {"sinh", 42},  {"cosh", 43},  {"tanh", 44},  {"asinh", 45}, {"acosh", 46}, {"atanh", 47}};

bool IsFunction(std::int32_t code) { return code >= 20 && code <= 47; }

// Values each operator item code takes from the stack. Items with no meaning
// in a program take one: an empty stack is reported before the bad item.
constexpr auto kOperandsTaken = [] {
  std::array<std::int8_t, kNumber> taken{};
  taken.fill(1);
  for (const std::int32_t code : {kPlus, kMinus, kTimes, kDivide, kPower, 30, 39, 40, 41}) taken[code] = 2;
  return taken;
}();

// Whether the pending operator is emitted before newOperator becomes pending.
bool BindsAtLeastAsTightly(std::int32_t pending, std::int32_t newOperator) {
  switch (newOperator) {
    case kPlus:
    case kMinus:
      return (pending >= kPlus && pending <= kPower) || pending == kNegate;
    case kTimes:
    case kDivide:
      return (pending >= kTimes && pending <= kPower) || pending == kNegate;
    default:
      return pending == kPower || pending == kNegate;
  }
}

// Beyond this the squares in asinh and acosh overflow; log(2x) is then exact to double precision.
constexpr double kHugeArgument = 1e150;

double PositiveAsinh(double x) {
  if (x > kHugeArgument) return fw::Log(x) + fw::Log(2.0);
  return fw::Log(x + fw::Sqrt(x * x + 1));
}

}  // namespace

Evaluator::Evaluator() : VarName{""}, VarValue{0.0} {}

bool Evaluator::zIsDigit(const std::string& ch) const {
  return fw::CompareText(ch, "0") >= 0 && fw::CompareText(ch, "9") <= 0;
}

bool Evaluator::zIsAlpha(const std::string& ch) const {
  return (fw::CompareText(ch, "A") >= 0 && fw::CompareText(ch, "Z") <= 0) ||
         (fw::CompareText(ch, "a") >= 0 && fw::CompareText(ch, "z") <= 0);
}

bool Evaluator::zIsAlphaNum(const std::string& ch) const { return zIsAlpha(ch) || zIsDigit(ch); }

std::string Evaluator::zGetChar() {
  if (index >= endex) return "";
  ++index;
  const std::size_t from = sourceOffsets[static_cast<std::size_t>(index) - 1];
  return theSource.substr(from, sourceOffsets[static_cast<std::size_t>(index)] - from);
}

std::string Evaluator::zPeekChar() const {
  if (index >= endex) return "";
  const std::size_t from = sourceOffsets[static_cast<std::size_t>(index)];
  return theSource.substr(from, sourceOffsets[static_cast<std::size_t>(index) + 1] - from);
}

void Evaluator::zSetSource(const std::string& source) {
  theSource.clear();
  const std::string_view rest(source);
  for (std::size_t at = 0; at < rest.size();) {
    fw::RuntimeBackgroundTask();
    const std::string ch = fw::Left(rest.substr(at), 1);
    at += ch.size();
    if (ch != " " && ch != "\t" && ch != "\n" && ch != "\r") theSource += ch;
  }
  // Character offsets let the tokenizer step through the text without rescanning it. They are
  // taken from the stripped text, where stray bytes that a blank kept apart may now form one character.
  sourceOffsets.clear();
  const std::string_view stripped(theSource);
  for (std::size_t at = 0; at < stripped.size(); at += fw::Left(stripped.substr(at), 1).size()) {
    sourceOffsets.push_back(at);
  }
  sourceOffsets.push_back(stripped.size());
  index = 0;
  endex = static_cast<std::int32_t>(sourceOffsets.size() - 1);
}

std::string Evaluator::zGetLiteral(const std::string& first) {
  std::string text = first;
  bool seenPoint = first == ".";
  bool seenExponent = false;
  bool justAfterE = false;
  bool seenSign = false;
  while (index < endex) {
    fw::RuntimeBackgroundTask();
    const std::string ch = zPeekChar();
    if (zIsDigit(ch)) {
      justAfterE = false;
    } else if (ch == "." && !seenPoint && !seenExponent) {
      seenPoint = true;
    } else if ((ch == "e" || ch == "E") && !seenExponent) {
      seenExponent = true;
      justAfterE = true;
    } else if ((ch == "+" || ch == "-") && justAfterE && !seenSign) {
      seenSign = true;
      justAfterE = false;
    } else {
      break;
    }
    text += zGetChar();
  }
  return text;
}

std::string Evaluator::zGetID(const std::string& first) {
  std::string name = first;
  while (index < endex) {
    fw::RuntimeBackgroundTask();
    const std::string ch = zPeekChar();
    if (!zIsAlphaNum(ch)) break;
    name += zGetChar();
  }
  return name;
}

bool Evaluator::zFailCompile(const char* message) {
  ErrorIndex = index;
  ErrorMessage = message;
  return false;
}

std::int32_t Evaluator::zNextItemCode() {
  const std::string ch = zGetChar();
  if (ch.empty()) return kEnd;
  if (zIsDigit(ch) || ch == ".") {
    const std::string text = zGetLiteral(ch);
    const std::string last = fw::Right(text, 1);
    // A digit must come before an exponent mark: ".e5" is no number.
    const bool digitBeforeExponent = !(fw::Len(text) >= 2 && text[0] == '.' && (text[1] == 'e' || text[1] == 'E'));
    const bool wellFormed = (zIsDigit(last) || (last == "." && text != ".")) && digitBeforeExponent;
    if (!wellFormed) {
      zFailCompile("Bad format for literal");
      return 0;
    }
    LastLiteral = fw::CDbl(text);
    return kNumber;
  }
  if (zIsAlpha(ch)) {
    const std::string name = zGetID(ch);
    if (fw::TextEquals(zPeekChar(), "(")) {
      zGetChar();
      return zFunctionCode(name);
    }
    if (fw::TextEquals(name, "rnd")) return kRndItem;
    if (fw::TextEquals(name, "pi")) return kPiItem;
    return zVariableCode(name);
  }
  const int position = fw::InStr("+-*/^(,)", ch);
  if (position == 0) {
    zFailCompile("Illegal character");
    return 0;
  }
  return position;
}

std::int32_t Evaluator::zFunctionCode(const std::string& name) {
  for (const FunctionEntry& f : kFunctions) {
    if (fw::TextEquals(name, f.name)) return f.code;
  }
  zFailCompile("Unknown function");
  return 0;
}

std::int32_t Evaluator::zParamCount(std::int32_t code) const {
  return (code == 30 || code == 39 || code == 40 || code == 41) ? 2 : 1;
}

bool Evaluator::zConsistent(bool lastWasOperand, bool isOperator) {
  if (!isOperator && lastWasOperand) return zFailCompile("Expecting an operator");
  if (isOperator && !lastWasOperand) return zFailCompile("Expecting an operand");
  return true;
}

std::int32_t Evaluator::zVariableCode(const std::string& name) {
  for (std::size_t k = 1; k < VarName.size(); ++k) {
    fw::RuntimeBackgroundTask();
    if (fw::TextEquals(VarName[k], name)) return -static_cast<std::int32_t>(k);
  }
  zFailCompile("Undefined variable");
  return 0;
}

bool Evaluator::CompiledOK(const std::string& source) {
  zSetSource(source);
  PseudoCode.clear();
  Literal.clear();
  ErrorMessage = "";
  std::int32_t pending = 0;
  std::vector<std::int32_t> held;
  bool operand = false;

  auto hold = [&] {
    if (pending != 0) held.push_back(pending);
  };
  auto takeBack = [&] {
    if (held.empty()) {
      pending = 0;
    } else {
      pending = held.back();
      held.pop_back();
    }
  };
  auto emitAndTakeBack = [&] {
    PseudoCode.push_back(pending);
    takeBack();
  };

  bool ended = false;
  while (ErrorMessage.empty() && !ended) {
    fw::RuntimeBackgroundTask();
    const std::int32_t item = zNextItemCode();
    if (item == 0) break;
    if (item == kNumber) {
      if (!zConsistent(operand, false)) break;
      Literal.push_back(LastLiteral);
      PseudoCode.push_back(kNumber + static_cast<std::int32_t>(Literal.size() - 1));
      operand = true;
    } else if (item < 0 || item == kPiItem || item == kRndItem) {
      if (!zConsistent(operand, false)) break;
      PseudoCode.push_back(item);
      operand = true;
    } else if (IsFunction(item) || item == kOpen) {
      if (!zConsistent(operand, false)) break;
      hold();
      pending = item;
      operand = false;
    } else if (item == kMinus && !operand) {
      hold();
      pending = kNegate;
    } else if (item == kPlus && !operand) {
      // unary plus changes nothing
    } else if (item >= kPlus && item <= kPower) {
      if (item >= kTimes && !zConsistent(operand, true)) break;
      while (BindsAtLeastAsTightly(pending, item)) emitAndTakeBack();
      hold();
      pending = item;
      operand = false;
    } else if (item == kComma) {
      if (!zConsistent(operand, true)) break;
      // An open "(" stops the loop too, so "max((1,2)" cannot compile into a program that never runs.
      while (pending != 0 && pending != kComma && pending != kOpen && !IsFunction(pending)) emitAndTakeBack();
      if (pending == 0 || pending == kOpen) {
        zFailCompile("Comma found outside of function parameter list");
        break;
      }
      hold();
      pending = kComma;
      operand = false;
    } else if (item == kClose) {
      if (!zConsistent(operand, true)) break;
      while (pending != 0 && pending != kComma && pending != kOpen && !IsFunction(pending)) emitAndTakeBack();
      if (pending == 0) {
        zFailCompile("Unbalanced parenthesis");
      } else if (pending == kComma) {
        std::int32_t n = 0;
        while (pending == kComma && !held.empty()) {
          takeBack();
          ++n;
        }
        if (IsFunction(pending) && zParamCount(pending) == n + 1) {
          emitAndTakeBack();
        } else if (IsFunction(pending)) {
          zFailCompile("Incorrect number of function parameters");
        } else {
          zFailCompile("Comma found outside of function parameter list");
        }
      } else if (pending == kOpen) {
        takeBack();
      } else if (zParamCount(pending) == 1) {
        emitAndTakeBack();
      } else {
        zFailCompile("Incorrect number of function parameters");
      }
      operand = true;
    } else if (item == kEnd) {
      ended = true;
      if (!zConsistent(operand, true)) {
        ErrorMessage = "Expression should end with an operand";
        break;
      }
      while ((pending >= kPlus && pending <= kPower) || pending == kNegate) emitAndTakeBack();
      if (pending == kOpen || IsFunction(pending)) {
        zFailCompile("Unbalanced parentheses");
      } else if (pending != 0) {
        zFailCompile("Syntax error of some kind");
      }
    }
  }
  if (!ErrorMessage.empty()) {
    PseudoCode.clear();
    return false;
  }
  return true;
}

void Evaluator::ClearVariables() {
  VarName.assign(1, "");
  VarValue.assign(1, 0.0);
  PseudoCode.clear();
}

void Evaluator::DefineVariable(const std::string& name) {
  VarName.push_back(name);
  VarValue.push_back(0.0);
}

bool Evaluator::SetNamedVar(const std::string& name, double value) {
  for (std::size_t k = 1; k < VarName.size() && k < VarValue.size(); ++k) {
    if (fw::TextEquals(VarName[k], name)) {
      VarValue[k] = value;
      return true;
    }
  }
  return false;
}

std::string Evaluator::MarkedSource() const {
  if (ErrorMessage.empty()) return "";
  return fw::Left(theSource, ErrorIndex) + "?" + fw::Mid(theSource, ErrorIndex < 0 ? 1 : ErrorIndex + 1);
}

bool Evaluator::zRunFailed(std::int32_t number, const char* message) {
  ErrorIndex = number;
  ErrorMessage = message;
  return false;
}

bool Evaluator::zUnderflow() { return zRunFailed(11, "Compiler error: stack underflow or bad reference"); }

bool Evaluator::zOverflow() { return zRunFailed(12, "Stack overflow: expression too complicated"); }

bool Evaluator::EvaluatedOK() {
  if (PseudoCode.empty()) return zRunFailed(1, "No compiled code");
  // Locals, so that the tables stay in registers across the maths calls.
  const std::int32_t* item = PseudoCode.data();
  const std::int32_t* const end = item + PseudoCode.size();
  const double* const variables = VarValue.data();
  const std::size_t variableCount = VarValue.size();
  const double* const literals = Literal.data();
  const std::size_t literalCount = Literal.size();
  double* const stack = DStack.data();
  int top = -1;

  for (; item != end; ++item) {
    fw::RuntimeBackgroundTask();
    const std::int32_t code = *item;
    if (code < 0) {
      const auto k = static_cast<std::uint64_t>(-static_cast<std::int64_t>(code));
      if (k >= variableCount) return zUnderflow();
      if (top >= kStackTop) return zOverflow();
      stack[++top] = variables[k];
      continue;
    }
    if (code >= kNumber) {
      const auto k = static_cast<std::size_t>(code - kNumber);
      if (k >= literalCount) return zUnderflow();
      if (top >= kStackTop) return zOverflow();
      stack[++top] = literals[k];
      continue;
    }
    if (code == kPiItem || code == kRndItem) {
      if (top >= kStackTop) return zOverflow();
      stack[++top] = code == kPiItem ? kPi : fw::Rnd();
      continue;
    }
    if (top + 1 < kOperandsTaken[code]) return zUnderflow();
    double& x = stack[top];
    switch (code) {
      case kPlus:
        stack[top - 1] += x;
        --top;
        break;
      case kMinus:
        stack[top - 1] -= x;
        --top;
        break;
      case kTimes:
        stack[top - 1] *= x;
        --top;
        break;
      case kDivide: {
        const double b = x;
        double& a = stack[--top];
        if (b == 0) {
          Result = a;
          return zRunFailed(2, "Division by zero");
        }
        a = a / b;
        break;
      }
      case kPower:
      case 30: {
        const double b = x;
        double& a = stack[--top];
        if (a < 0 && b != fw::Round(b)) {
          Result = a;
          return zRunFailed(4, "Fractional power of a negative number");
        }
        // A square as one multiplication: correctly rounded, and far cheaper than Pow.
        a = b == 2 ? a * a : fw::Pow(a, b);
        break;
      }
      case kNegate:
        x = -x;
        break;
      case 20:
        x = fw::Abs(x);
        break;
      case 21:
        if (x < 0) {
          Result = x;
          return zRunFailed(3, "Square root of a negative number");
        }
        x = fw::Sqrt(x);
        break;
      case 22:
        x = fw::Sin(x);
        break;
      case 23:
        x = fw::Cos(x);
        break;
      case 24:
        x = fw::Tan(x);
        break;
      case 25:
        x = fw::Exp(x);
        break;
      case 26:
      case 27:
        if (!(x > 0)) {
          Result = x;
          return zRunFailed(5, "Logarithm of a nonpositive number");
        }
        x = code == 26 ? fw::Log(x) : fw::Log(x) / fw::Log(10.0);
        break;
      case 28:
        x = (x * 180) / kPi;
        break;
      case 29:
        x = (x * kPi) / 180;
        break;
      case 31:
        x = fw::Sign(x);
        break;
      case 32:
      case 33:
        if (x > 1 || x < -1) {
          Result = x;
          return zRunFailed(6, code == 32 ? "Argument of inverse sine is out of range"
                                          : "Argument of inverse cosine is out of range");
        }
        x = code == 32 ? fw::ASin(x) : fw::ACos(x);
        break;
      case 34:
        x = fw::ATan(x);
        break;
      case 35:
        x = fw::Round(x);
        break;
      case 36:
        x = fw::Ceil(x);
        break;
      case 37:
        x = fw::Floor(x);
        break;
      case 38:
        x = fw::Abs(x) - fw::Floor(fw::Abs(x));
        break;
      case 39:
        stack[top - 1] = fw::Max(stack[top - 1], x);
        --top;
        break;
      case 40:
        stack[top - 1] = fw::Min(stack[top - 1], x);
        --top;
        break;
      case 41: {
        // Saturating conversion and a guarded divisor: no operand pair can trap.
        const std::int32_t ib = fw::ToInt32(x);
        double& a = stack[--top];
        const std::int32_t ia = fw::ToInt32(a);
        a = ib == 0 ? ia : ib == -1 ? 0 : ia % ib;
        break;
      }
      case 42: {
        const double e = fw::Exp(x);
        x = (e - 1 / e) * 0.5;
        break;
      }
      case 43: {
        const double e = fw::Exp(x);
        x = (e + 1 / e) * 0.5;
        break;
      }
      case 44: {
        // Once an exponential overflows the quotient is inf/inf; its limit is +-1.
        const double e = fw::Exp(x);
        const double inverse = 1 / e;
        if (std::isinf(e)) {
          x = 1;
        } else if (std::isinf(inverse)) {
          x = -1;
        } else {
          x = (e - inverse) / (e + inverse);
        }
        break;
      }
      case 45:
        // Odd symmetry avoids the cancellation of x + sqrt(x*x + 1) for negative x.
        x = x < 0 ? -PositiveAsinh(-x) : PositiveAsinh(x);
        break;
      case 46:
        if (x < 1) {
          Result = x;
          return zRunFailed(7, "Illegal argument for inverse hyperbolic cosine");
        }
        x = x > kHugeArgument ? fw::Log(x) + fw::Log(2.0) : fw::Log(x + fw::Sqrt(x * x - 1));
        break;
      case 47:
        if (!(x * x < 1)) {
          Result = x;
          return zRunFailed(8, "Illegal argument for inverse hyperbolic tangent");
        }
        x = 0.5 * fw::Log((1 + x) / (1 - x));
        break;
      default:
        // The top value becomes the result even after an error.
        Result = x;
        return zRunFailed(9, "Compiler error: bad pseudocode item");
    }
  }
  Result = stack[top];
  if (top > 0) return zRunFailed(10, "Compiler error: items left on stack");
  return true;
}
