#include "anneal/parameters.h"

#include <cfloat>
#include <cmath>

#include "io/number_text.h"
#include "random/random.h"

double DefaultInitialTemperature(uint32_t modules) {
  double T0 = std::pow(2.0, static_cast<double>(modules) + 6.0);
  return std::isfinite(T0) ? T0 : DBL_MAX;
}

AnnealingParameters DefaultParameters(uint32_t modules) {
  AnnealingParameters parameters;
  parameters.T0 = DefaultInitialTemperature(modules);
  return parameters;
}

void ApplyArguments(const char* const* texts, int count,
                    AnnealingParameters* parameters) {
  double* decimals[3] = {&parameters->lambda, &parameters->T0, &parameters->Tf};
  uint32_t* weights[3] = {&parameters->probM1, &parameters->probM2,
                          &parameters->probM3};
  for (int i = 0; i < count && i < 6; ++i) {
    if (i < 3) {
      *decimals[i] = ParseDecimal(texts[i]);
    } else {
      *weights[i - 3] = ParseLeadingInteger(texts[i]);
    }
  }
}

std::vector<std::string> ParameterRefusals(const AnnealingParameters& p,
                                           bool haveFloorplan) {
  std::vector<std::string> messages;
  if (!haveFloorplan) {
    messages.push_back(
        "SimulatedAnnealing: Parameter 1 (Floorplan * E0) is NULL\n");
  }
  if (!(p.lambda > 0 && p.lambda < 1)) {
    messages.push_back(
        "SimulatedAnnealing: Parameter 2 (double lambda) is not "
        "0<lambda<1\n");
  }
  // An infinite or NaN temperature never falls below Tf.
  if (!std::isfinite(p.T0)) {
    messages.push_back(
        "SimulatedAnnealing: Parameter 3 (double T0) is not finite\n");
  }
  // The move kind is drawn from 1 to the sum, which must fit in 32 bits; a
  // draw reaches at most 32768, so a kind whose weights start beyond that is
  // never drawn.
  uint64_t sum = uint64_t{p.probM1} + p.probM2 + p.probM3;
  if (sum == 0 || sum > UINT32_MAX) {
    messages.push_back(
        "SimulatedAnnealing: Parameters 5-7 (probM1+probM2+probM3) are not "
        "0<sum<2^32\n");
  } else {
    uint64_t largest = LargestInRange(1, static_cast<uint32_t>(sum));
    bool m2Unreachable = p.probM2 > 0 && p.probM1 >= largest;
    bool m3Unreachable =
        p.probM3 > 0 && uint64_t{p.probM1} + p.probM2 >= largest;
    if (m2Unreachable || m3Unreachable) {
      messages.push_back(
          "SimulatedAnnealing: Parameters 5-7 (probM1,probM2,probM3) give a "
          "move kind that is never drawn\n");
    }
  }
  if (!messages.empty()) {
    messages.push_back(
        "SimulatedAnnealing: Exited under abnormal conditions\n");
  }
  return messages;
}
