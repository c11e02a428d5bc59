#include "convert/convert.h"

#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "convert/benchmark_file.h"
#include "convert/data_file_text.h"
#include "io/input_error.h"
#include "io/input_format.h"
#include "io/output_file.h"
#include "io/text_file.h"

namespace {

const Usage kUsage = {
    "floorplan-convert",
    {"INPUT [OUTPUT]"},
    "Converts the hard blocks of a GSRC bookshelf blocks file (.blocks,\n"
    ".hardblocks, with or without its header), a course block file (.block)\n"
    "or an MCNC YAL file into a floorplan data file, one line \"ID W H NAME\"\n"
    "per block in input order; the format is told from the contents. For a\n"
    "course file it also prints the outline on standard error\n"
    "(\"floorplan-convert: INPUT: outline W H\"). Writes OUTPUT, or standard\n"
    "output when OUTPUT is absent or -. INPUT may hold up to 1 GiB and\n"
    "4,194,304 blocks.\n",
    "Exit status: 0 done, 1 an input it cannot convert or an output it\n"
    "cannot write, 2 a command line it cannot use.\n"
    "Example: floorplan-convert n100.blocks n100.txt && floorplan n100.txt\n",
};

// The command line, understood.
struct Arguments {
  std::string input;
  std::string output = "-";
};

bool ParseArguments(int argc, const char* const* argv, Arguments* arguments,
                    CommandLine* line, std::string* error) {
  if (!ParseCommandLine(argc, argv, {}, line, error)) return false;
  if (line->help || line->version) return true;
  const std::vector<std::string>& positional = line->operands;
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

// Writes `text` to `output` ("-": standard output) through an OutputFile
// that will not overwrite `input`.
int WriteResult(const std::string& output, const std::string& input,
                const std::string& text, const ProgramIO& io) {
  OutputFile file(io.out);
  std::string message;
  if (!file.Open(output, {input}, &message) || !file.Write(text, &message) ||
      !file.Commit(&message)) {
    io.Complain(message);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace

std::string ConvertUsage() { return UsageText(kUsage, {}); }

int RunConvert(int argc, const char* const* argv, const ProgramIO& io) {
  Arguments arguments;
  CommandLine commandLine;
  std::string error;
  if (!ParseArguments(argc, argv, &arguments, &commandLine, &error)) {
    return RefuseCommandLine(error, ConvertUsage(), io);
  }
  int status = kExitSuccess;
  if (AnswerHelpOrVersion(commandLine, ConvertUsage(), io, &status)) {
    return status;
  }

  std::string text;
  if (!ReadTextFile(arguments.input, kBenchmarkFileLimit, &text, &error)) {
    io.Complain(arguments.input + ": " + error);
    return kExitFailure;
  }
  BenchmarkFile file;
  std::string data;
  InputError refusal;
  if (!ConvertText(text, &file, &data, &refusal)) {
    io.Complain(RefusalMessage(arguments.input, refusal));
    return kExitFailure;
  }
  status = WriteResult(arguments.output, arguments.input, data, io);
  if (status == kExitSuccess && file.hasOutline) {
    io.Complain(arguments.input + ": outline " +
                std::to_string(file.outlineWidth) + " " +
                std::to_string(file.outlineHeight));
  }
  return status;
}
