#include "report/chart_axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

double Axis::operator()(double value) const {
  double a = logarithmic ? std::log10(low) : low;
  double b = logarithmic ? std::log10(high) : high;
  double v = logarithmic ? std::log10(value) : value;
  double t = b > a ? (v - a) / (b - a) : 0.5;
  return from + t * (to - from);
}

double NiceStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  double raw = span / count;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  double fraction = raw / power;
  double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
  return nice * power;
}

std::string GroupedDigits(const std::string& number) {
  size_t first = number.empty() || number[0] != '-' ? 0 : 1;
  std::string grouped = number.substr(0, first);
  size_t digits = number.size() - first;
  for (size_t k = 0; k < digits; ++k) {
    if (k > 0 && (digits - k) % 3 == 0) grouped += ',';
    grouped += number[first + k];
  }
  return grouped;
}

std::string TickText(double value, double step) {
  if (std::fabs(value) < step * 1e-9) value = 0;
  char text[48];
  if (step >= 1 && std::fabs(value) < 1e15) {
    snprintf(text, sizeof text, "%.0f", value);
    return GroupedDigits(text);
  }
  snprintf(text, sizeof text, "%.4g", value);
  return text;
}

std::vector<Tick> LinearTicks(const Axis& axis) {
  std::vector<Tick> ticks;
  double step = NiceStep(axis.high - axis.low, 5);
  for (double value = std::ceil(axis.low / step) * step;
       value <= axis.high + step * 1e-9 && ticks.size() < 20; value += step) {
    ticks.push_back({value, TickText(value, step)});
  }
  return ticks;
}

std::vector<Tick> LogTicks(const Axis& axis) {
  std::vector<Tick> ticks;
  if (!(axis.low > 0) || !(axis.high > axis.low) || !std::isfinite(axis.high)) {
    return ticks;
  }
  double lowPower = std::log10(axis.low);
  double highPower = std::log10(axis.high);
  int first = static_cast<int>(std::floor(lowPower));
  int last = static_cast<int>(std::ceil(highPower));
  // The multiples of each decade to mark: more of them the fewer decades
  // the axis spans, so that it always has a few ticks.
  std::vector<double> multiples{1};
  if (highPower - lowPower < 1) {
    multiples = {1, 2, 3, 5, 7};
  } else if (highPower - lowPower < 2.5) {
    multiples = {1, 2, 5};
  }
  int stride = std::max(1, (last - first) / 8 + 1);
  for (int power = first; power <= last; power += stride) {
    for (double multiple : multiples) {
      double value = multiple * std::pow(10.0, power);
      if (value < axis.low * (1 - 1e-9) || value > axis.high * (1 + 1e-9)) {
        continue;
      }
      std::string text;
      if (power >= -3 && power <= 14) {
        text = TickText(value, power >= 0 ? 1 : value);
      } else {
        char exponent[32];
        snprintf(exponent, sizeof exponent, "%ge%d", multiple, power);
        text = exponent;
      }
      ticks.push_back({value, text});
    }
  }
  // An axis narrower than the step from one multiple to the next.
  if (ticks.size() < 2) return LinearTicks(axis);
  return ticks;
}

void AddTickNear(const Axis& axis, double value, double near, double apart,
                 std::vector<Tick>* ticks) {
  if (!(value > 0) || !std::isfinite(value)) return;
  double at = axis(value);
  auto closeTo = [&axis](double a, double pixel, double distance) {
    return std::fabs(axis(a) - pixel) < distance;
  };
  for (const Tick& tick : *ticks) {
    if (closeTo(tick.value, at, near)) return;
  }
  int power = static_cast<int>(std::floor(std::log10(value)));
  for (int digits = 1; digits <= 3; ++digits) {
    double step = std::pow(10.0, power - digits + 1);
    double below = std::floor(value / step) * step;
    double above = std::ceil(value / step) * step;
    if (closeTo(above, at, std::fabs(axis(below) - at))) {
      std::swap(below, above);  // the closer first
    }
    for (double candidate : {below, above}) {
      bool onAxis = candidate >= axis.low && candidate <= axis.high;
      if (!onAxis || !closeTo(candidate, at, near)) continue;
      bool clear =
          std::none_of(ticks->begin(), ticks->end(), [&](const Tick& tick) {
            return closeTo(tick.value, axis(candidate), apart);
          });
      if (clear) {
        ticks->push_back({candidate, TickText(candidate, std::min(step, 1.0))});
        return;
      }
    }
  }
}
