#include "cli/exit_status.h"
#include "cli/program_io.h"
#include "search/search.h"

int main(int argc, char** argv) {
  return RunProgramProcess(argc, argv, "floorplan-search", RunSearch,
                           kExitFailure);
}
