#pragma once

#include <optional>
#include <string_view>

#include "import/text_encoding.h"

namespace import {

enum class TLineEnd { Lf, CrLf, Cr };

// How a delimited text file is written. Line ends of every kind are read
// whatever LineEnd says; it is what was found, for the user to see.
struct TDelimitedFormat {
  char Delimiter = ',';         // ',', ';', '\t', '|' or ' ' (runs of spaces count as one)
  char DecimalSeparator = '.';  // '.' or ','
  TTextEncoding Encoding = TTextEncoding::Utf8;
  TLineEnd LineEnd = TLineEnd::Lf;
};

// What the caller sets; anything left unset is detected.
struct TDelimitedChoices {
  std::optional<char> Delimiter;
  std::optional<char> DecimalSeparator;
  std::optional<bool> HasHeader;
  std::optional<TTextEncoding> Encoding;
};

// The delimiter, decimal separator, encoding and line end, judged from the
// first lines of `bytes` (the file as read) where `choices` leaves them
// open. The header is judged from the table once it is read (see
// LooksLikeHeader).
TDelimitedFormat DetectDelimitedFormat(std::string_view bytes, const TDelimitedChoices& choices = {});

// A cell's text as a number: "." or the given decimal separator, an
// exponent, blanks around. Infinities, NaN and thousands separators are not
// numbers.
std::optional<double> ParseCellNumber(std::string_view text, char decimalSeparator);

}  // namespace import
