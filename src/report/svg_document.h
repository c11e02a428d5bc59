// The text of an SVG document as it is built, with the few elements the
// picture draws often. Every text given to it is escaped here, so callers
// pass names as the data file has them. Owns its text; appending is all it
// does.
#ifndef FLOORPLAN_REPORT_SVG_DOCUMENT_H_
#define FLOORPLAN_REPORT_SVG_DOCUMENT_H_

#include <string>
#include <string_view>

// Page coordinates: a tenth of a pixel is finer than any screen shows.
std::string Px(double value);

// Floorplan coordinates, where a label's centre may fall on a half unit.
std::string Units(double value);

class SvgDocument {
 public:
  // Markup, added as it is.
  void Add(std::string_view markup) { text_ += markup; }

  // A <text> element of class `cssClass`; `extra` holds more attributes,
  // each with its leading space.
  void Text(double x, double y, std::string_view anchor,
            std::string_view cssClass, std::string_view content,
            std::string_view extra = "");

  void Line(double x1, double y1, double x2, double y2,
            std::string_view cssClass);

  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

#endif  // FLOORPLAN_REPORT_SVG_DOCUMENT_H_
