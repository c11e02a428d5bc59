#include "io/standard_descriptors.h"
#include "report/report.h"

int main(int argc, char** argv) {
  GuardStandardDescriptors();
  return RunReport(argc, argv, ReportStreams());
}
