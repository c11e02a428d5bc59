// The axes of the run chart: a map from values to pixels, linear or
// logarithmic, and the ticks to mark on it. Costs span from the final area
// up to the first random floorplans, often tens of times more, so a cost
// axis may be logarithmic; the temperature falls geometrically and is always
// drawn on a logarithmic axis where it is positive.
#ifndef FLOORPLAN_REPORT_CHART_AXIS_H_
#define FLOORPLAN_REPORT_CHART_AXIS_H_

#include <string>
#include <vector>

// Maps [low, high] onto the pixels [from, to] (which may run downwards).
// Invariant, kept by the caller: low < high, and low > 0 when logarithmic.
struct Axis {
  double low = 0;
  double high = 1;
  bool logarithmic = false;
  double from = 0;  // pixel of `low`
  double to = 1;    // pixel of `high`

  double operator()(double value) const;
};

struct Tick {
  double value;
  std::string text;
};

// A round step (1, 2 or 5 times a power of ten) giving about `count` ticks
// over `span`.
double NiceStep(double span, int count);

// A decimal integer ("-1234567") with its thousands grouped ("-1,234,567").
std::string GroupedDigits(const std::string& number);

// Whole numbers in full with their thousands grouped ("1,353,429"), for
// costs of many digits; others in four significant digits.
std::string TickText(double value, double step);

// Ticks at multiples of a round step, at most 20.
std::vector<Tick> LinearTicks(const Axis& axis);

// Ticks of a logarithmic axis: the powers of ten within it; over less than
// two and a half decades 2 and 5 times them too, within one decade 3 and 7
// times them as well; linear ticks where those leave fewer than two. Labels as
// TickText gives them, or "2e-7" far from 1.
std::vector<Tick> LogTicks(const Axis& axis);

// Makes sure a tick lies within `near` pixels of `value`, where a reader
// looks closest (the final cost): when none of `ticks` does, adds the
// closest round value there (one, two or three significant digits) that
// lies on the axis at least `apart` pixels from every other tick, if any.
void AddTickNear(const Axis& axis, double value, double near, double apart,
                 std::vector<Tick>* ticks);

#endif  // FLOORPLAN_REPORT_CHART_AXIS_H_
