// Number text, independent of the process locale.
//
// Settings files and the windows read numbers the forgiving way: leading white space is skipped,
// a number is read up to the first character that cannot continue it, and text without a number
// reads as zero.
#pragma once

#include <string>
#include <string_view>

// White space skipped, optional sign, decimal digits up to the first other character; 0 when there
// are none. Overflow wraps around in 32 bits without complaint.
int TextToInt(std::string_view text);

// White space skipped, then the longest prefix of [sign] digits [. digits] [(e|E) [sign] digits];
// 0.0 when there is none.
double ParseFloatPrefix(std::string_view text);

// At most the first 127 characters count; a "," standing before any "." is read as "."; then
// ParseFloatPrefix.
double TextToFloat(std::string_view text);

// Decimal text of the value, like "%d".
std::string IntToText(int value);

// Exactly what "%f" prints in the C locale: "2.500000", "-0.000000", "inf", "nan".
std::string FormatFloatFixed(double value, int decimals = 6);

// The last `digits` upper-case hexadecimal digits of the value, with leading zeros: "0A", "012F".
std::string HexText(unsigned value, int digits);
