#include "model/floorplan.h"

#include <cassert>
#include <charconv>

#include "random/random.h"

namespace {

// One random draw per cut, in the order the cuts are created.
int32_t DrawCutType() { return (NextRandom() & 1u) ? kCutH : kCutV; }

}  // namespace

Floorplan::Floorplan(int32_t id1, uint16_t width1, uint16_t height1,
                     int32_t id2, uint16_t width2, uint16_t height2) {
  Cut* cut = new Cut();
  cutStore_.push_back(cut);
  Module* first = new Module(id1, width1, height1);
  Module* second = new Module(id2, width2, height2);
  moduleStore_.push_back(first);
  moduleStore_.push_back(second);
  cut->left = first;
  cut->right = second;
  cut->value = DrawCutType();
  root = cut;
  RelinkExpression();
  Recount();
}

Floorplan::Floorplan(Cut* treeRoot) {
  StoreTree(treeRoot);
  root = treeRoot;
  RelinkExpression();
  Recount();
}

Floorplan::~Floorplan() { Destroy(); }

// Registers every element of the adopted tree, walking it with an explicit
// stack (the tree may be as deep as it has modules).
void Floorplan::StoreTree(Cut* treeRoot) {
  std::vector<Element*> pending{treeRoot};
  while (!pending.empty()) {
    Element* element = pending.back();
    pending.pop_back();
    if (element->isCut) {
      Cut* cut = AsCut(element);
      cutStore_.push_back(cut);
      pending.push_back(cut->left);
      pending.push_back(cut->right);
    } else {
      moduleStore_.push_back(static_cast<Module*>(element));
    }
  }
}

// The expression of the new tree is the old one followed by the new module
// and the new cut, so the list is extended in place rather than relinked:
// the result is exactly that of RelinkExpression and Recount, in constant
// time, which keeps loading linear.
void Floorplan::AddModule(int32_t identifier, uint16_t width, uint16_t height) {
  Cut* cut = new Cut();
  cutStore_.push_back(cut);
  cut->left = root;
  cut->value = DrawCutType();
  Module* module = new Module(identifier, width, height);
  moduleStore_.push_back(module);
  cut->right = module;

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
  int32_t elements =
      static_cast<int32_t>(moduleStore_.size() + cutStore_.size());
  if (stack == nullptr || stack->capacity < elements) {
    delete stack;
    stack = new NodeStack(elements);
  }
  stack->top = 0;
  return stack;
}

// Postorder walk with an explicit stack of the Cuts whose left subtree is
// being visited: each visited element is linked behind the previous one.
void Floorplan::RelinkExpression() {
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
  NodeStack* nodes = StackForAllElements();
  for (Element* element = head; element != nullptr; element = element->next) {
    if (element->isCut) {
      Cut* cut = AsCut(element);
      SetLink(&cut->right, nodes->Pop());
      SetLink(&cut->left, nodes->Pop());
    }
    nodes->Push(element);
  }
  SetLink(&root, nodes->Pop());
}

void Floorplan::ResizeStore(uint32_t modules, uint32_t operators) {
  while (moduleStore_.size() > modules) {
    delete moduleStore_.back();
    moduleStore_.pop_back();
  }
  while (moduleStore_.size() < modules) moduleStore_.push_back(new Module());
  while (cutStore_.size() > operators) {
    delete cutStore_.back();
    cutStore_.pop_back();
  }
  while (cutStore_.size() < operators) cutStore_.push_back(new Cut());
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
  ResizeStore(source.numModules, source.numOperators);
  numModules = source.numModules;
  numOperators = source.numOperators;
  NodeStack* nodes = StackForAllElements();
  size_t moduleIndex = 0;
  size_t cutIndex = 0;
  Element* previous = nullptr;
  for (const Element* from = source.head; from != nullptr; from = from->next) {
    Element* to;
    if (from->isCut) {
      Cut* cut = cutStore_[cutIndex++];
      cut->value = from->value;
      cut->right = nodes->Pop();
      cut->left = nodes->Pop();
      to = cut;
    } else {
      Module* module = moduleStore_[moduleIndex++];
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
}

void Floorplan::Destroy() {
  for (Module* module : moduleStore_) delete module;
  for (Cut* cut : cutStore_) delete cut;
  moduleStore_.clear();
  cutStore_.clear();
  delete stack;
  stack = nullptr;
  root = nullptr;
  head = nullptr;
  numModules = 0;
  numOperators = 0;
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
