#include "model/annotation_list.h"

#include <cstring>
#include <string>

#include "model/ternary_lists.h"
#include "model/xml_document.h"

namespace {

constexpr const char* kEntryName = "Annotation";

[[noreturn]] void IndexError(int index) {
  throw TListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

TAnnotation& TAnnotationList::Get(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return *m_items[size_t(index)];
}

int TAnnotationList::Add(std::unique_ptr<TAnnotation> annotation) {
  Insert(Count(), std::move(annotation));
  return Count() - 1;
}

void TAnnotationList::Insert(int index, std::unique_ptr<TAnnotation> annotation) {
  if (index < 0 || index > Count()) IndexError(index);
  TUpdateScope scope(*this);
  RouteChangesTo(*annotation, *this);
  m_items.insert(m_items.begin() + index, std::move(annotation));
}

std::unique_ptr<TAnnotation> TAnnotationList::Remove(int index) {
  Get(index);
  TUpdateScope scope(*this);
  std::unique_ptr<TAnnotation> annotation = std::move(m_items[size_t(index)]);
  annotation->OnChange = nullptr;
  m_items.erase(m_items.begin() + index);
  return annotation;
}

void TAnnotationList::Clear() {
  TUpdateScope scope(*this);
  m_items.clear();
}

int TAnnotationList::IndexOf(const TAnnotation* annotation) const {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].get() == annotation) return int(i);
  return -1;
}

void TAnnotationList::LoadFromXML(pugi::xml_node node) {
  TUpdateScope scope(*this);
  Clear();
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element || std::strcmp(child.name(), kEntryName) != 0) continue;
    auto annotation = std::make_unique<TAnnotation>();
    annotation->LoadFromXML(child);
    Add(std::move(annotation));
  }
}

void TAnnotationList::SaveToXML(pugi::xml_node node) const {
  for (const auto& annotation : m_items) annotation->SaveToXML(model::AppendElement(node, kEntryName));
}
