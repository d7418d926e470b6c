// The character set and reading order of a language, given to the form,
// to everything it owns and to the screen's fonts. Controls are reached
// through their published Font, ParentFont, BiDiMode and ParentBiDiMode, so
// any component that publishes them takes part.
#include <deque>

#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/core/Graphics.h"
#include "runtime/AmFormLocal.h"

namespace ambit {

using namespace host;

namespace {

// The four properties the pass sets, and whether the class is a frame,
// looked up once per class and pass: a form of many controls has only a
// few classes.
struct TCharsetProps {
  const TClass* Class = nullptr;
  const TPropInfo* Font = nullptr;
  const TPropInfo* ParentFont = nullptr;
  const TPropInfo* BiDiMode = nullptr;
  const TPropInfo* ParentBiDiMode = nullptr;
  bool Frame = false;
};

class TCharsetPass {
public:
  TCharsetPass(TFontCharset CharSet, TBiDiMode Mode) : FCharSet(CharSet), FMode(Mode) {}
  TFontCharset CharSet() const { return FCharSet; }

  void SetFontCharset(TObject* Obj, const TCharsetProps& p) {
    if (!p.Font || p.Font->Kind != tkClass) return;
    TObject* held = GetObjectProp(Obj, p.Font);
    auto* font = IsFont(held) ? static_cast<TFont*>(held) : nullptr;
    if (font) font->SetCharset(FCharSet);
    // The own font now differs from the parent's: it must not follow the
    // parent's any more, or the next change up the tree would undo it.
    if (held && p.ParentFont && p.ParentFont->Kind == tkEnumeration) SetOrdProp(Obj, p.ParentFont, font ? 0 : 1);
  }

  void SetReadingOrder(TObject* Obj, const TCharsetProps& p) {
    if (p.BiDiMode && p.BiDiMode->Kind == tkEnumeration) SetOrdProp(Obj, p.BiDiMode, FMode);
    if (p.ParentBiDiMode && p.ParentBiDiMode->Kind == tkEnumeration) SetOrdProp(Obj, p.ParentBiDiMode, 0);
  }

  const TCharsetProps& PropsOf(const TObject* Obj) {
    const TClass* cls = &Obj->ClassType();
    if (FLast && FLast->Class == cls) return *FLast;
    for (TCharsetProps& p : FClasses)
      if (p.Class == cls) return *(FLast = &p);
    FClasses.push_back({cls, cls->FindProperty("Font"), cls->FindProperty("ParentFont"), cls->FindProperty("BiDiMode"),
                        cls->FindProperty("ParentBiDiMode"), cls->InheritsFrom(TFrame::StaticClass())});
    return *(FLast = &FClasses.back());
  }

private:
  // Is<TFont>, answered once per class: a form's fonts are of one class.
  bool IsFont(const TObject* Obj) {
    if (!Obj) return false;
    const TClass* cls = &Obj->ClassType();
    if (cls != FHeldClass) {
      FHeldClass = cls;
      FHeldIsFont = cls->InheritsFrom(TFont::StaticClass());
    }
    return FHeldIsFont;
  }

  TFontCharset FCharSet;
  const TClass* FHeldClass = nullptr;
  bool FHeldIsFont = false;
  TBiDiMode FMode;
  std::deque<TCharsetProps> FClasses;  // FLast stays valid as it grows
  TCharsetProps* FLast = nullptr;
};

void Apply(TCharsetPass& Pass, const TAmFormLocalizer& Localizer, TComponent* Component) {
  const bool designing = Localizer.IsDesigning();
  TComponent* form = Localizer.Owner();
  if (!designing && Component == form) {
    TScreen* screen = Screen();
    screen->HintFont()->SetCharset(Pass.CharSet());
    screen->MenuFont()->SetCharset(Pass.CharSet());
    screen->IconFont()->SetCharset(Pass.CharSet());
  }
  if (!Component) return;
  // The designer keeps the form's own font as designed.
  const TCharsetProps& own = Pass.PropsOf(Component);
  if (!designing || Component != form) Pass.SetFontCharset(Component, own);
  Pass.SetReadingOrder(Component, own);
  for (int i = 0; i < Component->ComponentCount(); ++i) {
    TComponent* child = Component->Components(i);
    const TCharsetProps& p = Pass.PropsOf(child);
    Pass.SetFontCharset(child, p);
    Pass.SetReadingOrder(child, p);
    if (p.Frame && Localizer.SaveOptions().Contains(soIncludeFrames)) Apply(Pass, Localizer, child);
  }
}

}  // namespace

void TAmFormLocalizer::ApplyCharsetAndBiDi(TComponent* Component, TFontCharset CharSet, TBiDiMode Mode) {
  TCharsetPass pass(CharSet, Mode);
  Apply(pass, *this, Component);
}

}  // namespace ambit
