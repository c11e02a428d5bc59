// How every program of the project writes a result file, so that a failure
// never leaves a half-written file or clobbers one the user meant to keep.
#ifndef FLOORPLAN_IO_OUTPUT_FILE_H_
#define FLOORPLAN_IO_OUTPUT_FILE_H_

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes `text` whole to `file`. False, with the reason (the system's text),
// when a write fails or the stream already carries an error from an earlier
// write. Buffered bytes may still fail later: FlushStream
// (or OutputFile::Commit) tells.
bool WriteStream(FILE* file, std::string_view text, std::string* err);

// Flushes `file`; false, with the reason as above, when that fails or when an
// earlier write to the stream failed. A full disk (`> /dev/full`) or a closed
// standard output shows here.
bool FlushStream(FILE* file, std::string* err);

// The one text of every program for a lost write:
// "cannot write to TARGET: REASON".
std::string LostWrite(const std::string& target, const std::string& reason);

// One result file of a program, from Open to Commit. Where it goes depends on
// the target as Open finds it:
// - "-": the standard output stream given at construction, written in place
//   (Commit flushes it but leaves it open).
// - a path that does not exist yet, or a regular file: a temporary file
//   beside the target, renamed over the target by Commit once every write,
//   the flush, the sync and the close succeeded. Where the system allows it
//   (O_TMPFILE), the file has no name until Commit links it to a fresh
//   hidden one, so nothing is left behind whatever ends the program;
//   elsewhere it is created exclusively under such a name (never at a fixed
//   name, never through a symbolic link). A new file gets
//   0666 & ~umask; a replaced one keeps its mode (and, where allowed, its
//   owner).
// - a symbolic link: what it points to, resolved when Open runs; the link
//   stays. A link to nothing is refused.
// - a character device or a FIFO: opened for writing as it is (no creation,
//   no truncation) and written in place; never renamed over.
// - a directory, a block device, a socket, a regular file without any write
//   permission bit or one the program may not write, or any of the inputs
//   (compared as files: device and inode numbers) is refused.
// An object destroyed without a successful Commit removes its temporary file,
// so every existing file is left exactly as it was. The object owns the
// stream and the temporary file; it prints nothing.
class OutputFile {
 public:
  // `standardOutput` is the stream "-" stands for; the caller owns it.
  explicit OutputFile(FILE* standardOutput = stdout);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Prepares `path` for writing. `inputs` are the paths the program reads;
  // "-" among them (standard input) is not compared. Returns false when the
  // target is refused or cannot be prepared. Every message of the object is
  // whole, naming the target ("PATH: reason", "standard output" for "-") or
  // telling a lost write (LostWrite).
  bool Open(const std::string& path, const std::vector<std::string>& inputs,
            std::string* err);

  // A device or FIFO is then only checked by Open and opened by OpenPending,
  // so that a FIFO without a reader holds nothing up until it is written.
  void DeferDevices() { deferDevices_ = true; }
  // Opens the device or FIFO that Open checked, waiting for a FIFO's reader
  // until `stop` (when set) becomes non-zero; `*stopped` then tells.
  // Without one pending, does nothing. False, with the message, when it
  // cannot be opened or the wait was stopped.
  bool OpenPending(const std::atomic<int>* stop, bool* stopped,
                   std::string* err);

  // Where to write between Open and Commit; null otherwise.
  FILE* stream() const { return stream_; }
  // Writes `text` to stream(); false, with the message, when that fails.
  bool Write(std::string_view text, std::string* err);

  // Flushes and closes what Open prepared and, for a temporary file, renames
  // it over the target. Returns false, with the message, when any step
  // fails; a temporary file is then removed and the target left as it was.
  bool Commit(std::string* err);

  // Replaces the random source of the temporary files' names, which are
  // HiddenName(target, draw) (tests use it to know the names in advance).
  void SetNameSource(std::function<uint64_t()> source) {
    nameSource_ = std::move(source);
  }

 private:
  enum class Mode { kClosed, kStandardOutput, kPending, kInPlace, kReplace };

  bool OpenTarget(const std::string& path,
                  const std::vector<std::string>& inputs, std::string* err);
  bool CommitTarget(std::string* err);
  bool OpenTemporary(const std::string& target, std::string* err);
  bool DrawFreeName(const std::string& target, std::string* name,
                    std::string* err);
  bool LinkNameless(int fd, std::string* err);
  bool OpenInPlace(const std::atomic<int>* stop, bool* stopped,
                   std::string* err);
  void Discard();

  FILE* standardOutput_;
  std::function<uint64_t()> nameSource_;
  Mode mode_ = Mode::kClosed;
  FILE* stream_ = nullptr;
  std::string target_;  // the file renamed over, for Mode::kReplace
  // Empty unless a temporary file exists; the name a nameless one takes.
  std::string temporary_;
  bool nameless_ = false;     // the temporary file has no name yet
  std::string shown_;         // how the messages name the target
  bool writeFailed_ = false;  // whether Commit failed at a write
  bool deferDevices_ = false;
  // The device or FIFO Open checked, for OpenPending.
  std::string pending_;
  dev_t pendingDevice_ = 0;
  ino_t pendingInode_ = 0;
};

#endif  // FLOORPLAN_IO_OUTPUT_FILE_H_
