// A fixed-capacity stack of Element pointers, used to rebuild a tree from its
// postfix expression and as the scratch stack of the other whole-tree walks.
// Its capacity is set at construction (one slot per element of the owning
// Floorplan); Push does not check it, so callers push at most one pointer per
// element.
#ifndef FLOORPLAN_MODEL_NODE_STACK_H_
#define FLOORPLAN_MODEL_NODE_STACK_H_

#include <cstdint>
#include <vector>

#include "model/element.h"

struct NodeStack {
  std::vector<Element*> items;
  int32_t top = 0;  // number of pointers held
  int32_t capacity = 0;

  explicit NodeStack(int32_t slots)
      : items(static_cast<size_t>(slots < 1 ? 1 : slots), nullptr),
        capacity(slots < 1 ? 1 : slots) {}

  void Push(Element* element) { items[static_cast<size_t>(top++)] = element; }

  // Popping an empty stack leaves it empty and returns the pointer in slot 0.
  Element* Pop() {
    if (top > 0) --top;
    return items[static_cast<size_t>(top)];
  }

  bool Empty() const { return top == 0; }
  Element* Top() const { return items[static_cast<size_t>(top - 1)]; }
};

#endif  // FLOORPLAN_MODEL_NODE_STACK_H_
