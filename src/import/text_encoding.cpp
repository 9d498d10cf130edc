#include "import/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace import {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr size_t kBinarySample = 64 * 1024;

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not a
// valid one (overlong forms, surrogates and values past U+10FFFF included).
size_t SequenceLength(const unsigned char* p, size_t left) {
  const unsigned char lead = p[0];
  size_t length = 0;
  uint32_t minimum = 0;
  uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, value = lead & 0x07u;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    value = (value << 6) | (p[i] & 0x3Fu);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  return value >= minimum && value <= 0x10FFFF && !surrogate ? length : 0;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* const end = p + bytes.size();
  while (p != end) {
    // Eight ASCII bytes at a time: no byte has its high bit set.
    if (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        p += 8;
        continue;
      }
    }
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const size_t length = SequenceLength(p, size_t(end - p));
    if (length == 0) return false;
    p += length;
  }
  return true;
}

TTextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kBom)) return TTextEncoding::Utf8WithBom;
  return IsValidUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::Latin1;
}

bool LooksBinary(std::string_view bytes) {
  const std::string_view sample = bytes.substr(0, kBinarySample);
  if (sample.find('\0') != std::string_view::npos) return true;
  const auto controls = std::count_if(sample.begin(), sample.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f';
  });
  // A stray control character is a typing accident; one in a hundred is not text.
  return controls * 100 > std::ptrdiff_t(sample.size());
}

std::string_view TextAsUtf8(std::string_view bytes, TTextEncoding encoding, std::string& storage) {
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  if (encoding != TTextEncoding::Latin1) return bytes;
  storage.clear();
  storage.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      storage.push_back(c);
    } else {
      storage.push_back(char(0xC0 | (byte >> 6)));
      storage.push_back(char(0x80 | (byte & 0x3F)));
    }
  }
  return storage;
}

}  // namespace import
