// GuardStandardDescriptors in a child process started with some of its
// standard descriptors closed: each closed one must come back pointing the
// wrong way (so reads of 0 and writes to 1 and 2 still fail), and the open
// ones must stay as they were.
#include "cli/standard_descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "testing/child_process.h"

namespace {

// Each failed check of the child sets one bit of its exit status.
enum ChildFailure {
  kStillClosed = 1,
  kWrongDirection = 2,
  kUseSucceeded = 4,
  kOpenTookStandardDescriptor = 8,
  kOpenDescriptorChanged = 16,
};

// Checks, in the child, what the guard made of descriptors 0 to 2, the ones
// in `closed` (bit n for descriptor n) having been closed.
int CheckGuard(int closed) {
  GuardStandardDescriptors();
  int failures = 0;
  for (int fd = 0; fd <= 2; ++fd) {
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0) {
      failures |= kStillClosed;
      continue;
    }
    if ((closed & (1 << fd)) == 0) {
      // An open descriptor keeps what it led to: 0 reads, 1 and 2 write.
      int expected = fd == 0 ? O_RDONLY : O_WRONLY;
      if ((flags & O_ACCMODE) != expected) failures |= kOpenDescriptorChanged;
      continue;
    }
    int expected = fd == 0 ? O_WRONLY : O_RDONLY;
    if ((flags & O_ACCMODE) != expected) failures |= kWrongDirection;
    char byte = 'x';
    errno = 0;
    ssize_t used = fd == 0 ? read(fd, &byte, 1) : write(fd, &byte, 1);
    if (used >= 0 || errno != EBADF) failures |= kUseSucceeded;
  }
  int opened = open("/dev/null", O_RDWR);
  if (opened >= 0 && opened <= 2) failures |= kOpenTookStandardDescriptor;
  return failures;
}

TEST(StandardDescriptorsTest, ClosedDescriptorsPointTheWrongWay) {
  for (int closed = 0; closed < 8; ++closed) {
    SCOPED_TRACE("closed descriptors, as a bit set: " + std::to_string(closed));
    ChildOptions options;
    options.stdinClosed = (closed & 1) != 0;
    if ((closed & 2) != 0) options.stdoutPath = "-";
    if ((closed & 4) != 0) options.stderrPath = "-";
    ChildResult result =
        ChildProcess([closed] { return CheckGuard(closed); }, options)
            .Finish();
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(0, result.status);
  }
}

}  // namespace
