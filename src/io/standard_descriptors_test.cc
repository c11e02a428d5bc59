// GuardStandardDescriptors in a child process started with some of its
// standard descriptors closed: each closed one must come back pointing the
// wrong way (so reads of 0 and writes to 1 and 2 still fail), and the open
// ones must stay as they were.
#include "io/standard_descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

// Each failed check of the child sets one bit of its exit status.
enum ChildFailure {
  kStillClosed = 1,
  kWrongDirection = 2,
  kUseSucceeded = 4,
  kOpenTookStandardDescriptor = 8,
  kOpenDescriptorChanged = 16,
};

// Forks; the child closes the descriptors in `closed` (bit n for
// descriptor n), guards them and checks the result. Returns the child's
// exit status.
int GuardInChild(int closed) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  fflush(nullptr);
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    // Descriptors left open lead to a pipe, so that a change shows.
    for (int fd = 0; fd <= 2; ++fd) {
      if ((closed & (1 << fd)) != 0) {
        close(fd);
      } else {
        dup2(fd == 0 ? pipeFds[0] : pipeFds[1], fd);
      }
    }
    close(pipeFds[0]);
    close(pipeFds[1]);
    GuardStandardDescriptors();
    int failures = 0;
    for (int fd = 0; fd <= 2; ++fd) {
      int flags = fcntl(fd, F_GETFL);
      if (flags < 0) {
        failures |= kStillClosed;
        continue;
      }
      if ((closed & (1 << fd)) == 0) {
        // An open descriptor keeps its pipe: 0 reads, 1 and 2 write.
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
    _exit(failures);
  }
  close(pipeFds[0]);
  close(pipeFds[1]);
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(StandardDescriptorsTest, ClosedDescriptorsPointTheWrongWay) {
  for (int closed = 0; closed < 8; ++closed) {
    SCOPED_TRACE("closed descriptors, as a bit set: " + std::to_string(closed));
    EXPECT_EQ(0, GuardInChild(closed));
  }
}

}  // namespace
