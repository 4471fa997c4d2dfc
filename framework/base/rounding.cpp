#include "framework/rounding.h"

#include <cmath>

#include "framework/exceptions.h"

namespace {

// Beyond 2^63 no double converts to a 64-bit integer.
void CheckRange(double value) {
  if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0))
    throw EInvalidOp("Invalid floating point operation");
}

}  // namespace

std::int64_t Round(double value) {
  CheckRange(value);
  double floor = std::floor(value);
  double diff = value - floor;  // exact for every double
  std::int64_t result = static_cast<std::int64_t>(floor);
  if (diff > 0.5 || (diff == 0.5 && result % 2 != 0)) ++result;
  return result;
}

std::int64_t Trunc(double value) {
  CheckRange(value);
  return static_cast<std::int64_t>(value);
}

double Frac(double value) { return value - std::trunc(value); }
