#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Evaluator;

// One run of the propagation calculator: N virtual experiments of the formula
// last compiled by an Evaluator, each variable drawn from a normal distribution,
// then one evaluation at the entered values.
class Propagation {
 public:
  // Per variable k = 1..n, stored at k - 1: the entered value and the standard
  // deviation it is drawn with.
  std::vector<double> Value;
  std::vector<double> StdDev;
  std::int32_t N = 0;
  double StudentFactor = 0.0;

  double Result = 0.0;  // the formula at the entered values
  double Unc = 0.0;     // StudentFactor times the spread of the experiments
  std::string ErrorMessage;

  // False with ErrorMessage set at the first evaluation that fails or is not finite.
  bool RanOK(Evaluator& ev);
};
