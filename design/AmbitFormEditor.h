// The form localizer editor: a modal window over one form localizer that
// shows the form's components in a tree and, for the chosen component, a
// grid with one row per localizable property and one column per language
// (the original value, then each language of the source), so that texts
// are translated in place. Every edit stays in the editor's working copies
// until it is saved.
//
// Grid layout: row 0 holds the headers, column 0 the property paths;
// column 1 is the original value (language index -1, entry 0 of the
// language list) and column c >= 2 is language index c-2 (entry c-1).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "design/AmbitAddLang.h"
#include "design/LanguageDialog.h"
#include "design/AmbitPropsEngine.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/core/Strings.h"
#include "runtime/Ambit.h"

namespace host {
class TCheckBox;
class TGroupBox;
class TPageControl;
class TPanel;
class TSpeedButton;
class TSplitter;
class TStatusBar;
class TStringGrid;
class TTabSheet;
class TToolBar;
class TToolButton;
class TTreeNode;
class TTreeView;
}  // namespace host

namespace ambit {

class TAmCustomLanguageSource;
class TAmFileLanguageSource;
class TAmFormLocalizer;

// One pending edit of one grid cell. Value is plain text; Language is the
// column's language index (-1 for the original value).
class TCellChange {
public:
  explicit TCellChange(host::TComponent* AComponent)
      : Component(AComponent), ComponentName(AComponent ? AComponent->Name() : std::string()) {}
  // Null once the component was freed: the editor hears of it.
  host::TComponent* Component;
  // Names the edit when it cannot be saved.
  std::string ComponentName;
  std::string PropName;
  std::string Value;
  int Language = -1;
};

// The pending edits, at most one per (component, path, language); owns them.
class TChangesList {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises host::EListError for an index outside the list.
  TCellChange* Items(int Index) const;
  TCellChange* Add(std::unique_ptr<TCellChange> Item);
  void Delete(int Index);
  // Drops the edits of Language; those of later languages move down by one.
  void DeleteLanguage(int Language);
  void Clear() { FItems.clear(); }
  int IndexOf(const TCellChange* Item) const;
  // Paths compare exactly; null when there is none.
  TCellChange* FindItem(const host::TComponent* Component, std::string_view PropName, int Language) const;

private:
  std::vector<std::unique_ptr<TCellChange>> FItems;
};

// An entry of the language menu: a radio item that owns its language record
// and remembers which language of the source it was read from (-1 for the
// original), so that its column keeps showing that language's texts after
// other entries went. An added language comes from no source language.
class TLanguageEntry : public host::TMenuItem {
public:
  static constexpr int NoSourceLanguage = -2;
  TLanguageEntry(host::TComponent* AOwner, std::unique_ptr<TLanguageInfo> Info, int SourceIndex);
  TLanguageInfo* Info() const { return FInfo.get(); }
  int SourceIndex() const { return FSourceIndex; }

private:
  std::unique_ptr<TLanguageInfo> FInfo;
  int FSourceIndex;
};

class TfmFLEditor : public host::TForm {
  HOST_CLASS(TfmFLEditor)
public:
  explicit TfmFLEditor(host::TComponent* AOwner);
  ~TfmFLEditor() override;

  // ---- the controls ----
  host::TToolBar* ToolBar1 = nullptr;
  host::TToolButton* tbuSave = nullptr;
  host::TToolButton* tbuReload = nullptr;
  host::TToolButton* buClear = nullptr;
  host::TToolButton* tbuAddLanguage = nullptr;
  host::TToolButton* tbuEditLanguage = nullptr;
  host::TToolButton* tbuRemoveLanguage = nullptr;
  host::TToolButton* tbuActiveLanguage = nullptr;
  host::TTreeView* tvComponents = nullptr;
  host::TPanel* paClient = nullptr;
  host::TStringGrid* sgPropValues = nullptr;
  host::TSpeedButton* buEditStrings = nullptr;
  host::TPageControl* pcOptions = nullptr;
  host::TTabSheet* tsPropNames = nullptr;
  host::TTreeView* tvPropNames = nullptr;
  host::TTabSheet* tsOptions = nullptr;
  host::TGroupBox* gbSaveOptions = nullptr;
  host::TCheckBox* chSaveEmpty = nullptr;
  host::TCheckBox* chIncludeFrames = nullptr;
  host::TCheckBox* chClearBeforeSave = nullptr;
  host::TStatusBar* StatusBar1 = nullptr;
  host::TPopupMenu* pmComponents = nullptr;
  host::TMenuItem* miExclude = nullptr;
  host::TMenuItem* miExcludeAll = nullptr;
  host::TMenuItem* miInclude = nullptr;
  host::TMenuItem* miIncludeAll = nullptr;
  host::TPopupMenu* pmPropNames = nullptr;
  host::TMenuItem* miIncludeProperty = nullptr;
  host::TMenuItem* miExcludeProperty = nullptr;
  host::TPopupMenu* pmLanguages = nullptr;

  // ---- the model ----
  TAmFormLocalizer* Localizer() const { return FLocalizer; }
  void SetLocalizer(TAmFormLocalizer* Value);
  // Whether unsaved edits exist.
  bool GetModified() const;
  // Rebuilds the language list from the source.
  void GetAvailableLangs();
  // Drops every pending edit and reads the localizer and its source again.
  void Reload();
  // Writes the working lists, options, languages and pending edits into the
  // localizer, its source and the stores, then applies the chosen language.
  // An edit whose component has left the form is skipped and reported; an
  // error of the source leaves the edits pending and reaches the caller.
  void SaveChanges();
  // The file-name hook the editor installs on a file source around reads.
  void GetFileName(host::TObject* Sender, std::string& FileName);
  // A freed component's pending edits stay, without their component, so
  // that saving reports them instead of touching freed memory.
  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

  TAmbitProps* Props() const { return FProps.get(); }
  host::TStrings* PropNames() const { return FPropNames.get(); }
  host::TStrings* Excluded() const { return FExcluded.get(); }
  TChangesList* Changes() const { return FChanges.get(); }
  // The language entries, entry 0 being the original language.
  int LanguageCount() const;
  TLanguageEntry* Languages(int Index) const;
  // The text of one cell: the pending edit, else the stored value (the
  // live or snapshot original for Language -1, else the value stored for
  // the language of that entry).
  std::string GetCellValue(const host::TTreeNode* Node, host::TComponent* Component, int Language);

  // ---- the views ----
  void FillTree();
  void FillPropNames(host::TComponent* Component);
  void FillPropValues(host::TComponent* Component);
  void FillOptions();
  void UpdateButtons();
  void SetButtonPos(int ACol, int ARow, bool Enabled);
  void Localize();
  // The component of the selected tree node; null for none.
  host::TComponent* SelectedComponent() const;
  // The component a node of the component tree carries.
  static host::TComponent* ComponentOf(const host::TTreeNode* Node);
  // The state images of the component tree's nodes.
  static constexpr int IncludedState = 1;
  static constexpr int ExcludedState = 2;

private:
  // Layout (AmbitFormEditorLayout.cpp).
  void FormCreate(host::TObject* Sender);
  void CreateControls();
  void CreateToolBar();
  void CreateMenus();
  void CreateOptionsArea();
  // The pictures (AmbitFormEditorImages.cpp).
  void CreateImages();
  void BindHandlers();

  // Model (AmbitFormEditorModel.cpp).
  // Drops the pending edits and the stored texts read, and takes the
  // localizer's lists again.
  void CopyLocalizerLists();
  // A cell's text without its pending edit: what is stored for it.
  std::string StoredValue(const host::TTreeNode* Node, host::TComponent* Component, int Language);
  std::string OriginalValue(const host::TTreeNode* Node, host::TComponent* Component) const;
  // The records of the form's section in source language Index, read once
  // and kept until Reload or Clear: a language file is not opened per cell.
  const host::TStringList* StoredSection(int Index);
  // Reads the sections of every listed source language that is not kept yet,
  // all inside one update bracket with the file-name hook installed.
  void LoadStoredSections(const std::vector<int>& Indexes);
  // Runs Body with the source inside its update bracket and the file-name
  // hook installed; afterwards, also when Body raises, the source's active
  // language is the one it had, the hook is gone and the bracket closed.
  void InSourceBracket(const std::function<void()>& Body);
  // Records a committed cell text (grid editor, strings editor).
  void RecordEdit(int ACol, int ARow, const std::string& Text);
  // Whether the working excluded list differs from the localizer's.
  bool ExcludedChanged() const;
  bool SourceAllowsEditing() const;
  TAmFileLanguageSource* FileSource() const;
  TAmCustomLanguageSource* Source() const;
  void AddLanguageEntry(std::unique_ptr<TLanguageInfo> Info, int SourceIndex);
  void CheckActiveEntry();
  // Marks every component node from the working excluded list.
  void MarkExcluded();

  // Views (AmbitFormEditorViews.cpp).
  void AddComponentNode(host::TTreeNode* Parent, host::TComponent* Component);
  bool IsFrameRelated(const host::TTreeNode* Node) const;
  // Excluded when the working list names the component, else included.
  int StateOf(const host::TComponent* Component) const;
  void RefillGrid();
  void tvComponentsChange(host::TTreeNode* Node);
  void sgPropValuesSelectCell(int ACol, int ARow);
  // Whether the strings-editor button belongs on a cell of row ARow.
  bool ButtonWanted(int ARow) const;
  void sgPropValuesTopLeftChanged();

  // Commands (AmbitFormEditorCommands.cpp).
  // The names of the language entries but entry Except and the original.
  TLanguageNames OtherLanguageNames(int Except) const;
  void buEditStringsClick();
  void tbuAddLanguageClick();
  void tbuEditLanguageClick();
  void tbuRemoveLanguageClick();
  void pmLanguagesItemClick(host::TMenuItem* Item);
  void pmComponentsPopup();
  void miExcludeClick(bool Whole);
  void miIncludeClick(bool Whole);
  void tvPropNamesMouseDown();
  void pmIncludeClick(host::TMenuItem* Item);
  void chSaveEmptyClick(host::TCheckBox* Box);
  void buClearClick();
  void tbuReloadClick();

  // Saving (AmbitFormEditorSaving.cpp).
  // Save, then reload only when the save succeeded.
  void tbuSaveClick();
  void FormCloseQuery(host::TObject* Sender, bool& CanClose);
  // Rebuilds the source's languages and writes the pending edits; the
  // record paths of edits that were skipped go into Skipped.
  void SaveToSource(TAmCustomLanguageSource* Source, std::vector<std::string>& Skipped);
  void SaveChange(TAmCustomLanguageSource* Source, const TCellChange& Change, const std::string& Record,
                  int Started);
  // The entry index of the checked language entry; 0 (the original) when
  // none is checked.
  int CheckedEntry() const;
  // Checks "Include frames" without running its click handler.
  void CheckIncludeFrames();

  std::unique_ptr<TAmbitProps> FProps;
  TAmFormLocalizer* FLocalizer = nullptr;
  std::unique_ptr<host::TStringList> FPropNames;
  std::unique_ptr<host::TStringList> FExcluded;
  std::unique_ptr<TChangesList> FChanges;
  bool FModified = false;
  bool FUpdatingOptions = false;
  TAmLangFileNameEvent FOldGetFileName;
  std::map<int, std::unique_ptr<host::TStringList>> FStored;
};

// Shows the editor modally on Localizer and frees it afterwards.
void ShowFormLocalizerEditor(TAmFormLocalizer* Localizer);

// Installs Hook as a file source's OnGetFileName for the scope's life,
// keeping the source's own handler in Old (where the hook finds it) and
// putting it back when the scope ends, also by an exception. Without a
// file source it does nothing.
class TFileNameHookScope {
public:
  TFileNameHookScope(TAmFileLanguageSource* Files, TAmLangFileNameEvent& Old, TAmLangFileNameEvent Hook);
  ~TFileNameHookScope();
  TFileNameHookScope(const TFileNameHookScope&) = delete;
  TFileNameHookScope& operator=(const TFileNameHookScope&) = delete;

private:
  TAmFileLanguageSource* FFiles;
  TAmLangFileNameEvent& FOld;
};

// The file name a source opens at design time: an absolute name as it is; a
// relative one as it is for a component in design state, otherwise under
// the folder of the running program.
std::string GetNewFileName(host::TObject* Sender, const std::string& FileName);

}  // namespace ambit
