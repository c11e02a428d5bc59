// The modules of a data file exactly as `floorplan` sees them (the same
// line pieces, blank lines skipped, the file ending at the first later line
// with an identifier but without both sides), each with the number of the
// line it came from and the name its fourth token gives it. The report reads
// the file itself, rather than through LoadFloorplan, because it needs the
// names and line numbers and must not draw from the random source.
#ifndef FLOORPLAN_REPORT_DATA_FILE_H_
#define FLOORPLAN_REPORT_DATA_FILE_H_

#include <cstdint>
#include <string>
#include <vector>

// One module line of the file.
struct DataModule {
  int32_t identifier = 0;
  uint16_t width = 0;  // the first side, modulo 65536
  uint16_t height = 0;
  std::string name;   // empty when the line has no fourth token
  uint64_t line = 0;  // 1-based
};

// False, with a message naming the file and the line, when the file cannot
// be read, when one of its first two lines is not a complete module line (as
// `floorplan` refuses it), or when one identifier is given to modules of
// different sizes, which a postfix expression could not tell apart.
bool ReadDataFile(const std::string& path, std::vector<DataModule>* modules,
                  std::string* error);

#endif  // FLOORPLAN_REPORT_DATA_FILE_H_
