#include "convert/yal_modules.h"

#include <cctype>
#include <string>
#include <utility>

#include "convert/input_format.h"
#include "convert/outline.h"

namespace {

struct Word {
  std::string_view text;
  uint64_t line = 0;
};

// The words before one ';'.
using Statement = std::vector<Word>;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' ||
         c == '\v';
}

// Splits the file into statements, dropping comments and empty statements.
bool SplitStatements(std::string_view text, std::vector<Statement>* statements,
                     InputError* error) {
  uint64_t line = 1;
  Statement current;
  size_t at = 0;
  while (at < text.size()) {
    char c = text[at];
    if (c == '\n') {
      ++line;
      ++at;
    } else if (IsSpace(c)) {
      ++at;
    } else if (c == ';') {
      if (!current.empty()) statements->push_back(std::move(current));
      current.clear();
      ++at;
    } else if (text.compare(at, 2, "/*") == 0) {
      size_t end = text.find("*/", at + 2);
      if (end == std::string_view::npos) {
        *error = {line, "a comment that is never closed"};
        return false;
      }
      for (size_t k = at; k < end; ++k) line += text[k] == '\n';
      at = end + 2;
    } else {
      size_t end = at;
      while (end < text.size() && !IsSpace(text[end]) && text[end] != ';' &&
             text.compare(end, 2, "/*") != 0) {
        ++end;
      }
      current.push_back({text.substr(at, end - at), line});
      at = end;
    }
  }
  if (!current.empty()) {
    *error = {current.front().line, "the statement \"" +
                                        PrintableName(current.front().text) +
                                        "\" is not ended by ';'"};
    return false;
  }
  return true;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// A section whose statements are skipped, and the keyword that ends it.
struct Section {
  const char* start;
  const char* end;
};
constexpr Section kSections[] = {
    {"IOLIST", "ENDIOLIST"},
    {"NETWORK", "ENDNETWORK"},
    {"PLACEMENT", "ENDPLACEMENT"},
};

// The module being read, from MODULE to ENDMODULE.
struct OpenModule {
  std::string name;
  uint64_t line = 0;
  std::string type;  // upper case; empty until TYPE
  bool hasDimensions = false;
  std::vector<OutlinePoint> dimensions;
  uint64_t dimensionsLine = 0;
};

}  // namespace

bool ReadYalModules(std::string_view text, std::vector<HardBlock>* blocks,
                    InputError* error) {
  blocks->clear();
  std::vector<Statement> statements;
  if (!SplitStatements(text, &statements, error)) return false;

  bool inModule = false;
  OpenModule module;
  const Section* section = nullptr;  // the section being skipped, if any
  uint64_t sectionLine = 0;
  for (const Statement& statement : statements) {
    uint64_t line = statement.front().line;
    std::string keyword = Upper(statement.front().text);
    std::string shown = "module " + PrintableName(module.name);
    auto fail = [&](std::string reason) {
      *error = {line, std::move(reason)};
      return false;
    };
    auto expectWords = [&](size_t count, const char* form) {
      if (statement.size() == count) return true;
      *error = {line, "expected \"" + std::string(form) + "\""};
      return false;
    };

    if (section != nullptr) {
      if (keyword == section->end) {
        if (!expectWords(1, (std::string(section->end) + ";").c_str())) {
          return false;
        }
        section = nullptr;
      } else if (keyword == "ENDMODULE" || keyword == "MODULE") {
        return fail(shown + ": " + section->start + " is not ended by " +
                    section->end);
      }
      continue;
    }
    if (!inModule) {
      if (keyword != "MODULE") {
        return fail("expected a MODULE statement, not \"" +
                    PrintableName(statement.front().text) + "\"");
      }
      if (!expectWords(2, "MODULE name;")) return false;
      module = OpenModule();
      module.name = std::string(statement[1].text);
      module.line = line;
      inModule = true;
      continue;
    }

    if (keyword == "MODULE") {
      return fail(shown + " is not ended by ENDMODULE before the next MODULE");
    } else if (keyword == "TYPE") {
      if (!expectWords(2, "TYPE type;")) return false;
      if (!module.type.empty()) return fail(shown + ": a second TYPE");
      module.type = Upper(statement[1].text);
      if (module.type != "GENERAL" && module.type != "PAD" &&
          module.type != "PARENT") {
        return fail(shown + ": the type " + PrintableName(statement[1].text) +
                    " is not understood (GENERAL, PAD and PARENT are)");
      }
    } else if (keyword == "DIMENSIONS") {
      if (module.hasDimensions) return fail(shown + ": a second DIMENSIONS");
      if (statement.size() % 2 == 0) {
        return fail(shown + ": DIMENSIONS holds an odd number of coordinates");
      }
      for (size_t k = 1; k < statement.size(); k += 2) {
        OutlinePoint point;
        for (size_t j = k; j < k + 2; ++j) {
          int64_t* value = j == k ? &point.x : &point.y;
          if (!ParseCoordinate(statement[j].text, value)) {
            line = statement[j].line;
            return fail(shown + ": \"" + PrintableName(statement[j].text) +
                        "\" in DIMENSIONS is not an integer coordinate");
          }
        }
        module.dimensions.push_back(point);
      }
      module.hasDimensions = true;
      module.dimensionsLine = line;
    } else if (keyword == "ENDMODULE") {
      if (!expectWords(1, "ENDMODULE;")) return false;
      if (module.type.empty()) return fail(shown + " has no TYPE");
      inModule = false;
      if (module.type != "GENERAL") continue;
      if (!module.hasDimensions) return fail(shown + " has no DIMENSIONS");
      HardBlock block;
      std::string reason;
      if (!RectangleOfOutline(module.dimensions, &block.width, &block.height,
                              &reason)) {
        line = module.dimensionsLine;
        return fail(shown + " " + reason);
      }
      block.name = module.name;
      block.line = module.line;
      blocks->push_back(std::move(block));
    } else {
      const Section* opened = nullptr;
      for (const Section& candidate : kSections) {
        if (keyword == candidate.start) opened = &candidate;
      }
      if (opened == nullptr) {
        return fail(shown + ": the statement \"" +
                    PrintableName(statement.front().text) +
                    "\" is not understood");
      }
      if (!expectWords(1, (std::string(opened->start) + ";").c_str())) {
        return false;
      }
      section = opened;
      sectionLine = line;
    }
  }

  std::string shown = "module " + PrintableName(module.name);
  if (section != nullptr) {
    *error = {LastLine(text), shown + ": " + section->start + " (line " +
                                  std::to_string(sectionLine) +
                                  ") is not ended by " + section->end};
    return false;
  }
  if (inModule) {
    *error = {LastLine(text), shown + " (line " + std::to_string(module.line) +
                                  ") is not ended by ENDMODULE"};
    return false;
  }
  return true;
}
