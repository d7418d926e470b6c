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
#include "host/core/TextScan.h"

namespace host {

// Why Text is no INI text that a rewrite may replace (UTF-16, NUL bytes,
// invalid UTF-8, a form file, text without any [section]); empty when it
// is one. Comment lines alone, or nothing, are INI text.
std::string NotIniReason(std::string_view Text);

// One pass over the lines of a section's text (what follows its header, up
// to the next) as TMemIniFile reads them: CR, LF or CR LF end a line, each
// line is trimmed, empty lines are skipped, and a key line loses the blanks
// around its first "=".
class TIniLines {
public:
  enum TKind { End, Comment, Plain, Pair };
  explicit TIniLines(std::string_view Text) : FAt(Text.data()), FEnd(Text.data() + Text.size()) {}
  // The next line: a comment (";" first), a line without "=" (Plain) or a
  // key line (Pair); End after the last. Raw is the line as it stands,
  // Line trimmed, Key and Value a key line's two sides.
  TKind Next() {
    for (;;) {
      if (FAt == FEnd) return End;
      const char* stop = FindLineEnd(FAt, FEnd);
      Raw = std::string_view(FAt, static_cast<std::size_t>(stop - FAt));
      if (stop != FEnd && *stop == '\r') ++stop;
      if (stop != FEnd && *stop == '\n') ++stop;
      FAt = stop;
      Line = Trim(Raw);
      if (Line.empty()) continue;
      if (Line.front() == ';') return Comment;
      const std::size_t eq = Line.find('=');
      if (eq == std::string_view::npos) return Plain;
      Key = Line.substr(0, eq);
      Value = Line.substr(eq + 1);
      while (!Key.empty() && Blank(Key.back())) Key.remove_suffix(1);
      while (!Value.empty() && Blank(Value.front())) Value.remove_prefix(1);
      return Pair;
    }
  }
  std::string_view Raw, Line, Key, Value;

  static bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
  static std::string_view Trim(std::string_view s) {
    while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
    return s;
  }

private:
  const char* FAt;
  const char* FEnd;
};

// A section's lines are parsed when something first reads or changes that
// section (the others are only found), so reading one section of a large
// file does not parse the rest; even the const reads may parse, so one
// object is not for threads that read it at the same time.
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
  // For readers that take a section in one pass (through TIniLines) and
  // store nothing: the section's text as the file was read, while nothing
  // has parsed its lines yet. False otherwise (SectionLines has them then,
  // or the section is missing). Valid until the file changes.
  bool UnparsedSection(std::string_view Section, std::string_view& Text) const;
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
    // Lines not parsed yet: Unparsed (in FBase) holds them, and Lines,
    // when Refill, is the spare's list of this section, to be cleared then.
    bool Pending = false;
    bool Refill = false;
    std::string_view Unparsed;
  };
  // Parses the lines of S, or of every section, if not done yet.
  static void ParseLines(Section& S);
  void ParseAll() const;
  Section* FindSection(std::string_view Name) const;
  static const std::string& SectionText(const Section& S);
  static void CacheLine(Section& S, int Index, const std::string& Line, std::size_t OldLength);
  Section& AddSection(std::string Name);
  // Finds the sections of Text, taking the storage of the sections in
  // Recycled (emptied); their lines wait for ParseLines, so Text must stay
  // until then.
  void Parse(std::string_view Text, std::vector<Section>&& Recycled);
  void Load(std::vector<Section>&& Recycled);
  void Reindex();
  // Takes over what another writer changed on disk (Theirs) since this
  // object read or wrote FBase.
  void FoldIn(std::string_view Theirs);

  std::string FFileName;
  // The lines before the first section, as read (with their line ends).
  std::string FPreamble;
  // Mutable: a const read parses the section it reads.
  mutable std::vector<Section> FSections;
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
