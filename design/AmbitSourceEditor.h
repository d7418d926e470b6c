// The language source editor: a modal window listing a source's languages,
// one row each after a first row for the original language, in which the
// user adds, edits, removes, reorders and activates languages. Changes stay
// in the list until they are saved into the source.
#pragma once

#include <string>

#include "design/LanguageDialog.h"
#include "host/controls/Forms.h"

namespace host {
class TImageList;
class TListItem;
class TListView;
class TMenuItem;
class TPopupMenu;
class TStatusBar;
class TToolBar;
class TToolButton;
}  // namespace host

namespace ambit {

class TAmCustomLanguageSource;
class TLanguageInfo;

class TfmLSEditor : public host::TForm {
  HOST_CLASS(TfmLSEditor)
public:
  explicit TfmLSEditor(host::TComponent* AOwner);
  // Frees the rows' language records.
  ~TfmLSEditor() override;

  host::TStatusBar* stEditor = nullptr;
  host::TListView* lvLangs = nullptr;
  host::TToolBar* tbEditor = nullptr;
  host::TToolButton* tbuSave = nullptr;
  host::TToolButton* tbuSeparator1 = nullptr;
  host::TToolButton* tbuAddLanguage = nullptr;
  host::TToolButton* tbuEditLanguage = nullptr;
  host::TToolButton* tbuRemoveLanguage = nullptr;
  host::TToolButton* tbuSeparator2 = nullptr;
  host::TToolButton* tbuSetActiveLanguage = nullptr;
  host::TToolButton* tbuSeparator3 = nullptr;
  host::TToolButton* tbuMoveUp = nullptr;
  host::TToolButton* tbuMoveDown = nullptr;
  host::TImageList* Images = nullptr;
  host::TPopupMenu* pmList = nullptr;
  host::TMenuItem* miSave = nullptr;
  host::TMenuItem* miSeparator1 = nullptr;
  host::TMenuItem* miAddLanguage = nullptr;
  host::TMenuItem* miEditLanguage = nullptr;
  host::TMenuItem* miRemoveLanguage = nullptr;
  host::TMenuItem* miSeparator2 = nullptr;
  host::TMenuItem* miSetActiveLanguage = nullptr;

  // The image of every row and the state image of the row marked active.
  static constexpr int LanguageImage = 0;
  static constexpr int ActiveStateImage = 1;

  TAmCustomLanguageSource* Source() const { return FSource; }
  // Shows Source's languages (the edited source; not owned).
  void SetSource(TAmCustomLanguageSource* Source);
  // True while the list differs from what was last saved.
  bool Modified() const { return FModified; }
  // Rebuilds the rows from the source.
  void FillList();
  // Writes the rows into the source: its languages in row order, and the
  // marked row's language active.
  void SaveChanges();
  // Moves the row at From to To; the rows between shift toward From. Row 0
  // never moves and nothing moves above it.
  void MoveItem(int From, int To);
  void Localize();

  // The commands of the tool bar and the pop-up menu.
  void SaveClick(host::TObject* Sender);
  void AddLanguageClick(host::TObject* Sender);
  void EditLanguageClick(host::TObject* Sender);
  void RemoveLanguageClick(host::TObject* Sender);
  void SetActiveLanguageClick(host::TObject* Sender);
  void MoveUpClick(host::TObject* Sender);
  void MoveDownClick(host::TObject* Sender);
  // The tool buttons follow the list; the menu items follow when it opens.
  void UpdateToolbar();

  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

private:
  void BuildToolBar();
  void BuildPopupMenu();
  void FormCreate(host::TObject* Sender);
  void FormCloseQuery(host::TObject* Sender, bool& CanClose);
  void pmListPopup(host::TObject* Sender);
  void lvLangsDragOver(host::TObject* Sender, host::TObject* DragSource, int X, int Y, host::TDragState State,
                       bool& Accept);
  void lvLangsDragDrop(host::TObject* Sender, host::TObject* DragSource, int X, int Y);

  // Command states.
  bool CanAdd() const;
  bool CanEdit() const;
  bool CanSetActive() const;
  bool CanMoveUp() const;
  bool CanMoveDown() const;

  // Rows.
  static TLanguageInfo* InfoOf(const host::TListItem* Row);
  host::TListItem* AddRow(const std::string& Caption, const std::string& Value, TLanguageInfo* Info, bool Active);
  // The names of every language row but Except.
  TLanguageNames OtherNames(const host::TListItem* Except) const;
  std::string ValueColumnCaption() const;

  TAmCustomLanguageSource* FSource = nullptr;
  bool FModified = false;
};

// Runs the editor modally on Source and frees it afterwards.
void ShowLangSourceEditor(TAmCustomLanguageSource* Source);

}  // namespace ambit
