#include "report/run_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "report/chart_axis.h"

namespace {

constexpr double kMargin = 20;
constexpr double kPlotLeft = 96;
constexpr double kPlotWidth = static_cast<double>(kCurveColumns);
constexpr double kPlotHeight = 260;
constexpr double kBucketPixels = 4;

constexpr const char* kBandColour = "#9fbde0";
constexpr const char* kBestColour = "#c0392b";
constexpr const char* kTemperatureColour = "#e69b00";
constexpr const char* kOutlineColour = "#2e7d32";

// How far below the final cost the axis reaches, as a share of its span
// (of its logarithms on a log scale): the best so far runs along the bottom
// of the band, and would otherwise lie on the frame.
constexpr double kRoomBelow = 0.1;

double Value(Area area) { return static_cast<double>(area); }

// The costs' axis: every column's least and greatest cost, the best so far,
// the initial cost and the outline's area inside it.
Axis CostAxis(const RunChart& chart, double plotTop, double plotBottom) {
  Axis costs;
  costs.low = std::numeric_limits<double>::infinity();
  costs.high = -costs.low;
  auto take = [&costs](double value) {
    costs.low = std::min(costs.low, value);
    costs.high = std::max(costs.high, value);
  };
  for (const CurveColumn& column : chart.curve->columns()) {
    take(Value(column.minCost));
    take(Value(column.maxCost));
    take(Value(column.bestCost));
  }
  if (chart.hasInitialCost) take(Value(chart.initialCost));
  if (chart.hasOutline) {
    take(Value(BoxArea(chart.outline.width, chart.outline.height)));
  }
  costs.logarithmic = costs.low > 0 && costs.high >= kLogCostSpan * costs.low;
  if (costs.logarithmic) {
    double span = std::log10(costs.high / costs.low);
    costs.low /= std::pow(10.0, span * kRoomBelow);
    costs.high *= std::pow(10.0, span * 0.03);
  } else if (costs.high <= costs.low) {
    costs.low -= 1;
    costs.high += 1;
  } else {
    double span = costs.high - costs.low;
    // Costs are areas: the axis need not reach below 0.
    costs.low = std::max(costs.low - span * kRoomBelow,
                         costs.low >= 0 ? 0.0 : -costs.high);
    costs.high += span * 0.03;
  }
  costs.from = plotBottom;
  costs.to = plotTop;
  return costs;
}

// False when the log gives no temperature the chart can show.
bool TemperatureAxis(const RunChart& chart, double plotTop, double plotBottom,
                     Axis* temperatures) {
  if (!chart.hasTemperature) return false;
  temperatures->low = std::numeric_limits<double>::infinity();
  temperatures->high = -temperatures->low;
  temperatures->logarithmic = true;
  for (const CurveColumn& column : chart.curve->columns()) {
    if (!std::isfinite(column.temperature)) continue;
    temperatures->low = std::min(temperatures->low, column.temperature);
    temperatures->high = std::max(temperatures->high, column.temperature);
    if (column.temperature <= 0) temperatures->logarithmic = false;
  }
  if (!(temperatures->low <= temperatures->high)) return false;
  if (temperatures->logarithmic) {
    temperatures->low /= 1.5;
    temperatures->high *= 1.5;
    temperatures->logarithmic = std::isfinite(temperatures->high) &&
                                temperatures->low > 0 &&
                                temperatures->high > temperatures->low;
  }
  if (!temperatures->logarithmic) {
    // Zero or negative temperatures, which no run of floorplan writes.
    temperatures->low = std::max(temperatures->low, -1e300);
    temperatures->high = std::min(temperatures->high, 1e300);
    if (temperatures->high <= temperatures->low) {
      temperatures->low -= 1;
      temperatures->high += 1;
    }
  }
  temperatures->from = plotBottom;
  temperatures->to = plotTop;
  return true;
}

std::vector<Tick> TicksOf(const Axis& axis) {
  return axis.logarithmic ? LogTicks(axis) : LinearTicks(axis);
}

// The band of the moves' costs: along the greatest cost of each bucket from
// left to right, then back along the least, each bucket a step as wide as
// its moves. A bucket is as many columns as make kBucketPixels: columns a
// pixel wide would draw the noise of neighbouring columns as a barcode.
std::string Band(const std::vector<CurveColumn>& columns, const Axis& moves,
                 const Axis& costs) {
  size_t perBucket = std::max<size_t>(
      1, static_cast<size_t>(static_cast<double>(columns.size()) *
                             kBucketPixels / kPlotWidth));
  struct Bucket {
    double left, right;  // pixels
    Area least, greatest;
  };
  std::vector<Bucket> buckets;
  for (size_t k = 0; k < columns.size(); ++k) {
    const CurveColumn& column = columns[k];
    if (k % perBucket == 0) {
      buckets.push_back({moves(static_cast<double>(column.firstMove - 1)), 0,
                         column.minCost, column.maxCost});
    }
    Bucket& bucket = buckets.back();
    bucket.right = moves(static_cast<double>(column.lastMove));
    bucket.least = std::min(bucket.least, column.minCost);
    bucket.greatest = std::max(bucket.greatest, column.maxCost);
  }
  std::string band;
  for (const Bucket& bucket : buckets) {
    std::string top = Px(costs(Value(bucket.greatest)));
    band += band.empty() ? "M" + Px(bucket.left) + " " + top
                         : "V" + top + "H" + Px(bucket.left);
    band += "H" + Px(bucket.right);
  }
  for (size_t k = buckets.size(); k-- > 0;) {
    band +=
        "V" + Px(costs(Value(buckets[k].least))) + "H" + Px(buckets[k].left);
  }
  return band + "Z";
}

// The best so far as steps: level until the end of each column, where it
// takes the column's value.
std::string BestSteps(const RunChart& chart, const Axis& moves,
                      const Axis& costs) {
  const std::vector<CurveColumn>& columns = chart.curve->columns();
  Area start = chart.hasInitialCost ? chart.initialCost : columns[0].bestCost;
  std::string steps = "M" + Px(moves(0)) + " " + Px(costs(Value(start)));
  for (const CurveColumn& column : columns) {
    steps += "H" + Px(moves(static_cast<double>(column.lastMove))) + "V" +
             Px(costs(Value(column.bestCost)));
  }
  return steps;
}

}  // namespace

double DrawRunChart(const RunChart& chart, double pageWidth, double top,
                    SvgDocument* svg) {
  const std::vector<CurveColumn>& columns = chart.curve->columns();
  double plotTop = top + 44;
  double plotBottom = plotTop + kPlotHeight;
  double plotRight = kPlotLeft + kPlotWidth;
  svg->Text(kMargin, top + 14, "start", "heading", "The run");
  if (columns.empty()) {
    svg->Text(kMargin, top + 36, "start", "note", "The log has no moves.");
    return 50;
  }

  Axis moves;
  moves.high = static_cast<double>(chart.curve->moves());
  moves.from = kPlotLeft;
  moves.to = plotRight;
  Axis costs = CostAxis(chart, plotTop, plotBottom);
  Axis temperatures;
  bool drawTemperature =
      TemperatureAxis(chart, plotTop, plotBottom, &temperatures);
  Area finalBest = columns.back().bestCost;
  Area outlineArea =
      chart.hasOutline ? BoxArea(chart.outline.width, chart.outline.height) : 0;

  double legendX = kPlotLeft;
  auto legend = [&](const std::string& swatch, const std::string& text) {
    svg->Add(swatch);
    svg->Text(legendX + 30, top + 34, "start", "small", text);
    legendX += 40 + 7 * static_cast<double>(text.size());
  };
  auto line = [&](const char* colour, const char* extra) {
    return "<line x1=\"" + Px(legendX) + "\" y1=\"" + Px(top + 30) +
           "\" x2=\"" + Px(legendX + 24) + "\" y2=\"" + Px(top + 30) +
           "\" stroke=\"" + colour + "\" stroke-width=\"3\"" + extra + "/>\n";
  };
  legend("<rect x=\"" + Px(legendX) + "\" y=\"" + Px(top + 24) +
             "\" width=\"24\" height=\"12\" fill=\"" + kBandColour + "\"/>\n",
         "cost range of the moves");
  legend(line(kBestColour, ""), "best so far");
  if (chart.hasOutline) {
    legend(line(kOutlineColour, " stroke-dasharray=\"6 3\""),
           "outline area (" + GroupedDigits(AreaText(outlineArea)) + ")");
  }
  if (drawTemperature) {
    legend(line(kTemperatureColour, ""), "temperature (right axis, log scale)");
  }

  svg->Add("<rect class=\"frame\" x=\"" + Px(kPlotLeft) + "\" y=\"" +
           Px(plotTop) + "\" width=\"" + Px(kPlotWidth) + "\" height=\"" +
           Px(kPlotHeight) + "\"/>\n");
  std::vector<Tick> costTicks = TicksOf(costs);
  AddTickNear(costs, Value(finalBest), 20, 14, &costTicks);
  for (const Tick& tick : costTicks) {
    double y = costs(tick.value);
    svg->Line(kPlotLeft, y, plotRight, y, "grid");
    svg->Line(kPlotLeft - 4, y, kPlotLeft, y, "axis");
    svg->Text(kPlotLeft - 6, y + 4, "end", "small", tick.text);
  }
  for (const Tick& tick : LinearTicks(moves)) {
    double x = moves(tick.value);
    svg->Line(x, plotBottom, x, plotBottom + 4, "axis");
    svg->Text(x, plotBottom + 16, "middle", "small", tick.text);
  }
  if (drawTemperature) {
    for (const Tick& tick : TicksOf(temperatures)) {
      double y = temperatures(tick.value);
      svg->Line(plotRight, y, plotRight + 4, y, "axis");
      svg->Text(plotRight + 6, y + 4, "start", "small", tick.text);
    }
  }
  svg->Text((kPlotLeft + plotRight) / 2, plotBottom + 34, "middle", "small",
            "move");
  double middle = (plotTop + plotBottom) / 2;
  double titleX = 14;
  svg->Text(titleX, middle, "middle", "small",
            costs.logarithmic ? "cost (area, log scale)" : "cost (area)",
            " transform=\"rotate(-90 " + Px(titleX) + " " + Px(middle) + ")\"");
  if (drawTemperature) {
    double x = pageWidth - 10;
    svg->Text(x, middle, "middle", "small", "temperature",
              " transform=\"rotate(90 " + Px(x) + " " + Px(middle) + ")\"");
  }

  svg->Add("<path class=\"band\" d=\"" + Band(columns, moves, costs) +
           "\" fill=\"" + kBandColour + "\" stroke=\"" + kBandColour +
           "\" stroke-width=\"1\" stroke-linejoin=\"round\"/>\n");
  std::string temperature;
  for (const CurveColumn& column : columns) {
    if (drawTemperature && std::isfinite(column.temperature)) {
      temperature += Px(moves(static_cast<double>(column.lastMove))) + "," +
                     Px(temperatures(column.temperature)) + " ";
    }
  }
  if (!temperature.empty()) {
    svg->Add("<polyline points=\"" + temperature + "\" stroke=\"" +
             kTemperatureColour + "\" stroke-width=\"1.5\" fill=\"none\"/>\n");
  }
  if (chart.hasOutline) {
    double y = costs(Value(outlineArea));
    svg->Add("<line x1=\"" + Px(kPlotLeft) + "\" y1=\"" + Px(y) + "\" x2=\"" +
             Px(plotRight) + "\" y2=\"" + Px(y) + "\" stroke=\"" +
             kOutlineColour +
             "\" stroke-width=\"1.5\" stroke-dasharray=\"6 3\"/>\n");
  }
  // The best so far over the band, on a white edge that keeps it apart.
  std::string best = BestSteps(chart, moves, costs);
  svg->Add("<path d=\"" + best +
           "\" stroke=\"white\" stroke-width=\"4\" fill=\"none\"/>\n");
  svg->Add("<path d=\"" + best + "\" stroke=\"" + kBestColour +
           "\" stroke-width=\"2\" fill=\"none\"/>\n");

  // The final best cost, written where its curve ends.
  double bestY = costs(Value(finalBest));
  svg->Add("<circle cx=\"" + Px(plotRight) + "\" cy=\"" + Px(bestY) +
           "\" r=\"3.5\" fill=\"" + kBestColour + "\"/>\n");
  double labelY = bestY - 8 < plotTop + 12 ? bestY + 16 : bestY - 8;
  svg->Text(plotRight - 6, labelY, "end", "callout",
            "final best " + GroupedDigits(AreaText(finalBest)));
  return plotBottom + 44 - top;
}
