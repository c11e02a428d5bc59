#include "io/output_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <utility>

#include "io/hidden_name.h"

namespace {

// Enough tries that only a folder we cannot create in fails, as any random
// name is taken only by a racing writer or a deliberate plant.
constexpr int kTemporaryAttempts = 100;

// How often a FIFO's writer looks for a reader, and at the stop flag.
constexpr int kReaderPollMilliseconds = 50;

std::string Reason(int error) { return std::strerror(error); }

struct FileIdentity {
  dev_t device;
  ino_t inode;
  const std::string* path;
};

std::vector<FileIdentity> IdentitiesOf(const std::vector<std::string>& paths) {
  std::vector<FileIdentity> identities;
  for (const std::string& path : paths) {
    struct stat info;
    // An input that cannot be found cannot be overwritten either; reading
    // it is where the program reports it.
    if (path == "-" || stat(path.c_str(), &info) != 0) continue;
    identities.push_back({info.st_dev, info.st_ino, &path});
  }
  return identities;
}

bool RefuseInput(const struct stat& info,
                 const std::vector<FileIdentity>& inputs, std::string* err) {
  for (const FileIdentity& input : inputs) {
    if (input.device == info.st_dev && input.inode == info.st_ino) {
      *err = "is the same file as the input " + *input.path;
      return true;
    }
  }
  return false;
}

// Draws hidden names beside `target` until `take(path)` takes one: take
// returns 0 when it did, EEXIST when the name is there already, or the
// errno that ends the search. `*name` is the name taken.
bool TakeHiddenName(const std::string& target,
                    const std::function<uint64_t()>& draw,
                    const std::function<int(const std::string&)>& take,
                    std::string* name, std::string* err) {
  std::string folder;
  std::string base;
  SplitPath(target, &folder, &base);
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    std::string path = HiddenName(target, draw());
    int error = take(path);
    if (error == EEXIST) continue;
    if (error != 0) {
      *err =
          "cannot create a temporary file in " + folder + ": " + Reason(error);
      return false;
    }
    *name = path;
    return true;
  }
  *err = "cannot create a temporary file in " + folder +
         ": every name tried was taken";
  return false;
}

}  // namespace

bool WriteStream(FILE* file, std::string_view text, std::string* err) {
  if (ferror(file)) {
    *err = "an earlier write failed";
    return false;
  }
  errno = 0;
  if (fwrite(text.data(), 1, text.size(), file) != text.size()) {
    *err = errno != 0 ? Reason(errno) : "write failed";
    return false;
  }
  return true;
}

bool FlushStream(FILE* file, std::string* err) {
  errno = 0;
  if (fflush(file) != 0) {
    *err = errno != 0 ? Reason(errno) : "write failed";
    return false;
  }
  if (ferror(file)) {
    *err = "an earlier write failed";
    return false;
  }
  return true;
}

OutputFile::OutputFile(FILE* standardOutput)
    : standardOutput_(standardOutput), nameSource_(RandomDraw) {}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Discard() {
  if (mode_ != Mode::kStandardOutput && stream_ != nullptr) fclose(stream_);
  stream_ = nullptr;
  if (!temporary_.empty() && !nameless_) unlink(temporary_.c_str());
  temporary_.clear();
  nameless_ = false;
  mode_ = Mode::kClosed;
}

// A free hidden name beside `target` for the nameless file to take at
// Commit; nothing is created, so a planted name is simply passed over.
bool OutputFile::DrawFreeName(const std::string& target, std::string* name,
                              std::string* err) {
  auto free = [](const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) == 0) return EEXIST;
    return errno == ENOENT ? 0 : errno;
  };
  return TakeHiddenName(target, nameSource_, free, name, err);
}

bool OutputFile::OpenTemporary(const std::string& target, std::string* err) {
  int fd = -1;
#ifdef O_TMPFILE
  std::string folder;
  std::string base;
  SplitPath(target, &folder, &base);
  // A file without a name until Commit links it in: whatever ends the
  // program before then, even a signal that cannot be caught, leaves nothing.
  // The link goes through /proc, which must be there.
  int nameless =
      access("/proc/self/fd", X_OK) == 0
          ? open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
          : -1;
  if (nameless >= 0) {
    if (!DrawFreeName(target, &temporary_, err)) {
      close(nameless);
      temporary_.clear();
      return false;
    }
    nameless_ = true;
    fd = nameless;
  }
#endif
  if (fd < 0) {
    // O_EXCL with O_CREAT refuses any existing name, a symbolic link
    // included, so nothing planted there is followed or truncated.
    auto create = [&fd](const std::string& path) {
      fd = open(path.c_str(),
                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      return fd >= 0 ? 0 : errno;
    };
    if (!TakeHiddenName(target, nameSource_, create, &temporary_, err)) {
      return false;
    }
  }
  stream_ = fdopen(fd, "wb");
  if (stream_ == nullptr) {
    *err = Reason(errno);
    close(fd);
    Discard();
    return false;
  }
  return true;
}

// Gives the nameless file the name drawn for it, or a fresh one when that
// was taken meanwhile; linkat never follows or replaces what is there.
bool OutputFile::LinkNameless(int fd, std::string* err) {
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(),
               AT_SYMLINK_FOLLOW) == 0) {
      nameless_ = false;
      return true;
    }
    if (errno != EEXIST) break;
    if (!DrawFreeName(target_, &temporary_, err)) return false;
  }
  *err = "cannot replace the file: " + Reason(errno);
  return false;
}

std::string LostWrite(const std::string& target, const std::string& reason) {
  return "cannot write to " + target + ": " + reason;
}

bool OutputFile::Open(const std::string& path,
                      const std::vector<std::string>& inputs,
                      std::string* err) {
  shown_ = path == "-" ? "standard output" : path;
  if (OpenTarget(path, inputs, err)) return true;
  *err = shown_ + ": " + *err;
  return false;
}

bool OutputFile::Write(std::string_view text, std::string* err) {
  if (stream_ == nullptr) {
    *err = shown_ + ": not open";
    return false;
  }
  if (WriteStream(stream_, text, err)) return true;
  *err = LostWrite(shown_, *err);
  return false;
}

bool OutputFile::OpenTarget(const std::string& path,
                            const std::vector<std::string>& inputs,
                            std::string* err) {
  Discard();
  if (path.empty()) {
    *err = "an empty file name";
    return false;
  }
  std::vector<FileIdentity> identities = IdentitiesOf(inputs);

  if (path == "-") {
    struct stat info;
    int fd = fileno(standardOutput_);
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        RefuseInput(info, identities, err)) {
      return false;
    }
    stream_ = standardOutput_;
    mode_ = Mode::kStandardOutput;
    return true;
  }

  struct stat info;
  if (lstat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      *err = Reason(errno);
      return false;
    }
    if (path.back() == '/') {
      *err = "names a folder, not a file";
      return false;
    }
    if (!OpenTemporary(path, err)) return false;
    target_ = path;
    mode_ = Mode::kReplace;
    return true;
  }

  std::string target = path;
  if (S_ISLNK(info.st_mode)) {
    std::unique_ptr<char, decltype(&free)> resolved(
        realpath(path.c_str(), nullptr), &free);
    if (!resolved) {
      *err = errno == ENOENT ? "is a symbolic link to a file that does not "
                               "exist"
                             : Reason(errno);
      return false;
    }
    target = resolved.get();
    if (stat(target.c_str(), &info) != 0) {
      *err = Reason(errno);
      return false;
    }
  }
  if (RefuseInput(info, identities, err)) return false;

  if (S_ISDIR(info.st_mode)) {
    *err = Reason(EISDIR);
    return false;
  }
  if (S_ISREG(info.st_mode)) {
    // Root may write any file; a file nobody may write is still one its
    // owner meant to keep.
    if ((info.st_mode & 0222) == 0) {
      *err = "is read-only";
      return false;
    }
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      *err = "cannot be written: " + Reason(errno);
      return false;
    }
    if (!OpenTemporary(target, err)) return false;
    int fd = fileno(stream_);
    if (info.st_uid != geteuid() || info.st_gid != getegid()) {
      // Only root may give a file away; anyone else's replacement is theirs,
      // as a file they had written anew would be.
      (void)!fchown(fd, info.st_uid, info.st_gid);
    }
    if (fchmod(fd, info.st_mode & 07777) != 0) {
      *err = "cannot keep the file's mode: " + Reason(errno);
      Discard();
      return false;
    }
    target_ = target;
    mode_ = Mode::kReplace;
    return true;
  }
  if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode)) {
    *err = S_ISBLK(info.st_mode) ? "is a block device" : "is a socket";
    return false;
  }

  // A device or a FIFO is written as it is: the shell's `>` would do the
  // same, and renaming over it would replace the device node itself.
  pending_ = target;
  pendingDevice_ = info.st_dev;
  pendingInode_ = info.st_ino;
  mode_ = Mode::kPending;
  if (deferDevices_) return true;
  bool stopped = false;
  return OpenInPlace(nullptr, &stopped, err);
}

bool OutputFile::OpenInPlace(const std::atomic<int>* stop, bool* stopped,
                             std::string* err) {
  int fd = -1;
  // Without O_NONBLOCK a FIFO's open waits for a reader, and a stop signal
  // would not end the wait (the handler restarts it): the wait is done here.
  int flags =
      O_WRONLY | O_NOCTTY | O_CLOEXEC | (stop != nullptr ? O_NONBLOCK : 0);
  while ((fd = open(pending_.c_str(), flags)) < 0) {
    if (errno != ENXIO && errno != EINTR) {
      *err = Reason(errno);
      return false;
    }
    if (stop == nullptr) continue;
    if (stop->load() != 0) {
      *stopped = true;
      *err = "stopped while waiting for a reader";
      return false;
    }
    poll(nullptr, 0, kReaderPollMilliseconds);
  }
  if (stop != nullptr) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  struct stat opened;
  if (fstat(fd, &opened) != 0 || opened.st_dev != pendingDevice_ ||
      opened.st_ino != pendingInode_) {
    *err = "changed while it was being opened";
    close(fd);
    return false;
  }
  stream_ = fdopen(fd, "wb");
  if (stream_ == nullptr) {
    *err = Reason(errno);
    close(fd);
    return false;
  }
  mode_ = Mode::kInPlace;
  return true;
}

bool OutputFile::OpenPending(const std::atomic<int>* stop, bool* stopped,
                             std::string* err) {
  *stopped = false;
  if (mode_ != Mode::kPending) return true;
  static const std::atomic<int> kNever{0};
  if (OpenInPlace(stop != nullptr ? stop : &kNever, stopped, err)) return true;
  *err = shown_ + ": " + *err;
  return false;
}

bool OutputFile::Commit(std::string* err) {
  if (CommitTarget(err)) return true;
  *err = writeFailed_ ? LostWrite(shown_, *err) : shown_ + ": " + *err;
  return false;
}

bool OutputFile::CommitTarget(std::string* err) {
  writeFailed_ = true;
  switch (mode_) {
    case Mode::kClosed:
    case Mode::kPending:
      writeFailed_ = false;
      *err = "not open";
      return false;
    case Mode::kStandardOutput:
    case Mode::kInPlace: {
      bool written = FlushStream(stream_, err);
      if (mode_ == Mode::kInPlace) {
        errno = 0;
        if (fclose(stream_) != 0 && written) {
          *err = errno != 0 ? Reason(errno) : std::string("close failed");
          written = false;
        }
      }
      stream_ = nullptr;
      mode_ = Mode::kClosed;
      return written;
    }
    case Mode::kReplace:
      break;
  }

  bool done = FlushStream(stream_, err);
  // The rename must not reach the disk before the data it names does.
  if (done && fsync(fileno(stream_)) != 0) {
    *err = Reason(errno);
    done = false;
  }
  if (done && nameless_ && !LinkNameless(fileno(stream_), err)) {
    writeFailed_ = false;
    done = false;
  }
  errno = 0;
  int closed = fclose(stream_);
  stream_ = nullptr;
  if (done && closed != 0) {
    *err = errno != 0 ? Reason(errno) : std::string("close failed");
    done = false;
  }
  if (done && rename(temporary_.c_str(), target_.c_str()) != 0) {
    writeFailed_ = false;
    *err = "cannot replace the file: " + Reason(errno);
    done = false;
  }
  if (!done) {
    Discard();
    return false;
  }
  temporary_.clear();
  mode_ = Mode::kClosed;
  return true;
}
