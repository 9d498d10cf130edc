#include "model/property_io.h"

#include <cmath>
#include <limits>

#include "model/value_encoding.h"
#include "model/xml_document.h"

namespace model {

namespace {

// Converts the child's text with `parse` and stores the result in `field`.
template <typename Field, typename Parse>
bool ReadWith(pugi::xml_node node, const char* name, Field& field, Parse parse) {
  const auto text = ChildText(node, name);
  if (!text) return false;
  const auto value = parse(*text);
  if (!value) return false;
  field = static_cast<Field>(*value);
  return true;
}

}  // namespace

bool ReadInteger(pugi::xml_node node, const char* name, int32_t& field) {
  return ReadWith(node, name, field, ParseInteger);
}

bool ReadInteger(pugi::xml_node node, const char* name, int32_t& field, int32_t min, int32_t max) {
  return ReadWith(node, name, field, [min, max](std::string_view text) -> std::optional<int32_t> {
    const auto value = ParseInteger(text);
    if (!value || *value < min || *value > max) return std::nullopt;
    return value;
  });
}

bool ReadByte(pugi::xml_node node, const char* name, uint8_t& field) {
  return ReadWith(node, name, field, [](std::string_view text) -> std::optional<uint8_t> {
    const auto value = ParseInteger(text);
    if (!value) return std::nullopt;
    return static_cast<uint8_t>(static_cast<uint32_t>(*value) & 0xFF);
  });
}

bool ReadColor(pugi::xml_node node, const char* name, uint32_t& field) {
  return ReadWith(node, name, field, [](std::string_view text) -> std::optional<uint32_t> {
    const auto value = ParseInteger(text);
    if (!value) return std::nullopt;
    return static_cast<uint32_t>(*value);
  });
}

bool ReadFloat(pugi::xml_node node, const char* name, double& field) { return ReadWith(node, name, field, ParseFloat); }

bool ReadFloat(pugi::xml_node node, const char* name, float& field) {
  return ReadWith(node, name, field, [](std::string_view text) -> std::optional<double> {
    const auto value = ParseFloat(text);
    // Narrowing a value beyond the range would be undefined.
    if (!value || !(std::abs(*value) <= double(std::numeric_limits<float>::max()))) return std::nullopt;
    return value;
  });
}

bool ReadBool(pugi::xml_node node, const char* name, bool& field) { return ReadWith(node, name, field, ParseBool); }

bool ReadText(pugi::xml_node node, const char* name, QString& field) {
  const auto text = ChildQString(node, name);
  if (!text) return false;
  field = *text;
  return true;
}

bool ReadSet(pugi::xml_node node, const char* name, std::span<const std::string_view> names, uint32_t& field) {
  return ReadWith(node, name, field, [names](std::string_view text) { return ParseSet(text, names); });
}

void WriteInteger(pugi::xml_node node, const char* name, int64_t value) {
  AppendTextElement(node, name, FormatInteger(value));
}

void WriteColor(pugi::xml_node node, const char* name, uint32_t argb) {
  AppendTextElement(node, name, FormatColor(argb));
}

void WriteFloat(pugi::xml_node node, const char* name, double value) {
  AppendTextElement(node, name, FormatFloat(value));
}

void WriteBool(pugi::xml_node node, const char* name, bool value) { AppendTextElement(node, name, FormatBool(value)); }

void WriteText(pugi::xml_node node, const char* name, const QString& text) { AppendTextElement(node, name, text); }

void WriteSet(pugi::xml_node node, const char* name, std::span<const std::string_view> names, uint32_t bits) {
  AppendTextElement(node, name, FormatSet(bits, names));
}

}  // namespace model
