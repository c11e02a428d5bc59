#include "anneal/acceptance.h"

#include <cmath>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the acceptance test needs the x87 80-bit long double");

bool AcceptsUphill(Area currentCost, Area cost, double T, double w) {
  if (T == 0) return false;  // the quotient would be NaN or infinite
  // Both costs are non-negative, so the difference cannot overflow. One that
  // fits in 64 bits converts exactly to the 64-bit mantissa, and quickly.
  Area difference = currentCost - cost;
  long double numerator =
      difference >= INT64_MIN
          ? static_cast<long double>(static_cast<int64_t>(difference))
          : static_cast<long double>(difference);
  long double quotient = numerator / static_cast<long double>(T);
  if (!std::isfinite(quotient)) return false;
  // Most uphill moves of a cool run are far beyond reach: exp(-8) is below
  // 0.00034, so every draw from there up rejects without the exponential,
  // which took a twentieth of a run.
  if (quotient < -8 && w >= 0.00034) return false;
  long double threshold = std::exp(quotient);
  return static_cast<long double>(w) < threshold;
}
