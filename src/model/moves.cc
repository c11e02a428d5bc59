// The annealer's three neighbourhood moves. Each takes the annealer's random
// choice, tests whether it can be used, and either changes the Floorplan and
// reports success or leaves the Floorplan exactly as it was. Every field they
// change is written through SetLink or SetCutType, so that a recorded move
// can be taken back.
#include <cstdint>

#include "model/floorplan.h"

namespace {

bool IsVertical(int32_t cutType) { return cutType == kCutV; }

bool SameCutType(const Element* a, const Element* b) {
  return IsVertical(a->value) == IsVertical(b->value);
}

// Whether p may exchange places with the element after it, given the ballot
// count (Modules minus Cuts) of the elements before p: kSwapped if so, else
// why not.
SwapResult ExchangeRefusal(const Element* p, int64_t countBefore) {
  const Element* n = p->next;
  if (!p->isCut) {
    if (n == nullptr || !n->isCut) return SwapResult::kModuleNotBeforeCut;
    if (p->prev != nullptr && p->prev->isCut && SameCutType(p->prev, n))
      return SwapResult::kEqualCutsAroundModule;
    // Only the prefix ending at p's place changes: it now ends with the Cut.
    if (countBefore - 1 <= 0) return SwapResult::kPrefixNotPositive;
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
}

void Floorplan::SetCutType(Element* cut, int32_t cutType) {
  if (journal_.recording()) journal_.SaveCutType(cut);
  cut->value = cutType;
}

// The cut whose subtree holds `child` directly: the first Cut after it in the
// expression that names it as a child.
Cut* Floorplan::ParentOf(const Element* child) const {
  for (Element* element = child->next; element != nullptr;
       element = element->next) {
    if (element->isCut) {
      Cut* cut = AsCut(element);
      if (cut->right == child || cut->left == child) return cut;
    }
  }
  return nullptr;
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
  Element* before = p->prev;
  Element* after = n->next;
  SetLink(before == nullptr ? &head : &before->next, n);
  SetLink(&n->prev, before);
  SetLink(&n->next, p);
  SetLink(&p->prev, n);
  SetLink(&p->next, after);
  if (after != nullptr) SetLink(&after->prev, p);
}

// Exchanging two leaves of the tree exchanges their places in its postorder
// and moves nothing else, so the list is mended in place instead of being
// relinked from the tree: the result is the same list.
void Floorplan::BuildModuleLookup() {
  moduleById_.assign(static_cast<size_t>(numModules) + 1, nullptr);
  moduleLookupUsable_ = true;
  for (Module& module : modules_) {
    if (module.value < 0 || static_cast<uint32_t>(module.value) > numModules)
      continue;
    Module*& slot = moduleById_[static_cast<size_t>(module.value)];
    if (slot != nullptr) moduleLookupUsable_ = false;
    slot = &module;
  }
  moduleLookupBuilt_ = true;
}

Element* Floorplan::FindModule(int32_t id) {
  if (!moduleLookupBuilt_) BuildModuleLookup();
  if (moduleLookupUsable_ && id >= 0 &&
      static_cast<uint32_t>(id) <= numModules) {
    return moduleById_[static_cast<size_t>(id)];
  }
  Element* p = head;
  while (p != nullptr && (p->isCut || p->value != id)) p = p->next;
  return p;
}

bool Floorplan::SwapModules(int32_t id) {
  Element* p = FindModule(id);
  if (p == nullptr) return false;
  Element* q = p->next;
  while (q != nullptr && q->isCut) q = q->next;
  if (q == nullptr) return false;

  Cut* parentOfP = ParentOf(p);
  Cut* parentOfQ = ParentOf(q);
  ReplaceChild(parentOfP, p, q);
  ReplaceChild(parentOfQ, q, p);

  if (p->next == q) {
    ExchangeWithNext(p);
    return true;
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

// The cut with ordinal k is reached from whichever end of the list is
// nearer: the root is always the last element.
uint32_t Floorplan::ComplementChain(uint32_t k) {
  if (k >= numOperators) return 0;
  Element* cut;
  if (k < numOperators / 2) {
    cut = head;
    for (uint32_t cutsPassed = 0;; cut = cut->next) {
      if (cut->isCut && cutsPassed++ == k) break;
    }
  } else {
    uint32_t fromEnd = numOperators - 1 - k;
    cut = root;
    for (uint32_t cutsPassed = 0;; cut = cut->prev) {
      if (cut->isCut && cutsPassed++ == fromEnd) break;
    }
  }
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
  // Walk to p from the nearer end, and find the ballot count (Modules minus
  // Cuts) of the elements before it: every prefix of the current expression
  // is positive, and the whole expression counts 1.
  Element* p;
  int64_t countBefore = 0;
  if (pos < elements / 2) {
    p = head;
    for (uint32_t i = 0; i < pos; ++i) {
      countBefore += p->isCut ? -1 : 1;
      p = p->next;
    }
  } else {
    p = root;
    int64_t countFromP = p->isCut ? -1 : 1;
    for (uint64_t i = elements - 1; i > pos; --i) {
      p = p->prev;
      countFromP += p->isCut ? -1 : 1;
    }
    countBefore = 1 - countFromP;
  }
  SwapResult refusal = ExchangeRefusal(p, countBefore);
  if (refusal != SwapResult::kSwapped) return refusal;
  Element* n = p->next;
  if (!p->isCut) {
    // "K L p n" becomes "K L n p": the cut n now joins K and L, and p takes
    // n's place under n's parent, as n takes K's under K's parent. K is the
    // subtree just before L, so the ballot test above guarantees it.
    Cut* cut = AsCut(n);
    Element* subtreeL = cut->left;
    Element* leftmostOfL = subtreeL;
    while (leftmostOfL->isCut) leftmostOfL = AsCut(leftmostOfL)->left;
    Element* subtreeK = leftmostOfL->prev;
    Cut* parentOfCut = ParentOf(cut);
    Cut* parentOfK = ParentOf(subtreeK);
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
    Cut* parentOfCut = ParentOf(cut);
    Cut* parentOfN = ParentOf(n);
    ReplaceChild(parentOfCut, cut, subtreeX);
    ReplaceChild(parentOfN, n, cut);
    SetChild(cut, &cut->left, subtreeY);
    SetChild(cut, &cut->right, n);
  }
  ExchangeWithNext(p);
  return SwapResult::kSwapped;
}

bool Floorplan::HasExchangeBelow(uint64_t positions) const {
  int64_t countBefore = 0;
  uint64_t pos = 0;
  for (const Element* p = head; p != nullptr && pos < positions;
       p = p->next, ++pos) {
    if (ExchangeRefusal(p, countBefore) == SwapResult::kSwapped) return true;
    countBefore += p->isCut ? -1 : 1;
  }
  return false;
}

bool Floorplan::HasBothCutTypes() const {
  bool seenVertical = false;
  bool seenOther = false;
  for (const Element* element = head; element != nullptr;
       element = element->next) {
    if (!element->isCut) continue;
    if (IsVertical(element->value)) {
      if (seenOther) return true;
      seenVertical = true;
    } else {
      if (seenVertical) return true;
      seenOther = true;
    }
  }
  return false;
}
