// Builds components from a parsed form file: creates them through the class
// registry, sets the loading and reading states, assigns properties through
// reflection, resolves component references once the whole tree is read,
// then calls Loaded on every component in creation order.
#pragma once

#include <string>
#include <vector>

#include "host/core/Component.h"
#include "host/core/TreeNodes.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormStream.h"
#include "host/stream/PropertyMemo.h"

namespace host {

class TCollection;
class TStrings;

class TFormReader {
public:
  TFormReader(std::string FileName, const TReadOptions& Options);

  // Creates the root (owned by Owner when given) and everything in it.
  // On failure frees what it created and raises EReadError.
  TComponent* ReadRoot(const TFormTree& Tree, TComponent* Owner);
  // Fills an existing root; on failure frees only the components it made.
  void ReadInto(TComponent& Root, const TFormTree& Tree);

  // Resolves "Name", "Frame.Name" or "OtherForm.Name" as the reader does:
  // inside the innermost root first, then the enclosing roots, then the
  // global look-up of loaded forms.
  TComponent* ResolveReference(const std::vector<TComponent*>& Roots, std::string_view Path) const;

private:
  struct TFixup {
    TObject* Instance;
    TComponent* Component;  // the component Instance is or belongs to
    const TPropInfo* Prop;
    std::string Path;
    std::string Context;
    int Line;
    std::size_t Chain;  // index into FChains
  };
  // Where a value stands (the owner's context and the property path), put
  // into words only when a message or a reference needs it.
  struct TPlace {
    const std::string& Owner;
    std::string_view Path;
    std::string Name() const { return Owner + "." + std::string(Path); }
  };
  struct TBinding {
    TComponent* Instance;
    std::string Event;
    std::string Handler;
  };

  void Build(TComponent& Root, const TFormTree& Tree);
  void ReadChildren(TComponent& Component, const TFormObject& Node, std::size_t Chain);
  void ReadChild(const TFormObject& Node, TComponent& Parent, std::size_t Chain);
  TComponent* CreateComponent(const TFormObject& Node, TComponent* Owner, bool IsRoot);
  void BeginLoading(TComponent& Component);
  void NameComponent(TComponent& Component, const TFormObject& Node, bool UniqueInOwner);
  void ReadProperties(TComponent& Component, const TFormObject& Node);
  void ResolveFixups();
  void CallLoaded();
  void FreeCreated(TComponent* Keep);

  // Property assignment (FormReaderValues.cpp).
  void AssignProperty(TObject& Target, TComponent& Component, const TFormProperty& Prop, const std::string& Context);
  // The commonest case, kept lean: an integer, string or identifier for a
  // property of Target itself (of class Class) that takes it. False, with
  // nothing changed, for anything else, which AssignPath then reads as it
  // reads everything. Memo is FProps.ForClass(Class). Target must not be a
  // string list or tree nodes, whose Strings and Nodes only AssignPath reads.
  bool AssignPlain(TObject& Target, TPropertyMemo::TClassMemo& Memo, const TClass& Class, const TFormProperty& Prop,
                   const std::string& Context);
  // Props of Component, in order (ReadProperties).
  void AssignProperties(TComponent& Component, std::span<const TFormProperty> Props, const std::string& Context);
  [[gnu::noinline]] void AssignPath(TObject& Target, TComponent& Component, const TFormProperty& Prop,
                                    const std::string& Context);
  // A setter rejected the value: the reader's error at its place.
  [[noreturn, gnu::cold]] void SetterFailed(const TPlace& Place, int Line, const std::exception& Error) const;
  void AssignValue(TObject& Target, TComponent& Component, const TPropInfo& Info, const TFormValue& Value,
                   const TPlace& Place, int Line);
  void ReadStrings(TStrings& Strings, const TFormValue& Value, const std::string& Context, int Line);
  void ReadCollection(TCollection& Collection, TComponent& Component, const TFormValue& Value,
                      const std::string& Context, int Line);
  void ReadTreeNodes(TTreeNodes& Nodes, TTreeNode* Parent, TComponent& Component, const TFormValue& Value,
                     const std::string& Context, int Line);
  [[noreturn]] void Fail(int Line, const std::string& Detail) const;
  [[noreturn]] void BadValue(const std::string& Context, int Line, const std::string& Expected,
                             const TFormValue& Found) const;

  std::string FFileName;
  const TReadOptions& FOptions;
  std::vector<TComponent*> FLoaded;   // creation order, root first
  std::vector<TComponent*> FCreated;  // made by this read (not found by 'inherited')
  std::vector<int> FLines;            // object line of each FLoaded entry
  std::vector<std::vector<TComponent*>> FChains;
  // The root and the name the file gives it: a second copy of a form is
  // renamed, and its references to itself must still find it.
  const TComponent* FRoot = nullptr;
  std::string FRootFileName;
  std::size_t FChain = 0;             // chain of the component being read
  std::vector<TFixup> FFixups;
  std::vector<TBinding> FBindings;
  TPropertyMemo FProps;
  TClassNameMemo FClasses;
  std::string FText;  // the string value being assigned
};

}  // namespace host
