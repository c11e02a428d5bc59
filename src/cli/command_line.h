// The command lines of the companion programs, in the conventions of Unix
// tools: options before or among the operands; "--" ends the options; an
// option's value follows it as the next argument or after '='
// ("--time 10", "--time=10"); "-" alone is an operand (standard input or
// output), and so is a negative number ("-0.5"); "-h"/"--help" and "--version"
// are known to every program and win over whatever follows them.
//
// Each program states its options once, in a table of Option records: the
// parser, its messages and the usage text all come from that table.
#ifndef FLOORPLAN_CLI_COMMAND_LINE_H_
#define FLOORPLAN_CLI_COMMAND_LINE_H_

#include <functional>
#include <string>
#include <vector>

struct ProgramIO;

// One option a program knows.
struct Option {
  const char* name;   // "--time", or a short name alone such as "-o"
  const char* alias;  // a short name for a long option ("-q"), or null
  // The value as the usage text shows it ("SECONDS"); null for an option
  // that takes none. An option of several values names each ("W H"): they
  // follow it as that many arguments and reach `take` joined by spaces.
  const char* value;
  // What the value must be, for the messages: "a positive number of seconds".
  std::string needs;
  const char* help;  // the usage text's line; "\n" starts a further line
  // Takes the value given ("" for an option without one); false when it is
  // not what `needs` says. Options are taken in the order given.
  std::function<bool(const std::string& value)> take;
};

// A command line taken apart; every option was handed to its `take`.
struct CommandLine {
  bool help = false;
  bool version = false;
  std::vector<std::string> operands;
};

// False, with the reason (an unknown option, a missing value, a value given
// to an option that takes none, a value its option refuses), when the
// arguments cannot be used. argv[0] is the program name.
bool ParseCommandLine(int argc, const char* const* argv,
                      const std::vector<Option>& options,
                      CommandLine* commandLine, std::string* error);

// The parts of a usage text besides the options.
struct Usage {
  const char* program;
  // The forms of the command line, each after the program's name, e.g.
  // "[OPTION]... DATAFILE".
  std::vector<std::string> forms;
  std::string description;  // whole lines
  std::string epilogue;     // whole lines after the options
};

// "usage: PROGRAM FORM" (further forms aligned below), the description, one
// line or more per option and for --help and --version, and the epilogue.
std::string UsageText(const Usage& usage, const std::vector<Option>& options);

// When the command line asked for --help or --version, writes the usage text
// or "PROGRAM VERSION" to standard output, sets `status` and returns true.
bool AnswerHelpOrVersion(const CommandLine& commandLine,
                         const std::string& usageText, const ProgramIO& io,
                         int* status);

// A command line that cannot be used: the reason and then the usage text on
// standard error. Returns kExitUsage.
int RefuseCommandLine(const std::string& reason, const std::string& usageText,
                      const ProgramIO& io);

#endif  // FLOORPLAN_CLI_COMMAND_LINE_H_
