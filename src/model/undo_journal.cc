#include "model/undo_journal.h"

void UndoJournal::Start() {
  recording_ = true;
  links_.clear();
  cutTypes_.clear();
  numbers_.clear();
  changedCuts_.clear();
}

void UndoJournal::Undo() {
  for (size_t i = links_.size(); i-- > 0;) *links_[i].first = links_[i].second;
  for (size_t i = cutTypes_.size(); i-- > 0;) {
    cutTypes_[i].first->value = cutTypes_[i].second;
  }
  for (size_t i = numbers_.size(); i-- > 0;) {
    *numbers_[i].first = numbers_[i].second;
  }
  links_.clear();
  cutTypes_.clear();
  numbers_.clear();
  changedCuts_.clear();
}
