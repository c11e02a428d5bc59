// Whole files read up to a bound, and the reasons for those refused.
#include "io/text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/test_files.h"

namespace {

TEST(TextFileTest, ReadsUpToTheBound) {
  ScratchFolder folder;
  std::string ten = folder / "ten";
  WriteText(ten, "0123456789");
  struct {
    std::string path;
    size_t limit;
    bool read;
    std::string result;  // the text, or the reason
  } cases[] = {
      {ten, 10, true, "0123456789"},
      {ten, 9, false, "cannot read: larger than 9 bytes"},
      {"/dev/zero", size_t{1} << 20, false, "cannot read: larger than 1 MiB"},
      {"/dev/null", 0, true, ""},
      {folder.path(), 10, false, "cannot read: Is a directory"},
      {folder / "absent", 10, false, "cannot open: No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.limit));
    std::string text;
    std::string reason;
    ASSERT_EQ(c.read, ReadTextFile(c.path, c.limit, &text, &reason));
    EXPECT_EQ(c.result, c.read ? text : reason);
  }
}

}  // namespace
