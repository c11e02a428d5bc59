#include "app/command_line.h"

namespace {

const KnownOption* Find(const std::vector<KnownOption>& knownOptions,
                        const std::string& name) {
  for (const KnownOption& option : knownOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

}  // namespace

bool CommandLine::Has(const std::string& name) const {
  return Value(name) != nullptr;
}

const std::string* CommandLine::Value(const std::string& name) const {
  const std::string* value = nullptr;
  for (const auto& [given, text] : options) {
    if (given == name) value = &text;
  }
  return value;
}

bool ParseCommandLine(int argc, const char* const* argv,
                      const std::vector<KnownOption>& knownOptions,
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
    } else if (argument == "-h" || argument == "--help") {
      commandLine->help = true;
      return true;
    } else if (argument == "--version") {
      commandLine->version = true;
      return true;
    } else {
      size_t equals =
          argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
      std::string name = argument.substr(0, equals);
      const KnownOption* known = Find(knownOptions, name);
      if (known == nullptr) {
        *error = "unknown option " + name;
        return false;
      }
      std::string value;
      if (equals != std::string::npos) {
        if (known->value == nullptr) {
          *error = name + " takes no value";
          return false;
        }
        value = argument.substr(equals + 1);
      } else if (known->value != nullptr) {
        if (i + 1 == argc) {
          *error = name + " needs " + known->value;
          return false;
        }
        value = argv[++i];
      }
      commandLine->options.push_back({name, value});
    }
  }
  return true;
}
