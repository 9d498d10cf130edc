#include "model/value_encoding.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

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
  std::array<char, 64> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
  return std::string(buffer.data(), end);
}

std::optional<double> ParseFloat(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
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
