#pragma once

#include <cstdint>

// The platform's mathematics, its one double-to-int32 conversion and its random numbers.
namespace fw {

double Abs(double x);
double Sqrt(double x);
double Pow(double x, double y);
double Log(double x);
double Exp(double x);
double Sin(double x);
double Cos(double x);
double Tan(double x);
double ASin(double x);
double ACos(double x);
double ATan(double x);
double Round(double x);  // halves away from zero
double Ceil(double x);
double Floor(double x);
int Sign(double x);
double Max(double a, double b);
double Min(double a, double b);

// Truncates toward zero, saturates at the int32 limits, NaN gives 0.
std::int32_t ToInt32(double x);

double Rnd();  // uniform in [0, 1)
void SeedRnd(std::uint64_t seed);

// Tests script the draws: while a source is set, Rnd returns its values; nullptr restores the generator.
using RndSource = double (*)();
void SetRndSource(RndSource source);

}  // namespace fw
