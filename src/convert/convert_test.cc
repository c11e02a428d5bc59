// The whole command: in-process for the samples, the refusals and the
// command line; through the built programs for closed and full standard
// outputs and for loading a converted file in `floorplan`.
#include "convert/convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/version.h"
#include "io/data_file.h"
#include "io/loader.h"
#include "random/random.h"
#include "testing/captured_run.h"
#include "testing/child_process.h"
#include "testing/test_files.h"

namespace {

// The refusal of a file in no format the converter reads.
constexpr const char* kNeither =
    "not a file the converter reads: GSRC blocks begin with \"UCSC blocks\" or "
    "a count such as \"NumHardRectilinearBlocks : 100\", course blocks with "
    "\"Outline: W H\", YAL with a MODULE statement";

// The samples' blocks, worked out from their outlines: x extent, then y
// extent, in file order, without the terminal, the pad and the parent.
constexpr const char* kSampleBlocksData =
    "1 60 40 alu\n"
    "2 30 70 regs\n"
    "3 120 35 cache\n"
    "4 25 25 io_ctl\n"
    "5 48 90 fpu\n";
constexpr const char* kSampleYalData =
    "1 80 30 adder\n"
    "2 25 45 shifter\n"
    "3 35 50 mux\n";

CapturedRun RunConvertCaptured(const std::vector<std::string>& arguments) {
  return CaptureProgram(RunConvert, "floorplan-convert", arguments);
}

TEST(ConvertTest, SamplesToStandardOutput) {
  const std::string ami33 = SourcePath("examples/ami33.block");
  struct {
    std::string input;
    std::string data;
    std::string err;
  } cases[] = {
      {SourcePath("examples/sample.blocks"), kSampleBlocksData, ""},
      {SourcePath("examples/sample.yal"), kSampleYalData, ""},
      // The suites' files as they circulate. A course block file gives an
      // outline, which the data file cannot hold: it is said on standard
      // error.
      {ami33, ReadFile(SourcePath("examples/ami33.txt")),
       "floorplan-convert: " + ami33 + ": outline 1326 1205\n"},
      {SourcePath("examples/n100.hardblocks"),
       ReadFile(SourcePath("examples/n100.txt")), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{c.input},
          std::vector<std::string>{c.input, "-"}}) {
      CapturedRun run = RunConvertCaptured(arguments);
      EXPECT_EQ(0, run.status);
      EXPECT_EQ(c.data, run.out);
      EXPECT_EQ(c.err, run.err);
    }
  }
}

// `text` with every `from` replaced by `to`.
std::string Replaced(std::string text, const std::string& from,
                     const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The same blocks however the file is named and spelt.
TEST(ConvertTest, FormatToldFromTheContents) {
  const std::string n100 = ReadFile(SourcePath("examples/n100.hardblocks"));
  const std::string n100Data = ReadFile(SourcePath("examples/n100.txt"));
  const std::string ami33 = ReadFile(SourcePath("examples/ami33.block"));
  const std::string ami33Data = ReadFile(SourcePath("examples/ami33.txt"));
  const std::string mark = "\xEF\xBB\xBF";
  struct {
    const char* name;  // the file's name too
    std::string text;
    std::string data;
  } cases[] = {
      {"yal.blocks", ReadFile(SourcePath("examples/sample.yal")),
       kSampleYalData},
      {"blocks.yal", ReadFile(SourcePath("examples/sample.blocks")),
       kSampleBlocksData},
      {"with-header.hardblocks", "UCSC blocks 1.0\n" + n100, n100Data},
      {"marked-and-commented.blocks",
       mark + "/* n100 */\n# hard blocks\nUCSC blocks 1.0\n" + n100, n100Data},
      {"marked-without-header.blocks", mark + n100, n100Data},
      {"lf.block", Replaced(ami33, "\r\n", "\n"), ami33Data},
      {"marked-tabs-final-lf.block", mark + Replaced(ami33, " ", "\t") + "\n",
       ami33Data},
  };
  ScratchFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteText(folder / c.name, c.text);
    EXPECT_EQ(c.data, RunConvertCaptured({folder / c.name}).out);
  }
}

TEST(ConvertTest, ConvertedFileLoadsAsWritten) {
  ScratchFolder folder;
  std::string output = folder / "sample.txt";
  CapturedRun run =
      RunConvertCaptured({SourcePath("examples/sample.blocks"), output});
  ASSERT_EQ(0, run.status) << run.err;
  EXPECT_EQ("", run.out);
  EXPECT_EQ("", run.err);
  EXPECT_EQ(kSampleBlocksData, ReadFile(output));

  // As the report reads it: identifiers, sides and names line by line.
  std::vector<DataModule> modules;
  std::string error;
  ASSERT_TRUE(ReadDataFile(output, &modules, &error)) << error;
  const char* names[] = {"alu", "regs", "cache", "io_ctl", "fpu"};
  const int widths[] = {60, 30, 120, 25, 48};
  const int heights[] = {40, 70, 35, 25, 90};
  ASSERT_EQ(5u, modules.size());
  for (size_t k = 0; k < modules.size(); ++k) {
    EXPECT_EQ(static_cast<int32_t>(k + 1), modules[k].identifier);
    EXPECT_EQ(widths[k], modules[k].width);
    EXPECT_EQ(heights[k], modules[k].height);
    EXPECT_EQ(names[k], modules[k].name);
  }
  // As the main program loads it.
  RandomSource random;
  std::unique_ptr<Floorplan> floorplan = LoadFloorplan(output, &random, &error);
  ASSERT_NE(nullptr, floorplan);
  EXPECT_EQ(5u, floorplan->numModules);
}

TEST(ConvertTest, RefusalsNameTheLineAndWriteNothing) {
  const std::string module =
      "TYPE GENERAL; DIMENSIONS 0 0 0 1 1 1 1 0; ENDMODULE;\n";
  struct {
    const char* name;
    std::string text;
    std::string where;  // ":LINE" after the file's path
    std::string reason;
  } cases[] = {
      {"soft block", "UCSC blocks 1.0\n\nsb softrectangular 100 0.5 2\n", ":3",
       "sb is a soft block (softrectangular): soft blocks have no fixed sides"},
      {"L-shaped",
       "MODULE a; " + module + "MODULE L; TYPE GENERAL;\n" +
           "DIMENSIONS 0 0 0 2 1 2 1 1 2 1 2 0; ENDMODULE;\n",
       ":3", "module L is not a rectangle: its outline has 6 corners"},
      {"duplicate names",
       "MODULE a; " + module + "MODULE b; " + module + "MODULE a; " + module,
       ":3", "a second block named a (the first is on line 1)"},
      {"one block",
       "UCSC blocks\nNumTerminals : 1\nt terminal\n"
       "a hardrectilinear 4 (0, 0) (0, 5) (5, 5) (5, 0)\n\n",
       ":5", "only 1 hard block in the file; a floorplan needs at least two"},
      {"pads and parents only",
       "MODULE p; TYPE PAD; ENDMODULE;\nMODULE q; TYPE PARENT; ENDMODULE;\n",
       ":2", "only 0 hard blocks in the file; a floorplan needs at least two"},
      {"a name the data file cannot carry",
       "MODULE a\x01z; " + module + "MODULE b; " + module, ":1",
       "block a\\x01z: the name holds the byte 0x01, which a data file line "
       "cannot carry"},
      {"side above 16 bits",
       "UCSC blocks\na hardrectilinear 4 (0, 0) (0, 5) (5, 5) (5, 0)\n"
       "b hardrectilinear 4 (0, 0) (0, 5) (99999, 5) (99999, 0)\n",
       ":3",
       "block b is 99999 x 5: a side above 65535, the largest a data file "
       "holds"},
      {"GSRC soft blocks without the header",
       ReadFile(SourcePath("testdata/n100.softblocks")), ":4",
       "sb0 is a soft block (softrectilinear): soft blocks have no fixed "
       "sides"},
      {"a course file with more blocks than it says",
       Replaced(ReadFile(SourcePath("examples/ami33.block")), "NumBlocks: 33",
                "NumBlocks: 32"),
       ":37", "block bk9d is block 33, but NumBlocks is 32 (line 2)"},
      {"a course file with fewer terminals than it says",
       Replaced(ReadFile(SourcePath("examples/ami33.block")),
                "NumTerminals: 40", "NumTerminals: 41"),
       ":3", "NumTerminals is 41, but the file has 40 terminals"},
      {"a course file without the outline's height",
       Replaced(ReadFile(SourcePath("examples/ami33.block")), " 1205", ""),
       ":1", "expected \"Outline: WIDTH HEIGHT\", both from 1 to 2147483647"},
      {"a data file", "1 3 4 a\n2 5 6 b\n", ":1", kNeither},
      {"empty", "", ":1", "no blocks: the file is empty"},
  };
  ScratchFolder folder;
  std::string input = folder / "input";
  std::string existing = folder / "existing.txt";
  std::string absent = folder / "absent.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteText(input, c.text);
    WriteText(existing, "keep\n");
    std::string message =
        "floorplan-convert: " + input + c.where + ": " + c.reason + "\n";
    for (const std::string& output : {std::string("-"), existing, absent}) {
      CapturedRun run = RunConvertCaptured({input, output});
      EXPECT_EQ(1, run.status);
      EXPECT_EQ("", run.out);
      EXPECT_EQ(message, run.err);
    }
    EXPECT_EQ("keep\n", ReadFile(existing));
    EXPECT_EQ((std::set<std::string>{"existing.txt", "input"}),
              Listing(folder.path()));
  }
}

TEST(ConvertTest, FilesItCannotUse) {
  ScratchFolder folder;
  std::string input = folder / "in.blocks";
  WriteText(input, ReadFile(SourcePath("examples/sample.blocks")));
  std::string sample = ReadFile(input);
  std::string missing = folder / "missing.blocks";
  struct {
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {{missing},
       "floorplan-convert: " + missing +
           ": cannot open: No such file or directory\n"},
      {{folder.path()},
       "floorplan-convert: " + folder.path() +
           ": cannot read: Is a directory\n"},
      {{input, input},
       "floorplan-convert: " + input + ": is the same file as the input " +
           input + "\n"},
      {{input, folder / "./in.blocks"},
       "floorplan-convert: " + folder.path() +
           "/./in.blocks: is the same file as the input " + input + "\n"},
      {{input, folder.path()},
       "floorplan-convert: " + folder.path() + ": Is a directory\n"},
      {{input, folder / "no/out.txt"},
       "floorplan-convert: " + folder.path() +
           "/no/out.txt: cannot create a temporary file in " + folder.path() +
           "/no: No such file or directory\n"},
      {{input, "/dev/full"},
       "floorplan-convert: cannot write to /dev/full: No space left on device\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    CapturedRun run = RunConvertCaptured(c.arguments);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ(c.err, run.err);
    EXPECT_EQ(sample, ReadFile(input));
    EXPECT_EQ(std::set<std::string>{"in.blocks"}, Listing(folder.path()));
  }
}

TEST(ConvertTest, CommandLine) {
  const std::string sample = SourcePath("examples/sample.blocks");
  const std::string usage = ReadFile(SourcePath("testdata/convert_usage.txt"));
  const std::string version =
      std::string("floorplan-convert ") + kFloorplanVersion + "\n";
  struct {
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {{}, 2, "", "floorplan-convert: no INPUT given\n" + usage},
      {{"-x", sample}, 2, "", "floorplan-convert: unknown option -x\n" + usage},
      {{sample, "--output"},
       2,
       "",
       "floorplan-convert: unknown option --output\n" + usage},
      {{sample, "a.txt", "b.txt"},
       2,
       "",
       "floorplan-convert: too many arguments\n" + usage},
      {{"-"},
       2,
       "",
       "floorplan-convert: INPUT must name a file (standard input is not "
       "read)\n" +
           usage},
      {{"--help"}, 0, usage, ""},
      {{"-h", "unused"}, 0, usage, ""},
      {{sample, "--help"}, 0, usage, ""},
      {{"--version"}, 0, version, ""},
      {{sample, "out.txt", "--version"}, 0, version, ""},
      {{"--", sample}, 0, kSampleBlocksData, ""},
      {{"--", "--help"},
       1,
       "",
       "floorplan-convert: --help: cannot open: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const std::string& argument : c.arguments) shown += argument + " ";
    SCOPED_TRACE(shown);
    CapturedRun run = RunConvertCaptured(c.arguments);
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ(c.out, run.out);
    EXPECT_EQ(c.err, run.err);
  }
}

// Standard output closed or full: one message, status 1, for a conversion
// and for the texts of --help and --version alike.
TEST(ConvertTest, BinaryReportsAStandardOutputItCannotWrite) {
  ScratchFolder folder;
  std::string sample = SourcePath("examples/sample.yal");
  struct {
    std::vector<std::string> arguments;
    std::string stdoutPath;  // "-": closed
    std::string reason;
  } cases[] = {
      {{sample}, "-", "Bad file descriptor"},
      {{sample, "-"}, "-", "Bad file descriptor"},
      {{sample}, "/dev/full", "No space left on device"},
      {{"--help"}, "-", "Bad file descriptor"},
      {{"--version"}, "/dev/full", "No space left on device"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments[0] + " " + c.stdoutPath);
    std::vector<std::string> argv{FLOORPLAN_CONVERT_BINARY};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    ChildOptions options;
    options.stdoutPath = c.stdoutPath;
    ChildResult result = ChildProcess(argv, options).Finish();
    EXPECT_TRUE(result.exited && result.status == 1);
    EXPECT_EQ(
        "floorplan-convert: cannot write to standard output: " + c.reason + "\n",
        result.err);
  }

  // With standard output closed, a file OUTPUT is still written, and only
  // there.
  std::string output = folder / "out.txt";
  ChildOptions closed;
  closed.stdoutPath = "-";
  ChildResult result =
      ChildProcess({FLOORPLAN_CONVERT_BINARY, sample, output}, closed).Finish();
  EXPECT_TRUE(result.exited && result.status == 0);
  EXPECT_EQ("", result.err);
  EXPECT_EQ(kSampleYalData, ReadFile(output));
}

// The identifiers of the final solution of a run's log.
std::vector<int> FinalModules(const std::string& log) {
  std::vector<int> modules;
  size_t at = log.find("Final solution:\n");
  if (at == std::string::npos) return modules;
  std::istringstream line(log.substr(at + 16));
  std::string expression;
  std::getline(line, expression);
  for (size_t open = expression.find('<'); open != std::string::npos;
       open = expression.find('<', open + 1)) {
    modules.push_back(std::atoi(expression.c_str() + open + 1));
  }
  std::sort(modules.begin(), modules.end());
  return modules;
}

TEST(ConvertTest, FloorplanRunsOnConvertedSamples) {
  ScratchFolder folder;
  struct {
    std::string input;
    std::vector<int> modules;
  } cases[] = {
      {SourcePath("examples/sample.blocks"), {1, 2, 3, 4, 5}},
      {SourcePath("examples/sample.yal"), {1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::string data = folder / "data.txt";
    CapturedRun converted = RunConvertCaptured({c.input, data});
    ASSERT_EQ(0, converted.status) << converted.err;
    CapturedRun run = RunCaptured({data, "0.5", "100", "10"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
    EXPECT_EQ(c.modules, FinalModules(run.out));
  }
}

}  // namespace
