// Course block files, accepted with their outline, blocks and terminals or
// refused with the line and the reason.
#include "io/block_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

// The whole file as "outline WxH @line", "name WxH @line" per block and
// "name (x, y) @line" per terminal, so that it compares at once.
std::vector<std::string> Described(const BlockFile& file) {
  auto at = [](uint64_t line) { return " @" + std::to_string(line); };
  std::vector<std::string> described = {
      "outline " + std::to_string(file.outline.width) + "x" +
      std::to_string(file.outline.height) + at(file.outline.line)};
  for (const BlockFileBlock& block : file.blocks) {
    described.push_back(block.name + " " + std::to_string(block.width) + "x" +
                        std::to_string(block.height) + at(block.line));
  }
  for (const BlockFileTerminal& pad : file.terminals) {
    described.push_back(pad.name + " (" + std::to_string(pad.x) + ", " +
                        std::to_string(pad.y) + ")" + at(pad.line));
  }
  return described;
}

TEST(BlockFileTest, ReadsOutlineBlocksAndTerminals) {
  struct {
    const char* name;
    std::string text;
    std::vector<std::string> file;
  } cases[] = {
      {"CRLF, trailing blanks, tabs, no final line feed",
       "Outline: 20 10\r\nNumBlocks: 2   \r\nNumTerminals: 1\r\n\r\n"
       "a   5  4\r\nb\t7\t3 \r\n\r\nP1 terminal\t-3\t9  \r\n ",
       {"outline 20x10 @1", "a 5x4 @5", "b 7x3 @6", "P1 (-3, 9) @8"}},
      {"blanks around the colons, terminals first, comments, a byte-order "
       "mark",
       "\xEF\xBB\xBF# made by hand\n\nOutline :7672 1\nNumBlocks :1\n"
       "NumTerminals:\t2\nP1 terminal 7672 0 # beyond the outline\n"
       "a 65535 1\nP2 terminal 0 0",
       {"outline 7672x1 @3", "a 65535x1 @7", "P1 (7672, 0) @6",
        "P2 (0, 0) @8"}},
      {"no blocks, no terminals",
       "Outline: 1 1\nNumBlocks: 0\nNumTerminals: 0",
       {"outline 1x1 @1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BlockFile file;
    InputError error;
    ASSERT_TRUE(ReadBlockFile(c.text, &file, &error))
        << error.line << ": " << error.reason;
    EXPECT_EQ(c.file, Described(file));
  }

  // The course's ami33, byte for byte as it circulates.
  BlockFile file;
  InputError error;
  ASSERT_TRUE(ReadBlockFile(ReadFile(SourcePath("examples/ami33.block")), &file,
                            &error))
      << error.line << ": " << error.reason;
  std::vector<std::string> described = Described(file);
  ASSERT_EQ(1u + 33u + 40u, described.size());
  EXPECT_EQ("outline 1326x1205 @1", described[0]);
  EXPECT_EQ("bk1 336x133 @5", described[1]);
  EXPECT_EQ("bk9d 119x84 @37", described[33]);
  EXPECT_EQ("VSS (1410, 1610) @39", described[34]);
  EXPECT_EQ("P10 (401, 0) @78", described[73]);
}

TEST(BlockFileTest, RefusesWithTheLine) {
  const std::string head = "Outline: 100 100\nNumBlocks: 2\nNumTerminals: 1\n";
  const std::string body = "a 1 2\nb 3 4\nP terminal 0 0\n";
  struct {
    const char* name;
    std::string text;
    uint64_t line;
    const char* reason;
  } cases[] = {
      {"empty", "", 1,
       "expected \"Outline: WIDTH HEIGHT\" before the end of the file"},
      {"counts before the outline", "NumBlocks: 2\nOutline: 1 1\n", 1,
       "expected \"Outline: WIDTH HEIGHT\", both from 1 to 2147483647"},
      {"an outline side of 0", "Outline: 0 5\n", 1,
       "expected \"Outline: WIDTH HEIGHT\", both from 1 to 2147483647"},
      {"an outline of one number", "\n\nOutline: 5\n", 3,
       "expected \"Outline: WIDTH HEIGHT\", both from 1 to 2147483647"},
      {"an outline beyond 31 bits", "Outline: 2147483648 5\n", 1,
       "expected \"Outline: WIDTH HEIGHT\", both from 1 to 2147483647"},
      {"counts in the other order",
       "Outline: 5 5\nNumTerminals: 0\nNumBlocks: 0\n", 2,
       "expected \"NumBlocks: NUMBER\""},
      {"a count beyond what a file may hold",
       "Outline: 5 5\nNumBlocks: 4194305\n", 2,
       "NumBlocks is 4194305: more than the 4194304 a file may hold"},
      {"the file ends before the counts", "Outline: 5 5\nNumBlocks: 0\n\n", 3,
       "expected \"NumTerminals: NUMBER\" before the end of the file"},
      {"fewer blocks than NumBlocks", head + "a 1 2\nP terminal 0 0\n", 2,
       "NumBlocks is 2, but the file has 1 blocks"},
      {"fewer terminals than NumTerminals", head + "a 1 2\nb 3 4\n", 3,
       "NumTerminals is 1, but the file has 0 terminals"},
      {"more blocks than NumBlocks", head + body + "c 5 6\n", 7,
       "block c is block 3, but NumBlocks is 2 (line 2)"},
      {"more terminals than NumTerminals",
       head + "P terminal 0 0\nQ terminal 1 1\n", 5,
       "terminal Q is terminal 2, but NumTerminals is 1 (line 3)"},
      {"a second outline", head + "Outline: 5 5\n", 4, "a second Outline line"},
      {"a side of 0", head + "a 0 2\n", 4,
       "block a is 0 x 2: sides are whole numbers from 1 to 65535"},
      {"a side above 65535", head + "a 1 65536\n", 4,
       "block a is 1 x 65536: sides are whole numbers from 1 to 65535"},
      {"a fractional side", head + "a 1.5 2\n", 4,
       "block a is 1.5 x 2: sides are whole numbers from 1 to 65535"},
      {"a block of two words", head + "a 1\n", 4,
       "expected a block \"NAME WIDTH HEIGHT\" or a terminal \"NAME terminal X "
       "Y\""},
      {"a terminal without its point", head + "P terminal\n", 4,
       "terminal P: expected \"NAME terminal X Y\" with whole-number "
       "coordinates"},
      {"a terminal with more", head + "P terminal 0 1 2\n", 4,
       "terminal P: expected \"NAME terminal X Y\" with whole-number "
       "coordinates"},
      {"a block named twice", head + "a 1 2\na 3 4\n", 5,
       "a second block named a (the first is on line 4)"},
      {"a terminal named twice",
       "Outline: 5 5\nNumBlocks: 0\nNumTerminals: 2\nP terminal 0 0\n"
       "P terminal 1 1\n",
       5, "a second terminal named P (the first is on line 4)"},
      {"a terminal named as a block", head + "a 1 2\na terminal 1 1\n", 5,
       "terminal a has the name of the block on line 4"},
      {"a comment never closed", "/* Outline: 5 5\n", 1,
       "a comment that is never closed"},
      {"control bytes shown escaped", head + "a\x1b[2J 1 2\na\x1b[2J 1 2\n", 5,
       "a second block named a\\x1B[2J (the first is on line 4)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BlockFile file;
    InputError error;
    ASSERT_FALSE(ReadBlockFile(c.text, &file, &error));
    EXPECT_EQ(c.line, error.line);
    EXPECT_EQ(c.reason, error.reason);
  }
}

}  // namespace
