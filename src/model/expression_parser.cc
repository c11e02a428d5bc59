#include "model/expression_parser.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

std::string Describe(char c) {
  if (c > ' ' && c < 127) return std::string("'") + c + "'";
  char text[16];
  snprintf(text, sizeof text, "byte 0x%02x", static_cast<unsigned char>(c));
  return text;
}

std::string At(size_t offset) {
  return " at character " + std::to_string(offset + 1);
}

}  // namespace

std::unique_ptr<Floorplan> ParseExpression(std::string_view text,
                                           const ModuleLookup& lookup,
                                           std::string* error) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' ||
                           text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  if (text.empty()) {
    *error = "the expression is empty";
    return nullptr;
  }
  std::vector<PostfixItem> items;
  size_t pending = 0;  // subtrees no cut has joined yet
  size_t at = 0;
  while (at < text.size()) {
    size_t start = at;
    char c = text[at];
    if (c == 'H' || c == 'V') {
      if (pending < 2) {
        *error = "not a postfix expression: the cut '" + std::string(1, c) +
                 "'" + At(start) + " has fewer than two subtrees before it";
        return nullptr;
      }
      --pending;
      PostfixItem cut;
      cut.isCut = true;
      cut.value = c == 'V' ? kCutV : kCutH;
      items.push_back(cut);
      ++at;
      continue;
    }
    if (c != '<') {
      *error =
          "not a postfix expression: unexpected " + Describe(c) + At(start);
      return nullptr;
    }
    size_t close = text.find('>', at);
    std::string_view digits = close == std::string_view::npos
                                  ? std::string_view()
                                  : text.substr(at + 1, close - at - 1);
    PostfixItem module;
    auto [end, status] = std::from_chars(
        digits.data(), digits.data() + digits.size(), module.value);
    if (digits.empty() || status != std::errc() ||
        end != digits.data() + digits.size()) {
      *error = "not a postfix expression: '<'" + At(start) +
               " does not begin a module \"<identifier>\"";
      return nullptr;
    }
    std::string reason;
    if (!lookup(module.value, &module.width, &module.height, &reason)) {
      *error = "<" + std::string(digits) + ">" + At(start) + " " + reason;
      return nullptr;
    }
    items.push_back(module);
    ++pending;
    at = close + 1;
  }
  if (pending != 1) {
    *error = "not a postfix expression: " + std::to_string(pending) +
             " subtrees are left that no cut joins";
    return nullptr;
  }
  std::unique_ptr<Floorplan> floorplan = Floorplan::FromPostfix(items);
  if (!floorplan) *error = "a floorplan needs at least two modules";
  return floorplan;
}
