#include "cli/exit_status.h"
#include "cli/program_io.h"
#include "report/report.h"

int main(int argc, char** argv) {
  return RunProgramProcess(argc, argv, "floorplan-report", RunReport,
                           kExitFailure);
}
