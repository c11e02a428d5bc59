#include <unistd.h>

#include <ctime>
#include <thread>

#include "app/stop_signals.h"
#include "io/standard_descriptors.h"
#include "search/search.h"

int main(int argc, char** argv) {
  GuardStandardDescriptors();
  InstallStopSignals();
  SearchContext context;
  context.errIsTerminal = isatty(STDERR_FILENO) == 1;
  context.clock = [] { return static_cast<int64_t>(std::time(nullptr)); };
  context.stop = StopRequest();
  context.hardwareThreads = std::thread::hardware_concurrency();
  return RunSearch(argc, argv, context);
}
