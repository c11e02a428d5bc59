#include "anneal/move_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "anneal/clock_second_run.h"
#include "anneal/move_log.h"
#include "io/data_file.h"
#include "testing/captured_run.h"
#include "testing/memory_stream.h"
#include "testing/test_files.h"
#include "testing/test_floorplans.h"

namespace {

// The log written from a run's record is the log the same run writes, byte
// for byte: held in memory or spilled to a file at once, against the least
// area or an outline, and cut short by a stop.
TEST(MoveRecordTest, TheLogFromTheRecordIsTheRunsLog) {
  ScratchFolder folder;
  std::string random = RandomDataFile(60);
  struct Case {
    std::string path;
    const char* parameters[6];
    size_t memoryLimit;
    bool outline;
  };
  const Case cases[] = {
      {SourcePath("examples/ami33.txt"),
       {"0.95", "2000", "5", "3", "1", "1"},
       MoveRecord::kDefaultMemoryLimit,
       false},
      {SourcePath("examples/n100.txt"),
       {"0.9", "50", "1", "2", "1", "1"},
       0,
       false},
      {random, {"0.99", "1e4", "1", "1", "1", "1"}, 1 << 20, false},
      {SourcePath("examples/ami33.txt"),
       {"0.95", "2000", "5", "3", "1", "1"},
       0,
       true},
  };
  for (const Case& c : cases) {
    std::vector<DataModule> modules = ReadModules(c.path);
    AnnealingParameters parameters;
    ApplyArguments(c.parameters, 6, &parameters);
    RunOptions logged;
    MemoryStream expected;
    logged.out = expected.file;
    if (c.outline) logged.cost = ShapeCost(Outline{1200, 1000});
    AnnealingOutcome ran = RunAtClockSecond(modules, parameters, 77, logged);
    ASSERT_EQ(AnnealingStatus::kRan, ran.status);

    MoveRecord record(c.memoryLimit, folder.path());
    RunOptions silent = logged;
    silent.logging = Logging::kOff;
    silent.record = &record;
    RunAtClockSecond(modules, parameters, 77, silent);
    ASSERT_TRUE(record.complete()) << record.failure();
    EXPECT_EQ(ran.moves, record.moves());
    EXPECT_EQ(c.memoryLimit == 0, record.fileBytes() > 0) << c.path;
    // The spill file has no name.
    EXPECT_TRUE(Listing(folder.path()).empty());

    MemoryStream written;
    std::unique_ptr<MoveLog> log = MakeBufferedLog(written.file);
    std::string reason;
    EXPECT_EQ(MoveRecord::Written::kWhole,
              record.WriteLog(log.get(), nullptr, &reason))
        << reason;
    log.reset();
    std::string text = written.Close();
    EXPECT_TRUE(text == expected.Close()) << c.path;

    std::atomic<int> stop{2};
    MemoryStream cut;
    log = MakeBufferedLog(cut.file);
    EXPECT_EQ(MoveRecord::Written::kStopped,
              record.WriteLog(log.get(), &stop, &reason));
    log.reset();
  }
}

}  // namespace
