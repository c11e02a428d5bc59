#include "io/hidden_name.h"

#include <sys/random.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>

namespace {

// Keeps the hidden name within NAME_MAX whatever the target's name.
constexpr size_t kBaseLimit = 200;

}  // namespace

uint64_t RandomDraw() {
  uint64_t draw = 0;
  if (getrandom(&draw, sizeof draw, GRND_NONBLOCK) ==
      static_cast<ssize_t>(sizeof draw)) {
    return draw;
  }
  // Without the kernel's source the name need only differ from the last one:
  // O_EXCL, not the name, is what keeps the creation safe.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (static_cast<uint64_t>(now.tv_sec) << 30) ^
         static_cast<uint64_t>(now.tv_nsec) ^
         (static_cast<uint64_t>(getpid()) << 40) ^
         reinterpret_cast<uintptr_t>(&draw);
}

// The folder a temporary file beside `target` goes in, and the target's own
// name.
void SplitPath(const std::string& target, std::string* folder,
               std::string* base) {
  size_t slash = target.find_last_of('/');
  if (slash == std::string::npos) {
    *folder = ".";
    *base = target;
  } else {
    *folder = slash == 0 ? "/" : target.substr(0, slash);
    *base = target.substr(slash + 1);
  }
}

std::string HiddenName(const std::string& target, uint64_t draw) {
  static constexpr char kAlphabet[] =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string folder;
  std::string base;
  SplitPath(target, &folder, &base);
  if (base.size() > kBaseLimit) base.resize(kBaseLimit);
  std::string suffix;
  for (int k = 0; k < 8; ++k) {
    suffix += kAlphabet[draw % 62];
    draw /= 62;
  }
  return (folder == "/" ? "" : folder) + "/." + base + "." + suffix;
}
