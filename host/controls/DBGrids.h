// TDBGrid: the columns of a database grid (field name, title, width) with
// its options. The grid shows no rows by itself here; the columns and their
// titles are what forms store and what the localizer translates.
#pragma once

#include <functional>
#include <memory>

#include "host/controls/WinControl.h"
#include "host/core/Collection.h"

namespace host {

enum TDBGridOption {
  dgEditing,
  dgAlwaysShowEditor,
  dgTitles,
  dgIndicator,
  dgColumnResize,
  dgColLines,
  dgRowLines,
  dgTabs,
  dgRowSelect,
  dgAlwaysShowSelection,
  dgConfirmDelete,
  dgCancelOnExit,
  dgMultiSelect
};
using TDBGridOptions = TSet<TDBGridOption>;
const TTypeInfo& TypeInfoOf(TDBGridOption*);

using TDBGridClickEvent = std::function<void(TObject* Sender, TColumn* Column)>;

class TDBGrid : public TCustomControl {
  HOST_CLASS(TDBGrid)
public:
  explicit TDBGrid(TComponent* AOwner);
  ~TDBGrid() override;

  TDBGridColumns* Columns() const { return FColumns.get(); }
  void SetColumns(const TDBGridColumns* Value) { FColumns->Assign(Value); }
  TDBGridOptions Options() const { return FOptions; }
  void SetOptions(TDBGridOptions Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TFont* TitleFont() const { return FTitleFont.get(); }
  void SetTitleFont(const TFont* Value) { FTitleFont->Assign(Value); }
  // The column the current cell is in; -1 without columns.
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);

  // Reported by the peer.
  void UserCellClick(int ColumnIndex);
  void UserTitleClick(int ColumnIndex);
  // The user dragged a column's edge.
  void UserSetColumnWidth(int ColumnIndex, int Width);

  const TDBGridClickEvent& OnCellClick() const { return FOnCellClick; }
  void SetOnCellClick(TDBGridClickEvent Value) { FOnCellClick = std::move(Value); }
  const TDBGridClickEvent& OnTitleClick() const { return FOnTitleClick; }
  void SetOnTitleClick(TDBGridClickEvent Value) { FOnTitleClick = std::move(Value); }
  const TNotifyEvent& OnColEnter() const { return FOnColEnter; }
  void SetOnColEnter(TNotifyEvent Value) { FOnColEnter = std::move(Value); }

protected:
  void PushPeerState() override;

private:
  std::unique_ptr<TDBGridColumns> FColumns;
  std::unique_ptr<TFont> FTitleFont;
  TDBGridOptions FOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
                          dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit};
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  int FSelectedIndex = -1;
  TDBGridClickEvent FOnCellClick;
  TDBGridClickEvent FOnTitleClick;
  TNotifyEvent FOnColEnter;
};

}  // namespace host
