// Test support: an anonymous in-memory file with a path, for code that opens
// its input by name, as the programs do. Fuzz targets rewrite one such file
// for every input instead of touching the disk.
#ifndef FLOORPLAN_TESTING_MEMORY_FILE_H_
#define FLOORPLAN_TESTING_MEMORY_FILE_H_

#include <string>
#include <string_view>

// Reached by its /proc/self/fd path while the object lives. `ok` is false
// when the file could not be made.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view contents = {});
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  ~MemoryFile();

  // Replaces the whole contents; false if the file could not be rewritten.
  bool Store(std::string_view contents);

  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

#endif  // FLOORPLAN_TESTING_MEMORY_FILE_H_
