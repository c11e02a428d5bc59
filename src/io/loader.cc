#include "io/loader.h"

std::unique_ptr<Floorplan> BuildFloorplan(
    const std::vector<DataModule>& modules, RandomSource* random) {
  if (modules.size() < 2) return nullptr;
  const DataModule& first = modules[0];
  const DataModule& second = modules[1];
  std::unique_ptr<Floorplan> floorplan(
      new Floorplan(first.identifier, first.width, first.height,
                    second.identifier, second.width, second.height, random));
  for (size_t i = 2; i < modules.size(); ++i) {
    floorplan->AddModule(modules[i].identifier, modules[i].width,
                         modules[i].height, random);
  }
  return floorplan;
}

std::unique_ptr<Floorplan> LoadFloorplan(const std::string& path,
                                         RandomSource* random,
                                         std::string* error) {
  std::vector<DataModule> modules;
  if (!ReadDataFile(path, &modules, error)) return nullptr;
  return BuildFloorplan(modules, random);
}
