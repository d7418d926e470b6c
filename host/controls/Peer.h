// The seam between the control models and a widgetset. A model owns all of
// its state and works without a peer; when a widgetset is installed in the
// application, showing a form creates a peer for each of its controls. The
// model then pushes its whole state into the new peer (one Changed call per
// aspect the class has) and reports every later change the same way. The
// peer reads the values through the model's getters, so a change carries no
// payload, and it reports what the user does by calling the model's User*
// methods and event methods (Click, Change, ...), which update the model
// without echoing the change back and fire the events.
#pragma once

#include <memory>
#include <optional>

#include "host/core/TreeNodes.h"

namespace host {

class TControl;
class TMenu;
class TMenuItem;
class TListItem;
class IDialogs;

// What changed in a control model. Each class pushes the aspects it has.
enum TPeerChange {
  // Every control
  pcBounds,       // Left, Top, Width, Height (already laid out by Align)
  pcVisible,
  pcEnabled,
  pcText,         // Caption or Text
  pcHint,         // Hint and ShowHint
  pcFont,         // the control's own Font (already following its parent's when ParentFont)
  pcColor,
  pcBiDiMode,     // the effective BiDiMode
  pcPopupMenu,
  pcConstraints,  // minimum and maximum size
  pcTabOrder,
  pcDragMode,
  // Texts and edits
  pcAlignment,    // TAlignment of labels, panels, edits, memo
  pcLayout,       // TLabel.Layout
  pcAutoSize,
  pcWordWrap,
  pcReadOnly,
  pcMaxLength,
  pcPasswordChar,
  pcScrollBars,
  pcFocusControl,
  // Buttons and check boxes
  pcChecked,      // Checked or State, Down of speed and tool buttons
  pcDefault,      // Default and Cancel
  pcKind,         // TBitBtn.Kind and Glyph, TComboBox.Style, TToolButton.Style, TBevel Shape/Style
  pcFlat,
  pcGroupIndex,
  pcImageIndex,
  pcImages,       // Images, SmallImages, StateImages
  pcDropdownMenu,
  // Lists
  pcItems,        // the whole item list (TStrings items, memo lines, list view items)
  pcItemIndex,    // the current item (ItemIndex, Selected node or item)
  pcItemChecked,  // the check marks of a check list box
  pcMultiSelect,
  pcSorted,
  pcViewStyle,
  pcColumns,      // list view or database grid columns
  pcListOptions,  // RowSelect, Checkboxes, ShowColumnHeaders, HideSelection, tree view line options
  // Grids
  pcGridSize,     // ColCount, RowCount, FixedCols, FixedRows, default sizes
  pcColWidths,
  pcRowHeights,
  pcCells,        // every cell; single cells come through CellChanged
  pcCurrentCell,  // Col, Row, Selection
  pcTopLeft,      // TopRow, LeftCol
  pcOptions,      // grid Options, GridLineWidth
  pcEditorMode,
  // Containers
  pcBevel,        // BevelInner, BevelOuter, BevelWidth, BorderStyle of panels
  pcPanels,       // status bar panels, SimplePanel, SimpleText
  pcActivePage,
  pcTabVisible,
  pcButtonSize,   // tool bar ButtonWidth, ButtonHeight, ShowCaptions, EdgeBorders
  // Forms
  pcBorderStyle,
  pcBorderIcons,
  pcPosition,
  pcWindowState,
  pcMenu,
  pcKeyPreview,
  pcFormShow,     // the form is being shown (Visible already tells; this asks for activation)
};

// How the list view items changed (the item is null for the whole list).
enum TListItemsChange { licAdded, licDeleting, licChanged, licReset };

// What a control's widget implements.
class IControlPeer {
public:
  virtual ~IControlPeer() = default;
  // One aspect of the model changed (or is pushed on creation).
  virtual void Changed(TPeerChange Change) = 0;
  // Bulk updates of item-holding controls.
  virtual void TreeNodeChanged(TTreeNode* Node, TTreeNodesChange Change) {}
  virtual void ListItemChanged(TListItem* Item, TListItemsChange Change) {}
  virtual void CellChanged(int ACol, int ARow) {}
  // Questions only the widget can answer: the item (list view item index,
  // tree node absolute index, list box index) at a point in the control's
  // coordinates; nothing when the widget cannot tell.
  virtual std::optional<int> ItemAtPos(int X, int Y) const { return std::nullopt; }
  virtual void SetFocus() {}
  virtual bool Focused() const { return false; }
  virtual void BringToFront() {}
  virtual void Invalidate() {}
};

enum TMenuChange { mcAdded, mcRemoving, mcChanged, mcReset };

// What a menu's widget implements (a menu bar for a main menu, a pop-up
// menu otherwise). Item null with mcReset: rebuild everything.
class IMenuPeer {
public:
  virtual ~IMenuPeer() = default;
  virtual void ItemChanged(TMenuItem* Item, TMenuChange Change) = 0;
  // Shows a pop-up menu at screen coordinates.
  virtual void Popup(int X, int Y) {}
};

// The factory a widgetset installs in the application.
class TWidgetSet {
public:
  virtual ~TWidgetSet() = default;
  // The peer of a control, or null when the widgetset does not show that
  // class (the control then works headless, as do its children).
  virtual std::unique_ptr<IControlPeer> CreatePeer(TControl* Control) = 0;
  virtual std::unique_ptr<IMenuPeer> CreateMenuPeer(TMenu* Menu) { return nullptr; }
  // The dialogs service of this widgetset, or null to keep the current one.
  virtual IDialogs* Dialogs() { return nullptr; }
  // The application's message loop hooks.
  virtual void ProcessMessages() {}
  // Runs until the application terminates.
  virtual void Run() {}
  virtual void Terminate() {}
};

}  // namespace host
