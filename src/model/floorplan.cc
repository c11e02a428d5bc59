#include "model/floorplan.h"

#include <charconv>
#include <utility>

#include "random/random.h"

namespace {

// One random draw per cut, in the order the cuts are created.
int32_t DrawCutType() { return (NextRandom() & 1u) ? kCutH : kCutV; }

}  // namespace

Floorplan::Floorplan(int32_t id1, uint16_t width1, uint16_t height1,
                     int32_t id2, uint16_t width2, uint16_t height2) {
  Reserve(16);
  modules_.emplace_back(id1, width1, height1);
  modules_.emplace_back(id2, width2, height2);
  cuts_.emplace_back();
  Cut* cut = &cuts_.back();
  cut->left = &modules_[0];
  cut->right = &modules_[1];
  cut->value = DrawCutType();
  root = cut;
  RelinkExpression();
  Recount();
}

// Copies the adopted tree into the arrays in postorder, children before their
// cut, with an explicit stack (the tree may be as deep as it has modules),
// then releases the adopted elements.
Floorplan::Floorplan(Cut* treeRoot) {
  std::vector<std::pair<Element*, bool>> work{{treeRoot, false}};
  std::vector<Element*> adopted;
  size_t modules = 0;
  while (!work.empty()) {
    auto [element, childrenDone] = work.back();
    work.pop_back();
    if (element->isCut && !childrenDone) {
      work.push_back({element, true});
      work.push_back({AsCut(element)->right, false});
      work.push_back({AsCut(element)->left, false});
      continue;
    }
    adopted.push_back(element);
    modules += !element->isCut;
  }
  Reserve(modules);
  std::vector<Element*> subtrees;
  for (Element* element : adopted) {
    if (element->isCut) {
      cuts_.emplace_back(element->value);
      Cut* cut = &cuts_.back();
      cut->right = subtrees.back();
      subtrees.pop_back();
      cut->left = subtrees.back();
      subtrees.back() = cut;
      delete AsCut(element);
    } else {
      modules_.emplace_back(element->value, element->width, element->height);
      subtrees.push_back(&modules_.back());
      delete static_cast<Module*>(element);
    }
  }
  root = subtrees.back();
  RelinkExpression();
  Recount();
}

Floorplan::~Floorplan() { Destroy(); }

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
  }
  for (Cut& cut : movedCuts) {
    cut.next = moved(cut.next);
    cut.prev = moved(cut.prev);
    cut.left = moved(cut.left);
    cut.right = moved(cut.right);
  }
  root = moved(root);
  head = moved(head);
  modules_.swap(movedModules);
  cuts_.swap(movedCuts);
}

// The expression of the new tree is the old one followed by the new module
// and the new cut, so the list is extended in place rather than relinked:
// the result is exactly that of RelinkExpression and Recount, in constant
// time, which keeps loading linear.
void Floorplan::AddModule(int32_t identifier, uint16_t width, uint16_t height) {
  if (modules_.size() == modules_.capacity()) Reserve(2 * modules_.size());
  cuts_.emplace_back();
  Cut* cut = &cuts_.back();
  cut->left = root;
  cut->value = DrawCutType();
  modules_.emplace_back(identifier, width, height);
  Module* module = &modules_.back();
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
  int32_t elements = static_cast<int32_t>(modules_.size() + cuts_.size());
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
      SetChild(cut, &cut->right, nodes->Pop());
      SetChild(cut, &cut->left, nodes->Pop());
    }
    nodes->Push(element);
  }
  SetLink(&root, nodes->Pop());
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
}

void Floorplan::Destroy() {
  std::vector<Module>().swap(modules_);
  std::vector<Cut>().swap(cuts_);
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
