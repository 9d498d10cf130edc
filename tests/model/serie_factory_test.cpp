#include <gtest/gtest.h>

#include "model/serie_factory.h"

TEST(SerieFactory, CreatesTheSeriesOfTheThreeClassNames) {
  for (const char* name : {"TPointsSerie", "TLinesSerie", "TSurfaceSerie"}) {
    const auto serie = model::CreateSerie(name);
    ASSERT_NE(serie, nullptr) << name;
    EXPECT_STREQ(serie->ClassName(), name);
  }
}

TEST(SerieFactory, RefusesAnyOtherName) {
  for (const char* name : {"", "tpointsserie", "TPointsSeries", "TGraphSerie", "TPointsSerie ", "TSurface"})
    EXPECT_EQ(model::CreateSerie(name), nullptr) << name;
}
