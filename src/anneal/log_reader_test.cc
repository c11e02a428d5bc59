// Reading logs: real runs of both log forms give back their final solution,
// cost, moves and line numbers, and the best cost of the moves and the
// initial report is the final cost; broken logs give the problem and its
// line.
#include "anneal/log_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "testing/captured_run.h"
#include "testing/memory_stream.h"

namespace {

struct ReadResult {
  bool read;
  RunLog log;
  LogError error;
  std::vector<LogMove> moves;  // without their views
  Area best = kLargestArea;
};

ReadResult Read(const std::string& text, size_t longestLine = 0) {
  ReadResult result;
  FILE* file = StreamOf(text);
  auto onMove = [&](const LogMove& move) {
    LogMove kept = move;
    kept.text = kept.expression = kept.temperatureText = std::string_view();
    result.moves.push_back(kept);
    result.best = std::min(result.best, move.cost);
  };
  result.read =
      ReadRunLog(file, longestLine, onMove, &result.log, &result.error);
  fclose(file);
  if (result.log.hasInitialCost) {
    result.best = std::min(result.best, result.log.initialCost);
  }
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

TEST(RunLogTest, RealRunsOfBothForms) {
  struct Case {
    const char* data;
    std::vector<std::string> parameters;
    bool verbose;
  };
  const Case cases[] = {
      {"testdata/golden/three.txt", {}, true},
      {"examples/apte.txt", {"0.9", "1000", "10"}, true},
      {"testdata/golden/rand20.txt", {}, false},
      {"examples/ami33.txt", {"0.9", "1000", "10"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    std::vector<std::string> arguments{SourcePath(c.data)};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    ASSERT_EQ(0, run.status);

    // What the log says, found line by line.
    std::vector<std::string> lines = Lines(run.out);
    size_t solution = 0;
    uint64_t moveLines = 0;
    bool inMoves = false;
    for (size_t k = 0; k < lines.size(); ++k) {
      if (lines[k] == "***End of Simulated Annealing***") inMoves = false;
      if (inMoves && !lines[k].empty()) ++moveLines;
      if (lines[k] == "***Start of Simulated Annealing***") inMoves = true;
      if (lines[k] == "Final solution:") solution = k + 1;
    }
    ASSERT_LT(solution + 2, lines.size());
    ASSERT_EQ(0u, lines[solution + 2].rfind("Cost: ", 0));
    Area finalCost = std::stoll(lines[solution + 2].substr(6));
    Area initialCost = std::stoll(lines[0].substr(lines[0].rfind(' ')));

    ReadResult result = Read(run.out);
    ASSERT_TRUE(result.read) << result.error.message;
    const RunLog& log = result.log;
    EXPECT_EQ(lines[solution], log.finalExpression);
    EXPECT_EQ(solution + 1, log.finalExpressionLine);
    EXPECT_EQ(finalCost, log.finalCost);
    EXPECT_EQ(solution + 3, log.finalCostLine);
    EXPECT_TRUE(log.hasInitialCost);
    EXPECT_EQ(initialCost, log.initialCost);
    EXPECT_EQ(c.verbose, log.verbose);
    EXPECT_EQ(moveLines, log.moves);
    ASSERT_EQ(moveLines, result.moves.size());
    // The run reports the best floorplan it saw, so the best of the moves
    // and the initial report is the final cost.
    EXPECT_EQ(finalCost, result.best);
    for (size_t k = 0; k < result.moves.size(); ++k) {
      EXPECT_EQ(static_cast<int64_t>(k + 1), result.moves[k].number);
    }
    if (c.verbose) {
      EXPECT_GE(result.moves.front().temperature,
                result.moves.back().temperature);
      EXPECT_GT(result.moves.back().temperature, 0);
      EXPECT_EQ(lines[0], "Initial Floorplan: " + log.initialExpression +
                              " Cost: " + AreaText(log.initialCost));
    }

    // The same log with CRLF line ends reads the same.
    std::string crlf;
    for (const std::string& line : lines) crlf += line + "\r\n";
    ReadResult fromCrlf = Read(crlf);
    ASSERT_TRUE(fromCrlf.read) << fromCrlf.error.message;
    EXPECT_EQ(log.finalExpression, fromCrlf.log.finalExpression);
    EXPECT_EQ(log.finalCost, fromCrlf.log.finalCost);
    EXPECT_EQ(log.moves, fromCrlf.log.moves);
  }
}

// A final solution far longer than the reader's blocks arrives whole.
TEST(RunLogTest, LongFinalSolution) {
  std::string expression = "<1>";
  for (int k = 2; k <= 30000; ++k) {
    expression += "<" + std::to_string(k) + ">" + (k % 2 ? "V" : "H");
  }
  std::string text =
      "Initial Cost: 9\n\n***Start of Simulated Annealing***\n\n"
      "1           7 Y\n\n***End of Simulated Annealing***\nFinal "
      "solution:\n" +
      expression + "\n\nCost: 7\n";
  ReadResult result = Read(text);
  ASSERT_TRUE(result.read) << result.error.message;
  EXPECT_EQ(expression, result.log.finalExpression);
  EXPECT_EQ(9u, result.log.finalExpressionLine);
  EXPECT_EQ(7, result.log.finalCost);
}

TEST(RunLogTest, BrokenLogsNameTheProblemAndLine) {
  const std::string head =
      "Initial Cost: 50\n\n***Start of Simulated Annealing***\n\n";
  const std::string moves = "1           40 Y\n2           45 N\n";
  const std::string end = "\n***End of Simulated Annealing***\n";
  const std::string solution = "Final solution:\n<1><2>V\n\nCost: 40\n";
  struct Case {
    const char* name;
    std::string text;
    uint64_t line;
    const char* message;
  };
  const Case cases[] = {
      {"empty", "", 0, "no final solution: the log is empty"},
      {"usage text instead of a log", "Usage:\nfloorplan <infile> [lambda]\n",
       1, "not the log of a"},
      {"cut off between moves", head + moves, 6,
       "no final solution: the log ends before \"Final solution:\""},
      {"cut off inside a move line", head + moves + "3      ", 7,
       "breaks off in the middle of a move line"},
      {"cut off before the end marker", head + moves + "\n", 7,
       "no final solution"},
      {"garbled move", head + "1  forty  Y\n", 5, "not a move line"},
      {"move without verdict", head + "1           40 \n", 5,
       "not a move line"},
      {"forms mixed",
       head + moves + "3         <1><2>H  40      512.000000 Y\n", 7,
       "different number of fields"},
      {"no final solution after the end", head + moves + end + "\n", 9,
       "no final solution"},
      {"something else after the end", head + moves + end + "Best: 4\n", 9,
       "expected \"Final solution:\""},
      {"ends at \"Final solution:\"", head + moves + end + "Final solution:\n",
       9, "ends right after \"Final solution:\""},
      {"no cost", head + moves + end + "Final solution:\n<1><2>V\n\n", 11,
       "no final cost"},
      {"cost not a number",
       head + moves + end + "Final solution:\n<1><2>V\n\nCost: lots\n", 12,
       "expected \"Cost: <area>\""},
      {"two logs in one", head + moves + end + solution + head, 13,
       "unexpected text after the final cost"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReadResult result = Read(c.text);
    EXPECT_FALSE(result.read);
    EXPECT_EQ(c.line, result.error.line);
    EXPECT_NE(std::string::npos, result.error.message.find(c.message))
        << result.error.message;
  }
  // And the whole, unbroken, reads.
  ReadResult whole = Read(head + moves + end + solution);
  EXPECT_TRUE(whole.read) << whole.error.message;
  EXPECT_EQ(2u, whole.log.moves);
  EXPECT_EQ(40, whole.best);
}

}  // namespace
