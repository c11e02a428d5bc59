// Feeds arbitrary argument strings to the command line: each conversion is
// checked against the C library's on the texts where both must agree, and
// the whole entry runs on a small built-in data file. What the entry does is
// checked against the parameter record it settles: a refusal writes exactly
// the refusal messages and nothing else, a run writes a whole log. A run is
// only started when the temperature schedule is known to end within a few
// hundred temperatures, so that no input can make one execution take long.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "anneal/parameters.h"
#include "floorplan/entry.h"
#include "io/number_text.h"
#include "testing/captured_run.h"
#include "testing/memory_file.h"

namespace {

// A run of at most a few modules has at most 2 x 4 x 4 + 1 moves per
// temperature; this many temperatures stay within milliseconds.
constexpr int kLargestSchedule = 400;

void Require(bool condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "command_line_fuzzer: %s\n", what);
    abort();
  }
}

// Data files the argument strings are paired with; the first byte of the
// input picks one. Besides a plain file, identifiers that M1 cannot draw.
constexpr const char* kDataFiles[] = {
    "1 4 6\n2 3 3\n",
    "1 4 6\n2 3 3\n3 2 5\n",
    "0 1 2\n0 3 4\n0 5 6\n0 7 8\n",
    "100000 4 6\n100001 3 3\n100002 2 5\n",
};
constexpr uint32_t kModules[] = {2, 3, 4, 3};
constexpr size_t kDataFileCount = sizeof kDataFiles / sizeof kDataFiles[0];

// The data files live in memory for the whole fuzzing session.
struct DataFiles {
  std::vector<std::unique_ptr<MemoryFile>> files;
  DataFiles() {
    for (const char* contents : kDataFiles) {
      files.push_back(std::make_unique<MemoryFile>(contents));
      Require(files.back()->ok(), "cannot make an in-memory data file");
    }
  }
};

bool IsSpace(char c) {
  return c != '\0' && strchr(" \t\n\v\f\r", c) != nullptr;
}

// Where the number of `text` starts, after blanks and a sign.
size_t NumberStart(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  return at;
}

void CheckConversions(const std::string& text) {
  double value = ParseDecimal(text);
  Require(!std::isnan(value), "ParseDecimal gave NaN");
  // strtod also reads infinity, NaN and hexadecimal forms and knows only 'e'
  // as exponent: it must agree on every text whose number starts with a
  // digit or a point, once 'd' is spelt 'e'.
  size_t start = NumberStart(text);
  bool decimal =
      start < text.size() &&
      ((text[start] >= '0' && text[start] <= '9') || text[start] == '.');
  bool hexadecimal = start + 1 < text.size() && text[start] == '0' &&
                     (text[start + 1] == 'x' || text[start + 1] == 'X');
  if (decimal && !hexadecimal) {
    std::string spelt = text;
    for (char& c : spelt) {
      if (c == 'd' || c == 'D') c = 'e';
    }
    double expected = strtod(spelt.c_str(), nullptr);
    Require(memcmp(&value, &expected, sizeof value) == 0 ||
                (value == 0 && expected == 0 &&
                 std::signbit(value) == std::signbit(expected)),
            "ParseDecimal differs from strtod");
  }

  uint32_t integer = ParseLeadingInteger(text);
  errno = 0;
  long long wide = strtoll(text.c_str(), nullptr, 10);
  if (errno != ERANGE) {
    Require(integer == static_cast<uint32_t>(wide),
            "ParseLeadingInteger differs from strtoll");
  }
}

// Whether lowering T from T0 by lambda reaches a stop of the schedule within
// kLargestSchedule temperatures. T reaching 0 counts as a stop: at T = 0 only
// improving moves are accepted, and a file of a few modules has only a few
// costs to improve through.
bool ScheduleIsShort(double lambda, double T0, double Tf) {
  double T = T0;
  for (int temperature = 0; temperature < kLargestSchedule; ++temperature) {
    double previous = T;
    T *= lambda;
    if (T < Tf || T == 0 || T == previous) return true;
  }
  return false;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFiles* files = new DataFiles();
  if (size == 0) return 0;
  size_t file = data[0] % kDataFileCount;

  // The rest is the arguments after the file, separated by NUL bytes. Seven
  // or more make a usage error; more than that adds nothing.
  std::vector<std::string> arguments;
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (size_t at = 0; at <= rest.size() && arguments.size() < 8;) {
    size_t end = rest.find('\0', at);
    if (end == std::string::npos) end = rest.size();
    arguments.push_back(rest.substr(at, end - at));
    at = end + 1;
  }
  if (size == 1) arguments.clear();
  for (const std::string& argument : arguments) CheckConversions(argument);

  AnnealingParameters parameters = DefaultParameters(kModules[file]);
  size_t count = arguments.size() > 6 ? 0 : arguments.size();
  std::vector<const char*> texts;
  for (size_t i = 0; i < count; ++i) texts.push_back(arguments[i].c_str());
  ApplyArguments(texts.data(), static_cast<int>(count), &parameters);
  std::string expectedErr;
  for (const std::string& message : ParameterRefusals(parameters, true)) {
    expectedErr += message;
  }
  bool usage = arguments.size() > 6;
  bool refused = !expectedErr.empty();
  if (!usage && !refused &&
      !ScheduleIsShort(parameters.lambda, parameters.T0, parameters.Tf)) {
    return 0;
  }

  std::vector<std::string> runArguments{files->files[file]->path()};
  runArguments.insert(runArguments.end(), arguments.begin(), arguments.end());
  CapturedRun run = RunCaptured(runArguments);
  int status = run.status;
  const std::string& outText = run.out;
  const std::string& errText = run.err;

  if (usage) {
    Require(status == -1 && errText.empty(), "usage error misreported");
    Require(outText.compare(0, 7, "Usage:\n") == 0, "no usage text");
  } else if (refused) {
    Require(status == -1, "refused run did not fail");
    Require(outText.empty(), "refused run wrote output");
    Require(errText == expectedErr, "refusal messages differ");
  } else {
    Require(status == 0, "run did not succeed");
    Require(errText.empty(), "run wrote to standard error");
    Require(outText.compare(0, 19, "Initial Floorplan: ") == 0,
            "no initial report");
    Require(outText.find("\n***End of Simulated Annealing***\n") !=
                std::string::npos,
            "no final report");
    Require(EndsWith(outText, "\n") &&
                outText.find("\n\nCost: ") != std::string::npos,
            "no final cost");
  }
  return 0;
}
