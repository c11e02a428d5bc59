// Text-to-number conversions, of two kinds:
// - floorplan's own, for its data file and command line: they read the
//   longest leading number of a text and never fail, text without one
//   converting to zero;
// - the strict ones every other reader uses (the companions' options, the
//   log's costs, the benchmark files' numbers): the whole text must be the
//   number, within a limit, or the conversion fails.
#ifndef FLOORPLAN_IO_NUMBER_TEXT_H_
#define FLOORPLAN_IO_NUMBER_TEXT_H_

#include <cstdint>
#include <string_view>

#include "model/area.h"

// Skips leading whitespace (space, \t, \n, \v, \f, \r), takes an optional
// sign and the digits that follow. There is no range check: the value wraps
// modulo 2^32, and a negative number gives its two's complement.
uint32_t ParseLeadingInteger(std::string_view text);

// Skips leading whitespace and reads the longest leading decimal number: an
// optional sign, digits with an optional point, and an optional exponent
// introduced by e, E, d or D. Text without one gives 0.0; a number beyond the
// range of double gives plus or minus infinity. There are no infinity,
// not-a-number or hexadecimal forms.
double ParseDecimal(std::string_view text);

// The whole of `text` as decimal digits (no sign, no space) of a number from
// 0 to `limit`.
bool ParseWholeNumber(std::string_view text, uint64_t limit, uint64_t* value);

// The whole of `text` as an optional sign ('+' or '-') and the digits of a
// number of magnitude at most `limit`.
bool ParseSignedWholeNumber(std::string_view text, uint64_t limit,
                            int64_t* value);

// The whole of `text` as an area: optional '-', then digits, within the
// 128-bit range.
bool ParseArea(std::string_view text, Area* area);

// The whole of `text` as a finite, non-negative decimal number: digits with
// an optional point and fraction (at least one digit in all), and an
// optional exponent introduced by e or E. No sign, no space, no infinity,
// not-a-number or hexadecimal forms.
bool ParseDecimalNumber(std::string_view text, double* value);

#endif  // FLOORPLAN_IO_NUMBER_TEXT_H_
