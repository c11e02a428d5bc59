// Hostile data files and parameters through the whole program: in-process
// with a fixed clock for the tables, and through the real binary for a few.
// Whatever the input, the program answers with a run or a message and an exit
// status; nothing here may hang. Every test of this file finishes within the
// 60-second TIMEOUT that CMakeLists.txt gives it (sanitizer builds included):
// the longest runs are a few thousand temperatures of a two-module file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "testing/captured_run.h"
#include "testing/child_process.h"
#include "testing/parsed_log.h"

namespace {

constexpr const char* kLambdaRefused =
    "SimulatedAnnealing: Parameter 2 (double lambda) is not 0<lambda<1\n";
constexpr const char* kT0Refused =
    "SimulatedAnnealing: Parameter 3 (double T0) is not finite\n";
constexpr const char* kWeightsRefused =
    "SimulatedAnnealing: Parameters 5-7 (probM1+probM2+probM3) are not "
    "0<sum<2^32\n";
constexpr const char* kAbnormalExit =
    "SimulatedAnnealing: Exited under abnormal conditions\n";

// Two modules whose every floorplan costs 36 (4 x 6 beside or above 3 x 3,
// turned to fit): every candidate has the current cost.
constexpr const char* kTwoModules = "1 4 6\n2 3 3\n";
constexpr int64_t kTwoModulesCost = 36;

// The module identifiers of an expression, in its order.
std::vector<std::string> Identifiers(const std::string& expression) {
  std::vector<std::string> identifiers;
  for (size_t at = expression.find('<'); at != std::string::npos;
       at = expression.find('<', at + 1)) {
    identifiers.push_back(
        expression.substr(at + 1, expression.find('>', at) - at - 1));
  }
  return identifiers;
}

size_t CountCuts(const std::string& expression) {
  return static_cast<size_t>(
      std::count_if(expression.begin(), expression.end(),
                    [](char c) { return c == 'H' || c == 'V'; }));
}

// What holds for every completed run: status 0, nothing on standard error,
// move numbers 1, 2, ..., the best cost as the final cost, the final
// expression made of the initial modules.
Log CheckCompletedRun(const CapturedRun& run) {
  EXPECT_EQ(0, run.status);
  EXPECT_EQ("", run.err);
  Log log = ParseLog(run.out);
  EXPECT_FALSE(log.moves.empty());
  Area best = log.initialCost;
  for (size_t i = 0; i < log.moves.size(); ++i) {
    EXPECT_EQ(static_cast<int64_t>(i + 1), log.moves[i].number);
    best = std::min(best, log.moves[i].cost);
  }
  EXPECT_EQ(best, log.finalCost);
  if (log.verbose) {
    std::vector<std::string> initial = Identifiers(log.initialExpression);
    std::vector<std::string> final = Identifiers(log.finalExpression);
    EXPECT_EQ(initial.size() - 1, CountCuts(log.finalExpression));
    std::sort(initial.begin(), initial.end());
    std::sort(final.begin(), final.end());
    EXPECT_EQ(initial, final);
  }
  return log;
}

std::string Temperature(double T) {
  char text[512];
  snprintf(text, sizeof text, "%f", T);
  return text;
}

// The whole log of the two-module file but for its expressions: as every
// candidate costs what the current Floorplan does, each temperature with T
// not 0 accepts its first 5 moves (uphill exceeds movesLimit 4), and one at T
// = 0 rejects all 9 (the quotient is NaN) and so ends the run. Otherwise the
// run ends when the lowered T is below Tf or lowering left it unchanged.
std::vector<Move> TwoModuleMoves(double lambda, double T0, double Tf) {
  std::vector<Move> moves;
  double T = T0;
  for (;;) {
    bool zero = T == 0;
    for (int i = 0; i < (zero ? 9 : 5); ++i) {
      Move move;
      move.number = static_cast<int64_t>(moves.size()) + 1;
      move.cost = kTwoModulesCost;
      move.temperature = Temperature(T);
      move.accepted = !zero;
      moves.push_back(move);
    }
    double previous = T;
    T *= lambda;
    if (zero || T < Tf || (T == previous && T != 0)) return moves;
  }
}

struct ParameterCase {
  const char* name;
  std::vector<std::string> parameters;
  const char* refusal;  // the expected standard error, or null for a run
  // For a run, the values the parameters convert to (256 is the default T0
  // of two modules).
  double lambda = 0.85;
  double T0 = 256;
  double Tf = 10;
};

TEST(HostileInputTest, ParametersOnTwoModulesGiveTheirRunOrRefusal) {
  const double inf = INFINITY;
  const ParameterCase cases[] = {
      {"text lambda converts to 0", {"nan"}, kLambdaRefused},
      {"no infinity form", {"inf"}, kLambdaRefused},
      {"lambda beyond double range", {"1e999"}, kLambdaRefused},
      {"negative zero lambda", {"-0"}, kLambdaRefused},
      {"lambda of 1", {"1"}, kLambdaRefused},
      {"negative lambda", {"-0.5"}, kLambdaRefused},
      {"subnormal lambda runs", {"1e-320"}, nullptr, 1e-320},
      {"T0 beyond double range", {"0.85", "1e999"}, kT0Refused},
      {"T0 below double range", {"0.85", "-1e999"}, kT0Refused},
      {"all refusals at once",
       {"0", "1e999", "10", "0", "0", "0"},
       "SimulatedAnnealing: Parameter 2 (double lambda) is not 0<lambda<1\n"
       "SimulatedAnnealing: Parameter 3 (double T0) is not finite\n"
       "SimulatedAnnealing: Parameters 5-7 (probM1+probM2+probM3) are not "
       "0<sum<2^32\n"},
      {"T0 nan converts to 0", {"0.85", "nan"}, nullptr, 0.85, 0},
      {"T0 inf converts to 0", {"0.85", "inf"}, nullptr, 0.85, 0},
      {"T0 negative zero", {"0.85", "-0"}, nullptr, 0.85, -0.0},
      {"T0 subnormal", {"0.85", "1e-320"}, nullptr, 0.85, 1e-320},
      {"T0 below Tf", {"0.5", "1", "10"}, nullptr, 0.5, 1, 10},
      {"negative T0", {"0.85", "-256", "10"}, nullptr, 0.85, -256, 10},
      {"negative T0 above negative Tf",
       {"0.85", "-256", "-1000"},
       nullptr,
       0.85,
       -256,
       -1000},
      {"negative T0 reaching -0",
       {"0.4", "-256", "-1000"},
       nullptr,
       0.4,
       -256,
       -1000},
      {"Tf 0 stops at unchanged T",
       {"0.85", "256", "0"},
       nullptr,
       0.85,
       256,
       0},
      {"negative Tf", {"0.85", "256", "-1"}, nullptr, 0.85, 256, -1},
      {"Tf minus infinity",
       {"0.85", "256", "-1e999"},
       nullptr,
       0.85,
       256,
       -inf},
      {"T reaching 0 ends by rejection",
       {"0.3", "256", "0"},
       nullptr,
       0.3,
       256,
       0},
      {"subnormal Tf", {"0.85", "256", "1e-320"}, nullptr, 0.85, 256, 1e-320},
      {"infinite Tf", {"0.85", "256", "1e999"}, nullptr, 0.85, 256, inf},
      {"a thousand temperatures",
       {"0.999999", "10.01", "10"},
       nullptr,
       0.999999,
       10.01,
       10},
      {"weights 0 0 0", {"0.5", "1", "10", "0", "0", "0"}, kWeightsRefused},
      {"weights summing to 2^32",
       {"0.5", "1", "10", "4294967295", "1", "0"},
       kWeightsRefused},
      {"negative weights wrap",
       {"0.5", "1", "10", "-1", "-1", "-1"},
       kWeightsRefused},
      {"largest weight sum",
       {"0.5", "1", "10", "4294967295", "0", "0"},
       nullptr,
       0.5,
       1,
       10},
      {"negative weight alone",
       {"0.5", "1", "10", "-1", "0", "0"},
       nullptr,
       0.5,
       1,
       10},
      {"weight beyond 32 bits wraps",
       {"0.5", "1", "10", "1", "99999999999", "1"},
       "SimulatedAnnealing: Parameters 5-7 (probM1,probM2,probM3) give a move "
       "kind that is never drawn\n",
       0.5,
       1,
       10},
      {"weight beyond 32 bits wraps to one within reach",
       {"0.5", "1", "10", "4294967297", "1", "1"},
       nullptr,
       0.5,
       1,
       10},
      {"M3 only falls back to M2",
       {"0.5", "1", "10", "0", "0", "1"},
       nullptr,
       0.5,
       1,
       10},
  };
  std::string path = WriteTempFile("two.txt", kTwoModules);
  for (const ParameterCase& test : cases) {
    SCOPED_TRACE(test.name);
    std::vector<std::string> arguments{path};
    arguments.insert(arguments.end(), test.parameters.begin(),
                     test.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    if (test.refusal != nullptr) {
      EXPECT_EQ(-1, run.status);
      EXPECT_EQ("", run.out);
      EXPECT_EQ(std::string(test.refusal) + kAbnormalExit, run.err);
      continue;
    }
    Log log = CheckCompletedRun(run);
    std::vector<Move> expected = TwoModuleMoves(test.lambda, test.T0, test.Tf);
    ASSERT_EQ(expected.size(), log.moves.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(expected[i].temperature, log.moves[i].temperature) << i;
      EXPECT_EQ(expected[i].accepted, log.moves[i].accepted) << i;
      EXPECT_EQ(kTwoModulesCost, log.moves[i].cost) << i;
    }
    EXPECT_EQ(kTwoModulesCost, log.finalCost);
  }
}

// A line of `length` characters holding module 3 (5 x 5) at its start and
// the text "9 1 1" at its end, so that where the reader cuts it into pieces
// of 1023 characters shows in the modules read.
std::string LongLine(size_t length) {
  return "3 5 5" + std::string(length - 10, ' ') + "9 1 1";
}

struct FileCase {
  const char* name;
  std::string contents;
  // The identifiers in file order, as the initial expression lists them;
  // empty when the file must not load.
  std::vector<std::string> identifiers;
  int64_t initialCost = -1;  // checked when not -1
  std::vector<std::string> parameters{"0.5", "1", "10"};
};

const std::vector<std::string> kM1Only{"0.5", "1", "10", "1", "0", "0"};

TEST(HostileInputTest, DataFilesLoadAsReadOrAreReported) {
  using namespace std::string_literals;
  const FileCase cases[] = {
      {"empty file", "", {}},
      {"blank lines only", "\n \t\n\r\n", {}},
      {"one module", "1 4 6\n", {}},
      {"blank second line", "1 4 6\n\n2 3 3\n", {}},
      {"line of 1022 characters",
       "1 4 6\n2 3 3\n" + LongLine(1022) + "\n4 2 2\n",
       {"1", "2", "3", "4"}},
      {"line of 1023 characters: a lone line feed follows",
       "1 4 6\n2 3 3\n" + LongLine(1023) + "\n4 2 2\n",
       {"1", "2", "3", "4"}},
      {"line of 1024 characters: its last piece lacks sides",
       "1 4 6\n2 3 3\n" + LongLine(1024) + "\n4 2 2\n",
       {"1", "2", "3"}},
      {"line of 5000 characters: its last piece is a module",
       "1 4 6\n2 3 3\n" + LongLine(5000) + "\n4 2 2\n",
       {"1", "2", "3", "9", "4"}},
      {"first line of 1023 characters leaves an empty second line",
       "1 4 6" + std::string(1018, ' ') + "\n2 3 3\n",
       {}},
      {"NUL ends a line's text", "1 4 6\n2 3 3\n3 5\0 5\n4 2 2\n"s, {"1", "2"}},
      {"NUL after the sides",
       "1 4 6\n2 3 3\n3 5 5\0 x\n4 2 2\n"s,
       {"1", "2", "3", "4"}},
      {"NUL in the first line", "1 4\0 6\n2 3 3\n"s, {}},
      {"0x1A ends the file",
       "1 4 6\n2 3 3\n3 5 5\x1a\n4 2 2\n",
       {"1", "2", "3"}},
      {"0x1A within the second line", "1 4 6\n2 3\x1a 3\n", {}},
      {"lone CR is an ordinary character", "1 4 6\r2 3 3\n3 5 5\n", {"1", "3"}},
      {"lone CR line ends the reading",
       "1 4 6\n2 3 3\n\r\r\n3 5 5\n",
       {"1", "2"}},
      {"CR before an identifier is blank",
       "1 4 6\n2 3 3\n\r4 2 2\n",
       {"1", "2", "4"}},
      {"CRLF lines and a blank CRLF line",
       "1 4 6\r\n2 3 3\r\n\r\n3 5 5\r\n",
       {"1", "2", "3"}},
      {"non-ASCII bytes",
       "1 4 6 caf\xc3\xa9\n2 3 3 \xff\xfe\n\xff 5 5\n\xa0\n4 2 2\n",
       {"1", "2", "0"}},
      {"numbers beyond 32 bits wrap",
       "4294967297 65537 131074\n2 3 3\n",
       {"1", "2"},
       12},
      {"identifiers beyond 32 bits and negative",
       "-1 4 6\nM4294967298 3 3\n99999999999 2 5\n",
       {"-1", "2", "1215752191"}},
      {"negative sides", "1 -3 4\n2 5 5\n", {"1", "2"}, 327690},
      {"zero sides", "1 0 7\n2 0 0\n", {"1", "2"}, 0},
      {"area beyond 32 bits",
       "1 65535 65535\n2 65535 65535\n",
       {"1", "2"},
       8589672450},
      {"all identifiers 0, M1 only",
       "0 1 2\n0 3 4\n0 5 6\n0 7 8\n",
       {"0", "0", "0", "0"},
       -1,
       kM1Only},
      {"identifiers from 100000, M1 only",
       "100000 4 6\n100001 3 3\n100002 2 5\n",
       {"100000", "100001", "100002"},
       -1,
       kM1Only},
      {"identifiers from 100000, M1 only, many temperatures",
       "100000 4 6\n100001 3 3\n100002 2 5\n",
       {"100000", "100001", "100002"},
       -1,
       {"0.85", "512", "10", "1", "0", "0"}},
      {"only the last identifier drawable, M1 only",
       "7 1 2\n8 3 4\n1 5 6\n",
       {"7", "8", "1"},
       -1,
       kM1Only},
      {"one identifier repeated, M1 only",
       "1 1 2\n1 3 4\n1 5 6\n",
       {"1", "1", "1"},
       -1,
       kM1Only},
  };
  for (const FileCase& test : cases) {
    SCOPED_TRACE(test.name);
    std::string path = WriteTempFile("data.txt", test.contents);
    std::vector<std::string> arguments{path};
    arguments.insert(arguments.end(), test.parameters.begin(),
                     test.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    if (test.identifiers.empty()) {
      EXPECT_EQ(-1, run.status);
      EXPECT_EQ("", run.out);
      EXPECT_EQ("Unable to open file: " + path + "\n", run.err);
      continue;
    }
    Log log = CheckCompletedRun(run);
    EXPECT_EQ(test.identifiers, Identifiers(log.initialExpression));
    size_t N = test.identifiers.size();
    EXPECT_EQ(N - 1, CountCuts(log.initialExpression));
    if (test.initialCost >= 0) {
      EXPECT_EQ(test.initialCost, log.initialCost);
    }
    if (test.parameters[1] == "1") {
      // T0 below Tf: one temperature of movesLimit + 1 to 2 x movesLimit + 1
      // moves, movesLimit being N x N below 15 modules.
      EXPECT_LE(N * N + 1, log.moves.size());
      EXPECT_GE(2 * N * N + 1, log.moves.size());
      for (const Move& move : log.moves)
        EXPECT_EQ("1.000000", move.temperature);
    }
  }
}

TEST(HostileInputTest, FilesThatCannotBeReadAreReported) {
  std::string regular = WriteTempFile("regular.txt", kTwoModules);
  const std::string paths[] = {
      SourcePath("testdata"),  // a directory opens but does not read
      regular + "/x",          // unreadable for root too
      regular + ".missing",
      "",
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    CapturedRun run = RunCaptured({path, "0.5", "1", "10"});
    EXPECT_EQ(-1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("Unable to open file: " + path + "\n", run.err);
  }
}

// The real binary, with its real clock: exit statuses as the shell sees
// them, and both streams.
CapturedRun RunBinary(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{FLOORPLAN_BINARY};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  ChildResult result = ChildProcess(argv).Finish();
  EXPECT_TRUE(result.exited);
  return {result.status, result.out, result.err};
}

TEST(HostileInputTest, BinaryExitsWith255OnEveryFailure) {
  const std::string usage = ReadFile(SourcePath("testdata/usage.txt"));
  std::string two = WriteTempFile("two.txt", kTwoModules);
  std::string directory = SourcePath("testdata");
  struct {
    std::vector<std::string> arguments;
    std::string out;
    std::string err;
  } cases[] = {
      {{}, usage, ""},
      {{two, "0.85", "256", "10", "1", "1", "1", "extra"}, usage, ""},
      {{directory}, "", "Unable to open file: " + directory + "\n"},
      {{two + "/x"}, "", "Unable to open file: " + two + "/x\n"},
      {{two, "0"}, "", std::string(kLambdaRefused) + kAbnormalExit},
      {{two, "0.5", "1", "10", "0", "0", "0"},
       "",
       std::string(kWeightsRefused) + kAbnormalExit},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.arguments.empty() ? "no argument" : test.arguments[0]);
    CapturedRun run = RunBinary(test.arguments);
    EXPECT_EQ(255, run.status);
    EXPECT_EQ(test.out, run.out);
    EXPECT_EQ(test.err, run.err);
  }
}

TEST(HostileInputTest, BinaryStopsWhenLoweringLeavesTUnchanged) {
  std::string two = WriteTempFile("two.txt", kTwoModules);
  for (const char* Tf : {"0", "-1"}) {
    SCOPED_TRACE(Tf);
    Log log = CheckCompletedRun(RunBinary({two, "0.85", "256", Tf}));
    std::vector<Move> expected = TwoModuleMoves(0.85, 256, std::stod(Tf));
    ASSERT_EQ(expected.size(), log.moves.size());
    EXPECT_EQ(expected.back().temperature, log.moves.back().temperature);
    EXPECT_EQ(kTwoModulesCost, log.finalCost);
  }
}

}  // namespace
