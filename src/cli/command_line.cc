#include "cli/command_line.h"

#include <algorithm>

#include "cli/exit_status.h"
#include "cli/program_io.h"
#include "cli/version.h"

namespace {

const Option* Find(const std::vector<Option>& options,
                   const std::string& name) {
  for (const Option& option : options) {
    if (name == option.name ||
        (option.alias != nullptr && name == option.alias)) {
      return &option;
    }
  }
  return nullptr;
}

// How many arguments follow the option: one per word of its value.
int ValueCount(const Option& option) {
  if (option.value == nullptr) return 0;
  int count = 1;
  for (const char* c = option.value; *c != '\0'; ++c) count += *c == ' ';
  return count;
}

// "-q, --quiet" or "--time SECONDS": how the usage text names an option.
std::string Heading(const char* name, const char* alias, const char* value) {
  std::string heading = alias != nullptr ? std::string(alias) + ", " : "";
  heading += name;
  if (value != nullptr) heading += std::string(" ") + value;
  return heading;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv,
                      const std::vector<Option>& options,
                      CommandLine* commandLine, std::string* error) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    // A negative number ("-0.5", "-.5") is a value, not an option.
    bool number =
        argument.size() >= 2 && argument[0] == '-' &&
        (argument[1] == '.' || (argument[1] >= '0' && argument[1] <= '9'));
    if (optionsEnded || argument.size() < 2 || argument[0] != '-' || number) {
      commandLine->operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      commandLine->help = true;
      return true;
    }
    if (argument == "--version") {
      commandLine->version = true;
      return true;
    }
    size_t equals =
        argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
    std::string name = argument.substr(0, equals);
    const Option* option = Find(options, name);
    if (option == nullptr) {
      *error = "unknown option " + name;
      return false;
    }
    std::string value;
    int values = ValueCount(*option);
    if (equals != std::string::npos) {
      if (values != 1) {
        *error = name + (values == 0 ? " takes no value"
                                     : " takes its values as arguments");
        return false;
      }
      value = argument.substr(equals + 1);
    } else if (values > 0) {
      if (argc - 1 - i < values) {
        *error = name + " needs " + option->needs;
        return false;
      }
      for (int k = 0; k < values; ++k) {
        value += (k == 0 ? "" : " ") + std::string(argv[++i]);
      }
    }
    if (!option->take(value)) {
      *error = name + " needs " + option->needs + ", not '" + value + "'";
      return false;
    }
  }
  return true;
}

std::string UsageText(const Usage& usage, const std::vector<Option>& options) {
  std::string text;
  std::string indent(std::string("usage: ").size(), ' ');
  for (size_t k = 0; k < usage.forms.size(); ++k) {
    text += (k == 0 ? "usage: " : indent) + usage.program + " " +
            usage.forms[k] + "\n";
  }
  text += usage.description;
  std::vector<Option> listed = options;
  listed.push_back({"--help", "-h", nullptr, "", "show this text", nullptr});
  listed.push_back({"--version", nullptr, nullptr, "", "show the version",
                    nullptr});
  size_t width = 0;
  for (const Option& option : listed) {
    width = std::max(width,
                     Heading(option.name, option.alias, option.value).size());
  }
  text += "Options:\n";
  for (const Option& option : listed) {
    std::string heading = Heading(option.name, option.alias, option.value);
    std::string help = option.help;
    std::string pad(width - heading.size() + 2, ' ');
    std::string margin(width + 4, ' ');
    text += "  " + heading + pad;
    for (size_t start = 0;;) {
      size_t end = help.find('\n', start);
      text += help.substr(start, end - start) + "\n";
      if (end == std::string::npos) break;
      text += margin;
      start = end + 1;
    }
  }
  return text + usage.epilogue;
}

bool AnswerHelpOrVersion(const CommandLine& commandLine,
                         const std::string& usageText, const ProgramIO& io,
                         int* status) {
  if (!commandLine.help && !commandLine.version) return false;
  std::string text = commandLine.help ? usageText
                                      : std::string(io.program) + " " +
                                            kFloorplanVersion + "\n";
  *status = io.WriteAll(text) ? kExitSuccess : kExitFailure;
  return true;
}

int RefuseCommandLine(const std::string& reason, const std::string& usageText,
                      const ProgramIO& io) {
  io.Complain(reason);
  fputs(usageText.c_str(), io.err);
  fflush(io.err);
  return kExitUsage;
}
