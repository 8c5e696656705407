#pragma once

// The "same value" test of the child searches by attribute (FindChildByAttr and
// FindChildrenByAttr): how an attribute's value is compared with the value searched for.

#include "XmlDom/XmlValue.h"

namespace xmldom {

// True when both are empty, or both null, or neither is empty or null and they are equal:
//   - two texts (byte or wide strings) byte for byte, letter case mattering;
//   - two numbers (integers, floats, currency, date-times, booleans) numerically, true being -1;
//   - a text and a number: the text read as a number in the locale's syntax; a boolean compares
//     with the truth the text stands for ("true", "0", ...);
//   - two byte arrays byte for byte.
// A comparison that cannot be made (a text that is no number, a byte array against anything
// else) is false, never an error.
bool XmlSameValue(const XmlValue& a, const XmlValue& b) noexcept;

}  // namespace xmldom
