#include "control/document_preread.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "control/xml_well_formed.h"
#include "model/markup_cursor.h"
#include "model/memory_advice.h"
#include "model/ternary_lists.h"
#include "model/value_encoding.h"

namespace control {

namespace {

constexpr char kItemsStart[] = "<Items>";
constexpr size_t kItemsStartLength = sizeof kItemsStart - 1;
constexpr char kItemsEnd[] = "</Items>";
constexpr size_t kItemsEndLength = sizeof kItemsEnd - 1;
constexpr char kValuesStart[] = "<Values>";
constexpr size_t kValuesStartLength = sizeof kValuesStart - 1;
constexpr char kValuesEnd[] = "</Values>";
constexpr size_t kValuesEndLength = sizeof kValuesEnd - 1;
// The text is released to the caller in steps of this size.
constexpr size_t kReleaseStep = size_t(8) << 20;
// The length of a list's entries is estimated from this many.
constexpr size_t kSampleEntries = 1024;

// With the length known at compile time the comparison is inlined: it runs
// several times for each of a million entries.
template <size_t N>
bool StartsWith(std::string_view text, size_t at, const char (&prefix)[N]) {
  return text.size() - at >= N - 1 && std::memcmp(text.data() + at, prefix, N - 1) == 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// What an entry's text may hold to be read without the parser: the parser
// changes nothing in it (no reference, no carriage return to normalise, no
// encoding to convert) and it cannot end early.
constexpr std::array<bool, 256> kPlainEntryBytes = [] {
  std::array<bool, 256> table{};
  for (int c = 0x20; c < 0x7F; ++c) table[size_t(c)] = c != '<' && c != '&';
  table['\t'] = table['\n'] = true;
  return table;
}();

class TScanner {
 public:
  TScanner(std::string_view text, const std::function<void(size_t)>& consumed) : m_text(text), m_consumed(consumed) {}

  std::optional<TPrereadText> Run() {
    while (const std::optional<model::TMarkup> markup = m_cursor.Next()) {
      // A document type may declare anything: the parser alone reads it.
      if (markup->End == std::string_view::npos || markup->Kind == model::TMarkupKind::DocumentType)
        return std::nullopt;
      if (markup->End - markup->Begin == kItemsStartLength && StartsWith(m_text, markup->Begin, kItemsStart)) {
        const auto read = [this](size_t at, model::TPrereadEntries::TSet& set) { return ReadItemEntry(at, set); };
        if (CutList(markup->End, kItemsEnd, kItemsStartLength, read)) m_cursor.MoveTo(m_copiedUpTo + kItemsEndLength);
        if (m_lostText) return std::nullopt;
      } else if (markup->End - markup->Begin == kValuesStartLength && StartsWith(m_text, markup->Begin, kValuesStart)) {
        const auto read = [this](size_t at, model::TPrereadEntries::TSet& set) { return ReadValueEntry(at, set); };
        if (CutList(markup->End, kValuesEnd, kValuesStartLength, read))
          m_cursor.MoveTo(m_copiedUpTo + kValuesEndLength);
        if (m_lostText) return std::nullopt;
      }
      // Text not yet copied to Rest is still needed.
      Release(m_copiedUpTo);
    }
    if (m_result.Sets.empty()) return std::nullopt;
    m_result.Rest.append(m_text.substr(m_copiedUpTo));
    return std::move(m_result);
  }

 private:
  // Reads the entries of the element whose content starts at `start`; when
  // it holds nothing else, its content is cut out of the text. Either way
  // the text up to `start` goes to Rest. `readEntry(at, set)` reads the
  // entry at `at` into `set` and returns the offset after it, or npos when
  // none begins there.
  template <size_t N, typename ReadEntry>
  bool CutList(size_t start, const char (&endTag)[N], size_t startTagLength, ReadEntry readEntry) {
    m_result.Rest.append(m_text.substr(m_copiedUpTo, start - m_copiedUpTo));
    m_copiedUpTo = start;
    model::TPrereadEntries::TSet set;
    size_t at = start;
    size_t releasedBefore = m_released;
    // Content released while reading it is gone: were it not entries after
    // all, the parser would have to read the whole text again.
    auto fail = [&] {
      m_lostText = m_released != releasedBefore;
      return false;
    };
    size_t entries = 0;
    for (;;) {
      while (at < m_text.size() && IsBlank(m_text[at])) ++at;
      if (StartsWith(m_text, at, endTag)) break;
      at = readEntry(at, set);
      if (at == std::string_view::npos) return fail();
      ++entries;
      if (entries == kSampleEntries) Reserve(set, start, at);
      if ((entries & 0xFFFF) == 0) Release(at);
    }
    if (entries == 0) return fail();  // blanks only: nothing to gain
    // A list that ended well before the estimate would keep the room it did not use.
    if (set.Points.capacity() > 2 * set.Points.size()) set.Points.shrink_to_fit();
    if (set.Couples.capacity() > 2 * set.Couples.size()) set.Couples.shrink_to_fit();
    if (set.Values.capacity() > 2 * set.Values.size()) set.Values.shrink_to_fit();
    m_result.CutOffsets.push_back(m_result.Rest.size() - startTagLength);
    m_result.Sets.push_back(std::move(set));
    m_copiedUpTo = at;
    return true;
  }

  // An entry <TP>text</TP> or <TC>text</TC> of a list "Items".
  size_t ReadItemEntry(size_t at, model::TPrereadEntries::TSet& set) const {
    const bool point = StartsWith(m_text, at, "<TP>");
    if (!point && !StartsWith(m_text, at, "<TC>")) return std::string_view::npos;
    const size_t textStart = at + 4;
    at = EndOfPlainText(textStart);
    if (!StartsWith(m_text, at, point ? "</TP>" : "</TC>")) return std::string_view::npos;
    const std::string_view text = m_text.substr(textStart, at - textStart);
    if (point) {
      TTernaryPoint item;
      if (TTernaryPointList::ReadEntry(text, item)) set.Points.push_back(item);
    } else {
      TTernaryCouple item;
      if (TTernaryCoupleList::ReadEntry(text, item)) set.Couples.push_back(item);
    }
    return at + 5;
  }

  // An entry <V>number</V> of a list "Values", or an empty one: <V></V>,
  // <V/> or <V />. What does not convert is no value, as the list reads it.
  size_t ReadValueEntry(size_t at, model::TPrereadEntries::TSet& set) const {
    static constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
    if (!StartsWith(m_text, at, "<V>")) {
      const size_t length = StartsWith(m_text, at, "<V/>") ? 4 : StartsWith(m_text, at, "<V />") ? 5 : 0;
      if (length == 0) return std::string_view::npos;
      set.Values.push_back(kNoValue);
      return at + length;
    }
    const size_t textStart = at + 3;
    at = EndOfPlainText(textStart);
    if (!StartsWith(m_text, at, "</V>")) return std::string_view::npos;
    set.Values.push_back(model::ParseFloat(m_text.substr(textStart, at - textStart)).value_or(kNoValue));
    return at + 4;
  }

  // The first byte from `at` on that an entry's text may not hold, passing
  // plain bytes eight at a time.
  size_t EndOfPlainText(size_t at) const {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    auto hasByte = [](uint64_t word, uint64_t byte) {
      const uint64_t x = word ^ (kOnes * byte);
      return ((x - kOnes) & ~x & kHigh) != 0;
    };
    while (m_text.size() - at >= 8) {
      uint64_t word;
      std::memcpy(&word, m_text.data() + at, 8);
      // Bytes below 0x20 or from 0x7F on, "<" and "&" stop the fast step.
      // Carries between bytes can only stop it early, never miss a byte.
      const uint64_t special = (word | (word - kOnes * 0x20) | (word + kOnes * 0x01)) & kHigh;
      if (special || hasByte(word, '<') || hasByte(word, '&')) break;
      at += 8;
    }
    while (at < m_text.size() && kPlainEntryBytes[static_cast<unsigned char>(m_text[at])]) ++at;
    return at;
  }

  // Room for the entries the rest of the text would hold at the length of
  // the first ones, so that a long list does not move (and briefly take
  // twice its memory) while it grows.
  template <typename TItem>
  static void Reserve(std::vector<TItem>& items, size_t count) {
    if (count <= items.capacity()) return;
    try {
      items.reserve(count);
      model::AdviseLargeBuffer(items.data(), count * sizeof(TItem));
    } catch (const std::bad_alloc&) {
      // The list grows step by step instead.
    }
  }

  void Reserve(model::TPrereadEntries::TSet& set, size_t start, size_t at) const {
    const double averageLength = double(at - start) / double(kSampleEntries);
    const double expected = double(m_text.size() - at) / averageLength * 1.25 + double(kSampleEntries);
    const auto count = size_t(std::min(expected, double(TTernaryPointList::kMaxCount)));
    if (!set.Values.empty())
      Reserve(set.Values, count);
    else if (set.Points.size() >= set.Couples.size())
      Reserve(set.Points, count);
    else
      Reserve(set.Couples, count);
  }

  void Release(size_t upTo) {
    if (!m_consumed || upTo < m_released + kReleaseStep) return;
    m_released = upTo;
    m_consumed(upTo);
  }

  std::string_view m_text;
  const std::function<void(size_t)>& m_consumed;
  model::TMarkupCursor m_cursor{m_text};
  size_t m_copiedUpTo = 0;
  size_t m_released = 0;
  bool m_lostText = false;
  TPrereadText m_result;
};

}  // namespace

std::optional<TPrereadText> PrereadEntries(std::string_view text, const std::function<void(size_t)>& consumed) {
  if (!IsUtf8Text(text)) return std::nullopt;
  return TScanner(text, consumed).Run();
}

}  // namespace control
