#include "design/AmbitGlyphs.h"

#include <functional>
#include <vector>

#include "host/controls/ImgList.h"
#include "host/controls/RgbaImage.h"

namespace ambit {

using namespace host;

namespace {

constexpr int Size = 16;
const TRgba Ink{40, 40, 40, 255};
const TRgba Blue{38, 102, 192, 255};
const TRgba LightBlue{150, 196, 240, 255};
const TRgba Green{36, 150, 60, 255};
const TRgba Red{200, 40, 40, 255};
const TRgba Yellow{236, 190, 60, 255};
const TRgba White{255, 255, 255, 255};

// A line Width pixels thick (square brush).
void ThickLine(TRgbaImage& I, int X1, int Y1, int X2, int Y2, int Width, TRgba Color) {
  for (int dx = 0; dx < Width; ++dx)
    for (int dy = 0; dy < Width; ++dy) I.Line(X1 + dx, Y1 + dy, X2 + dx, Y2 + dy, Color);
}

void Globe(TRgbaImage& I) {
  I.FillEllipse({1, 1, 15, 15}, Blue);
  I.FillEllipse({5, 2, 11, 14}, LightBlue);
  I.FillEllipse({6, 3, 10, 13}, Blue);
  I.Line(2, 8, 13, 8, LightBlue);
  I.Line(3, 4, 12, 4, LightBlue);
  I.Line(3, 11, 12, 11, LightBlue);
}

void ActiveMark(TRgbaImage& I) {
  I.FillEllipse({1, 1, 15, 15}, Green);
  ThickLine(I, 4, 8, 6, 10, 2, White);
  ThickLine(I, 6, 10, 11, 4, 2, White);
}

void Plus(TRgbaImage& I) {
  I.FillRect({6, 2, 10, 14}, Green);
  I.FillRect({2, 6, 14, 10}, Green);
}

void Pencil(TRgbaImage& I) {
  I.FillPolygon({{10, 1}, {14, 5}, {6, 13}, {2, 9}}, Yellow);
  I.FillPolygon({{2, 9}, {6, 13}, {1, 15}}, Ink);
  I.Line(10, 1, 14, 5, Ink);
}

void Cross(TRgbaImage& I) {
  ThickLine(I, 3, 3, 11, 11, 3, Red);
  ThickLine(I, 11, 3, 3, 11, 3, Red);
}

void SetActive(TRgbaImage& I) {
  I.FillEllipse({1, 1, 15, 15}, Green);
  I.FillEllipse({3, 3, 13, 13}, White);
  I.FillEllipse({5, 5, 11, 11}, Green);
}

void Disk(TRgbaImage& I) {
  I.FillRect({1, 1, 15, 15}, Blue);
  I.FillRect({4, 1, 12, 6}, White);
  I.FillRect({9, 2, 11, 5}, Blue);
  I.FillRect({3, 9, 13, 15}, LightBlue);
}

void Arrow(TRgbaImage& I, bool Up) {
  auto y = [Up](int V) { return Up ? V : Size - V; };
  I.FillPolygon({{8, y(1)}, {15, y(8)}, {1, y(8)}}, Blue);
  I.FillRect(Up ? TRect{5, 8, 11, 15} : TRect{5, 1, 11, 8}, Blue);
}

}  // namespace

void AddLanguageEditorGlyphs(TImageList* Images) {
  Images->SetWidth(Size);
  Images->SetHeight(Size);
  const std::vector<std::function<void(TRgbaImage&)>> glyphs{
      Globe,
      ActiveMark,
      Plus,
      Pencil,
      Cross,
      SetActive,
      Disk,
      [](TRgbaImage&) {},
      [](TRgbaImage& I) { Arrow(I, true); },
      [](TRgbaImage& I) { Arrow(I, false); },
  };
  for (const auto& draw : glyphs) {
    TRgbaImage picture(Size, Size);
    draw(picture);
    Images->Add(picture);
  }
}

}  // namespace ambit
