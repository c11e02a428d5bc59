// Reads a postfix expression as Floorplan::Print writes it ("<1><2>V<3>H")
// back into a Floorplan. The text gives identifiers and cut types only; the
// caller's lookup gives each module's sides, and may refuse an identifier
// (unknown, or used too often).
#ifndef FLOORPLAN_MODEL_EXPRESSION_PARSER_H_
#define FLOORPLAN_MODEL_EXPRESSION_PARSER_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/floorplan.h"

// Called once per "<identifier>", in expression order. Sets the module's
// sides and returns true, or returns false with the reason it cannot be
// used, which the parser places after the module's text and position.
using ModuleLookup = std::function<bool(int32_t identifier, uint16_t* width,
                                        uint16_t* height, std::string* reason)>;

// The Floorplan of `text` (white space at its end ignored), or null with
// `error` saying what is wrong and at which character (counted from 1).
std::unique_ptr<Floorplan> ParseExpression(std::string_view text,
                                           const ModuleLookup& lookup,
                                           std::string* error);

#endif  // FLOORPLAN_MODEL_EXPRESSION_PARSER_H_
