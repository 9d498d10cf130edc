#pragma once

#include <memory>
#include <string_view>

#include "model/graph_serie.h"

namespace model {

// A new series of the class named exactly (letter case included)
// "TPointsSerie", "TLinesSerie" or "TSurfaceSerie"; nullptr for any other name.
std::unique_ptr<TGraphSerie> CreateSerie(std::string_view className);
// Whether CreateSerie makes a series of that class name.
bool IsSerieClassName(std::string_view className);

}  // namespace model
