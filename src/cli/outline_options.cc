#include "cli/outline_options.h"

#include <cmath>

#include "io/block_file.h"
#include "io/input_error.h"
#include "io/number_text.h"
#include "io/text_file.h"

namespace {

// An outline side, as the course's files give them.
constexpr uint64_t kLargestSide = 2147483647;

bool TakeOutline(const std::string& value, Outline* outline) {
  size_t space = value.find(' ');
  uint64_t width = 0;
  uint64_t height = 0;
  if (space == std::string::npos ||
      !ParseWholeNumber(std::string_view(value).substr(0, space), kLargestSide,
                        &width) ||
      !ParseWholeNumber(std::string_view(value).substr(space + 1),
                        kLargestSide, &height) ||
      width == 0 || height == 0) {
    return false;
  }
  *outline = {static_cast<int64_t>(width), static_cast<int64_t>(height)};
  return true;
}

}  // namespace

void AddOutlineOptions(OutlineRequest* r, std::vector<Option>* options) {
  using Kind = OutlineRequest::Kind;
  options->push_back(
      {"--outline", nullptr, "W H",
       "two whole numbers from 1 to " + std::to_string(kLargestSide),
       "fit the floorplan in the outline W wide and H high", [r](const std::string& value) {
         r->kind = Kind::kGiven;
         return TakeOutline(value, &r->given);
       }});
  options->push_back({"--outline-from", nullptr, "FILE", "a file name",
                      "the outline of a course block file (its Outline: line)",
                      [r](const std::string& value) {
                        r->kind = Kind::kFromFile;
                        r->file = value;
                        return !value.empty();
                      }});
  options->push_back(
      {"--whitespace", nullptr, "R", "a number from 0 to 100",
       "the square outline with R times the module area to spare",
       [r](const std::string& value) {
         r->kind = Kind::kWhitespace;
         return ParseDecimalNumber(value, &r->whitespace) &&
                r->whitespace <= 100;
       }});
}

int64_t SquareOutlineSide(Area moduleArea, double whitespace) {
  long double room = static_cast<long double>(moduleArea) *
                     (1.0L + static_cast<long double>(whitespace));
  int64_t side = static_cast<int64_t>(std::floor(std::sqrt(room)));
  // The square root of a long double may miss by one either way.
  while (side > 0 && static_cast<long double>(BoxArea(side, side)) > room) {
    --side;
  }
  while (static_cast<long double>(BoxArea(side + 1, side + 1)) <= room) ++side;
  return side;
}

bool ResolveOutline(const OutlineRequest& request, Area moduleArea,
                    bool* wanted, Outline* outline, std::string* error) {
  *wanted = request.kind != OutlineRequest::Kind::kNone;
  switch (request.kind) {
    case OutlineRequest::Kind::kNone:
      return true;
    case OutlineRequest::Kind::kGiven:
      *outline = request.given;
      return true;
    case OutlineRequest::Kind::kWhitespace: {
      int64_t side = SquareOutlineSide(moduleArea, request.whitespace);
      if (side < 1) {
        *error = "--whitespace: the modules have no area to make a square of";
        return false;
      }
      *outline = {side, side};
      return true;
    }
    case OutlineRequest::Kind::kFromFile:
      break;
  }
  std::string text;
  std::string reason;
  if (!ReadTextFile(request.file, kBenchmarkFileLimit, &text, &reason)) {
    *error = request.file + ": " + reason;
    return false;
  }
  BlockFile file;
  InputError refusal;
  if (!ReadBlockFile(text, &file, &refusal)) {
    *error = RefusalMessage(request.file, refusal);
    return false;
  }
  *outline = {file.outline.width, file.outline.height};
  return true;
}
