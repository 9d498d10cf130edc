#pragma once

#include <string>
#include <string_view>

namespace import {

enum class TTextEncoding { Utf8, Utf8WithBom, Latin1 };

// UTF-8 when it opens with the byte-order mark or all of it is valid UTF-8,
// otherwise Latin-1 (every byte is a character there).
TTextEncoding DetectEncoding(std::string_view bytes);
// Whether the bytes hold what no text file does: a NUL byte, or many control
// characters other than tab, line feed, form feed and carriage return. Only the
// first 64 KB are looked at.
bool LooksBinary(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// The text as UTF-8 without a byte-order mark. `storage` receives a converted
// copy when one is needed; the view returned points into `bytes` otherwise.
std::string_view TextAsUtf8(std::string_view bytes, TTextEncoding encoding, std::string& storage);

}  // namespace import
