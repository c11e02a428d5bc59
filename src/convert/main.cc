#include "cli/exit_status.h"
#include "cli/program_io.h"
#include "convert/convert.h"

int main(int argc, char** argv) {
  return RunProgramProcess(argc, argv, "floorplan-convert", RunConvert,
                           kExitFailure);
}
