// Whole runs through the program's entry with a fixed clock: exact output
// where it can be worked out independently, structural properties of the log
// elsewhere.
#include "anneal/annealer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "testing/captured_run.h"
#include "testing/parsed_log.h"
#include "testing/test_floorplans.h"

namespace {

// An independent model of the random source, for working out expected logs.
struct Lcg {
  uint32_t state;
  uint32_t Next() {
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFF;
  }
  uint32_t Range(uint32_t lo, uint32_t hi) {
    return lo + Next() % (hi - lo + 1);
  }
};

std::string Padded(const std::string& field) {
  return field.size() < 10 ? field + std::string(10 - field.size(), ' ')
                           : field;
}

// With two modules every candidate has the same cost (turning every module
// maps a 'V' floorplan onto the 'H' one), so every move is accepted as uphill
// and a temperature has exactly movesLimit + 1 = 5 moves. M1 succeeds only
// when it draws the first module; M2 only for the cut ordinal 0; M3 is always
// replaced by M2, as one cut has one type.
std::string ExpectedTwoModuleRun(int64_t clock) {
  Lcg lcg{static_cast<uint32_t>(clock)};
  char cut = (lcg.Next() & 1) ? 'H' : 'V';   // drawn by the loader
  lcg.state = static_cast<uint32_t>(clock);  // the annealer reseeds
  int first = 1;
  int second = 2;
  auto expression = [&] {
    return "<" + std::to_string(first) + "><" + std::to_string(second) + ">" +
           cut;
  };
  std::string out = "Initial Floorplan: " + expression() + " Cost: 36\n\n" +
                    "***Start of Simulated Annealing***\n\n";
  double T = 256;
  int number = 0;
  for (;;) {
    for (int move = 0; move < 5; ++move) {
      if (lcg.Range(1, 3) == 1) {
        while (static_cast<int>(lcg.Range(1, 2)) != first) {
        }
        std::swap(first, second);
      } else {
        while (lcg.Range(0, 1) != 0) {
        }
        cut = cut == 'V' ? 'H' : 'V';
      }
      char temperature[64];
      snprintf(temperature, sizeof temperature, "%f ", T);
      out += Padded(std::to_string(++number) + " ") + expression() +
             Padded("  36 ") + temperature + "Y\n";
      lcg.Range(0, 999);  // the draw w, below exp(0) = 1
    }
    T *= 0.85;
    if (T < 10) break;
  }
  return out;
}

TEST(AnnealerTest, TwoModuleRunsAreExactlyAsWorkedOut) {
  std::string path = WriteTempFile("two.txt", "1 4 6\n2 3 3\n");
  for (int64_t clock : {int64_t{0}, int64_t{1767225600}, int64_t{4000000123}}) {
    for (HotPath hotPath : {HotPath::kFast, HotPath::kPlain}) {
      CapturedRun run = RunCaptured({path}, clock, hotPath);
      EXPECT_EQ(0, run.status);
      EXPECT_EQ("", run.err);
      std::string expected = ExpectedTwoModuleRun(clock);
      // The loaded Floorplan is the best: no candidate is cheaper.
      std::string initial = expected.substr(19, 7);
      expected += "\n***End of Simulated Annealing***\nFinal solution:\n" +
                  initial + "\n\nCost: 36\n";
      EXPECT_EQ(expected, run.out) << "clock " << clock;
    }
  }
}

std::string RandomDataFile(uint32_t modules, std::mt19937* random) {
  std::string text;
  std::uniform_int_distribution<int> side(1, 60);
  for (uint32_t id = 1; id <= modules; ++id) {
    text += std::to_string(id) + " " + std::to_string(side(*random)) + " " +
            std::to_string(side(*random)) + "\n";
  }
  return text;
}

std::vector<ModuleSides> SidesOf(const std::string& dataFile) {
  std::vector<ModuleSides> sides;
  std::istringstream in(dataFile);
  int id, width, height;
  while (in >> id >> width >> height) {
    sides.push_back(
        {static_cast<uint16_t>(width), static_cast<uint16_t>(height)});
  }
  return sides;
}

// Structure of runs at the module counts where the schedule and the log
// change form: movesLimit is N x N below 15 modules and 2N from 15 on; the log
// is verbose below 20 modules.
TEST(AnnealerTest, RunsKeepTheirScheduleAndBest) {
  std::mt19937 random(41);
  struct Case {
    uint32_t modules;
    std::vector<std::string> parameters;
  };
  const Case cases[] = {
      {14, {"0.5", "1000", "10"}},
      {15, {"0.8", "1000", "10"}},
      {19, {"0.8", "1000", "10"}},
      {20, {"0.8", "1000", "10"}},
      {30, {"0.7", "5000", "10", "3", "1", "2"}},
      {8, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modules);
    std::string data = RandomDataFile(c.modules, &random);
    std::string path =
        WriteTempFile("random" + std::to_string(c.modules) + ".txt", data);
    std::vector<std::string> arguments{path};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    ASSERT_EQ(0, run.status);
    ASSERT_EQ("", run.err);
    bool verbose = c.modules < 20;
    Log log = ParseLog(run.out);
    EXPECT_EQ(verbose, log.verbose);
    ASSERT_FALSE(log.moves.empty());

    // Move numbers run on across temperatures.
    for (size_t i = 0; i < log.moves.size(); ++i) {
      ASSERT_EQ(static_cast<int64_t>(i + 1), log.moves[i].number);
    }
    // The best is the first candidate of the lowest cost, or the loaded
    // Floorplan when none was cheaper; its expression evaluates to its cost.
    int64_t lowest = log.initialCost;
    std::string bestExpression = log.initialExpression;
    for (const Move& move : log.moves) {
      if (move.cost < lowest) {
        lowest = move.cost;
        bestExpression = move.expression;
      }
    }
    EXPECT_EQ(lowest, log.finalCost);
    if (verbose) {
      EXPECT_EQ(bestExpression, log.finalExpression);
    }
    EXPECT_EQ(log.finalCost,
              FloorplanFromPostfix(log.finalExpression, SidesOf(data))->Cost());

    if (!verbose) {
      EXPECT_EQ(0, run.out.rfind("Initial Cost: ", 0));
      continue;
    }
    EXPECT_EQ(0, run.out.rfind("Initial Floorplan: <", 0));
    // Temperatures: between movesLimit + 1 and 2 movesLimit + 1 moves each; a
    // temperature ends the run only if almost all its moves were rejected or
    // the lowered temperature is below Tf.
    uint64_t movesLimit =
        c.modules < 15 ? c.modules * c.modules : 2 * c.modules;
    double lambda = c.parameters.empty() ? 0.85 : std::stod(c.parameters[0]);
    double Tf = c.parameters.empty() ? 10.0 : std::stod(c.parameters[2]);
    size_t start = 0;
    while (start < log.moves.size()) {
      size_t end = start;
      uint64_t rejects = 0;
      while (end < log.moves.size() &&
             log.moves[end].temperature == log.moves[start].temperature) {
        rejects += !log.moves[end].accepted;
        ++end;
      }
      uint64_t moves = end - start;
      EXPECT_GE(moves, movesLimit + 1);
      EXPECT_LE(moves, 2 * movesLimit + 1);
      bool last = end == log.moves.size();
      bool mostlyRejected = rejects > 0.99 * moves;
      bool cold = std::stod(log.moves[start].temperature) * lambda < Tf;
      EXPECT_EQ(last, mostlyRejected || cold)
          << "temperature " << log.moves[start].temperature;
      start = end;
    }
  }
}

TEST(AnnealerTest, RefusedParametersExitWithMessagesOnly) {
  std::string path = WriteTempFile("refused.txt", "1 4 6\n2 3 3\n3 2 5\n");
  const std::string kLambda =
      "SimulatedAnnealing: Parameter 2 (double lambda) is not 0<lambda<1\n";
  const std::string kT0 =
      "SimulatedAnnealing: Parameter 3 (double T0) is not finite\n";
  const std::string kWeights =
      "SimulatedAnnealing: Parameters 5-7 (probM1+probM2+probM3) are not "
      "0<sum<2^32\n";
  const std::string kUnreachable =
      "SimulatedAnnealing: Parameters 5-7 (probM1,probM2,probM3) give a move "
      "kind that is never drawn\n";
  const std::string kExit =
      "SimulatedAnnealing: Exited under abnormal conditions\n";
  struct Case {
    std::vector<std::string> parameters;
    std::string err;
  };
  const Case cases[] = {
      {{"0"}, kLambda + kExit},
      {{"1"}, kLambda + kExit},
      {{"1.5"}, kLambda + kExit},
      {{"-0.5"}, kLambda + kExit},
      {{"-0"}, kLambda + kExit},
      {{"abc"}, kLambda + kExit},  // no leading number: 0.0
      {{"0.5", "1e999"}, kT0 + kExit},
      {{"0.5", "-1e999"}, kT0 + kExit},
      {{"0.5", "100", "1", "0", "0", "0"}, kWeights + kExit},
      {{"0.5", "100", "1", "4294967295", "1", "0"}, kWeights + kExit},
      {{"0.5", "100", "1", "-1", "0", "1"}, kWeights + kExit},
      {{"2", "1e999", "1", "0", "0", "0"}, kLambda + kT0 + kWeights + kExit},
      // A draw of the kind reaches at most 32768: weights that put a kind
      // beyond it would silently never make that move.
      {{"0.5", "100", "1", "40000", "40000", "0"}, kUnreachable + kExit},
      {{"0.5", "100", "1", "32768", "1", "0"}, kUnreachable + kExit},
      {{"0.5", "100", "1", "32767", "1", "1"}, kUnreachable + kExit},
      {{"0.5", "100", "1", "4294967294", "1", "0"}, kUnreachable + kExit},
      {{"0.5", "1e999", "1", "1", "40000", "1"}, kT0 + kUnreachable + kExit},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{path};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    EXPECT_EQ(-1, run.status) << c.parameters[0];
    EXPECT_EQ("", run.out);
    EXPECT_EQ(c.err, run.err);
  }
  // Weights every kind of which can be drawn run, up to the largest sum
  // that fits; a kind alone at any weight runs as at weight 1.
  const std::vector<std::string> accepted[] = {
      {"10", "0", "0", "4294967295"},
      {"10", "32767", "1", "0"},
      {"10", "32766", "1", "1"},
      {"10", "40000", "0", "0"},
  };
  for (const std::vector<std::string>& weights : accepted) {
    std::vector<std::string> arguments{path, "0.5", "100"};
    arguments.insert(arguments.end(), weights.begin(), weights.end());
    CapturedRun run = RunCaptured(arguments);
    EXPECT_EQ(0, run.status) << weights[1];
    EXPECT_EQ("", run.err);
  }
  EXPECT_EQ(RunCaptured({path, "0.5", "100", "10", "0", "0", "1"}).out,
            RunCaptured({path, "0.5", "100", "10", "0", "0", "40000"}).out);
}

// Tokens of a printed expression.
std::vector<std::string> TokensOf(const std::string& expression) {
  std::vector<std::string> tokens;
  for (size_t at = 0; at < expression.size();) {
    size_t length =
        expression[at] == '<' ? expression.find('>', at) - at + 1 : 1;
    tokens.push_back(expression.substr(at, length));
    at += length;
  }
  return tokens;
}

bool OneCutType(const std::vector<std::string>& tokens) {
  return std::count(tokens.begin(), tokens.end(), "V") == 0 ||
         std::count(tokens.begin(), tokens.end(), "H") == 0;
}

// `to` differs from `from` by complementing one whole chain of cuts.
bool IsChainComplement(const std::vector<std::string>& from,
                       const std::vector<std::string>& to) {
  size_t first = 0;
  while (first < from.size() && from[first] == to[first]) ++first;
  if (first == from.size() || from[first][0] == '<') return false;
  size_t start = first;
  while (start > 0 && from[start - 1][0] != '<') --start;
  for (size_t i = 0; i < from.size(); ++i) {
    bool inChain =
        i >= start && from[i][0] != '<' &&
        std::all_of(from.begin() + start, from.begin() + i,
                    [](const std::string& t) { return t[0] != '<'; });
    std::string expected = inChain ? (from[i] == "V" ? "H" : "V") : from[i];
    if (to[i] != expected) return false;
  }
  return true;
}

// `to` differs from `from` by exchanging one module with a cut next to it.
bool IsModuleCutExchange(const std::vector<std::string>& from,
                         const std::vector<std::string>& to) {
  for (size_t i = 0; i + 1 < from.size(); ++i) {
    if ((from[i][0] == '<') == (from[i + 1][0] == '<')) continue;
    std::vector<std::string> exchanged = from;
    std::swap(exchanged[i], exchanged[i + 1]);
    if (exchanged == to) return true;
  }
  return false;
}

// Weights 0 0 1 make every move an M3 move, except that an M2 move takes its
// place while all cuts of the current Floorplan have one type. Module
// identifiers no M1 draw can reach make M1 moves M2 moves too.
TEST(AnnealerTest, MoveKindsFollowTheWeightsAndFallBackToChainComplements) {
  std::mt19937 random(42);
  struct Case {
    std::string data;
    std::vector<std::string> parameters;
    bool exchanges;  // M3 moves expected
  };
  const Case cases[] = {
      {RandomDataFile(10, &random), {"0.8", "1000", "10", "0", "0", "1"}, true},
      {"1 4 6\n2 3 3\n", {"0.8", "1000", "10", "0", "0", "1"}, true},
      {"100 4 6\n200 3 3\n300 2 5\n",
       {"0.8", "1000", "10", "1", "0", "0"},
       false},
      // Only the last module carries a drawable identifier.
      {"5 4 6\n6 3 3\n1 2 5\n", {"0.8", "1000", "10", "1", "0", "0"}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{WriteTempFile("kinds.txt", c.data)};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    ASSERT_EQ(0, run.status);
    Log log = ParseLog(run.out);
    std::vector<std::string> current = TokensOf(log.initialExpression);
    size_t exchanges = 0;
    for (const Move& move : log.moves) {
      std::vector<std::string> candidate = TokensOf(move.expression);
      if (c.exchanges && !OneCutType(current)) {
        ASSERT_TRUE(IsModuleCutExchange(current, candidate)) << move.number;
        ++exchanges;
      } else {
        ASSERT_TRUE(IsChainComplement(current, candidate)) << move.number;
      }
      if (move.accepted) current = candidate;
    }
    // Two modules have one cut, so never both types.
    EXPECT_EQ(c.exchanges && c.data.size() > 20, exchanges > 0);
  }
}

// Areas beyond 2^31 are printed exactly: here one candidate, 95535 x 30000,
// would wrap negative in 32 bits, while the true minimum is 30001 x 65535.
TEST(AnnealerTest, CostsBeyondThirtyTwoBits) {
  std::string path = WriteTempFile("large.txt", "1 1 65535\n2 30000 30000\n");
  CapturedRun run = RunCaptured({path});
  ASSERT_EQ(0, run.status);
  Log log = ParseLog(run.out);
  EXPECT_EQ(1966115535, log.initialCost);
  EXPECT_EQ(1966115535, log.finalCost);
  for (const Move& move : log.moves) EXPECT_EQ(1966115535, move.cost);
}

}  // namespace
