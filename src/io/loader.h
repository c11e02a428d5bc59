// Builds the first Floorplan from a data file: the first two modules under one
// cut, then for every further module a new cut above the root with the module
// as its right subtree. Each cut's type is drawn from the random source, in
// file order.
#ifndef FLOORPLAN_IO_LOADER_H_
#define FLOORPLAN_IO_LOADER_H_

#include <memory>

#include "model/floorplan.h"

// Null when the file can't be opened or read, or when its first or second
// line is not a complete module line. Blank lines after the second are
// skipped; a later line with an identifier but without both sides ends the
// reading, and the modules read so far are the result.
std::unique_ptr<Floorplan> LoadFloorplan(const char* path);

#endif  // FLOORPLAN_IO_LOADER_H_
