#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Compiles a formula of named variables into postfix item codes and
// evaluates it on a small value stack.
//
// Use: ClearVariables(); DefineVariable(name) for variables 1..n;
// CompiledOK(formula); then per evaluation write VarValue[1..n] and call
// EvaluatedOK(), reading Result or ErrorMessage.
class Evaluator {
 public:
  Evaluator();

  std::string ErrorMessage;
  // Compile error: characters of theSource consumed; run-time error: its number 1..12.
  std::int32_t ErrorIndex = 0;
  std::vector<std::string> VarName;  // entry 0 is a placeholder
  std::vector<double> VarValue;      // parallel to VarName; callers write 1..n
  std::vector<double> Literal;
  double Result = 0.0;
  std::string theSource;
  std::int32_t index = 0;
  std::int32_t endex = 0;
  std::vector<std::int32_t> PseudoCode;
  double LastLiteral = 0.0;
  std::array<double, 51> DStack{};

  bool CompiledOK(const std::string& source);
  void ClearVariables();
  void DefineVariable(const std::string& name);
  bool SetNamedVar(const std::string& name, double value);
  std::string MarkedSource() const;
  bool EvaluatedOK();

 private:
  bool zIsDigit(const std::string& ch) const;
  bool zIsAlpha(const std::string& ch) const;
  bool zIsAlphaNum(const std::string& ch) const;
  std::string zGetChar();
  std::string zPeekChar() const;
  void zSetSource(const std::string& source);
  std::string zGetLiteral(const std::string& first);
  std::string zGetID(const std::string& first);
  std::int32_t zNextItemCode();
  std::int32_t zFunctionCode(const std::string& name);
  std::int32_t zParamCount(std::int32_t code) const;
  bool zConsistent(bool lastWasOperand, bool isOperator);
  std::int32_t zVariableCode(const std::string& name);
  bool zFailCompile(const char* message);
  bool zRunFailed(std::int32_t number, const char* message);
  bool zUnderflow();
  bool zOverflow();

  // Byte offset of each character of theSource, and one past the end.
  std::vector<std::size_t> sourceOffsets;
};
