// The property tree engine: the localizable properties of one component as
// nodes of a tree view, so that the user can pick the property paths a form
// localizer translates. It also reads the text behind a node, lists the
// selected paths, writes a text by path and tells list-valued paths apart.
//
// Node conventions: the text is the property's name; the path is the texts
// from the root down joined by "."; image (and selected) index 0 marks a
// selected path, 1 an unselected one or a class node with children; the
// data is the TAmbitPropInfo the engine attached.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/TypInfo.h"

namespace host {
class TComponent;
class TStrings;
class TTreeNode;
class TTreeView;
}  // namespace host

namespace ambit {

// What a node stands for: a published property of Instance (the component,
// a nested object, or the first item of a collection) of kind Kind.
class TAmbitPropInfo {
public:
  host::TObject* Instance = nullptr;
  host::TTypeKind Kind = host::tkUnknown;
};

class TAmbitProps {
public:
  explicit TAmbitProps(host::TTreeView* ATreeView);
  ~TAmbitProps();
  TAmbitProps(const TAmbitProps&) = delete;
  TAmbitProps& operator=(const TAmbitProps&) = delete;

  host::TTreeView* TreeView() const { return FTreeView; }
  // The paths that count as selected (not owned); may be null.
  host::TStrings* SelectedPaths() const { return FSelectedPaths; }
  void SetSelectedPaths(host::TStrings* Value) { FSelectedPaths = Value; }

  // Rebuilds the whole tree for Component and expands it. The info objects
  // of the old tree are freed here: they belong to the engine.
  void SetTreeView(host::TComponent* Component);
  // Adds Obj's localizable properties under Parent (at root level when null;
  // root nodes go first, so they end up in reverse property order).
  void SetTreeView(host::TTreeNode* Parent, host::TObject* Obj);

  // The node's path; empty for null.
  static std::string GetPropNameText(const host::TTreeNode* Node);
  // The current text behind a node: a string property's text, a string
  // list's or a tree's comma text, or a collection column (GetCollValue).
  std::string GetPropValue(const host::TTreeNode* Node) const;
  // The property named by Node across all items of the collection whose
  // first item Info stands for, as comma text.
  std::string GetCollValue(const TAmbitPropInfo* Info, const host::TTreeNode* Node) const;
  // Fills List with the selected paths in tree order, each with its node.
  // Nothing happens without a list.
  void SetPropList(host::TStrings* List) const;
  // Writes Value into Component along Path, as a localizer writes a stored
  // text, but into every addressed property whatever its current text.
  static void SetAmPropValue(host::TComponent* Component, const std::string& Path, const std::string& Value);
  // True when Path ends in a list-valued property: a string list, a tree's
  // nodes or a column of a collection.
  bool PropIsClass(const std::string& Path) const;

  // The info attached to a node; null for none.
  static const TAmbitPropInfo* InfoOf(const host::TTreeNode* Node);

private:
  host::TTreeNode* AddNode(host::TTreeNode* Parent, const std::string& Text, host::TObject* Obj,
                           host::TTypeKind Kind);
  // Whether the search below Parent for the names of Path decided the
  // answer (true) or found nothing (false).
  bool SearchListValued(const host::TTreeNode* Parent, std::string_view Path, bool& Result) const;

  host::TTreeView* FTreeView;
  host::TStrings* FSelectedPaths = nullptr;
  std::vector<std::unique_ptr<TAmbitPropInfo>> FInfos;
};

}  // namespace ambit
