// TMemIniFile: a whole INI file in memory, sections and keys in file order,
// compared ignoring case, written back in one piece by UpdateFile.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/core/FileIO.h"
#include "host/core/Strings.h"

namespace host {

// Why Text is no INI text that a rewrite may replace (UTF-16, NUL bytes,
// invalid UTF-8, a form file, text without any [section]); empty when it
// is one. Comment lines alone, or nothing, are INI text.
std::string NotIniReason(std::string_view Text);

class TMemIniFile : public TObject {
  HOST_CLASS(TMemIniFile)
public:
  // Loads FileName when it exists; a missing file reads as empty. A file
  // that exists but cannot be read, or is no regular file (a named pipe, a
  // device), raises EFOpenError.
  explicit TMemIniFile(std::string FileName);
  // The same, reading into the storage of Spare (a file read before and no
  // longer needed; it goes with the construction): a section read again
  // under the name and place it had there, with the same keys in the same
  // order, takes its lines without allocating them.
  TMemIniFile(std::string FileName, std::unique_ptr<TMemIniFile> Spare);
  ~TMemIniFile() override;

  const std::string& FileName() const { return FFileName; }

  // The raw value after the key's first "=", or Default when the section or
  // key is missing. When a key occurs twice, the first line wins.
  virtual std::string ReadString(std::string_view Section, std::string_view Ident, const std::string& Default);
  // Replaces the key's line in place, or appends it to its section; a
  // missing section is appended at the end.
  virtual void WriteString(std::string_view Section, std::string_view Ident, const std::string& Value);
  int ReadInteger(std::string_view Section, std::string_view Ident, int Default);
  void WriteInteger(std::string_view Section, std::string_view Ident, int Value);
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default);
  void WriteBool(std::string_view Section, std::string_view Ident, bool Value);

  // The keys of a section, in file order.
  virtual void ReadSection(std::string_view Section, TStrings* Strings);
  // The section names, in file order.
  virtual void ReadSections(TStrings* Strings);
  // The section's lines as they are stored (key=raw value).
  virtual void ReadSectionValues(std::string_view Section, TStrings* Strings);
  // Removes the section, and any repeated section of the same name.
  virtual void EraseSection(std::string_view Section);
  virtual void DeleteKey(std::string_view Section, std::string_view Ident);
  bool SectionExists(std::string_view Section) const;
  // The key lines of a section as stored (key=raw value), in file order,
  // for readers that take a section in one pass; null when it is missing.
  // Valid until the file changes.
  const TStringList* SectionLines(std::string_view Section) const;
  bool ValueExists(std::string_view Section, std::string_view Ident) const;

  // Removes every section from memory; the file is untouched until the
  // next UpdateFile.
  void Clear();
  // The file's lines as UpdateFile writes them, and parsing lines into
  // the sections (replacing what is in memory).
  void GetStrings(TStrings* List) const;
  void SetStrings(const TStrings* List);
  // Parses INI text (CR, LF or CR LF line ends) into the sections.
  void SetText(std::string_view Text);
  // The file's content as UpdateFile writes it.
  std::string Text() const;

  // Why the file on disk is no INI text (UTF-16, binary data, invalid
  // UTF-8, a form file, text without any [section]); empty when it is one.
  // UpdateFile refuses to write over such a file.
  const std::string& NotIniText() const;

  // Writes the whole content to FileName through a TFileRewrite: a failed
  // write leaves the old file whole. Writers take turns, and what another
  // writer (or a hand edit) changed in the file since it was read or last
  // written is folded in first: keys and sections changed here replace
  // theirs, everything else of theirs stays, and memory then holds the
  // merged content. Comment lines and the lines before the first section
  // are kept. Raises EFCreateError naming the file and the reason, also
  // when the file on disk is no INI text (see NotIniText).
  virtual void UpdateFile();

private:
  struct Section {
    std::string Name;
    std::unique_ptr<TStringList> Lines;
    // Comment lines as they stand, each placed before the line of that
    // index (the count: after the last line).
    std::vector<std::pair<int, std::string>> Comments;
    // The section as Text() writes it, without its closing empty line, and
    // where each line starts in it. WriteString keeps it in step, so that
    // rewriting the file after every write copies text instead of
    // serialising every line again; other changes to the lines drop it.
    mutable std::string Cache;
    mutable std::vector<std::size_t> Starts;
    mutable bool CacheValid = false;
    // Whether the next read of the section may refill the kept lines
    // (see TStringList::ClearKeepingLines): false once a line without "="
    // or a repeated key was met, as such a list keeps nothing.
    bool Keepable = true;
  };
  Section* FindSection(std::string_view Name) const;
  static const std::string& SectionText(const Section& S);
  static void CacheLine(Section& S, int Index, const std::string& Line, std::size_t OldLength);
  Section& AddSection(std::string Name);
  // SetText, taking the storage of the sections in Recycled (emptied).
  void Parse(std::string_view Text, std::vector<Section>&& Recycled);
  void Load(std::vector<Section>&& Recycled);
  void Reindex();
  // Takes over what another writer changed on disk (Theirs) since this
  // object read or wrote FBase.
  void FoldIn(std::string_view Theirs);

  std::string FFileName;
  // The lines before the first section, as read (with their line ends).
  std::string FPreamble;
  std::vector<Section> FSections;
  // First section of each name (ignoring case) to its position.
  std::unordered_map<std::string, std::size_t, TextHash, TextEqual> FIndex;
  // The file as this object last read or wrote it, and that version's
  // stamp (none while it did not exist): what a rewrite compares with.
  std::string FBase;
  std::optional<TFileStamp> FStamp;
  // Why FBase is no INI text, worked out when first needed.
  mutable std::string FNotIniText;
  mutable bool FBaseChecked = false;
};

}  // namespace host
