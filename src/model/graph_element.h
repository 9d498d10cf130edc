#pragma once

#include <QRect>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <pugixml.hpp>

#include "geometry/graphics.h"
#include "geometry/projection.h"
#include "geometry/ternary_types.h"

// Base of every persistable piece of a diagram. Changes are batched between
// BeginUpdate and EndUpdate; the close of the outermost batch reports one
// change to the owner through OnChange.
class TGraphElement {
 public:
  TGraphElement() = default;
  TGraphElement(const TGraphElement&) = delete;
  TGraphElement& operator=(const TGraphElement&) = delete;
  virtual ~TGraphElement() = default;

  virtual void Changed();
  virtual void BeginUpdate() { ++m_updateCount; }
  // A silent close ends the batch without reporting it.
  virtual void EndUpdate(bool silent = false);

  // Reads own properties from the children of `node`: a missing child or a
  // value that does not convert leaves that property as it was.
  virtual void LoadFromXML(pugi::xml_node node) = 0;
  virtual void SetDefaults() = 0;
  // Writes own properties as children of `node`, which the owner created.
  virtual void SaveToXML(pugi::xml_node node) const = 0;

  int32_t UpdateCount() const { return m_updateCount; }

  std::function<void(TGraphElement*)> OnChange;

 private:
  int32_t m_updateCount = 0;
};

// Keeps a batch open for a scope, so that an exception cannot leave it open.
class TUpdateScope {
 public:
  explicit TUpdateScope(TGraphElement& element, bool silent = false) : m_element(element), m_silent(silent) {
    m_element.BeginUpdate();
  }
  ~TUpdateScope() { m_element.EndUpdate(m_silent); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TGraphElement& m_element;
  bool m_silent;
};

// An element that draws itself with a drawing context and a projection and
// measures itself. The bounds in world and device units derive from the plane
// bounds unless an element merges the bounds of its parts itself.
class TGraphDrawable : public TGraphElement {
 public:
  virtual void Draw(TGraphics& g, const TProjection& projection) = 0;
  virtual TDoubleRect GetBounds(TGraphics& g, const TProjection& projection) = 0;
  virtual QRectF GetWorldBounds(TGraphics& g, const TProjection& projection);
  virtual QRect GetPixelRect(TGraphics& g, const TProjection& projection);
  virtual QRectF GetPixelBounds(TGraphics& g, const TProjection& projection);
};

// Installs a handler on a part's OnChange that reports the part's change as
// one change of its owner.
void RouteChangesTo(TGraphElement& part, TGraphElement& owner);
