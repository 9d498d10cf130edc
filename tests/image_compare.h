#pragma once

// Whole-image comparison for drawing tests: on failure, says where the
// images first differ and how, not just that they do.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

// Use as EXPECT_TRUE(SameImage(actual, expected)): the images are equal as
// QImage compares them, or the message names the first pixel, in rows from
// the top, whose colours differ, and both colours as #AARRGGBB.
inline ::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  auto colour = [](QRgb pixel) { return QStringLiteral("#%1").arg(pixel, 8, 16, QLatin1Char('0')).toStdString(); };
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << "the images differ in size: " << actual.width() << " x " << actual.height()
                                         << " against " << expected.width() << " x " << expected.height();
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != expected.pixel(x, y))
        return ::testing::AssertionFailure()
               << "the images first differ at pixel (" << x << ", " << y << "): " << colour(actual.pixel(x, y))
               << " against " << colour(expected.pixel(x, y));
  return ::testing::AssertionFailure() << "the images differ in format (" << int(actual.format()) << " against "
                                       << int(expected.format()) << ") or colour space, not in colour";
}
