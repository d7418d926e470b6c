// The character set and reading order of a language, given to the form,
// to everything it owns and to the screen's fonts. Controls are reached
// through their published Font, ParentFont, BiDiMode and ParentBiDiMode, so
// any component that publishes them takes part.
#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/core/Graphics.h"
#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

namespace {

void SetFontCharset(TObject* Obj, TFontCharset CharSet) {
  const TPropInfo* fontProp = GetPropInfo(Obj, "Font");
  if (!fontProp || fontProp->Kind != tkClass) return;
  TObject* held = GetObjectProp(Obj, fontProp);
  auto* font = As<TFont>(held);
  if (font) font->SetCharset(CharSet);
  // The own font now differs from the parent's: it must not follow the
  // parent's any more, or the next change up the tree would undo it.
  const TPropInfo* parentFont = GetPropInfo(Obj, "ParentFont");
  if (held && parentFont && parentFont->Kind == tkEnumeration) SetOrdProp(Obj, parentFont, font ? 0 : 1);
}

void SetReadingOrder(TObject* Obj, TBiDiMode Mode) {
  const TPropInfo* mode = GetPropInfo(Obj, "BiDiMode");
  if (mode && mode->Kind == tkEnumeration) SetOrdProp(Obj, mode, Mode);
  const TPropInfo* parent = GetPropInfo(Obj, "ParentBiDiMode");
  if (parent && parent->Kind == tkEnumeration) SetOrdProp(Obj, parent, 0);
}

}  // namespace

void TAmFormLocalizer::ApplyCharsetAndBiDi(TComponent* Component, TFontCharset CharSet, TBiDiMode Mode) {
  const bool designing = IsDesigning();
  TComponent* form = Owner();
  if (!designing && Component == form) {
    TScreen* screen = Screen();
    screen->HintFont()->SetCharset(CharSet);
    screen->MenuFont()->SetCharset(CharSet);
    screen->IconFont()->SetCharset(CharSet);
  }
  if (!Component) return;
  // The designer keeps the form's own font as designed.
  if (!designing || Component != form) SetFontCharset(Component, CharSet);
  SetReadingOrder(Component, Mode);
  for (int i = 0; i < Component->ComponentCount(); ++i) {
    TComponent* child = Component->Components(i);
    SetFontCharset(child, CharSet);
    SetReadingOrder(child, Mode);
    if (Is<TFrame>(child) && FSaveOptions.Contains(soIncludeFrames)) ApplyCharsetAndBiDi(child, CharSet, Mode);
  }
}

}  // namespace ambit
