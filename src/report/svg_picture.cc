#include "report/svg_picture.h"

#include <algorithm>
#include <cstdio>

#include "report/chart_axis.h"
#include "report/svg_document.h"
#include "report/wirelength.h"

namespace {

constexpr double kPageWidth = 1000;
constexpr double kMargin = 20;
constexpr double kFloorplanTop = 70;
constexpr double kFloorplanMaxHeight = 600;

constexpr const char* kStyle =
    "<style>\n"
    ".title{font-size:18px;font-weight:bold}\n"
    ".heading{font-size:15px;font-weight:bold}\n"
    ".small{font-size:12px}\n"
    ".note{font-size:13px;font-style:italic}\n"
    ".callout{font-size:13px;font-weight:bold;fill:#c0392b;"
    "paint-order:stroke;stroke:white;stroke-width:4px}\n"
    ".box{fill:#eeeeee;stroke:#222222;stroke-width:1.5px;"
    "vector-effect:non-scaling-stroke}\n"
    ".module{stroke:#333333;stroke-width:1px;"
    "vector-effect:non-scaling-stroke}\n"
    ".rotated{stroke-dasharray:4 2}\n"
    ".outline{fill:none;stroke:#c0392b;stroke-width:2.5px;"
    "stroke-dasharray:10 5;vector-effect:non-scaling-stroke}\n"
    ".label{text-anchor:middle;dominant-baseline:central;fill:#111111}\n"
    ".frame{fill:none;stroke:#444444}\n"
    ".grid{stroke:#dddddd}\n"
    ".axis{stroke:#444444}\n"
    "</style>\n";

std::string Temperature(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string Summary(const PictureInput& input) {
  const ReportPlacement& placement = *input.placement;
  const CostCurve& curve = *input.run.curve;
  Area box = BoxAreaOf(placement);
  std::string summary =
      std::to_string(placement.modules.size()) + " modules, bounding box " +
      std::to_string(placement.width) + " x " +
      std::to_string(placement.height) + ", area " +
      GroupedDigits(AreaText(box)) + ", dead space " +
      DeadSpaceText(box, ModuleAreaOf(placement)) + ", " +
      GroupedDigits(std::to_string(curve.moves())) + " moves";
  if (placement.hasWirelength) {
    std::string half = HalfText(placement.doubledWirelength);
    size_t point = half.find('.');
    summary += ", wirelength " + GroupedDigits(half.substr(0, point)) +
               (point == std::string::npos ? "" : half.substr(point));
  }
  const std::vector<CurveColumn>& columns = curve.columns();
  if (input.run.hasTemperature && !columns.empty()) {
    summary += ", temperature " + Temperature(columns.front().temperature) +
               " to " + Temperature(columns.back().temperature);
  }
  return summary;
}

}  // namespace

std::string RenderSvg(const PictureInput& input) {
  SvgDocument body;
  body.Text(kMargin, 30, "start", "title", input.title);
  body.Text(kMargin, 50, "start", "small", Summary(input));
  const ReportPlacement& placement = *input.placement;
  const std::vector<PlacedDataModule>& modules = placement.modules;
  std::string notes;
  if (std::any_of(modules.begin(), modules.end(),
                  [](const PlacedDataModule& row) { return row.place.rotated; })) {
    notes = "dashed outline: module turned by 90 degrees";
  }
  if (placement.hasOutline) {
    notes += std::string(notes.empty() ? "" : "; ") +
             "red dashes: the fixed outline " +
             std::to_string(placement.outline.width) + " x " +
             std::to_string(placement.outline.height) +
             (FitsOutline(placement) ? " (it fits)" : " (it does not fit)");
  }
  if (!notes.empty()) {
    body.Text(kPageWidth - kMargin, 66, "end", "small", notes);
  }
  double floorplanHeight =
      DrawFloorplan(*input.placement, kMargin, kFloorplanTop + 6,
                    kPageWidth - 2 * kMargin, kFloorplanMaxHeight, &body);
  double runTop = kFloorplanTop + 6 + floorplanHeight + 30;
  double runHeight = DrawRunChart(input.run, kPageWidth, runTop, &body);
  double pageHeight = runTop + runHeight + kMargin;

  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      Px(kPageWidth) + "\" height=\"" + Px(pageHeight) + "\" viewBox=\"0 0 " +
      Px(kPageWidth) + " " + Px(pageHeight) +
      "\" font-family=\"sans-serif\">\n";
  svg += kStyle;
  svg +=
      "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += body.text();
  svg += "</svg>\n";
  return svg;
}
