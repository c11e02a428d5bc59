// How the annealer tries a move on the current Floorplan. Two ways give the
// same candidates, costs and decisions:
// - copying: every candidate is a fresh copy of the current Floorplan, its
//   area evaluated with whole shape lists; the plain reference;
// - recording: the move is applied to the current Floorplan itself with every
//   overwritten link recorded, taken back from that record when the
//   candidate is rejected, and its area found by recombining only the cuts
//   the move changed; the fast way every real run takes.
#ifndef FLOORPLAN_ANNEAL_CANDIDATES_H_
#define FLOORPLAN_ANNEAL_CANDIDATES_H_

#include <memory>

#include "model/area.h"
#include "model/floorplan.h"
#include "model/shape_cost.h"

class Candidates {
 public:
  virtual ~Candidates() = default;

  // The area of the current Floorplan.
  virtual Area Start() = 0;
  // The Floorplan to apply the next move to; it is the candidate until
  // Accept() or Reject().
  virtual Floorplan* StartCandidate() = 0;
  // The area of the candidate, after its move.
  virtual Area CandidateCost() = 0;
  // The candidate becomes the current Floorplan.
  virtual void Accept() = 0;
  // The current Floorplan stays as it was before the candidate.
  virtual void Reject() = 0;
  // Valid outside a candidate's life, and inside it for the copying way.
  virtual const Floorplan& current() const = 0;
};

// Both own the Floorplan they are given; the areas they give are `cost`'s.
std::unique_ptr<Candidates> MakeCopyingCandidates(
    std::unique_ptr<Floorplan> initial, const ShapeCost& cost);
std::unique_ptr<Candidates> MakeRecordingCandidates(
    std::unique_ptr<Floorplan> initial, const ShapeCost& cost);

#endif  // FLOORPLAN_ANNEAL_CANDIDATES_H_
