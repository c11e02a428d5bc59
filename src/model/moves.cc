// The annealer's three neighbourhood moves. Each takes the annealer's random
// choice, tests whether it can be used, and either changes the Floorplan and
// reports success or leaves the Floorplan exactly as it was.
#include <cstdint>

#include "model/floorplan.h"

namespace {

bool IsVertical(int32_t cutType) { return cutType == kCutV; }

bool SameCutType(const Element* a, const Element* b) {
  return IsVertical(a->value) == IsVertical(b->value);
}

// The cut whose subtree holds `child` directly: the first Cut after it in the
// expression that names it as a child.
Cut* ParentOf(const Element* child) {
  for (Element* element = child->next; element != nullptr;
       element = element->next) {
    if (element->isCut) {
      Cut* cut = AsCut(element);
      if (cut->right == child || cut->left == child) return cut;
    }
  }
  return nullptr;
}

void ReplaceChild(Cut* parent, const Element* oldChild, Element* newChild) {
  if (parent->right == oldChild) {
    parent->right = newChild;
  } else {
    parent->left = newChild;
  }
}

}  // namespace

// Exchanging two leaves of the tree exchanges their places in its postorder
// and moves nothing else, so the list is mended in place instead of being
// relinked from the tree: the result is the same list.
bool Floorplan::SwapModules(int32_t id) {
  Element* p = head;
  while (p != nullptr && (p->isCut || p->value != id)) p = p->next;
  if (p == nullptr) return false;
  Element* q = p->next;
  while (q != nullptr && q->isCut) q = q->next;
  if (q == nullptr) return false;

  Cut* parentOfP = ParentOf(p);
  Cut* parentOfQ = ParentOf(q);
  ReplaceChild(parentOfP, p, q);
  ReplaceChild(parentOfQ, q, p);

  Element* beforeP = p->prev;
  Element* afterQ = q->next;
  if (p->next == q) {
    q->next = p;
    p->prev = q;
  } else {
    Element* afterP = p->next;
    Element* beforeQ = q->prev;
    q->next = afterP;
    afterP->prev = q;
    beforeQ->next = p;
    p->prev = beforeQ;
  }
  q->prev = beforeP;
  if (beforeP == nullptr) {
    head = q;
  } else {
    beforeP->next = q;
  }
  p->next = afterQ;
  if (afterQ != nullptr) afterQ->prev = p;
  return true;
}

uint32_t Floorplan::ComplementChain(uint32_t k) {
  Element* cut = head;
  uint32_t ordinal = 0;
  for (; cut != nullptr; cut = cut->next) {
    if (cut->isCut) {
      if (ordinal == k) break;
      ++ordinal;
    }
  }
  if (cut == nullptr) return 0;
  Element* module = cut->prev;
  while (module->isCut) module = module->prev;
  uint32_t changed = 0;
  for (Element* element = module->next; element != nullptr && element->isCut;
       element = element->next) {
    element->value = ComplementOf(element->value);
    ++changed;
  }
  return changed;
}

int Floorplan::SwapModuleAndCut(uint32_t pos) {
  uint64_t elements = uint64_t{numModules} + numOperators;
  if (pos > elements + 1) return 1;
  // Walk to p, keeping the ballot count (Modules minus Cuts) of the elements
  // before it; every prefix of the current expression is positive.
  Element* p = head;
  int64_t countBefore = 0;
  for (uint32_t i = 0; i < pos && p != nullptr; ++i) {
    countBefore += p->isCut ? -1 : 1;
    p = p->next;
  }
  if (p == nullptr) return 2;
  Element* n = p->next;
  if (!p->isCut) {
    if (n == nullptr || !n->isCut) return 3;
    if (p->prev != nullptr && p->prev->isCut && SameCutType(p->prev, n)) {
      return 5;
    }
    // Only the prefix ending at p's place changes: it now ends with the Cut.
    if (countBefore - 1 <= 0) return 7;
  } else {
    if (n == nullptr || n->isCut) return 4;
    if (n->next != nullptr && n->next->isCut && SameCutType(n->next, p)) {
      return 6;
    }
    // A Module moving forward only raises the prefix counts.
  }

  Element* before = p->prev;
  Element* after = n->next;
  n->prev = before;
  if (before == nullptr) {
    head = n;
  } else {
    before->next = n;
  }
  n->next = p;
  p->prev = n;
  p->next = after;
  if (after != nullptr) after->prev = p;
  RebuildTree();
  return 0;
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
