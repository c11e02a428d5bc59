// The annealer's standard output: the initial report, one line per move and
// the final report. A run writes millions of lines, so the fast form formats
// numbers itself into a buffer written out in large blocks, and formats the
// temperature once per temperature; the plain form writes every field with
// printf and is the reference the fast form is checked against.
#ifndef FLOORPLAN_ANNEAL_MOVE_LOG_H_
#define FLOORPLAN_ANNEAL_MOVE_LOG_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

struct Floorplan;

class MoveLog {
 public:
  MoveLog(FILE* out, bool plain) : out_(out), plain_(plain) {}
  MoveLog(const MoveLog&) = delete;
  MoveLog& operator=(const MoveLog&) = delete;
  ~MoveLog() { Flush(); }

  void Text(std::string_view text);
  void Expression(const Floorplan& floorplan);
  // "%i " for the move number and "  %i " for the cost, each followed by one
  // space for every character short of 10 that it produced.
  void MoveNumber(int32_t number);
  void Cost(int64_t cost);
  // "%i"
  void Number(int64_t value);
  // "%f "
  void Temperature(double T);
  void Flush();

 private:
  void PaddedNumber(std::string_view prefix, int64_t value);
  void FlushIfFull();

  FILE* out_;
  bool plain_;
  std::string buffer_;
  bool haveTemperature_ = false;
  double temperature_ = 0;
  std::string temperatureText_;
};

#endif  // FLOORPLAN_ANNEAL_MOVE_LOG_H_
