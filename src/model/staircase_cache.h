// Area evaluation that reuses the work of the previous evaluation. Between
// annealing moves most of a floorplan is unchanged, and a subtree of a postfix
// expression is fixed by the tokens of its segment: a subtree ending at
// position e whose segment holds no changed token has the staircase it had in
// the last committed expression. So the cache keeps, per position, the token
// (module sides or cut direction; identifiers do not matter for the area) and
// the staircase of the subtree ending there, and an evaluation combines
// staircases only for subtrees whose segment holds a changed token: the cuts
// above the changed positions. What remains per evaluation is one walk over
// the expression, kept free of unpredictable branches.
//
// Use: Cost(candidate) for each candidate; Commit() when the candidate just
// evaluated becomes the one the next candidates are made from.
#ifndef FLOORPLAN_MODEL_STAIRCASE_CACHE_H_
#define FLOORPLAN_MODEL_STAIRCASE_CACHE_H_

#include <cstdint>
#include <vector>

#include "model/staircase.h"

struct Floorplan;

class StaircaseCache {
 public:
  // The smallest bounding area of `floorplan`, as Floorplan::Cost() gives it.
  int64_t Cost(const Floorplan& floorplan);
  // Makes the floorplan last passed to Cost() the reference of the next
  // evaluations.
  void Commit();

 private:
  // A staircase held at a position: `count` boxes from `first`, inside
  // `storage`, which only grows.
  struct Staircase {
    std::vector<Corner> storage;
    const Corner* first = nullptr;
    uint32_t count = 0;
  };
  // A subtree waiting on the evaluation stack for its parent cut.
  struct alignas(8) Pending {
    uint32_t position;  // where the subtree ends
    uint32_t changed;   // 1 if its segment holds a changed token
  };

  const Corner* CornersAt(Pending subtree, Corner moduleBoxes[2],
                          uint32_t* count) const;
  void Combine(uint32_t position, int32_t cutType, Pending left, Pending right);

  // What a position holds, as far as the area is concerned: 2^32 + 1 for a
  // 'V' cut, 2^32 for any other cut, width * 65536 + height for a module.
  std::vector<uint64_t> committedTokens_;
  std::vector<Staircase> committed_;  // per position, cuts only
  int64_t committedArea_ = 0;
  std::vector<uint64_t> tokens_;  // of the last evaluation
  std::vector<Staircase> fresh_;  // recombined, per position
  std::vector<uint32_t> freshPositions_;
  std::vector<uint32_t> changedPositions_;
  int64_t area_ = 0;
  std::vector<Pending> stack_;
};

#endif  // FLOORPLAN_MODEL_STAIRCASE_CACHE_H_
