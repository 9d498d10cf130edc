#pragma once

#include <cstdint>
#include <memory>

#include "model/graph_element.h"
#include "model/graph_line_style.h"

// The side of the triangle an axis stands on; also the index of the axis in
// its graph.
enum TAxePosition : int32_t { apLeft = 0, apRight = 1, apBottom = 2 };

namespace model {

constexpr bool IsAxePosition(int64_t value) { return value >= apLeft && value <= apBottom; }

// Reads the child `name` as a position; a value outside 0..2 is refused like
// any other value that does not convert, leaving `field` as it was.
bool ReadAxePosition(pugi::xml_node node, const char* name, TAxePosition& field);

}  // namespace model

// The common part of ticks and grid lines: a set of graduations along one
// side, drawn with one line style.
class TAxeElement : public TGraphDrawable {
 public:
  // Graduations actually drawn and measured. A larger Count is kept as it is
  // but draws this many: beyond it the marks merge into a solid band anyway,
  // and a huge count from a document would freeze every repaint.
  static constexpr int32_t kMaxGraduations = 10001;

  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  // Graduations along the side, both ends included.
  int32_t Count() const { return m_count; }
  void SetCount(int32_t count);
  TGraphLineStyle& Style() const { return *m_style; }
  TAxePosition Position() const { return m_position; }
  // A value outside apLeft..apBottom is ignored.
  virtual void SetPosition(TAxePosition position);

  void LoadFromXML(pugi::xml_node node) override;
  // Position is kept: it belongs to the owner's layout, not to the style.
  void SetDefaults() override;
  void SaveToXML(pugi::xml_node node) const override;

 protected:
  // Does not run SetDefaults: each concrete class does once it is complete.
  TAxeElement();

  // Count limited to 0..kMaxGraduations.
  int32_t DrawnCount() const;
  // Distance between two graduations in ternary units.
  double Step() const;

 private:
  bool m_visible = true;
  int32_t m_count = 11;
  std::unique_ptr<TGraphLineStyle> m_style;
  TAxePosition m_position = apLeft;
};
