#include "io/net_file.h"

#include <cstdint>
#include <string>

#include "io/benchmark_lines.h"
#include "io/input_format.h"
#include "io/number_text.h"

namespace {

constexpr const char* kPinForm =
    "expected a pin: a name, then at most a direction (I, O or B) and its "
    "offsets after a colon";

// The value of a "KEY : NUMBER" line; false for any other line. With
// `nameAllowed`, a word may follow the number (a net's name).
bool CountLine(std::string_view line, std::string_view key, bool nameAllowed,
               uint64_t* count) {
  std::string_view lineKey;
  std::string_view value;
  if (!SplitKeyLine(line, &lineKey, &value) || lineKey != key) return false;
  size_t at = 0;
  if (!ParseWholeNumber(NextWord(value, &at), INT64_MAX, count)) return false;
  if (nameAllowed) NextWord(value, &at);
  return NextWord(value, &at).empty();
}

// "1 pin", "2 pins".
std::string Counted(uint64_t count, const std::string& thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

bool IsPinLine(std::string_view line, std::string_view* name) {
  size_t at = 0;
  *name = NextWord(line, &at);
  std::string_view direction = NextWord(line, &at);
  if (direction.empty()) return true;
  if (direction != "I" && direction != "O" && direction != "B") return false;
  std::string_view rest = line.substr(at);
  size_t restAt = 0;
  std::string_view offsets = NextWord(rest, &restAt);
  return offsets.empty() || offsets[0] == ':';
}

}  // namespace

bool ReadNetFile(std::string_view text, const NetPinVisitor& visit,
                 InputError* error) {
  BenchmarkLines lines(text);
  std::string_view line;
  uint64_t number = 0;
  auto fail = [error](uint64_t at, std::string reason) {
    *error = {at, std::move(reason)};
    return false;
  };
  auto next = [&] { return lines.Next(&line, &number); };
  bool more = next();
  if (!more && !lines.error().reason.empty()) {
    *error = lines.error();
    return false;
  }
  size_t at = 0;
  if (more && NextWord(line, &at) == "UCLA") {
    if (NextWord(line, &at) != "nets") {
      return fail(number, "expected the header \"UCLA nets 1.0\"");
    }
    more = next();
  }
  uint64_t numNets = 0;
  if (!more || !CountLine(line, "NumNets", false, &numNets)) {
    return fail(more ? number : LastLine(text),
                std::string("expected \"NumNets : NUMBER\"") +
                    (more ? "" : " before the end of the file"));
  }
  uint64_t numNetsLine = number;
  more = next();
  bool hasNumPins = false;
  uint64_t numPins = 0;
  uint64_t numPinsLine = 0;
  std::string_view key;
  std::string_view value;
  if (more && SplitKeyLine(line, &key, &value) && key == "NumPins") {
    if (!CountLine(line, "NumPins", false, &numPins)) {
      return fail(number, "expected \"NumPins : NUMBER\"");
    }
    hasNumPins = true;
    numPinsLine = number;
    more = next();
  }

  uint64_t nets = 0;
  uint64_t pins = 0;
  uint64_t degree = 0;  // of the last net read
  uint64_t degreeLine = 0;
  for (; more; more = next()) {
    uint64_t given = 0;
    if (!CountLine(line, "NetDegree", true, &given)) {
      std::string after =
          nets == 0 ? ""
                    : ": the net on line " + std::to_string(degreeLine) +
                          " has NetDegree " + std::to_string(degree);
      return fail(number, "expected \"NetDegree : NUMBER\"" + after);
    }
    degree = given;
    degreeLine = number;
    for (uint64_t k = 0; k < degree; ++k) {
      more = next();
      uint64_t unused = 0;
      if (!more || CountLine(line, "NetDegree", true, &unused)) {
        return fail(degreeLine, "NetDegree is " + std::to_string(degree) +
                                    ", but the net has " + Counted(k, "pin"));
      }
      NetPin pin;
      if (!IsPinLine(line, &pin.name)) return fail(number, kPinForm);
      pin.line = number;
      pin.net = nets;
      if (!visit(pin, error)) return false;
      ++pins;
    }
    ++nets;
  }
  if (nets != numNets) {
    return fail(numNetsLine, "NumNets is " + std::to_string(numNets) +
                                 ", but the file has " + Counted(nets, "net"));
  }
  if (hasNumPins && pins != numPins) {
    return fail(numPinsLine, "NumPins is " + std::to_string(numPins) +
                                 ", but the nets have " + Counted(pins, "pin"));
  }
  return true;
}
