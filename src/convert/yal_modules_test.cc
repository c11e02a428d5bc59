// YAL files, accepted with their GENERAL modules or refused with the line
// and the reason.
#include "convert/yal_modules.h"

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

TEST(YalModulesTest, ReadsGeneralModulesInFileOrder) {
  struct {
    const char* name;
    std::string text;
    std::vector<std::string> blocks;
  } cases[] = {
      {"one statement a line",
       "MODULE bk1;\n"
       "TYPE GENERAL;\n"
       "DIMENSIONS 0 0 0 133 336 133 336 0;\n"
       "IOLIST;\n"
       "P1 B 0 10 1 METAL1;\n"
       "ENDIOLIST;\n"
       "ENDMODULE;\n",
       {"bk1 336x133 @1"}},
      {"several statements a line, lower case, a comment inside",
       "module a; type general; dimensions 0 0 0 5 /* w */ 8 5 8 0; "
       "endmodule;\n"
       "MODULE b ; TYPE GENERAL ; DIMENSIONS 1 1 1 4 3 4 3 1 ; ENDMODULE ;",
       {"a 8x5 @1", "b 2x3 @2"}},
      {"statements over lines, an outline away from the origin",
       "/* header\n   comment */\n"
       "MODULE\n  far;\nTYPE\nGENERAL\n;\n"
       "DIMENSIONS\n-20 -10\n-20 40\n15 40\n15 -10\n;\n"
       "ENDMODULE;\n",
       {"far 35x50 @3"}},
      {"pads and parents skipped, their sections too",
       "MODULE p; TYPE PAD; DIMENSIONS 0 0 0 1 1 1 1 0;\n"
       "IOLIST; x PI 0 0 1 METAL2; ENDIOLIST; ENDMODULE;\n"
       "MODULE g; TYPE GENERAL; DIMENSIONS 0 0 0 2 9 2 9 0;\n"
       "IOLIST; TYPE B 0 0 1 METAL1; DIMENSIONS; ENDIOLIST; ENDMODULE;\n"
       "MODULE top; TYPE PARENT; DIMENSIONS 0 0 0 100 100 100 100 0;\n"
       "IOLIST; x PI 0 50 1 METAL2; ENDIOLIST;\n"
       "NETWORK; u1 g n1 n2; u2 p n1; ENDNETWORK;\n"
       "PLACEMENT; u1 0 0; ENDPLACEMENT;\n"
       "ENDMODULE;\n",
       {"g 9x2 @3"}},
      {"a pad without dimensions, empty statements",
       "MODULE p; TYPE PAD; ENDMODULE;;\nMODULE q; TYPE GENERAL;;\n"
       "DIMENSIONS 0 0 0 4 4 4 4 0; ENDMODULE;",
       {"q 4x4 @2"}},
      {"CRLF line ends, tabs",
       "MODULE\ta;\r\n\tTYPE GENERAL;\r\n\tDIMENSIONS 0 0 0 3 7 3 7 0;\r\n"
       "ENDMODULE;\r\n",
       {"a 7x3 @1"}},
      {"a byte-order mark and # comments before the first MODULE",
       "\xEF\xBB\xBF# made by hand\n#\n/* and */ MODULE a; TYPE GENERAL;\n"
       "DIMENSIONS 0 0 0 3 7 3 7 0; ENDMODULE;\n",
       {"a 7x3 @3"}},
      {"nothing but a comment", "/* empty */\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HardBlock> blocks;
    InputError error;
    ASSERT_TRUE(ReadYalModules(c.text, &blocks, &error))
        << error.line << ": " << error.reason;
    EXPECT_EQ(c.blocks, Described(blocks));
  }
}

TEST(YalModulesTest, RefusesWithTheLine) {
  const std::string good =
      "MODULE a;\nTYPE GENERAL;\nDIMENSIONS 0 0 0 5 5 5 5 0;\nENDMODULE;\n";
  struct {
    const char* name;
    std::string text;
    uint64_t line;
    const char* reason;
  } cases[] = {
      {"another type",
       good + "MODULE c;\nTYPE STANDARD;\nDIMENSIONS 0 0 0 5 5 5 5 0;\n", 6,
       "module c: the type STANDARD is not understood (GENERAL, PAD and "
       "PARENT are)"},
      {"L-shaped",
       "MODULE L; TYPE GENERAL;\n"
       "DIMENSIONS 0 0 0 20 10 20 10 10 20 10 20 0;\nENDMODULE;\n",
       2, "module L is not a rectangle: its outline has 6 corners"},
      {"slanted",
       "MODULE s;\nTYPE GENERAL;\n\nDIMENSIONS 0 0 5 10 15 10 10 0;\n"
       "ENDMODULE;\n",
       4,
       "module s has a slanted edge from (0, 0) to (5, 10): only rectangles "
       "are understood"},
      {"side of 0",
       "MODULE z; TYPE GENERAL; DIMENSIONS 0 0 0 5 0 5 0 0; ENDMODULE;", 1,
       "module z has a side of 0 (0 x 5)"},
      {"side above 65535",
       "MODULE big; TYPE GENERAL;\nDIMENSIONS 0 0 0 9 65536 9 65536 0;\n"
       "ENDMODULE;",
       2,
       "module big is 65536 x 9: a side above 65535, the largest a data file "
       "holds"},
      {"odd number of coordinates",
       "MODULE o; TYPE GENERAL;\nDIMENSIONS 0 0 0 5 5 5 5;\nENDMODULE;\n", 2,
       "module o: DIMENSIONS holds an odd number of coordinates"},
      {"fractional coordinate, on its own line",
       "MODULE f; TYPE GENERAL;\nDIMENSIONS 0 0\n0 5.5\n5 5 5 0;\nENDMODULE;\n",
       3, "module f: \"5.5\" in DIMENSIONS is not an integer coordinate"},
      {"no ENDMODULE", good + "MODULE open;\nTYPE GENERAL;\n\n", 7,
       "module open (line 5) is not ended by ENDMODULE"},
      {"MODULE inside a module", "MODULE a;\nTYPE GENERAL;\nMODULE b;\n", 3,
       "module a is not ended by ENDMODULE before the next MODULE"},
      {"IOLIST not ended before ENDMODULE",
       "MODULE a; TYPE GENERAL;\nIOLIST;\nP B 0 0 1 METAL1;\nENDMODULE;\n", 4,
       "module a: IOLIST is not ended by ENDIOLIST"},
      {"NETWORK not ended by the end of the file",
       "MODULE t; TYPE PARENT;\nNETWORK;\nu1 a n1;\n", 3,
       "module t: NETWORK (line 2) is not ended by ENDNETWORK"},
      {"unknown statement", good + "MODULE b;\nTYPE GENERAL;\nCURRENT 5;\n", 7,
       "module b: the statement \"CURRENT\" is not understood"},
      {"no TYPE", "MODULE a;\nDIMENSIONS 0 0 0 5 5 5 5 0;\nENDMODULE;\n", 3,
       "module a has no TYPE"},
      {"no DIMENSIONS", good + "MODULE b; TYPE GENERAL;\nENDMODULE;\n", 6,
       "module b has no DIMENSIONS"},
      {"a second TYPE", "MODULE a; TYPE GENERAL;\nTYPE PAD;\n", 2,
       "module a: a second TYPE"},
      {"a second DIMENSIONS",
       "MODULE a; TYPE GENERAL; DIMENSIONS 0 0 0 1 1 1 1 0;\n"
       "DIMENSIONS 0 0 0 1 1 1 1 0;\n",
       2, "module a: a second DIMENSIONS"},
      {"statement without ;", good + "\nMODULE b", 6,
       "the statement \"MODULE\" is not ended by ';'"},
      {"comment never closed", good + "/* MODULE b;\n", 5,
       "a comment that is never closed"},
      {"something before the first MODULE", "\nTYPE GENERAL;\n", 2,
       "expected a MODULE statement, not \"TYPE\""},
      {"# past the first MODULE", good + "# MODULE b;\n", 5,
       "expected a MODULE statement, not \"#\""},
      {"a semantic fault before a statement the file ends in",
       "MODULE a; TYPE SOFT;\nMODULE b", 1,
       "module a: the type SOFT is not understood (GENERAL, PAD and PARENT "
       "are)"},
      {"MODULE of two names", "MODULE a b;\n", 1, "expected \"MODULE name;\""},
      {"TYPE without a type", "MODULE a;\nTYPE;\n", 2,
       "expected \"TYPE type;\""},
      {"ENDMODULE with more", good + "MODULE b; TYPE PAD; ENDMODULE b;\n", 5,
       "expected \"ENDMODULE;\""},
      {"IOLIST with more", "MODULE b; TYPE PAD;\nIOLIST x;\n", 2,
       "expected \"IOLIST;\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HardBlock> blocks;
    InputError error;
    ASSERT_FALSE(ReadYalModules(c.text, &blocks, &error));
    EXPECT_EQ(c.line, error.line);
    EXPECT_EQ(c.reason, error.reason);
  }
}

}  // namespace
