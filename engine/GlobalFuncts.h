#pragma once

#include <cstdint>
#include <string>

// The shared numeric helpers: random deviates, Student-t factors and the
// number texts of the table formats.
namespace GlobalFuncts {

// A standard normal deviate (polar method).
double RndDev();

// Two-sided 95 % Student-t factor for dof degrees of freedom; 0 for dof <= 0.
double StudentT(std::int32_t dof);

// x in table format code 0..12; "" for any other code.
std::string Reformat(double x, std::int32_t formatCode);

// The uncertainty to two significant digits and the value to the same decimal place.
void FormatValUnc(double value, double unc, std::string& valText, std::string& uncText);

}  // namespace GlobalFuncts
