#include "io/input_error.h"

std::string RefusalMessage(const std::string& path, const InputError& refusal) {
  return path + ":" + std::to_string(refusal.line) + ": " + refusal.reason;
}

std::string PrintableName(std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string printable;
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      printable += "\\x";
      printable += kHex[byte >> 4];
      printable += kHex[byte & 15];
    } else {
      printable += c;
    }
  }
  return printable;
}
