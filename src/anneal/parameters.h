// The settings of one annealing run, their defaults, their conversion from
// the command line's texts, and the rules the annealer refuses them by.
#ifndef FLOORPLAN_ANNEAL_PARAMETERS_H_
#define FLOORPLAN_ANNEAL_PARAMETERS_H_

#include <cstdint>
#include <string>
#include <vector>

struct AnnealingParameters {
  double lambda = 0.85;  // cooling factor, 0 < lambda < 1
  double T0 = 0;         // initial temperature
  double Tf = 10.0;      // final temperature
  // Relative weights of the move kinds M1, M2 and M3.
  uint32_t probM1 = 1;
  uint32_t probM2 = 1;
  uint32_t probM3 = 1;
};

// The default initial temperature 2^(N+6), or the largest finite double where
// that power overflows (from 1018 modules on), so that the default still runs.
double DefaultInitialTemperature(uint32_t modules);

// A temperature ends once it has made more than this many uphill moves, or
// more than twice this many moves: N^2 below 15 modules, 2N from there on.
inline uint32_t MovesLimit(uint32_t modules) {
  return modules < 15 ? modules * modules : 2 * modules;
}

// The defaults for a Floorplan of `modules` modules.
AnnealingParameters DefaultParameters(uint32_t modules);

// Replaces the first `count` parameters, in the order lambda, T0, Tf, M1, M2,
// M3 (count at most 6), by the conversions of `texts`: decimal numbers for
// the first three, leading integers held in 32 bits for the weights.
// Nothing is validated here.
void ApplyArguments(const char* const* texts, int count,
                    AnnealingParameters* parameters);

// The messages of the annealer's refusal, in order, closing message included;
// empty when it accepts `parameters` (and a Floorplan, `haveFloorplan`).
std::vector<std::string> ParameterRefusals(
    const AnnealingParameters& parameters, bool haveFloorplan);

#endif  // FLOORPLAN_ANNEAL_PARAMETERS_H_
