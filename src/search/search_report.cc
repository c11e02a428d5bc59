#include "search/search_report.h"

#include <cstdio>

#include "search/run_plan.h"

namespace {

bool IsPlain(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '/' || c == '.' || c == '_' ||
         c == '-' || c == '+' || c == ',' || c == ':' || c == '@' || c == '%';
}

std::string Percent(Area box, Area modules) {
  char text[32];
  snprintf(text, sizeof text, "%.2f", DeadSpacePercent(box, modules));
  return text;
}

}  // namespace

std::string ShellQuoted(const std::string& text) {
  bool plain = !text.empty();
  for (char c : text) plain = plain && IsPlain(c);
  if (plain) return text;
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string ParametersText(const AnnealingParameters& p) {
  return ParameterText(p.lambda) + " " + ParameterText(p.T0) + " " +
         ParameterText(p.Tf) + " " + std::to_string(p.probM1) + " " +
         std::to_string(p.probM2) + " " + std::to_string(p.probM3);
}

std::string ReplayCommand(const std::string& program, int64_t clock,
                          const AnnealingParameters& parameters,
                          const std::string& absoluteDataPath) {
  return ShellQuoted(program) + " --replay " + std::to_string(clock) + " " +
         ParametersText(parameters) + " " + ShellQuoted(absoluteDataPath);
}

std::string SummaryText(const SummaryFacts& f) {
  char seconds[32];
  snprintf(seconds, sizeof seconds, "%.1f", f.seconds);
  return "data: " + f.dataPath + " (" + std::to_string(f.numModules) +
         " modules, module area " + AreaText(f.moduleArea) + ")\n" +
         "cost: " + AreaText(f.cost) + " (dead space " +
         Percent(f.cost, f.moduleArea) + " %, " + std::to_string(f.runsDone) +
         " runs)\n" + "clock: " + std::to_string(f.clock) + "\n" +
         "parameters: " + ParametersText(f.parameters) + "\n" +
         "replay: " + f.replayCommand + "\n" +
         "run: " + std::to_string(f.runIndex) + " (" + std::to_string(f.moves) +
         " moves), search " + seconds + " s" +
         (f.interrupted ? ", interrupted" : "") + "\n";
}

std::string ProgressLine(double elapsed, double budget, uint64_t runsDone,
                         Area bestCost, Area moduleArea) {
  char time[64];
  snprintf(time, sizeof time, "%.0f / %.0f s", elapsed, budget);
  std::string line = std::string(time) + "  runs " + std::to_string(runsDone);
  if (runsDone > 0) {
    line += "  best " + AreaText(bestCost) + " (dead space " +
            Percent(bestCost, moduleArea) + " %)";
  }
  return line + "\033[K";
}
