// The form localizer: one per form, frame or data module. It saves the
// localizable texts of its owner and of everything the owner owns into the
// active language of its source, keeps a snapshot of the designed texts, and
// puts the stored translations back whenever the source's language changes.
//
// Record format: one record per text, "full property name=text", in the
// section named after the form. The full property name is the property path
// alone for the form itself, "Component.Path" for a component it owns and
// "Frame.Component.Path" for a component owned by one of its frames.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/core/Set.h"
#include "host/core/Strings.h"
#include "runtime/Ambit.h"

namespace ambit {

class TPropertyLookups;
struct TAmSwitchMemo;
struct TAmTargetKey;
class TAmTargetMemo;

enum TAmSaveOption { soSaveEmpty, soIgnoreDependencyIfEmpty, soIncludeFrames };
using TAmSaveOptions = host::TSet<TAmSaveOption>;
const host::TTypeInfo& TypeInfoOf(TAmSaveOption*);
const host::TTypeInfo& TypeInfoOf(TAmSaveOptions*);

// Fired before a text is applied or saved; the handler may change the text
// or clear Allow to leave this one property alone.
using TAmPropProcessingEvent = std::function<void(host::TObject* Sender, host::TPersistent* Obj,
                                                  const std::string& PropName, std::string& NewValue, bool& Allow)>;
// Fired after a text was applied or handed to the source.
using TAmPropProcessedEvent = std::function<void(host::TObject* Sender, host::TPersistent* Obj,
                                                 const std::string& PropName, const std::string& Value)>;

class TAmFormLocalizer : public TAmCustomLocalizer {
  HOST_CLASS(TAmFormLocalizer)
public:
  // Raises EAmbitError without an owner, or when the owner already holds a
  // form localizer; nothing is registered with the owner then.
  explicit TAmFormLocalizer(host::TComponent* AOwner);
  ~TAmFormLocalizer() override;

  // ---- the model ----
  // Localizable property paths ("Caption", "Items", "Columns.Caption").
  host::TStrings* PropNames() const { return FPropNames.get(); }
  // While a language is active, puts back the designed texts of the paths
  // that go and snapshots those that come, then takes the new list.
  void SetPropNames(const host::TStrings* Value);
  // The snapshot of the designed texts: record name=encoded text.
  host::TStrings* Originals() const { return FOriginals.get(); }
  void SetOriginals(const host::TStrings* Value);
  // "Path=OtherPath" lines: the property takes OtherPath's record when both
  // hold the same text (a control's Caption and its Action.Caption).
  host::TStrings* Dependencies() const { return FDependencies.get(); }
  void SetDependencies(const host::TStrings* Value);
  // Names of components that are neither saved nor localized.
  host::TStrings* Excluded() const { return FExcluded.get(); }
  void SetExcluded(const host::TStrings* Value);
  TAmSaveOptions SaveOptions() const { return FSaveOptions; }
  void SetSaveOptions(TAmSaveOptions Value) { FSaveOptions = Value; }

  // ---- the source's protocol ----
  void Localize() override;
  void Save() override;
  void LanguageChanging(int LanguageIndex, bool& AllowChange) override;
  void LanguageChanged() override;
  // Purges the records of excluded and vanished components from every
  // language of the source; the active language is restored afterwards.
  // Without a source there is nothing to purge.
  void DeleteExcluded(host::TComponent* AComponent) override;

  virtual void PropertyLocalizing(host::TPersistent* Obj, const std::string& PropName, std::string& NewValue,
                                  bool& Allow);
  virtual void PropertyLocalized(host::TPersistent* Obj, const std::string& PropName, const std::string& Value);
  virtual void PropertySaving(host::TPersistent* Obj, const std::string& PropName, std::string& NewValue,
                              bool& Allow);
  virtual void PropertySaved(host::TPersistent* Obj, const std::string& PropName, const std::string& Value);
  // Applies the active language's section Section to the form, or the
  // designed texts when no language is active.
  virtual void LocalizeAs(const std::string& Section);
  // Writes the form's texts into section Section of the active language.
  virtual void SaveAs(const std::string& Section);

  // ---- saving ----
  // Saves Component (and what it owns, and with soIncludeFrames what its
  // frames own) into Buffer, or into the source when Buffer is null.
  void InternalSave(host::TComponent* Component, host::TComponent* Root, host::TStrings* Buffer,
                    const std::string& Section, const host::TStrings* PropList);
  void SaveObject(host::TPersistent* Obj, host::TStrings* Buffer, const std::string& Section,
                  const std::string& Prefix, const host::TStrings* PropList);
  // The record name saving gives Obj's text along Path: a dependency
  // target's name when that holds the same text, else Obj's own full
  // property name; empty when Obj has none relative to the form.
  std::string RecordName(host::TPersistent* Obj, const std::string& Path) const;
  // Adds the current texts of the listed paths to Originals.
  void SaveToBuffer(const host::TStrings* PropList);
  // Replaces Originals with the current texts of every PropNames path.
  void SaveAllToBuffer();

  // ---- localizing ----
  // Resolves the component part of a record name: returns the component
  // (or the form) and leaves the property path in Name; null when the name
  // names no owned component, an excluded one, or a path not in PropNames.
  host::TPersistent* GetObject(std::string& Name) const;
  // Writes Value into Obj along Path when Filter lists Path, with the
  // localizing events.
  void LocalizeObject(host::TPersistent* Obj, const std::string& Path, const std::string& Value,
                      const host::TStrings* Filter);
  // Applies the Originals records whose path Filter lists; with Remove the
  // applied records leave the buffer.
  void LoadFromBuffer(const host::TStrings* Filter, bool Remove);
  void LoadAllFromBuffer();

  void Assign(const host::TPersistent* Source) override;

  // ---- events ----
  const TAmPropProcessingEvent& OnPropertyLocalizing() const { return FOnPropertyLocalizing; }
  void SetOnPropertyLocalizing(TAmPropProcessingEvent Value) { FOnPropertyLocalizing = std::move(Value); }
  const TAmPropProcessedEvent& OnPropertyLocalized() const { return FOnPropertyLocalized; }
  void SetOnPropertyLocalized(TAmPropProcessedEvent Value) { FOnPropertyLocalized = std::move(Value); }
  const TAmPropProcessedEvent& OnPropertySaved() const { return FOnPropertySaved; }
  void SetOnPropertySaved(TAmPropProcessedEvent Value) { FOnPropertySaved = std::move(Value); }
  const TAmPropProcessingEvent& OnPropertySaving() const { return FOnPropertySaving; }
  void SetOnPropertySaving(TAmPropProcessingEvent Value) { FOnPropertySaving = std::move(Value); }

protected:
  // For descendants: the class record names the class in the error raised
  // for a second localizer on one owner.
  TAmFormLocalizer(host::TComponent* AOwner, const host::TClass& Class);

private:
  // Gives the form and its controls (and the screen's fonts) the character
  // set and reading order of a language.
  void ApplyCharsetAndBiDi(host::TComponent* Component, host::TFontCharset CharSet, host::TBiDiMode Mode);
  // The path a dependency chain leads P to; P itself for a cycle.
  std::string ResolveDependency(const std::string& P) const;
  // Where saving puts Obj's text along Path: the object and path whose
  // record takes it, and the text.
  struct TRecordTarget {
    host::TObject* Target = nullptr;
    std::string Path;
    // The text: a view of the object's own string, or of one of the texts
    // below that hold a text made on reading.
    std::string_view Value;
    std::string OwnText, TargetText;
  };
  // Fills R (which may be reused); Lookups, when given, answers the class
  // questions of the reads.
  void ResolveRecord(host::TPersistent* Obj, const std::string& Path, TPropertyLookups* Lookups,
                     TRecordTarget& R) const;
  // GetObject on a view of the name, which it leaves on the property path.
  host::TPersistent* Resolve(std::string_view& Name) const;
  // What Resolve's answers depend on, as it stands now.
  TAmTargetKey TargetKey() const;
  // Resolve, or what Memo (when given) remembers of Name at Position; Whole
  // also turns away a name Excluded lists whole. Known: Name is the one the
  // memo stored at Position, if any (it need not be compared).
  host::TPersistent* ResolveAt(TAmTargetMemo* Memo, std::size_t Position, std::string_view& Name, bool Whole,
                               bool Known = false) const;
  // Applies a language's records (a loaded list or the store's own) and the
  // snapshot's texts for the names they lack. Memo, when given, is the
  // switch's.
  template <class Records>
  void ApplyRecords(Records& records, TAmSwitchMemo* Memo);
  // The snapshot's records (name, encoded text) whose names records lack.
  using TDefaults = std::vector<std::pair<std::string, std::string>>;
  template <class Records>
  void CollectDefaults(Records& records, TDefaults& Defaults) const;
  // LocalizeObject once the path is known to pass the filter. Text is the
  // handlers' to change. Lookups remembers the class look-ups of the pass
  // it belongs to; Direct, when given, the property the path names on Obj
  // (see WritePropertyPath).
  void ApplyText(host::TPersistent* Obj, const std::string& Path, std::string& Text,
                 TPropertyLookups* Lookups = nullptr, const host::TPropInfo** Direct = nullptr);
  // The form is gone or going: nothing may be localized any more.
  bool Finishing() const;

  std::unique_ptr<host::TStringList> FOriginals;  // counts its changes
  std::unique_ptr<host::TStringList> FPropNames;  // counts its changes
  std::unique_ptr<host::TStringList> FDependencies;
  std::unique_ptr<host::TStringList> FExcluded;  // counts its changes
  // The records and targets of the last switch, for the next.
  std::unique_ptr<TAmSwitchMemo> FMemo;
  TAmSaveOptions FSaveOptions;
  // What the save pass under way (InternalSave's), if any, keeps for all
  // its records: the class look-ups and one record's buffers.
  struct TSavePass;
  TSavePass* FSavePass = nullptr;
  TAmPropProcessingEvent FOnPropertyLocalizing;
  TAmPropProcessedEvent FOnPropertyLocalized;
  TAmPropProcessedEvent FOnPropertySaved;
  TAmPropProcessingEvent FOnPropertySaving;
};

}  // namespace ambit
