// Fonts, colours, reading order and alignment: the visual values that the
// control models publish and that localization changes.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/Events.h"
#include "host/core/TypInfo.h"

namespace host {

using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
// System colours carry the high bit, as in the host.
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);

// Font character sets: a byte.
using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset MAC_CHARSET = 77;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset JOHAB_CHARSET = 130;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset GREEK_CHARSET = 161;
constexpr TFontCharset TURKISH_CHARSET = 162;
constexpr TFontCharset VIETNAMESE_CHARSET = 163;
constexpr TFontCharset HEBREW_CHARSET = 177;
constexpr TFontCharset ARABIC_CHARSET = 178;
constexpr TFontCharset BALTIC_CHARSET = 186;
constexpr TFontCharset RUSSIAN_CHARSET = 204;
constexpr TFontCharset THAI_CHARSET = 222;
constexpr TFontCharset EASTEUROPE_CHARSET = 238;
constexpr TFontCharset OEM_CHARSET = 255;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TTypeInfo& TypeInfoOf(TBiDiMode*);

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const TTypeInfo& TypeInfoOf(TAlignment*);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TTypeInfo& TypeInfoOf(TFontStyle*);

class TFont : public TPersistent {
  HOST_CLASS(TFont)
public:
  TFont() = default;

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Height in pixels as the host stores it (negative: character height).
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // Size in points at 96 pixels per inch; derived from Height.
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);

  void Assign(const TPersistent* Source) override;
  // The same for a source known to be a font, without the class test: a
  // control takes its parent's font this way each time it is placed.
  void Assign(const TFont& Source);
  bool Equals(const TFont& Other) const;

  // Fired after every change.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  void Changed();

  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  int FHeight = -11;
  std::string FName = "Tahoma";
  TFontStyles FStyle;
  TNotifyEvent FOnChange;
};

}  // namespace host
