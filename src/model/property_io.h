#pragma once

#include <QString>
#include <cstdint>
#include <pugixml.hpp>
#include <span>
#include <string_view>

// Reading and writing one simple property as a child element of a fragment.
// A reader returns true when the child exists and its text converted; on
// false the field is left as it was.
namespace model {

bool ReadInteger(pugi::xml_node node, const char* name, int32_t& field);
// An integer outside [min, max] counts as one that does not convert.
bool ReadInteger(pugi::xml_node node, const char* name, int32_t& field, int32_t min, int32_t max);
// Integers kept to their low 8 bits (enumerations stored as one byte).
bool ReadByte(pugi::xml_node node, const char* name, uint8_t& field);
bool ReadColor(pugi::xml_node node, const char* name, uint32_t& field);
bool ReadFloat(pugi::xml_node node, const char* name, double& field);
// A value beyond a float's range counts as one that does not convert.
bool ReadFloat(pugi::xml_node node, const char* name, float& field);
bool ReadBool(pugi::xml_node node, const char* name, bool& field);
bool ReadText(pugi::xml_node node, const char* name, QString& field);
bool ReadSet(pugi::xml_node node, const char* name, std::span<const std::string_view> names, uint32_t& field);

void WriteInteger(pugi::xml_node node, const char* name, int64_t value);
void WriteColor(pugi::xml_node node, const char* name, uint32_t argb);
void WriteFloat(pugi::xml_node node, const char* name, double value);
void WriteBool(pugi::xml_node node, const char* name, bool value);
void WriteText(pugi::xml_node node, const char* name, const QString& text);
void WriteSet(pugi::xml_node node, const char* name, std::span<const std::string_view> names, uint32_t bits);

}  // namespace model
