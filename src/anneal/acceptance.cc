#include "anneal/acceptance.h"

#include <cmath>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the acceptance test needs the x87 80-bit long double");

bool AcceptsUphill(int64_t currentCost, int64_t cost, double T, double w) {
  if (T == 0) return false;  // the quotient would be NaN or infinite
  // Both costs are non-negative, so the difference cannot overflow; an
  // int64_t converts exactly to a 64-bit mantissa.
  long double quotient = static_cast<long double>(currentCost - cost) /
                         static_cast<long double>(T);
  if (!std::isfinite(quotient)) return false;
  long double threshold = std::exp(quotient);
  return static_cast<long double>(w) < threshold;
}
