#include "testing/parsed_log.h"

#include <gtest/gtest.h>

#include <sstream>

#include "anneal/log_format.h"

namespace {

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream stream(line);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// "%i " (or "  %i ") followed by a space for every column short of the
// field width.
std::string Padded(const std::string& field) {
  return field +
         std::string(
             field.size() < kFieldWidth ? kFieldWidth - field.size() : 0, ' ');
}

Area AreaOf(const std::string& text) {
  Area area = -1;
  EXPECT_TRUE(ParseArea(text, &area)) << text;
  return area;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

Log ParseLog(const std::string& out) {
  Log log;
  std::vector<std::string> lines = SplitLines(out);
  EXPECT_GE(lines.size(), 9u) << out;
  if (lines.size() < 9) return log;
  EXPECT_EQ('\n', out.back());

  const std::string verbosePrefix(kInitialVerbose);
  const std::string& initial = lines[0];
  size_t costAt = initial.rfind(kInitialCost);
  EXPECT_NE(std::string::npos, costAt) << initial;
  if (costAt == std::string::npos) return log;
  log.initialCost = AreaOf(initial.substr(costAt + kInitialCost.size()));
  if (initial.compare(0, verbosePrefix.size(), verbosePrefix) == 0) {
    log.verbose = true;
    log.initialExpression =
        initial.substr(verbosePrefix.size(), costAt - verbosePrefix.size());
  } else {
    EXPECT_EQ(kInitialShort, initial.substr(0, costAt));
  }
  EXPECT_EQ("", lines[1]);
  EXPECT_EQ(kStartMarker, lines[2]);
  EXPECT_EQ("", lines[3]);

  size_t end = lines.size() - 6;
  for (size_t i = 4; i < end; ++i) {
    std::vector<std::string> words = SplitWords(lines[i]);
    size_t expectedWords = log.verbose ? 5 : 3;
    EXPECT_EQ(expectedWords, words.size()) << lines[i];
    if (words.size() != expectedWords) return log;
    Move move;
    move.number = std::stoll(words[0]);
    size_t next = 1;
    if (log.verbose) move.expression = words[next++];
    move.cost = AreaOf(words[next++]);
    if (log.verbose) move.temperature = words[next++];
    EXPECT_TRUE(words[next] == "Y" || words[next] == "N") << lines[i];
    move.accepted = words[next] == "Y";
    std::string rebuilt = Padded(words[0] + " ") + move.expression +
                          Padded("  " + words[log.verbose ? 2 : 1] + " ") +
                          (log.verbose ? move.temperature + " " : "") +
                          words[next];
    EXPECT_EQ(rebuilt, lines[i]);
    log.moves.push_back(move);
  }
  EXPECT_EQ("", lines[end]);
  EXPECT_EQ(kEndMarker, lines[end + 1]);
  EXPECT_EQ(kFinalSolution, lines[end + 2]);
  log.finalExpression = lines[end + 3];
  EXPECT_EQ("", lines[end + 4]);
  EXPECT_EQ(kFinalCost, lines[end + 5].substr(0, kFinalCost.size()));
  log.finalCost = AreaOf(lines[end + 5].substr(kFinalCost.size()));
  return log;
}
