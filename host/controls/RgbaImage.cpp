#include "host/controls/RgbaImage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace host {

TRgba RgbaOf(TColor Color, std::uint8_t Alpha) {
  if (Color < 0) return {0, 0, 0, Alpha};
  return {static_cast<std::uint8_t>(Color & 0xFF), static_cast<std::uint8_t>((Color >> 8) & 0xFF),
          static_cast<std::uint8_t>((Color >> 16) & 0xFF), Alpha};
}

TRgbaImage::TRgbaImage(int Width, int Height, TRgba Fill)
    : FWidth(std::max(0, Width)), FHeight(std::max(0, Height)),
      FData(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight) * 4) {
  Clear(Fill);
}

std::size_t TRgbaImage::Offset(int X, int Y) const {
  return (static_cast<std::size_t>(Y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(X)) * 4;
}

TRgba TRgbaImage::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return rgbaTransparent;
  const std::uint8_t* p = &FData[Offset(X, Y)];
  return {p[0], p[1], p[2], p[3]};
}

void TRgbaImage::SetPixel(int X, int Y, TRgba Color) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  std::uint8_t* p = &FData[Offset(X, Y)];
  p[0] = Color.R;
  p[1] = Color.G;
  p[2] = Color.B;
  p[3] = Color.A;
}

void TRgbaImage::Clear(TRgba Color) { FillRect({0, 0, FWidth, FHeight}, Color); }

void TRgbaImage::FillRect(const TRect& R, TRgba Color) {
  const int left = std::max(0, R.Left), right = std::min(FWidth, R.Right);
  const int top = std::max(0, R.Top), bottom = std::min(FHeight, R.Bottom);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) SetPixel(x, y, Color);
}

void TRgbaImage::FrameRect(const TRect& R, TRgba Color) {
  if (R.IsEmpty()) return;
  FillRect({R.Left, R.Top, R.Right, R.Top + 1}, Color);
  FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom}, Color);
  FillRect({R.Left, R.Top, R.Left + 1, R.Bottom}, Color);
  FillRect({R.Right - 1, R.Top, R.Right, R.Bottom}, Color);
}

void TRgbaImage::Line(int X1, int Y1, int X2, int Y2, TRgba Color) {
  // Bresenham: every step moves one pixel along the longer axis.
  const int dx = std::abs(X2 - X1), dy = -std::abs(Y2 - Y1);
  const int sx = X1 < X2 ? 1 : -1, sy = Y1 < Y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    SetPixel(X1, Y1, Color);
    if (X1 == X2 && Y1 == Y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      X1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      Y1 += sy;
    }
  }
}

void TRgbaImage::FillEllipse(const TRect& R, TRgba Color) {
  if (R.IsEmpty()) return;
  const double cx = (R.Left + R.Right) / 2.0, cy = (R.Top + R.Bottom) / 2.0;
  const double rx = R.Width() / 2.0, ry = R.Height() / 2.0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) SetPixel(x, y, Color);
    }
}

void TRgbaImage::FillPolygon(const std::vector<TPoint>& Points, TRgba Color) {
  if (Points.size() < 3) return;
  for (int y = 0; y < FHeight; ++y) {
    const double py = y + 0.5;
    std::vector<double> crossings;
    for (std::size_t i = 0; i < Points.size(); ++i) {
      const TPoint a = Points[i], b = Points[(i + 1) % Points.size()];
      if ((a.Y <= py) == (b.Y <= py)) continue;
      crossings.push_back(a.X + (py - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
      for (int x = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
           x < FWidth && x + 0.5 < crossings[i + 1]; ++x)
        SetPixel(x, y, Color);
  }
}

void TRgbaImage::Draw(int X, int Y, const TRgbaImage& Source) {
  for (int y = 0; y < Source.Height(); ++y)
    for (int x = 0; x < Source.Width(); ++x) {
      const TRgba s = Source.Pixel(x, y);
      if (s.A == 0) continue;
      const TRgba d = Pixel(X + x, Y + y);
      // Source over destination, straight (not premultiplied) alpha.
      const double sa = s.A / 255.0, da = d.A / 255.0 * (1.0 - sa), a = sa + da;
      auto mix = [&](std::uint8_t sc, std::uint8_t dc) {
        return static_cast<std::uint8_t>(std::lround((sc * sa + dc * da) / a));
      };
      SetPixel(X + x, Y + y, {mix(s.R, d.R), mix(s.G, d.G), mix(s.B, d.B), static_cast<std::uint8_t>(std::lround(a * 255))});
    }
}

// ---- PNG ---------------------------------------------------------------------------

namespace {

std::uint32_t Crc32(const std::uint8_t* Data, std::size_t Size, std::uint32_t Crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  Crc = ~Crc;
  for (std::size_t i = 0; i < Size; ++i) Crc = table[(Crc ^ Data[i]) & 0xFFu] ^ (Crc >> 8);
  return ~Crc;
}

void Put32(std::vector<std::uint8_t>& Out, std::uint32_t V) {
  for (int shift = 24; shift >= 0; shift -= 8) Out.push_back(static_cast<std::uint8_t>(V >> shift));
}

void Chunk(std::vector<std::uint8_t>& Out, std::string_view Type, const std::vector<std::uint8_t>& Data) {
  Put32(Out, static_cast<std::uint32_t>(Data.size()));
  const std::size_t start = Out.size();
  Out.insert(Out.end(), Type.begin(), Type.end());
  Out.insert(Out.end(), Data.begin(), Data.end());
  Put32(Out, Crc32(&Out[start], Out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TRgbaImage& Image) {
  // The filtered scan lines: a filter byte of 0 (none) before each row.
  const std::size_t row = static_cast<std::size_t>(Image.Width()) * 4;
  std::vector<std::uint8_t> raw;
  raw.reserve((row + 1) * static_cast<std::size_t>(Image.Height()));
  for (int y = 0; y < Image.Height(); ++y) {
    raw.push_back(0);
    const auto begin = Image.Data().begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y));
    raw.insert(raw.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
  }
  // A zlib stream of stored deflate blocks, then the Adler-32 of the data.
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t len = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(len & 0xFF));
    z.push_back(static_cast<std::uint8_t>(len >> 8));
    z.push_back(static_cast<std::uint8_t>(~len & 0xFF));
    z.push_back(static_cast<std::uint8_t>((~len >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + len));
    at += len;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t c : raw) {
    a = (a + c) % 65521u;
    b = (b + a) % 65521u;
  }
  Put32(z, (b << 16) | a);

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  Put32(header, static_cast<std::uint32_t>(Image.Width()));
  Put32(header, static_cast<std::uint32_t>(Image.Height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  return png;
}

}  // namespace host
