#include "model/ternary_lists.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

#include "model/field_splitter.h"
#include "model/value_encoding.h"

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Values of an item in document order: A, B, C (then A, B, C of the second point).
std::array<double, 3> ValuesOf(const TTernaryPoint& p) { return {p.A, p.B, p.C}; }
std::array<double, 6> ValuesOf(const TTernaryCouple& c) { return {c.P1.A, c.P1.B, c.P1.C, c.P2.A, c.P2.B, c.P2.C}; }

void FromValues(const double* v, TTernaryPoint& p) { p = {v[0], v[1], v[2]}; }
void FromValues(const double* v, TTernaryCouple& c) { c = {{v[0], v[1], v[2]}, {v[3], v[4], v[5]}}; }

// The text of an entry: the values separated by semicolons.
template <typename TItem>
char* FormatEntry(char* out, const TItem& item) {
  char* end = out;
  for (const double value : ValuesOf(item)) {
    if (end != out) *end++ = ';';
    end = model::FormatFloatTo(end, value);
  }
  return end;
}

}  // namespace

template <typename Traits>
int32_t TTernaryList<Traits>::Add(const Item& item) {
  TUpdateScope scope(*this);
  if (m_count == m_capacity) Grow();
  if (!m_values.empty()) m_values.push_back(kNoValue);
  m_items[size_t(m_count)] = item;
  ++m_version;
  return m_count++;
}

template <typename Traits>
int32_t TTernaryList<Traits>::Add(const Item& item, double value) {
  TUpdateScope scope(*this);
  const int32_t index = Add(item);
  if (!std::isnan(value)) PutValue(index, value);
  return index;
}

template <typename Traits>
double TTernaryList<Traits>::Value(int32_t index) const {
  CheckIndex(index);
  return m_values.empty() ? kNoValue : m_values[size_t(index)];
}

template <typename Traits>
void TTernaryList<Traits>::PutValue(int32_t index, double value) {
  CheckIndex(index);
  if (!std::isfinite(value)) value = kNoValue;  // a document could not hold it
  if (m_values.empty() && std::isnan(value)) return;
  TUpdateScope scope(*this);
  if (m_values.empty()) m_values.assign(size_t(m_count), kNoValue);
  m_values[size_t(index)] = value;
  ++m_version;
}

template <typename Traits>
void TTernaryList<Traits>::DropValuesIfNone() {
  if (std::all_of(m_values.begin(), m_values.end(), [](double v) { return std::isnan(v); })) {
    m_values.clear();
    m_values.shrink_to_fit();
  }
}

template <typename Traits>
void TTernaryList<Traits>::Delete(int32_t index) {
  CheckIndex(index);
  TUpdateScope scope(*this);
  --m_count;
  ++m_version;
  if (index < m_count) std::copy(m_items.begin() + index + 1, m_items.begin() + m_count + 1, m_items.begin() + index);
  if (!m_values.empty()) m_values.erase(m_values.begin() + index);
}

template <typename Traits>
typename TTernaryList<Traits>::Item TTernaryList<Traits>::Get(int32_t index) const {
  CheckIndex(index);
  return m_items[size_t(index)];
}

template <typename Traits>
void TTernaryList<Traits>::Put(int32_t index, const Item& item) {
  CheckIndex(index);
  TUpdateScope scope(*this);
  m_items[size_t(index)] = item;
  ++m_version;
}

template <typename Traits>
void TTernaryList<Traits>::SwapItems(std::vector<Item>& items) {
  if (items.size() > size_t(kMaxCount)) Error("List count out of bounds (%d)", kMaxCount);
  TUpdateScope scope(*this);
  m_items.resize(size_t(m_count));
  m_items.swap(items);
  m_count = m_capacity = int32_t(m_items.size());
  m_values.clear();
  ++m_version;
}

template <typename Traits>
void TTernaryList<Traits>::SwapItems(std::vector<Item>& items, std::vector<double>& values) {
  if (!values.empty()) values.resize(items.size(), kNoValue);
  TUpdateScope scope(*this);
  std::vector<double> kept;
  kept.swap(m_values);
  SwapItems(items);
  m_values.swap(values);
  values.swap(kept);
  DropValuesIfNone();
}

template <typename Traits>
void TTernaryList<Traits>::SetCapacity(int32_t capacity) {
  if (capacity < m_count || capacity > kMaxCount) Error("List capacity out of bounds (%d)", capacity);
  if (capacity == m_capacity) return;
  // Allocate first so that an allocation failure leaves the list intact.
  std::vector<Item> items(size_t(capacity), Item{});
  std::copy(m_items.begin(), m_items.begin() + m_count, items.begin());
  m_items.swap(items);
  m_capacity = capacity;
}

template <typename Traits>
void TTernaryList<Traits>::SetCount(int32_t count) {
  if (count < 0 || count > kMaxCount) Error("List count out of bounds (%d)", count);
  if (count > m_capacity) SetCapacity(count);
  if (count > m_count) {
    std::fill(m_items.begin() + m_count, m_items.begin() + count, Item{});
    if (!m_values.empty()) m_values.resize(size_t(count), kNoValue);
  } else {
    for (int32_t index = m_count - 1; index >= count; --index) Delete(index);
  }
  m_count = count;
  ++m_version;
}

template <typename Traits>
void TTernaryList<Traits>::Grow() {
  int32_t delta = 4;
  if (m_capacity > 64)
    delta = m_capacity / 4;
  else if (m_capacity > 8)
    delta = 16;
  SetCapacity(m_capacity + delta);
}

template <typename Traits>
void TTernaryList<Traits>::Clear() {
  SetCount(0);
  SetCapacity(0);
}

template <typename Traits>
void TTernaryList<Traits>::Error(const char* message, int32_t data) const {
  char text[96];
  std::snprintf(text, sizeof text, message, data);
  throw TListError(text);
}

template <typename Traits>
void TTernaryList<Traits>::CheckIndex(int32_t index) const {
  if (index < 0 || index >= m_count) Error("List index out of bounds (%d)", index);
}

template <typename Traits>
bool TTernaryList<Traits>::ReadEntry(std::string_view text, Item& item) {
  std::array<double, Traits::kValueCount> values{};
  size_t fieldCount = 0;
  bool converted = true;
  model::ForEachField(text, [&](std::string_view field) {
    if (fieldCount < values.size() && converted) {
      const auto value = model::ParseFloat(field);
      converted = value.has_value();
      if (converted) values[fieldCount] = *value;
    }
    ++fieldCount;
  });
  if (fieldCount != values.size() || !converted) return false;
  FromValues(values.data(), item);
  return true;
}

namespace {

std::vector<TTernaryPoint>& PrereadItems(model::TPrereadEntries::TSet& set, const TTernaryPoint*) { return set.Points; }
std::vector<TTernaryCouple>& PrereadItems(model::TPrereadEntries::TSet& set, const TTernaryCouple*) {
  return set.Couples;
}

}  // namespace

template <typename Traits>
void TTernaryList<Traits>::LoadFromXML(pugi::xml_node node) {
  LoadFromXML(node, nullptr);
}

template <typename Traits>
void TTernaryList<Traits>::LoadFromXML(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  Clear();
  if (model::TPrereadEntries::TSet* set = preread ? preread->Find(node) : nullptr) {
    std::vector<Item> items = std::move(PrereadItems(*set, static_cast<const Item*>(nullptr)));
    SwapItems(items);
    return;
  }
  // Room for every entry at once: a large document then loads without
  // growing the storage step by step.
  int64_t entries = 0;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) ++entries;
  SetCapacity(int32_t(std::min<int64_t>(entries, kMaxCount)));
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || std::strcmp(child.name(), Traits::kElementName) != 0) continue;
    Item item;
    if (ReadEntry(child.text().get(), item)) Add(item);
  }
}

template <typename Traits>
void TTernaryList<Traits>::SaveToXML(pugi::xml_node node) const {
  char text[kMaxEntryLength];
  for (int32_t i = 0; i < m_count; ++i) {
    const char* end = FormatEntry(text, m_items[size_t(i)]);
    node.append_child(Traits::kElementName).append_child(pugi::node_pcdata).set_value(text, size_t(end - text));
  }
}

template <typename Traits>
void TTernaryList<Traits>::SaveToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  if (!streamed || m_count == 0) {
    SaveToXML(node);
    return;
  }
  // A full-precision number takes up to 22 characters; tags, indent and line end about 24.
  const size_t bytes = size_t(m_count) * (Traits::kValueCount * 23 + 24);
  streamed->Add(
      node,
      [this](model::TEntrySink& sink) {
        // Numbers are digits, signs, points and exponents: nothing to escape.
        for (int32_t i = 0; i < m_count; ++i)
          sink.EndEntry(FormatEntry(sink.BeginEntry(Traits::kElementName, kMaxEntryLength), m_items[size_t(i)]));
      },
      bytes);
}

template <typename Traits>
void TTernaryList<Traits>::LoadValuesFromXML(pugi::xml_node node, model::TPrereadEntries* preread) {
  TUpdateScope scope(*this);
  std::vector<double> values;
  if (model::TPrereadEntries::TSet* set = preread ? preread->Find(node) : nullptr) {
    values = std::move(set->Values);
  } else {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
      if (values.size() == size_t(m_count)) break;
      if (child.type() != pugi::node_element || std::strcmp(child.name(), kValueElementName) != 0) continue;
      values.push_back(model::ParseFloat(child.text().get()).value_or(kNoValue));
    }
  }
  values.resize(size_t(m_count), kNoValue);
  m_values.swap(values);
  DropValuesIfNone();
  ++m_version;
}

template <typename Traits>
void TTernaryList<Traits>::SaveValuesToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const {
  if (!streamed) {
    char text[model::kMaxFloatLength];
    for (const double value : m_values) {
      pugi::xml_node entry = node.append_child(kValueElementName);
      if (!std::isnan(value))
        entry.append_child(pugi::node_pcdata).set_value(text, size_t(model::FormatFloatTo(text, value) - text));
    }
    return;
  }
  // A full-precision number takes up to 22 characters; tags, indent and line end about 14.
  const size_t bytes = m_values.size() * 36;
  streamed->Add(
      node,
      [this](model::TEntrySink& sink) {
        for (const double value : m_values) {
          char* text = sink.BeginEntry(kValueElementName, model::kMaxFloatLength);
          sink.EndEntry(std::isnan(value) ? text : model::FormatFloatTo(text, value));
        }
      },
      bytes);
}

template class TTernaryList<TTernaryPointTraits>;
template class TTernaryList<TTernaryCoupleTraits>;
