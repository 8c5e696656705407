#pragma once

// Number text primitives shared by the XML text forms and the locale conversions.

#include <cstdint>
#include <string>
#include <string_view>

namespace xmldom {

// Decimal digits with a leading "-" when negative.
std::string IntegerToText(std::int64_t number);

// The general float form with up to 15 significant digits and the given decimal mark.
std::string FormatGeneralFloat(double number, char decimalMark);

// Reads a float in the runtime's syntax: blanks around, an optional sign, digits with at most
// one decimalMark (at least one digit), an optional exponent ("E" or "e", optional sign,
// digits). False for anything else and for values beyond the double range.
bool ParseFloatText(std::string_view text, char decimalMark, double& number);

// Reads the runtime's integer syntax: blanks before, an optional sign, then decimal digits or
// "$" and hexadecimal digits (up to 32 bits, two's complement). False otherwise.
bool ParseIntegerText(std::string_view text, std::int32_t& number);

}  // namespace xmldom
