// The language source that keeps each language in a file of its own, and
// the INI file object that encodes every value and writes through at once.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/core/IniFiles.h"
#include "runtime/Ambit.h"
#include "runtime/Ambit/FormRecords.h"

namespace ambit {

// An in-memory INI file whose values pass through the codec: reads decode,
// writes encode and rewrite the whole file on disk (atomically) at once.
class TAmLanguageFile : public host::TMemIniFile {
  HOST_CLASS(TAmLanguageFile)
public:
  explicit TAmLanguageFile(std::string FileName);
  // Reads into the storage of Spare (see TMemIniFile).
  TAmLanguageFile(std::string FileName, std::unique_ptr<TAmLanguageFile> Spare);

  // The stored value decoded; the Default is decoded too when it is used.
  std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) override;
  // Encodes Value, stores it and rewrites the file.
  void WriteString(std::string_view Section, std::string_view Ident, const std::string& Value) override;
  // Assigns every key's decoded value to Strings by name, so keys whose
  // text is empty do not appear. Strings is not cleared first.
  void ReadSectionValues(std::string_view Section, host::TStrings* Strings) override;
  // What ReadSectionValues gives a fresh list (case ignored, unsorted), as
  // records; false, with Records cleared, when a line without a name or a
  // respelling that changes a name's length asks for the list's own rules.
  bool ReadFormRecords(std::string_view Section, TAmFormRecords& Records);
  // Erases the section and rewrites the file.
  void EraseSection(std::string_view Section) override;
};

// Language source over one language file per language: each line of
// Languages is "language name=file name".
class TAmLanguageSource : public TAmFileLanguageSource {
  HOST_CLASS(TAmLanguageSource)
public:
  explicit TAmLanguageSource(host::TComponent* AOwner);
  ~TAmLanguageSource() override;

  // Sorts sections read with LoadStrings and lists written with SaveStrings.
  bool SortSections() const { return FSortSections; }
  void SetSortSections(bool Value) { FSortSections = Value; }
  // The open file of the active language; null while none is active.
  TAmLanguageFile* LanguageFile() const { return FFile.get(); }
  // The file OpenLanguage opens for the language at Index: its name
  // through the file-name hook, inside its form's folder when a designer
  // gave the form one. Code that rewrites a language file beside the
  // source finds the same file through it.
  std::string LanguageFilePath(int Index) const;

  void OpenLanguage() override;
  void CloseLanguage() override;
  bool GetReadOnly() const override;
  std::string LoadString(const std::string& StringName, const std::string& Default) override;
  void SaveString(const std::string& StringName, const std::string& Value) override;
  void LoadStrings(host::TStrings* Strings) override;
  // Only for this class itself, without an OnLoadStrings handler and with
  // unsorted sections: then the records are what LoadStrings would give.
  bool LoadRecords(TAmFormRecords& Records) override;
  void SaveStrings(host::TStrings* Strings) override;
  void Clear() override;
  // Empties the file in memory only; the disk follows with the next write.
  void ClearAll() override;

  void Assign(const host::TPersistent* Source) override;

private:
  std::unique_ptr<TAmLanguageFile> FFile;
  // The file last closed, whose storage the next one opened reads into:
  // switching between languages of the same records then allocates
  // nothing per line, and frees nothing.
  std::unique_ptr<TAmLanguageFile> FSpare;
  bool FSortSections = false;
};

}  // namespace ambit
