#include "convert/convert.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/exit_status.h"
#include "app/version.h"
#include "convert/benchmark_file.h"
#include "convert/data_file_text.h"
#include "convert/input_format.h"
#include "app/command_line.h"
#include "io/output_file.h"
#include "io/text_file.h"

const char* const kConvertUsage =
    "usage: floorplan-convert [--help] [--version] INPUT [OUTPUT]\n"
    "Converts the hard blocks of a GSRC bookshelf blocks file (.blocks,\n"
    ".hardblocks) or of an MCNC YAL file into a floorplan data file, one\n"
    "line \"ID W H NAME\" per block in input order. The format is told from\n"
    "the contents. Writes OUTPUT, or standard output when OUTPUT is absent\n"
    "or -.\n"
    "Example: floorplan-convert n100.blocks n100.txt && floorplan n100.txt\n";

namespace {

constexpr const char* kProgram = "floorplan-convert";

// The command line, understood.
struct Arguments {
  std::string input;
  std::string output = "-";
  bool help = false;
  bool version = false;
};

bool ParseArguments(int argc, const char* const* argv, Arguments* arguments,
                    std::string* error) {
  CommandLine line;
  if (!ParseCommandLine(argc, argv, {}, &line, error)) return false;
  arguments->help = line.help;
  arguments->version = line.version;
  if (line.help || line.version) return true;
  const std::vector<std::string>& positional = line.operands;
  if (positional.empty()) {
    *error = "no INPUT given";
    return false;
  }
  if (positional.size() > 2) {
    *error = "too many arguments";
    return false;
  }
  if (positional[0] == "-" || positional[0].empty()) {
    *error = "INPUT must name a file (standard input is not read)";
    return false;
  }
  arguments->input = positional[0];
  if (positional.size() == 2) arguments->output = positional[1];
  return true;
}

bool ConvertText(std::string_view text, BenchmarkFile* file, std::string* data,
                 InputError* error) {
  return ReadBenchmarkFile(text, file, error) &&
         FormatDataFile(file->blocks, LastLine(text), data, error);
}

void Complain(FILE* err, const std::string& where, const std::string& reason) {
  fprintf(err, "%s: %s: %s\n", kProgram, where.c_str(), reason.c_str());
  fflush(err);
}

std::string Shown(const std::string& output) {
  return output == "-" ? "standard output" : output;
}

// Writes `text` to `output` ("-": `out`) through an OutputFile that will not
// overwrite `input`.
int WriteResult(const std::string& output, const std::string& input,
                const std::string& text, FILE* out, FILE* err) {
  OutputFile file(out);
  std::string reason;
  if (!file.Open(output, {input}, &reason) ||
      !WriteStream(file.stream(), text, &reason) || !file.Commit(&reason)) {
    Complain(err, Shown(output), reason);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace

int RunConvert(int argc, const char* const* argv, FILE* out, FILE* err) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, &arguments, &error)) {
    fprintf(err, "%s: %s\n%s", kProgram, error.c_str(), kConvertUsage);
    fflush(err);
    return kExitUsage;
  }
  if (arguments.help || arguments.version) {
    std::string text =
        arguments.help ? std::string(kConvertUsage)
                       : std::string(kProgram) + " " + kFloorplanVersion + "\n";
    if (!WriteStream(out, text, &error) || !FlushStream(out, &error)) {
      Complain(err, "standard output", error);
      return kExitFailure;
    }
    return kExitSuccess;
  }

  std::string text;
  if (!ReadTextFile(arguments.input, kBenchmarkFileLimit, &text, &error)) {
    Complain(err, arguments.input, error);
    return kExitFailure;
  }
  BenchmarkFile file;
  std::string data;
  InputError refusal;
  if (!ConvertText(text, &file, &data, &refusal)) {
    Complain(err, arguments.input + ":" + std::to_string(refusal.line),
             refusal.reason);
    return kExitFailure;
  }
  int status = WriteResult(arguments.output, arguments.input, data, out, err);
  if (status == kExitSuccess && file.hasOutline) {
    Complain(err, arguments.input,
             "outline " + std::to_string(file.outlineWidth) + " " +
                 std::to_string(file.outlineHeight));
  }
  return status;
}
