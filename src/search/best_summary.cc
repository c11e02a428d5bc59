#include "search/best_summary.h"

#include <algorithm>
#include <numeric>

#include "cli/exit_status.h"
#include "io/text_file.h"
#include "search/run_plan.h"
#include "search/search_report.h"

namespace {

// A summary is a few hundred bytes; anything far larger is not one.
constexpr uint64_t kLargestSummary = 1 << 20;

struct Slice {
  const std::string* path;
  SummaryFacts facts;
  uint64_t last() const { return facts.firstRun + facts.runs - 1; }
};

std::string Runs(uint64_t first, uint64_t last) {
  return first == last
             ? "run " + std::to_string(first)
             : "runs " + std::to_string(first) + " to " + std::to_string(last);
}

// What makes `a` and `b` slices of different plans, or empty.
std::string Difference(const SummaryFacts& a, const SummaryFacts& b) {
  if (a.dataDigest != b.dataDigest || a.numModules != b.numModules ||
      a.moduleArea != b.moduleArea) {
    return "different data files";
  }
  if (a.baseClock != b.baseClock) {
    return "different clocks (--clock " + std::to_string(a.baseClock) +
           " and " + std::to_string(b.baseClock) + ")";
  }
  if (a.cores != b.cores) {
    return "different --cores (" + std::to_string(a.cores) + " and " +
           std::to_string(b.cores) + ")";
  }
  if (a.budgetSeconds != b.budgetSeconds) {
    return "different budgets (--time " + ParameterText(a.budgetSeconds) +
           " and " + ParameterText(b.budgetSeconds) + ")";
  }
  if (a.logShortens != b.logShortens || a.hasOutline != b.hasOutline ||
      (a.hasOutline && (a.outline.width != b.outline.width ||
                        a.outline.height != b.outline.height))) {
    return "different options (--log below 20 modules, or the outline)";
  }
  return "";
}

bool ReadSlice(const std::string& path, Slice* slice, const ProgramIO& io) {
  std::string text;
  std::string reason;
  if (!ReadTextFile(path, kLargestSummary, &text, &reason)) {
    io.Complain(path + ": " + reason);
    return false;
  }
  slice->path = &path;
  if (!ParseSummary(text, &slice->facts, &reason)) {
    io.Complain(path + ":" + reason);
    return false;
  }
  if (slice->facts.runs == 0) {
    io.Complain(path + ": a search without --runs is no slice of a plan");
    return false;
  }
  return true;
}

}  // namespace

int PrintBestSummary(const std::vector<std::string>& paths,
                     const ProgramIO& io) {
  std::vector<Slice> slices(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!ReadSlice(paths[i], &slices[i], io)) return kExitFailure;
    std::string difference = Difference(slices[0].facts, slices[i].facts);
    if (!difference.empty()) {
      io.Complain(paths[0] + " and " + paths[i] + ": summaries of " +
                  difference);
      return kExitFailure;
    }
  }
  std::sort(slices.begin(), slices.end(), [](const Slice& a, const Slice& b) {
    return a.facts.firstRun < b.facts.firstRun;
  });
  for (size_t i = 1; i < slices.size(); ++i) {
    const Slice& before = slices[i - 1];
    const Slice& slice = slices[i];
    if (slice.facts.firstRun <= before.last()) {
      io.Complain(
          *before.path + " and " + *slice.path + ": " +
          Runs(slice.facts.firstRun, std::min(before.last(), slice.last())) +
          " in both");
      return kExitFailure;
    }
    if (slice.facts.firstRun > before.last() + 1) {
      io.Complain(*before.path + " and " + *slice.path + ": " +
                  Runs(before.last() + 1, slice.facts.firstRun - 1) +
                  " in no summary");
      return kExitFailure;
    }
  }
  const Slice* winner = &slices[0];
  for (const Slice& slice : slices) {
    const SummaryFacts& f = slice.facts;
    if (f.cost < winner->facts.cost ||
        (f.cost == winner->facts.cost && f.runIndex < winner->facts.runIndex)) {
      winner = &slice;
    }
  }
  SummaryFacts whole = winner->facts;
  whole.runsDone = whole.longRunsDone = 0;
  whole.seconds = 0;
  whole.ending = SearchEnding::kRunsDone;
  for (const Slice& slice : slices) {
    const SummaryFacts& f = slice.facts;
    whole.runsDone += f.runsDone;
    whole.longRunsDone += f.longRunsDone;
    whole.seconds += f.seconds;
    if (f.ending == SearchEnding::kInterrupted) {
      whole.ending = SearchEnding::kInterrupted;
    } else if (f.ending != SearchEnding::kRunsDone &&
               whole.ending != SearchEnding::kInterrupted) {
      whole.ending = f.ending;
    }
  }
  whole.firstRun = slices.front().facts.firstRun;
  whole.runs = slices.back().last() - whole.firstRun + 1;
  return io.WriteAll(SummaryText(whole)) ? kExitSuccess : kExitFailure;
}
