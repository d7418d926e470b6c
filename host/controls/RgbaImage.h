// A small picture made in code, without a window toolkit: 8-bit RGBA
// pixels with a few drawing primitives, encoded as PNG for an image list
// (tool-bar glyphs, tree state images) that the widgetset decodes.
#pragma once

#include <cstdint>
#include <vector>

#include "host/controls/ControlTypes.h"
#include "host/core/Graphics.h"

namespace host {

struct TRgba {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  std::uint8_t A = 0;
  bool operator==(const TRgba&) const = default;
};

inline constexpr TRgba rgbaTransparent{0, 0, 0, 0};
// An RGB colour (clRed, 0x00BBGGRR); system colours give black.
TRgba RgbaOf(TColor Color, std::uint8_t Alpha = 255);

class TRgbaImage {
public:
  TRgbaImage(int Width, int Height, TRgba Fill = rgbaTransparent);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Transparent outside the picture.
  TRgba Pixel(int X, int Y) const;
  // Drawing is clipped to the picture. Pixels are replaced; Draw blends.
  void SetPixel(int X, int Y, TRgba Color);
  void Clear(TRgba Color);
  void FillRect(const TRect& R, TRgba Color);
  void FrameRect(const TRect& R, TRgba Color);
  void Line(int X1, int Y1, int X2, int Y2, TRgba Color);
  // The ellipse inside R (Right and Bottom excluded).
  void FillEllipse(const TRect& R, TRgba Color);
  // Pixels whose centres lie inside the polygon (even-odd rule).
  void FillPolygon(const std::vector<TPoint>& Points, TRgba Color);
  // Lays Source over this picture at X, Y, blending by Source's alpha.
  void Draw(int X, int Y, const TRgbaImage& Source);

  // Rows from the top, four bytes per pixel.
  const std::vector<std::uint8_t>& Data() const { return FData; }

private:
  std::size_t Offset(int X, int Y) const;
  int FWidth;
  int FHeight;
  std::vector<std::uint8_t> FData;
};

// The picture as a PNG file (deflate's stored blocks: no compression
// library needed, and a glyph is small).
std::vector<std::uint8_t> EncodePng(const TRgbaImage& Image);

}  // namespace host
