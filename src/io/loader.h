// Builds the first Floorplan from a data file: the first two modules under one
// cut, then for every further module a new cut above the root with the module
// as its right subtree. Each cut's type is drawn from the run's random
// source, in file order.
#ifndef FLOORPLAN_IO_LOADER_H_
#define FLOORPLAN_IO_LOADER_H_

#include <memory>
#include <string>
#include <vector>

#include "io/data_file.h"
#include "model/floorplan.h"

class RandomSource;

// The Floorplan of `modules` (at least two), drawing one cut type per cut.
std::unique_ptr<Floorplan> BuildFloorplan(
    const std::vector<DataModule>& modules, RandomSource* random);

// Null, with the reader's reason in `error`, when the file can't be opened
// or read, or when its first or second line is not a complete module line.
std::unique_ptr<Floorplan> LoadFloorplan(const std::string& path,
                                         RandomSource* random,
                                         std::string* error);

#endif  // FLOORPLAN_IO_LOADER_H_
