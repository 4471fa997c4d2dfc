// Rounding of floating-point values as the framework does it.
#pragma once

#include <cstdint>

// To the nearest integer, a half going to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0, -1.5 -> -2).
std::int64_t Round(double value);
// Toward zero.
std::int64_t Trunc(double value);
// The fractional part, with the sign of the value.
double Frac(double value);
