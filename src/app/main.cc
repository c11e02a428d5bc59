#include <ctime>

#include "app/entry.h"
#include "app/stop_signals.h"
#include "io/standard_descriptors.h"

int main(int argc, char** argv) {
  GuardStandardDescriptors();
  InstallStopSignals();
  RunContext context;
  context.clock = [] { return static_cast<int64_t>(std::time(nullptr)); };
  context.stop = StopRequest();
  int status = RunFloorplan(argc, argv, context);
  RaiseReceivedSignal();
  return status;
}
