#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Encodings of property values in documents. Every conversion is independent
// of the process locale: numbers always carry "." as decimal separator.
namespace model {

// "$" and 8 upper-case hexadecimal digits of a 32-bit ARGB value.
std::string FormatColor(uint32_t argb);
// "$" and at least `minDigits` upper-case hexadecimal digits.
std::string FormatHex(uint32_t value, int minDigits);
std::string FormatInteger(int64_t value);

// Leading spaces skipped; an optional sign and decimal digits within the
// signed 32-bit range, or "$", "x" or "0x" and up to 8 hexadecimal digits
// taken as a 32-bit pattern ("$FFFFFFFF" is -1). Anything else fails.
std::optional<int32_t> ParseInteger(std::string_view text);

// General format with at most 15 significant digits, exactly as "%.15g"
// prints it in the C locale.
std::string FormatFloat(double value);
// The same into `out`, which must hold kMaxFloatLength characters; returns
// the end of the text. Fast enough for documents of millions of numbers.
constexpr size_t kMaxFloatLength = 32;
char* FormatFloatTo(char* out, double value);
// Decimal conversion with "." only: "1,5" fails. Blanks around the number are
// allowed; infinities and NaN are refused.
std::optional<double> ParseFloat(std::string_view text);

std::string FormatBool(bool value);  // "True" / "False"
// "True" or "False" in any letter case, or a number (0 is false).
std::optional<bool> ParseBool(std::string_view text);

// A set of enumeration members as bits (bit i = member i), written like
// "[fsBold,fsItalic]"; read case-insensitively with commas, spaces or "]" as
// separators and an optional leading "["; an unknown name fails.
std::string FormatSet(uint32_t bits, std::span<const std::string_view> names);
std::optional<uint32_t> ParseSet(std::string_view text, std::span<const std::string_view> names);

}  // namespace model
