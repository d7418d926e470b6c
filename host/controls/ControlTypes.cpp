#include "host/controls/ControlTypes.h"

#include <string>
#include <vector>

#include "host/core/CaseFold.h"

namespace host {

#define HOST_ENUM_INFO(E, ...)                                        \
  const TTypeInfo& TypeInfoOf(E*) {                                   \
    static const TTypeInfo info = MakeEnumInfo(#E, {__VA_ARGS__});    \
    return info;                                                      \
  }

HOST_ENUM_INFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
HOST_ENUM_INFO(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
HOST_ENUM_INFO(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
HOST_ENUM_INFO(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
HOST_ENUM_INFO(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
HOST_ENUM_INFO(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")
HOST_ENUM_INFO(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
HOST_ENUM_INFO(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
HOST_ENUM_INFO(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer")
HOST_ENUM_INFO(TBevelStyle, "bsLowered", "bsRaised")
HOST_ENUM_INFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
HOST_ENUM_INFO(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")
HOST_ENUM_INFO(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")
HOST_ENUM_INFO(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")
HOST_ENUM_INFO(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")
HOST_ENUM_INFO(TEdgeBorder, "ebLeft", "ebTop", "ebRight", "ebBottom")
HOST_ENUM_INFO(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")
HOST_ENUM_INFO(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
               "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs",
               "goRowSelect", "goAlwaysShowEditor", "goThumbTracking")
HOST_ENUM_INFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
               "bkIgnore", "bkAll")
HOST_ENUM_INFO(TDragMode, "dmManual", "dmAutomatic")
HOST_ENUM_INFO(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")
HOST_ENUM_INFO(TSortType, "stNone", "stData", "stText", "stBoth")
HOST_ENUM_INFO(TPopupAlignment, "paLeft", "paRight", "paCenter")

#undef HOST_ENUM_INFO

TShortCut ShortCut(TKey Key, TShiftState Shift) {
  TShortCut result = Key & 0xFF;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

namespace {

struct KeyName {
  TKey Key;
  const char* Name;
};

const std::vector<KeyName>& KeyNames() {
  static const std::vector<KeyName> names = {
      {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
      {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
      {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
  };
  return names;
}

std::string KeyText(TKey key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key < VK_F1 + 24) return std::string("F").append(std::to_string(key - VK_F1 + 1));
  for (const auto& k : KeyNames())
    if (k.Key == key) return k.Name;
  return {};
}

}  // namespace

std::string ShortCutToText(TShortCut Value) {
  const std::string key = KeyText(static_cast<TKey>(Value & 0xFF));
  if (key.empty()) return {};
  std::string out;
  if (Value & scShift) out += "Shift+";
  if (Value & scCtrl) out += "Ctrl+";
  if (Value & scAlt) out += "Alt+";
  return out + key;
}

TShortCut TextToShortCut(std::string_view Text) {
  TShortCut mods = 0;
  std::string_view rest = Text;
  for (;;) {
    if (rest.size() > 6 && SameText(rest.substr(0, 6), "Shift+")) {
      mods |= scShift;
      rest.remove_prefix(6);
    } else if (rest.size() > 5 && SameText(rest.substr(0, 5), "Ctrl+")) {
      mods |= scCtrl;
      rest.remove_prefix(5);
    } else if (rest.size() > 4 && SameText(rest.substr(0, 4), "Alt+")) {
      mods |= scAlt;
      rest.remove_prefix(4);
    } else {
      break;
    }
  }
  for (int key = 1; key < 256; ++key) {
    const std::string name = KeyText(static_cast<TKey>(key));
    if (!name.empty() && SameText(name, rest)) return mods | key;
  }
  return scNone;
}

}  // namespace host
