#pragma once

#include <optional>

#include "model/annotation.h"
#include "model/graph_serie.h"

// The name a series shows inside its shape when NameVisible is set: for a
// surface at the point of its polygon farthest from the edges, for a lines
// series at the middle of its first couple, for a points series beside its
// last point. Everything is placed on the projected shape, so the name
// follows rotation, mirror, zoom and the right-angled projection.
namespace model {

// Where the name's block is anchored in world coordinates, and how it is
// aligned there; nothing when the name is hidden or its shape on screen is
// too small to hold it.
struct TSerieNamePlace {
  QPointF Anchor;
  TTextAlignment Alignment = taCenter;
};
std::optional<TSerieNamePlace> SerieNamePlace(TGraphics& g, const TProjection& projection, const TGraphSerie& serie);

void DrawSerieName(TGraphics& g, const TProjection& projection, const TGraphSerie& serie);

}  // namespace model
