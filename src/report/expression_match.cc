#include "report/expression_match.h"

#include <map>

#include "model/expression_parser.h"

namespace {

// The modules of the data file not yet taken, by identifier, in file order.
struct Unused {
  std::vector<size_t> indices;
  size_t taken = 0;
};

}  // namespace

bool CheckIdentifiers(const std::vector<DataModule>& modules,
                      const std::string& path, std::string* error) {
  std::map<int32_t, const DataModule*> firstWithIdentifier;
  for (const DataModule& module : modules) {
    auto [at, inserted] =
        firstWithIdentifier.emplace(module.identifier, &module);
    const DataModule& earlier = *at->second;
    if (inserted) continue;
    if (earlier.width == module.width && earlier.height == module.height) {
      continue;
    }
    *error = path + ":" + std::to_string(module.line) + ": identifier " +
             std::to_string(module.identifier) +
             " is given to modules of different sizes (lines " +
             std::to_string(earlier.line) + " and " +
             std::to_string(module.line) +
             "), so an expression cannot tell them apart";
    return false;
  }
  return true;
}

ExpressionMatch MatchExpression(std::string_view text,
                                const std::vector<DataModule>& modules,
                                std::string_view dataName) {
  const std::string data(dataName);
  std::map<int32_t, Unused> unused;
  for (size_t index = 0; index < modules.size(); ++index) {
    unused[modules[index].identifier].indices.push_back(index);
  }

  ExpressionMatch match;
  auto lookup = [&](int32_t identifier, uint16_t* width, uint16_t* height,
                    std::string* reason) {
    auto found = unused.find(identifier);
    if (found == unused.end()) {
      *reason = "is not a module of " + data;
      return false;
    }
    Unused& left = found->second;
    if (left.taken == left.indices.size()) {
      *reason = "appears " + (left.indices.size() == 1
                                  ? std::string("twice")
                                  : "more often than the " +
                                        std::to_string(left.indices.size()) +
                                        " times " + data + " lists it");
      return false;
    }
    size_t index = left.indices[left.taken++];
    *width = modules[index].width;
    *height = modules[index].height;
    match.dataIndex.push_back(index);
    return true;
  };
  match.floorplan = ParseExpression(text, lookup, &match.error);
  if (!match.floorplan) {
    match.dataIndex.clear();
    return match;
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
    match.error = "the expression places " +
                  std::to_string(match.dataIndex.size()) + " modules but " +
                  data + " has " + std::to_string(modules.size()) +
                  " (missing " + missing + ")";
    match.floorplan.reset();
    match.dataIndex.clear();
  }
  return match;
}
