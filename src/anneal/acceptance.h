// The Metropolis test for a candidate that does not lower the cost. It is
// evaluated in the x87 80-bit extended format, so that the exponential of a
// very negative quotient stays above zero far longer than a double would: a
// draw of w = 0 then still accepts the move.
#ifndef FLOORPLAN_ANNEAL_ACCEPTANCE_H_
#define FLOORPLAN_ANNEAL_ACCEPTANCE_H_

#include <cstdint>

#include "model/area.h"

// True when w < exp((currentCost - cost) / T), with the difference, the
// quotient, the exponential and the comparison in extended precision. A
// quotient that is not a number or is infinite (T = 0) rejects; a finite
// quotient whose exponential overflows (only a negative T gives one) accepts.
bool AcceptsUphill(Area currentCost, Area cost, double T, double w);

#endif  // FLOORPLAN_ANNEAL_ACCEPTANCE_H_
