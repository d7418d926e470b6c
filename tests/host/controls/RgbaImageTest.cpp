// Pictures made in code: the drawing primitives and the PNG an image list
// keeps (decoded by the widgetset's tests).
#include <gtest/gtest.h>

#include "host/controls/ImgList.h"
#include "host/controls/RgbaImage.h"

using namespace host;

namespace {
const TRgba Red = RgbaOf(clRed);
const TRgba Blue = RgbaOf(clBlue);
}  // namespace

TEST(RgbaImages, ShapesCoverThePixelsInsideThemAndAreClipped) {
  TRgbaImage img(16, 16);
  img.FillRect({-4, -4, 4, 4}, Red);
  EXPECT_EQ(img.Pixel(3, 3), Red);
  EXPECT_EQ(img.Pixel(4, 3), rgbaTransparent);
  img.FrameRect({8, 8, 12, 12}, Blue);
  EXPECT_EQ(img.Pixel(8, 11), Blue);
  EXPECT_EQ(img.Pixel(9, 9), rgbaTransparent);
  img.Line(0, 15, 15, 0, Blue);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(img.Pixel(i, 15 - i), Blue) << i;
  img.Clear(rgbaTransparent);
  img.FillEllipse({0, 0, 16, 16}, Red);
  EXPECT_EQ(img.Pixel(8, 8), Red);
  EXPECT_EQ(img.Pixel(0, 0), rgbaTransparent);
  EXPECT_EQ(img.Pixel(0, 8), Red);
  img.Clear(rgbaTransparent);
  img.FillPolygon({{0, 0}, {16, 0}, {0, 16}}, Blue);  // the upper-left half
  EXPECT_EQ(img.Pixel(2, 2), Blue);
  EXPECT_EQ(img.Pixel(14, 14), rgbaTransparent);
  EXPECT_EQ(img.Pixel(20, 2), rgbaTransparent);
}

TEST(RgbaImages, DrawingBlendsBySourceAlpha) {
  TRgbaImage back(2, 1, RgbaOf(clWhite));
  TRgbaImage glyph(2, 1);
  glyph.SetPixel(0, 0, RgbaOf(clBlack, 128));
  back.Draw(0, 0, glyph);
  EXPECT_EQ(back.Pixel(0, 0), (TRgba{127, 127, 127, 255}));
  EXPECT_EQ(back.Pixel(1, 0), RgbaOf(clWhite));
}

TEST(RgbaImages, AnImageListKeepsThePictureAsPng) {
  TImageList list(nullptr);
  TRgbaImage img(300, 300, Red);  // more than one stored block of data
  const int index = list.Add(img);
  const auto& png = list.Image(index);
  ASSERT_GT(png.size(), 300u * 300u * 4u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}
