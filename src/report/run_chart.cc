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

constexpr const char* kCostColour = "#7b9cc4";
constexpr const char* kBestColour = "#c0392b";
constexpr const char* kTemperatureColour = "#e69b00";

double Value(Area area) { return static_cast<double>(area); }

// The costs' axis: every column's least and greatest cost, the best so far
// and the initial cost inside it.
Axis CostAxis(const RunChart& chart, double plotTop, double plotBottom) {
  Axis costs;
  costs.low = std::numeric_limits<double>::infinity();
  costs.high = -costs.low;
  for (const CurveColumn& column : chart.curve->columns()) {
    costs.low =
        std::min({costs.low, Value(column.minCost), Value(column.bestCost)});
    costs.high = std::max(costs.high, Value(column.maxCost));
  }
  if (chart.hasInitialCost) {
    costs.low = std::min(costs.low, Value(chart.initialCost));
    costs.high = std::max(costs.high, Value(chart.initialCost));
  }
  costs.logarithmic = costs.low > 0 && costs.high >= kLogCostSpan * costs.low;
  if (costs.logarithmic) {
    // A little room below the final cost, so that its curve and label do
    // not lie on the frame.
    costs.low /= 1.08;
    costs.high *= 1.02;
  } else if (costs.high <= costs.low) {
    costs.low -= 1;
    costs.high += 1;
  } else {
    double room = (costs.high - costs.low) * 0.04;
    costs.low -= room;
    costs.high += room / 2;
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

  double legendX = kPlotLeft;
  auto legend = [&](const char* colour, const std::string& text) {
    svg->Add("<line x1=\"" + Px(legendX) + "\" y1=\"" + Px(top + 30) +
             "\" x2=\"" + Px(legendX + 24) + "\" y2=\"" + Px(top + 30) +
             "\" stroke=\"" + colour + "\" stroke-width=\"3\"/>\n");
    svg->Text(legendX + 30, top + 34, "start", "small", text);
    legendX += 40 + 7 * static_cast<double>(text.size());
  };
  legend(kCostColour, "cost of each move");
  legend(kBestColour, "best so far");
  if (drawTemperature) {
    legend(kTemperatureColour, "temperature (right axis, log scale)");
  }

  svg->Add("<rect class=\"frame\" x=\"" + Px(kPlotLeft) + "\" y=\"" +
           Px(plotTop) + "\" width=\"" + Px(kPlotWidth) + "\" height=\"" +
           Px(kPlotHeight) + "\"/>\n");
  for (const Tick& tick : TicksOf(costs)) {
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

  // The moves of a column span a range of pixels; its least and greatest
  // cost are drawn as one vertical stroke at the middle of that range.
  std::string spread;
  for (const CurveColumn& column : columns) {
    if (column.minCost == column.maxCost) continue;
    double x = moves((static_cast<double>(column.firstMove) +
                      static_cast<double>(column.lastMove)) /
                     2);
    spread += "M" + Px(x) + " " + Px(costs(Value(column.maxCost))) + "V" +
              Px(costs(Value(column.minCost)));
  }
  if (!spread.empty()) {
    svg->Add("<path d=\"" + spread + "\" stroke=\"" + kCostColour +
             "\" stroke-width=\"1\" fill=\"none\"/>\n");
  }
  std::string last;
  std::string best;
  if (chart.hasInitialCost) {
    std::string start =
        Px(moves(0)) + "," + Px(costs(Value(chart.initialCost))) + " ";
    last += start;
    best += start;
  }
  std::string temperature;
  for (const CurveColumn& column : columns) {
    std::string x = Px(moves(static_cast<double>(column.lastMove)));
    last += x + "," + Px(costs(Value(column.lastCost))) + " ";
    best += x + "," + Px(costs(Value(column.bestCost))) + " ";
    if (drawTemperature && std::isfinite(column.temperature)) {
      temperature += x + "," + Px(temperatures(column.temperature)) + " ";
    }
  }
  svg->Add("<polyline points=\"" + last + "\" stroke=\"" + kCostColour +
           "\" stroke-width=\"1\" fill=\"none\"/>\n");
  if (!temperature.empty()) {
    svg->Add("<polyline points=\"" + temperature + "\" stroke=\"" +
             kTemperatureColour + "\" stroke-width=\"1.5\" fill=\"none\"/>\n");
  }
  svg->Add("<polyline points=\"" + best + "\" stroke=\"" + kBestColour +
           "\" stroke-width=\"2\" fill=\"none\"/>\n");

  // The final best cost, written where its curve ends.
  Area finalBest = columns.back().bestCost;
  double bestY = costs(Value(finalBest));
  svg->Add("<circle cx=\"" + Px(plotRight) + "\" cy=\"" + Px(bestY) +
           "\" r=\"3.5\" fill=\"" + kBestColour + "\"/>\n");
  double labelY = bestY - 8 < plotTop + 12 ? bestY + 16 : bestY - 8;
  svg->Text(plotRight - 6, labelY, "end", "callout",
            "final best " + GroupedDigits(AreaText(finalBest)));
  return plotBottom + 44 - top;
}
