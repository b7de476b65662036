#pragma once

#include <string>

class Evaluator;

// A formula of one variable evaluated at an entered value, with the value's
// uncertainty carried through by Monte-Carlo trials. Entered uncertainties are
// 95 % half-widths: trials draw with sigma = unc / 1.96 and the spread is
// reported as 1.96 standard deviations.
class ColumnCalculator {
 public:
  static constexpr int Trials = 1000;
  static constexpr double Factor = 1.96;

  explicit ColumnCalculator(Evaluator& evaluator);

  // Compiles formula in the one variable name; on false ErrorMessage holds the reason.
  bool CompiledOK(const std::string& name, const std::string& formula);

  // The formula at x and its uncertainty for a standard deviation sigma of x
  // (no trials when sigma is 0). False, with ErrorMessage, when an evaluation
  // fails or gives a number that is not finite.
  bool CalculatedOK(double x, double sigma, double& value, double& uncertainty);

  std::string ErrorMessage;

 private:
  bool zEvaluatedOK(double x, double& result);

  Evaluator& e;
};
