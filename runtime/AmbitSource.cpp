#include "runtime/AmbitSource.h"

#include "host/core/FormFolder.h"
#include "host/core/Strings.h"
#include <typeinfo>
#include <vector>

namespace ambit {

namespace {
constexpr char kQuote = '"';
constexpr char kEscape = '#';
}  // namespace

// ---- TAmLanguageFile ----

const host::TClass& TAmLanguageFile::StaticClass() {
  static const host::TClass cls =
      host::TClassBuilder<TAmLanguageFile>("TAmLanguageFile", &host::TMemIniFile::StaticClass()).Build();
  return cls;
}
const host::TClass& TAmLanguageFile::ClassType() const { return StaticClass(); }

TAmLanguageFile::TAmLanguageFile(std::string FileName) : host::TMemIniFile(std::move(FileName)) {}

TAmLanguageFile::TAmLanguageFile(std::string FileName, std::unique_ptr<TAmLanguageFile> Spare)
    : host::TMemIniFile(std::move(FileName), std::move(Spare)) {}

std::string TAmLanguageFile::ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) {
  return GetDecodedString(host::TMemIniFile::ReadString(Section, Ident, Default), kQuote, kEscape);
}

void TAmLanguageFile::WriteString(std::string_view Section, std::string_view Ident, const std::string& Value) {
  host::TMemIniFile::WriteString(Section, Ident, GetEncodedString(Value, kQuote, kEscape));
  UpdateFile();
}

namespace {

// What ReadString gives for the name of line I: the decoded value of the
// first line of that name, or the empty text when no line has it.
std::string FirstValue(const host::TStringList& Lines, int I) {
  const int first = Lines.IndexOfName(host::LineName(Lines.Line(I)));
  if (first < 0) return {};
  return GetDecodedString(host::LineValue(Lines.Line(first)), kQuote, kEscape);
}

// Every key of the section, in file order, is assigned through the list's
// value setter the value ReadString reads for it. One pass: a fresh
// case-insensitive list (the form localizer's case) groups names as the
// section does, so one look-up in it tells a first line from a repeat; any
// other list gets every assignment as it comes.
void AssignSectionValues(const host::TStringList& Lines, host::TStrings& Strings) {
  auto* list = host::As<host::TStringList>(&Strings);
  const bool fresh = list && typeid(*list) == typeid(host::TStringList) && list->Count() == 0 && !list->Sorted() &&
                     !list->CaseSensitive();
  if (fresh) list->SetCapacity(Lines.Count());
  // Names whose first value is empty: they add nothing, nor do their repeats.
  host::TNameIndex emptyFirst;
  auto nameAt = [&Lines](int i) { return host::LineName(Lines.Line(i)); };
  // A repeat keeps the first value and takes the later spelling.
  auto respell = [list](int at, std::string_view name) {
    const std::string& had = list->Line(at);
    if (std::string_view(had).substr(0, name.size()) == name) return;
    std::string renamed(name);
    renamed.append(had, name.size());
    list->Put(at, renamed);
  };
  for (int i = 0; i < Lines.Count(); ++i) {
    const std::string& line = Lines.Line(i);
    const std::string_view name = host::LineName(line);
    // A line without a name (or without "=") reads the first "=" line.
    if (!fresh || name.empty()) {
      Strings.SetValues(name, FirstValue(Lines, i));
      continue;
    }
    if (emptyFirst.Count() > 0 && emptyFirst.Find(name, nameAt) >= 0) continue;
    std::string assigned;
    assigned.reserve(line.size());
    assigned.append(name).append(1, '=');
    AppendDecodedString(assigned, std::string_view(line).substr(name.size() + 1), kQuote, kEscape);
    if (assigned.size() > name.size() + 1) {
      const int count = list->Count();
      const int at = list->AddUniqueName(std::move(assigned));
      if (list->Count() == count) respell(at, name);
    } else if (const int present = list->IndexOfName(name); present >= 0) {
      respell(present, name);
    } else {
      emptyFirst.Add(name, i, nameAt);
    }
  }
}

}  // namespace

namespace {

// AssignSectionValues' rules for a fresh list, one key line at a time:
// Next gives each line's name and stored value and returns false after the
// last. False, with Records cleared, when a line has no name.
template <class Next>
bool ReadRecords(Next&& next, TAmFormRecords& Records) {
  // The names whose first value is empty: they add nothing, nor do their
  // repeats.
  std::vector<std::string_view> emptyNames;
  host::TNameIndex emptyFirst;
  auto nameAt = [&emptyNames](int i) { return emptyNames[static_cast<std::size_t>(i)]; };
  auto respell = [&Records](int at, std::string_view name) {
    const std::string_view had = Records.Name(at);
    if (had == name) return true;
    if (had.size() != name.size()) return false;
    Records.Respell(at, name);
    return true;
  };
  std::string_view name, raw;
  while (next(name, raw)) {
    if (name.empty()) {
      Records.Clear();
      return false;
    }
    if (emptyFirst.Count() > 0 && emptyFirst.Find(name, nameAt) >= 0) continue;
    const int had = Records.Count();
    const int at = Records.AddDecoded(name, [raw](std::string& out) { AppendDecodedValue(out, raw, kQuote, kEscape); });
    bool spelt = true;
    if (at >= 0) {
      if (Records.Count() == had) spelt = respell(at, name);
    } else if (const int present = Records.IndexOfName(name); present >= 0) {
      spelt = respell(present, name);
    } else {
      emptyNames.push_back(name);
      emptyFirst.Add(name, static_cast<int>(emptyNames.size()) - 1, nameAt);
    }
    if (!spelt) {
      Records.Clear();
      return false;
    }
  }
  return true;
}

}  // namespace

bool TAmLanguageFile::ReadFormRecords(std::string_view Section, TAmFormRecords& Records) {
  Records.Clear();
  // A section no one has read yet is read straight from the file's text,
  // without storing its lines first.
  if (std::string_view text; UnparsedSection(Section, text)) {
    host::TIniLines lines(text);
    return ReadRecords(
        [&lines](std::string_view& Name, std::string_view& Raw) {
          for (;;) switch (lines.Next()) {
              case host::TIniLines::End:
                return false;
              case host::TIniLines::Comment:
                continue;
              case host::TIniLines::Plain:
                Name = {};  // no name
                return true;
              case host::TIniLines::Pair:
                Name = lines.Key;
                Raw = lines.Value;
                return true;
            }
        },
        Records);
  }
  const host::TStringList* lines = SectionLines(Section);
  if (!lines) return true;
  Records.Reserve(static_cast<std::size_t>(lines->Count()));
  int i = 0;
  return ReadRecords(
      [lines, &i](std::string_view& Name, std::string_view& Raw) {
        if (i == lines->Count()) return false;
        const std::string& line = lines->Line(i++);
        Name = host::LineName(line);
        if (!Name.empty()) Raw = std::string_view(line).substr(Name.size() + 1);
        return true;
      },
      Records);
}

void TAmLanguageFile::ReadSectionValues(std::string_view Section, host::TStrings* Strings) {
  if (!Strings) return;
  const host::TStringList* lines = SectionLines(Section);
  Strings->BeginUpdate();
  try {
    if (lines) AssignSectionValues(*lines, *Strings);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TAmLanguageFile::EraseSection(std::string_view Section) {
  host::TMemIniFile::EraseSection(Section);
  UpdateFile();
}

// ---- TAmLanguageSource ----

const host::TClass& TAmLanguageSource::StaticClass() {
  using S = TAmLanguageSource;
  static const host::TClass cls =
      host::TClassBuilder<S>("TAmLanguageSource", &TAmFileLanguageSource::StaticClass())
          .Prop("About", &S::About, &S::SetAbout)
          .Prop("ActiveLanguage", &S::ActiveLanguage, &S::SetActiveLanguage)
          .Default(-1)
          .Prop("ActiveSettings", &S::ActiveSettings, &S::SetActiveSettings)
          .Prop("DefaultFileExt", &S::DefaultFileExt, &S::SetDefaultFileExt)
          .Prop("Languages", &S::Languages, &S::SetLanguages)
          .Prop("OriginalName", &S::OriginalName, &S::SetOriginalName)
          .Prop("SortSections", &S::SortSections, &S::SetSortSections)
          .Default(false)
          .Prop("OnLanguageChanging", &S::OnLanguageChanging, &S::SetOnLanguageChanging)
          .Prop("OnLanguageChanged", &S::OnLanguageChanged, &S::SetOnLanguageChanged)
          .Prop("_Version", &S::_Version, &S::Set_Version)
          .Stored(false)
          .Build();
  return cls;
}
const host::TClass& TAmLanguageSource::ClassType() const { return StaticClass(); }

TAmLanguageSource::TAmLanguageSource(host::TComponent* AOwner) : TAmFileLanguageSource(AOwner) {}

// The base destructor tells the handlers that the language closes; the file
// itself goes with this object (nothing is written on close).
TAmLanguageSource::~TAmLanguageSource() {
  Destroying();
  CloseForDestruction();
}

void TAmLanguageSource::OpenLanguage() {
  TAmFileLanguageSource::OpenLanguage();
  CloseLanguage();
  if (ActiveLanguage() >= 0)
    FFile = std::make_unique<TAmLanguageFile>(LanguageFilePath(ActiveLanguage()), std::move(FSpare));
}

// The name as the source gives it, inside its form's folder when a designer
// gave the form one (a program's forms use its current folder).
std::string TAmLanguageSource::LanguageFilePath(int Index) const {
  return host::ExpandFormFileName(this, GetLanguageFile(Index));
}

void TAmLanguageSource::CloseLanguage() {
  TAmFileLanguageSource::CloseLanguage();
  if (FFile) FSpare = std::move(FFile);
}

bool TAmLanguageSource::GetReadOnly() const { return false; }

std::string TAmLanguageSource::LoadString(const std::string& StringName, const std::string& Default) {
  std::string result = TAmFileLanguageSource::LoadString(StringName, Default);
  if (FFile && !StringName.empty()) result = FFile->ReadString(GetFormSection(), StringName, Default);
  return result;
}

void TAmLanguageSource::SaveString(const std::string& StringName, const std::string& Value) {
  TAmFileLanguageSource::SaveString(StringName, Value);
  if (FFile && !StringName.empty()) FFile->WriteString(GetFormSection(), StringName, Value);
}

void TAmLanguageSource::LoadStrings(host::TStrings* Strings) {
  TAmFileLanguageSource::LoadStrings(Strings);
  if (!Strings || !FFile) return;
  Strings->Clear();
  FFile->ReadSectionValues(GetFormSection(), Strings);
  if (FSortSections)
    if (auto* list = host::As<host::TStringList>(Strings)) list->Sort();
}

bool TAmLanguageSource::LoadRecords(TAmFormRecords& Records) {
  if (typeid(*this) != typeid(TAmLanguageSource) || OnLoadStrings() || FSortSections || !FFile) return false;
  return FFile->ReadFormRecords(GetFormSection(), Records);
}

void TAmLanguageSource::SaveStrings(host::TStrings* Strings) {
  TAmFileLanguageSource::SaveStrings(Strings);
  if (!Strings || !FFile) return;
  if (FSortSections)
    if (auto* list = host::As<host::TStringList>(Strings)) list->Sort();
  for (int i = 0; i < Strings->Count(); ++i) {
    const std::string name = Strings->Names(i);
    FFile->WriteString(GetFormSection(), name, Strings->Values(name));
  }
}

void TAmLanguageSource::Clear() {
  TAmFileLanguageSource::Clear();
  if (!FFile) return;
  const std::string section = GetFormSection();
  if (!section.empty()) FFile->EraseSection(section);
}

void TAmLanguageSource::ClearAll() {
  TAmFileLanguageSource::ClearAll();
  if (FFile) FFile->Clear();
}

void TAmLanguageSource::Assign(const host::TPersistent* Source) {
  TAmFileLanguageSource::Assign(Source);
  if (const auto* src = host::As<TAmLanguageSource>(Source)) FSortSections = src->FSortSections;
}

}  // namespace ambit
