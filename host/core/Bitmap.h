// A picture held in memory that code draws without a window toolkit (the
// glyph of a button, say): 32-bit pixels 0xAARRGGBB, transparent where
// nothing was drawn. A widgetset shows the pixels as they are.
#pragma once

#include <cstdint>
#include <vector>

#include "host/core/Graphics.h"

namespace host {

class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int Width, int Height) { SetSize(Width, Height); }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // A new size clears the picture; negative sizes count as 0.
  void SetSize(int Width, int Height);

  // 0 (transparent) outside the picture.
  std::uint32_t Pixel(int X, int Y) const;
  // Ignored outside the picture.
  void SetPixel(int X, int Y, std::uint32_t Argb);
  // Rows top to bottom, Width() pixels each.
  const std::vector<std::uint32_t>& Pixels() const { return FPixels; }

  // Opaque 0xAARRGGBB of a host colour (0x00BBGGRR); system colours are
  // not pictures' business and give black.
  static std::uint32_t ColorToArgb(TColor Color, std::uint8_t Alpha = 255);

  // Drawing blends Argb over what is there. The rectangle covers
  // Left <= x < Right, Top <= y < Bottom.
  void FillRect(int Left, int Top, int Right, int Bottom, std::uint32_t Argb);
  // A line of the given thickness between pixel centres, its edges
  // smoothed.
  void Line(double X1, double Y1, double X2, double Y2, double Thickness, std::uint32_t Argb);
  // Blends Argb over the pixel with the extra Coverage (0..1).
  void Blend(int X, int Y, std::uint32_t Argb, double Coverage = 1.0);

  bool operator==(const TBitmap& Other) const = default;

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint32_t> FPixels;
};

}  // namespace host
