#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/Text.h"

// Compiles arbitrary bytes as a formula of a few variables and evaluates it
// with ordinary and awkward variable values; also feeds the number helpers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  static Evaluator evaluator;
  evaluator.ClearVariables();
  for (const char* name : {"x", "y", "T2", "e"}) evaluator.DefineVariable(name);

  if (evaluator.CompiledOK(text)) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[][4] = {{3, -2, 0.5, 1e-3},
                                {0, 0, 0, 0},
                                {-1e308, 1e308, -0.0, 5e-324},
                                {inf, -inf, std::nan(""), -2147483648.0},
                                {2147483647.5, -1, 1, -0.5}};
    for (const auto& row : values) {
      for (int k = 0; k < 4; ++k) evaluator.VarValue[static_cast<std::size_t>(k) + 1] = row[k];
      if (evaluator.EvaluatedOK()) {
        std::string valText;
        std::string uncText;
        GlobalFuncts::FormatValUnc(evaluator.Result, row[0], valText, uncText);
        GlobalFuncts::Reformat(evaluator.Result, static_cast<std::int32_t>(size % 14));
      } else if (evaluator.ErrorMessage.empty()) {
        __builtin_trap();
      }
    }
  } else {
    // A failed compile always explains itself and marks a place in the text.
    if (evaluator.ErrorMessage.empty() || !evaluator.PseudoCode.empty()) __builtin_trap();
    if (fw::Len(evaluator.MarkedSource()) != fw::Len(evaluator.theSource) + 1) __builtin_trap();
  }
  fw::Val(text);
  fw::Format(fw::Val(text), text);
  return 0;
}
