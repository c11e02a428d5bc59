#include "search/search_report.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "io/number_text.h"
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

const char* EndingNote(SearchEnding ending) {
  switch (ending) {
    case SearchEnding::kBudget:
      return "";
    case SearchEnding::kInterrupted:
      return ", interrupted";
    case SearchEnding::kRunsDone:
      return ", ended early: the runs asked for were done";
    case SearchEnding::kNothingFits:
      return ", ended early: no further run could end in time";
  }
  return "";
}

std::string OutlineWords(const Outline& outline) {
  return std::to_string(outline.width) + " " + std::to_string(outline.height);
}

std::string OutlineLine(const SummaryFacts& f) {
  std::string line = "outline: " + OutlineWords(f.outline) + ": ";
  std::string shape =
      std::to_string(f.shape.width) + " x " + std::to_string(f.shape.height);
  if (f.shape.width <= f.outline.width && f.shape.height <= f.outline.height) {
    return line + "fits as " + shape + " (area " +
           AreaText(BoxArea(f.shape.width, f.shape.height)) + ")\n";
  }
  return line + "no run fits (closest " + shape + ")\n";
}

std::string SliceLine(const SummaryFacts& f) {
  char digest[32];
  snprintf(digest, sizeof digest, "%016" PRIx64, f.dataDigest);
  std::string line = "slice: --time " + ParameterText(f.budgetSeconds) +
                     " --cores " + std::to_string(f.cores) + " --clock " +
                     std::to_string(f.baseClock);
  if (f.logShortens) line += " --log";
  if (f.hasOutline) line += " --outline " + OutlineWords(f.outline);
  line += " --first-run " + std::to_string(f.firstRun);
  if (f.runs != 0) line += " --runs " + std::to_string(f.runs);
  return line + ", data " + digest + "\n";
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The digits of `word`, ignoring the commas between groups and anything
// after the last digit; SummaryText's round trip catches what this lets by.
bool Whole(std::string word, uint64_t* value) {
  std::string digits;
  for (char c : word) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c != ',' || digits.empty()) {
      break;
    }
  }
  return ParseWholeNumber(digits, UINT64_MAX, value);
}

bool Signed(const std::string& word, int64_t* value) {
  uint64_t whole = 0;
  if (!Whole(word, &whole) || whole > INT64_MAX) return false;
  *value = static_cast<int64_t>(whole);
  return true;
}

bool TakeArea(const std::string& word, Area* value) {
  Area area = 0;
  size_t i = 0;
  for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
    if (area > kLargestArea / 10) return false;
    area = area * 10 + (word[i] - '0');
  }
  *value = area;
  return i > 0;
}

// What follows "KEY: " on the line that begins with it, or false.
bool After(const std::string& line, const std::string& key, std::string* rest) {
  if (line.compare(0, key.size() + 2, key + ": ") != 0) return false;
  *rest = line.substr(key.size() + 2);
  return true;
}

bool ParseSlice(const std::vector<std::string>& w, SummaryFacts* f) {
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] == "--time") {
      f->budgetSeconds = ParseDecimal(w[++i]);
    } else if (w[i] == "--cores") {
      uint64_t cores = 0;
      if (!Whole(w[++i], &cores) || cores == 0 || cores > UINT32_MAX) {
        return false;
      }
      f->cores = static_cast<uint32_t>(cores);
    } else if (w[i] == "--clock") {
      if (!Signed(w[++i], &f->baseClock)) return false;
    } else if (w[i] == "--log") {
      f->logShortens = true;
    } else if (w[i] == "--outline" && i + 2 < w.size()) {
      f->hasOutline = true;
      if (!Signed(w[i + 1], &f->outline.width) ||
          !Signed(w[i + 2], &f->outline.height)) {
        return false;
      }
      i += 2;
    } else if (w[i] == "--first-run") {
      if (!Whole(w[++i], &f->firstRun)) return false;
    } else if (w[i] == "--runs") {
      if (!Whole(w[++i], &f->runs)) return false;
    } else if (w[i] == "data") {
      f->dataDigest = strtoull(w[++i].c_str(), nullptr, 16);
    } else {
      return false;
    }
  }
  return true;
}

// Reads one line of the summary into `f`; false when it is not one.
bool ParseLine(const std::string& line, SummaryFacts* f) {
  std::string rest;
  std::vector<std::string> w;
  if (After(line, "data", &rest)) {
    size_t open = rest.rfind(" (");
    if (open == std::string::npos) return false;
    f->dataPath = rest.substr(0, open);
    w = Words(rest.substr(open + 2));
    uint64_t modules = 0;
    return w.size() == 5 && Whole(w[0], &modules) && modules <= UINT32_MAX &&
           (f->numModules = static_cast<uint32_t>(modules), true) &&
           TakeArea(w[4], &f->moduleArea);
  }
  if (After(line, "cost", &rest)) {
    w = Words(rest);
    return w.size() == 7 && TakeArea(w[0], &f->cost) &&
           Whole(w[5], &f->runsDone);
  }
  if (After(line, "clock", &rest)) return Signed(rest, &f->clock);
  if (After(line, "parameters", &rest)) {
    w = Words(rest);
    if (w.size() != 6) return false;
    AnnealingParameters& p = f->parameters;
    p.lambda = ParseDecimal(w[0]);
    p.T0 = ParseDecimal(w[1]);
    p.Tf = ParseDecimal(w[2]);
    uint64_t weights[3];
    for (int i = 0; i < 3; ++i) {
      if (!Whole(w[3 + i], &weights[i]) || weights[i] > UINT32_MAX) {
        return false;
      }
    }
    p.probM1 = static_cast<uint32_t>(weights[0]);
    p.probM2 = static_cast<uint32_t>(weights[1]);
    p.probM3 = static_cast<uint32_t>(weights[2]);
    return true;
  }
  if (After(line, "replay", &rest)) {
    f->replayCommand = rest;
    return true;
  }
  if (After(line, "run", &rest)) {
    w = Words(rest);
    if (w.size() < 6) return false;
    f->seconds = ParseDecimal(w[4]);
    f->ending = SearchEnding::kBudget;
    for (SearchEnding e : {SearchEnding::kInterrupted, SearchEnding::kRunsDone,
                           SearchEnding::kNothingFits}) {
      std::string note = EndingNote(e);
      if (rest.size() > note.size() &&
          rest.compare(rest.size() - note.size(), note.size(), note) == 0) {
        f->ending = e;
      }
    }
    return Whole(w[0], &f->runIndex) && Whole(w[1].substr(1), &f->moves);
  }
  if (After(line, "plan", &rest)) {
    w = Words(rest);
    uint64_t cores = 0;
    return w.size() == 14 && Whole(w[0], &cores) && cores > 0 &&
           cores <= UINT32_MAX &&
           (f->cores = static_cast<uint32_t>(cores), true) &&
           Whole(w[2], &f->longRunsPerCore) && Whole(w[6], &f->longRunMoves) &&
           Whole(w[10], &f->longRunsDone);
  }
  if (After(line, "outline", &rest)) {
    w = Words(rest);
    f->hasOutline = true;
    size_t at = w.size() > 2 && w[2] == "fits" ? 4 : 6;
    return w.size() == 9 && Signed(w[0], &f->outline.width) &&
           Signed(w[1], &f->outline.height) && Signed(w[at], &f->shape.width) &&
           Signed(w[at + 2], &f->shape.height);
  }
  if (After(line, "slice", &rest)) return ParseSlice(Words(rest), f);
  return false;
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
                          const Outline* outline,
                          const std::string& absoluteDataPath) {
  return ShellQuoted(program) + " --replay " + std::to_string(clock) + " " +
         ParametersText(parameters) + " " +
         (outline != nullptr ? "--outline " + OutlineWords(*outline) + " "
                             : "") +
         ShellQuoted(absoluteDataPath);
}

uint64_t DataDigest(const std::vector<DataModule>& modules) {
  // FNV-1a over the identifiers and sides, in file order.
  uint64_t digest = 14695981039346656037ull;
  auto mix = [&digest](uint64_t value) {
    for (int byte = 0; byte < 8; ++byte) {
      digest = (digest ^ ((value >> (8 * byte)) & 0xFF)) * 1099511628211ull;
    }
  };
  for (const DataModule& m : modules) {
    mix(static_cast<uint64_t>(static_cast<int64_t>(m.identifier)));
    mix(m.width);
    mix(m.height);
  }
  return digest;
}

std::string GroupedNumber(uint64_t value) {
  std::string digits = std::to_string(value);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string SummaryText(const SummaryFacts& f) {
  char seconds[32];
  snprintf(seconds, sizeof seconds, "%.1f", f.seconds);
  std::string text =
      "data: " + f.dataPath + " (" + std::to_string(f.numModules) +
      " modules, module area " + AreaText(f.moduleArea) + ")\n" +
      "cost: " + AreaText(f.cost) + " (dead space " +
      Percent(f.cost, f.moduleArea) + " %, " + std::to_string(f.runsDone) +
      " runs)\n" + "clock: " + std::to_string(f.clock) + "\n" +
      "parameters: " + ParametersText(f.parameters) + "\n" +
      "replay: " + f.replayCommand + "\n" +
      "run: " + std::to_string(f.runIndex) + " (" + std::to_string(f.moves) +
      " moves), search " + seconds + " s" + EndingNote(f.ending) + "\n" +
      "plan: " + std::to_string(f.cores) + " cores, " +
      std::to_string(f.longRunsPerCore) + " long run" +
      (f.longRunsPerCore == 1 ? "" : "s") + " of " +
      GroupedNumber(f.longRunMoves) + " moves a core, " +
      std::to_string(f.longRunsDone) + " of them finished\n";
  if (f.hasOutline) text += OutlineLine(f);
  return text + SliceLine(f);
}

bool ParseSummary(const std::string& text, SummaryFacts* facts,
                  std::string* error) {
  SummaryFacts f;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!ParseLine(line, &f)) {
      *error =
          std::to_string(number) + ": not a line of a floorplan-search summary";
      return false;
    }
  }
  if (SummaryText(f) != text) {
    *error = "not a whole summary of floorplan-search";
    return false;
  }
  *facts = f;
  return true;
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
