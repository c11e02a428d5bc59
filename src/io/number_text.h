// Text-to-number conversions of the data file and the command line. Both read
// the longest leading number of a text and never fail: text without one
// converts to zero.
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

#endif  // FLOORPLAN_IO_NUMBER_TEXT_H_
