#include "convert/data_file_text.h"

#include <limits>
#include <string_view>
#include <unordered_map>

#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

constexpr int64_t kLargestSide =
    std::numeric_limits<decltype(ModuleLine::width)>::max();

// The first byte of `name` a data file line cannot carry as part of a name:
// space and every control byte (tab, line feed, CR, NUL and 0x1A among them).
// -1 when there is none.
int UnfitByte(std::string_view name) {
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F) return byte;
  }
  return -1;
}

}  // namespace

bool FormatDataFile(const std::vector<HardBlock>& blocks, uint64_t endLine,
                    std::string* text, InputError* error) {
  text->clear();
  if (blocks.size() < 2) {
    *error = {endLine, "only " + std::to_string(blocks.size()) + " hard block" +
                           (blocks.size() == 1 ? "" : "s") +
                           " in the file; a floorplan needs at least two"};
    return false;
  }
  std::unordered_map<std::string_view, uint64_t> firstLine;
  for (size_t index = 0; index < blocks.size(); ++index) {
    const HardBlock& block = blocks[index];
    std::string shown = "block " + PrintableName(block.name);
    if (block.name.empty()) {
      *error = {block.line, "a block without a name"};
      return false;
    }
    int unfit = UnfitByte(block.name);
    if (unfit >= 0) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string hex = {'0', 'x', kHex[unfit >> 4], kHex[unfit & 15]};
      *error = {block.line, shown + ": the name holds the byte " + hex +
                                ", which a data file line cannot carry"};
      return false;
    }
    if (block.width < 1 || block.width > kLargestSide || block.height < 1 ||
        block.height > kLargestSide) {
      *error = {block.line,
                shown + ": a side outside 1.." + std::to_string(kLargestSide)};
      return false;
    }
    auto [first, added] = firstLine.emplace(block.name, block.line);
    if (!added) {
      *error = {block.line, "a second block named " +
                                PrintableName(block.name) +
                                " (the first is on line " +
                                std::to_string(first->second) + ")"};
      return false;
    }
    std::string line = std::to_string(index + 1) + " " +
                       std::to_string(block.width) + " " +
                       std::to_string(block.height) + " " + block.name + "\n";
    if (line.size() > LineReader::kPieceLimit) {
      *error = {block.line,
                shown.substr(0, 40) +
                    "...: the name makes a data file line of " +
                    std::to_string(line.size()) +
                    " characters with its line feed, more than the " +
                    std::to_string(LineReader::kPieceLimit) +
                    " the reader takes whole"};
      return false;
    }
    *text += line;
  }
  return true;
}
