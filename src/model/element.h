// The nodes of a slicing floorplan. Every Element is at once a node of the
// slicing tree and a cell of its postfix expression (a doubly linked list in
// the tree's postorder). A Module is a leaf; a Cut is an inner node with two
// subtrees. The kind is a field, `isCut`, and code that walks the tree or the
// list branches on it; there are no virtual operations.
#ifndef FLOORPLAN_MODEL_ELEMENT_H_
#define FLOORPLAN_MODEL_ELEMENT_H_

#include <cstdint>

// Cut types. Code that tests a cut type tests for 'V'; any other value is
// treated as 'H'.
constexpr int32_t kCutH = 'H';
constexpr int32_t kCutV = 'V';

// The common record of every node. For a Module `value` is its identifier and
// `width`/`height` its sides, held modulo 65536; for a Cut `value` is its cut
// type and the sides are unused.
struct Element {
  int32_t value = 0;
  uint16_t height = 0;
  uint16_t width = 0;
  Element* next = nullptr;  // following element of the expression
  Element* prev = nullptr;  // preceding element of the expression
  Element* parent = nullptr;  // the Cut it is a child of; null for the root
  int32_t isCut = 0;
  // The element's place in the expression, counted from 0; kept only while
  // its Floorplan holds its order tables (see Floorplan).
  uint32_t position = 0;
};

// A leaf of the tree: one rectangular module.
struct Module : Element {
  Module() = default;
  Module(int32_t identifier, uint16_t moduleWidth, uint16_t moduleHeight) {
    value = identifier;
    width = moduleWidth;
    height = moduleHeight;
  }
};

// An inner node: its two subtrees placed side by side ('V') or stacked ('H').
struct Cut : Element {
  Element* left = nullptr;
  Element* right = nullptr;

  Cut() { isCut = 1; }
  explicit Cut(int32_t cutType) : Cut() { value = cutType; }
};

inline Cut* AsCut(Element* element) { return static_cast<Cut*>(element); }
inline const Cut* AsCut(const Element* element) {
  return static_cast<const Cut*>(element);
}

// The type a cut gets when its chain is complemented.
inline int32_t ComplementOf(int32_t cutType) {
  return cutType == kCutV ? kCutH : kCutV;
}

#endif  // FLOORPLAN_MODEL_ELEMENT_H_
