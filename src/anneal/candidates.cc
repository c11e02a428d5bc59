#include "anneal/candidates.h"

#include <utility>

#include "model/area_tracker.h"
#include "model/shape_list.h"

namespace {

class CopyingCandidates : public Candidates {
 public:
  CopyingCandidates(std::unique_ptr<Floorplan> initial, const ShapeCost& cost)
      : current_(std::move(initial)), cost_(cost) {}

  Area Start() override { return ReferenceCost(*current_, cost_); }
  Floorplan* StartCandidate() override {
    candidate_ = current_->Copy();
    return candidate_.get();
  }
  Area CandidateCost() override { return ReferenceCost(*candidate_, cost_); }
  void Accept() override { current_ = std::move(candidate_); }
  void Reject() override { candidate_.reset(); }
  const Floorplan& current() const override { return *current_; }

 private:
  std::unique_ptr<Floorplan> current_;
  std::unique_ptr<Floorplan> candidate_;
  ShapeCost cost_;
};

class RecordingCandidates : public Candidates {
 public:
  RecordingCandidates(std::unique_ptr<Floorplan> initial,
                      const ShapeCost& cost)
      : current_(std::move(initial)), areas_(cost) {}

  Area Start() override { return areas_.Start(*current_); }
  Floorplan* StartCandidate() override {
    current_->StartRecording();
    return current_.get();
  }
  Area CandidateCost() override { return areas_.CostOfRecordedMove(*current_); }
  void Accept() override { areas_.Commit(); }
  void Reject() override { current_->UndoRecorded(); }
  const Floorplan& current() const override { return *current_; }

 private:
  std::unique_ptr<Floorplan> current_;
  AreaTracker areas_;
};

}  // namespace

std::unique_ptr<Candidates> MakeCopyingCandidates(
    std::unique_ptr<Floorplan> initial, const ShapeCost& cost) {
  return std::make_unique<CopyingCandidates>(std::move(initial), cost);
}

std::unique_ptr<Candidates> MakeRecordingCandidates(
    std::unique_ptr<Floorplan> initial, const ShapeCost& cost) {
  return std::make_unique<RecordingCandidates>(std::move(initial), cost);
}
