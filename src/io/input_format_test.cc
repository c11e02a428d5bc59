// Which reader a file goes to, from its first words; and where its last
// line is.
#include "io/input_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The refusal of a file in no format the converter reads.
constexpr const char* kNeither =
    "not a file the converter reads: GSRC blocks begin with \"UCSC blocks\" or "
    "a count such as \"NumHardRectilinearBlocks : 100\", course blocks with "
    "\"Outline: W H\", YAL with a MODULE statement";

TEST(InputFormatTest, ToldFromTheFirstWords) {
  struct {
    const char* name;
    std::string text;
    bool known;
    InputFormat format;  // when known
    uint64_t line;       // otherwise
    const char* reason;
  } cases[] = {
      {"blocks header", "UCSC blocks 1.0\n", true,
       InputFormat::kBookshelfBlocks, 0, ""},
      {"blocks after comments and blanks", "# made by hand\n\n \tUCSC blocks\n",
       true, InputFormat::kBookshelfBlocks, 0, ""},
      {"blocks after a byte-order mark and a /* */ comment",
       "\xEF\xBB\xBF/* made\n by hand */ UCSC blocks\n", true,
       InputFormat::kBookshelfBlocks, 0, ""},
      {"blocks without the header", "\n\nNumSoftBlocks : 100\n", true,
       InputFormat::kBookshelfBlocks, 0, ""},
      {"blocks without the header, no spaces", "NumHardRectilinearBlocks:1",
       true, InputFormat::kBookshelfBlocks, 0, ""},
      {"blocks without the header, terminals first", "NumTerminals\t: 334\n",
       true, InputFormat::kBookshelfBlocks, 0, ""},
      {"course blocks", "Outline: 1326 1205\r\n", true,
       InputFormat::kCourseBlocks, 0, ""},
      {"course blocks after a byte-order mark, a blank before the colon",
       "\xEF\xBB\xBF\n\tOutline :5 5", true, InputFormat::kCourseBlocks, 0, ""},
      {"YAL", "MODULE a;\n", true, InputFormat::kYal, 0, ""},
      {"YAL after a byte-order mark and a # comment",
       "\xEF\xBB\xBF# made by hand\r\nMODULE a;\n", true, InputFormat::kYal, 0,
       ""},
      {"YAL in lower case after a comment", "/* one\n two */ module a;", true,
       InputFormat::kYal, 0, ""},
      {"YAL with the ; against the keyword", "MODULE;", true, InputFormat::kYal,
       0, ""},
      {"empty", "", false, InputFormat::kYal, 1,
       "no blocks: the file is empty"},
      {"comments only", "# a\n\n", false, InputFormat::kYal, 2,
       "no blocks: nothing but comments and blank lines"},
      {"YAL comment only", "/* a */\n/* b */", false, InputFormat::kYal, 2,
       "no blocks: nothing but comments and blank lines"},
      {"a longer keyword", "MODULES a;\n", false, InputFormat::kYal, 1,
       kNeither},
      {"course counts without the outline", "\nNumBlocks: 3\n", false,
       InputFormat::kYal, 2, kNeither},
      {"a longer key", "Outlines: 5 5\n", false, InputFormat::kYal, 1,
       kNeither},
      {"a data file", "\n\n1 3 4 a\n2 5 6 b\n", false, InputFormat::kYal, 3,
       kNeither},
      {"a byte-order mark only", "\xEF\xBB\xBF", false, InputFormat::kYal, 1,
       "no blocks: nothing but comments and blank lines"},
      {"a byte-order mark not at the start", " \xEF\xBB\xBFUCSC blocks\n",
       false, InputFormat::kYal, 1, kNeither},
      {"a comment never closed", "\n/* MODULE a;\n", false, InputFormat::kYal,
       2, "a comment that is never closed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InputFormat format = c.format == InputFormat::kYal
                             ? InputFormat::kBookshelfBlocks
                             : InputFormat::kYal;
    InputError error;
    ASSERT_EQ(c.known, DetectInputFormat(c.text, &format, &error));
    if (c.known) {
      EXPECT_EQ(c.format, format);
    } else {
      EXPECT_EQ(c.line, error.line);
      EXPECT_EQ(c.reason, error.reason);
    }
  }
}

TEST(InputFormatTest, LastLine) {
  struct {
    std::string text;
    uint64_t line;
  } cases[] = {
      {"", 1}, {"a", 1}, {"a\n", 1}, {"a\nb", 2}, {"a\nb\n", 2}, {"\n\n\n", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(c.line, LastLine(c.text)) << c.text;
}

}  // namespace
