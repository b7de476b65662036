#include "calculators/Propagation.h"

#include <cmath>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/Maths.h"

namespace {

const char* const kNotFinite = "Result is not a finite number.";

bool EvaluatedFiniteOK(Evaluator& ev, std::string& message) {
  if (!ev.EvaluatedOK()) {
    message = ev.ErrorMessage;
    return false;
  }
  if (!std::isfinite(ev.Result)) {
    message = kNotFinite;
    return false;
  }
  return true;
}

}  // namespace

bool Propagation::RanOK(Evaluator& ev) {
  ErrorMessage.clear();
  Result = 0.0;
  Unc = 0.0;
  const std::size_t n = Value.size();
  if (ev.VarValue.size() < n + 1) {
    ev.VarValue.resize(n + 1, 0.0);
  }

  // Welford's running mean keeps the spread of results with a small relative
  // spread, which the sum-of-squares formula cancels away.
  double mean = 0.0;
  double m2 = 0.0;
  for (std::int32_t e = 1; e <= N; ++e) {
    for (std::size_t k = 0; k < n; ++k) {
      ev.VarValue[k + 1] = Value[k] + GlobalFuncts::RndDev() * StdDev[k];
    }
    if (!EvaluatedFiniteOK(ev, ErrorMessage)) {
      return false;
    }
    const double r = ev.Result;
    const double delta = r - mean;
    mean += delta / e;
    m2 += delta * (r - mean);
  }

  for (std::size_t k = 0; k < n; ++k) {
    ev.VarValue[k + 1] = Value[k];
  }
  if (!EvaluatedFiniteOK(ev, ErrorMessage)) {
    return false;
  }
  Result = ev.Result;

  if (N > 1 && m2 > 0.0) {
    Unc = fw::Sqrt(m2 / (N - 1)) * StudentFactor;
  }
  if (!std::isfinite(Unc)) {
    ErrorMessage = kNotFinite;
    return false;
  }
  return true;
}
