#pragma once

// Whole-image comparison for drawing tests: on failure, says where the
// images first differ and how, not just that they do.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>

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

// Use as EXPECT_TRUE(NearImage(actual, expected, mean, most, share)) where two
// ways of smooth drawing may blend edges differently: the colour channels
// differ by `mean` levels on average at most, and by more than `most` levels
// on at most `share` of the pixels.
inline ::testing::AssertionResult NearImage(const QImage& actual, const QImage& expected, double mean, int most,
                                            double share = 0) {
  if (actual.size() != expected.size()) return SameImage(actual, expected);
  double total = 0;
  int beyond = 0;
  const int pixels = actual.width() * actual.height();
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
      const int channels[] = {qRed(a) - qRed(e), qGreen(a) - qGreen(e), qBlue(a) - qBlue(e), qAlpha(a) - qAlpha(e)};
      int largest = 0;
      for (const int d : channels) total += std::abs(d), largest = std::max(largest, std::abs(d));
      beyond += largest > most;
    }
  const double averaged = total / (4.0 * std::max(pixels, 1));
  if (averaged <= mean && beyond <= share * pixels) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the channels differ by " << averaged << " levels on average, and " << beyond
                                       << " of " << pixels << " pixels by more than " << most;
}
