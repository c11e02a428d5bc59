// Module names come from the data file as raw bytes: any byte but a space, a
// tab or a line end. Each destination the report writes them to has its own
// idea of a safe text, and these functions make one for each. They never
// fail: a byte that cannot be carried is replaced, never dropped, so the
// length of a name stays visible.
#ifndef FLOORPLAN_REPORT_TEXT_ESCAPE_H_
#define FLOORPLAN_REPORT_TEXT_ESCAPE_H_

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed UTF-8 sequence that starts at `text[at]`,
// or 0 when none does (a stray continuation byte, an overlong form, a
// surrogate, a value past U+10FFFF). The noncharacters U+FFFE and U+FFFF
// are well-formed: JSON carries them, and only XML refuses them.
size_t Utf8SequenceLength(std::string_view text, size_t at);

// For XML character data and attribute values: markup characters escaped,
// control characters and bytes that are not UTF-8 replaced by '?', and so
// is each U+FFFE and U+FFFF, which XML forbids.
std::string XmlText(std::string_view text);

// For a terminal: every control byte (0x00 to 0x1F but tab and line feed,
// and 0x7F) replaced by '?', so that a name cannot move the cursor, clear
// the screen or set the window title. Other bytes pass as they are.
std::string TerminalText(std::string_view text);

// One CSV field (RFC 4180): quoted, with its quotes doubled, when it holds a
// comma, a quote, a carriage return or a line feed; otherwise as it is.
std::string CsvField(std::string_view text);

// A JSON string with its quotes. Quote, backslash and every control byte
// (DEL included) are escaped; bytes that are not UTF-8 become U+FFFD, as a
// JSON text must be UTF-8.
std::string JsonString(std::string_view text);

#endif  // FLOORPLAN_REPORT_TEXT_ESCAPE_H_
