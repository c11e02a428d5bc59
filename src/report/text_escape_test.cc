// Each escaping against what its destination's rules require, worked out by
// hand from those rules: XML 1.0 character data, RFC 4180 fields, RFC 8259
// strings, and a terminal that must not see control bytes.
#include "report/text_escape.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(TextEscapeTest, EachDestinationGetsWhatItsRulesRequire) {
  struct Case {
    std::string name;
    std::string xml;
    std::string terminal;
    std::string csv;
    std::string json;
  };
  const Case cases[] = {
      {"bk1", "bk1", "bk1", "bk1", "\"bk1\""},
      {"a&b<c>", "a&amp;b&lt;c&gt;", "a&b<c>", "a&b<c>", "\"a&b<c>\""},
      {"q\"'", "q&quot;&apos;", "q\"'", "\"q\"\"'\"", "\"q\\\"'\""},
      {"a,b", "a,b", "a,b", "\"a,b\"", "\"a,b\""},
      {"back\\slash", "back\\slash", "back\\slash", "back\\slash",
       "\"back\\\\slash\""},
      // ESC clears the screen and BEL rings or sets a title: neither may
      // reach a terminal; tab and line feed may.
      {"\x1b[2J\x07x", "?[2J?x", "?[2J?x", "\x1b[2J\x07x",
       "\"\\u001b[2J\\u0007x\""},
      {"\x7f\t\n"s + '\0', "????", "?\t\n?", "\"\x7f\t\n"s + '\0' + "\"",
       "\"\\u007f\\u0009\\u000a\\u0000\""},
      {"cr\r", "cr?", "cr?", "\"cr\r\"", "\"cr\\u000d\""},
      // Well-formed UTF-8 passes; a stray byte is replaced, not dropped.
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9",
       "\xc3\xa9t\xc3\xa9", "\"\xc3\xa9t\xc3\xa9\""},
      {"\xff"
       "a\xc3",
       "?a?",
       "\xff"
       "a\xc3",
       "\xff"
       "a\xc3",
       "\"\\ufffda\\ufffd\""},
      // U+FFFE and U+FFFF: characters JSON carries and XML refuses.
      {"\xef\xbf\xbe\xef\xbf\xbf", "??", "\xef\xbf\xbe\xef\xbf\xbf",
       "\xef\xbf\xbe\xef\xbf\xbf", "\"\xef\xbf\xbe\xef\xbf\xbf\""},
      {"", "", "", "", "\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(c.xml, XmlText(c.name));
    EXPECT_EQ(c.terminal, TerminalText(c.name));
    EXPECT_EQ(c.csv, CsvField(c.name));
    EXPECT_EQ(c.json, JsonString(c.name));
  }
}

TEST(TextEscapeTest, Utf8SequencesAreTakenOnlyWhenWellFormed) {
  struct Case {
    std::string text;
    size_t length;
  };
  const Case cases[] = {
      {"a", 0},                 // ASCII is no multi-byte sequence
      {"\xc3\xa9", 2},          // U+00E9
      {"\xe2\x82\xac", 3},      // U+20AC
      {"\xf0\x9f\x98\x80", 4},  // U+1F600
      {"\xc0\xaf", 0},          // overlong '/'
      {"\xe0\x80\xaf", 0},      // overlong '/'
      {"\xed\xa0\x80", 0},      // a surrogate
      {"\xf4\x90\x80\x80", 0},  // past U+10FFFF
      {"\xef\xbf\xbf", 3},      // U+FFFF
      {"\xe2\x82", 0},          // cut short
      {"\x80", 0},              // a lone continuation byte
      {"\xc3\x28", 0},          // a lead byte without its continuation
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.length, Utf8SequenceLength(c.text, 0));
  }
}

}  // namespace
