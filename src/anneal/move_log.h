// The annealer's standard output: the initial report, one line per move and
// the final report, in the texts of log_format.h. Three writers share one
// interface:
// - a buffered writer, for real runs: a run writes millions of lines, so it
//   formats numbers itself into a buffer written out in large blocks, and
//   formats the temperature once per temperature;
// - a printf writer, the plain reference the buffered one is checked against;
// - a silent writer, for runs whose log nobody reads (a search's trial runs):
//   it formats nothing at all.
// A writer remembers the first failed write; the annealer stops there.
#ifndef FLOORPLAN_ANNEAL_MOVE_LOG_H_
#define FLOORPLAN_ANNEAL_MOVE_LOG_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "model/area.h"

struct Floorplan;

class MoveLog {
 public:
  virtual ~MoveLog() = default;

  virtual void Text(std::string_view text) = 0;
  virtual void Expression(const Floorplan& floorplan) = 0;
  // "%i " for the move number and "  %i " for the cost, each followed by one
  // space for every character short of the field width that it produced.
  virtual void MoveNumber(int32_t number) = 0;
  virtual void Cost(Area cost) = 0;
  // "%i"
  virtual void Number(Area value) = 0;
  // "%f "
  virtual void Temperature(double T) = 0;
  // Hands everything written so far to the stream; false when a write failed.
  virtual bool Flush() = 0;

  // The errno of the first failed write, or 0.
  int error() const { return error_; }

 protected:
  int error_ = 0;
};

// The parts of a log that every writer of one shares, in the texts of
// log_format.h: the initial report (the initial Floorplan's expression only
// in the verbose form, `verboseExpression` null in the short one), the
// verdict that ends a move line, and the final report.
void WriteInitialReport(MoveLog* log, const Floorplan* verboseExpression,
                        Area cost);
inline void WriteVerdict(MoveLog* log, bool accepted) {
  log->Text(accepted ? "Y\n" : "N\n");
}
void WriteFinalReport(MoveLog* log, const Floorplan& best, Area cost);

// Writes to `out`, which stays the caller's.
std::unique_ptr<MoveLog> MakeBufferedLog(FILE* out);
std::unique_ptr<MoveLog> MakePrintfLog(FILE* out);
std::unique_ptr<MoveLog> MakeSilentLog();

#endif  // FLOORPLAN_ANNEAL_MOVE_LOG_H_
