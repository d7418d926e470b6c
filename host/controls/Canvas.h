// The drawing state a custom-draw handler may change before a widget paints
// an item: the font and the background colour. The models draw nothing
// themselves; a peer asks the handler and paints with what it left here.
#pragma once

#include "host/core/Graphics.h"

namespace host {

class TCanvas {
public:
  TFont* Font() { return &FFont; }
  const TFont* Font() const { return &FFont; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value) { FBrushColor = Value; }
  // Back to the given font and colour, before each item is drawn.
  void Reset(const TFont* AFont, TColor ABrushColor) {
    FFont.Assign(AFont);
    FBrushColor = ABrushColor;
  }

private:
  TFont FFont;
  TColor FBrushColor = clWindow;
};

}  // namespace host
