// TComponent: named objects owned by other components, with removal
// notifications and the streaming and design states.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/Set.h"
#include "host/core/TypInfo.h"

namespace host {

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;
const TTypeInfo& TypeInfoOf(TComponentStateItem*);

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  HOST_CLASS(TComponent)
public:
  // Inserts the new component at the end of Owner's components.
  explicit TComponent(TComponent* AOwner);
  // Frees the owned components (last first), notifies every component that
  // asked for a removal notification and leaves the owner.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return FName; }
  // Empty or a valid identifier that no other component of the owner has
  // (ignoring case); anything else raises EComponentError and changes nothing.
  virtual void SetName(const std::string& NewName);
  int Tag() const { return FTag; }
  void SetTag(int value) { FTag = value; }
  // Where the designer shows a component that is no control: its left in
  // the low 16 bits, its top in the high 16 bits (both signed). Form files
  // keep it as Left and Top of components that publish no such properties.
  std::int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(std::int32_t Value) { FDesignInfo = Value; }
  int DesignLeft() const { return static_cast<std::int16_t>(static_cast<std::uint32_t>(FDesignInfo) & 0xFFFFu); }
  int DesignTop() const { return static_cast<std::int16_t>(static_cast<std::uint32_t>(FDesignInfo) >> 16); }
  void SetDesignPosition(int Left, int Top) {
    FDesignInfo = static_cast<std::int32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(Left)) |
                                            (static_cast<std::uint32_t>(static_cast<std::uint16_t>(Top)) << 16));
  }

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError for an index out of range.
  TComponent* Components(int Index) const;
  // The owner's component list, in creation order (or as reordered).
  const std::vector<TComponent*>& ComponentList() const { return FComponents; }
  int ComponentIndex() const;
  // Moves this component to position Value among its owner's components
  // (clamped to the list).
  void SetComponentIndex(int Value);
  // The owned component of that name, ignoring case; an empty name finds
  // nothing. Constant time.
  TComponent* FindComponent(std::string_view AName) const;
  // Makes the name index and the list of owned components ready for Count
  // more at once, so that a reader of a large form does not grow them step
  // by step.
  void ReserveNames(std::size_t Count);
  // Asks the memory for where the index would look AName up, so that a
  // reader naming one component after another finds it there: on a large
  // form the index is long out of the cache.
  void PrefetchName(std::string_view AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  // A count that grows whenever any component anywhere joins or leaves an
  // owner or is renamed (destruction leaves the owner). What was found by
  // name may be remembered while it stays the same.
  static std::uint64_t TreeChanges();

  // Asks this component to tell AComponent when it is removed (and the other
  // way round), through Notification(this, opRemove).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  // Called when a component is inserted into or removed from this one's
  // owner (insertions into a loading owner are not announced), and for
  // registered free notifications. The default passes the
  // message to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // Streaming calls Loaded once the whole tree is read; the default ends the
  // loading state.
  virtual void Loaded();

  TComponentState ComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState.Contains(csLoading); }
  bool IsReading() const { return FComponentState.Contains(csReading); }
  bool IsDesigning() const { return FComponentState.Contains(csDesigning); }
  bool IsDestroying() const { return FComponentState.Contains(csDestroying); }
  // Marks this component and everything it owns as being destroyed. Called
  // first by the destructors that still do work with their components.
  void Destroying();
  // Design state for this component and, optionally, all it owns.
  void SetDesigning(bool Value, bool SetChildren = true);
  // Loading and reading states, set by the form reader.
  void SetLoading(bool Value);
  void SetReading(bool Value);
  // Asks for the memory of the class table and the states ahead of use:
  // the form reader goes over many components that are out of the cache.
  void PrefetchState() const {
    __builtin_prefetch(this);
    __builtin_prefetch(&FComponentState);
  }

  TPersistent* GetOwner() const override { return FOwner; }

  // Streaming hooks. The writer writes, inside this component's block, the
  // components GetChildren hands to Proc (Root is the component being
  // written at the top). The reader gives components read inside this
  // block GetChildOwner() as owner (null: the root) and GetChildParent() as
  // parent, through SetParentComponent. A component with HasParent() true
  // is written inside its parent's block, not at its owner's level.
  using TGetChildProc = std::function<void(TComponent* Child)>;
  virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) const {}
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}

protected:
  // Checks the new name without changing anything.
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const;

private:
  struct TNameTable;
  struct TNameText;
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  // Asks ValidateRename about AComponent's new name, handing the base check
  // the hash SetName already has.
  void AskRename(TComponent* AComponent, const std::string& NewName, const TNameText* Hashed, std::size_t Hash);
  // The hash of a name ValidateRename is asked about.
  std::size_t RenameHash(const std::string& NewName) const;
  TComponent* FindHashed(std::string_view AName, std::size_t Hash) const;
  void IndexName(TComponent* AComponent);
  void IndexName(TComponent* AComponent, std::size_t Hash);
  // Rehashes the index into Slots slots, a power of two.
  void ResizeNames(std::size_t Slots);
  void UnindexName(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  std::string FName;
  int FTag = 0;
  std::int32_t FDesignInfo = 0;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  // Owned components by name, ignoring case; made with the first named
  // component, so that the many components that own none carry one pointer.
  std::unique_ptr<TNameTable> FNames;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// Top-level components (forms, data modules) that references written as
// "Form.Component" can reach. The application registers a look-up; the form
// reader asks it for names it cannot find in the form being read.
using TFindGlobalComponent = std::function<TComponent*(std::string_view Name)>;
// Returns an id for UnRegisterFindGlobalComponentProc.
int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
void UnRegisterFindGlobalComponentProc(int Id);
// Asks every registered look-up, newest first; null when none knows Name.
TComponent* FindGlobalComponent(std::string_view Name);

}  // namespace host
