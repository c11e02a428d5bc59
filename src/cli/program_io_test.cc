// What every program's process does when memory runs out: one message and
// its failure status, never an abort.
#include "cli/program_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/child_process.h"
#include "testing/test_files.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

TEST(ProgramIOTest, EveryProgramSaysWhenMemoryRunsOut) {
  // The sanitizers reserve far more address space than the limit allows.
  if (kSanitized) GTEST_SKIP() << "address space limits and sanitizers clash";
  ScratchFolder folder;
  // A million modules, some 100 MB of floorplan, under an 80 MB limit.
  std::string data = folder / "big.txt";
  std::string blocks = folder / "big.block";
  std::string dataText;
  std::string blockText = "Outline: 10 10\nNumBlocks: 1000000\nNumTerminals: 0\n";
  for (int i = 1; i <= 1000000; ++i) {
    dataText += std::to_string(i) + " " + std::to_string(i % 50 + 1) + " " +
                std::to_string(i % 37 + 1) + "\n";
    blockText += "b" + std::to_string(i) + " 1 1\n";
  }
  WriteText(data, dataText);
  WriteText(blocks, blockText);
  struct Case {
    std::string command;
    int status;
    const char* program;
  } cases[] = {
      {FLOORPLAN_BINARY " " + data, 255, "floorplan"},
      {FLOORPLAN_SEARCH_BINARY " --time 5 " + data, 1, "floorplan-search"},
      {FLOORPLAN_REPORT_BINARY " " + data + " /dev/null", 1,
       "floorplan-report"},
      {FLOORPLAN_CONVERT_BINARY " " + blocks + " " + (folder / "out.txt"), 1,
       "floorplan-convert"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ChildResult result =
        ChildProcess({"/bin/sh", "-c", "ulimit -v 80000; exec " + c.command})
            .Finish(60);
    ASSERT_TRUE(result.exited) << result.err;
    EXPECT_EQ(c.status, result.status);
    EXPECT_EQ(std::string(c.program) + ": out of memory\n", result.err);
  }
}

}  // namespace
