#include "model/serie_factory.h"

#include "model/lines_serie.h"
#include "model/points_serie.h"
#include "model/surface_serie.h"

namespace model {

std::unique_ptr<TGraphSerie> CreateSerie(std::string_view className) {
  if (className == "TPointsSerie") return std::make_unique<TPointsSerie>();
  if (className == "TLinesSerie") return std::make_unique<TLinesSerie>();
  if (className == "TSurfaceSerie") return std::make_unique<TSurfaceSerie>();
  return nullptr;
}

bool IsSerieClassName(std::string_view className) {
  return className == "TPointsSerie" || className == "TLinesSerie" || className == "TSurfaceSerie";
}

}  // namespace model
