#include "cli/outline_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/captured_run.h"

namespace {

// Command lines with an outline option, and the outline each comes to for
// ami33's modules (area 1,156,449); "" for one accepted.
TEST(OutlineOptionsTest, EachWayToGiveAnOutline) {
  struct Case {
    std::vector<std::string> arguments;
    std::string error;
    int64_t width = 0;
    int64_t height = 0;
  };
  const Case cases[] = {
      {{"--outline", "1326", "1205"}, "", 1326, 1205},
      {{"--outline-from", SourcePath("examples/ami33.block")}, "", 1326, 1205},
      // sqrt(1156449 x 1.15) = 1153.2...
      {{"--whitespace", "0.15"}, "", 1153, 1153},
      {{"--whitespace", "0"}, "", 1075, 1075},  // 1075^2 = 1155625
      {{"--outline", "1326"},
       "--outline needs two whole numbers from 1 to 2147483647"},
      {{"--outline", "0", "5"},
       "--outline needs two whole numbers from 1 to 2147483647, not '0 5'"},
      {{"--outline=5"}, "--outline takes its values as arguments"},
      {{"--whitespace", "-1"},
       "--whitespace needs a number from 0 to 100, not '-1'"},
      {{"--outline-from", SourcePath("examples/n100.hardblocks")},
       SourcePath("examples/n100.hardblocks") + ":1:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0]);
    OutlineRequest request;
    std::vector<Option> options;
    AddOutlineOptions(&request, &options);
    std::vector<const char*> argv = ArgvOf("program", c.arguments);
    CommandLine line;
    std::string error;
    bool wanted = false;
    Outline outline;
    bool ok = ParseCommandLine(static_cast<int>(argv.size()), argv.data(),
                               options, &line, &error) &&
              ResolveOutline(request, 1156449, &wanted, &outline, &error);
    EXPECT_EQ(c.error.empty(), ok);
    EXPECT_EQ(0u, error.rfind(c.error, 0)) << error;
    if (!ok) continue;
    EXPECT_TRUE(wanted);
    EXPECT_EQ(c.width, outline.width);
    EXPECT_EQ(c.height, outline.height);
  }
}

}  // namespace
