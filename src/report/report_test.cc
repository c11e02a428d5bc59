// The whole command, in-process: real logs give a table whose modules tile
// a box of the logged cost and a well-formed SVG with one rectangle per
// module; every bad input gives its message, a non-zero status, nothing on
// standard output and no picture (an older one is left as it was).
#include "report/report.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/version.h"
#include "io/pl_file.h"
#include "report/chart_axis.h"
#include "testing/captured_run.h"
#include "testing/test_files.h"

namespace {

// `input` is standard input; `standardInput`, when given, is read instead.
CapturedRun RunReportCaptured(const std::vector<std::string>& arguments,
                              const std::string& input = "",
                              FILE* standardInput = nullptr) {
  CaptureSetup setup;
  setup.input = input;
  setup.in = standardInput;
  return CaptureProgram(RunReport, "floorplan-report", arguments, setup);
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Runs the report on `log` and expects `status`, with `expected` somewhere
// in standard output on success, or as all of standard error on failure,
// when no picture is named.
CapturedRun ExpectReport(const std::vector<std::string>& arguments,
                         const std::string& log, int status,
                         const std::string& expected) {
  CapturedRun report = RunReportCaptured(arguments, log);
  EXPECT_EQ(status, report.status) << report.err;
  if (status == 0) {
    EXPECT_NE(std::string::npos, report.out.find(expected)) << report.out;
  } else {
    EXPECT_EQ(expected, report.err);
    EXPECT_EQ(std::string::npos, report.out.find("picture"));
  }
  return report;
}

// Whether `code` is a character XML 1.0 allows in a document.
bool XmlCharacter(uint32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD ||
         (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) ||
         (code >= 0x10000 && code <= 0x10FFFF);
}

// The four characters XML takes for white space.
bool XmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether `c` may begin a tag or attribute name (any byte of a non-ASCII
// character may).
bool NameStart(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' ||
         u == ':' || u >= 0x80;
}

// The end of the name that starts at `at`; `at` itself when none does.
size_t NameEnd(const std::string& text, size_t at) {
  if (at >= text.size() || !NameStart(text[at])) return at;
  size_t end = at + 1;
  while (end < text.size() &&
         (NameStart(text[end]) || (text[end] >= '0' && text[end] <= '9') ||
          text[end] == '-' || text[end] == '.')) {
    ++end;
  }
  return end;
}

// The end of the reference that starts at `at` (an '&'): one of the five
// predefined entities or a character reference to an allowed character;
// npos for anything else.
size_t ReferenceEnd(const std::string& text, size_t at) {
  size_t semicolon = text.find(';', at);
  if (semicolon == std::string::npos || semicolon - at > 10) {
    return std::string::npos;
  }
  std::string body = text.substr(at + 1, semicolon - at - 1);
  for (const char* entity : {"amp", "lt", "gt", "quot", "apos"}) {
    if (body == entity) return semicolon + 1;
  }
  bool hex = body.size() > 1 && body[0] == '#' && body[1] == 'x';
  size_t first = hex ? 2 : 1;
  if (body.empty() || body[0] != '#' || body.size() == first) {
    return std::string::npos;
  }
  uint64_t code = 0;
  for (size_t k = first; k < body.size(); ++k) {
    char c = body[k];
    int digit = c >= '0' && c <= '9'          ? c - '0'
                : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                              : -1;
    if (digit < 0) return std::string::npos;
    code = code * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
  }
  return code <= 0x10FFFF && XmlCharacter(static_cast<uint32_t>(code))
             ? semicolon + 1
             : std::string::npos;
}

// A fault of XmlFault, with where it is.
std::string Fault(size_t at, const std::string& what) {
  return "byte " + std::to_string(at) + ": " + what;
}

// The first fault that keeps `text` from being a well-formed XML document,
// or "" when it has none. Checked: UTF-8 throughout and only characters XML
// allows; one root element, and every tag closed in order; attribute values
// quoted, without '<', and no attribute twice in a tag; '&' only as a
// reference; comments without "--"; the declaration, if any, first. A
// doctype counts as a fault: the pictures have none.
std::string XmlFault(const std::string& text) {
  static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  for (size_t at = 0; at < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    size_t length = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (length == 0) return Fault(at, "a byte that starts no UTF-8 sequence");
    if (at + length > text.size()) return Fault(at, "a UTF-8 sequence cut");
    uint32_t code = length == 1 ? c : c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[at + k]);
      if ((next & 0xC0) != 0x80) return Fault(at, "a UTF-8 sequence cut");
      code = code << 6 | (next & 0x3F);
    }
    if (code < kLeast[length]) return Fault(at, "an overlong UTF-8 sequence");
    if (!XmlCharacter(code)) return Fault(at, "a character XML refuses");
    at += length;
  }

  std::vector<std::string> open;  // the elements not yet closed
  bool rooted = false;            // the root element has begun
  size_t at = 0;
  while (at < text.size()) {
    if (text.compare(at, 4, "<!--") == 0) {
      size_t dashes = text.find("--", at + 4);
      if (dashes == std::string::npos) return Fault(at, "unclosed comment");
      if (text.compare(dashes, 3, "-->") != 0) {
        return Fault(dashes, "\"--\" within a comment");
      }
      at = dashes + 3;
    } else if (text.compare(at, 2, "<?") == 0) {
      size_t end = text.find("?>", at + 2);
      size_t nameEnd = NameEnd(text, at + 2);
      if (end == std::string::npos || nameEnd == at + 2) {
        return Fault(at, "broken processing instruction");
      }
      if (text.compare(at + 2, nameEnd - at - 2, "xml") == 0 && at != 0) {
        return Fault(at, "the XML declaration after the start");
      }
      at = end + 2;
    } else if (text.compare(at, 9, "<![CDATA[") == 0 && !open.empty()) {
      size_t end = text.find("]]>", at + 9);
      if (end == std::string::npos) return Fault(at, "unclosed CDATA");
      at = end + 3;
    } else if (text.compare(at, 2, "<!") == 0) {
      return Fault(at, "a doctype or a stray \"<!\"");
    } else if (text.compare(at, 2, "</") == 0) {
      size_t nameEnd = NameEnd(text, at + 2);
      std::string name = text.substr(at + 2, nameEnd - at - 2);
      size_t end = nameEnd;
      while (end < text.size() && XmlSpace(text[end])) ++end;
      if (name.empty() || end == text.size() || text[end] != '>') {
        return Fault(at, "broken end tag");
      }
      if (open.empty() || open.back() != name) {
        return Fault(at,
                     "</" + name + "> closes " +
                         (open.empty() ? "nothing" : "<" + open.back() + ">"));
      }
      open.pop_back();
      at = end + 1;
    } else if (text[at] == '<') {
      size_t nameEnd = NameEnd(text, at + 1);
      if (nameEnd == at + 1) return Fault(at, "'<' that starts no tag");
      if (open.empty() && rooted) return Fault(at, "a second root element");
      rooted = true;
      std::string name = text.substr(at + 1, nameEnd - at - 1);
      std::set<std::string> attributes;
      size_t tag = at;
      at = nameEnd;
      for (;;) {
        size_t spaced = at;
        while (at < text.size() && XmlSpace(text[at])) ++at;
        if (at == text.size()) return Fault(tag, "unclosed tag");
        if (text[at] == '>') {
          open.push_back(name);
          ++at;
          break;
        }
        if (text.compare(at, 2, "/>") == 0) {
          at += 2;
          break;
        }
        size_t attributeEnd = NameEnd(text, at);
        if (attributeEnd == at || at == spaced) {
          return Fault(at, "a stray character in a tag");
        }
        if (!attributes.insert(text.substr(at, attributeEnd - at)).second) {
          return Fault(at, "an attribute twice in a tag");
        }
        at = attributeEnd;
        while (at < text.size() && XmlSpace(text[at])) ++at;
        if (at == text.size() || text[at] != '=') {
          return Fault(at, "an attribute without '='");
        }
        ++at;
        while (at < text.size() && XmlSpace(text[at])) ++at;
        if (at == text.size() || (text[at] != '"' && text[at] != '\'')) {
          return Fault(at, "an attribute value without quotes");
        }
        size_t close = text.find(text[at], at + 1);
        if (close == std::string::npos) return Fault(at, "an unclosed value");
        for (size_t k = at + 1; k < close;) {
          if (text[k] == '<') return Fault(k, "'<' in an attribute value");
          if (text[k] != '&') {
            ++k;
          } else if ((k = ReferenceEnd(text, k)) == std::string::npos) {
            return Fault(at, "'&' that starts no reference in a value");
          }
        }
        at = close + 1;
      }
    } else if (text[at] == '&') {
      size_t end = ReferenceEnd(text, at);
      if (end == std::string::npos) {
        return Fault(at, "'&' that starts no reference");
      }
      if (open.empty()) return Fault(at, "a reference outside the root");
      at = end;
    } else if (text.compare(at, 3, "]]>") == 0) {
      return Fault(at, "\"]]>\" in text");
    } else {
      if (open.empty() && !XmlSpace(text[at])) {
        return Fault(at, "text outside the root element");
      }
      ++at;
    }
  }
  if (!open.empty()) return Fault(at, "<" + open.back() + "> never closed");
  if (!rooted) return Fault(at, "no root element");
  return "";
}

size_t Count(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos;
       at = text.find(piece, at + piece.size())) {
    ++count;
  }
  return count;
}

std::string Line(const std::string& text, size_t number) {
  std::istringstream lines(text);
  std::string line;
  for (size_t k = 0; k < number; ++k) std::getline(lines, line);
  return line;
}

size_t LineOf(const std::string& text, const std::string& line) {
  std::istringstream lines(text);
  std::string current;
  for (size_t number = 1; std::getline(lines, current); ++number) {
    if (current == line) return number;
  }
  return 0;
}

struct Row {
  std::string identifier;
  int64_t x, y, width, height;
  int rotated;
};

// The module rows and the summary ("key" -> "value") of a table.
void ParseTable(const std::string& out, std::vector<Row>* rows,
                std::map<std::string, std::string>* summary) {
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);
  ASSERT_EQ(0u, line.rfind("module  ", 0)) << line;
  while (std::getline(lines, line) && !line.empty()) {
    std::istringstream fields(line);
    Row row;
    ASSERT_TRUE(fields >> row.identifier >> row.x >> row.y >> row.width >>
                row.height >> row.rotated)
        << line;
    rows->push_back(row);
  }
  while (std::getline(lines, line)) {
    size_t gap = line.find("  ");
    ASSERT_NE(std::string::npos, gap) << line;
    (*summary)[line.substr(0, gap)] =
        line.substr(line.find_first_not_of(' ', gap));
  }
}

struct DataLine {
  std::string identifier;
  int64_t width, height;
  std::string name;
};

std::vector<DataLine> ReadDataLines(const std::string& path) {
  std::istringstream lines(ReadFile(path));
  std::vector<DataLine> modules;
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    DataLine module;
    if (fields >> module.identifier >> module.width >> module.height) {
      if (module.identifier[0] == 'M') module.identifier.erase(0, 1);
      fields >> module.name;
      modules.push_back(module);
    }
  }
  return modules;
}

TEST(ReportTest, WholeRunsGiveTableAndPicture) {
  struct Case {
    const char* data;
    std::vector<std::string> parameters;
    bool fromStandardInput;
    bool verbose;
  };
  const Case cases[] = {
      {"testdata/golden/three.txt", {}, true, true},
      {"examples/apte.txt", {"0.9", "1000", "10"}, false, true},
      {"examples/hp.txt", {"0.9", "1000", "10"}, true, true},
      {"examples/ami33.txt", {"0.9", "1000", "10"}, true, false},
      {"examples/n100.txt", {"0.8", "10000", "100"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    std::string data = SourcePath(c.data);
    std::vector<std::string> arguments{data};
    arguments.insert(arguments.end(), c.parameters.begin(), c.parameters.end());
    CapturedRun run = RunCaptured(arguments);
    ASSERT_EQ(0, run.status);
    std::string loggedCost = run.out.substr(run.out.rfind("Cost: ") + 6);
    loggedCost.pop_back();  // the line feed

    std::string picture = WriteTempFile("picture.svg", "");
    std::remove(picture.c_str());
    CapturedRun report;
    if (c.fromStandardInput) {
      report = RunReportCaptured({"-o", picture, data}, run.out);
    } else {
      std::string log = WriteTempFile("run.log", run.out);
      report = RunReportCaptured({data, log, "-o", picture});
      std::remove(log.c_str());
    }
    ASSERT_EQ(0, report.status) << report.err;
    EXPECT_EQ("", report.err);

    std::vector<Row> rows;
    std::map<std::string, std::string> summary;
    ParseTable(report.out, &rows, &summary);
    std::vector<DataLine> modules = ReadDataLines(data);
    ASSERT_EQ(modules.size(), rows.size());
    EXPECT_EQ(loggedCost, summary["area"]);
    EXPECT_EQ(picture, summary["picture"]);
    int64_t width = std::stoll(summary["bounding width"]);
    int64_t height = std::stoll(summary["bounding height"]);
    EXPECT_EQ(std::to_string(width * height), summary["area"]);
    int64_t moduleArea = 0;
    for (size_t k = 0; k < rows.size(); ++k) {
      const Row& row = rows[k];
      const DataLine& module = modules[k];
      SCOPED_TRACE("module " + module.identifier);
      EXPECT_EQ(module.identifier, row.identifier);
      if (!module.name.empty()) {
        std::string line = Line(report.out, k + 2);
        EXPECT_EQ(module.name, line.substr(line.find_last_of(' ') + 1));
      }
      bool asGiven = row.width == module.width && row.height == module.height;
      bool turned = row.width == module.height && row.height == module.width;
      EXPECT_TRUE(asGiven || turned);
      EXPECT_EQ(asGiven ? 0 : 1, row.rotated);
      EXPECT_GE(row.x, 0);
      EXPECT_GE(row.y, 0);
      EXPECT_LE(row.x + row.width, width);
      EXPECT_LE(row.y + row.height, height);
      for (size_t other = 0; other < k; ++other) {
        const Row& o = rows[other];
        EXPECT_FALSE(row.x < o.x + o.width && o.x < row.x + row.width &&
                     row.y < o.y + o.height && o.y < row.y + row.height)
            << "overlaps module " << o.identifier;
      }
      moduleArea += module.width * module.height;
    }
    EXPECT_EQ(std::to_string(moduleArea), summary["module area"]);

    ASSERT_TRUE(Exists(picture));
    EXPECT_FALSE(Exists(picture + ".tmp"));
    std::string svg = ReadFile(picture);
    EXPECT_EQ(rows.size(), Count(svg, "<rect class=\"module"));
    EXPECT_EQ(1u, Count(svg, "best so far"));
    EXPECT_EQ(c.verbose ? 1u : 0u, Count(svg, "temperature (right axis"));
    EXPECT_EQ(
        1u, Count(svg, ">final best " + GroupedDigits(loggedCost) + "</text>"));
    // Every module is named in its tooltip; labels too small to read are
    // left out, but most modules of these files are large enough.
    size_t drawn = 0;
    for (const DataLine& module : modules) {
      std::string label = module.name.empty() ? module.identifier : module.name;
      std::string named = module.name.empty() ? "" : " (" + module.name + ")";
      EXPECT_EQ(1u, Count(svg, "<title>module " + module.identifier + named +
                                   " at ("));
      drawn += Count(svg, ">" + label + "</text>");
    }
    EXPECT_LE(drawn, modules.size());
    EXPECT_GT(drawn, modules.size() / 2);
    EXPECT_EQ("", XmlFault(svg));
    std::remove(picture.c_str());
  }
}

// Names with markup characters, control characters and bytes that are not
// UTF-8 still give a well-formed picture; the default picture is the data
// file's name with .svg.
TEST(ReportTest, AwkwardNamesAndDefaultPictureName) {
  ScratchFolder folder;
  std::string data = folder / "awkward.txt";
  WriteText(data,
            "1 40 20 a&b<c>\n2 30 30 \"q'\x01\n3 10 50 \xff\xc3\xa9t\xc3\xa9\n");
  // The picture goes to the current folder, not beside the data file.
  ScratchFolder here;
  CurrentFolder entered(here.path());
  ASSERT_TRUE(entered.changed());
  std::string picture = here / "awkward.svg";
  CapturedRun run = RunCaptured({data});
  ASSERT_EQ(0, run.status);
  CapturedRun report = RunReportCaptured({data}, run.out);
  ASSERT_EQ(0, report.status) << report.err;
  ASSERT_TRUE(Exists(picture));
  std::string svg = ReadFile(picture);
  EXPECT_EQ(3u, Count(svg, "<rect class=\"module"));
  EXPECT_NE(std::string::npos, svg.find(">a&amp;b&lt;c&gt;</text>"));
  EXPECT_NE(std::string::npos, svg.find(">?\xc3\xa9t\xc3\xa9</text>"));
  EXPECT_EQ("", XmlFault(svg));
  EXPECT_EQ(std::set<std::string>{"awkward.txt"}, Listing(folder.path()));
}

// The well-formedness check takes what the pictures use and more, and
// finds each kind of fault it looks for.
TEST(ReportTest, WellFormednessCheckFindsBrokenDocuments) {
  EXPECT_EQ("", XmlFault("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<!-- a note -->\n"
                         "<svg xmlns=\"u\" a='say \"hi\"' b = \"&amp;&lt;&#233;"
                         "&#x1F600;\">\n"
                         "<style>\n.a{fill:#111111}\n</style>\n"
                         "<g><text>caf\xc3\xa9 &gt; \"q'</text><rect/></g>"
                         "<![CDATA[ <&> ]]></svg >\n<!-- end -->\n"));
  const char* const broken[] = {
      "<svg><rect></svg>",
      "<svg><g></svg></g>",
      "<svg></g>",
      "<svg>",
      "",
      "  \n",
      "<svg/><svg/>",
      "text<svg/>",
      "<svg/>text",
      "<svg width=10/>",
      "<svg width=\"10/>",
      "<svg a=\"1\" a=\"2\"/>",
      "<svg a=\"1\"b=\"2\"/>",
      "<svg a=\"x<y\"/>",
      "<svg a=\"x&y\"/>",
      "<svg>a & b</svg>",
      "<svg>&nbsp;</svg>",
      "<svg>&#1;</svg>",
      "<svg>&#xD800;</svg>",
      "<svg>&#;</svg>",
      "<svg>x]]>y</svg>",
      "<svg>\x01</svg>",
      "<svg>\xff</svg>",
      "<svg>\xc0\xaf</svg>",
      "<svg>\xed\xa0\x80</svg>",
      "<svg>\xef\xbf\xbe</svg>",
      "<svg>\xc3</svg>",
      "<svg><!-- a -- b --></svg>",
      "<svg><!-- open </svg>",
      "<svg>< g/></svg>",
      "<svg><1/></svg>",
      "\n<?xml version=\"1.0\"?><svg/>",
      "<!DOCTYPE svg><svg/>",
  };
  for (const char* sample : broken) {
    EXPECT_NE("", XmlFault(sample)) << sample;
  }
}

// A log of a million moves still gives a small picture. The moves of a real
// run are replaced by as many made-up ones as it takes, none cheaper than
// the final solution.
TEST(ReportTest, LongLogGivesSmallPicture) {
  std::string data = SourcePath("examples/ami33.txt");
  CapturedRun run = RunCaptured({data, "0.9", "1000", "10"});
  ASSERT_EQ(0, run.status);
  const std::string start = "***Start of Simulated Annealing***\n\n";
  size_t movesBegin = run.out.find(start) + start.size();
  size_t movesEnd = run.out.find("\n***End");
  int64_t finalCost = std::stoll(run.out.substr(run.out.rfind("Cost: ") + 6));
  std::mt19937 random(1000000);
  std::uniform_int_distribution<int64_t> cost(finalCost, 3 * finalCost);
  std::string moves;
  char line[64];
  const int kMoves = 1000000;
  for (int move = 1; move <= kMoves; ++move) {
    snprintf(line, sizeof line, "%-10d  %-8lld %c\n", move,
             static_cast<long long>(cost(random)), move % 3 ? 'N' : 'Y');
    moves += line;
  }
  std::string log =
      run.out.substr(0, movesBegin) + moves + run.out.substr(movesEnd + 1);

  std::string picture = WriteTempFile("long.svg", "");
  CapturedRun report = RunReportCaptured({"-o", picture, data}, log);
  ASSERT_EQ(0, report.status) << report.err;
  std::string svg = ReadFile(picture);
  EXPECT_LT(svg.size(), 200u * 1024);
  EXPECT_NE(std::string::npos, svg.find(", 1,000,000 moves"));
  EXPECT_EQ(33u, Count(svg, "<rect class=\"module"));
  std::remove(picture.c_str());
}

TEST(ReportTest, BadInputsGiveMessageAndNoPicture) {
  std::string data = SourcePath("examples/ami33.txt");
  CapturedRun run = RunCaptured({data, "0.9", "1000", "10"});
  ASSERT_EQ(0, run.status);
  const std::string& log = run.out;
  size_t expressionLine = LineOf(log, "Final solution:") + 1;
  std::string expression = Line(log, expressionLine);
  std::string costText = log.substr(log.rfind("Cost: ") + 6);
  costText.pop_back();
  size_t costLine = LineOf(log, "Cost: " + costText);
  auto withExpression = [&](const std::string& replacement) {
    std::string changed = log;
    changed.replace(changed.find(expression), expression.size(), replacement);
    return changed;
  };
  auto at = [](const std::string& text, const std::string& piece) {
    return std::to_string(text.find(piece) + 1);
  };

  std::string unknown = expression;
  unknown.replace(unknown.find("<11>"), 4, "<99>");
  std::string twice = expression;
  twice.replace(twice.find("<23>"), 4, "<11>");
  size_t second = twice.find("<11>", twice.find("<11>") + 1);
  std::string extraModule =
      WriteTempFile("extra.txt", ReadFile(data) + "34 10 10 extra\n");
  std::string stray = expression;
  size_t strayAt = stray.find('>', 15) + 1;
  stray.insert(strayAt, "x");
  std::string cutOff = log.substr(0, log.find("\n***End"));
  size_t cutOffLines = Count(cutOff, "\n");
  std::string otherCost = std::to_string(std::stoll(costText) + 1);
  std::string wrongCost = log.substr(0, log.rfind(costText)) + otherCost + "\n";
  std::string sameIdentifier =
      WriteTempFile("same.txt", "1 10 20\n2 5 5\n\n1 3 3\n");
  std::string shortFirstLine = WriteTempFile("short.txt", "1 10\n2 5 5\n");
  std::string withoutNames;
  for (const DataLine& module : ReadDataLines(data)) {
    withoutNames += module.identifier + " " + std::to_string(module.width) +
                    " " + std::to_string(module.height) + "\n";
  }
  std::string unnamed = WriteTempFile("unnamed.txt", withoutNames);
  std::string missing = WriteTempFile("missing", "");
  std::remove(missing.c_str());
  std::string picture = WriteTempFile("kept.svg", "an older picture");
  // The last line without its line feed and its last digit: a cost cut off.
  std::string cutInLastLine = log.substr(0, log.size() - 2);
  std::string twoCosts =
      log.substr(0, log.size() - 1) + " Cost: " + costText + "\n";
  size_t firstMoveLine = LineOf(log, "***Start of Simulated Annealing***") + 2;
  std::string longLine = log;
  longLine.insert(longLine.find('\n', longLine.find("Annealing***")) + 2,
                  std::string(100000, '7') + "\n");
  std::string folder = data.substr(0, data.find_last_of('/'));

  struct Case {
    const char* name;
    std::vector<std::string> arguments;  // besides -o picture
    std::string log;                     // standard input
    int status;
    std::string message;  // the whole of standard error starts with it
    bool table = false;   // printed before the picture is refused
  };
  const std::string where = "floorplan-report: <stdin>:";
  const Case cases[] = {
      {"no final solution",
       {data},
       cutOff,
       1,
       where + std::to_string(cutOffLines) + ": no final solution"},
      {"cut inside its last line",
       {data},
       cutInLastLine,
       1,
       where + std::to_string(costLine) +
           ": the log breaks off in its last line, so its final cost may be "
           "cut short (was the run cut short?)\n"},
      {"two Cost: in one line",
       {data},
       twoCosts,
       1,
       where + std::to_string(costLine) +
           ": expected \"Cost: <area>\" after the final solution\n"},
      {"a line longer than a log of the data file holds",
       {data},
       longLine,
       1,
       where + std::to_string(firstMoveLine) +
           ": a line longer than any line of a log of this data file"},
      {"/dev/zero as the log",
       {data, "/dev/zero"},
       "",
       1,
       "floorplan-report: /dev/zero:1: a line longer than any line of a log "
       "of this data file"},
      {"a directory as the log",
       {data, folder},
       "",
       1,
       "floorplan-report: " + folder + ": is a directory, not a log\n"},
      {"empty log",
       {data},
       "",
       1,
       "floorplan-report: <stdin>: no final solution: the log is empty"},
      {"unknown identifier",
       {data},
       withExpression(unknown),
       1,
       where + std::to_string(expressionLine) + ": final solution: <99> at " +
           "character " + at(unknown, "<99>") + " is not a module of " + data},
      {"module twice",
       {data},
       withExpression(twice),
       1,
       where + std::to_string(expressionLine) + ": final solution: <11> at " +
           "character " + std::to_string(second + 1) + " appears twice"},
      {"wrong count",
       {extraModule},
       log,
       1,
       where + std::to_string(expressionLine) +
           ": final solution: the expression places 33 modules but " +
           extraModule + " has 34 (missing <34>)"},
      {"cut without operands",
       {data},
       withExpression("V" + expression),
       1,
       where + std::to_string(expressionLine) +
           ": final solution: not a postfix expression: the cut 'V' at "
           "character 1 has fewer than two subtrees before it"},
      {"subtrees left over",
       {data},
       withExpression(expression.substr(0, expression.size() - 1)),
       1,
       where + std::to_string(expressionLine) +
           ": final solution: not a postfix expression: 2 subtrees are left "
           "that no cut joins"},
      {"stray character",
       {data},
       withExpression(stray),
       1,
       where + std::to_string(expressionLine) +
           ": final solution: not a postfix expression: unexpected 'x' at "
           "character " +
           std::to_string(strayAt + 1)},
      {"cost disagrees",
       {data},
       wrongCost,
       1,
       where + std::to_string(costLine) + ": the log gives cost " + otherCost +
           ", but the least area of the final solution over " + data + " is " +
           costText},
      {"log of another file",
       {SourcePath("examples/apte.txt")},
       log,
       1,
       where + std::to_string(expressionLine) + ": final solution: <10> at "},
      {"missing data file",
       {missing},
       log,
       1,
       "floorplan-report: " + missing + ": cannot open the data file"},
      {"missing log file",
       {data, missing},
       "",
       1,
       "floorplan-report: " + missing +
           ": cannot open the log: No such file or directory\n"},
      {"data file not readable by floorplan",
       {shortFirstLine},
       log,
       1,
       "floorplan-report: " + shortFirstLine + ":1: not a module line"},
      {"one identifier, two sizes",
       {sameIdentifier},
       log,
       1,
       "floorplan-report: " + sameIdentifier +
           ":4: identifier 1 is given to modules of different sizes (lines 1 "
           "and 4)"},
      {"a pl file of modules without names",
       {"--format", "pl", unnamed},
       log,
       1,
       "floorplan-report: " + unnamed +
           ":1: module 1 has no name, and --format pl names every module "
           "(floorplan-convert writes names)\n"},
      {"no data file", {}, log, 2, "floorplan-report: no data file given"},
      {"too many arguments",
       {data, missing, missing},
       log,
       2,
       "floorplan-report: too many arguments"},
      {"unknown option",
       {"-x", data},
       log,
       2,
       "floorplan-report: unknown option -x"},
      {"picture over the data file",
       {data, "-o", data},
       log,
       1,
       "floorplan-report: " + data + ": is the same file as the input " + data +
           "\n",
       true},
      {"picture in no folder",
       {data, "-o", missing + "/p.svg"},
       log,
       1,
       "floorplan-report: " + missing + "/p.svg: cannot create a temporary " +
           "file in " + missing + ": No such file or directory\n",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments{"-o", picture};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    CapturedRun report = RunReportCaptured(arguments, c.log);
    EXPECT_EQ(c.status, report.status);
    EXPECT_EQ(0u, report.err.rfind(c.message, 0)) << report.err;
    EXPECT_EQ(c.table, report.out.rfind("module ", 0) == 0);
    EXPECT_EQ(std::string::npos, report.out.find("picture"));
    if (!c.table) {
      EXPECT_EQ("", report.out);
    }
    EXPECT_EQ("an older picture", ReadFile(picture));
    EXPECT_FALSE(Exists(picture + ".tmp"));
  }
  for (const std::string& path :
       {extraModule, sameIdentifier, shortFirstLine, unnamed, picture}) {
    std::remove(path.c_str());
  }
}

// A closed standard input is told as such, not as an empty log: main()
// leaves /dev/null open for writing in its place.
TEST(ReportTest, ClosedStandardInputIsToldAsSuch) {
  FILE* closed = fopen("/dev/null", "w");
  ASSERT_NE(nullptr, closed);
  CapturedRun report = RunReportCaptured(
      {"-o", "-", SourcePath("examples/apte.txt")}, "", closed);
  fclose(closed);
  EXPECT_EQ(1, report.status);
  EXPECT_EQ(
      "floorplan-report: <stdin>: standard input is closed: give LOGFILE, or "
      "pipe the output of floorplan in\n",
      report.err);
  EXPECT_EQ("", report.out);
}

// Where -o may and may not write, each case in a folder of its own holding
// the data file, the log and an older picture: a refusal or a failure leaves
// every file there as it was, and no temporary file behind.
TEST(ReportTest, PictureTargets) {
  std::string source = SourcePath("testdata/golden/three.txt");
  CapturedRun run = RunCaptured({source});
  ASSERT_EQ(0, run.status);
  struct Case {
    const char* name;
    std::string target;  // "DIR/" stands for the case's folder
    int status;
    std::string err;      // "DIR/" as above
    bool pictureWritten;  // to the target
  };
  const Case cases[] = {
      {"a new file", "DIR/new.svg", 0, "", true},
      {"an older picture", "DIR/old.svg", 0, "", true},
      {"the data file by another name", "DIR/./data.txt", 1,
       "floorplan-report: DIR/./data.txt: is the same file as the input "
       "DIR/data.txt\n",
       false},
      {"the log", "DIR/sub/../run.log", 1,
       "floorplan-report: DIR/sub/../run.log: is the same file as the input "
       "DIR/run.log\n",
       false},
      {"a symbolic link to the data file", "DIR/link.svg", 1,
       "floorplan-report: DIR/link.svg: is the same file as the input "
       "DIR/data.txt\n",
       false},
      {"a hard link to the log", "DIR/hard.svg", 1,
       "floorplan-report: DIR/hard.svg: is the same file as the input "
       "DIR/run.log\n",
       false},
      {"a read-only picture", "DIR/readonly.svg", 1,
       "floorplan-report: DIR/readonly.svg: is read-only\n", false},
      {"a folder", "DIR/sub", 1, "floorplan-report: DIR/sub: Is a directory\n",
       false},
      {"/dev/null", "/dev/null", 0, "", false},
      {"/dev/full", "/dev/full", 1,
       "floorplan-report: cannot write to /dev/full: No space left on device\n",
       false},
      {"a FIFO", "DIR/fifo", 0, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    auto place = [&](std::string text) {
      for (size_t at = text.find("DIR/"); at != std::string::npos;
           at = text.find("DIR/", at)) {
        text.replace(at, 3, folder.path());
      }
      return text;
    };
    std::string data = folder / "data.txt";
    std::string log = folder / "run.log";
    WriteText(data, ReadFile(source));
    WriteText(log, run.out);
    WriteText(folder / "old.svg", "an older picture");
    WriteText(folder / "readonly.svg", "kept");
    WriteText(folder / "old.svg.tmp", "the user's own file");
    ASSERT_EQ(0, chmod((folder / "readonly.svg").c_str(), 0444));
    ASSERT_EQ(0, mkdir((folder / "sub").c_str(), 0755));
    ASSERT_EQ(0, symlink(data.c_str(), (folder / "link.svg").c_str()));
    ASSERT_EQ(0, link(log.c_str(), (folder / "hard.svg").c_str()));
    ASSERT_EQ(0, mkfifo((folder / "fifo").c_str(), 0644));
    std::set<std::string> before = Listing(folder.path());

    std::string target = place(c.target);
    std::string fromFifo;
    std::thread reader;
    if (c.target == "DIR/fifo") {
      reader = std::thread([&] { fromFifo = ReadFile(target); });
    }
    CapturedRun report = RunReportCaptured({"-o", target, data, log});
    if (reader.joinable()) reader.join();
    EXPECT_EQ(c.status, report.status);
    EXPECT_EQ(place(c.err), report.err);
    // The table comes first, whatever becomes of the picture, and names
    // the picture only when it was written.
    EXPECT_EQ(0u, report.out.find("module "));
    EXPECT_EQ(c.status == 0,
              report.out.find("\npicture          " + target + "\n") !=
                  std::string::npos);
    EXPECT_EQ(c.status == 0, report.out.find("picture") != std::string::npos);

    std::set<std::string> after = Listing(folder.path());
    if (c.target == "DIR/new.svg") after.erase("new.svg");
    EXPECT_EQ(before, after);
    EXPECT_EQ(ReadFile(source), ReadFile(data));
    EXPECT_EQ(run.out, ReadFile(log));
    EXPECT_EQ("kept", ReadFile(folder / "readonly.svg"));
    EXPECT_EQ("the user's own file", ReadFile(folder / "old.svg.tmp"));
    // Reading /dev/full would never end.
    std::string written = c.target == "DIR/fifo" ? fromFifo
                          : c.target[0] == 'D'   ? ReadFile(target)
                                                 : "";
    EXPECT_EQ(c.pictureWritten, written.rfind("<?xml", 0) == 0);
    if (c.target != "DIR/old.svg") {
      EXPECT_EQ("an older picture", ReadFile(folder / "old.svg"));
    }
  }
}

// -o - puts the picture on standard output in place of the table; csv,
// json and pl put the placement there and write a picture only where -o
// says; all four carry the same placement, and the pl reads back as it.
TEST(ReportTest, StandardOutputCarriesOneDocument) {
  ScratchFolder folder;
  std::string data = folder / "ami33.txt";
  WriteText(data, ReadFile(SourcePath("examples/ami33.txt")));
  CapturedRun run = RunCaptured({data, "0.9", "1000", "10"});
  ASSERT_EQ(0, run.status);
  std::string log = folder / "run.log";
  WriteText(log, run.out);
  std::string loggedCost = run.out.substr(run.out.rfind("Cost: ") + 6);
  loggedCost.pop_back();
  CurrentFolder entered(folder.path());  // where the table's picture goes
  ASSERT_TRUE(entered.changed());

  CapturedRun svg = RunReportCaptured({"-o", "-", data, log});
  ASSERT_EQ(0, svg.status) << svg.err;
  EXPECT_EQ(0u, svg.out.rfind("<?xml", 0));
  EXPECT_EQ("</svg>\n", svg.out.substr(svg.out.size() - 7));
  EXPECT_EQ(2u, Listing(folder.path()).size());

  CapturedRun csv = RunReportCaptured({"--format", "csv", data, log});
  CapturedRun json = RunReportCaptured({"--format=json", data, log});
  CapturedRun pl = RunReportCaptured({"--format", "pl", data, log});
  EXPECT_EQ(2u, Listing(folder.path()).size()) << "no picture unless -o";
  CapturedRun table = RunReportCaptured({data, log});
  for (const CapturedRun* report : {&csv, &json, &pl, &table}) {
    ASSERT_EQ(0, report->status) << report->err;
    EXPECT_EQ("", report->err);
  }
  EXPECT_EQ(3u, Listing(folder.path()).size());
  EXPECT_EQ(ReadFile(folder / "ami33.svg"), svg.out);

  std::vector<Row> rows;
  std::map<std::string, std::string> summary;
  ParseTable(table.out, &rows, &summary);
  std::vector<DataLine> modules = ReadDataLines(data);
  ASSERT_EQ(33u, rows.size());
  std::istringstream csvLines(csv.out);
  std::string line;
  std::getline(csvLines, line);
  EXPECT_EQ("id,name,x,y,width,height,rotated\r", line);
  EXPECT_EQ(0u, pl.out.rfind("UCLA pl 1.0\n\n", 0));
  std::vector<PlFileEntry> placed;
  InputError refusal;
  ASSERT_TRUE(ReadPlFile(pl.out, &placed, &refusal)) << refusal.reason;
  ASSERT_EQ(rows.size(), placed.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    const Row& row = rows[k];
    EXPECT_EQ(modules[k].name, placed[k].name);
    EXPECT_EQ(std::make_pair(row.x, row.y),
              std::make_pair(placed[k].x, placed[k].y));
    EXPECT_EQ(
        1u, Count(pl.out, "\n" + modules[k].name + " " + std::to_string(row.x) +
                              " " + std::to_string(row.y) +
                              (row.rotated ? " : E\n" : " : N\n")));
    std::string fields =
        row.identifier + "," + modules[k].name + "," + std::to_string(row.x) +
        "," + std::to_string(row.y) + "," + std::to_string(row.width) + "," +
        std::to_string(row.height) + "," + std::to_string(row.rotated);
    std::getline(csvLines, line);
    EXPECT_EQ(fields + "\r", line);
    EXPECT_EQ(1u,
              Count(json.out, "{\"id\": " + row.identifier + ", \"name\": \"" +
                                  modules[k].name +
                                  "\", \"x\": " + std::to_string(row.x) +
                                  ", \"y\": " + std::to_string(row.y) + ", "));
  }
  EXPECT_FALSE(std::getline(csvLines, line));
  EXPECT_EQ(1u, Count(json.out, "\"area\": " + loggedCost + ",\n"));
  EXPECT_EQ(1u, Count(json.out,
                      "\"module_area\": " + summary["module area"] + ",\n"));
  // Two decimals in the table ("NN.NN%"), four in JSON.
  const std::string key = "\"dead_space_percent\": ";
  size_t at = json.out.find(key);
  ASSERT_NE(std::string::npos, at);
  EXPECT_NEAR(std::stod(summary["dead space"]),
              std::stod(json.out.substr(at + key.size())), 0.005);
}

// Four modules of 65535 x 65535 in a square: an area of 131070^2 =
// 17179344900. A log that gives that plus 2^64 would pass a comparison in
// 64 bits; it is refused, and both areas are printed with every digit.
TEST(ReportTest, CostsAreComparedAndPrintedExactly) {
  ScratchFolder folder;
  std::string data = folder / "big.txt";
  WriteText(data,
            "1 65535 65535\n2 65535 65535\n3 65535 65535\n"
            "4 65535 65535\n");
  auto logWithCost = [](const std::string& cost) {
    return "Initial Floorplan: <1><2>V<3>V<4>V Cost: 73786976294838206464\n\n"
           "***Start of Simulated Annealing***\n\n"
           "1         <1><2>V<3><4>VH  17179344900 2.000000 Y\n\n"
           "***End of Simulated Annealing***\nFinal solution:\n"
           "<1><2>V<3><4>VH\n\nCost: " +
           cost + "\n";
  };
  CapturedRun right = RunReportCaptured({"-o", folder / "big.svg", data},
                                        logWithCost("17179344900"));
  ASSERT_EQ(0, right.status) << right.err;
  EXPECT_NE(std::string::npos,
            right.out.find("\narea             17179344900\n"));
  EXPECT_NE(std::string::npos,
            ReadFile(folder / "big.svg").find(">final best 17,179,344,900<"));

  CapturedRun wrapped = RunReportCaptured({"-o", folder / "big.svg", data},
                                          logWithCost("18446744090888896516"));
  EXPECT_EQ(1, wrapped.status);
  EXPECT_EQ(
      "floorplan-report: <stdin>:11: the log gives cost "
      "18446744090888896516, but the least area of the final solution "
      "over " +
          data +
          " is 17179344900 (is this the log of a run on "
          "that file?)\n",
      wrapped.err);
}

// Two modules side by side, <1><2>V: boxes 5 x 4 (area 20) and 7 x 3 (21),
// and their turns 4 x 5 and 3 x 7. Against 6 x 2 the least cost is 7 x 3's,
// 7 x max(3, 2) = 21, so a search against that outline logs 21 where a plain
// run logs 20; with an outline given the report takes either and places the
// shape of least cost against it.
TEST(ReportTest, OutlinesTakeEitherCostAndPlaceTheCheapestShape) {
  ScratchFolder folder;
  std::string data = folder / "two.txt";
  WriteText(data, "1 2 4 a\n2 3 3 b\n");
  auto logWithCost = [](const std::string& cost) {
    return "Initial Floorplan: <1><2>H Cost: 20\n\n"
           "***Start of Simulated Annealing***\n\n"
           "1         <1><2>V  " +
           cost +
           " 2.000000 Y\n\n***End of Simulated Annealing***\n"
           "Final solution:\n<1><2>V\n\nCost: " +
           cost + "\n";
  };
  const std::string table =
      "module  x  y  width  height  rotated  name\n"
      "1       0  0      4       2        1  a\n";
  struct Case {
    const char* name;
    std::vector<std::string> options;
    std::string cost;
    int status;
    std::string expected;  // in standard output, or all of standard error
  };
  const Case cases[] = {
      {"fits", {"--outline", "6", "4"}, "20", 0,
       "\noutline          6 4: fits as 5 x 4\n"},
      {"fits turned", {"--outline", "4", "6"}, "20", 0,
       table + "2       0  2      3       3        0  b\n"},
      {"the turn's row", {"--outline", "4", "6"}, "20", 0,
       "\noutline          4 6: fits as 4 x 5\n"},
      {"a plain run's log against an outline", {"--outline", "6", "2"}, "20",
       0, "\noutline          6 2: does not fit (closest 7 x 3)\n"},
      {"a search's log", {"--outline", "6", "2"}, "21", 0,
       table + "2       4  0      3       3        0  b\n"},
      {"json", {"--format", "json", "--outline", "6", "2"}, "21", 0,
       "\n  \"outline\": {\"width\": 6, \"height\": 2, \"fits\": false},\n"},
      {"picture", {"-o", "-", "--outline", "6", "2"}, "21", 0,
       "red dashes: the fixed outline 6 x 2 (it does not fit)"},
      {"a search's log without its outline", {}, "21", 1,
       "floorplan-report: <stdin>:11: the log gives cost 21, but the least "
       "area of the final solution over " +
           data + " is 20 (is this the log of a run on that file?)\n"},
      {"neither cost", {"--outline", "6", "2"}, "22", 1,
       "floorplan-report: <stdin>:11: the log gives cost 22, but the least "
       "area of the final solution over " +
           data +
           " is 20, and its cost against the outline 6 x 2 is 21 (is this "
           "the log of a run on that file?)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = c.options;
    if (c.options.empty() || c.options[0] != "-o") {
      arguments.insert(arguments.end(), {"-o", folder / "p.svg"});
    }
    arguments.push_back(data);
    ExpectReport(arguments, logWithCost(c.cost), c.status, c.expected);
  }
}

// Worked out by hand: modules a (2 x 4) and b (3 x 2) side by side in the
// box 7 x 2 of least area, a turned: centres a (2, 1) and b (5.5, 1), and
// terminals P (10, 0) and Q (0, 7). Nets {a, b}: 3.5 + 0; {a, P}: 8 + 1;
// {Q, a}: 2 + 6. Wirelength 20.5, whichever dialect and terminals file.
TEST(ReportTest, WirelengthOverTheNets) {
  ScratchFolder folder;
  std::string data = folder / "ab.txt";
  WriteText(data, "1 2 4 a\n2 3 2 b\n");
  std::string twice = folder / "twice.txt";
  WriteText(twice, "1 2 4 a\n2 3 2 a\n");
  std::string course = folder / "ab.nets";
  WriteText(course,
            "NumNets: 3\r\nNetDegree: 2\r\na\r\nb\r\nNetDegree: 2\r\na\r\n"
            "P\r\nNetDegree: 2\r\nQ\r\na\r\n");
  std::string gsrc = folder / "gsrc.nets";
  WriteText(gsrc,
            "UCLA nets 1.0\n\nNumNets : 3\nNumPins : 6\nNetDegree : 2\na B\n"
            "b B\nNetDegree : 2\na B\nP B\nNetDegree : 2\nQ B\na B\n");
  std::string block = folder / "ab.block";
  WriteText(block,
            "Outline: 7 7\nNumBlocks: 0\nNumTerminals: 2\n"
            "P terminal 10 0\nQ terminal 0 7\n");
  std::string pl = folder / "ab.pl";
  WriteText(pl, "UCLA pl 1.0\n\nP\t10\t0\nQ\t0\t7\n");
  std::string onlyP = folder / "p.pl";
  WriteText(onlyP, "P 10 0\n");
  const std::string log =
      "Initial Floorplan: <1><2>H Cost: 24\n\n"
      "***Start of Simulated Annealing***\n\n"
      "1         <1><2>V  14 2.000000 Y\n\n***End of Simulated Annealing***\n"
      "Final solution:\n<1><2>V\n\nCost: 14\n";
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string expected;  // in standard output, or all of standard error
  };
  const Case cases[] = {
      {"course nets, block terminals",
       {"--nets", course, "--terminals", block, data},
       0,
       "\naspect ratio     3.500 (width / height)\n"
       "wirelength       20.5\n"},
      {"GSRC nets, .pl terminals",
       {"--format", "json", "--nets", gsrc, "--terminals", pl, data},
       0,
       "\n  \"wirelength\": 20.5,\n"},
      {"picture",
       {"-o", "-", "--nets", gsrc, "--terminals", pl, data},
       0,
       ", wirelength 20.5"},
      {"no terminals",
       {"--nets", course, data},
       1,
       "floorplan-report: " + course + ":7: P is not a module of " + data +
           "; if it is a terminal, give its coordinates with --terminals\n"},
      {"a terminal not in the file",
       {"--nets", course, "--terminals", onlyP, data},
       1,
       "floorplan-report: " + course + ":9: Q is neither a module of " + data +
           " nor a terminal of " + onlyP + "\n"},
      {"two modules of one name",
       {"--nets", course, twice},
       1,
       "floorplan-report: " + twice +
           ":2: a second module named a (the first is on line 1), and --nets "
           "finds modules by name\n"},
      // The table comes first, without the picture's line.
      {"the picture over the terminals",
       {"-o", pl, "--nets", gsrc, "--terminals", pl, data},
       1,
       "floorplan-report: " + pl + ": is the same file as the input " + pl +
           "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = c.arguments;
    if (arguments[0] != "-o") {
      arguments.insert(arguments.begin(), {"-o", folder / "p.svg"});
    }
    CapturedRun report = ExpectReport(arguments, log, c.status, c.expected);
    // Only a refused picture comes after the table.
    if (c.status != 0) {
      EXPECT_EQ(c.arguments[0] == "-o", report.out.rfind("module", 0) == 0);
    }
  }
  EXPECT_EQ("UCLA pl 1.0\n\nP\t10\t0\nQ\t0\t7\n", ReadFile(pl));
}

TEST(ReportTest, HelpAndVersion) {
  CapturedRun version = RunReportCaptured({"--version"});
  EXPECT_EQ(0, version.status);
  EXPECT_EQ(std::string("floorplan-report ") + kFloorplanVersion + "\n",
            version.out);
  CapturedRun help = RunReportCaptured({"--help", "--bogus"});
  EXPECT_EQ(0, help.status);
  EXPECT_EQ(ReadFile(SourcePath("testdata/report_usage.txt")), help.out);
  EXPECT_EQ("", version.err + help.err);
}

}  // namespace
