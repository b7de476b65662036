#include "framework/Maths.h"

#include <cmath>
#include <limits>
#include <random>

namespace fw {

double Abs(double x) { return std::fabs(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Pow(double x, double y) { return std::pow(x, y); }
double Log(double x) { return std::log(x); }
double Exp(double x) { return std::exp(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double ASin(double x) { return std::asin(x); }
double ACos(double x) { return std::acos(x); }
double ATan(double x) { return std::atan(x); }
double Round(double x) { return std::round(x); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }

int Sign(double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

double Max(double a, double b) { return a > b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }

std::int32_t ToInt32(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (x <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

namespace {
std::mt19937_64& Generator() {
  static std::mt19937_64 generator(5489u);
  return generator;
}
RndSource scriptedSource = nullptr;
}  // namespace

double Rnd() {
  if (scriptedSource) return scriptedSource();
  // The top 53 bits as a fraction: every value is exact and 1 is out of reach.
  return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void SeedRnd(std::uint64_t seed) { Generator().seed(seed); }

void SetRndSource(RndSource source) { scriptedSource = source; }

}  // namespace fw
