// Reads a nets file of the floorplanning benchmarks: which blocks and
// terminals each net connects. Two dialects circulate, and one reader takes
// both:
//
//   NumNets: 121            course (ami33.nets)
//   NetDegree: 34
//   GND
//   bk1
//
//   UCLA nets 1.0           GSRC (n100.nets); the header and NumPins are
//   NumNets : 885           often missing, and so is each pin's direction
//   NumPins : 1873
//   NetDegree : 2
//   p1 B
//   sb26 B : 0.5 -0.5
//
// After an optional "UCLA nets 1.0" header, "NumNets : N" and an optional
// "NumPins : P" (blanks around the colons optional), each net is a line
// "NetDegree : D" (a net name may follow D) and D pin lines: a name, then at
// most a direction (I, O or B) and, after a colon, the pin's offsets, which
// are ignored. Blank lines and '#' comments may appear anywhere, lines end
// in LF or CRLF, and what comes before the first word is skipped as in every
// benchmark file. Each net must have as many pin lines as its NetDegree, and
// the file as many nets (and pins) as its counts say.
//
// The pins are handed over one at a time, as views into the text, so that a
// file of any size is read without memory beyond its text.
#ifndef FLOORPLAN_IO_NET_FILE_H_
#define FLOORPLAN_IO_NET_FILE_H_

#include <cstdint>
#include <functional>
#include <string_view>

#include "io/input_error.h"

// One pin line.
struct NetPin {
  std::string_view name;  // a view into the text read
  uint64_t line = 0;      // 1-based
  uint64_t net = 0;       // its net, counted from 0 in file order
};

// Takes each pin in file order; returning false, with the reason, stops the
// reading there.
using NetPinVisitor = std::function<bool(const NetPin& pin, InputError* error)>;

// False, with the line and the reason, for anything the reader does not
// understand, or with the visitor's reason when it stopped the reading.
// The visitor may have seen pins before a fault found further on.
bool ReadNetFile(std::string_view text, const NetPinVisitor& visit,
                 InputError* error);

#endif  // FLOORPLAN_IO_NET_FILE_H_
