#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The platform's mathematics, its one double-to-int32 conversion and its random numbers.
namespace fw {

// Inline: the formula engine calls these once per program item.
inline double Abs(double x) { return std::fabs(x); }
inline double Sqrt(double x) { return std::sqrt(x); }
inline double Pow(double x, double y) { return std::pow(x, y); }
inline double Log(double x) { return std::log(x); }
inline double Exp(double x) { return std::exp(x); }
inline double Sin(double x) { return std::sin(x); }
inline double Cos(double x) { return std::cos(x); }
inline double Tan(double x) { return std::tan(x); }
inline double ASin(double x) { return std::asin(x); }
inline double ACos(double x) { return std::acos(x); }
inline double ATan(double x) { return std::atan(x); }
inline double Round(double x) { return std::round(x); }  // halves away from zero
inline double Ceil(double x) { return std::ceil(x); }
inline double Floor(double x) { return std::floor(x); }

inline int Sign(double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;
}

inline double Max(double a, double b) { return a > b ? a : b; }
inline double Min(double a, double b) { return a < b ? a : b; }

// Truncates toward zero, saturates at the int32 limits, NaN gives 0.
inline std::int32_t ToInt32(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (x <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(x);
}

namespace detail {
// The generator's next draws, made a block at a time; while a scripted source
// is set, rndEnd lies at the block's start so that every draw takes the slow path.
extern const double* rndNext;
extern const double* rndEnd;
double NextRndSlowly();
}  // namespace detail

// Uniform in [0, 1). Inline, since every Monte-Carlo trial draws twice or more.
inline double Rnd() {
  if (detail::rndNext < detail::rndEnd) [[likely]] return *detail::rndNext++;
  return detail::NextRndSlowly();
}
void SeedRnd(std::uint64_t seed);

// Tests script the draws: while a source is set, Rnd returns its values; nullptr restores the generator.
using RndSource = double (*)();
void SetRndSource(RndSource source);

}  // namespace fw
