#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/preread_entries.h"

namespace control {

// A document's text with the entries of its point lists cut out and read:
// a list of a million points is then parsed without a node per point. Only
// lists written the plain way are cut: an element <Items> holding nothing
// but entries <TP>text</TP> or <TC>text</TC> and blanks, or an element
// <Values> holding nothing but entries <V>text</V> (or empty ones), each text of
// printable ASCII without "&" or "<", which every XML parser reads as it
// stands. Everything else stays in the remaining text for the parser.
struct TPrereadText {
  // The text without the contents of the cut elements.
  std::string Rest;
  // For each cut element, the offset in Rest of the "<" of its start tag,
  // and its entries.
  std::vector<size_t> CutOffsets;
  std::vector<model::TPrereadEntries::TSet> Sets;
};

// Markup is read as the parser reads it (see model::TMarkupCursor).
// Nothing when no list could be cut, or when the text holds what is left to
// the parser alone (a document type declaration, markup the text ends
// inside, a text other than UTF-8): the parser then reads the whole text.
// `consumed(offset)` is called now and then with an offset before which the
// text is not read again, so that the caller may release it; once it has
// been called, a result of nothing means that the text must be read again
// for the parser.
std::optional<TPrereadText> PrereadEntries(std::string_view text, const std::function<void(size_t)>& consumed = {});

}  // namespace control
