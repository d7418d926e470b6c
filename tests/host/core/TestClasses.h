// Small classes the core tests share: a component with one published
// property of every kind the class builder infers, a descendant of it, and
// components that record what happens to them.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/Graphics.h"
#include "host/core/Strings.h"

namespace hosttest {

enum TKind { kA, kB, kC };
const host::TTypeInfo& TypeInfoOf(TKind*);
using TKinds = host::TSet<TKind>;

class TSample : public host::TComponent {
  HOST_CLASS(TSample)
public:
  using TComponent::TComponent;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  int Count() const { return FCount; }
  void SetCount(int v) { FCount = v; }
  TKind Kind() const { return FKind; }
  void SetKind(TKind v) { FKind = v; }
  TKinds Kinds() const { return FKinds; }
  void SetKinds(TKinds v) { FKinds = v; }
  char Letter() const { return FLetter; }
  void SetLetter(char v) { FLetter = v; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool v) { FFlag = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  std::int64_t Big() const { return FBig; }
  void SetBig(std::int64_t v) { FBig = v; }
  host::TFont* Font() const { return FFont.get(); }
  void SetFont(host::TFont* v) { FFont->Assign(v); }
  host::TStrings* Items() const { return FItems.get(); }
  void SetItems(host::TStrings* v) { FItems->Assign(v); }
  host::TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(host::TListColumns* v) { FColumns->Assign(v); }
  host::TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(host::TComponent* v) { FBuddy = v; }
  const host::TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(host::TNotifyEvent v) { FOnClick = std::move(v); }
  // Stored only while it is not "transient".
  const std::string& Note() const { return FNote; }
  void SetNote(const std::string& v) { FNote = v; }
  // Read-only.
  std::string Summary() const { return FCaption + "/" + FHint; }

private:
  std::string FCaption, FHint, FNote;
  int FCount = 3;
  TKind FKind = kB;
  TKinds FKinds;
  char FLetter = 'x';
  bool FFlag = false;
  double FRatio = 0;
  std::int64_t FBig = 0;
  std::unique_ptr<host::TFont> FFont = std::make_unique<host::TFont>();
  std::unique_ptr<host::TStringList> FItems = std::make_unique<host::TStringList>();
  std::unique_ptr<host::TListColumns> FColumns = std::make_unique<host::TListColumns>(this);
  host::TComponent* FBuddy = nullptr;
  host::TNotifyEvent FOnClick;
};

// Adds a property and declares Hint again (as a short string).
class TSampleChild : public TSample {
  HOST_CLASS(TSampleChild)
public:
  using TSample::TSample;
  int Extra() const { return FExtra; }
  void SetExtra(int v) { FExtra = v; }

private:
  int FExtra = 0;
};

// Shared log of what components saw, in order.
struct TLog {
  std::vector<std::string> Lines;
};

// Logs notifications, Loaded and its own destruction into a shared log.
class TRecorder : public host::TComponent {
  HOST_CLASS(TRecorder)
public:
  TRecorder(host::TComponent* AOwner, std::string Tag, TLog* Log);
  ~TRecorder() override;
  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;
  void Loaded() override;

  // Cleared when the notification about it arrives, like a real reference.
  host::TComponent* Watched = nullptr;
  int LoadedCalls = 0;
  // Every notification, by address only: the component may be half gone.
  std::vector<std::pair<const void*, host::TOperation>> Seen;

private:
  std::string FTag;
  TLog* FLog;
};

}  // namespace hosttest
