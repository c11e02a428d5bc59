#include "report/text_escape.h"

#include <cstdint>
#include <cstdio>

namespace {

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                  : lead >= 0xE0 && lead <= 0xEF ? 3
                  : lead >= 0xC2 && lead <= 0xDF ? 2
                                                 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  uint32_t point = lead & (0x7Fu >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    point = (point << 6) | (next & 0x3Fu);
  }
  static const uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kLeast[length] || (point >= 0xD800 && point <= 0xDFFF) ||
      point > 0x10FFFF) {
    return 0;
  }
  return length;
}

std::string XmlText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    char c = text[at];
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      size_t length = Utf8SequenceLength(text, at);
      std::string_view sequence = text.substr(at, length);
      if (length == 0) {
        safe += '?';
        ++at;
      } else if (sequence == "\xEF\xBF\xBE" || sequence == "\xEF\xBF\xBF") {
        safe += '?';
        at += length;
      } else {
        safe.append(text, at, length);
        at += length;
      }
      continue;
    }
    ++at;
    switch (c) {
      case '&':
        safe += "&amp;";
        break;
      case '<':
        safe += "&lt;";
        break;
      case '>':
        safe += "&gt;";
        break;
      case '"':
        safe += "&quot;";
        break;
      case '\'':
        safe += "&apos;";
        break;
      default:
        safe += IsControl(byte) ? '?' : c;
    }
  }
  return safe;
}

std::string TerminalText(std::string_view text) {
  std::string safe(text);
  for (char& c : safe) {
    if (c != '\t' && c != '\n' && IsControl(static_cast<unsigned char>(c))) {
      c = '?';
    }
  }
  return safe;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    return std::string(text);
  }
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (size_t at = 0; at < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x80) {
      size_t length = Utf8SequenceLength(text, at);
      if (length == 0) {
        json += "\\ufffd";
        ++at;
      } else {
        json.append(text, at, length);
        at += length;
      }
      continue;
    }
    ++at;
    if (byte == '"' || byte == '\\') {
      json += '\\';
      json += static_cast<char>(byte);
    } else if (IsControl(byte)) {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json += static_cast<char>(byte);
    }
  }
  return json + "\"";
}
