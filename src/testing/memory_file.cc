#include "testing/memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

MemoryFile::MemoryFile(std::string_view contents)
    : fd_(memfd_create("floorplan-test", 0)),
      path_("/proc/self/fd/" + std::to_string(fd_)) {
  if (ok() && !Store(contents)) {
    close(fd_);
    fd_ = -1;
  }
}

MemoryFile::~MemoryFile() {
  if (ok()) close(fd_);
}

bool MemoryFile::Store(std::string_view contents) {
  if (!ok() || ftruncate(fd_, 0) != 0) return false;
  return contents.empty() ||
         pwrite(fd_, contents.data(), contents.size(), 0) ==
             static_cast<ssize_t>(contents.size());
}
