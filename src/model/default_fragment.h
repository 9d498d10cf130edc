#pragma once

#include <string>

#include "model/graph_element.h"

// Elements added to the document after its first version are written only
// when they differ from their defaults, so that a document using none of them
// saves exactly as before. Comparing the fragments an element writes keeps
// that rule in step with SaveToXML without a second list of the properties.
namespace model {

// The fragment `element` writes, as compact text.
std::string SavedFragment(const TGraphElement& element);

// True when `element` writes the same fragment as a new element of its type.
template <typename TElement>
bool SavesAsDefault(const TElement& element) {
  const TElement fresh;
  return SavedFragment(element) == SavedFragment(fresh);
}

}  // namespace model
