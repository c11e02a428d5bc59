// The fixed-outline options that floorplan-report and floorplan-search
// share, stated once:
//
//   --outline W H         the outline itself, W wide (x extent), H high
//   --outline-from FILE   the Outline: line of a course block file
//   --whitespace R        the square whose side is the largest whole number
//                         not above sqrt(total module area x (1 + R))
//
// Parsing only checks the forms of the values; ResolveOutline reads the
// file or works out the square once the data file's module area is known.
#ifndef FLOORPLAN_CLI_OUTLINE_OPTIONS_H_
#define FLOORPLAN_CLI_OUTLINE_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "model/area.h"
#include "model/shape_cost.h"

// What the command line asked for; the last of the three options given
// counts. A plain value.
struct OutlineRequest {
  enum class Kind { kNone, kGiven, kFromFile, kWhitespace };
  Kind kind = Kind::kNone;
  Outline given;         // kGiven
  std::string file;      // kFromFile
  double whitespace = 0;  // kWhitespace: R, at least 0
};

// Appends the three options, which fill `request`, to a program's table.
void AddOutlineOptions(OutlineRequest* request, std::vector<Option>* options);

// The outline the request names, for modules of total area `moduleArea`.
// False, with a whole message ("FILE:LINE: reason" for a block file), when
// the file cannot be read or has no usable outline. `*wanted` is false for
// Kind::kNone.
bool ResolveOutline(const OutlineRequest& request, Area moduleArea,
                    bool* wanted, Outline* outline, std::string* error);

// The side of the square outline for `whitespace` R: the largest whole
// number s with s^2 <= moduleArea (1 + R).
int64_t SquareOutlineSide(Area moduleArea, double whitespace);

#endif  // FLOORPLAN_CLI_OUTLINE_OPTIONS_H_
