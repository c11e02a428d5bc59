#include "io/loader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "io/data_file.h"
#include "random/random.h"
#include "testing/captured_run.h"
#include "testing/test_floorplans.h"

namespace {

using ModuleValues = std::vector<std::tuple<int32_t, int, int>>;

// The modules of the loaded Floorplan in expression order, or "null".
std::string Loaded(const std::string& contents) {
  static int fileNumber = 0;
  std::string path =
      WriteTempFile("loader" + std::to_string(++fileNumber) + ".txt", contents);
  RandomSource random;
  std::string error;
  auto floorplan = LoadFloorplan(path, &random, &error);
  if (!floorplan) return "null";
  EXPECT_EQ("", InvariantViolation(*floorplan, /*normalized=*/false));
  std::string text;
  for (const Element* e : ListOf(*floorplan)) {
    if (e->isCut) continue;
    text += std::to_string(e->value) + ":" + std::to_string(e->width) + "x" +
            std::to_string(e->height) + " ";
  }
  return text;
}

TEST(LoaderTest, ReadingRules) {
  // Lines of 1022, 1023 and 1024 characters before the line feed.
  const std::string line1022 = std::string(1017, ' ') + "3 3 4";
  const std::string line1023 = std::string(1018, ' ') + "3 3 4";
  const std::string line1024 = "3 3 4" + std::string(1019, ' ');
  const std::string longPad(1020, ' ');
  struct Case {
    const char* name;
    std::string contents;
    std::string expected;
  };
  const Case cases[] = {
      {"M prefixes", "M1 4 6\nM2 3 3\nM3 2 5\n", "1:4x6 2:3x3 3:2x5 "},
      {"exactly two lines", "1 1 2\n2 3 4\n", "1:1x2 2:3x4 "},
      {"last line without line feed", "1 1 2\n2 3 4\n5 6 7",
       "1:1x2 2:3x4 5:6x7 "},
      {"tabs and extra tokens", "1\t2\t3 name\n2 3 4 x y z\n", "1:2x3 2:3x4 "},
      {"blank lines skipped", "1 1 1\n2 2 2\n\n  \t\nM\nMM M\n3 3 3\n",
       "1:1x1 2:2x2 3:3x3 "},
      {"identifier alone stops", "1 1 1\n2 2 2\n3\n4 4 4\n", "1:1x1 2:2x2 "},
      {"one side stops", "1 1 1\n2 2 2\n3 3\n4 4 4\n", "1:1x1 2:2x2 "},
      {"M ends the identifier", "1 1 1\n2 2 2\n12M3 4\n",
       "1:1x1 2:2x2 12:3x4 "},
      {"M inside a side", "1 1 1\n2 2 2\n7 3M 4M\n", "1:1x1 2:2x2 7:3x4 "},
      {"form feed stops", "1 1 1\n2 2 2\n\f\n4 4 4\n", "1:1x1 2:2x2 "},
      {"vertical tab stops", "1 1 1\n2 2 2\n\v\n4 4 4\n", "1:1x1 2:2x2 "},
      {"CR LF line is blank", "1 1 1\n2 2 2\n\r\n\r4 4 4\n",
       "1:1x1 2:2x2 4:4x4 "},
      {"lone carriage return stops", "1 1 1\n2 2 2\n\r\r\n4 4 4\n",
       "1:1x1 2:2x2 "},
      {"lone carriage return at the end", "1 1 1\n2 2 2\n\r", "1:1x1 2:2x2 "},
      {"sides modulo 65536", "1 65536 65537\n2 -1 70000\n",
       "1:0x1 2:65535x4464 "},
      {"identifiers wrap", "4294967297 1 1\n-1 2 2\n", "1:1x1 -1:2x2 "},
      {"CRLF", "1 1 2\r\n2 3 4\r\n\r\n5 6 7\r\n", "1:1x2 2:3x4 5:6x7 "},
      {"CR kept before CR LF", "1 1 2\n2 3 4\r\r\n", "1:1x2 2:3x4 "},
      {"0x1A ends the file", std::string("1 1 1\n2 2 2\n3 3 3\x1a") + "4 4 4\n",
       "1:1x1 2:2x2 3:3x3 "},
      {"0x1A before the second line", std::string("1 1 1\n\x1a") + "2 2 2\n",
       "null"},
      {"NUL ends the text",
       std::string("1 1 1\n2 2 2\n3 3 3\0 junk\n4 4 4\n", 30),
       "1:1x1 2:2x2 3:3x3 4:4x4 "},
      {"NUL cuts a side", std::string("1 1 1\n2 2 2\n3 3\0 3\n4 4 4\n", 25),
       "1:1x1 2:2x2 "},
      {"1022 characters", "1 1 1\n2 2 2\n" + line1022 + "\n4 4 4\n",
       "1:1x1 2:2x2 3:3x4 4:4x4 "},
      {"1023 characters: the line feed is a piece",
       "1 1 1\n2 2 2\n" + line1023 + "\n4 4 4\n", "1:1x1 2:2x2 3:3x4 4:4x4 "},
      {"1024 characters", "1 1 1\n2 2 2\n" + line1024 + "\n4 4 4\n",
       "1:1x1 2:2x2 3:3x4 4:4x4 "},
      {"CR removed before counting",
       "1 1 1\n2 2 2\n" + line1023 + "\r\n4 4 4\n", "1:1x1 2:2x2 3:3x4 4:4x4 "},
      {"a piece ends inside a line",
       "1 1 1\n2 2 2\n" + longPad + "3 3 3\n4 4 4\n", "1:1x1 2:2x2 "},
      {"5000 characters of blanks",
       "1 1 1\n2 2 2\n" + std::string(5000, ' ') + "\n3 3 3\n",
       "1:1x1 2:2x2 3:3x3 "},
      {"non-ASCII bytes", "1 1 1\n2 2 2\n\xff\xfe 5 6\n", "1:1x1 2:2x2 0:5x6 "},
      {"empty file", "", "null"},
      {"one module", "1 2 3\n", "null"},
      {"blank first line", "\n1 1 1\n2 2 2\n", "null"},
      {"blank second line", "1 1 1\n\n2 2 2\n", "null"},
      {"incomplete first line", "1 2\n2 3 4\n", "null"},
      {"incomplete second line", "1 2 3\n2\n", "null"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Loaded(c.contents)) << c.name;
  }
}

TEST(LoaderTest, CutTypesAreDrawnInFileOrder) {
  std::string path = WriteTempFile("three.txt", "M1 4 6\nM2 3 3\nM3 2 5\n");
  std::string error;
  RandomSource random;  // draws 41, 18467: H, H
  EXPECT_EQ("<1><2>H<3>H", ExpressionOf(*LoadFloorplan(path, &random, &error)));
  random.SeedRandom(1);
  random.NextRandom();  // then 18467, 6334: H, V
  EXPECT_EQ("<1><2>H<3>V", ExpressionOf(*LoadFloorplan(path, &random, &error)));
}

// Every refusal says why, naming the file and, where one line is at fault,
// the line; loading draws nothing from the random source then.
TEST(LoaderTest, RefusalsGiveTheirReason) {
  std::string plain = WriteTempFile("plain.txt", "1 1 1\n2 2 2\n");
  std::string shortSecond =
      WriteTempFile("short.txt", "\n# x\n1 1 1\n");  // line 1 is blank
  std::string cutShort = WriteTempFile("cut.txt", "1 1 1\n2 2\n");
  std::string oneLine = WriteTempFile("one.txt", "1 1 1\n");
  const std::pair<std::string, std::string> cases[] = {
      {"/nonexistent/floorplan.txt",
       "/nonexistent/floorplan.txt: cannot open the data file: No such file "
       "or directory"},
      {SourcePath("examples"),
       SourcePath("examples") + ": cannot read the data file: Is a directory"},
      {plain + "/x", plain + "/x: cannot open the data file: Not a directory"},
      {shortSecond, shortSecond + ":1: not a module line"},
      {cutShort, cutShort + ":2: not a module line"},
      {oneLine, oneLine + ":2: not a module line"},
  };
  for (const auto& [path, reason] : cases) {
    RandomSource random;
    std::string error;
    EXPECT_EQ(nullptr, LoadFloorplan(path, &random, &error)) << path;
    EXPECT_EQ(0u, error.find(reason)) << error;
    EXPECT_EQ(41u, random.NextRandom()) << path;
  }
}

// The companions read a data file strictly: only blank lines and module
// lines as the converter writes them, and the suites' own files are told
// to be converted first. Each row is a file and the reason ("" accepted).
TEST(LoaderTest, StrictReadingTakesOnlyModuleLines) {
  const std::pair<std::string, std::string> cases[] = {
      {"1 4 6\n2 3 3\n", ""},
      {"1 4 6 alu\r\n  M2\t3 3 \r\n\n \n", ""},
      {"1 4 6\n2 3 3 a b\n", ":2: not a module line"},
      {"1 4 6\n2 0 3\n", ":2: not a module line"},
      {"1 4 6\n2 3 65536\n", ":2: not a module line"},
      {"1 4 6\n2M 3 3\n", ":2: not a module line"},
      {"1 4 6\n-2 3 3\n", ":2: not a module line"},
      {"1 4 6\n2 3 3\n3 4\n", ":3: not a module line"},
      {"1 4 6\n2 3 3\n\f\n", ":3: not a module line"},
      {ReadFile(SourcePath("examples/n100.hardblocks")),
       ":1: a GSRC blocks file, not a data file: convert it with "
       "floorplan-convert"},
      {ReadFile(SourcePath("examples/ami33.block")),
       ":1: a course block file, not a data file"},
      {ReadFile(SourcePath("examples/sample.yal")), ":1: a YAL file"},
  };
  for (const auto& [text, reason] : cases) {
    std::string path = WriteTempFile("strict.txt", text);
    std::vector<DataModule> modules;
    std::string error;
    bool read = ReadStrictDataFile(path, &modules, &error);
    EXPECT_EQ(reason.empty(), read) << text;
    if (read) {
      EXPECT_EQ(2u, modules.size());
    } else {
      EXPECT_EQ(0u, error.find(path + reason)) << error;
    }
  }
}

}  // namespace
