#pragma once

#include <memory>
#include <vector>

#include "model/annotation.h"

// The free texts of a graph, in drawing order. A change of any of them is a
// change of the list.
class TAnnotationList : public TGraphElement {
 public:
  int Count() const { return int(m_items.size()); }
  // Raises TListError for an index outside 0 .. Count() - 1.
  TAnnotation& Get(int index) const;
  // Takes ownership; returns the new index.
  int Add(std::unique_ptr<TAnnotation> annotation);
  // `index` from 0 to Count().
  void Insert(int index, std::unique_ptr<TAnnotation> annotation);
  // Hands the annotation back to the caller.
  std::unique_ptr<TAnnotation> Remove(int index);
  void Clear();
  int IndexOf(const TAnnotation* annotation) const;

  // Reading empties the list first; entries other than "Annotation" are skipped.
  void LoadFromXML(pugi::xml_node node) override;
  void SetDefaults() override { Clear(); }
  void SaveToXML(pugi::xml_node node) const override;

 private:
  std::vector<std::unique_ptr<TAnnotation>> m_items;
};
