#include <cstdio>

#include "convert/convert.h"
#include "io/standard_descriptors.h"

int main(int argc, char** argv) {
  GuardStandardDescriptors();
  return RunConvert(argc, argv, stdout, stderr);
}
