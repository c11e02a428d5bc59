// The one reader of floorplan data files. It yields the modules exactly as
// `floorplan` takes them (the same line pieces, blank lines skipped, the file
// ending at the first later line with an identifier but without both sides),
// each with the number of the line it came from and the name its fourth
// token gives it. It draws nothing from any random source: building the
// first Floorplan from the modules is the loader's part.
#ifndef FLOORPLAN_IO_DATA_FILE_H_
#define FLOORPLAN_IO_DATA_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "model/area.h"

// One module line of a data file.
struct DataModule {
  int32_t identifier = 0;
  uint16_t width = 0;  // the first side, modulo 65536
  uint16_t height = 0;
  std::string name;   // empty when the line has no fourth token
  uint64_t line = 0;  // 1-based
};

// False when the file cannot be opened or read, or when one of its first two
// lines is not a complete module line; `error` then says why, beginning with
// the path and, where one line is at fault, its number ("PATH:LINE: ...").
bool ReadDataFile(const std::string& path, std::vector<DataModule>* modules,
                  std::string* error);

// The companions' stricter reading: every line of the file must be blank or
// a module line as the converter writes them: an identifier of digits (an
// 'M' before them allowed), two sides from 1 to 65535 and at most a name,
// separated by spaces or tabs, in LF or CRLF lines. False, with
// "PATH:LINE: reason" for the first other line; a file the converter reads
// is told as such ("PATH:1: a GSRC blocks file, not a data file: convert it
// with floorplan-convert"). Otherwise as ReadDataFile, which gives the same
// modules for such a file; the file is read once, so a pipe will do.
bool ReadStrictDataFile(const std::string& path,
                        std::vector<DataModule>* modules, std::string* error);

// The sum of width x height over the modules: the area of a floorplan
// without dead space.
Area TotalModuleArea(const std::vector<DataModule>& modules);

#endif  // FLOORPLAN_IO_DATA_FILE_H_
