// Strict conversions of texts typed by people or read from files: the whole text must convert.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::text {

// Optional sign and decimal digits, nothing else, within 32 bits; otherwise nullopt.
std::optional<int> ParseInt(std::string_view text);
int ParseIntOr(std::string_view text, int fallback);

// A decimal number with "." as the separator in every locale (an exponent is accepted); the
// whole text must convert to a finite value.
std::optional<double> ParseDouble(std::string_view text);

// Hexadecimal digits (no prefix, no sign), at most 32 bits; otherwise nullopt.
std::optional<uint32_t> ParseHex32(std::string_view text);

// Shortest decimal text that reads back as the same value (std::to_chars without precision).
std::string ShortestText(double value);
std::string ShortestText(float value);

} // namespace quorvane::text
