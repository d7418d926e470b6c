#include "host/core/Graphics.h"

#include <cmath>

namespace host {

const TTypeInfo& TypeInfoOf(TBiDiMode*) {
  static const TTypeInfo info = MakeEnumInfo(
      "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
  return info;
}

const TTypeInfo& TypeInfoOf(TAlignment*) {
  static const TTypeInfo info = MakeEnumInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TTypeInfo& TypeInfoOf(TFontStyle*) {
  static const TTypeInfo info = MakeEnumInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TClass& TFont::StaticClass() {
  static const TClass cls = TClassBuilder<TFont>("TFont", &TPersistent::StaticClass())
                                .Prop("Charset", &TFont::Charset, &TFont::SetCharset)
                                .Default(DEFAULT_CHARSET)
                                .Prop("Color", &TFont::Color, &TFont::SetColor)
                                .Default(clWindowText)
                                .Prop("Height", &TFont::Height, &TFont::SetHeight)
                                .Default(-11)
                                .Prop("Name", &TFont::Name, &TFont::SetName)
                                .Stored([](const TFont& f) { return f.Name() != "Tahoma"; })
                                .Prop("Size", &TFont::Size, &TFont::SetSize)
                                .Stored(false)
                                .Prop("Style", &TFont::Style, &TFont::SetStyle)
                                .Default(0)
                                .Build();
  return cls;
}
const TClass& TFont::ClassType() const { return StaticClass(); }

void TFont::Changed() {
  if (FOnChange) FOnChange(this);
}

void TFont::SetCharset(TFontCharset Value) {
  if (FCharset == Value) return;
  FCharset = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (FHeight == Value) return;
  FHeight = Value;
  Changed();
}

void TFont::SetName(const std::string& Value) {
  if (FName == Value || Value.empty()) return;
  FName = Value;
  Changed();
}

int TFont::Size() const { return static_cast<int>(std::lround(-FHeight * 72.0 / 96.0)); }

void TFont::SetSize(int Value) { SetHeight(-static_cast<int>(std::lround(Value * 96.0 / 72.0))); }

void TFont::SetStyle(TFontStyles Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

bool TFont::Equals(const TFont& Other) const {
  return FCharset == Other.FCharset && FColor == Other.FColor && FHeight == Other.FHeight && FName == Other.FName &&
         FStyle == Other.FStyle;
}

void TFont::Assign(const TPersistent* Source) {
  if (const auto* src = As<TFont>(Source)) {
    Assign(*src);
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this || Equals(Source)) return;
  FCharset = Source.FCharset;
  FColor = Source.FColor;
  FHeight = Source.FHeight;
  FName = Source.FName;
  FStyle = Source.FStyle;
  Changed();
}

}  // namespace host
