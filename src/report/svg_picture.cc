#include "report/svg_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double kPageWidth = 1000;
constexpr double kMargin = 20;
constexpr double kFloorplanTop = 70;
constexpr double kFloorplanMaxWidth = kPageWidth - 2 * kMargin;
constexpr double kFloorplanMaxHeight = 600;
constexpr double kPlotLeft = 96;
constexpr double kPlotWidth = static_cast<double>(kCurveColumns);
constexpr double kPlotHeight = 260;

constexpr const char* kCostColour = "#7b9cc4";
constexpr const char* kBestColour = "#c0392b";
constexpr const char* kTemperatureColour = "#e69b00";

// Plot coordinates: a tenth of a pixel is finer than any screen shows.
std::string Px(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// Floorplan coordinates, where a label's centre may fall on a half unit.
std::string Units(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// Whole numbers in full with their thousands grouped (costs run to many
// digits), others in four significant digits.
std::string TickText(double value, double step) {
  if (std::fabs(value) < step * 1e-9) value = 0;
  char text[48];
  if (step >= 1 && std::fabs(value) < 1e15) {
    snprintf(text, sizeof text, "%.0f", std::fabs(value));
    std::string digits = text;
    std::string grouped;
    for (size_t k = 0; k < digits.size(); ++k) {
      if (k > 0 && (digits.size() - k) % 3 == 0) grouped += ',';
      grouped += digits[k];
    }
    return (value < 0 ? "-" : "") + grouped;
  }
  snprintf(text, sizeof text, "%.4g", value);
  return text;
}

// A distinct, light fill per identifier: hues a golden angle apart.
std::string FillColour(int32_t identifier) {
  double hue = std::fmod(static_cast<double>(identifier) * 137.508, 360.0);
  if (hue < 0) hue += 360.0;
  double saturation = 0.55;
  double lightness = 0.78;
  double chroma = (1 - std::fabs(2 * lightness - 1)) * saturation;
  double sector = hue / 60.0;
  double second = chroma * (1 - std::fabs(std::fmod(sector, 2.0) - 1));
  double rgb[3] = {0, 0, 0};
  int part = static_cast<int>(sector) % 6;
  static const int kOrder[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1},
                                   {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
  // kOrder[part] tells which of chroma, second and zero each channel takes.
  double levels[3] = {chroma, second, 0};
  for (int channel = 0; channel < 3; ++channel) {
    rgb[channel] = levels[kOrder[part][channel]];
  }
  double base = lightness - chroma / 2;
  char text[8];
  snprintf(text, sizeof text, "#%02x%02x%02x",
           static_cast<int>(std::lround((rgb[0] + base) * 255)),
           static_cast<int>(std::lround((rgb[1] + base) * 255)),
           static_cast<int>(std::lround((rgb[2] + base) * 255)));
  return text;
}

// A round step (1, 2 or 5 times a power of ten) giving about `count` ticks.
double NiceStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  double raw = span / count;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  double fraction = raw / power;
  double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
  return nice * power;
}

// A linear or logarithmic map from values to a pixel range.
struct Axis {
  double low = 0;
  double high = 1;
  bool logarithmic = false;
  double from = 0;  // pixel of `low`
  double to = 1;    // pixel of `high`

  double operator()(double value) const {
    double a = logarithmic ? std::log10(low) : low;
    double b = logarithmic ? std::log10(high) : high;
    double v = logarithmic ? std::log10(value) : value;
    double t = b > a ? (v - a) / (b - a) : 0.5;
    return from + t * (to - from);
  }
};

struct Tick {
  double value;
  std::string text;
};

std::vector<Tick> LinearTicks(const Axis& axis) {
  std::vector<Tick> ticks;
  double step = NiceStep(axis.high - axis.low, 5);
  for (double value = std::ceil(axis.low / step) * step;
       value <= axis.high + step * 1e-9 && ticks.size() < 20; value += step) {
    ticks.push_back({value, TickText(value, step)});
  }
  return ticks;
}

std::vector<Tick> DecadeTicks(const Axis& axis) {
  std::vector<Tick> ticks;
  int first = static_cast<int>(std::ceil(std::log10(axis.low) - 1e-9));
  int last = static_cast<int>(std::floor(std::log10(axis.high) + 1e-9));
  int stride = std::max(1, (last - first) / 6 + 1);
  for (int power = first; power <= last; power += stride) {
    char text[16];
    if (power >= -3 && power <= 6) {
      snprintf(text, sizeof text, "%g", std::pow(10.0, power));
    } else {
      snprintf(text, sizeof text, "1e%d", power);
    }
    ticks.push_back({std::pow(10.0, power), text});
  }
  return ticks;
}

class Document {
 public:
  void Add(const std::string& text) { text_ += text; }
  std::string& text() { return text_; }

  void Text(double x, double y, const std::string& anchor,
            const std::string& cssClass, const std::string& content,
            const std::string& extra = "") {
    text_ += "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"" +
             anchor + "\" class=\"" + cssClass + "\"" + extra + ">" +
             XmlText(content) + "</text>\n";
  }

  void Line(double x1, double y1, double x2, double y2,
            const std::string& cssClass) {
    text_ += "<line x1=\"" + Px(x1) + "\" y1=\"" + Px(y1) + "\" x2=\"" +
             Px(x2) + "\" y2=\"" + Px(y2) + "\" class=\"" + cssClass + "\"/>\n";
  }

 private:
  std::string text_;
};

std::string ModuleTooltip(const PictureInput& input, size_t index) {
  return index < input.notes.size() ? input.notes[index] : std::string();
}

// Returns the height the drawing takes.
double DrawFloorplan(const PictureInput& input, Document* svg) {
  const Placement& placement = *input.placement;
  if (placement.width <= 0 || placement.height <= 0) {
    svg->Text(kMargin, kFloorplanTop + 16, "start", "note",
              "The floorplan has no area to draw.");
    return 24;
  }
  double width = static_cast<double>(placement.width);
  double height = static_cast<double>(placement.height);
  double scale =
      std::min(kFloorplanMaxWidth / width, kFloorplanMaxHeight / height);
  double drawnWidth = width * scale;
  double drawnHeight = height * scale;
  double left = kMargin + (kFloorplanMaxWidth - drawnWidth) / 2;
  svg->Add("<svg x=\"" + Px(left) + "\" y=\"" + Px(kFloorplanTop) +
           "\" width=\"" + Px(drawnWidth) + "\" height=\"" + Px(drawnHeight) +
           "\" viewBox=\"0 0 " + std::to_string(placement.width) + " " +
           std::to_string(placement.height) +
           "\" preserveAspectRatio=\"none\" overflow=\"visible\">\n");
  svg->Add("<rect class=\"box\" x=\"0\" y=\"0\" width=\"" +
           std::to_string(placement.width) + "\" height=\"" +
           std::to_string(placement.height) + "\"/>\n");
  for (size_t index = 0; index < placement.modules.size(); ++index) {
    const PlacedModule& module = placement.modules[index];
    // SVG's y axis points down; the floorplan's points up.
    int64_t top = placement.height - module.y - module.height;
    svg->Add("<rect class=\"module" +
             std::string(module.rotated ? " rotated" : "") + "\" x=\"" +
             std::to_string(module.x) + "\" y=\"" + std::to_string(top) +
             "\" width=\"" + std::to_string(module.width) + "\" height=\"" +
             std::to_string(module.height) + "\" fill=\"" +
             FillColour(module.identifier) + "\"><title>" +
             XmlText(ModuleTooltip(input, index)) + "</title></rect>\n");
  }
  // Labels after every rectangle, so that no module covers another's label;
  // none taller than a thirtieth of the drawing, so that big modules do not
  // shout.
  double largestLabel = std::max(width, height) / 30;
  for (size_t index = 0; index < placement.modules.size(); ++index) {
    const PlacedModule& module = placement.modules[index];
    std::string label = index < input.labels.size()
                            ? input.labels[index]
                            : std::to_string(module.identifier);
    double w = static_cast<double>(module.width);
    double h = static_cast<double>(module.height);
    double characters = std::max<double>(1, static_cast<double>(label.size()));
    double size =
        std::min({h * 0.5, w * 0.9 / (0.6 * characters), largestLabel});
    if (!(size > 0)) continue;  // nothing to write in
    double centreX = static_cast<double>(module.x) + w / 2;
    double centreY = static_cast<double>(placement.height - module.y) - h / 2;
    svg->Add("<text class=\"label\" x=\"" + Units(centreX) + "\" y=\"" +
             Units(centreY) + "\" font-size=\"" + Units(size) + "\">" +
             XmlText(label) + "</text>\n");
  }
  svg->Add("</svg>\n");
  return drawnHeight;
}

// Returns the height the chart takes.
double DrawRun(const PictureInput& input, double top, Document* svg) {
  const CostCurve& curve = *input.curve;
  const std::vector<CurveColumn>& columns = curve.columns();
  double plotTop = top + 44;
  double plotBottom = plotTop + kPlotHeight;
  double plotRight = kPlotLeft + kPlotWidth;
  svg->Text(kMargin, top + 14, "start", "heading", "The run");
  if (columns.empty()) {
    svg->Text(kMargin, top + 36, "start", "note", "The log has no moves.");
    return 50;
  }

  Axis moves;
  moves.low = 0;
  moves.high = static_cast<double>(curve.moves());
  moves.from = kPlotLeft;
  moves.to = plotRight;

  Axis costs;
  costs.low = std::numeric_limits<double>::infinity();
  costs.high = -costs.low;
  for (const CurveColumn& column : columns) {
    costs.low = std::min(costs.low, static_cast<double>(column.minCost));
    costs.high = std::max(costs.high, static_cast<double>(column.maxCost));
    costs.low = std::min(costs.low, static_cast<double>(column.bestCost));
  }
  if (input.hasInitialCost) {
    costs.low = std::min(costs.low, static_cast<double>(input.initialCost));
    costs.high = std::max(costs.high, static_cast<double>(input.initialCost));
  }
  if (costs.high <= costs.low) {
    costs.low -= 1;
    costs.high += 1;
  }
  costs.from = plotBottom;
  costs.to = plotTop;

  // The temperature is drawn on a log scale, as it falls geometrically,
  // unless the log holds one that a log scale cannot show.
  Axis temperatures;
  bool drawTemperature = input.hasTemperature;
  if (drawTemperature) {
    temperatures.low = std::numeric_limits<double>::infinity();
    temperatures.high = -temperatures.low;
    temperatures.logarithmic = true;
    for (const CurveColumn& column : columns) {
      if (!std::isfinite(column.temperature)) continue;
      temperatures.low = std::min(temperatures.low, column.temperature);
      temperatures.high = std::max(temperatures.high, column.temperature);
      if (column.temperature <= 0) temperatures.logarithmic = false;
    }
    if (!(temperatures.low <= temperatures.high)) {
      drawTemperature = false;
    } else if (temperatures.logarithmic) {
      temperatures.low =
          std::pow(10.0, std::floor(std::log10(temperatures.low)));
      temperatures.high =
          std::pow(10.0, std::ceil(std::log10(temperatures.high)));
      if (!(temperatures.high > temperatures.low) ||
          !std::isfinite(temperatures.high) || !(temperatures.low > 0)) {
        temperatures.logarithmic = false;
      }
    }
    if (drawTemperature && !temperatures.logarithmic &&
        temperatures.high <= temperatures.low) {
      temperatures.low -= 1;
      temperatures.high += 1;
    }
    temperatures.from = plotBottom;
    temperatures.to = plotTop;
  }

  // Legend.
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
  if (drawTemperature) legend(kTemperatureColour, "temperature (right axis)");

  svg->Add("<rect class=\"frame\" x=\"" + Px(kPlotLeft) + "\" y=\"" +
           Px(plotTop) + "\" width=\"" + Px(kPlotWidth) + "\" height=\"" +
           Px(kPlotHeight) + "\"/>\n");

  // Axes: ticks, grid lines and their numbers.
  for (const Tick& tick : LinearTicks(costs)) {
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
    std::vector<Tick> ticks = temperatures.logarithmic
                                  ? DecadeTicks(temperatures)
                                  : LinearTicks(temperatures);
    for (const Tick& tick : ticks) {
      double y = temperatures(tick.value);
      svg->Line(plotRight, y, plotRight + 4, y, "axis");
      svg->Text(plotRight + 6, y + 4, "start", "small", tick.text);
    }
  }
  svg->Text((kPlotLeft + plotRight) / 2, plotBottom + 34, "middle", "small",
            "move");
  double middle = (plotTop + plotBottom) / 2;
  double titleX = 14;
  svg->Text(titleX, middle, "middle", "small", "cost (area)",
            " transform=\"rotate(-90 " + Px(titleX) + " " + Px(middle) + ")\"");
  if (drawTemperature) {
    double x = kPageWidth - 10;
    svg->Text(x, middle, "middle", "small", "temperature",
              " transform=\"rotate(90 " + Px(x) + " " + Px(middle) + ")\"");
  }

  // The moves of a column span a range of pixels; its least and greatest
  // cost are drawn as one vertical stroke at the middle of that range.
  auto middleOf = [&](const CurveColumn& column) {
    return moves((static_cast<double>(column.firstMove) +
                  static_cast<double>(column.lastMove)) /
                 2);
  };
  std::string spread;
  for (const CurveColumn& column : columns) {
    if (column.minCost == column.maxCost) continue;
    spread += "M" + Px(middleOf(column)) + " " +
              Px(costs(static_cast<double>(column.maxCost))) + "V" +
              Px(costs(static_cast<double>(column.minCost)));
  }
  if (!spread.empty()) {
    svg->Add("<path d=\"" + spread + "\" stroke=\"" + kCostColour +
             "\" stroke-width=\"1\" fill=\"none\"/>\n");
  }
  std::string last;
  std::string best;
  if (input.hasInitialCost) {
    std::string start = Px(moves(0)) + "," +
                        Px(costs(static_cast<double>(input.initialCost))) + " ";
    last += start;
    best += start;
  }
  std::string temperature;
  for (const CurveColumn& column : columns) {
    std::string x = Px(moves(static_cast<double>(column.lastMove)));
    last += x + "," + Px(costs(static_cast<double>(column.lastCost))) + " ";
    best += x + "," + Px(costs(static_cast<double>(column.bestCost))) + " ";
    if (drawTemperature && std::isfinite(column.temperature)) {
      temperature += x + "," + Px(temperatures(column.temperature)) + " ";
    }
  }
  svg->Add("<polyline points=\"" + last + "\" stroke=\"" + kCostColour +
           "\" stroke-width=\"1\" fill=\"none\"/>\n");
  svg->Add("<polyline points=\"" + best + "\" stroke=\"" + kBestColour +
           "\" stroke-width=\"2\" fill=\"none\"/>\n");
  if (drawTemperature && !temperature.empty()) {
    svg->Add("<polyline points=\"" + temperature + "\" stroke=\"" +
             kTemperatureColour + "\" stroke-width=\"1.5\" fill=\"none\"/>\n");
  }
  return plotBottom + 44 - top;
}

// The length of the UTF-8 sequence that starts `text`, or 0 when none does.
size_t Utf8Length(const std::string& text, size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                  : lead >= 0xE0                 ? 3
                  : lead >= 0xC2 && lead <= 0xDF ? 2
                                                 : 0;
  if (lead >= 0xF5) length = 0;
  if (length == 0 || at + length > text.size()) return 0;
  uint32_t point = lead & (0x7Fu >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    point = (point << 6) | (next & 0x3Fu);
  }
  // Overlong forms, surrogates, values past U+10FFFF and the two
  // non-characters XML forbids.
  static const uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kLeast[length] || (point >= 0xD800 && point <= 0xDFFF) ||
      point > 0x10FFFF || point == 0xFFFE || point == 0xFFFF) {
    return 0;
  }
  return length;
}

}  // namespace

std::string XmlText(const std::string& text) {
  std::string safe;
  safe.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    char c = text[at];
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      size_t length = Utf8Length(text, at);
      if (length == 0) {
        safe += '?';
        ++at;
      } else {
        safe.append(text, at, length);
        at += length;
      }
      continue;
    }
    ++at;
    switch (c) {
      case '&':
        safe += "&amp;";
        break;
      case '<':
        safe += "&lt;";
        break;
      case '>':
        safe += "&gt;";
        break;
      case '"':
        safe += "&quot;";
        break;
      case '\'':
        safe += "&apos;";
        break;
      default:
        safe += (byte < 0x20 || byte == 0x7F) ? '?' : c;
    }
  }
  return safe;
}

std::string RenderSvg(const PictureInput& input) {
  Document body;
  const Placement& placement = *input.placement;
  Area moduleArea = 0;
  for (const PlacedModule& module : placement.modules) {
    moduleArea += BoxArea(module.width, module.height);
  }
  char summary[256];
  snprintf(summary, sizeof summary,
           "%zu modules, bounding box %lld x %lld, area %s, dead space "
           "%.2f%%, %llu moves",
           placement.modules.size(), static_cast<long long>(placement.width),
           static_cast<long long>(placement.height),
           AreaText(placement.area).c_str(),
           DeadSpacePercent(placement.area, moduleArea),
           static_cast<unsigned long long>(input.curve->moves()));
  body.Text(kMargin, 30, "start", "title", "Floorplan of " + input.title);
  body.Text(kMargin, 50, "start", "small", summary);
  bool anyRotated = false;
  for (const PlacedModule& module : placement.modules) {
    anyRotated = anyRotated || module.rotated;
  }
  if (anyRotated) {
    body.Text(kPageWidth - kMargin, 50, "end", "small",
              "dashed outline: module turned by 90 degrees");
  }
  double floorplanHeight = DrawFloorplan(input, &body);
  double runTop = kFloorplanTop + floorplanHeight + 30;
  double runHeight = DrawRun(input, runTop, &body);
  double pageHeight = runTop + runHeight + kMargin;

  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      Px(kPageWidth) + "\" height=\"" + Px(pageHeight) + "\" viewBox=\"0 0 " +
      Px(kPageWidth) + " " + Px(pageHeight) +
      "\" font-family=\"sans-serif\">\n"
      "<style>\n"
      ".title{font-size:18px;font-weight:bold}\n"
      ".heading{font-size:15px;font-weight:bold}\n"
      ".small{font-size:12px}\n"
      ".note{font-size:13px;font-style:italic}\n"
      ".box{fill:#eeeeee;stroke:#222222;stroke-width:1.5px;"
      "vector-effect:non-scaling-stroke}\n"
      ".module{stroke:#333333;stroke-width:1px;"
      "vector-effect:non-scaling-stroke}\n"
      ".rotated{stroke-dasharray:4 2}\n"
      ".label{text-anchor:middle;dominant-baseline:central;fill:#111111}\n"
      ".frame{fill:none;stroke:#444444}\n"
      ".grid{stroke:#dddddd}\n"
      ".axis{stroke:#444444}\n"
      "</style>\n"
      "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += body.text();
  svg += "</svg>\n";
  return svg;
}
