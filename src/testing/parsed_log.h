// Test support: the standard output of a completed run, taken apart, with a
// failure added for every line that is not where and how a run writes it.
#ifndef FLOORPLAN_TESTING_PARSED_LOG_H_
#define FLOORPLAN_TESTING_PARSED_LOG_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/area.h"

struct Move {
  int64_t number = 0;
  std::string expression;  // empty in the short log
  Area cost = 0;
  std::string temperature;  // empty in the short log
  bool accepted = false;
};

struct Log {
  bool verbose = false;
  std::string initialExpression;
  Area initialCost = 0;
  std::vector<Move> moves;
  std::string finalExpression;
  Area finalCost = 0;
};

// The move lines are rebuilt from their fields and compared, which checks
// their padding too. Every problem is a test failure.
Log ParseLog(const std::string& out);

std::vector<std::string> SplitLines(const std::string& text);

// The blank-separated words of `text`.
std::vector<std::string> SplitWords(const std::string& text);

// The lines "KEY: VALUE" of `text`, VALUE by KEY, as a summary prints them.
std::map<std::string, std::string> KeyedLines(const std::string& text);

#endif  // FLOORPLAN_TESTING_PARSED_LOG_H_
