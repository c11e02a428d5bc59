// One line (or piece of a line) of a data file, split into its tokens: an
// identifier, ended by 'M', space, tab or line feed (so "M12" and "12" are the
// same identifier), then the two sides and an optional name, ended by space,
// tab or line feed. A NUL byte ends the line's text.
#ifndef FLOORPLAN_IO_MODULE_LINE_H_
#define FLOORPLAN_IO_MODULE_LINE_H_

#include <cstdint>
#include <string_view>

struct ModuleLine {
  bool hasIdentifier = false;  // false for a blank line
  bool complete = false;       // identifier and both sides present
  int32_t identifier = 0;
  uint16_t width = 0;     // the first side, modulo 65536
  uint16_t height = 0;    // the second side, modulo 65536
  std::string_view name;  // the fourth token, empty when there is none
};

ModuleLine ParseModuleLine(std::string_view line);

#endif  // FLOORPLAN_IO_MODULE_LINE_H_
