#include "model/floorplan.h"

#include <charconv>
#include <utility>

#include "random/random.h"

namespace {

// One random draw per cut, in the order the cuts are created.
int32_t DrawCutType(RandomSource* random) {
  return (random->NextRandom() & 1u) ? kCutH : kCutV;
}

}  // namespace

Floorplan::Floorplan(int32_t id1, uint16_t width1, uint16_t height1,
                     int32_t id2, uint16_t width2, uint16_t height2,
                     RandomSource* random) {
  Reserve(16);
  modules_.emplace_back(id1, width1, height1);
  modules_.emplace_back(id2, width2, height2);
  cuts_.emplace_back();
  Cut* cut = &cuts_.back();
  cut->left = &modules_[0];
  cut->right = &modules_[1];
  modules_[0].parent = cut;
  modules_[1].parent = cut;
  cut->value = DrawCutType(random);
  root = cut;
  RelinkExpression();
  Recount();
}

// Evaluates the expression on a stack of pending subtrees, as RebuildTree
// does, after checking that it is a complete one.
std::unique_ptr<Floorplan> Floorplan::FromPostfix(
    const std::vector<PostfixItem>& items) {
  size_t modules = 0;
  size_t pending = 0;
  for (const PostfixItem& item : items) {
    if (item.isCut) {
      if (pending < 2) return nullptr;
      --pending;
    } else {
      ++modules;
      ++pending;
    }
  }
  if (pending != 1 || modules < 2) return nullptr;

  std::unique_ptr<Floorplan> floorplan(new Floorplan());
  floorplan->Reserve(modules);
  std::vector<Element*> subtrees;
  for (const PostfixItem& item : items) {
    if (item.isCut) {
      floorplan->cuts_.emplace_back(item.value);
      Cut* cut = &floorplan->cuts_.back();
      cut->right = subtrees.back();
      subtrees.pop_back();
      cut->left = subtrees.back();
      cut->left->parent = cut;
      cut->right->parent = cut;
      subtrees.back() = cut;
    } else {
      floorplan->modules_.emplace_back(item.value, item.width, item.height);
      subtrees.push_back(&floorplan->modules_.back());
    }
  }
  floorplan->root = subtrees.back();
  floorplan->RelinkExpression();
  floorplan->Recount();
  return floorplan;
}

// Makes room for `modules` modules and as many cuts, moving the elements to
// new arrays when needed and every link with them.
void Floorplan::Reserve(size_t modules) {
  if (modules <= modules_.capacity() && modules <= cuts_.capacity()) return;
  std::vector<Module> movedModules;
  movedModules.reserve(modules);
  movedModules.assign(modules_.begin(), modules_.end());
  std::vector<Cut> movedCuts;
  movedCuts.reserve(modules);
  movedCuts.assign(cuts_.begin(), cuts_.end());
  auto moved = [&](Element* element) -> Element* {
    if (element == nullptr) return nullptr;
    if (element->isCut)
      return &movedCuts[static_cast<size_t>(AsCut(element) - cuts_.data())];
    return &movedModules[static_cast<size_t>(static_cast<Module*>(element) -
                                             modules_.data())];
  };
  for (Module& module : movedModules) {
    module.next = moved(module.next);
    module.prev = moved(module.prev);
    module.parent = moved(module.parent);
  }
  for (Cut& cut : movedCuts) {
    cut.next = moved(cut.next);
    cut.prev = moved(cut.prev);
    cut.parent = moved(cut.parent);
    cut.left = moved(cut.left);
    cut.right = moved(cut.right);
  }
  root = moved(root);
  head = moved(head);
  modules_.swap(movedModules);
  cuts_.swap(movedCuts);
  DropTables();
}

// The expression of the new tree is the old one followed by the new module
// and the new cut, so the list is extended in place rather than relinked:
// the result is exactly that of RelinkExpression and Recount, in constant
// time, which keeps loading linear.
void Floorplan::AddModule(int32_t identifier, uint16_t width, uint16_t height,
                          RandomSource* random) {
  if (modules_.size() == modules_.capacity()) Reserve(2 * modules_.size());
  cuts_.emplace_back();
  Cut* cut = &cuts_.back();
  cut->left = root;
  cut->value = DrawCutType(random);
  modules_.emplace_back(identifier, width, height);
  DropTables();
  Module* module = &modules_.back();
  cut->right = module;
  root->parent = cut;
  module->parent = cut;

  Element* oldRoot = root;
  root = cut;
  oldRoot->next = module;
  module->prev = oldRoot;
  module->next = cut;
  cut->prev = module;
  cut->next = nullptr;
  ++numModules;
  ++numOperators;
}

NodeStack* Floorplan::StackForAllElements() {
  int32_t elements = static_cast<int32_t>(modules_.size() + cuts_.size());
  if (stack_ == nullptr || stack_->capacity < elements) {
    stack_ = std::make_unique<NodeStack>(elements);
  }
  stack_->top = 0;
  return stack_.get();
}

// Postorder walk with an explicit stack of the Cuts whose left subtree is
// being visited: each visited element is linked behind the previous one.
void Floorplan::RelinkExpression() {
  DropTables();
  NodeStack* ancestors = StackForAllElements();
  Element* last = nullptr;
  Element* node = root;
  for (;;) {
    while (node->isCut) {
      ancestors->Push(node);
      node = AsCut(node)->left;
    }
    // `node` is a module, the next element in postorder.
    for (;;) {
      if (last == nullptr) {
        head = node;
      } else {
        last->next = node;
      }
      last = node;
      if (ancestors->Empty()) {
        last->next = nullptr;
        return;
      }
      Cut* parent = AsCut(ancestors->Top());
      if (node != parent->right) {
        node = parent->right;  // the right subtree follows the left one
        break;
      }
      ancestors->Pop();
      node = parent;  // both subtrees done: the cut itself follows
    }
  }
}

void Floorplan::Recount() {
  DropTables();
  numModules = 0;
  numOperators = 0;
  Element* previous = nullptr;
  for (Element* element = head; element != nullptr; element = element->next) {
    element->prev = previous;
    if (element->isCut) {
      ++numOperators;
    } else {
      ++numModules;
    }
    previous = element;
  }
}

// Evaluates the postfix expression on a stack: a Module is pushed, a Cut
// takes the two topmost subtrees as its right and left and is pushed in turn.
// The result is the tree whose postorder is the list.
void Floorplan::RebuildTree() {
  DropTables();
  NodeStack* nodes = StackForAllElements();
  for (Element* element = head; element != nullptr; element = element->next) {
    if (element->isCut) {
      Cut* cut = AsCut(element);
      SetChild(cut, &cut->right, nodes->Pop());
      SetChild(cut, &cut->left, nodes->Pop());
    }
    nodes->Push(element);
  }
  SetLink(&root, nodes->Pop());
  SetLink(&root->parent, nullptr);
}

std::unique_ptr<Floorplan> Floorplan::Copy() const {
  std::unique_ptr<Floorplan> copy(new Floorplan());
  copy->CopyFrom(*this);
  return copy;
}

// Walks the source expression once, writing each element into the next free
// element of the same kind here and rebuilding the tree on the way, as
// RebuildTree does. The copy has the source's expression and tree exactly.
void Floorplan::CopyFrom(const Floorplan& source) {
  if (&source == this) return;
  DropTables();
  if (source.head == nullptr) {  // an empty source makes an empty copy
    modules_.clear();
    cuts_.clear();
    numModules = numOperators = 0;
    root = head = nullptr;
    return;
  }
  modules_.resize(source.numModules);
  cuts_.resize(source.numOperators);
  numModules = source.numModules;
  numOperators = source.numOperators;
  NodeStack* nodes = StackForAllElements();
  size_t moduleIndex = 0;
  size_t cutIndex = 0;
  Element* previous = nullptr;
  for (const Element* from = source.head; from != nullptr; from = from->next) {
    Element* to;
    if (from->isCut) {
      Cut* cut = &cuts_[cutIndex++];
      cut->value = from->value;
      cut->right = nodes->Pop();
      cut->left = nodes->Pop();
      cut->left->parent = cut;
      cut->right->parent = cut;
      to = cut;
    } else {
      Module* module = &modules_[moduleIndex++];
      module->value = from->value;
      module->width = from->width;
      module->height = from->height;
      to = module;
    }
    nodes->Push(to);
    to->prev = previous;
    if (previous == nullptr) {
      head = to;
    } else {
      previous->next = to;
    }
    previous = to;
  }
  previous->next = nullptr;
  root = nodes->Pop();
  root->parent = nullptr;
}

void Floorplan::AppendExpression(std::string* text) const {
  char number[16];
  for (const Element* element = head; element != nullptr;
       element = element->next) {
    if (element->isCut) {
      text->push_back(static_cast<char>(element->value));
    } else {
      text->push_back('<');
      char* end =
          std::to_chars(number, number + sizeof number, element->value).ptr;
      text->append(number, end);
      text->push_back('>');
    }
  }
}

void Floorplan::Print(FILE* out) const {
  std::string text;
  AppendExpression(&text);
  fwrite(text.data(), 1, text.size(), out);
}

Area Floorplan::Cost() { return MinimumArea(head, &costWorkspace_); }
