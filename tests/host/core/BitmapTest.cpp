// Pictures drawn in memory: sizes, pixels, blending and smoothed lines.
#include <gtest/gtest.h>

#include "host/core/Bitmap.h"

using namespace host;

TEST(Bitmap, StartsTransparentAndIgnoresPixelsOutsideIt) {
  TBitmap b(3, 2);
  EXPECT_EQ(b.Pixels(), std::vector<std::uint32_t>(6, 0u));
  b.SetPixel(3, 0, 0xFFFFFFFF);
  b.SetPixel(-1, 1, 0xFFFFFFFF);
  EXPECT_EQ(b.Pixel(3, 0), 0u);
  EXPECT_EQ(b.Pixels(), std::vector<std::uint32_t>(6, 0u));
  b.SetSize(-4, 2);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(TBitmap::ColorToArgb(clRed), 0xFFFF0000u);
  EXPECT_EQ(TBitmap::ColorToArgb(clBlue, 0x80), 0x800000FFu);
}

TEST(Bitmap, DrawingBlendsOverWhatIsThere) {
  TBitmap b(4, 4);
  b.FillRect(1, 1, 3, 3, 0xFF0000FF);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(2, 2), 0xFF0000FFu);
  b.FillRect(-5, -5, 2, 2, 0x80FF0000);  // half red over blue stays opaque
  EXPECT_EQ(b.Pixel(1, 1), 0xFF80007Fu);
  EXPECT_EQ(b.Pixel(0, 0), 0x80FF0000u);  // over nothing: as given
}

TEST(Bitmap, ALineCoversItsThicknessAndSmoothsItsEdges) {
  TBitmap b(10, 10);
  b.Line(1, 5, 8, 5, 3, 0xFF00FF00);
  for (int x = 1; x <= 8; ++x)
    for (int y = 4; y <= 6; ++y) EXPECT_EQ(b.Pixel(x, y), 0xFF00FF00u) << x << "," << y;
  EXPECT_EQ(b.Pixel(4, 2), 0u);
  EXPECT_EQ(b.Pixel(4, 8), 0u);
  // A line between pixel centres half covers the pixels beside it.
  TBitmap thin(10, 10);
  thin.Line(1, 4.5, 8, 4.5, 1, 0xFF000000);
  EXPECT_EQ(thin.Pixel(4, 4) >> 24, 128u);
  EXPECT_EQ(thin.Pixel(4, 5) >> 24, 128u);
}
