// Helpers for the class records of the controls: each adds one of the
// properties most controls publish, with its usual default and stored
// predicate, so that every class lists its properties in one place and in
// the host's order without repeating those details.
#pragma once

#include "host/controls/ActnList.h"
#include "host/controls/Control.h"
#include "host/controls/Menus.h"
#include "host/controls/WinControl.h"
#include "host/core/TypInfo.h"

namespace host::publish {

template <class C>
void Action(TClassBuilder<C>& b) {
  b.Prop("Action", &TControl::Action, &TControl::SetAction);
}
template <class C>
void Align(TClassBuilder<C>& b, TAlign def = alNone) {
  b.Prop("Align", &TControl::Align, &TControl::SetAlign).Default(def);
}
template <class C>
void Anchors(TClassBuilder<C>& b) {
  b.Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors)
      .Default(static_cast<std::int64_t>(TAnchors{akLeft, akTop}.Mask()));
}
template <class C>
void BiDiMode(TClassBuilder<C>& b) {
  b.Prop("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
      .Default(bdLeftToRight)
      .Stored([](const C& c) { return !c.ParentBiDiMode(); });
}
template <class C>
void Caption(TClassBuilder<C>& b) {
  b.Prop("Caption", &TControl::Caption, &TControl::SetCaption)
      .StrRef(&TControl::TextRef)
      .Stored([](const C& c) { return c.IsCaptionStored(); });
}
template <class C>
void Text(TClassBuilder<C>& b) {
  b.Prop("Text", &TControl::Text, &TControl::SetText).StrRef(&TControl::TextRef);
}
template <class C>
void Color(TClassBuilder<C>& b, TColor def) {
  b.Prop("Color", &TControl::Color, &TControl::SetColor).Default(def).Stored([](const C& c) {
    return !c.ParentColor();
  });
}
template <class C>
void Constraints(TClassBuilder<C>& b) {
  b.Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints);
}
template <class C>
void DragMode(TClassBuilder<C>& b) {
  b.Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
}
template <class C>
void Enabled(TClassBuilder<C>& b) {
  b.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true).Stored([](const C& c) {
    return c.IsEnabledStored();
  });
}
template <class C>
void Font(TClassBuilder<C>& b) {
  b.Prop("Font", &TControl::Font, &TControl::SetFont).Stored([](const C& c) { return !c.ParentFont(); });
}
template <class C>
void ParentBiDiMode(TClassBuilder<C>& b) {
  b.Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
}
template <class C>
void ParentColor(TClassBuilder<C>& b, bool def = false) {
  b.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(def);
}
template <class C>
void ParentFont(TClassBuilder<C>& b, bool def = true) {
  b.Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(def);
}
template <class C>
void ParentShowHint(TClassBuilder<C>& b) {
  b.Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
}
template <class C>
void PopupMenu(TClassBuilder<C>& b) {
  b.Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
}
template <class C>
void ShowHint(TClassBuilder<C>& b) {
  b.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored([](const C& c) {
    return !c.ParentShowHint();
  });
}
template <class C>
void TabOrder(TClassBuilder<C>& b) {
  b.Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
}
template <class C>
void TabStop(TClassBuilder<C>& b, bool def) {
  b.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(def);
}
template <class C>
void Visible(TClassBuilder<C>& b) {
  b.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true).Stored([](const C& c) {
    return c.IsVisibleStored();
  });
}

// The events, by name.
template <class C>
void OnClick(TClassBuilder<C>& b) {
  b.Prop("OnClick", &TControl::OnClick, &TControl::SetOnClick);
}
template <class C>
void OnContextPopup(TClassBuilder<C>& b) {
  b.Prop("OnContextPopup", &TControl::OnContextPopup, &TControl::SetOnContextPopup);
}
template <class C>
void OnDblClick(TClassBuilder<C>& b) {
  b.Prop("OnDblClick", &TControl::OnDblClick, &TControl::SetOnDblClick);
}
template <class C>
void OnDragDrop(TClassBuilder<C>& b) {
  b.Prop("OnDragDrop", &TControl::OnDragDrop, &TControl::SetOnDragDrop);
}
template <class C>
void OnDragOver(TClassBuilder<C>& b) {
  b.Prop("OnDragOver", &TControl::OnDragOver, &TControl::SetOnDragOver);
}
template <class C>
void OnEndDrag(TClassBuilder<C>& b) {
  b.Prop("OnEndDrag", &TControl::OnEndDrag, &TControl::SetOnEndDrag);
}
template <class C>
void OnEnter(TClassBuilder<C>& b) {
  b.Prop("OnEnter", &TWinControl::OnEnter, &TWinControl::SetOnEnter);
}
template <class C>
void OnExit(TClassBuilder<C>& b) {
  b.Prop("OnExit", &TWinControl::OnExit, &TWinControl::SetOnExit);
}
template <class C>
void OnKeyDown(TClassBuilder<C>& b) {
  b.Prop("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown);
}
template <class C>
void OnKeyPress(TClassBuilder<C>& b) {
  b.Prop("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress);
}
template <class C>
void OnKeyUp(TClassBuilder<C>& b) {
  b.Prop("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
}
template <class C>
void OnMouseDown(TClassBuilder<C>& b) {
  b.Prop("OnMouseDown", &TControl::OnMouseDown, &TControl::SetOnMouseDown);
}
template <class C>
void OnMouseMove(TClassBuilder<C>& b) {
  b.Prop("OnMouseMove", &TControl::OnMouseMove, &TControl::SetOnMouseMove);
}
template <class C>
void OnMouseUp(TClassBuilder<C>& b) {
  b.Prop("OnMouseUp", &TControl::OnMouseUp, &TControl::SetOnMouseUp);
}
template <class C>
void OnResize(TClassBuilder<C>& b) {
  b.Prop("OnResize", &TControl::OnResize, &TControl::SetOnResize);
}
template <class C>
void OnStartDrag(TClassBuilder<C>& b) {
  b.Prop("OnStartDrag", &TControl::OnStartDrag, &TControl::SetOnStartDrag);
}

// The mouse and drag events most windowed controls publish, in order.
template <class C>
void DragEvents(TClassBuilder<C>& b) {
  OnDragDrop(b);
  OnDragOver(b);
  OnEndDrag(b);
}
template <class C>
void KeyEvents(TClassBuilder<C>& b) {
  OnKeyDown(b);
  OnKeyPress(b);
  OnKeyUp(b);
}
template <class C>
void MouseEvents(TClassBuilder<C>& b) {
  OnMouseDown(b);
  OnMouseMove(b);
  OnMouseUp(b);
}

}  // namespace host::publish
