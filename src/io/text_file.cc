#include "io/text_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "io/file_closer.h"

namespace {

// "1 GiB", "64 MiB", or a count of bytes.
std::string SizeText(size_t bytes) {
  if (bytes > 0 && bytes % (size_t{1} << 30) == 0) {
    return std::to_string(bytes >> 30) + " GiB";
  }
  if (bytes > 0 && bytes % (size_t{1} << 20) == 0) {
    return std::to_string(bytes >> 20) + " MiB";
  }
  return std::to_string(bytes) + " bytes";
}

}  // namespace

bool ReadTextFile(const std::string& path, size_t limit, std::string* text,
                  std::string* reason) {
  text->clear();
  std::string tooLarge = "cannot read: larger than " + SizeText(limit);
  std::unique_ptr<FILE, FileCloser> file(fopen(path.c_str(), "rb"));
  if (!file) {
    *reason = std::string("cannot open: ") + std::strerror(errno);
    return false;
  }
  // A regular file says its size: refused unread when too large, read into
  // storage of that size otherwise. Anything else grows by doubling, which
  // stays within the bound when it is a power of two.
  struct stat info;
  if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<unsigned long long>(info.st_size) > limit) {
      *reason = tooLarge;
      return false;
    }
    text->reserve(static_cast<size_t>(info.st_size));
  }
  char buffer[65536];
  for (;;) {
    size_t got = fread(buffer, 1, sizeof buffer, file.get());
    if (got > limit - text->size()) {
      *reason = tooLarge;
      return false;
    }
    text->append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (ferror(file.get())) {
    *reason = std::string("cannot read: ") + std::strerror(errno);
    return false;
  }
  return true;
}
