#include <gtest/gtest.h>

#include <random>

#include "model/points_serie.h"

namespace {

int BruteForceLast(const TTernaryPointList& list, const THitBox& box) {
  for (int i = list.Count() - 1; i >= 0; --i)
    if (box.Contains(list.Get(i))) return i;
  return -1;
}

}  // namespace

TEST(PointHitIndex, AgreesWithAFullScanAndFollowsEdits) {
  TPointsSerie serie;
  TTernaryPointList& items = serie.Items();
  std::mt19937 random(3);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 5000; ++i) {
    const double a = unit(random), b = unit(random) * (1 - a);
    items.Add({a, b, 1 - a - b});
  }
  auto check = [&] {
    for (int q = 0; q < 300; ++q) {
      const TTernaryPoint query = q % 3 == 0 ? items.Get(int(unit(random) * items.Count()))
                                             : TTernaryPoint{unit(random), unit(random) * 0.5, unit(random) * 0.5};
      const double tolerance = 0.02 * unit(random);
      TTernaryPoint found{-1, -1, -1};
      const int index = serie.HitTest(query, found, tolerance);
      ASSERT_EQ(index, BruteForceLast(items, THitBox(query, tolerance)));
      if (index >= 0) {
        EXPECT_EQ(found, items.Get(index));
      }
    }
  };
  check();
  // Every kind of edit is seen by the next hit test.
  items.Put(17, {0.9, 0.05, 0.05});
  items.Delete(4000);
  items.Add({0.33, 0.33, 0.34});
  check();
  TTernaryPoint found;
  EXPECT_EQ(serie.HitTest({0.33, 0.33, 0.34}, found, 0), items.Count() - 1);
  items.SetCount(10);
  check();
  items.Clear();
  EXPECT_EQ(serie.HitTest({0.33, 0.33, 0.34}, found, 1), -1);
}
