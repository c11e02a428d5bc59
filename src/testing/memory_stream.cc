#include "testing/memory_stream.h"

#include <cstdlib>

MemoryStream::MemoryStream() : file(open_memstream(&data, &size)) {}

MemoryStream::~MemoryStream() { Close(); }

std::string MemoryStream::Close() {
  if (file == nullptr) return std::string();
  fclose(file);
  file = nullptr;
  std::string text(data, size);
  free(data);
  data = nullptr;
  return text;
}

FILE* StreamOf(const std::string& text) {
  FILE* file = tmpfile();
  fwrite(text.data(), 1, text.size(), file);
  rewind(file);
  return file;
}
