#pragma once

#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph_element.h"
#include "model/preread_entries.h"
#include "model/value_encoding.h"
#include "model/xml_document.h"

// Raised for a bad index, count or capacity; the list is left unchanged.
class TListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Traits of the two item types stored in a ternary list.
struct TTernaryPointTraits {
  using Item = TTernaryPoint;
  static constexpr const char* kElementName = "TP";
  static constexpr int kValueCount = 3;
};
struct TTernaryCoupleTraits {
  using Item = TTernaryCouple;
  static constexpr const char* kElementName = "TC";
  static constexpr int kValueCount = 6;
};

// A growable array of plain items that is also a diagram element: every
// change is reported through OnChange, and the items are saved as one child
// element per item holding the values separated by semicolons.
template <typename Traits>
class TTernaryList : public TGraphElement {
 public:
  using Item = typename Traits::Item;
  static constexpr int32_t kMaxCount = 134217727;  // 2^27 - 1

  TTernaryList() = default;
  ~TTernaryList() override = default;

  int32_t Add(const Item& item);
  void Delete(int32_t index);
  Item Get(int32_t index) const;
  // Replaces the item at `index`, with one change notification.
  void Put(int32_t index, const Item& item);
  // Exchanges all items with `items`, with one change notification; the
  // capacity becomes the new count. An undo step keeps the other version
  // this way without copying it.
  void SwapItems(std::vector<Item>& items);
  // Exchanges the items and their values together (see Values), with one
  // change notification. `values` is empty or as long as `items`.
  void SwapItems(std::vector<Item>& items, std::vector<double>& values);
  int32_t Count() const { return m_count; }
  int32_t Capacity() const { return m_capacity; }
  void SetCapacity(int32_t capacity);
  void SetCount(int32_t count);
  // Items 0 .. Count() - 1, contiguous.
  const Item* Data() const { return m_items.data(); }
  // Changes with every edit of the items, so that caches built from them
  // (such as a hit-test index) know when to rebuild.
  uint64_t Version() const { return m_version; }

  // One number per item beside its components, NaN for an item without
  // one. The values live in a plain array aligned with the items, which
  // every edit of the items keeps aligned; it is empty while no item has a
  // value, so lists without values cost nothing.
  bool HasValues() const { return !m_values.empty(); }
  // Values 0 .. Count() - 1, or null while no item has one.
  const double* Values() const { return m_values.empty() ? nullptr : m_values.data(); }
  double Value(int32_t index) const;
  // Sets the value of the item at `index` (NaN: none), with one change
  // notification.
  void PutValue(int32_t index, double value);
  // Appends an item with its value.
  int32_t Add(const Item& item, double value);
  // Replaces the values with those read from the entries "V" of `node`, in
  // item order: an empty or unreadable entry is no value, entries beyond
  // the items are ignored and items beyond the entries have none. With a
  // set for `node` in `preread`, its values are taken from there.
  void LoadValuesFromXML(pugi::xml_node node, model::TPrereadEntries* preread);
  // Writes one entry "V" per item into `node`, empty for an item without a
  // value; registered in `streamed` when it is given.
  void SaveValuesToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const;
  static constexpr const char* kValueElementName = "V";

  virtual void Grow();
  virtual void Clear();
  [[noreturn]] virtual void Error(const char* message, int32_t data) const;

  void LoadFromXML(pugi::xml_node node) override;
  // The same; when `preread` holds a set for `node`, its entries are taken
  // from there (and the set is left empty).
  void LoadFromXML(pugi::xml_node node, model::TPrereadEntries* preread);
  // How an entry's text reads: exactly the expected number of fields, each
  // of which converts. Any other entry is skipped by a load.
  static bool ReadEntry(std::string_view text, Item& item);
  void SetDefaults() override { Clear(); }
  void SaveToXML(pugi::xml_node node) const override;
  // The same, with the entries registered in `streamed` rather than added as
  // nodes when it is given and the list is not empty.
  void SaveToXML(pugi::xml_node node, model::TStreamedChildren* streamed) const;

 private:
  static constexpr size_t kMaxEntryLength = Traits::kValueCount * (model::kMaxFloatLength + 1);

  void CheckIndex(int32_t index) const;
  // Keeps the invariant below after the values were replaced.
  void DropValuesIfNone();

  // Sized to Capacity; entries at Count and above are unused.
  std::vector<Item> m_items;
  int32_t m_count = 0;
  int32_t m_capacity = 0;
  uint64_t m_version = 0;
  // Empty, or Count() long: the invariant every edit keeps.
  std::vector<double> m_values;
};

using TTernaryPointList = TTernaryList<TTernaryPointTraits>;
using TTernaryCoupleList = TTernaryList<TTernaryCoupleTraits>;

extern template class TTernaryList<TTernaryPointTraits>;
extern template class TTernaryList<TTernaryCoupleTraits>;
