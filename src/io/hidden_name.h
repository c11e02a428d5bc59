// The hidden names that a result file's temporary file takes beside its
// target (output_file.h): ".NAME.XXXXXXXX" in the target's folder, the
// random part drawn from the kernel's source.
#ifndef FLOORPLAN_IO_HIDDEN_NAME_H_
#define FLOORPLAN_IO_HIDDEN_NAME_H_

#include <cstdint>
#include <string>

// A random draw for a name; without the kernel's source, one that differs
// from the last.
uint64_t RandomDraw();

// The folder of `target` ("." for a bare name) and its own name.
void SplitPath(const std::string& target, std::string* folder,
               std::string* base);

// The hidden name beside `target` for `draw`, e.g. "dir/.out.txt.k3Fq09aZ".
std::string HiddenName(const std::string& target, uint64_t draw);

#endif  // FLOORPLAN_IO_HIDDEN_NAME_H_
