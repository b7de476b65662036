#include "engine/GlobalFuncts.h"

#include "framework/BackgroundTask.h"
#include "framework/Maths.h"
#include "framework/Text.h"

namespace GlobalFuncts {

namespace {

constexpr double kStudentRows[31] = {0.0,   12.706, 4.303, 3.183, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
                                     2.201, 2.179,  2.160, 2.145, 2.132, 2.120, 2.110, 2.101, 2.093, 2.086, 2.080,
                                     2.074, 2.069,  2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};

struct ExactRow {
  std::int32_t dof;
  double factor;
};
constexpr ExactRow kLargeRows[] = {{49, 2.010},   {99, 1.984},   {199, 1.972},  {499, 1.965},
                                   {999, 1.962},  {1999, 1.961}, {4999, 1.960}, {9999, 1.960}};

struct Piece {
  std::int32_t upper;  // inclusive; the lower bound is the previous piece's upper, exclusive
  double d0;
  double a;
  double b;
  double w;
};
constexpr Piece kPieces[] = {{40, 30, 2.0423, 2.0211, 10},   {60, 40, 2.0211, 2.0003, 20},
                             {130, 60, 2.0003, 1.9799, 60},  {180, 130, 1.978, 1.973, 50},
                             {250, 180, 1.973, 1.970, 70},   {500, 250, 1.970, 1.965, 250},
                             {1000, 500, 1.965, 1.962, 500}, {5000, 1000, 1.962, 1.960, 4000}};

constexpr const char* kPatterns[13] = {"-0",        "-0.0",        "-0.00",       "-0.000",     "-0.0000",
                                       "-0.00000",  "-0.000000",   "-0.0e+#",     "-0.00e+#",   "-0.000e+#",
                                       "-0.0000e+#", "-0.00000e+#", "-0.00000e+#"};

// The decimal exponent of x; 0 for a value with none (zero, infinite, NaN).
std::int32_t DecimalExponent(double x) {
  const std::string text = fw::Format(x, "+0e+#");
  return fw::ToInt32(fw::Val(fw::Right(text, fw::Len(text) - 3)));
}

}  // namespace

double RndDev() {
  double u = 0;
  double s = 0;
  // s = 0 (both draws exactly 0.5) has no finite deviate: draw again.
  do {
    u = 2 * fw::Rnd() - 1;
    const double v = 2 * fw::Rnd() - 1;
    s = u * u + v * v;
    fw::RuntimeBackgroundTask();
  } while (!(s < 1) || s == 0);
  return u * fw::Sqrt(-2 * fw::Log(s) / s);
}

double StudentT(std::int32_t dof) {
  if (dof >= 1 && dof <= 30) return kStudentRows[dof];
  for (const ExactRow& row : kLargeRows) {
    if (row.dof == dof) return row.factor;
  }
  std::int32_t lower = 30;
  for (const Piece& p : kPieces) {
    if (dof > lower && dof <= p.upper) {
      const double t = p.a + ((dof - p.d0) / p.w) * (p.b - p.a);
      return fw::Round(t * 1000) / 1000;
    }
    lower = p.upper;
  }
  if (dof > 5000) return 1.96;
  return 0.0;
}

std::string Reformat(double x, std::int32_t formatCode) {
  if (formatCode < 0 || formatCode > 12) return "";
  return fw::Format(x, kPatterns[formatCode]);
}

void FormatValUnc(double value, double unc, std::string& valText, std::string& uncText) {
  const std::int32_t ev = DecimalExponent(value);
  if (unc == 0) {
    if (ev > -4 && ev < 3) {
      const std::int32_t k = 2 - ev;
      valText = Reformat(value, k);
      uncText = Reformat(unc, k);
    } else {
      valText = fw::Format(value, "+0.00e+#");
      uncText = fw::Format(unc, "-0.00e+#");
    }
    return;
  }
  const std::int32_t eu = DecimalExponent(unc);
  const std::int32_t diff = static_cast<std::int32_t>(fw::Max(ev - eu, 0));
  const std::int32_t m = static_cast<std::int32_t>(fw::Max(ev, eu));
  const std::int32_t p = eu - 1;
  if (p > -6 && m < 3) {
    const std::int32_t k = p >= 1 ? 0 : -p;
    valText = Reformat(value, k);
    uncText = Reformat(unc, k);
    if (value > 0) valText = "+" + valText;
  } else if (diff < 7) {
    const std::string mantissa = "0." + std::string(static_cast<std::size_t>(diff) + 1, '0');
    const std::string exponent = "e" + fw::Format(m, "+#");
    const double scale = fw::Pow(10, m);
    valText = fw::Format(value / scale, "+" + mantissa) + exponent;
    uncText = fw::Format(unc / scale, "-" + mantissa) + exponent;
  } else {
    valText = fw::Format(value, "+0.00e+#");
    uncText = fw::Format(unc, "-0.00e+#");
  }
}

}  // namespace GlobalFuncts
