// Text-to-number conversions. Those of the data file and the command line
// read the longest leading number of a text and never fail: text without one
// converts to zero. The benchmark files' readers take whole tokens instead.
#ifndef FLOORPLAN_IO_NUMBER_TEXT_H_
#define FLOORPLAN_IO_NUMBER_TEXT_H_

#include <cstdint>
#include <string_view>

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

// A whole token that is a decimal integer: an optional sign and digits,
// nothing else (no spaces), within `limit` in magnitude. `limit` is at most
// 10^17, so that no digit can overflow the check.
bool ParseWholeInteger(std::string_view text, int64_t limit, int64_t* value);

#endif  // FLOORPLAN_IO_NUMBER_TEXT_H_
