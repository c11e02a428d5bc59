// Closes a FILE* held in a std::unique_ptr, for files that are only read:
// what closing a written file reports must be checked where it is written.
#ifndef FLOORPLAN_IO_FILE_CLOSER_H_
#define FLOORPLAN_IO_FILE_CLOSER_H_

#include <cstdio>

struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};

#endif  // FLOORPLAN_IO_FILE_CLOSER_H_
