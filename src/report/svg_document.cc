#include "report/svg_document.h"

#include <cstdio>

#include "report/text_escape.h"

std::string Px(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Units(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.10g", value);
  return text;
}

void SvgDocument::Text(double x, double y, std::string_view anchor,
                       std::string_view cssClass, std::string_view content,
                       std::string_view extra) {
  text_ += "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"";
  text_ += anchor;
  text_ += "\" class=\"";
  text_ += cssClass;
  text_ += "\"";
  text_ += extra;
  text_ += ">" + XmlText(content) + "</text>\n";
}

void SvgDocument::Line(double x1, double y1, double x2, double y2,
                       std::string_view cssClass) {
  text_ += "<line x1=\"" + Px(x1) + "\" y1=\"" + Px(y1) + "\" x2=\"" + Px(x2) +
           "\" y2=\"" + Px(y2) + "\" class=\"";
  text_ += cssClass;
  text_ += "\"/>\n";
}
