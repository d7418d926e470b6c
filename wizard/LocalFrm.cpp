#include "wizard/LocalFrm.h"

#include "wizard/PolyformRun.h"

namespace ambit {

using namespace host;

namespace {

template <class T>
T* NewControl(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width, Height);
  return c;
}

TPanel* NewPanel(TForm* Form, const char* Name, TAlign Align, int Height) {
  auto* panel = NewControl<TPanel>(Form, Form, Name, 0, 0, Form->ClientWidth(), Height);
  panel->SetAlign(Align);
  panel->SetBevelOuter(bvNone);
  return panel;
}

}  // namespace

const TClass& TLocalForm::StaticClass() {
  static const TClass cls = TClassBuilder<TLocalForm>("TLocalForm", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TLocalForm::ClassType() const { return StaticClass(); }

TLocalForm::TLocalForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("LocalForm");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(349);
  SetClientHeight(280);

  Panel1 = NewPanel(this, "Panel1", alBottom, 41);
  ExecBtn = NewControl<TBitBtn>(this, Panel1, "ExecBtn", 185, 8, 75, 25);
  ExecBtn->SetDefault(true);
  ExecBtn->SetModalResult(mrOk);
  ExecBtn->SetGlyph(EncodePng(ExecuteGlyph()));
  ExecBtn->SetOnClick([this](TObject* Sender) { ExecBtnClick(Sender); });
  BitBtn2 = NewControl<TBitBtn>(this, Panel1, "BitBtn2", 266, 8, 75, 25);
  BitBtn2->SetCancel(true);
  BitBtn2->SetModalResult(mrCancel);
  BitBtn2->SetGlyph(EncodePng(CancelGlyph()));

  Panel2 = NewPanel(this, "Panel2", alTop, 70);
  Label1 = NewControl<TLabel>(this, Panel2, "Label1", 8, 8, 150, 13);
  LanguageList = NewControl<TComboBox>(this, Panel2, "LanguageList", 8, 24, 161, 21);
  LanguageList->SetStyle(csDropDownList);
  ckRecreated = NewControl<TCheckBox>(this, Panel2, "ckRecreated", 184, 26, 157, 17);
  Label2 = NewControl<TLabel>(this, Panel2, "Label2", 8, 54, 150, 13);

  FormList = NewControl<TCheckListBox>(this, this, "FormList", 8, 70, 333, 169);
  FormList->SetAnchors({akLeft, akTop, akRight, akBottom});
  Label2->SetFocusControl(FormList);
  Label1->SetFocusControl(LanguageList);
  SetActiveControl(LanguageList);
  SetOnCreate([this](TObject*) { Localize(); });
  DoCreate();
}

void TLocalForm::Localize() {
  SetCaption(sLocalForm_Caption);
  ExecBtn->SetCaption(sLocalForm_ExecBtn_Caption);
  BitBtn2->SetCaption(sLocalForm_BitBtn2_Caption);
  Label1->SetCaption(sLocalForm_Label1_Caption);
  Label2->SetCaption(sLocalForm_Label2_Caption);
  ckRecreated->SetCaption(sLocalForm_ckRecreated_Caption);
}

void TLocalForm::SetProjectPatch(const std::string& ProjectFileName) {
  FExclusionFile = ExclusionFileName(ProjectFileName);
}

void TLocalForm::SetCheckList() {
  TStringList excluded;
  ReadExclusionFile(FExclusionFile, &excluded);
  for (int i = 0; i < FormList->Count(); ++i)
    FormList->SetChecked(i, !IsChosenForm(&excluded, FormList->Items()->Get(i)));
}

void TLocalForm::ExecBtnClick(TObject*) {
  TStringList excluded;
  for (int i = 0; i < FormList->Count(); ++i)
    if (!FormList->Checked(i)) excluded.Add(FormList->Items()->Get(i));
  WriteExclusionFile(FExclusionFile, &excluded);
}

// ---- glyphs ----

// A green check mark and a red cross, each stroke about three pixels wide.
TRgbaImage TLocalForm::ExecuteGlyph() {
  TRgbaImage glyph(16, 16);
  glyph.FillPolygon({{2, 9}, {4, 7}, {7, 10}, {12, 4}, {14, 6}, {7, 13}}, RgbaOf(0x328C1E));
  return glyph;
}

TRgbaImage TLocalForm::CancelGlyph() {
  TRgbaImage glyph(16, 16);
  const TRgba red = RgbaOf(0x1E28C8);
  glyph.FillPolygon({{3, 5}, {5, 3}, {13, 11}, {11, 13}}, red);
  glyph.FillPolygon({{11, 3}, {13, 5}, {5, 13}, {3, 11}}, red);
  return glyph;
}

}  // namespace ambit
