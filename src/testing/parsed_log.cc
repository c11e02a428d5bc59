#include "testing/parsed_log.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The log's texts and its field width, spelled out here rather than taken
// from anneal/log_format.h, so that a wrong text or width there fails the
// tests instead of being read back as written.
constexpr size_t kWidth = 10;
const std::string kVerbosePrefix = "Initial Floorplan: ";
const std::string kShortPrefix = "Initial";
const std::string kCostInLine = " Cost: ";
const std::string kStart = "***Start of Simulated Annealing***";
const std::string kEnd = "***End of Simulated Annealing***";
const std::string kSolution = "Final solution:";
const std::string kCost = "Cost: ";

// "%i " (or "  %i ") followed by a space for every column short of the
// field width.
std::string Padded(const std::string& field) {
  return field.size() < kWidth ? field + std::string(kWidth - field.size(), ' ')
                               : field;
}

// The whole of `text` as a decimal area (a '-' first when negative); -1
// and a failure for anything else.
Area AreaOf(const std::string& text) {
  bool negative = !text.empty() && text[0] == '-';
  size_t first = negative ? 1 : 0;
  // 38 digits stay within 128 bits.
  bool whole = text.size() > first && text.size() - first <= 38;
  Area area = 0;
  for (size_t at = first; whole && at < text.size(); ++at) {
    whole = text[at] >= '0' && text[at] <= '9';
    if (whole) area = area * 10 + (text[at] - '0');
  }
  EXPECT_TRUE(whole) << text;
  if (!whole) return -1;
  return negative ? -area : area;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::map<std::string, std::string> KeyedLines(const std::string& text) {
  std::map<std::string, std::string> lines;
  for (const std::string& line : SplitLines(text)) {
    size_t colon = line.find(": ");
    if (colon != std::string::npos) {
      lines[line.substr(0, colon)] = line.substr(colon + 2);
    }
  }
  return lines;
}

Log ParseLog(const std::string& out) {
  Log log;
  std::vector<std::string> lines = SplitLines(out);
  EXPECT_GE(lines.size(), 9u) << out;
  if (lines.size() < 9) return log;
  EXPECT_EQ('\n', out.back());

  const std::string& initial = lines[0];
  size_t costAt = initial.rfind(kCostInLine);
  EXPECT_NE(std::string::npos, costAt) << initial;
  if (costAt == std::string::npos) return log;
  log.initialCost = AreaOf(initial.substr(costAt + kCostInLine.size()));
  if (initial.compare(0, kVerbosePrefix.size(), kVerbosePrefix) == 0) {
    log.verbose = true;
    log.initialExpression =
        initial.substr(kVerbosePrefix.size(), costAt - kVerbosePrefix.size());
  } else {
    EXPECT_EQ(kShortPrefix, initial.substr(0, costAt));
  }
  EXPECT_EQ("", lines[1]);
  EXPECT_EQ(kStart, lines[2]);
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
  EXPECT_EQ(kEnd, lines[end + 1]);
  EXPECT_EQ(kSolution, lines[end + 2]);
  log.finalExpression = lines[end + 3];
  EXPECT_EQ("", lines[end + 4]);
  EXPECT_EQ(kCost, lines[end + 5].substr(0, kCost.size()));
  log.finalCost = AreaOf(lines[end + 5].substr(kCost.size()));
  return log;
}
