// The data file made from blocks: its lines, what it refuses, and that what
// it writes the data-file reader reads back whole.
#include "convert/data_file_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "io/line_reader.h"
#include "io/module_line.h"

namespace {

HardBlock Block(std::string name, int64_t width, int64_t height,
                uint64_t line) {
  HardBlock block;
  block.name = std::move(name);
  block.width = width;
  block.height = height;
  block.line = line;
  return block;
}

TEST(DataFileTextTest, OneLinePerBlockInOrder) {
  std::vector<HardBlock> blocks = {Block("bk1", 336, 133, 8),
                                   Block("M2", 1, 65535, 9),
                                   Block("caf\xC3\xA9", 65535, 2, 12)};
  std::string text;
  InputError error;
  ASSERT_TRUE(FormatDataFile(blocks, 20, &text, &error)) << error.reason;
  EXPECT_EQ("1 336 133 bk1\n2 1 65535 M2\n3 65535 2 caf\xC3\xA9\n", text);
}

TEST(DataFileTextTest, RefusesWhatTheLineCannotCarry) {
  struct {
    const char* name;
    std::vector<HardBlock> blocks;
    uint64_t line;
    std::string reason;
  } cases[] = {
      {"no blocks",
       {},
       30,
       "only 0 hard blocks in the file; a floorplan needs at least two"},
      {"one block",
       {Block("a", 1, 1, 4)},
       30,
       "only 1 hard block in the file; a floorplan needs at least two"},
      {"the same name twice",
       {Block("a", 1, 1, 3), Block("b", 1, 1, 5), Block("a", 2, 2, 7)},
       7,
       "a second block named a (the first is on line 3)"},
      {"width 0",
       {Block("a", 1, 1, 3), Block("b", 0, 1, 5)},
       5,
       "block b: a side outside 1..65535"},
      {"height above 16 bits",
       {Block("a", 1, 65536, 3), Block("b", 1, 1, 5)},
       3,
       "block a: a side outside 1..65535"},
      {"an empty name",
       {Block("", 1, 1, 3), Block("b", 1, 1, 5)},
       3,
       "a block without a name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "unchanged";
    InputError error;
    EXPECT_FALSE(FormatDataFile(c.blocks, 30, &text, &error));
    EXPECT_EQ(c.line, error.line);
    EXPECT_EQ(c.reason, error.reason);
  }

  // Each byte would split the name, end the line or the file, or vanish.
  const struct {
    char byte;
    const char* shown;
    const char* hex;
  } unfit[] = {
      {' ', " ", "0x20"},        {'\t', "\\x09", "0x09"},
      {'\n', "\\x0A", "0x0A"},   {'\r', "\\x0D", "0x0D"},
      {'\0', "\\x00", "0x00"},   {'\x1A', "\\x1A", "0x1A"},
      {'\v', "\\x0B", "0x0B"},   {'\f', "\\x0C", "0x0C"},
      {'\x7F', "\\x7F", "0x7F"}, {'\x01', "\\x01", "0x01"},
  };
  for (const auto& u : unfit) {
    std::string name = std::string("a") + u.byte + "b";
    SCOPED_TRACE(u.hex);
    std::string text;
    InputError error;
    EXPECT_FALSE(FormatDataFile({Block("ok", 1, 1, 2), Block(name, 1, 1, 6)}, 9,
                                &text, &error));
    EXPECT_EQ(6u, error.line);
    EXPECT_EQ(std::string("block a") + u.shown + "b: the name holds the byte " +
                  u.hex + ", which a data file line cannot carry",
              error.reason);
  }
}

// The longest name on a line "1 5 7 NAME\n" that the reader takes as one
// piece: LineReader::kPieceLimit characters, line feed included.
TEST(DataFileTextTest, LongNamesUpToWhatTheReaderTakesWhole) {
  const size_t longest =
      LineReader::kPieceLimit - std::string("1 5 7 \n").size();
  std::string name(longest, 'n');
  std::string text;
  InputError error;
  ASSERT_TRUE(FormatDataFile({Block(name, 5, 7, 2), Block("b", 1, 1, 3)}, 3,
                             &text, &error))
      << error.reason;

  FILE* file = fmemopen(text.data(), text.size(), "rb");
  ASSERT_NE(nullptr, file);
  LineReader reader(file);
  std::string piece;
  ASSERT_TRUE(reader.ReadPiece(&piece));
  ModuleLine line = ParseModuleLine(piece);
  EXPECT_TRUE(line.complete);
  EXPECT_EQ(1, line.identifier);
  EXPECT_EQ(5, line.width);
  EXPECT_EQ(7, line.height);
  EXPECT_EQ(name, line.name);
  ASSERT_TRUE(reader.ReadPiece(&piece));
  EXPECT_EQ("2 1 1 b\n", piece);
  fclose(file);

  name += 'n';
  EXPECT_FALSE(FormatDataFile({Block(name, 5, 7, 2), Block("b", 1, 1, 3)}, 3,
                              &text, &error));
  EXPECT_EQ(2u, error.line);
  EXPECT_EQ("block " + name.substr(0, 34) +
                "...: the name makes a data file line of 1024 characters with "
                "its line feed, more than the 1023 the reader takes whole",
            error.reason);
}

}  // namespace
