// Pictures drawn in memory: pixels, blending and smoothed lines.
#include <gtest/gtest.h>

#include "host/core/Bitmap.h"

using namespace host;

TEST(Bitmap, DrawingBlendsOverWhatIsThereAndStaysInside) {
  TBitmap b(4, 4);
  b.SetPixel(4, 0, 0xFFFFFFFF);
  b.FillRect(1, 1, 3, 3, TBitmap::ColorToArgb(clBlue));
  b.FillRect(-5, -5, 2, 2, 0x80FF0000);  // half red over blue stays opaque
  EXPECT_EQ(b.Pixel(2, 2), 0xFF0000FFu);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF80007Fu);
  EXPECT_EQ(b.Pixel(0, 0), 0x80FF0000u);  // over nothing: as given
  EXPECT_EQ(b.Pixel(3, 3), 0u);
  EXPECT_EQ(b.Pixels().size(), 16u);
}

TEST(Bitmap, ALineCoversItsThicknessAndSmoothsItsEdges) {
  TBitmap b(10, 10);
  b.Line(1, 5, 8, 5, 3, 0xFF00FF00);
  for (int x = 1; x <= 8; ++x)
    for (int y = 4; y <= 6; ++y) EXPECT_EQ(b.Pixel(x, y), 0xFF00FF00u) << x << "," << y;
  EXPECT_EQ(b.Pixel(4, 2), 0u);
  // A thin line between pixel centres half covers the pixels beside it.
  TBitmap thin(10, 10);
  thin.Line(1, 4.5, 8, 4.5, 1, 0xFF000000);
  EXPECT_EQ(thin.Pixel(4, 4) >> 24, 128u);
  EXPECT_EQ(thin.Pixel(4, 5) >> 24, 128u);
}
