// The core of the suite: the abstract language source, the abstract
// localizer bound to it, the settings of the active language and the base
// of the sources that keep one file per language.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/core/Component.h"
#include "host/core/Events.h"
#include "host/core/Graphics.h"
#include "host/core/Strings.h"
#include "runtime/AmbitRConsts.h"
#include "runtime/AmbitUtils.h"

namespace ambit {

class TAmCustomLanguageSource;
class TAmCustomLocalizer;
class TAmFormRecords;
class TAmLanguageSettings;

// Event types. Sender is always the language source (also for the events
// the settings fire), or the localizer for the localizer's own events.
using TAmLangChangingEvent = std::function<void(host::TObject* Sender, int LanguageIndex, bool& AllowChange)>;
using TAmLoadStringEvent =
    std::function<void(host::TObject* Sender, const std::string& StringName, std::string& Value)>;
using TAmSaveStringEvent =
    std::function<void(host::TObject* Sender, const std::string& StringName, const std::string& Value)>;
using TAmStringsEvent = std::function<void(host::TObject* Sender, host::TStrings* Strings)>;
using TAmGetFormSectionEvent = std::function<void(host::TObject* Sender, std::string& Section)>;
using TAmSetFormSectionEvent = std::function<void(host::TObject* Sender, const std::string& Section)>;
using TAmGetLanguageName = std::function<void(host::TObject* Sender, std::string& AName)>;
using TAmSetLanguageName = std::function<void(host::TObject* Sender, const std::string& AName)>;
using TAmGetFontCharSet = std::function<void(host::TObject* Sender, host::TFontCharset& CharSet)>;
using TAmSetFontCharSet = std::function<void(host::TObject* Sender, host::TFontCharset CharSet)>;
using TAmGetBiDiMode = std::function<void(host::TObject* Sender, host::TBiDiMode& Mode)>;
using TAmSetBiDiMode = std::function<void(host::TObject* Sender, host::TBiDiMode Mode)>;
using TAmLangFileNameEvent = std::function<void(host::TObject* Sender, std::string& FileName)>;

// The reserved section that holds each language's settings.
inline constexpr const char* sGeneralSettingsSection = "General Settings";

// Settings of a source's active language, kept in its "General Settings"
// section; while no language is active, local values stand in.
class TAmLanguageSettings : public host::TPersistent {
  HOST_CLASS(TAmLanguageSettings)
public:
  // Raises EAmbitError when Source is absent.
  explicit TAmLanguageSettings(TAmCustomLanguageSource* Source);

  // The suite's own getters and setters below are the real accessors;
  // the plain getters call them.
  std::string LanguageName() const { return GetLanguageName(); }
  host::TBiDiMode BiDiMode() const { return GetBiDiMode(); }
  host::TFontCharset FontCharSet() const { return GetFontCharSet(); }

  virtual std::string GetLanguageName() const;
  virtual void SetLanguageName(const std::string& Value);
  virtual host::TBiDiMode GetBiDiMode() const;
  virtual void SetBiDiMode(host::TBiDiMode Value);
  virtual host::TFontCharset GetFontCharSet() const;
  virtual void SetFontCharSet(host::TFontCharset Value);

  // Takes Source's BiDi mode and character set as the local values; the
  // language name is not copied and no store is written.
  void Assign(const host::TPersistent* Source) override;
  host::TPersistent* GetOwner() const override;
  TAmCustomLanguageSource* Source() const { return FSource; }

  // The character set's name in the stored form ("RUSSIAN_CHARSET"); empty
  // for a code without a name.
  static std::string CharSetToName(host::TFontCharset CharSet);
  // The code of an upper-case name, exactly as in the table; false when the
  // name is not there.
  static bool NameToCharSet(const std::string& Name, host::TFontCharset& CharSet);

private:
  TAmCustomLanguageSource* FSource;
  host::TBiDiMode FLocalBiDiMode = host::bdLeftToRight;
  host::TFontCharset FLocalFontCharSet = host::DEFAULT_CHARSET;
};

// The abstract language source: the list of languages, the active one, the
// localizers bound to it and the store operations, which here only fire
// their events; concrete stores override them and call this first.
class TAmCustomLanguageSource : public host::TComponent {
  HOST_CLASS(TAmCustomLanguageSource)
public:
  explicit TAmCustomLanguageSource(host::TComponent* AOwner);
  ~TAmCustomLanguageSource() override;

  // -1 is the pseudo-language of the designed texts.
  int ActiveLanguage() const { return FActiveLanguage; }
  void SetActiveLanguage(int Value);
  TAmLanguageSettings* ActiveSettings() const { return FActiveSettings.get(); }
  // Copies Value into the owned settings unless it is that object.
  void SetActiveSettings(const TAmLanguageSettings* Value);
  host::TStrings* Languages() const { return FLanguages.get(); }
  // Copies the lines and returns to the designed texts (language -1).
  void SetLanguages(const host::TStrings* Value);
  const std::string& OriginalName() const { return FOriginalName; }
  void SetOriginalName(const std::string& Value) { FOriginalName = Value; }
  bool ReadOnly() const { return GetReadOnly(); }
  // Placeholders the designer's about-box editors attach to.
  std::string About() const { return {}; }
  void SetAbout(const std::string&) {}
  std::string _Version() const { return {}; }
  void Set_Version(const std::string&) {}

  // Store operations. The base ones only fire their events (and check the
  // read-only state before writes).
  virtual void LanguageChanging(int LanguageIndex, bool& AllowChange);
  virtual void LanguageChanged();
  virtual void OpenLanguage();
  virtual void CloseLanguage();
  virtual std::string GetFormSection() const;
  virtual bool GetReadOnly() const;
  virtual void SetFormSection(const std::string& Value);
  virtual std::string LoadString(const std::string& StringName, const std::string& Default);
  virtual void SaveString(const std::string& StringName, const std::string& Value);
  virtual void LoadStrings(host::TStrings* Strings);
  // The form section's records straight from the store, exactly as
  // LoadStrings would hand them to a fresh list; false when only
  // LoadStrings can tell (the base: always, as a handler may fill the list).
  virtual bool LoadRecords(TAmFormRecords& Records);
  virtual void SaveStrings(host::TStrings* Strings);
  virtual void Clear();
  virtual void ClearAll();
  // Whether design-time code can read this kind of store: per class, and
  // through an instance of any class.
  static bool DesignTime() { return true; }
  virtual bool IsDesignTime() const { return DesignTime(); }

  // The registry of bound localizers, in registration order; not owned.
  void AddLocalizer(TAmCustomLocalizer* Localizer, bool LocalizeNow);
  void RemoveLocalizer(TAmCustomLocalizer* Localizer);
  int LocalizerCount() const { return static_cast<int>(FLocalizers.size()); }
  TAmCustomLocalizer* Localizers(int Index) const;
  void Localize();
  void Save();

  // Suspends localizing and notifications; a flag, not a counter: the
  // first EndUpdate ends the bracket and applies the final language once.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdating; }

  // Index -1 .. count-1; anything else raises EAmbitError.
  std::string GetLanguageName(int Index) const;
  void SetLanguageName(int Index, const std::string& Value);
  std::string GetLanguageValue(int Index) const;
  void SetLanguageValue(int Index, const std::string& Value);

  void Assign(const host::TPersistent* Source) override;
  void Loaded() override;
  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

  // Events.
  const host::TNotifyEvent& OnLanguageChanged() const { return FOnLanguageChanged; }
  void SetOnLanguageChanged(host::TNotifyEvent Value) { FOnLanguageChanged = std::move(Value); }
  const TAmLangChangingEvent& OnLanguageChanging() const { return FOnLanguageChanging; }
  void SetOnLanguageChanging(TAmLangChangingEvent Value) { FOnLanguageChanging = std::move(Value); }
  const host::TNotifyEvent& OnClearAll() const { return FOnClearAll; }
  void SetOnClearAll(host::TNotifyEvent Value) { FOnClearAll = std::move(Value); }
  const host::TNotifyEvent& OnLanguageOpen() const { return FOnLanguageOpen; }
  void SetOnLanguageOpen(host::TNotifyEvent Value) { FOnLanguageOpen = std::move(Value); }
  const host::TNotifyEvent& OnClear() const { return FOnClear; }
  void SetOnClear(host::TNotifyEvent Value) { FOnClear = std::move(Value); }
  const host::TNotifyEvent& OnLanguageClose() const { return FOnLanguageClose; }
  void SetOnLanguageClose(host::TNotifyEvent Value) { FOnLanguageClose = std::move(Value); }
  const TAmLoadStringEvent& OnLoadString() const { return FOnLoadString; }
  void SetOnLoadString(TAmLoadStringEvent Value) { FOnLoadString = std::move(Value); }
  const TAmSaveStringEvent& OnSaveString() const { return FOnSaveString; }
  void SetOnSaveString(TAmSaveStringEvent Value) { FOnSaveString = std::move(Value); }
  const TAmStringsEvent& OnLoadStrings() const { return FOnLoadStrings; }
  void SetOnLoadStrings(TAmStringsEvent Value) { FOnLoadStrings = std::move(Value); }
  const TAmStringsEvent& OnSaveStrings() const { return FOnSaveStrings; }
  void SetOnSaveStrings(TAmStringsEvent Value) { FOnSaveStrings = std::move(Value); }
  const TAmGetFormSectionEvent& OnGetFormSection() const { return FOnGetFormSection; }
  void SetOnGetFormSection(TAmGetFormSectionEvent Value) { FOnGetFormSection = std::move(Value); }
  const TAmSetFormSectionEvent& OnSetFormSection() const { return FOnSetFormSection; }
  void SetOnSetFormSection(TAmSetFormSectionEvent Value) { FOnSetFormSection = std::move(Value); }
  const TAmGetFontCharSet& OnGetFontCharSet() const { return FOnGetFontCharSet; }
  void SetOnGetFontCharSet(TAmGetFontCharSet Value) { FOnGetFontCharSet = std::move(Value); }
  const TAmGetBiDiMode& OnGetBiDiMode() const { return FOnGetBiDiMode; }
  void SetOnGetBiDiMode(TAmGetBiDiMode Value) { FOnGetBiDiMode = std::move(Value); }
  const TAmSetBiDiMode& OnSetBiDiMode() const { return FOnSetBiDiMode; }
  void SetOnSetBiDiMode(TAmSetBiDiMode Value) { FOnSetBiDiMode = std::move(Value); }
  const TAmSetFontCharSet& OnSetFontCharSet() const { return FOnSetFontCharSet; }
  void SetOnSetFontCharSet(TAmSetFontCharSet Value) { FOnSetFontCharSet = std::move(Value); }
  const TAmGetLanguageName& OnGetLanguageName() const { return FOnGetLanguageName; }
  void SetOnGetLanguageName(TAmGetLanguageName Value) { FOnGetLanguageName = std::move(Value); }
  const TAmSetLanguageName& OnSetLanguageName() const { return FOnSetLanguageName; }
  void SetOnSetLanguageName(TAmSetLanguageName Value) { FOnSetLanguageName = std::move(Value); }

protected:
  // Raises the read-only error when GetReadOnly answers true.
  void CheckReadOnly() const;
  // Raises the index error unless Index is -1 .. count-1.
  void CheckIndex(int Index) const;
  host::TObject* Self() const { return const_cast<TAmCustomLanguageSource*>(this); }
  // Closes the active language for a destructor: concrete sources call it
  // from theirs, so that the handlers still see the whole source. An error
  // cannot leave a destructor, so it is dropped.
  void CloseForDestruction() noexcept;

private:
  // The active-language change without the streaming check.
  void ApplyActiveLanguage(int Value);
  // Opens again the store of the language that stays active after a
  // refused or failed change: it was released before anyone was asked.
  // Failed: the change ended with an error, which outranks one here.
  void ReopenAfterRefusal(bool Failed);

  int FActiveLanguage = -1;
  int FLastLocalized = -1;
  int FPendingLanguage = -1;
  std::vector<TAmCustomLocalizer*> FLocalizers;
  std::string FOriginalName = "Original";
  host::TNotifyEvent FOnLanguageChanged;
  TAmLangChangingEvent FOnLanguageChanging;
  std::unique_ptr<host::TStringList> FLanguages;
  bool FActivated = false;
  bool FUpdating = false;
  std::string FFormSection;
  host::TNotifyEvent FOnClearAll;
  host::TNotifyEvent FOnLanguageOpen;
  host::TNotifyEvent FOnClear;
  host::TNotifyEvent FOnLanguageClose;
  TAmLoadStringEvent FOnLoadString;
  TAmSaveStringEvent FOnSaveString;
  TAmStringsEvent FOnLoadStrings;
  TAmStringsEvent FOnSaveStrings;
  TAmGetFormSectionEvent FOnGetFormSection;
  TAmSetFormSectionEvent FOnSetFormSection;
  TAmGetFontCharSet FOnGetFontCharSet;
  TAmGetBiDiMode FOnGetBiDiMode;
  TAmSetBiDiMode FOnSetBiDiMode;
  TAmSetFontCharSet FOnSetFontCharSet;
  std::unique_ptr<TAmLanguageSettings> FActiveSettings;
  TAmGetLanguageName FOnGetLanguageName;
  TAmSetLanguageName FOnSetLanguageName;
};

// The abstract localizer: binds its owner (a form) to a language source and
// is told when the source's language changes.
class TAmCustomLocalizer : public host::TComponent {
  HOST_CLASS(TAmCustomLocalizer)
public:
  explicit TAmCustomLocalizer(host::TComponent* AOwner);
  ~TAmCustomLocalizer() override;

  TAmCustomLanguageSource* Source() const { return FSource; }
  void SetSource(TAmCustomLanguageSource* Value);
  bool ClearBeforeSave() const { return FClearBeforeSave; }
  void SetClearBeforeSave(bool Value) { FClearBeforeSave = Value; }
  std::string About() const { return {}; }
  void SetAbout(const std::string&) {}
  std::string _Version() const { return {}; }
  void Set_Version(const std::string&) {}

  // Applies the source's active language to the owner.
  virtual void Localize() = 0;
  // The base empties the owner's section first when ClearBeforeSave is set.
  virtual void Save();
  virtual void LanguageChanging(int LanguageIndex, bool& AllowChange);
  virtual void LanguageChanged();
  // Removes records of excluded or vanished components.
  virtual void DeleteExcluded(host::TComponent* AComponent) = 0;

  // The active language's value and name as the source's list has them;
  // "" without a source or an active language.
  std::string GetFileName() const;
  std::string GetLanguageName() const;

  void Assign(const host::TPersistent* Source) override;
  void Loaded() override;
  void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

  const TAmLangChangingEvent& OnLanguageChanging() const { return FOnLanguageChanging; }
  void SetOnLanguageChanging(TAmLangChangingEvent Value) { FOnLanguageChanging = std::move(Value); }
  const host::TNotifyEvent& OnLanguageChanged() const { return FOnLanguageChanged; }
  void SetOnLanguageChanged(host::TNotifyEvent Value) { FOnLanguageChanged = std::move(Value); }

private:
  TAmCustomLanguageSource* FSource = nullptr;
  TAmCustomLanguageSource* FPendingSource = nullptr;
  TAmLangChangingEvent FOnLanguageChanging;
  host::TNotifyEvent FOnLanguageChanged;
  bool FClearBeforeSave = false;
};

// The base of sources that keep one file per language: each language's
// value in Languages names its file, which the file-name hook may rewrite.
class TAmFileLanguageSource : public TAmCustomLanguageSource {
  HOST_CLASS(TAmFileLanguageSource)
public:
  explicit TAmFileLanguageSource(host::TComponent* AOwner);

  // Extension, without the dot, given to new language files.
  const std::string& DefaultFileExt() const { return FDefaultFileExt; }
  void SetDefaultFileExt(const std::string& Value) { FDefaultFileExt = Value; }
  // The file-name hook (public, never stored).
  const TAmLangFileNameEvent& OnGetFileName() const { return FOnGetFileName; }
  void SetOnGetFileName(TAmLangFileNameEvent Value) { FOnGetFileName = std::move(Value); }

  // The language's value passed through the hook; "" (hook not called)
  // when the value is empty.
  std::string GetLanguageFile(int Index) const;
  void SetLanguageFile(int Index, const std::string& Value) { SetLanguageValue(Index, Value); }

  void Assign(const host::TPersistent* Source) override;

private:
  std::string FDefaultFileExt = "lng";
  TAmLangFileNameEvent FOnGetFileName;
};

}  // namespace ambit
