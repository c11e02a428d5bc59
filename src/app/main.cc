#include <ctime>

#include "app/entry.h"

int main(int argc, char** argv) {
  RunContext context;
  context.clock = [] { return static_cast<int64_t>(std::time(nullptr)); };
  return RunFloorplan(argc, argv, context);
}
