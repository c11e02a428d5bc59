// One slicing floorplan, held in two forms at once: a tree whose leaves are
// Modules and whose inner nodes are Cuts, and the tree's postorder as a doubly
// linked list of the same Element objects (the postfix expression).
//
// Invariants between operations: the list from `head` is exactly the
// postorder of the tree at `root`, every `prev` matches its `next`, the last
// element is `root` (always a Cut), `numOperators` is `numModules` - 1 with
// `numModules` at least 2, and every prefix of the expression holds more
// Modules than Cuts. Two Cuts of the same type never stand next to each other
// in the expression.
//
// A Floorplan owns all its elements and its NodeStack; a copy shares nothing
// with its source. The elements live in two arrays, one of Modules and one of
// Cuts, so that an element's index is known from its address; the arrays are
// reallocated only while AddModule grows the Floorplan. The moves neither
// create nor release elements, so a Floorplan can also be recycled: CopyFrom
// rewrites its elements in place.
#ifndef FLOORPLAN_MODEL_FLOORPLAN_H_
#define FLOORPLAN_MODEL_FLOORPLAN_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/element.h"
#include "model/node_stack.h"
#include "model/staircase.h"

struct Floorplan {
  uint32_t numModules = 0;
  uint32_t numOperators = 0;
  Element* root = nullptr;
  Element* head = nullptr;
  NodeStack* stack = nullptr;  // created on first need, then reused

  // A Floorplan of two modules under one new cut, whose type is drawn from
  // the random source. The first module is the cut's left subtree.
  Floorplan(int32_t id1, uint16_t width1, uint16_t height1, int32_t id2,
            uint16_t width2, uint16_t height2);
  // Adopts a complete tree: `treeRoot` and every element below it were
  // allocated with new. They are moved into this Floorplan's storage and
  // released, so the caller's pointers to them are void afterwards.
  explicit Floorplan(Cut* treeRoot);
  Floorplan(const Floorplan&) = delete;
  Floorplan& operator=(const Floorplan&) = delete;
  ~Floorplan();

  // Puts a new cut above the root, with the new module as its right subtree;
  // the cut's type is drawn from the random source. The expression grows at
  // its end by the module and the cut.
  void AddModule(int32_t identifier, uint16_t width, uint16_t height);

  // Rebuilds `next` of every element and `head` from the tree.
  void RelinkExpression();
  // Rebuilds `prev` along the list and both counts.
  void Recount();
  // Rebuilds `left`/`right` of every Cut, and `root`, from the list.
  void RebuildTree();

  // A new Floorplan that shares nothing with this one.
  std::unique_ptr<Floorplan> Copy() const;
  // Makes this Floorplan an exact copy of `source`, reusing its own elements
  // when the counts agree (no allocation then).
  void CopyFrom(const Floorplan& source);
  // Releases every element and the NodeStack; the Floorplan is left empty.
  void Destroy();

  // Writes the expression ("<id>" per module, the type character per cut),
  // without separators or line end.
  void Print(FILE* out) const;
  void AppendExpression(std::string* text) const;

  // The smallest bounding-box area over all module orientations.
  int64_t Cost();

  // The moves of the annealer (defined in moves.cc); each either changes the
  // Floorplan and reports success or leaves it unchanged.
  bool SwapModules(int32_t id);          // M1
  uint32_t ComplementChain(uint32_t k);  // M2
  int SwapModuleAndCut(uint32_t pos);    // M3: 0 on success, else 1..7
  bool HasBothCutTypes() const;
  // Whether SwapModuleAndCut would succeed at some position below
  // `positions`; changes nothing.
  bool HasExchangeBelow(uint64_t positions) const;

  // Taking moves back. While recording, every link and cut type that a move
  // or RebuildTree overwrites is logged; UndoRecorded() restores them, last
  // first, leaving the Floorplan exactly as it was when recording started.
  void StartRecording();
  void UndoRecorded();
  void StopRecording();
  // The cuts whose children or type changed since recording started, in the
  // order of the changes, possibly more than once.
  const std::vector<Cut*>& RecordedCuts() const { return changedCuts_; }

  // Elements are numbered 0 to numModules - 1 for the Modules, then on for
  // the Cuts; the numbers stay as long as the Floorplan does not grow.
  uint32_t IndexOf(const Element* element) const {
    return element->isCut
               ? static_cast<uint32_t>(modules_.size() +
                                       (AsCut(element) - cuts_.data()))
               : static_cast<uint32_t>(static_cast<const Module*>(element) -
                                       modules_.data());
  }

  uint32_t GetNumModules() const { return numModules; }
  uint32_t GetNumOperators() const { return numOperators; }

 private:
  Floorplan() = default;
  void Reserve(size_t modules);
  NodeStack* StackForAllElements();
  void SetLink(Element** field, Element* value);
  void SetChild(Cut* cut, Element** field, Element* value);
  void SetCutType(Element* cut, int32_t cutType);
  void ReplaceChild(Cut* parent, const Element* oldChild, Element* newChild);
  Cut* ParentOf(const Element* child) const;
  void ExchangeWithNext(Element* p);

  // Every element this Floorplan owns, by kind, in no particular order.
  std::vector<Module> modules_;
  std::vector<Cut> cuts_;
  // Reused working storage of Cost().
  StaircaseWorkspace costWorkspace_;
  // The undo log: overwritten links and cut types with their old values.
  bool recording_ = false;
  std::vector<std::pair<Element**, Element*>> savedLinks_;
  std::vector<std::pair<Element*, int32_t>> savedCutTypes_;
  std::vector<Cut*> changedCuts_;
};

#endif  // FLOORPLAN_MODEL_FLOORPLAN_H_
