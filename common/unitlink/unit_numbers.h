#pragma once

// Numbers in the texts exchanged with the unit. The unit always writes a decimal point and plain
// ASCII, whatever the PC's locale, so none of this goes through the C library's locale-dependent
// conversions (scanf's %f, printf's %f, strtod, strftime's %p).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmar::unitlink {

// Skips blanks (space, tab, CR, LF, VT, FF), then takes one run of other characters; `text`
// moves past it. Empty when nothing but blanks is left.
std::string_view takeWord(std::string_view& text);

// Skips blanks, then takes a decimal number with an optional sign and fraction ("2.20", "-1",
// ".5"); `text` moves past it and is left alone when there is no number.
std::optional<double> takeDecimal(std::string_view& text);

// Skips blanks, then takes hexadecimal digits (an optional "0x" first) that fit 32 bits; `text`
// moves past them and is left alone when there are none or too many.
std::optional<uint32_t> takeHex(std::string_view& text);

// The value with two decimals and a point: "2.20".
std::string fixedTwoDecimals(double value);

}  // namespace velmar::unitlink
