#include "model/undo_journal.h"

void UndoJournal::Start() {
  recording_ = true;
  links_.clear();
  cutTypes_.clear();
  positions_.clear();
  changedCuts_.clear();
}

void UndoJournal::Undo() {
  for (size_t i = links_.size(); i-- > 0;) *links_[i].first = links_[i].second;
  for (size_t i = cutTypes_.size(); i-- > 0;) {
    cutTypes_[i].first->value = cutTypes_[i].second;
  }
  for (size_t i = positions_.size(); i-- > 0;) {
    positions_[i].first->position = positions_[i].second;
  }
  links_.clear();
  cutTypes_.clear();
  positions_.clear();
  changedCuts_.clear();
}
