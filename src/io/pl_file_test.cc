// GSRC placement files, accepted line by line or refused with the line and
// the reason.
#include "io/pl_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

// "name (x, y) @line" per entry, or "LINE: reason".
std::vector<std::string> Read(const std::string& text) {
  std::vector<PlFileEntry> entries;
  InputError error;
  if (!ReadPlFile(text, &entries, &error)) {
    return {std::to_string(error.line) + ": " + error.reason};
  }
  std::vector<std::string> described;
  for (const PlFileEntry& entry : entries) {
    described.push_back(entry.name + " (" + std::to_string(entry.x) + ", " +
                        std::to_string(entry.y) + ") @" +
                        std::to_string(entry.line));
  }
  return described;
}

TEST(PlFileTest, AcceptedAndRefused) {
  const std::string coordinates =
      "expected \"NAME X Y\" with whole-number coordinates from -2147483647 "
      "to 2147483647";
  struct {
    const char* name;
    std::string text;
    std::vector<std::string> read;
  } cases[] = {
      {"header, comments, tabs, CRLF, further fields",
       "UCLA pl 1.0\n\n# terminals\np1\t0\t0\nsb3   120  -45 : N /FIXED\r\n",
       {"p1 (0, 0) @4", "sb3 (120, -45) @5"}},
      {"no header, a byte-order mark, no final line end",
       "\xEF\xBB\xBFP9 293 0\nVSS 1410 1610",
       {"P9 (293, 0) @1", "VSS (1410, 1610) @2"}},
      {"nothing", "# none\n", {}},
      {"a coordinate missing", "p1 0\n", {"1: " + coordinates}},
      {"a decimal", "p1 0 1.5\n", {"1: " + coordinates}},
      {"out of range", "p1 0 2147483648\n", {"1: " + coordinates}},
      {"a header later", "p1 0 0\nUCLA pl 1.0\n", {"2: " + coordinates}},
      {"a name twice",
       "p1 0 0\n\np1 1 1\n",
       {"3: a second line for p1 (the first is line 1)"}},
      {"a comment never closed",
       "/* p1 0 0\n",
       {"1: a comment that is never closed"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.read, Read(c.text));
  }

  // GSRC's n100 terminals, byte for byte as they circulate.
  std::vector<std::string> n100 =
      Read(ReadFile(SourcePath("examples/n100.pl")));
  ASSERT_EQ(334u, n100.size());
  EXPECT_EQ("p1 (0, 0) @1", n100.front());
  EXPECT_EQ("p334 (0, 10) @334", n100.back());
}

}  // namespace
