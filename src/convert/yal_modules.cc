#include "convert/yal_modules.h"

#include <cctype>
#include <string>
#include <utility>

#include "io/input_format.h"
#include "convert/outline.h"
#include "io/leading_matter.h"

namespace {

struct Word {
  std::string_view text;
  uint64_t line = 0;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' ||
         c == '\v';
}

// Walks a YAL text one word or ';' at a time, past blanks and comments. It
// keeps nothing but its place, so that reading a file takes memory for the
// blocks only, not for its words.
class WordCursor {
 public:
  enum Token { kWord, kSemicolon, kEnd };

  WordCursor(std::string_view text, size_t at, uint64_t line)
      : text_(text), at_(at), line_(line) {}

  // The next token, a word's text and line in *word. False, with the line,
  // for a comment that is never closed.
  bool Next(Token* token, Word* word, InputError* error) {
    while (at_ < text_.size()) {
      char c = text_[at_];
      if (c == '\n') {
        ++line_;
        ++at_;
      } else if (IsSpace(c)) {
        ++at_;
      } else if (c == ';') {
        ++at_;
        *token = kSemicolon;
        return true;
      } else if (text_.compare(at_, 2, "/*") == 0) {
        size_t end = text_.find("*/", at_ + 2);
        if (end == std::string_view::npos) {
          *error = {line_, "a comment that is never closed"};
          return false;
        }
        for (size_t k = at_; k < end; ++k) line_ += text_[k] == '\n';
        at_ = end + 2;
      } else {
        size_t end = at_;
        while (end < text_.size() && !IsSpace(text_[end]) &&
               text_[end] != ';' && text_.compare(end, 2, "/*") != 0) {
          ++end;
        }
        *word = {text_.substr(at_, end - at_), line_};
        at_ = end;
        *token = kWord;
        return true;
      }
    }
    *token = kEnd;
    return true;
  }

 private:
  std::string_view text_;
  size_t at_;
  uint64_t line_;
};

// One statement: the words before a ';'. Only the first few are kept (no
// statement but DIMENSIONS, which is read on its own, needs more); `size`
// counts them all.
struct Statement {
  static constexpr size_t kKept = 3;
  Word words[kKept];
  size_t size = 0;
};

// Reads the rest of a statement whose first word is `first`, up to and past
// its ';'. False for a comment never closed or a statement the file ends in.
bool ReadStatement(WordCursor* cursor, const Word& first, Statement* statement,
                   InputError* error) {
  statement->words[0] = first;
  statement->size = 1;
  for (;;) {
    WordCursor::Token token;
    Word word;
    if (!cursor->Next(&token, &word, error)) return false;
    if (token == WordCursor::kSemicolon) return true;
    if (token == WordCursor::kEnd) {
      *error = {first.line, "the statement \"" + PrintableName(first.text) +
                                "\" is not ended by ';'"};
      return false;
    }
    if (statement->size < Statement::kKept) {
      statement->words[statement->size] = word;
    }
    ++statement->size;
  }
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

// Reads the coordinates of a DIMENSIONS statement, up to and past its ';',
// into `module`. The reasons are those of a statement read whole: an odd
// number of coordinates before any word that is not one.
bool ReadDimensions(WordCursor* cursor, const Word& keyword, OpenModule* module,
                    InputError* error) {
  std::string shown = "module " + PrintableName(module->name);
  if (module->hasDimensions) {
    *error = {keyword.line, shown + ": a second DIMENSIONS"};
    return false;
  }
  size_t count = 0;
  Word unfit;  // the first word that is no coordinate
  OutlinePoint point;
  for (;;) {
    WordCursor::Token token;
    Word word;
    if (!cursor->Next(&token, &word, error)) return false;
    if (token == WordCursor::kSemicolon) break;
    if (token == WordCursor::kEnd) {
      *error = {keyword.line, "the statement \"" + PrintableName(keyword.text) +
                                  "\" is not ended by ';'"};
      return false;
    }
    if (count == 2 * static_cast<size_t>(kCornerLimit)) {
      *error = {keyword.line, shown + ": DIMENSIONS holds more than " +
                                  std::to_string(kCornerLimit) + " corners"};
      return false;
    }
    int64_t* value = count % 2 == 0 ? &point.x : &point.y;
    if (unfit.line == 0 && !ParseCoordinate(word.text, value)) unfit = word;
    if (unfit.line == 0 && count % 2 == 1) {
      module->dimensions.push_back(point);
    }
    ++count;
  }
  if (count % 2 == 1) {
    *error = {keyword.line,
              shown + ": DIMENSIONS holds an odd number of coordinates"};
    return false;
  }
  if (unfit.line != 0) {
    *error = {unfit.line, shown + ": \"" + PrintableName(unfit.text) +
                              "\" in DIMENSIONS is not an integer coordinate"};
    return false;
  }
  module->hasDimensions = true;
  module->dimensionsLine = keyword.line;
  return true;
}

}  // namespace

bool ReadYalModules(std::string_view text, std::vector<HardBlock>* blocks,
                    InputError* error) {
  blocks->clear();
  size_t start = 0;
  uint64_t startLine = 1;
  if (!SkipLeadingMatter(text, &start, &startLine, error)) return false;
  WordCursor cursor(text, start, startLine);

  bool inModule = false;
  OpenModule module;
  const Section* section = nullptr;  // the section being skipped, if any
  uint64_t sectionLine = 0;
  for (;;) {
    WordCursor::Token token;
    Word first;
    if (!cursor.Next(&token, &first, error)) return false;
    if (token == WordCursor::kEnd) break;
    if (token == WordCursor::kSemicolon) continue;  // an empty statement

    uint64_t line = first.line;
    std::string keyword = Upper(first.text);
    std::string shown = "module " + PrintableName(module.name);
    auto fail = [&](std::string reason) {
      *error = {line, std::move(reason)};
      return false;
    };
    if (inModule && section == nullptr && keyword == "DIMENSIONS") {
      if (!ReadDimensions(&cursor, first, &module, error)) return false;
      continue;
    }
    Statement statement;
    if (!ReadStatement(&cursor, first, &statement, error)) return false;
    auto expectWords = [&](size_t count, const char* form) {
      if (statement.size == count) return true;
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
                    PrintableName(statement.words[0].text) + "\"");
      }
      if (!expectWords(2, "MODULE name;")) return false;
      module = OpenModule();
      module.name = std::string(statement.words[1].text);
      module.line = line;
      inModule = true;
      continue;
    }

    if (keyword == "MODULE") {
      return fail(shown + " is not ended by ENDMODULE before the next MODULE");
    } else if (keyword == "TYPE") {
      if (!expectWords(2, "TYPE type;")) return false;
      if (!module.type.empty()) return fail(shown + ": a second TYPE");
      module.type = Upper(statement.words[1].text);
      if (module.type != "GENERAL" && module.type != "PAD" &&
          module.type != "PARENT") {
        return fail(shown + ": the type " +
                    PrintableName(statement.words[1].text) +
                    " is not understood (GENERAL, PAD and PARENT are)");
      }
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
      if (blocks->size() == kBlockLimit) {
        line = module.line;
        return fail(shown + ": more than " + std::to_string(kBlockLimit) +
                    " blocks");
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
                    PrintableName(statement.words[0].text) +
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
