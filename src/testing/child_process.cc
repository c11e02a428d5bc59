#include "testing/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

double Now() {
  return std::chrono::duration<double>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const ChildOptions& options) {
  Start(
      [&argv] {
        std::vector<char*> args;
        for (const std::string& arg : argv)
          args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
      },
      options);
}

ChildProcess::ChildProcess(const std::function<int()>& body,
                           const ChildOptions& options) {
  Start([&body] { _exit(body()); }, options);
}

void ChildProcess::Start(const std::function<void()>& run,
                         const ChildOptions& options) {
  int out[2];
  int err[2];
  if (pipe(out) != 0 || pipe(err) != 0) abort();
  std::string terminal;
  if (options.stderrTerminal) {
    // The test reads the terminal's master side in place of the pipe.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) abort();
    terminal = ptsname(master);
    close(err[0]);
    err[0] = master;
  }
  if (options.stdoutReaderGone) {
    close(out[0]);
    out[0] = -1;
  }
  fflush(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    // As a shell starts a program, whatever the test process does.
    signal(SIGPIPE, SIG_DFL);
    if (!terminal.empty()) {
      int fd = open(terminal.c_str(), O_WRONLY | O_NOCTTY);
      if (fd < 0) _exit(126);
      dup2(fd, err[1]);
      close(fd);
    }
    for (int signal : options.ignoredSignals) ::signal(signal, SIG_IGN);
    const std::string* paths[2] = {&options.stdoutPath, &options.stderrPath};
    int pipes[2] = {out[1], err[1]};
    for (int target = 1; target <= 2; ++target) {
      const std::string& path = *paths[target - 1];
      if (path == "-") {
        close(target);
      } else if (!path.empty()) {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) _exit(126);
        dup2(fd, target);
        close(fd);
      } else {
        dup2(pipes[target - 1], target);
      }
    }
    for (int fd : {out[0], out[1], err[0], err[1]}) {
      if (fd >= 0) close(fd);
    }
    if (options.stdinClosed) {
      close(0);
    } else {
      int devNull = open("/dev/null", O_RDONLY);
      dup2(devNull, 0);
      close(devNull);
    }
    run();
  }
  close(out[1]);
  close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (outFd_ >= 0) close(outFd_);
  if (errFd_ >= 0) close(errFd_);
}

// Reads what is there within `seconds`; false once both pipes are closed.
bool ChildProcess::Pump(double seconds) {
  pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
  int open = (outFd_ >= 0) + (errFd_ >= 0);
  if (open == 0) return false;
  int ready = poll(fds, 2, static_cast<int>(seconds * 1000));
  if (ready <= 0) return true;
  int* descriptors[2] = {&outFd_, &errFd_};
  std::string* texts[2] = {&out_, &err_};
  for (int k = 0; k < 2; ++k) {
    if (*descriptors[k] < 0 || fds[k].revents == 0) continue;
    char buffer[1 << 16];
    ssize_t length = read(*descriptors[k], buffer, sizeof buffer);
    if (length > 0) {
      texts[k]->append(buffer, static_cast<size_t>(length));
    } else {
      close(*descriptors[k]);
      *descriptors[k] = -1;
    }
  }
  return true;
}

bool ChildProcess::WaitFor(const std::string& text, const std::string& stream,
                           double seconds) {
  double end = Now() + seconds;
  while (stream.find(text) == std::string::npos) {
    double left = end - Now();
    if (left <= 0 || !Pump(left)) return stream.find(text) != std::string::npos;
  }
  return true;
}

bool ChildProcess::WaitForOutput(const std::string& text, double seconds) {
  return WaitFor(text, out_, seconds);
}

bool ChildProcess::WaitForError(const std::string& text, double seconds) {
  return WaitFor(text, err_, seconds);
}

void ChildProcess::Signal(int signal) { kill(pid_, signal); }

ChildResult ChildProcess::Finish(double seconds) {
  double end = Now() + seconds;
  while (Now() < end && Pump(end - Now())) {
  }
  ChildResult result;
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (Now() >= end) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    usleep(10000);
  }
  pid_ = -1;
  result.exited = WIFEXITED(status);
  if (result.exited) result.status = WEXITSTATUS(status);
  result.signaled = WIFSIGNALED(status);
  if (result.signaled) result.signal = WTERMSIG(status);
  result.out = out_;
  result.err = err_;
  return result;
}
