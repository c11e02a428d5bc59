// Nets files of both dialects, accepted pin by pin or refused with the line
// and the reason.
#include "io/net_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "testing/captured_run.h"

namespace {

// "net:name@line " per pin, or "LINE: reason".
std::string Read(const std::string& text) {
  std::string pins;
  InputError error;
  auto visit = [&pins](const NetPin& pin, InputError*) {
    pins += std::to_string(pin.net) + ":" + std::string(pin.name) + "@" +
            std::to_string(pin.line) + " ";
    return true;
  };
  if (!ReadNetFile(text, visit, &error)) {
    return std::to_string(error.line) + ": " + error.reason;
  }
  return pins;
}

TEST(NetFileTest, AcceptedAndRefused) {
  const std::string degreeLine = "expected \"NetDegree : NUMBER\"";
  struct {
    const char* name;
    std::string text;
    std::string read;
  } cases[] = {
      {"course, CRLF, no final line end",
       "NumNets: 2\r\nNetDegree: 2\r\nGND\r\nbk1 \r\nNetDegree: 1\r\nbk2",
       "0:GND@3 0:bk1@4 1:bk2@6 "},
      {"GSRC with header, comments, net name, directions and offsets",
       "UCLA nets 1.0\n# from GSRC\n\nNumNets : 1\nNumPins : 3\n"
       "NetDegree : 3 n0\np1 B\nsb1\tB : 0.5 -0.5\nsb2 I :%0 %0\n",
       "0:p1@7 0:sb1@8 0:sb2@9 "},
      {"byte-order mark, a block comment, tabs, a comment after a pin",
       "\xEF\xBB\xBF/* c\n */ NumNets :\t1\nNetDegree :2\n  a # pad\n\tb\t\n",
       "0:a@4 0:b@5 "},
      {"no nets", "NumNets : 0\n", ""},
      {"empty", "",
       "1: expected \"NumNets : NUMBER\" before the end of the file"},
      {"a blocks header", "UCSC blocks 1.0\n",
       "1: expected \"NumNets : NUMBER\""},
      {"another header", "UCLA pl 1.0\n",
       "1: expected the header \"UCLA nets 1.0\""},
      {"no colon", "NumNets 3\n", "1: expected \"NumNets : NUMBER\""},
      {"NumPins not a number", "NumNets : 1\nNumPins : x\n",
       "2: expected \"NumPins : NUMBER\""},
      {"a net short of its degree",
       "NumNets : 2\nNetDegree : 3\na\nb\nNetDegree : 1\nc\n",
       "2: NetDegree is 3, but the net has 2 pins"},
      {"a net cut by the end", "NumNets : 1\nNetDegree : 2\na\n",
       "2: NetDegree is 2, but the net has 1 pin"},
      {"a pin beyond the degree", "NumNets : 1\nNetDegree : 1\na\nb\n",
       "4: " + degreeLine + ": the net on line 2 has NetDegree 1"},
      {"a pin before any net", "NumNets : 1\na\n", "2: " + degreeLine},
      {"fewer nets than NumNets", "NumNets : 2\nNetDegree : 1\na\n",
       "1: NumNets is 2, but the file has 1 net"},
      {"more pins in NumPins",
       "NumNets : 1\nNumPins : 3\nNetDegree : 2\na\nb\n",
       "2: NumPins is 3, but the nets have 2 pins"},
      {"two names on a line", "NumNets : 1\nNetDegree : 1\na b\n",
       "3: expected a pin: a name, then at most a direction (I, O or B) and "
       "its offsets after a colon"},
      {"offsets without a colon", "NumNets : 1\nNetDegree : 1\na B 0 0\n",
       "3: expected a pin: a name, then at most a direction (I, O or B) and "
       "its offsets after a colon"},
      {"a comment never closed", "/* NumNets : 1\n",
       "1: a comment that is never closed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.read, Read(c.text));
  }
}

// The suites' own files, byte for byte as they circulate: as many pins as
// their lines say, the last in net 121 (ami33) and 885 (n100).
TEST(NetFileTest, TheSuitesFiles) {
  for (auto [file, pins, last] :
       {std::make_tuple("examples/ami33.nets", 425, "120:bk10b@547 "),
        std::make_tuple("examples/n100.nets", 1873, "884:sb89@2760 ")}) {
    std::string read = Read(ReadFile(SourcePath(file)));
    EXPECT_EQ(pins, std::count(read.begin(), read.end(), ' ')) << file;
    EXPECT_EQ(last, read.substr(read.rfind(' ', read.size() - 2) + 1));
  }
}

}  // namespace
