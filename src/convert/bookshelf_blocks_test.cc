// GSRC bookshelf blocks files, accepted with the blocks they hold or refused
// with the line and the reason.
#include "convert/bookshelf_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One block as "name WxH @line", so that a whole list compares at once.
std::vector<std::string> Described(const std::vector<HardBlock>& blocks) {
  std::vector<std::string> described;
  for (const HardBlock& block : blocks) {
    described.push_back(block.name + " " + std::to_string(block.width) + "x" +
                        std::to_string(block.height) + " @" +
                        std::to_string(block.line));
  }
  return described;
}

TEST(BookshelfBlocksTest, ReadsHardBlocksInFileOrder) {
  struct {
    const char* name;
    std::string text;
    std::vector<std::string> blocks;
  } cases[] = {
      {"every kind of line",
       "UCSC blocks 1.0\n"
       "# Created by hand\n"
       "\n"
       "NumSoftRectangularBlocks : 0\n"
       "NumHardRectilinearBlocks : 3\n"
       "NumTerminals : 2\n"
       "\n"
       "bk1 hardrectilinear 4 (0, 0) (0, 133) (336, 133) (336, 0)\n"
       "p1 terminal\n"
       "bk2\thardrectilinear\t4\t(0,0)\t(0,7)\t(5,7)\t(5,0)\n"
       "  bk3 hardrectilinear 4 ( 2 , 3 ) ( 2 , 4 ) ( 9 , 4 ) ( 9 , 3 )  # x\n"
       "p2 terminal\n",
       {"bk1 336x133 @8", "bk2 5x7 @10", "bk3 7x1 @11"}},
      {"CRLF line ends, no count lines, no version",
       "UCSC blocks\r\n"
       "a hardrectilinear 4 (0, 0) (0, 20) (10, 20) (10, 0)\r\n"
       "b hardrectilinear 4 (0, 0) (30, 0) (30, 40) (0, 40)\r\n",
       {"a 10x20 @2", "b 30x40 @3"}},
      {"the count line after the blocks, no final line feed",
       "UCSC blocks 1.0\n"
       "a hardrectilinear 4 (0, 0) (0, 2) (1, 2) (1, 0)\n"
       "NumHardRectilinearBlocks:1",
       {"a 1x2 @2"}},
      {"names with marks the reader keeps",
       "UCSC blocks 1.0\n"
       "Numerator hardrectilinear 4 (0, 0) (0, 2) (1, 2) (1, 0)\n"
       "M7(x) hardrectilinear 4 (0, 0) (0, 2) (1, 2) (1, 0)\n",
       {"Numerator 1x2 @2", "M7(x) 1x2 @3"}},
      {"a byte-order mark and a /* */ comment before the header",
       "\xEF\xBB\xBF/* made\n by hand */ UCSC blocks 1.0\n"
       "a hardrectilinear 4 (0, 0) (0, 2) (1, 2) (1, 0)\n",
       {"a 1x2 @3"}},
      {"no header, count lines without spaces, no final line feed",
       "# made by hand\nNumHardRectilinearBlocks:2\nNumTerminals:0\n\n"
       "a hardrectilinear 4 (0, 0) (0, 2) (1, 2) (1, 0)\n"
       "b hardrectilinear 4 (0, 0) (0, 3) (4, 3) (4, 0)",
       {"a 1x2 @5", "b 4x3 @6"}},
      {"header only", "UCSC blocks 1.0\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HardBlock> blocks;
    InputError error;
    ASSERT_TRUE(ReadBookshelfBlocks(c.text, &blocks, &error))
        << error.line << ": " << error.reason;
    EXPECT_EQ(c.blocks, Described(blocks));
  }
}

TEST(BookshelfBlocksTest, RefusesWithTheLine) {
  const std::string header = "UCSC blocks 1.0\n";
  const std::string square = " hardrectilinear 4 (0, 0) (0, 5) (5, 5) (5, 0)\n";
  struct {
    const char* name;
    std::string text;
    uint64_t line;
    const char* reason;
  } cases[] = {
      {"soft block", header + "a" + square + "sb1 softrectangular 1000 0.5 2\n",
       3,
       "sb1 is a soft block (softrectangular): soft blocks have no fixed "
       "sides"},
      {"soft block without the header",
       "NumSoftBlocks : 2\n\nsb0 softrectilinear 1419 0.1 10\n"
       "sb1 softrectilinear 2405 0.1 10\n",
       3,
       "sb0 is a soft block (softrectilinear): soft blocks have no fixed "
       "sides"},
      {"L-shaped",
       header + "L hardrectilinear 6 (0, 0) (0, 20) (10, 20) (10, 10) (20, "
                "10) (20, 0)\n",
       2, "block L is not a rectangle: its outline has 6 corners"},
      {"slanted edge",
       header + "\n" + "s hardrectilinear 4 (0, 0) (5, 10) (15, 10) (10, 0)\n",
       3,
       "block s has a slanted edge from (0, 0) to (5, 10): only rectangles are "
       "understood"},
      {"three distinct corners",
       header + "t hardrectilinear 4 (0, 0) (0, 5) (5, 5) (0, 5)\n", 2,
       "block t has fewer than 4 distinct corners"},
      {"fewer corners than announced",
       header + "c hardrectilinear 4 (0, 0) (0, 5) (5, 5)\n", 2,
       "block c gives 3 corners, not the 4 it announces"},
      {"more corners than announced",
       header + "c hardrectilinear 3 (0, 0) (0, 5) (5, 5) (5, 0)\n", 2,
       "block c gives 4 corners, not the 3 it announces"},
      {"side of 0",
       header + "z hardrectilinear 4 (0, 0) (0, 5) (0, 5) (0, 0)\n", 2,
       "block z has a side of 0 (0 x 5)"},
      {"side above 65535",
       header + "a" + square +
           "big hardrectilinear 4 (0, 0) (0, 70000) (5, 70000) (5, 0)\n",
       3,
       "block big is 5 x 70000: a side above 65535, the largest a data file "
       "holds"},
      {"count line disagrees",
       header + "NumHardRectilinearBlocks : 3\n" + "a" + square + "b" + square,
       2, "NumHardRectilinearBlocks is 3, but the file has 2 hard blocks"},
      {"count line given twice",
       header + "NumHardRectilinearBlocks : 1\nNumHardRectilinearBlocks : 1\n",
       3, "a second NumHardRectilinearBlocks line"},
      {"count that is no number", header + "NumTerminals : many\n", 2,
       "expected \"NumTerminals : NUMBER\""},
      {"negative count", header + "NumTerminals : -1\n", 2,
       "expected \"NumTerminals : NUMBER\""},
      {"count line of two words", header + "Num Terminals : 1\n", 2,
       "expected \"Num : NUMBER\""},
      {"header after other lines", "NumTerminals : 0\n" + header, 2,
       "the header \"UCSC blocks\" after other lines: it must come first"},
      {"other header", "UCSC nets 1.0\n", 1,
       "expected the header \"UCSC blocks\", with an optional version"},
      {"second header", header + "a" + square + header, 3,
       "a second header line"},
      {"unknown type", header + "h hardrect 4 (0, 0) (0, 5) (5, 5) (5, 0)\n", 2,
       "block h: the type \"hardrect\" is not understood"},
      {"no type", header + "lonely\n", 2,
       "block lonely: no type (hardrectilinear or terminal)"},
      {"terminal with more", header + "p1 terminal 5 5\n", 2,
       "terminal p1: nothing may follow \"terminal\""},
      {"more corners announced than an outline may have",
       header + "m hardrectilinear 16777217 (0, 0) (0, 5) (5, 5) (5, 0)\n", 2,
       "block m announces 16777217 corners, more than the 16777216 an outline "
       "may have"},
      {"no corner count", header + "n hardrectilinear (0, 0) (0, 5)\n", 2,
       "block n: expected the number of corners after hardrectilinear"},
      {"corner without comma",
       header + "w hardrectilinear 4 (0 0) (0, 5) (5, 5) (5, 0)\n", 2,
       "block w: expected a corner \"(x, y)\" at \"(\""},
      {"fractional corner",
       header + "f hardrectilinear 4 (0, 0) (0, 5.5) (5, 5.5) (5, 0)\n", 2,
       "block f: expected a corner \"(x, y)\" at \"(\""},
      {"trailing word",
       header + "t hardrectilinear 4 (0, 0) (0, 5) (5, 5) (5, 0) extra\n", 2,
       "block t: expected a corner \"(x, y)\" at \"extra\""},
      {"control bytes shown escaped", header + "a\x1b[2J hardrect\n", 2,
       "block a\\x1B[2J: the type \"hardrect\" is not understood"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HardBlock> blocks;
    InputError error;
    ASSERT_FALSE(ReadBookshelfBlocks(c.text, &blocks, &error));
    EXPECT_EQ(c.line, error.line);
    EXPECT_EQ(c.reason, error.reason);
  }
}

}  // namespace
