#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

const std::vector<KnownOption> kKnown = {{"-o", "a file name"},
                                         {"--time", "a number of seconds"},
                                         {"--quiet", nullptr}};

struct Parsed {
  bool ok;
  CommandLine line;
  std::string error;
};

Parsed Parse(std::vector<std::string> arguments) {
  std::vector<const char*> argv = ArgvOf("program", arguments);
  Parsed parsed;
  parsed.ok = ParseCommandLine(static_cast<int>(argv.size()), argv.data(),
                               kKnown, &parsed.line, &parsed.error);
  return parsed;
}

TEST(CommandLineTest, OptionsValuesAndOperands) {
  Parsed parsed = Parse({"a.txt", "-o", "x.svg", "--time=10", "--quiet", "-",
                         "--time", "20", "--", "--quiet", "-o"});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const CommandLine& line = parsed.line;
  EXPECT_EQ((std::vector<std::string>{"a.txt", "-", "--quiet", "-o"}),
            line.operands);
  ASSERT_NE(nullptr, line.Value("-o"));
  EXPECT_EQ("x.svg", *line.Value("-o"));
  EXPECT_EQ("20", *line.Value("--time"));  // the last one given counts
  EXPECT_TRUE(line.Has("--quiet"));
  EXPECT_EQ("", *line.Value("--quiet"));
  EXPECT_FALSE(line.help);
  EXPECT_FALSE(line.version);

  Parsed empty = Parse({"--time=", "-h", "--bogus"});
  ASSERT_TRUE(empty.ok);
  EXPECT_EQ("", *empty.line.Value("--time"));
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
      {{"--frobnicate=1"}, "unknown option --frobnicate"},
  };
  for (const auto& [arguments, error] : cases) {
    Parsed parsed = Parse(arguments);
    EXPECT_FALSE(parsed.ok) << arguments[0];
    EXPECT_EQ(error, parsed.error);
  }
}

}  // namespace
