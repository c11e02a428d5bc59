// What the moves of a Floorplan overwrote since recording started, so that a
// rejected move can be taken back instead of every candidate being a copy.
// Every link a move or the tree mending writes, every cut type it
// complements and every number of the order tables it changes (a place, a
// count) is saved with its old value; Undo() restores them last first.
// It also lists the cuts whose children or type changed, which is all the
// area tracker needs to recombine.
//
// Owned by its Floorplan, whose elements the saved fields belong to.
#ifndef FLOORPLAN_MODEL_UNDO_JOURNAL_H_
#define FLOORPLAN_MODEL_UNDO_JOURNAL_H_

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/element.h"

class UndoJournal {
 public:
  // Starts recording afresh; what was recorded before is forgotten.
  void Start();
  bool recording() const { return recording_; }

  // Called before the field is overwritten.
  void SaveLink(Element** field) { links_.push_back({field, *field}); }
  void SaveCutType(Element* cut) {
    cutTypes_.push_back({cut, cut->value});
    changedCuts_.push_back(AsCut(cut));
  }
  void NoteChangedCut(Cut* cut) { changedCuts_.push_back(cut); }
  void SaveNumber(uint32_t* field) { numbers_.push_back({field, *field}); }

  // Restores every saved field, last first, and forgets them; recording
  // goes on.
  void Undo();

  // The cuts whose children or type changed, in the order of the changes,
  // possibly more than once.
  const std::vector<Cut*>& changedCuts() const { return changedCuts_; }

 private:
  bool recording_ = false;
  std::vector<std::pair<Element**, Element*>> links_;
  std::vector<std::pair<Element*, int32_t>> cutTypes_;
  std::vector<std::pair<uint32_t*, uint32_t>> numbers_;
  std::vector<Cut*> changedCuts_;
};

#endif  // FLOORPLAN_MODEL_UNDO_JOURNAL_H_
