// Turns the final solution of a log ("<1><2>V<3>H") back into a Floorplan
// over the modules of a data file. Each "<id>" takes the next unused module
// of the data file with that identifier, so that every module of the file is
// used exactly once.
#ifndef FLOORPLAN_REPORT_EXPRESSION_MATCH_H_
#define FLOORPLAN_REPORT_EXPRESSION_MATCH_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/data_file.h"
#include "model/floorplan.h"

// False, with a message naming `path` and the line, when one identifier is
// given to modules of different sizes, which an expression could not tell
// apart.
bool CheckIdentifiers(const std::vector<DataModule>& modules,
                      const std::string& path, std::string* error);

// On success `floorplan` holds the expression's tree and `dataIndex[k]` is
// the index in the data modules of the k-th module of the expression;
// otherwise `floorplan` is null and `error` says what is wrong (an unknown
// identifier, a module used twice, a count that differs from the file's, a
// character or a cut out of place), naming the character where it is.
// `dataName` is how the messages call the data file.
struct ExpressionMatch {
  std::unique_ptr<Floorplan> floorplan;
  std::vector<size_t> dataIndex;
  std::string error;
};

ExpressionMatch MatchExpression(std::string_view text,
                                const std::vector<DataModule>& modules,
                                std::string_view dataName);

#endif  // FLOORPLAN_REPORT_EXPRESSION_MATCH_H_
