#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

// What the options of the test's table took, in order.
struct Parsed {
  bool ok = false;
  CommandLine line;
  std::string error;
  std::vector<std::string> taken;
};

Parsed Parse(std::vector<std::string> arguments) {
  Parsed parsed;
  auto note = [&parsed](const char* name) {
    return [&parsed, name](const std::string& value) {
      parsed.taken.push_back(std::string(name) + "=" + value);
      return value != "bad";
    };
  };
  const std::vector<Option> options = {
      {"-o", nullptr, "FILE", "a file name", "where", note("-o")},
      {"--time", nullptr, "SECONDS", "a number of seconds", "how long",
       note("--time")},
      {"--quiet", "-q", nullptr, "", "say less", note("--quiet")},
  };
  std::vector<const char*> argv = ArgvOf("program", arguments);
  parsed.ok = ParseCommandLine(static_cast<int>(argv.size()), argv.data(),
                               options, &parsed.line, &parsed.error);
  return parsed;
}

TEST(CommandLineTest, OptionsValuesAndOperands) {
  Parsed parsed = Parse({"a.txt", "-o", "x.svg", "--time=10", "-q", "-",
                         "--time", "20", "-0.5", "--", "--quiet", "-o"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ((std::vector<std::string>{"a.txt", "-", "-0.5", "--quiet", "-o"}),
            parsed.line.operands);
  EXPECT_EQ((std::vector<std::string>{"-o=x.svg", "--time=10", "--quiet=",
                                      "--time=20"}),
            parsed.taken);
  EXPECT_FALSE(parsed.line.help);
  EXPECT_FALSE(parsed.line.version);

  Parsed empty = Parse({"--time=", "-h", "--bogus"});
  ASSERT_TRUE(empty.ok);
  EXPECT_EQ((std::vector<std::string>{"--time="}), empty.taken);
  EXPECT_TRUE(empty.line.help);  // and nothing after it counts
  Parsed version = Parse({"--version", "-o"});
  ASSERT_TRUE(version.ok);
  EXPECT_TRUE(version.line.version);
}

TEST(CommandLineTest, WhatCannotBeTakenApart) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--tim", "3"}, "unknown option --tim"},
      {{"-x"}, "unknown option -x"},
      {{"--quiet=yes"}, "--quiet takes no value"},
      {{"a.txt", "-o"}, "-o needs a file name"},
      {{"--time"}, "--time needs a number of seconds"},
      {{"--time", "bad"}, "--time needs a number of seconds, not 'bad'"},
      {{"--frobnicate=1"}, "unknown option --frobnicate"},
  };
  for (const auto& [arguments, error] : cases) {
    Parsed parsed = Parse(arguments);
    EXPECT_FALSE(parsed.ok) << arguments[0];
    EXPECT_EQ(error, parsed.error);
  }
}

}  // namespace
