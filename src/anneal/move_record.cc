#include "anneal/move_record.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "anneal/move_log.h"

namespace {

// How often, in moves, writing a log looks at the stop flag and the log's
// error: often enough to stop within a millisecond or so.
constexpr uint64_t kCheckEvery = 1 << 14;

std::string TemporaryFolder(const std::string& folder) {
  if (!folder.empty()) return folder;
  const char* tmpdir = getenv("TMPDIR");
  return tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp";
}

// A file with no name in `folder`, or -1 with errno set. O_TMPFILE never
// gives it one; where the file system lacks it, a unique name is removed at
// once, so in either case the file goes when its descriptor closes.
int NamelessFile(const std::string& folder) {
#ifdef O_TMPFILE
  int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
#endif
  std::string path = folder + "/.floorplan-record.XXXXXX";
  int named = mkostemp(&path[0], O_CLOEXEC);
  if (named >= 0) unlink(path.c_str());
  return named;
}

}  // namespace

MoveRecord::MoveRecord(size_t memoryLimit, std::string folder)
    : memoryLimit_(memoryLimit), folder_(std::move(folder)) {}

MoveRecord::~MoveRecord() {
  if (fd_ >= 0) close(fd_);
}

void MoveRecord::Start(Area initialCost) {
  initialCost_ = current_ = initialCost;
  block_.resize(kBlockSize);
}

void MoveRecord::Finish(const Floorplan& best, Area bestCost) {
  best_ = best.Copy();
  bestCost_ = bestCost;
  finished_ = true;
  // What the block holds moves to a stretch of its own size.
  Seal();
  std::vector<uint8_t>().swap(block_);
}

uint64_t MoveRecord::memoryBytes() const {
  return sealedBytes_ + block_.capacity();
}

void MoveRecord::Seal() {
  if (used_ == 0) return;
  if (!failed_) {
    if (fd_ < 0 && sealedBytes_ + used_ <= memoryLimit_) {
      sealed_.emplace_back(block_.begin(), block_.begin() + used_);
      sealedBytes_ += used_;
    } else if (!Spill(block_.data(), used_)) {
      failed_ = true;
      sealed_.clear();
      sealedBytes_ = 0;
    }
  }
  used_ = 0;
}

bool MoveRecord::Spill(const uint8_t* data, size_t size) {
  if (fd_ < 0) {
    std::string folder = TemporaryFolder(folder_);
    fd_ = NamelessFile(folder);
    if (fd_ < 0) {
      failure_ = "cannot create a temporary file in " + folder + ": " +
                 strerror(errno);
      return false;
    }
  }
  while (size > 0) {
    ssize_t written = pwrite(fd_, data, size, static_cast<off_t>(fileBytes_));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failure_ = std::string("cannot write the record: ") +
                 (written < 0 ? strerror(errno) : "nothing written");
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
    fileBytes_ += static_cast<uint64_t>(written);
  }
  return true;
}

bool MoveRecord::ReadBack(uint64_t at, uint8_t* data, size_t size) const {
  while (size > 0) {
    ssize_t got = pread(fd_, data, size, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= static_cast<size_t>(got);
    at += static_cast<uint64_t>(got);
  }
  return true;
}

MoveRecord::Written MoveRecord::WriteLog(MoveLog* log,
                                         const std::atomic<int>* stop,
                                         std::string* reason) const {
  if (!complete()) {
    *reason = finished_ ? failure_ : "the run did not finish";
    return Written::kFailed;
  }
  WriteInitialReport(log, nullptr, initialCost_);
  Area current = initialCost_;
  uint32_t number = 0;  // written as a signed 32-bit value, as a run does
  uint64_t decoded = 0;
  unsigned __int128 value = 0;
  unsigned shift = 0;
  bool stopped = false;
  // Decodes one stretch of bytes; false once the log should stop.
  auto decode = [&](const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
      value |= static_cast<unsigned __int128>(data[i] & 0x7F) << shift;
      shift += 7;
      if (data[i] & 0x80) continue;
      bool accepted = (value & 1) != 0;
      unsigned __int128 zigzag = value >> 1;
      Area delta =
          static_cast<Area>(zigzag >> 1) ^ -static_cast<Area>(zigzag & 1);
      Area cost = current + delta;
      log->MoveNumber(static_cast<int32_t>(++number));
      log->Cost(cost);
      WriteVerdict(log, accepted);
      if (accepted) current = cost;
      value = 0;
      shift = 0;
      if (++decoded % kCheckEvery == 1 &&
          (log->error() != 0 ||
           (stop != nullptr && stop->load(std::memory_order_relaxed) != 0))) {
        stopped = log->error() == 0;
        return false;
      }
    }
    return true;
  };
  bool going = true;
  for (const std::vector<uint8_t>& block : sealed_) {
    if (!(going = decode(block.data(), block.size()))) break;
  }
  if (going && fd_ >= 0) {
    std::vector<uint8_t> buffer(std::min<uint64_t>(kBlockSize, fileBytes_));
    for (uint64_t at = 0; going && at < fileBytes_; at += buffer.size()) {
      size_t size = static_cast<size_t>(
          std::min<uint64_t>(buffer.size(), fileBytes_ - at));
      if (!ReadBack(at, buffer.data(), size)) {
        *reason = std::string("cannot read the record back: ") +
                  (errno != 0 ? strerror(errno) : "end of file");
        return Written::kFailed;
      }
      going = decode(buffer.data(), size);
    }
  }
  if (going) going = decode(block_.data(), used_);
  if (stopped) return Written::kStopped;
  if (going) WriteFinalReport(log, *best_, bestCost_);
  if (!log->Flush() || !going) {
    *reason = strerror(log->error());
    return Written::kFailed;
  }
  if (decoded != moves_) {
    *reason = "the record holds " + std::to_string(decoded) + " of its " +
              std::to_string(moves_) + " moves";
    return Written::kFailed;
  }
  return Written::kWhole;
}
