#include "model/default_fragment.h"

#include "model/xml_document.h"

namespace model {

std::string SavedFragment(const TGraphElement& element) {
  pugi::xml_document document;
  element.SaveToXML(AppendElement(document, "Fragment"));
  std::string text;
  WriteDocument(document, text, TXmlLayout::Compact);
  return text;
}

}  // namespace model
