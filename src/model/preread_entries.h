#pragma once

#include <pugixml.hpp>
#include <unordered_map>
#include <vector>

#include "geometry/ternary_types.h"

namespace model {

// The entries of point lists read straight from a document's text, without
// a node per entry. Each set stands for all the children of one element of
// the parsed document, which then holds none itself: the entries named "TP"
// and "TC" that a list of that kind would accept, in document order, or the
// values "V" of the items.
class TPrereadEntries {
 public:
  struct TSet {
    std::vector<TTernaryPoint> Points;
    std::vector<TTernaryCouple> Couples;
    // The entries "V" of an element "Values", NaN for an empty one.
    std::vector<double> Values;
  };

  void Add(pugi::xml_node element, TSet set) { m_sets[element.internal_object()] = std::move(set); }
  // The set standing for the children of `element`, or null.
  TSet* Find(const pugi::xml_node& element) {
    const auto found = m_sets.find(element.internal_object());
    return found == m_sets.end() ? nullptr : &found->second;
  }
  bool Empty() const { return m_sets.empty(); }

 private:
  std::unordered_map<const void*, TSet> m_sets;
};

}  // namespace model
