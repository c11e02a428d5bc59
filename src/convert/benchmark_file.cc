#include "convert/benchmark_file.h"

#include <utility>

#include "convert/bookshelf_blocks.h"
#include "io/input_format.h"
#include "convert/yal_modules.h"
#include "io/block_file.h"

bool ReadBenchmarkFile(std::string_view text, BenchmarkFile* file,
                       InputError* error) {
  *file = BenchmarkFile();
  InputFormat format;
  if (!DetectInputFormat(text, &format, error)) return false;
  if (format == InputFormat::kBookshelfBlocks) {
    return ReadBookshelfBlocks(text, &file->blocks, error);
  }
  if (format == InputFormat::kYal) {
    return ReadYalModules(text, &file->blocks, error);
  }
  BlockFile course;
  if (!ReadBlockFile(text, &course, error)) return false;
  file->hasOutline = true;
  file->outlineWidth = course.outline.width;
  file->outlineHeight = course.outline.height;
  file->blocks.reserve(course.blocks.size());
  for (BlockFileBlock& block : course.blocks) {
    file->blocks.push_back(
        {std::move(block.name), block.width, block.height, block.line});
  }
  return true;
}
