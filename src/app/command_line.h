// The command lines of the companion programs, in the conventions of Unix
// tools: options before or among the operands; "--" ends the options; an
// option's value follows it as the next argument or after '='
// ("--time 10", "--time=10"); "-" alone is an operand (standard input or
// output), and so is a negative number ("-0.5"); "-h"/"--help" and "--version"
// are known to every program and win over whatever follows them.
#ifndef FLOORPLAN_APP_COMMAND_LINE_H_
#define FLOORPLAN_APP_COMMAND_LINE_H_

#include <string>
#include <utility>
#include <vector>

// An option a program knows, e.g. {"-o", "a file name"}: what its value is,
// for the message when it is missing; null for an option without a value,
// e.g. {"--quiet", nullptr}.
struct KnownOption {
  const char* name;
  const char* value;
};

// A command line taken apart; a plain value owned by its caller.
struct CommandLine {
  bool help = false;
  bool version = false;
  // Every option given, in order, with its value ("" for one without).
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> operands;

  bool Has(const std::string& name) const;
  // The value given last for `name`, or null.
  const std::string* Value(const std::string& name) const;
};

// False, with the reason (an unknown option, a missing value, a value given
// to an option that takes none), when the arguments cannot be taken apart.
// argv[0] is the program name.
bool ParseCommandLine(int argc, const char* const* argv,
                      const std::vector<KnownOption>& knownOptions,
                      CommandLine* commandLine, std::string* error);

#endif  // FLOORPLAN_APP_COMMAND_LINE_H_
