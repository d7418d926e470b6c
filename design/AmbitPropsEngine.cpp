#include "design/AmbitPropsEngine.h"

#include "host/controls/TreeView.h"
#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"
#include "runtime/AmFormLocal/PropertyPath.h"
#include "runtime/AmbitUtils.h"

namespace ambit {

using namespace host;

namespace {

// The string kinds a node is made for (characters are left out).
bool IsTextKind(TTypeKind Kind) { return Kind == tkString || Kind == tkLString || Kind == tkWString; }

// The text of a string property by name; empty when the object lacks it.
std::string StrPropOf(const TObject* Obj, std::string_view Name) {
  const TPropInfo* p = Obj ? GetPropInfo(Obj, Name) : nullptr;
  return p && IsStringKind(p->Kind) ? GetStrProp(Obj, p) : std::string();
}

}  // namespace

TAmbitProps::TAmbitProps(TTreeView* ATreeView) : FTreeView(ATreeView) {}

TAmbitProps::~TAmbitProps() = default;

const TAmbitPropInfo* TAmbitProps::InfoOf(const TTreeNode* Node) {
  // The engine fills its tree view alone, so a node's data is always one of
  // its info objects or nothing.
  return Node ? static_cast<const TAmbitPropInfo*>(Node->Data()) : nullptr;
}

void TAmbitProps::SetTreeView(TComponent* Component) {
  TTreeNodes* items = FTreeView->Items();
  items->BeginUpdate();
  try {
    items->Clear();
    FInfos.clear();
    SetTreeView(nullptr, Component);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  FTreeView->FullExpand();
}

void TAmbitProps::SetTreeView(TTreeNode* Parent, TObject* Obj) {
  if (!Obj) return;
  for (const TPropInfo* prop : GetPropInfos(Obj)) {
    if (!prop) break;
    if (!IsStoredProp(Obj, prop)) continue;
    if (IsTextKind(prop->Kind)) {
      if (prop->Name != "Name") AddNode(Parent, prop->Name, Obj, prop->Kind);
      continue;
    }
    if (prop->Kind != tkClass) continue;
    TObject* held = GetObjectProp(Obj, prop);
    // References to other components are not followed.
    if (!held || Is<TComponent>(held)) continue;
    TTreeNode* node = AddNode(Parent, prop->Name, Obj, prop->Kind);
    if (Is<TStrings>(held) || Is<TTreeNodes>(held)) continue;  // a leaf with its selection image
    if (auto* collection = As<TCollection>(held)) {
      // The first item stands for all of them.
      if (collection->Count() > 0) SetTreeView(node, collection->Items(0));
    } else {
      SetTreeView(node, held);
    }
    node->SetImageIndex(1);
    node->SetSelectedIndex(1);
    if (!node->HasChildren()) {
      FTreeView->Items()->Delete(node);
      FInfos.pop_back();  // the node's own info: nothing was added after it
    }
  }
}

TTreeNode* TAmbitProps::AddNode(TTreeNode* Parent, const std::string& Text, TObject* Obj, TTypeKind Kind) {
  TTreeNodes* items = FTreeView->Items();
  TTreeNode* node = Parent ? items->AddChild(Parent, Text) : items->AddChildFirst(nullptr, Text);
  const bool selected = FSelectedPaths && FSelectedPaths->IndexOf(GetPropNameText(node)) >= 0;
  node->SetImageIndex(selected ? 0 : 1);
  node->SetSelectedIndex(node->ImageIndex());
  auto info = std::make_unique<TAmbitPropInfo>();
  info->Instance = Obj;
  info->Kind = Kind;
  node->SetData(info.get());
  FInfos.push_back(std::move(info));
  return node;
}

std::string TAmbitProps::GetPropNameText(const TTreeNode* Node) {
  if (!Node) return {};
  std::string path = Node->Text();
  for (const TTreeNode* p = Node->Parent(); p; p = p->Parent()) path = p->Text() + "." + path;
  return path;
}

std::string TAmbitProps::GetPropValue(const TTreeNode* Node) const {
  const TAmbitPropInfo* info = InfoOf(Node);
  if (!info || !info->Instance) return {};
  if (Is<TCollectionItem>(info->Instance)) return GetCollValue(info, Node);
  if (const auto* strings = As<TStrings>(info->Instance)) return strings->CommaText();
  if (IsTextKind(info->Kind)) return StrPropOf(info->Instance, Node->Text());
  if (info->Kind != tkClass) return {};
  const TObject* held = GetObjectProp(info->Instance, Node->Text());
  if (const auto* strings = As<TStrings>(held)) return strings->CommaText();
  if (const auto* nodes = As<TTreeNodes>(held)) return GetTreeNodesCaptions(nodes);
  return {};
}

std::string TAmbitProps::GetCollValue(const TAmbitPropInfo* Info, const TTreeNode* Node) const {
  const auto* first = Info && Node ? As<TCollectionItem>(Info->Instance) : nullptr;
  const TCollection* collection = first ? first->Collection() : nullptr;
  if (!collection) return {};
  TStringList list;
  if (IsTextKind(Info->Kind))
    for (int i = 0; i < collection->Count(); ++i) {
      const TCollectionItem* item = collection->Items(i);
      // Items that lack the property add no entry, as when the form saves.
      if (const TPropInfo* p = GetPropInfo(item, Node->Text()); p && IsStringKind(p->Kind))
        list.Add(GetStrProp(item, p));
    }
  return list.CommaText();
}

void TAmbitProps::SetPropList(TStrings* List) const {
  if (!List) return;
  List->Clear();
  TTreeNodes* items = FTreeView->Items();
  for (TTreeNode* node = items->GetFirstNode(); node; node = node->GetNext())
    if (node->ImageIndex() == 0) List->AddObject(GetPropNameText(node), node);
}

void TAmbitProps::SetAmPropValue(TComponent* Component, const std::string& Path, const std::string& Value) {
  WritePropertyPath(Component, Path, Value, /*SaveEmpty=*/true);
}

bool TAmbitProps::PropIsClass(const std::string& Path) const {
  bool result = false;
  SearchListValued(nullptr, Path, result);
  return result;
}

bool TAmbitProps::SearchListValued(const TTreeNode* Parent, std::string_view Path, bool& Result) const {
  if (Path.empty()) return false;
  const std::size_t dot = Path.find('.');
  const std::string_view head = Path.substr(0, dot);
  const std::string_view rest = dot == std::string_view::npos ? std::string_view() : Path.substr(dot + 1);
  TTreeNode* node = Parent ? Parent->GetFirstChild() : FTreeView->Items()->GetFirstNode();
  for (; node; node = node->GetNextSibling()) {
    if (node->Text() != head) continue;
    if (node->HasChildren() && !rest.empty() && SearchListValued(node, rest, Result)) return true;
    if (node->HasChildren() || !rest.empty()) continue;
    const TAmbitPropInfo* info = InfoOf(node);
    const TTypeKind kind = info ? info->Kind : tkUnknown;
    if (kind == tkClass) {
      Result = true;
      return true;
    }
    if (!IsStringKind(kind)) continue;
    if (!node->Parent()) {
      Result = false;
      return true;
    }
    const TAmbitPropInfo* parent = InfoOf(node->Parent());
    if (parent && parent->Kind == tkClass && Is<TCollectionItem>(info->Instance)) {
      Result = true;
      return true;
    }
  }
  return false;
}

}  // namespace ambit
