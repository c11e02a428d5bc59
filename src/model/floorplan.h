// One slicing floorplan, held in two forms at once: a tree whose leaves are
// Modules and whose inner nodes are Cuts, and the tree's postorder as a doubly
// linked list of the same Element objects (the postfix expression).
//
// Invariants between operations: the list from `head` is exactly the
// postorder of the tree at `root`, every `prev` matches its `next`, the last
// element is `root` (always a Cut), every element's `parent` is the Cut that
// has it as a child (null for the root), `numOperators` is `numModules` - 1
// with `numModules` at least 2, and every prefix of the expression holds
// more Modules than Cuts. Two Cuts of the same type never stand next to
// each other in an expression the program builds.
//
// A Floorplan owns all its elements; a copy shares nothing with its source.
// The elements live in two arrays, one of Modules and one of Cuts, so that an
// element's index is known from its address; the arrays are reallocated only
// while AddModule grows the Floorplan. The moves neither create nor release
// elements, so a Floorplan can also be recycled: CopyFrom rewrites its
// elements in place.
#ifndef FLOORPLAN_MODEL_FLOORPLAN_H_
#define FLOORPLAN_MODEL_FLOORPLAN_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/area.h"
#include "model/element.h"
#include "model/node_stack.h"
#include "model/staircase.h"
#include "model/undo_journal.h"

class RandomSource;

// One element of a postfix expression: a module with its identifier and
// sides, or a cut with its type.
struct PostfixItem {
  bool isCut = false;
  int32_t value = 0;  // identifier, or cut type
  uint16_t width = 0;
  uint16_t height = 0;
};

// The outcome of SwapModuleAndCut. The numbers are the move's result codes.
enum class SwapResult : int {
  kSwapped = 0,
  kBeyondEnd = 1,              // pos is past the element count plus one
  kNoElement = 2,              // no element at pos
  kModuleNotBeforeCut = 3,     // p is a Module not followed by a Cut
  kCutNotBeforeModule = 4,     // p is a Cut not followed by a Module
  kEqualCutsAroundModule = 5,  // the cuts around the Module p have one type
  kEqualCutsAfterModule = 6,   // the cut after the next Module is like p
  kPrefixNotPositive = 7,      // a prefix would hold no more Modules than Cuts
};

struct Floorplan {
  uint32_t numModules = 0;
  uint32_t numOperators = 0;
  Element* root = nullptr;
  Element* head = nullptr;

  // A Floorplan of two modules under one new cut, whose type is drawn from
  // `random`. The first module is the cut's left subtree.
  Floorplan(int32_t id1, uint16_t width1, uint16_t height1, int32_t id2,
            uint16_t width2, uint16_t height2, RandomSource* random);
  Floorplan(const Floorplan&) = delete;
  Floorplan& operator=(const Floorplan&) = delete;

  // The Floorplan of a postfix expression, built straight into its arrays;
  // null unless `items` is a complete expression of at least two modules
  // (every cut has two subtrees before it, and one tree is left at the end).
  static std::unique_ptr<Floorplan> FromPostfix(
      const std::vector<PostfixItem>& items);

  // Puts a new cut above the root, with the new module as its right subtree;
  // the cut's type is drawn from `random`. The expression grows at its end by
  // the module and the cut.
  void AddModule(int32_t identifier, uint16_t width, uint16_t height,
                 RandomSource* random);

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

  // Writes the expression ("<id>" per module, the type character per cut),
  // without separators or line end.
  void Print(FILE* out) const;
  void AppendExpression(std::string* text) const;

  // The smallest bounding-box area over all module orientations.
  Area Cost();

  // The moves of the annealer (defined in moves.cc); each either changes the
  // Floorplan and reports success or leaves it unchanged.
  bool SwapModules(int32_t id);               // M1
  uint32_t ComplementChain(uint32_t k);       // M2
  SwapResult SwapModuleAndCut(uint32_t pos);  // M3
  bool HasBothCutTypes();
  // Whether SwapModuleAndCut would succeed at some position below
  // `positions`; changes nothing.
  bool HasExchangeBelow(uint64_t positions);

  // Taking moves back. From StartRecording() on, every link and cut type
  // that a move overwrites is saved; UndoRecorded() restores them, leaving
  // the Floorplan exactly as it was at the last StartRecording().
  void StartRecording() { journal_.Start(); }
  void UndoRecorded() { journal_.Undo(); }
  // The cuts whose children or type changed since StartRecording(), in the
  // order of the changes, possibly more than once.
  const std::vector<Cut*>& RecordedCuts() const {
    return journal_.changedCuts();
  }

  // Elements are numbered 0 to numModules - 1 for the Modules, then on for
  // the Cuts; the numbers stay as long as the Floorplan does not grow.
  uint32_t IndexOf(const Element* element) const {
    return element->isCut
               ? static_cast<uint32_t>(modules_.size() +
                                       (AsCut(element) - cuts_.data()))
               : static_cast<uint32_t>(static_cast<const Module*>(element) -
                                       modules_.data());
  }
  uint32_t IndexOfCut(const Cut* cut) const {
    return static_cast<uint32_t>(modules_.size() + (cut - cuts_.data()));
  }

 private:
  Floorplan() = default;
  void Reserve(size_t modules);
  NodeStack* StackForAllElements();
  void SetLink(Element** field, Element* value);
  void SetChild(Cut* cut, Element** field, Element* value);
  void SetCutType(Element* cut, int32_t cutType);
  void SetNumber(uint32_t* field, uint32_t value);
  void ReplaceChild(Cut* parent, const Element* oldChild, Element* newChild);
  void ExchangeWithNext(Element* p);
  // The first Module of identifier `id` in the expression, or null.
  Element* FindModule(int32_t id);
  void BuildTables();
  void DropTables() { tablesBuilt_ = false; }
  // Puts `element` at place `position` of the order tables.
  void PlaceAt(uint32_t position, Element* element);
  bool AdmitsExchange(uint32_t pos) const;

  // Every element this Floorplan owns, by kind, in no particular order.
  std::vector<Module> modules_;
  std::vector<Cut> cuts_;
  // The scratch stack of the whole-tree walks, made on first need.
  std::unique_ptr<NodeStack> stack_;
  // Reused working storage of Cost().
  StaircaseWorkspace costWorkspace_;
  UndoJournal journal_;
  // The moves find their elements through tables instead of walking the
  // expression, which took a sixth of a run for M1 alone:
  //  - moduleById_[id] is the Module of identifier id, for the identifiers
  //    0 to numModules that M1 draws. When two Modules share an identifier,
  //    which comes first depends on the moves, and M1 walks instead.
  //  - cutByRank_[k] is the k-th Cut of the expression, for M2: no move
  //    changes the order of the Cuts among themselves.
  //  - byPosition_[i] is the element at place i, for M3, and every
  //    element's `position` is its place; ballot_[i] counts the Modules
  //    minus the Cuts before place i, that is the complete subtrees there.
  //    M1 and M3 keep them up to date, through the journal.
  //  - verticalCuts_ counts the cuts of type 'V', kept by M2 through the
  //    journal, so that HasBothCutTypes() looks at no cut.
  // They are built on the first move that needs them and dropped whenever
  // the Floorplan is rebuilt, copied into or grown. exchangeHint_ is a place
  // that admitted an exchange, tried first by HasExchangeBelow().
  std::vector<Module*> moduleById_;
  std::vector<Cut*> cutByRank_;
  std::vector<Element*> byPosition_;
  std::vector<uint32_t> ballot_;
  uint32_t verticalCuts_ = 0;
  uint32_t exchangeHint_ = 0;
  bool tablesBuilt_ = false;
  bool moduleByIdUsable_ = false;
};

#endif  // FLOORPLAN_MODEL_FLOORPLAN_H_
