// Test support: an in-memory stream to hand to code that writes to a FILE*.
#ifndef FLOORPLAN_TESTING_MEMORY_STREAM_H_
#define FLOORPLAN_TESTING_MEMORY_STREAM_H_

#include <cstdio>
#include <string>

// The text is complete once the stream is closed; Close() returns it.
struct MemoryStream {
  MemoryStream();
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;
  ~MemoryStream();

  std::string Close();

  char* data = nullptr;
  size_t size = 0;
  FILE* file = nullptr;
};

// A stream holding `text`, read from its start; the caller closes it.
FILE* StreamOf(const std::string& text);

#endif  // FLOORPLAN_TESTING_MEMORY_STREAM_H_
