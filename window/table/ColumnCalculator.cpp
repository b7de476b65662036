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
  // The deviations are divided by a power of two near the first of them
  // (exact), so that their squares cannot overflow for results near 1e154
  // and beyond.
  double scale = 0;
  double s1 = 0;
  double s2 = 0;
  for (int trial = 0; trial < Trials; ++trial) {
    double r;
    if (!zEvaluatedOK(x + GlobalFuncts::RndDev() * sigma, r)) return false;
    double d = r - value;
    if (scale == 0 && d != 0) scale = std::ldexp(1.0, std::ilogb(d));
    if (scale != 0) {
      d /= scale;
      s1 += d;
      s2 += d * d;
    }
    fw::RuntimeBackgroundTask();
  }
  double variance = (s2 - s1 * s1 / Trials) / (Trials - 1);
  if (variance < 0) variance = 0;
  uncertainty = Factor * scale * fw::Sqrt(variance);
  if (!std::isfinite(uncertainty)) {
    ErrorMessage = "Result is not a finite number";
    return false;
  }
  return true;
}
