#include "cli/exit_status.h"
#include "cli/program_io.h"
#include "floorplan/entry.h"

int main(int argc, char** argv) {
  return RunProgramProcess(
      argc, argv, "floorplan",
      [](int count, const char* const* arguments, const ProgramIO& io) {
        return RunFloorplan(count, arguments, io);
      },
      kExitFloorplanFailure);
}
