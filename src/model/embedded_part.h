#pragma once

#include "model/graph_element.h"
#include "model/xml_document.h"

// An element embedded in another is written inside a wrapper element named
// after the embedding property, which the owner creates.
namespace model {

// Hands the child `name` of `node` to `part`; a missing child leaves it as it was.
inline void LoadEmbedded(pugi::xml_node node, const char* name, TGraphElement& part) {
  if (const pugi::xml_node child = FirstChildElement(node, name)) part.LoadFromXML(child);
}

inline void SaveEmbedded(pugi::xml_node node, const char* name, const TGraphElement& part) {
  part.SaveToXML(AppendElement(node, name));
}

}  // namespace model
