#include "design/AmbitSourceEditor.h"

#include <memory>

#include "design/AmbitAddLang.h"
#include "design/AmbitDConsts.h"
#include "design/AmbitGlyphs.h"
#include "design/DesignForms.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ImgList.h"
#include "host/controls/ListView.h"
#include "host/controls/Menus.h"
#include "host/controls/StatusBar.h"
#include "host/controls/ToolBar.h"
#include "runtime/Ambit.h"

namespace ambit {

using namespace host;

namespace {
// Rows without a language record (the original language) are drawn grey.
constexpr TColor GreyText = 0x808080;
}  // namespace

const TClass& TfmLSEditor::StaticClass() {
  static const TClass cls = TClassBuilder<TfmLSEditor>("TfmLSEditor", &TForm::StaticClass()).Build();
  return cls;
}
const TClass& TfmLSEditor::ClassType() const { return StaticClass(); }

TfmLSEditor::TfmLSEditor(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmLSEditor");
  SetBorderIcons({biSystemMenu, biMaximize});
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 514, 343);
  Constraints()->SetMinWidth(400);
  Constraints()->SetMinHeight(250);
  Images = NewComponent<TImageList>(this, "Images");
  AddLanguageEditorGlyphs(Images);
  BuildToolBar();
  stEditor = NewControl<TStatusBar>(this, this, "stEditor", 0, 324, 514, 19);
  stEditor->SetSimplePanel(true);
  lvLangs = NewControl<TListView>(this, this, "lvLangs", 0, 27, 514, 297);
  lvLangs->SetAlign(alClient);
  lvLangs->SetViewStyle(vsReport);
  lvLangs->SetReadOnly(true);
  lvLangs->SetRowSelect(true);
  lvLangs->SetHideSelection(false);
  lvLangs->SetDragMode(dmAutomatic);
  lvLangs->SetSmallImages(Images);
  lvLangs->SetStateImages(Images);
  lvLangs->Columns()->Add()->SetWidth(150);
  lvLangs->Columns()->Add()->SetWidth(300);
  lvLangs->SetTabOrder(0);
  BuildPopupMenu();
  lvLangs->SetPopupMenu(pmList);
  lvLangs->SetOnDeletion([](TObject*, TListItem* Row) { delete InfoOf(Row); });
  lvLangs->SetOnChange([this](TObject*, TListItem*, TItemChange) { UpdateToolbar(); });
  lvLangs->SetOnDblClick([this](TObject* Sender) { EditLanguageClick(Sender); });
  lvLangs->SetOnDragOver([this](TObject* Sender, TObject* DragSource, int X, int Y, TDragState State, bool& Accept) {
    lvLangsDragOver(Sender, DragSource, X, Y, State, Accept);
  });
  lvLangs->SetOnDragDrop(
      [this](TObject* Sender, TObject* DragSource, int X, int Y) { lvLangsDragDrop(Sender, DragSource, X, Y); });
  lvLangs->SetOnCustomDrawItem([this](TObject*, TListItem* Row, TCustomDrawState, bool&) {
    if (!InfoOf(Row)) lvLangs->Canvas()->Font()->SetColor(GreyText);
  });
  SetActiveControl(lvLangs);
  SetOnCloseQuery([this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); });
  SetOnCreate([this](TObject* Sender) { FormCreate(Sender); });
  DoCreate();
}

TfmLSEditor::~TfmLSEditor() {
  // The list view does not report deletions once it is going.
  lvLangs->Items()->Clear();
  if (FSource) FSource->RemoveFreeNotification(this);
}

void TfmLSEditor::BuildToolBar() {
  tbEditor = NewControl<TToolBar>(this, this, "tbEditor", 0, 0, 514, 27);
  tbEditor->SetAlign(alTop);
  tbEditor->SetFlat(true);
  tbEditor->SetButtonWidth(26);
  tbEditor->SetButtonHeight(25);
  tbEditor->SetEdgeBorders({ebTop, ebBottom});
  tbEditor->SetImages(Images);
  tbEditor->SetAutoSize(true);
  auto button = [this](const char* Name, int Image, void (TfmLSEditor::*Click)(TObject*)) {
    auto* b = NewComponent<TToolButton>(this, Name);
    b->SetImageIndex(Image);
    if (Click) b->SetOnClick([this, Click](TObject* Sender) { (this->*Click)(Sender); });
    b->SetShowHint(true);
    b->SetParent(tbEditor);
    return b;
  };
  auto separator = [this](const char* Name) {
    auto* b = NewComponent<TToolButton>(this, Name);
    b->SetStyle(tbsSeparator);
    b->SetWidth(8);
    b->SetParent(tbEditor);
    return b;
  };
  tbuSave = button("tbuSave", 6, &TfmLSEditor::SaveClick);
  tbuSeparator1 = separator("tbuSeparator1");
  tbuAddLanguage = button("tbuAddLanguage", 2, &TfmLSEditor::AddLanguageClick);
  tbuEditLanguage = button("tbuEditLanguage", 3, &TfmLSEditor::EditLanguageClick);
  tbuRemoveLanguage = button("tbuRemoveLanguage", 4, &TfmLSEditor::RemoveLanguageClick);
  tbuSeparator2 = separator("tbuSeparator2");
  tbuSetActiveLanguage = button("tbuSetActiveLanguage", 5, &TfmLSEditor::SetActiveLanguageClick);
  tbuSeparator3 = separator("tbuSeparator3");
  tbuMoveUp = button("tbuMoveUp", 8, &TfmLSEditor::MoveUpClick);
  tbuMoveDown = button("tbuMoveDown", 9, &TfmLSEditor::MoveDownClick);
  tbuMoveUp->SetEnabled(false);
  tbuMoveDown->SetEnabled(false);
}

void TfmLSEditor::BuildPopupMenu() {
  pmList = NewComponent<TPopupMenu>(this, "pmList");
  pmList->SetImages(Images);
  auto item = [this](const char* Name, void (TfmLSEditor::*Click)(TObject*)) {
    auto* m = NewComponent<TMenuItem>(this, Name);
    if (Click)
      m->SetOnClick([this, Click](TObject* Sender) { (this->*Click)(Sender); });
    else
      m->SetCaption("-");
    pmList->Items()->Add(m);
    return m;
  };
  miSave = item("miSave", &TfmLSEditor::SaveClick);
  miSeparator1 = item("miSeparator1", nullptr);
  miAddLanguage = item("miAddLanguage", &TfmLSEditor::AddLanguageClick);
  miEditLanguage = item("miEditLanguage", &TfmLSEditor::EditLanguageClick);
  miEditLanguage->SetDefault(true);
  miRemoveLanguage = item("miRemoveLanguage", &TfmLSEditor::RemoveLanguageClick);
  miSeparator2 = item("miSeparator2", nullptr);
  miSetActiveLanguage = item("miSetActiveLanguage", &TfmLSEditor::SetActiveLanguageClick);
  pmList->SetOnPopup([this](TObject* Sender) { pmListPopup(Sender); });
}

void TfmLSEditor::FormCreate(TObject*) {
  Localize();
  UpdateToolbar();
}

void TfmLSEditor::Localize() {
  lvLangs->Columns()->Items(0)->SetCaption(sLSEditor_colLanguage_Caption);
  lvLangs->Columns()->Items(1)->SetCaption(ValueColumnCaption());
  const struct {
    TToolButton* Button;
    const char* Caption;
    const char* Hint;
  } buttons[] = {
      {tbuSave, sLSEditor_tbuSave_Caption, sLSEditor_tbuSave_Hint},
      {tbuAddLanguage, sLSEditor_tbuAddLanguage_Caption, sLSEditor_tbuAddLanguage_Hint},
      {tbuEditLanguage, sLSEditor_tbuEditLanguage_Caption, sLSEditor_tbuEditLanguage_Hint},
      {tbuRemoveLanguage, sLSEditor_tbuRemoveLanguage_Caption, sLSEditor_tbuRemoveLanguage_Hint},
      {tbuSetActiveLanguage, sLSEditor_tbuSetActiveLanguage_Caption, sLSEditor_tbuSetActiveLanguage_Hint},
      {tbuMoveUp, sLSEditor_tbuMoveUp_Caption, sLSEditor_tbuMoveUp_Hint},
      {tbuMoveDown, sLSEditor_tbuMoveDown_Caption, sLSEditor_tbuMoveDown_Hint},
  };
  for (const auto& b : buttons) {
    b.Button->SetCaption(b.Caption);
    b.Button->SetHint(b.Hint);
  }
  miSave->SetCaption(sLSEditor_miSave_Caption);
  miAddLanguage->SetCaption(sLSEditor_miAddLanguage_Caption);
  miEditLanguage->SetCaption(sLSEditor_miEditLanguage_Caption);
  miRemoveLanguage->SetCaption(sLSEditor_miRemoveLanguage_Caption);
  miSetActiveLanguage->SetCaption(sLSEditor_miSetActiveLanguage_Caption);
}

std::string TfmLSEditor::ValueColumnCaption() const {
  return As<TAmFileLanguageSource>(FSource) ? sLSEditor_colFilename_Caption : sLSEditor_colValue_Caption;
}

void TfmLSEditor::SetSource(TAmCustomLanguageSource* Source) {
  if (Source == FSource) return;
  if (FSource) FSource->RemoveFreeNotification(this);
  FSource = Source;
  if (FSource) FSource->FreeNotification(this);
  SetCaption(FSource ? Format(sLSEditor_Caption, {FSource->Name(), FSource->ClassName()}) : std::string());
  lvLangs->Columns()->Items(1)->SetCaption(ValueColumnCaption());
  FillList();
}

void TfmLSEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  // The source went while the editor was open: nothing is left to save into.
  if (Operation == opRemove && AComponent == FSource) {
    FSource = nullptr;
    FModified = false;
    if (!IsDestroying()) UpdateToolbar();
  }
}

// ---- rows ----

TLanguageInfo* TfmLSEditor::InfoOf(const TListItem* Row) {
  return Row ? static_cast<TLanguageInfo*>(Row->Data()) : nullptr;
}

TListItem* TfmLSEditor::AddRow(const std::string& Caption, const std::string& Value, TLanguageInfo* Info,
                               bool Active) {
  TListItem* row = lvLangs->Items()->Add();
  row->SetData(Info);
  row->SetCaption(Caption);
  row->SubItems()->Add(Value);
  row->SetImageIndex(LanguageImage);
  row->SetStateIndex(Active ? ActiveStateImage : -1);
  return row;
}

void TfmLSEditor::FillList() {
  TListItems* rows = lvLangs->Items();
  rows->BeginUpdate();  // nothing here raises: the bracket needs no guard
  rows->Clear();
  if (FSource) {
    const int active = FSource->ActiveLanguage();
    AddRow(FSource->OriginalName(), sLSEditor_NoneValue, nullptr, active == -1);
    const TStrings* languages = FSource->Languages();
    for (int i = 0; i < languages->Count(); ++i) {
      // Each line's own value: a later line of an equal name keeps its own.
      const std::string name = languages->Names(i);
      const std::string value = languages->ValueFromIndex(i);
      AddRow(name, value, new TLanguageInfo{name, value}, active == i);
    }
  }
  rows->EndUpdate();
  UpdateToolbar();
}

TLanguageNames TfmLSEditor::OtherNames(const TListItem* Except) const {
  TLanguageNames names;
  for (int i = 0; i < lvLangs->Items()->Count(); ++i) {
    const TListItem* row = lvLangs->Items()->Items(i);
    if (row != Except && InfoOf(row)) names.push_back(InfoOf(row)->Name);
  }
  return names;
}

// ---- command states ----

bool TfmLSEditor::CanAdd() const { return FSource != nullptr; }

bool TfmLSEditor::CanEdit() const { return CanAdd() && InfoOf(lvLangs->Selected()); }

bool TfmLSEditor::CanSetActive() const {
  const TListItem* row = lvLangs->Selected();
  return CanAdd() && row && row->StateIndex() != ActiveStateImage;
}

bool TfmLSEditor::CanMoveUp() const { return lvLangs->ItemIndex() >= 2; }

bool TfmLSEditor::CanMoveDown() const {
  const int index = lvLangs->ItemIndex();
  return index >= 1 && index < lvLangs->Items()->Count() - 1;
}

void TfmLSEditor::UpdateToolbar() {
  tbuSave->SetEnabled(FSource && FModified);
  tbuAddLanguage->SetEnabled(CanAdd());
  tbuEditLanguage->SetEnabled(CanEdit());
  tbuRemoveLanguage->SetEnabled(CanEdit());
  tbuSetActiveLanguage->SetEnabled(CanSetActive());
  tbuMoveUp->SetEnabled(CanMoveUp());
  tbuMoveDown->SetEnabled(CanMoveDown());
}

void TfmLSEditor::pmListPopup(TObject*) {
  miSave->SetEnabled(FSource && FModified);
  miAddLanguage->SetEnabled(CanAdd());
  miEditLanguage->SetEnabled(CanEdit());
  miRemoveLanguage->SetEnabled(CanEdit());
  miSetActiveLanguage->SetEnabled(CanSetActive());
}

// ---- drag and drop, closing ----

void TfmLSEditor::lvLangsDragOver(TObject*, TObject* DragSource, int X, int Y, TDragState, bool& Accept) {
  const TListItem* target = lvLangs->GetItemAt(X, Y);
  Accept = DragSource == lvLangs && target && target->Index() > 0;
}

void TfmLSEditor::lvLangsDragDrop(TObject*, TObject*, int X, int Y) {
  TListItem* target = lvLangs->GetItemAt(X, Y);
  TListItem* selected = lvLangs->Selected();
  if (target && selected && target != selected) MoveItem(selected->Index(), target->Index());
}

void TfmLSEditor::FormCloseQuery(TObject*, bool& CanClose) {
  if (!FModified) return;
  CanClose = AskSaveOnClose(sSourceSaveChanges, [this] { SaveChanges(); });
}

void ShowLangSourceEditor(TAmCustomLanguageSource* Source) {
  auto form = std::make_unique<TfmLSEditor>(nullptr);
  form->SetSource(Source);
  form->ShowModal();
}

}  // namespace ambit
