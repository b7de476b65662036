#include "window/table/ColumnCalculator.h"

#include <cmath>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/BackgroundTask.h"
#include "framework/Maths.h"

ColumnCalculator::ColumnCalculator(Evaluator& evaluator) : e(evaluator) {}

bool ColumnCalculator::CompiledOK(const std::string& name, const std::string& formula) {
  e.ClearVariables();
  e.DefineVariable(name);
  bool ok = e.CompiledOK(formula);
  ErrorMessage = ok ? std::string() : e.ErrorMessage;
  return ok;
}

bool ColumnCalculator::zEvaluatedOK(double x, double& result) {
  e.VarValue[1] = x;
  if (!e.EvaluatedOK()) {
    ErrorMessage = e.ErrorMessage;
    return false;
  }
  if (!std::isfinite(e.Result)) {
    ErrorMessage = "Result is not a finite number";
    return false;
  }
  result = e.Result;
  return true;
}

bool ColumnCalculator::CalculatedOK(double x, double sigma, double& value, double& uncertainty) {
  if (!zEvaluatedOK(x, value)) return false;
  if (sigma == 0) {
    uncertainty = 0;
    return true;
  }
  // Summing the deviations from the central value keeps the difference of
  // the sums small, so a large value with a small spread loses no digits.
  double s1 = 0;
  double s2 = 0;
  for (int trial = 0; trial < Trials; ++trial) {
    double r;
    if (!zEvaluatedOK(x + GlobalFuncts::RndDev() * sigma, r)) return false;
    double d = r - value;
    s1 += d;
    s2 += d * d;
    fw::RuntimeBackgroundTask();
  }
  double variance = (s2 - s1 * s1 / Trials) / (Trials - 1);
  if (!(variance > 0)) variance = 0;
  uncertainty = Factor * fw::Sqrt(variance);
  if (!std::isfinite(uncertainty)) {
    ErrorMessage = "Result is not a finite number";
    return false;
  }
  return true;
}
