// A compact record of a run that writes no log, from which that run's log is
// written afterwards, byte for byte, without running it again. It holds what
// the short log form (kVerboseBelow modules on) prints and nothing more: the
// initial cost, each move's candidate cost and decision, and the best
// Floorplan with its cost. The move numbers are counted again.
//
// A move takes one varint: the candidate's cost less the current cost,
// zigzagged, with the decision in the low bit; late in a run, when the
// candidates lie near the current floorplan, two or three bytes. Bytes go to
// memory up to a limit, then to a temporary file that is unlinked as it is
// created, so that nothing stays behind whatever ends the program. A record
// whose file cannot be written is marked failed and says so; its run must
// be replayed to get its log. docs/search.md tells what a record costs.
//
// One run fills a record (Start, Add per move, Finish); it is read only
// after that, from any thread. The record owns its memory, its file
// descriptor and the copy of the best Floorplan.
#ifndef FLOORPLAN_ANNEAL_MOVE_RECORD_H_
#define FLOORPLAN_ANNEAL_MOVE_RECORD_H_

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/area.h"
#include "model/floorplan.h"

class MoveLog;

class MoveRecord {
 public:
  // Past `memoryLimit` bytes the record goes to a temporary file in
  // `folder` (empty: $TMPDIR, else /tmp).
  explicit MoveRecord(size_t memoryLimit = kDefaultMemoryLimit,
                      std::string folder = "");
  ~MoveRecord();
  MoveRecord(const MoveRecord&) = delete;
  MoveRecord& operator=(const MoveRecord&) = delete;

  static constexpr size_t kDefaultMemoryLimit = size_t{16} << 20;

  void Start(Area initialCost);
  void Add(Area cost, bool accepted) {
    if (block_.size() - used_ < kLongestVarint) Seal();
    Area delta = cost - current_;
    if (accepted) current_ = cost;
    // Costs are areas far below 2^126, so the zigzagged difference keeps
    // its top bit free for the shift.
    unsigned __int128 zigzag = (static_cast<unsigned __int128>(delta) << 1) ^
                               static_cast<unsigned __int128>(delta >> 127);
    unsigned __int128 value = (zigzag << 1) | (accepted ? 1u : 0u);
    uint8_t* out = block_.data() + used_;
    while (value >= 0x80) {
      *out++ = static_cast<uint8_t>(value) | 0x80;
      value >>= 7;
    }
    *out++ = static_cast<uint8_t>(value);
    used_ = static_cast<size_t>(out - block_.data());
    ++moves_;
  }
  void Finish(const Floorplan& best, Area bestCost);

  // Whether the record is whole: Finish was called and nothing was lost.
  bool complete() const { return finished_ && !failed_; }
  // Why a record is not whole, for a message.
  const std::string& failure() const { return failure_; }
  uint64_t moves() const { return moves_; }
  // The bytes held in memory and in the temporary file.
  uint64_t memoryBytes() const;
  uint64_t fileBytes() const { return fileBytes_; }

  // Writes the run's log to `log`, through the same writer a logging run
  // uses; stops early when `stop` becomes non-zero. False, with the reason
  // (a lost write is the log's error; a record that cannot be read back
  // says so), when the log was not written whole.
  enum class Written { kWhole, kStopped, kFailed };
  Written WriteLog(MoveLog* log, const std::atomic<int>* stop,
                   std::string* reason) const;

 private:
  static constexpr size_t kBlockSize = size_t{1} << 20;
  static constexpr size_t kLongestVarint = 19;  // 128 bits, 7 a byte

  // Moves the filled part of the block to memory or to the file.
  void Seal();
  bool Spill(const uint8_t* data, size_t size);
  bool ReadBack(uint64_t at, uint8_t* data, size_t size) const;

  size_t memoryLimit_;
  std::string folder_;
  std::vector<uint8_t> block_;
  size_t used_ = 0;
  std::vector<std::vector<uint8_t>> sealed_;  // before the file, in order
  uint64_t sealedBytes_ = 0;
  int fd_ = -1;
  uint64_t fileBytes_ = 0;  // the bytes after the sealed ones

  Area initialCost_ = 0;
  Area current_ = 0;
  uint64_t moves_ = 0;
  std::unique_ptr<Floorplan> best_;
  Area bestCost_ = 0;
  bool finished_ = false;
  bool failed_ = false;
  std::string failure_;
};

#endif  // FLOORPLAN_ANNEAL_MOVE_RECORD_H_
