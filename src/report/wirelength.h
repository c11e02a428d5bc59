// The wirelength of a placement over the nets of a benchmark: for each net,
// the half perimeter of the smallest box that holds its pins (its width plus
// its height), summed over the nets. A module's pin is at the module's
// centre, a terminal's at the coordinates the terminals file gives it.
// Modules are found by the data file's names, so every module needs one.
//
// The total is exact: centres may fall on half units, so coordinates are
// doubled and the doubled total is summed in 128 bits; half of it is a
// whole number or ends in ".5".
#ifndef FLOORPLAN_REPORT_WIRELENGTH_H_
#define FLOORPLAN_REPORT_WIRELENGTH_H_

#include <string>

#include "model/area.h"
#include "report/report_placement.h"

// The files the wirelength is read from, named as the messages name them.
struct WirelengthFiles {
  std::string nets;
  std::string terminals;  // empty: none given
  std::string data;
};

// Twice the wirelength of `placement` over the nets. False, with the whole
// message ("FILE:LINE: reason"), when a file cannot be read or used: a nets
// or terminals file the readers refuse (a terminals file is a course block
// file, told by its Outline line, or a GSRC .pl file), a data file whose
// modules lack names or share one, or a pin that names neither a module nor
// a terminal with coordinates.
bool MeasureWirelength(const WirelengthFiles& files,
                       const ReportPlacement& placement, Area* doubled,
                       std::string* error);

// False, with the message naming the data file's line, when a module has no
// name or the name of another: `use` says what needs the names ("--nets
// finds modules by name").
bool CheckModuleNames(const ReportPlacement& placement, const std::string& data,
                      const std::string& use, std::string* error);

// Half of `doubled` (at least 0): "1234" or "1234.5".
std::string HalfText(Area doubled);

#endif  // FLOORPLAN_REPORT_WIRELENGTH_H_
