#include "report/expression_match.h"

#include <charconv>
#include <cstdio>
#include <map>

namespace {

// The modules of the data file not yet taken, by identifier, in file order.
struct Unused {
  std::vector<size_t> indices;
  size_t taken = 0;
};

std::string Describe(char c) {
  if (c > ' ' && c < 127) return std::string("'") + c + "'";
  char text[16];
  snprintf(text, sizeof text, "byte 0x%02x", static_cast<unsigned char>(c));
  return text;
}

std::string At(size_t offset) {
  return " at character " + std::to_string(offset + 1);
}

// Elements made so far. Until the whole expression is accepted they belong
// here, each released as the kind it is; then the Floorplan adopts them.
struct Pieces {
  std::vector<std::unique_ptr<Module>> modules;
  std::vector<std::unique_ptr<Cut>> cuts;

  void Release() {
    for (auto& module : modules) module.release();
    for (auto& cut : cuts) cut.release();
  }
};

ExpressionMatch Failure(std::string error) {
  ExpressionMatch match;
  match.error = std::move(error);
  return match;
}

}  // namespace

ExpressionMatch MatchExpression(std::string_view text,
                                const std::vector<DataModule>& modules,
                                std::string_view dataName) {
  const std::string data(dataName);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' ||
                           text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  if (text.empty()) return Failure("the final solution is empty");

  std::map<int32_t, Unused> unused;
  for (size_t index = 0; index < modules.size(); ++index) {
    unused[modules[index].identifier].indices.push_back(index);
  }

  ExpressionMatch match;
  Pieces pieces;
  std::vector<Element*> subtrees;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = at;
    char c = text[at];
    if (c == 'H' || c == 'V') {
      if (subtrees.size() < 2) {
        return Failure("not a postfix expression: the cut '" +
                       std::string(1, c) + "'" + At(start) +
                       " has fewer than two subtrees before it");
      }
      pieces.cuts.push_back(std::make_unique<Cut>(c == 'V' ? kCutV : kCutH));
      Cut* cut = pieces.cuts.back().get();
      cut->right = subtrees.back();
      subtrees.pop_back();
      cut->left = subtrees.back();
      subtrees.back() = cut;
      ++at;
      continue;
    }
    if (c != '<') {
      return Failure("not a postfix expression: unexpected " + Describe(c) +
                     At(start));
    }
    size_t close = text.find('>', at);
    std::string_view digits = close == std::string_view::npos
                                  ? std::string_view()
                                  : text.substr(at + 1, close - at - 1);
    int32_t identifier = 0;
    auto [end, status] = std::from_chars(
        digits.data(), digits.data() + digits.size(), identifier);
    if (digits.empty() || status != std::errc() ||
        end != digits.data() + digits.size()) {
      return Failure("not a postfix expression: '<'" + At(start) +
                     " does not begin a module \"<identifier>\"");
    }
    at = close + 1;
    std::string shown = "<" + std::string(digits) + ">";
    auto found = unused.find(identifier);
    if (found == unused.end()) {
      return Failure(shown + At(start) + " is not a module of " + data);
    }
    Unused& left = found->second;
    if (left.taken == left.indices.size()) {
      return Failure(shown + At(start) + " appears " +
                     (left.indices.size() == 1
                          ? std::string("twice")
                          : "more often than the " +
                                std::to_string(left.indices.size()) +
                                " times " + data + " lists it"));
    }
    size_t index = left.indices[left.taken++];
    const DataModule& module = modules[index];
    pieces.modules.push_back(
        std::make_unique<Module>(identifier, module.width, module.height));
    subtrees.push_back(pieces.modules.back().get());
    match.dataIndex.push_back(index);
  }

  if (subtrees.size() != 1) {
    return Failure(
        "not a postfix expression: " + std::to_string(subtrees.size()) +
        " subtrees are left that no cut joins");
  }
  if (match.dataIndex.size() != modules.size()) {
    std::string missing;
    size_t listed = 0;
    for (const auto& [identifier, left] : unused) {
      if (left.taken == left.indices.size()) continue;
      if (listed++ == 5) {
        missing += ", ...";
        break;
      }
      missing += (listed > 1 ? ", <" : "<") + std::to_string(identifier) + ">";
    }
    return Failure("the expression places " +
                   std::to_string(match.dataIndex.size()) + " modules but " +
                   data + " has " + std::to_string(modules.size()) +
                   " (missing " + missing + ")");
  }
  if (!subtrees.back()->isCut) {
    return Failure("a floorplan needs at least two modules");
  }
  Cut* root = static_cast<Cut*>(subtrees.back());
  pieces.Release();
  match.floorplan = std::make_unique<Floorplan>(root);
  return match;
}
