// The form localizer editor's pictures, drawn in code at 16 by 16: the tool
// bar's glyphs, the component tree's included and excluded marks, and the
// property tree's check boxes.
#include "design/AmbitFormEditor.h"
#include "design/DesignForms.h"
#include "host/controls/ImgList.h"
#include "host/controls/RgbaImage.h"
#include "host/controls/ToolBar.h"
#include "host/controls/TreeView.h"

namespace ambit {

using namespace host;

namespace {

constexpr int Size = 16;
const TRgba Ink = RgbaOf(0x404040);
const TRgba Paper = RgbaOf(0xFFFFFF);
const TRgba Green = RgbaOf(0x209020);
const TRgba Red = RgbaOf(0x2020C8);
const TRgba Blue = RgbaOf(0x905020);
const TRgba Grey = RgbaOf(0xA0A0A0);

TRgbaImage Blank() { return TRgbaImage(Size, Size); }

// A stroke two pixels wide.
void Thick(TRgbaImage& I, int X1, int Y1, int X2, int Y2, TRgba Color) {
  I.Line(X1, Y1, X2, Y2, Color);
  I.Line(X1 + 1, Y1, X2 + 1, Y2, Color);
}

void Check(TRgbaImage& I, TRgba Color) {
  Thick(I, 3, 8, 6, 11, Color);
  Thick(I, 6, 11, 12, 4, Color);
}

void Cross(TRgbaImage& I, int Left, int Top, int Right, int Bottom, TRgba Color) {
  Thick(I, Left, Top, Right - 1, Bottom, Color);
  Thick(I, Left, Bottom, Right - 1, Top, Color);
}

// A sheet with lines of text.
void Sheet(TRgbaImage& I) {
  I.FillRect({2, 1, 12, 15}, Paper);
  I.FrameRect({2, 1, 12, 15}, Ink);
  for (int y = 4; y < 13; y += 3) I.Line(4, y, 9, y, Grey);
}

TRgbaImage SaveGlyph() {
  TRgbaImage i = Blank();
  i.FillRect({1, 1, 15, 15}, Blue);
  i.FillRect({4, 1, 12, 6}, Grey);
  i.FillRect({9, 2, 11, 5}, Blue);
  i.FillRect({3, 9, 13, 15}, Paper);
  return i;
}

TRgbaImage ReloadGlyph() {
  TRgbaImage i = Blank();
  i.FillEllipse({1, 1, 15, 15}, Green);
  i.FillEllipse({4, 4, 12, 12}, rgbaTransparent);
  i.FillPolygon({{8, 0}, {16, 0}, {16, 8}, {8, 8}}, rgbaTransparent);
  i.FillPolygon({{8, 0}, {13, 4}, {8, 8}}, Green);  // the arrow's head
  return i;
}

TRgbaImage ClearGlyph() {
  TRgbaImage i = Blank();
  Sheet(i);
  Cross(i, 8, 8, 15, 15, Red);
  return i;
}

TRgbaImage AddGlyph() {
  TRgbaImage i = Blank();
  i.FillRect({6, 2, 10, 14}, Green);
  i.FillRect({2, 6, 14, 10}, Green);
  return i;
}

TRgbaImage EditGlyph() {
  TRgbaImage i = Blank();
  i.FillPolygon({{11, 1}, {15, 5}, {6, 14}, {2, 10}}, RgbaOf(0x30B0E0));
  i.FillPolygon({{2, 10}, {6, 14}, {1, 15}}, Ink);
  i.Line(11, 1, 15, 5, Red);
  return i;
}

TRgbaImage RemoveGlyph() {
  TRgbaImage i = Blank();
  i.FillRect({2, 6, 14, 10}, Red);
  return i;
}

TRgbaImage ActiveGlyph() {
  TRgbaImage i = Blank();
  i.FillRect({2, 1, 4, 15}, Ink);
  i.FillPolygon({{4, 1}, {14, 4}, {4, 8}}, Red);
  return i;
}

TRgbaImage CheckBox(bool Checked) {
  TRgbaImage i = Blank();
  i.FillRect({1, 1, 15, 15}, Paper);
  i.FrameRect({1, 1, 15, 15}, Ink);
  if (Checked) Check(i, Ink);
  return i;
}

}  // namespace

void TfmFLEditor::CreateImages() {
  auto* glyphs = NewComponent<TImageList>(this, "ilToolBar");
  for (const TRgbaImage& glyph :
       {SaveGlyph(), ReloadGlyph(), ClearGlyph(), AddGlyph(), EditGlyph(), RemoveGlyph(), ActiveGlyph()})
    glyphs->Add(glyph);
  ToolBar1->SetImages(glyphs);
  int index = 0;
  for (TToolButton* b : {tbuSave, tbuReload, buClear, tbuAddLanguage, tbuEditLanguage, tbuRemoveLanguage,
                         tbuActiveLanguage})
    b->SetImageIndex(index++);

  // State 1 included, state 2 excluded; index 0 is no state.
  auto* states = NewComponent<TImageList>(this, "ilStates");
  TRgbaImage included = Blank();
  Check(included, Green);
  TRgbaImage excluded = Blank();
  Cross(excluded, 3, 3, 13, 12, Red);
  for (const TRgbaImage& state : {Blank(), included, excluded}) states->Add(state);
  tvComponents->SetStateImages(states);

  // Image 0 included, 1 not included (also every class node with children).
  auto* boxes = NewComponent<TImageList>(this, "ilPropNames");
  boxes->Add(CheckBox(true));
  boxes->Add(CheckBox(false));
  tvPropNames->SetImages(boxes);
}

}  // namespace ambit
