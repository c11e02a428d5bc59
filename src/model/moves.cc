// The annealer's three neighbourhood moves. Each takes the annealer's random
// choice, tests whether it can be used, and either changes the Floorplan and
// reports success or leaves the Floorplan exactly as it was. Every field they
// change is written through SetLink or SetCutType, so that a recorded move
// can be taken back.
#include <algorithm>
#include <cstdint>

#include "model/floorplan.h"

namespace {

bool IsVertical(int32_t cutType) { return cutType == kCutV; }

bool SameCutType(const Element* a, const Element* b) {
  return IsVertical(a->value) == IsVertical(b->value);
}

// Whether p may exchange places with the element after it: kSwapped if so,
// else why not. `subtreesBefore` is the ballot count (Modules minus Cuts) of
// the elements before p, the number of complete subtrees they hold.
SwapResult ExchangeRefusal(const Element* p, uint32_t subtreesBefore) {
  const Element* n = p->next;
  if (!p->isCut) {
    if (n == nullptr || !n->isCut) return SwapResult::kModuleNotBeforeCut;
    if (p->prev != nullptr && p->prev->isCut && SameCutType(p->prev, n))
      return SwapResult::kEqualCutsAroundModule;
    // Only the prefix ending at p's place changes: it now ends with the Cut.
    if (subtreesBefore <= 1) return SwapResult::kPrefixNotPositive;
  } else {
    if (n == nullptr || n->isCut) return SwapResult::kCutNotBeforeModule;
    if (n->next != nullptr && n->next->isCut && SameCutType(n->next, p))
      return SwapResult::kEqualCutsAfterModule;
    // A Module moving forward only raises the prefix counts.
  }
  return SwapResult::kSwapped;
}

}  // namespace

void Floorplan::SetLink(Element** field, Element* value) {
  if (*field == value) return;
  if (journal_.recording()) journal_.SaveLink(field);
  *field = value;
}

void Floorplan::SetChild(Cut* cut, Element** field, Element* value) {
  if (*field == value) return;
  if (journal_.recording()) journal_.NoteChangedCut(cut);
  SetLink(field, value);
  SetLink(&value->parent, cut);
}

void Floorplan::SetNumber(uint32_t* field, uint32_t value) {
  if (journal_.recording()) journal_.SaveNumber(field);
  *field = value;
}

void Floorplan::SetCutType(Element* cut, int32_t cutType) {
  if (tablesBuilt_ && IsVertical(cutType) != IsVertical(cut->value)) {
    SetNumber(&verticalCuts_,
              IsVertical(cutType) ? verticalCuts_ + 1 : verticalCuts_ - 1);
  }
  if (journal_.recording()) journal_.SaveCutType(cut);
  cut->value = cutType;
}

void Floorplan::PlaceAt(uint32_t position, Element* element) {
  SetLink(&byPosition_[position], element);
  SetNumber(&element->position, position);
}

// The child field that holds `oldChild`, tested right first, receives
// `newChild`.
void Floorplan::ReplaceChild(Cut* parent, const Element* oldChild,
                             Element* newChild) {
  if (parent->right == oldChild) {
    SetChild(parent, &parent->right, newChild);
  } else {
    SetChild(parent, &parent->left, newChild);
  }
}

// Exchanges p with its successor in the list; the tree is left alone.
void Floorplan::ExchangeWithNext(Element* p) {
  Element* n = p->next;
  if (tablesBuilt_) {
    uint32_t position = p->position;
    PlaceAt(position, n);
    PlaceAt(position + 1, p);
    if (p->isCut != n->isCut) {
      uint32_t before = ballot_[position];
      SetNumber(&ballot_[position + 1], n->isCut ? before - 1 : before + 1);
    }
  }
  Element* before = p->prev;
  Element* after = n->next;
  SetLink(before == nullptr ? &head : &before->next, n);
  SetLink(&n->prev, before);
  SetLink(&n->next, p);
  SetLink(&p->prev, n);
  SetLink(&p->next, after);
  if (after != nullptr) SetLink(&after->prev, p);
}

// One walk of the expression fills the order tables; the modules are
// looked at in the arrays' order, which no move changes.
void Floorplan::BuildTables() {
  moduleById_.assign(static_cast<size_t>(numModules) + 1, nullptr);
  moduleByIdUsable_ = true;
  for (Module& module : modules_) {
    if (module.value < 0 || static_cast<uint32_t>(module.value) > numModules)
      continue;
    Module*& slot = moduleById_[static_cast<size_t>(module.value)];
    if (slot != nullptr) moduleByIdUsable_ = false;
    slot = &module;
  }
  cutByRank_.clear();
  byPosition_.clear();
  ballot_.clear();
  verticalCuts_ = 0;
  uint32_t ballot = 0;
  for (Element* element = head; element != nullptr; element = element->next) {
    element->position = static_cast<uint32_t>(byPosition_.size());
    byPosition_.push_back(element);
    ballot_.push_back(ballot);
    if (element->isCut) {
      cutByRank_.push_back(AsCut(element));
      if (IsVertical(element->value)) ++verticalCuts_;
      --ballot;
    } else {
      ++ballot;
    }
  }
  exchangeHint_ = 0;
  tablesBuilt_ = true;
}

Element* Floorplan::FindModule(int32_t id) {
  if (!tablesBuilt_) BuildTables();
  if (moduleByIdUsable_ && id >= 0 &&
      static_cast<uint32_t>(id) <= numModules) {
    return moduleById_[static_cast<size_t>(id)];
  }
  Element* p = head;
  while (p != nullptr && (p->isCut || p->value != id)) p = p->next;
  return p;
}

// Exchanging two leaves of the tree exchanges their places in its postorder
// and moves nothing else, so the list is mended in place instead of being
// relinked from the tree: the result is the same list.
bool Floorplan::SwapModules(int32_t id) {
  Element* p = FindModule(id);
  if (p == nullptr) return false;
  Element* q = p->next;
  while (q != nullptr && q->isCut) q = q->next;
  if (q == nullptr) return false;

  Cut* parentOfP = AsCut(p->parent);
  Cut* parentOfQ = AsCut(q->parent);
  ReplaceChild(parentOfP, p, q);
  ReplaceChild(parentOfQ, q, p);

  if (p->next == q) {
    ExchangeWithNext(p);
    return true;
  }
  if (tablesBuilt_) {
    uint32_t positionOfP = p->position;
    PlaceAt(q->position, p);
    PlaceAt(positionOfP, q);
  }
  Element* beforeP = p->prev;
  Element* afterP = p->next;
  Element* beforeQ = q->prev;
  Element* afterQ = q->next;
  SetLink(beforeP == nullptr ? &head : &beforeP->next, q);
  SetLink(&q->prev, beforeP);
  SetLink(&q->next, afterP);
  SetLink(&afterP->prev, q);
  SetLink(&beforeQ->next, p);
  SetLink(&p->prev, beforeQ);
  SetLink(&p->next, afterQ);
  if (afterQ != nullptr) SetLink(&afterQ->prev, p);
  return true;
}

uint32_t Floorplan::ComplementChain(uint32_t k) {
  if (k >= numOperators) return 0;
  if (!tablesBuilt_) BuildTables();
  Element* cut = cutByRank_[k];
  Element* module = cut->prev;
  while (module->isCut) module = module->prev;
  uint32_t changed = 0;
  for (Element* element = module->next; element != nullptr && element->isCut;
       element = element->next) {
    SetCutType(element, ComplementOf(element->value));
    ++changed;
  }
  return changed;
}

// After the exchange only a few children change, so the tree is mended where
// the exchange touched it instead of being rebuilt from the whole list; the
// result is the tree RebuildTree would give.
SwapResult Floorplan::SwapModuleAndCut(uint32_t pos) {
  uint64_t elements = uint64_t{numModules} + numOperators;
  if (pos > elements + 1) return SwapResult::kBeyondEnd;
  if (pos >= elements) return SwapResult::kNoElement;
  if (!tablesBuilt_) BuildTables();
  Element* p = byPosition_[pos];
  SwapResult refusal = ExchangeRefusal(p, ballot_[pos]);
  if (refusal != SwapResult::kSwapped) return refusal;
  Element* n = p->next;
  if (!p->isCut) {
    // "K L p n" becomes "K L n p": the cut n now joins K and L, and p takes
    // n's place under n's parent, as n takes K's under K's parent. K is the
    // subtree just before L, which the test above guarantees: it ends just
    // before L's first element.
    Cut* cut = AsCut(n);
    Element* subtreeL = cut->left;
    const Element* leftmostOfL = subtreeL;
    while (leftmostOfL->isCut) leftmostOfL = AsCut(leftmostOfL)->left;
    Element* subtreeK = leftmostOfL->prev;
    Cut* parentOfCut = AsCut(cut->parent);
    Cut* parentOfK = AsCut(subtreeK->parent);
    // In this order, also right when both parents are one cut.
    ReplaceChild(parentOfCut, cut, p);
    ReplaceChild(parentOfK, subtreeK, cut);
    SetChild(cut, &cut->left, subtreeK);
    SetChild(cut, &cut->right, subtreeL);
  } else {
    // "X Y p n" becomes "X Y n p": the cut p now joins Y and n, and X takes
    // p's place under p's parent, as p takes n's under n's parent.
    Cut* cut = AsCut(p);
    Element* subtreeX = cut->left;
    Element* subtreeY = cut->right;
    Cut* parentOfCut = AsCut(cut->parent);
    Cut* parentOfN = AsCut(n->parent);
    ReplaceChild(parentOfCut, cut, subtreeX);
    ReplaceChild(parentOfN, n, cut);
    SetChild(cut, &cut->left, subtreeY);
    SetChild(cut, &cut->right, n);
  }
  ExchangeWithNext(p);
  return SwapResult::kSwapped;
}

// The place found last is tried first: the moves seldom change the front of
// the expression, where the first place that admits an exchange lies.
bool Floorplan::HasExchangeBelow(uint64_t positions) {
  if (!tablesBuilt_) BuildTables();
  uint64_t end = std::min<uint64_t>(positions, byPosition_.size());
  if (exchangeHint_ < end && AdmitsExchange(exchangeHint_)) return true;
  for (uint32_t pos = 0; pos < end; ++pos) {
    if (AdmitsExchange(pos)) {
      exchangeHint_ = pos;
      return true;
    }
  }
  return false;
}

bool Floorplan::AdmitsExchange(uint32_t pos) const {
  return ExchangeRefusal(byPosition_[pos], ballot_[pos]) ==
         SwapResult::kSwapped;
}

bool Floorplan::HasBothCutTypes() {
  if (!tablesBuilt_) BuildTables();
  return verticalCuts_ != 0 && verticalCuts_ != numOperators;
}
