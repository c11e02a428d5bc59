#include "report/floorplan_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/text_escape.h"

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
  // kOrder[part] tells which of chroma, second and zero each channel takes.
  static const int kOrder[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1},
                                   {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
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

namespace {

std::string Label(const DataModule& module) {
  return module.name.empty() ? std::to_string(module.identifier) : module.name;
}

// What hovering over a module shows.
std::string Note(const PlacedDataModule& row) {
  const DataModule& module = row.module;
  const PlacedModule& place = row.place;
  return "module " + std::to_string(module.identifier) +
         (module.name.empty() ? std::string() : " (" + module.name + ")") +
         " at (" + std::to_string(place.x) + ", " + std::to_string(place.y) +
         "), " + std::to_string(place.width) + " x " +
         std::to_string(place.height) + (place.rotated ? ", turned" : "");
}

}  // namespace

double DrawFloorplan(const ReportPlacement& placement, double left, double top,
                     double width, double maxHeight, SvgDocument* svg) {
  if (placement.width <= 0 || placement.height <= 0) {
    svg->Text(left, top + 16, "start", "note",
              "The floorplan has no area to draw.");
    return 24;
  }
  // What is drawn: the box, and the outline where it reaches further.
  int64_t extentWidth = placement.width;
  int64_t extentHeight = placement.height;
  if (placement.hasOutline) {
    extentWidth = std::max(extentWidth, placement.outline.width);
    extentHeight = std::max(extentHeight, placement.outline.height);
  }
  double boxWidth = static_cast<double>(placement.width);
  double boxHeight = static_cast<double>(placement.height);
  double scale = std::min(width / static_cast<double>(extentWidth),
                          maxHeight / static_cast<double>(extentHeight));
  double drawnWidth = static_cast<double>(extentWidth) * scale;
  double drawnHeight = static_cast<double>(extentHeight) * scale;
  double x = left + (width - drawnWidth) / 2;
  svg->Add("<svg x=\"" + Px(x) + "\" y=\"" + Px(top) + "\" width=\"" +
           Px(drawnWidth) + "\" height=\"" + Px(drawnHeight) +
           "\" viewBox=\"0 0 " + std::to_string(extentWidth) + " " +
           std::to_string(extentHeight) +
           "\" preserveAspectRatio=\"none\" overflow=\"visible\">\n");
  // SVG's y axis points down; the floorplan's points up, from the bottom of
  // what is drawn.
  svg->Add("<rect class=\"box\" x=\"0\" y=\"" +
           std::to_string(extentHeight - placement.height) + "\" width=\"" +
           std::to_string(placement.width) + "\" height=\"" +
           std::to_string(placement.height) + "\"/>\n");
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& module = row.place;
    int64_t moduleTop = extentHeight - module.y - module.height;
    svg->Add("<rect class=\"module" +
             std::string(module.rotated ? " rotated" : "") + "\" x=\"" +
             std::to_string(module.x) + "\" y=\"" + std::to_string(moduleTop) +
             "\" width=\"" + std::to_string(module.width) + "\" height=\"" +
             std::to_string(module.height) + "\" fill=\"" +
             FillColour(module.identifier) + "\"><title>" +
             XmlText(Note(row)) + "</title></rect>\n");
  }
  // Labels after every rectangle, so that no module covers another's label;
  // none taller than a thirtieth of the drawing, so that big modules do not
  // shout.
  double largestLabel = std::max(boxWidth, boxHeight) / 30;
  for (const PlacedDataModule& row : placement.modules) {
    const PlacedModule& module = row.place;
    std::string label = Label(row.module);
    double w = static_cast<double>(module.width);
    double h = static_cast<double>(module.height);
    double characters = std::max<double>(1, static_cast<double>(label.size()));
    double size =
        std::min({h * 0.5, w * 0.9 / (0.6 * characters), largestLabel});
    if (!(size * scale >= kSmallestLabelPixels)) continue;
    double centreX = static_cast<double>(module.x) + w / 2;
    double centreY = static_cast<double>(extentHeight - module.y) - h / 2;
    svg->Add("<text class=\"label\" x=\"" + Units(centreX) + "\" y=\"" +
             Units(centreY) + "\" font-size=\"" + Units(size) + "\">" +
             XmlText(label) + "</text>\n");
  }
  if (placement.hasOutline) {
    const Outline& outline = placement.outline;
    svg->Add("<rect class=\"outline\" x=\"0\" y=\"" +
             std::to_string(extentHeight - outline.height) + "\" width=\"" +
             std::to_string(outline.width) + "\" height=\"" +
             std::to_string(outline.height) + "\"><title>outline " +
             std::to_string(outline.width) + " x " +
             std::to_string(outline.height) + "</title></rect>\n");
  }
  svg->Add("</svg>\n");
  return drawnHeight;
}
