#include <gtest/gtest.h>

#include "geometry/ternary_types.h"

using namespace geometry;

TEST(TernaryTypes, UnionRectFSpansNegativeExtents) {
  EXPECT_EQ(UnionRectF(QRectF(10, 10, -5, -5), QRectF(0, 0, 1, 1)), QRectF(0, 0, 10, 10));
  EXPECT_EQ(UnionRect(QRect(10, 10, -5, -5), QRect(0, 0, 1, 1)), QRect(0, 0, 10, 10));
}

TEST(TernaryTypes, UnionKeepsDegenerateRectangles) {
  // QRectF::united would ignore the empty rectangle.
  EXPECT_EQ(UnionRectF(QRectF(0, 0, 0, 0), QRectF(5, 5, 1, 1)), QRectF(0, 0, 6, 6));
  EXPECT_EQ(UnionRect(QRect(20, 20, 0, 0), QRect(5, 5, 1, 1)), QRect(5, 5, 15, 15));
}

TEST(TernaryTypes, UnionDoubleRectKeepsTopAsLargerY) {
  EXPECT_EQ(UnionDoubleRect(MakeDoubleRect(0, 1, 1, 0), MakeDoubleRect(2, 0.5, 3, -1)), MakeDoubleRect(0, 1, 3, -1));
  // Inverted inputs still give a properly oriented result.
  EXPECT_EQ(UnionDoubleRect(MakeDoubleRect(1, 0, 0, 1), MakeDoubleRect(1, 0, 0, 1)), MakeDoubleRect(0, 1, 1, 0));
}

TEST(TernaryTypes, InflateDoubleRectGrowsEverySide) {
  const TDoubleRect r = InflateDoubleRect(MakeDoubleRect(0, 1, 1, 0), 0.1, 0.2);
  EXPECT_DOUBLE_EQ(r.Left, -0.1);
  EXPECT_DOUBLE_EQ(r.Top, 1.2);
  EXPECT_DOUBLE_EQ(r.Right, 1.1);
  EXPECT_DOUBLE_EQ(r.Bottom, -0.2);
}

TEST(TernaryTypes, ArithmeticAndConstructors) {
  EXPECT_EQ(AddTernaryPoints({0.1, 0.2, 0.3}, {1, 2, 3}), MakeTernaryPoint(1.1, 2.2, 3.3));
  EXPECT_EQ(AddDoublePoints({1, 2}, {3, 4}), MakeDoublePoint(4, 6));
  EXPECT_EQ(MakeTernaryCouple(1, 2, 3, 4, 5, 6).P2, MakeTernaryPoint(4, 5, 6));
  // World coordinates are narrowed to single precision.
  EXPECT_EQ(MakePointF(0.1, 0.2).x(), double(0.1f));
  const TTernaryPoint p{7, 8, 9};
  EXPECT_EQ(p[0] + p[1] + p[2], 24);
}
