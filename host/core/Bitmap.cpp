#include "host/core/Bitmap.h"

#include <algorithm>
#include <cmath>

namespace host {

void TBitmap::SetSize(int Width, int Height) {
  FWidth = std::max(0, Width);
  FHeight = std::max(0, Height);
  FPixels.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), 0u);
}

std::uint32_t TBitmap::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  return FPixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(X)];
}

void TBitmap::SetPixel(int X, int Y, std::uint32_t Argb) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  FPixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(X)] = Argb;
}

std::uint32_t TBitmap::ColorToArgb(TColor Color, std::uint8_t Alpha) {
  if (Color < 0) Color = clBlack;
  const auto c = static_cast<std::uint32_t>(Color);
  const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  return (static_cast<std::uint32_t>(Alpha) << 24) | (r << 16) | (g << 8) | b;
}

void TBitmap::Blend(int X, int Y, std::uint32_t Argb, double Coverage) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight || Coverage <= 0) return;
  const double sa = ((Argb >> 24) & 0xFF) / 255.0 * std::min(Coverage, 1.0);
  if (sa <= 0) return;
  const std::uint32_t dst = Pixel(X, Y);
  const double da = ((dst >> 24) & 0xFF) / 255.0;
  const double oa = sa + da * (1 - sa);
  // Source over destination, on straight (not premultiplied) channels.
  auto channel = [&](int Shift) {
    const double s = (Argb >> Shift) & 0xFF, d = (dst >> Shift) & 0xFF;
    return static_cast<std::uint32_t>(std::lround((s * sa + d * da * (1 - sa)) / oa)) << Shift;
  };
  const auto alpha = static_cast<std::uint32_t>(std::lround(oa * 255)) << 24;
  SetPixel(X, Y, alpha | channel(16) | channel(8) | channel(0));
}

void TBitmap::FillRect(int Left, int Top, int Right, int Bottom, std::uint32_t Argb) {
  for (int y = std::max(Top, 0); y < std::min(Bottom, FHeight); ++y)
    for (int x = std::max(Left, 0); x < std::min(Right, FWidth); ++x) Blend(x, y, Argb);
}

void TBitmap::Line(double X1, double Y1, double X2, double Y2, double Thickness, std::uint32_t Argb) {
  const double half = Thickness / 2;
  const double dx = X2 - X1, dy = Y2 - Y1;
  const double length2 = dx * dx + dy * dy;
  const int left = static_cast<int>(std::floor(std::min(X1, X2) - half - 1));
  const int right = static_cast<int>(std::ceil(std::max(X1, X2) + half + 1));
  const int top = static_cast<int>(std::floor(std::min(Y1, Y2) - half - 1));
  const int bottom = static_cast<int>(std::ceil(std::max(Y1, Y2) + half + 1));
  // Each pixel is covered by how far its centre lies inside the stroke,
  // a pixel's width of smoothing at the edge.
  for (int y = std::max(top, 0); y <= std::min(bottom, FHeight - 1); ++y)
    for (int x = std::max(left, 0); x <= std::min(right, FWidth - 1); ++x) {
      double t = length2 > 0 ? ((x - X1) * dx + (y - Y1) * dy) / length2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double distance = std::hypot(x - (X1 + t * dx), y - (Y1 + t * dy));
      Blend(x, y, Argb, std::clamp(half + 0.5 - distance, 0.0, 1.0));
    }
}

}  // namespace host
