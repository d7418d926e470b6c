// The enumerations, sets and small value types the control models share,
// each with the type record that reflection and form files use.
#pragma once

#include <cstdint>

#include "host/core/Graphics.h"
#include "host/core/Set.h"
#include "host/core/TypInfo.h"

namespace host {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TTypeInfo& TypeInfoOf(TAlign*);

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
const TTypeInfo& TypeInfoOf(TAnchorKind*);

// Forms use every value; panels, edits and list views only bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
const TTypeInfo& TypeInfoOf(TFormBorderStyle*);

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TTypeInfo& TypeInfoOf(TBorderIcon*);

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
const TTypeInfo& TypeInfoOf(TPosition*);

enum TCloseAction { caNone, caHide, caFree, caMinimize };
const TTypeInfo& TypeInfoOf(TCloseAction*);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const TTypeInfo& TypeInfoOf(TWindowState*);

// Modal results are plain integers, as in the host.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo& TypeInfoOf(TBevelCut*);
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const TTypeInfo& TypeInfoOf(TBevelShape*);
enum TBevelStyle { bsLowered, bsRaised };
const TTypeInfo& TypeInfoOf(TBevelStyle*);

enum TTextLayout { tlTop, tlCenter, tlBottom };
const TTypeInfo& TypeInfoOf(TTextLayout*);

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TTypeInfo& TypeInfoOf(TScrollStyle*);

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const TTypeInfo& TypeInfoOf(TComboBoxStyle*);

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TTypeInfo& TypeInfoOf(TCheckBoxState*);

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TTypeInfo& TypeInfoOf(TToolButtonStyle*);

enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
const TTypeInfo& TypeInfoOf(TEdgeBorder*);

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
const TTypeInfo& TypeInfoOf(TViewStyle*);

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
const TTypeInfo& TypeInfoOf(TGridOption*);

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
const TTypeInfo& TypeInfoOf(TBitBtnKind*);

enum TDragMode { dmManual, dmAutomatic };
const TTypeInfo& TypeInfoOf(TDragMode*);
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
const TTypeInfo& TypeInfoOf(TTabPosition*);

enum TSortType { stNone, stData, stText, stBoth };
const TTypeInfo& TypeInfoOf(TSortType*);

enum TCustomDrawStateItem { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot };
using TCustomDrawState = TSet<TCustomDrawStateItem>;

enum TPopupAlignment { paLeft, paRight, paCenter };
const TTypeInfo& TypeInfoOf(TPopupAlignment*);

// Virtual key codes the models react to (the peers translate their own).
using TKey = std::uint16_t;
constexpr TKey VK_BACK = 0x08;
constexpr TKey VK_TAB = 0x09;
constexpr TKey VK_RETURN = 0x0D;
constexpr TKey VK_ESCAPE = 0x1B;
constexpr TKey VK_SPACE = 0x20;
constexpr TKey VK_PRIOR = 0x21;
constexpr TKey VK_NEXT = 0x22;
constexpr TKey VK_END = 0x23;
constexpr TKey VK_HOME = 0x24;
constexpr TKey VK_LEFT = 0x25;
constexpr TKey VK_UP = 0x26;
constexpr TKey VK_RIGHT = 0x27;
constexpr TKey VK_DOWN = 0x28;
constexpr TKey VK_INSERT = 0x2D;
constexpr TKey VK_DELETE = 0x2E;
constexpr TKey VK_F1 = 0x70;
constexpr TKey VK_F2 = 0x71;

// A shortcut is the key code plus modifier bits, stored as an integer.
using TShortCut = int;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(TKey Key, TShiftState Shift);
// "Ctrl+S", "Shift+Alt+F2"; empty for scNone.
std::string ShortCutToText(TShortCut Value);
// The reverse of ShortCutToText, ignoring case; scNone when not understood.
TShortCut TextToShortCut(std::string_view Text);

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Left/Top inclusive, Right/Bottom exclusive, as in the host.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  bool operator==(const TRect&) const = default;
};

}  // namespace host
