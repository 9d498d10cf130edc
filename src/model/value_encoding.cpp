#include "model/value_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace model {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::optional<int32_t> ParseHexPattern(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return static_cast<int32_t>(value);
}

// The 15 significant digits of a positive value, rounded exactly like printf
// (to nearest, ties to even on the exact binary value), and the decimal
// exponent of the first digit.
struct FifteenDigits {
  uint64_t digits = 0;  // 10^14 <= digits < 10^15
  int exponent = 0;
};

constexpr uint64_t kPowersOfTen[20] = {1ull,
                                       10ull,
                                       100ull,
                                       1000ull,
                                       10000ull,
                                       100000ull,
                                       1000000ull,
                                       10000000ull,
                                       100000000ull,
                                       1000000000ull,
                                       10000000000ull,
                                       100000000000ull,
                                       1000000000000ull,
                                       10000000000000ull,
                                       100000000000000ull,
                                       1000000000000000ull,
                                       10000000000000000ull,
                                       100000000000000000ull,
                                       1000000000000000000ull,
                                       10000000000000000000ull};

__extension__ using Uint128 = unsigned __int128;  // a GCC/Clang extension

// Exact for 1e-5 <= magnitude < 1e15: magnitude = mantissa * 2^e with a
// 53-bit mantissa, and mantissa * 10^19 still fits in 128 bits.
std::optional<FifteenDigits> RoundToFifteenDigits(double magnitude) {
  // A positive normal double is (2^52 + fraction bits) * 2^(exponent bits - 1075).
  uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const uint64_t mantissa = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52);
  const int binaryExponent = int((bits >> 52) & 0x7FF) - 1022;  // as std::frexp gives it
  const int shift = 53 - binaryExponent;                        // magnitude = mantissa / 2^shift, shift > 0 in range
  // log10(2) * (binaryExponent - 1) estimates the decimal exponent to within
  // one; the loop below corrects it. In range the true exponent is -5 to 14.
  int exponent = std::clamp(static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120)), -5, 14);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int scale = 14 - exponent;
    if (scale < 0 || scale > 19 || shift <= 0 || shift >= 127) return std::nullopt;
    const Uint128 scaled = static_cast<Uint128>(mantissa) * kPowersOfTen[scale];
    Uint128 quotient = scaled >> shift;
    const Uint128 remainder = scaled - (quotient << shift);
    const Uint128 half = static_cast<Uint128>(1) << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
    if (quotient >= kPowersOfTen[15]) {
      ++exponent;
    } else if (quotient < kPowersOfTen[14]) {
      --exponent;
    } else {
      return FifteenDigits{static_cast<uint64_t>(quotient), exponent};
    }
  }
  return std::nullopt;
}

// Lays out the digits as "%g" does: scientific notation below 1e-4 or from
// 1e15 on, fixed otherwise; trailing zeros dropped.
char* WriteGeneralLayout(char* out, const FifteenDigits& value) {
  char digits[15];
  std::to_chars(digits, digits + 15, value.digits);  // exactly 15 digits: 10^14 <= digits < 10^15
  int count = 15;
  while (count > 1 && digits[count - 1] == '0') --count;
  const int exponent = value.exponent;
  if (exponent < -4 || exponent >= 15) {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      out = std::copy(digits + 1, digits + count, out);
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int absolute = std::abs(exponent);
    if (absolute < 10) *out++ = '0';
    return std::to_chars(out, out + 4, absolute).ptr;
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    return std::copy(digits, digits + count, out);
  }
  const int integerDigits = exponent + 1;
  for (int i = 0; i < integerDigits; ++i) *out++ = i < count ? digits[i] : '0';
  if (count > integerDigits) {
    *out++ = '.';
    out = std::copy(digits + integerDigits, digits + count, out);
  }
  return out;
}

char* FormatFloatSlowly(char* out, double value) {
  return std::to_chars(out, out + kMaxFloatLength, value, std::chars_format::general, 15).ptr;
}

}  // namespace

std::string FormatColor(uint32_t argb) { return FormatHex(argb, 8); }

std::string FormatHex(uint32_t value, int minDigits) {
  std::array<char, 16> digits{};
  auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16);
  std::string hex(digits.data(), end);
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (int(hex.size()) < minDigits) hex.insert(0, size_t(minDigits) - hex.size(), '0');
  return "$" + hex;
}

std::string FormatInteger(int64_t value) { return std::to_string(value); }

std::optional<int32_t> ParseInteger(std::string_view text) {
  text = TrimLeft(text);
  if (text.empty()) return std::nullopt;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') return ParseHexPattern(text.substr(1));
  if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHexPattern(text.substr(2));
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return std::nullopt;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatFloat(double value) {
  std::array<char, kMaxFloatLength> buffer{};
  return std::string(buffer.data(), FormatFloatTo(buffer.data(), value));
}

namespace {

// Values with at most six decimals (most typed or measured ones) print as
// their scaled integer. When magnitude * 10^6 comes out a whole number N,
// the double lies within 2^-53 * N of N / 10^6, well inside half a step of 15
// significant digits, so "%.15g" prints exactly N / 10^6.
char* FormatShortDecimal(char* out, bool negative, uint64_t scaled) {
  if (negative) *out++ = '-';
  out = std::to_chars(out, out + 20, scaled / 1000000).ptr;
  uint64_t fraction = scaled % 1000000;
  if (fraction == 0) return out;
  int digits = 6;
  while (fraction % 10 == 0) {
    fraction /= 10;
    --digits;
  }
  *out++ = '.';
  char* end = out + digits;
  for (char* p = end; p != out; fraction /= 10) *--p = char('0' + fraction % 10);
  return end;
}

}  // namespace

char* FormatFloatTo(char* out, double value) {
  const double magnitude = std::fabs(value);
  // From 1e-4 on "%g" uses fixed notation; below 1e9 the scaled value has at
  // most 15 digits.
  if (magnitude >= 1e-4 && magnitude < 1e9) {
    const double scaled = magnitude * 1e6;
    const auto whole = static_cast<uint64_t>(scaled);
    if (static_cast<double>(whole) == scaled) return FormatShortDecimal(out, std::signbit(value), whole);
  }
  if (value == 0.0 || !(magnitude >= 1e-5 && magnitude < 1e15)) return FormatFloatSlowly(out, value);
  const auto digits = RoundToFifteenDigits(magnitude);
  if (!digits) return FormatFloatSlowly(out, value);
  if (std::signbit(value)) *out++ = '-';
  return WriteGeneralLayout(out, *digits);
}

namespace {

// 10^0 to 10^22, all exact as doubles.
constexpr std::array<double, 23> kExactPowersOfTen = [] {
  std::array<double, 23> powers{};
  double power = 1.0;
  for (double& p : powers) {
    p = power;
    power *= 10.0;
  }
  return powers;
}();

// Decimals like "-0.25", "12" or "0.123456789012345", the form of almost
// every number of a document, without the general conversion: when the
// digits make an integer below 2^53 and there are at most 22 decimals, both
// that integer and the power of ten are exact doubles, so their quotient is
// the correctly rounded value, the one from_chars gives.
std::optional<double> ParsePlainDecimal(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  const char* point = nullptr;
  for (; p != end; ++p) {
    if (*p >= '0' && *p <= '9') {
      if (++digits > 19) return std::nullopt;
      mantissa = mantissa * 10 + uint64_t(*p - '0');
      if (point) ++decimals;
    } else if (*p == '.' && !point) {
      point = p;
    } else {
      return std::nullopt;
    }
  }
  const bool digitsAroundPoint = !point || (point != text.data() + negative && decimals > 0);
  if (digits == 0 || !digitsAroundPoint || mantissa > (uint64_t(1) << 53) || decimals > 22) return std::nullopt;
  const double value = double(mantissa) / kExactPowersOfTen[size_t(decimals)];
  return negative ? -value : value;
}

}  // namespace

std::optional<double> ParseFloat(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (const auto plain = ParsePlainDecimal(text)) return plain;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatBool(bool value) { return value ? "True" : "False"; }

std::optional<bool> ParseBool(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (EqualsIgnoringCase(trimmed, "True")) return true;
  if (EqualsIgnoringCase(trimmed, "False")) return false;
  if (const auto integer = ParseInteger(trimmed)) return *integer != 0;
  if (const auto number = ParseFloat(trimmed)) return *number != 0.0;
  return std::nullopt;
}

std::string FormatSet(uint32_t bits, std::span<const std::string_view> names) {
  std::string text = "[";
  bool first = true;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!(bits & (1u << i))) continue;
    if (!first) text += ',';
    text += names[i];
    first = false;
  }
  return text + "]";
}

std::optional<uint32_t> ParseSet(std::string_view text, std::span<const std::string_view> names) {
  text = TrimLeft(text);
  if (!text.empty() && text.front() == '[') text.remove_prefix(1);
  uint32_t bits = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == ',' || c == ']' || IsBlank(c) || c == '\r' || c == '\n') {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < text.size() && text[end] != ',' && text[end] != ']' && !IsBlank(text[end]) && text[end] != '\r' &&
           text[end] != '\n')
      ++end;
    const std::string_view name = text.substr(pos, end - pos);
    size_t member = 0;
    while (member < names.size() && !EqualsIgnoringCase(names[member], name)) ++member;
    if (member == names.size()) return std::nullopt;
    bits |= 1u << member;
    pos = end;
  }
  return bits;
}

}  // namespace model
