// TMemIniFile: a whole INI file in memory, sections and keys in file order,
// compared ignoring case, written back in one piece by UpdateFile.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/core/Strings.h"

namespace host {

class TMemIniFile : public TObject {
  HOST_CLASS(TMemIniFile)
public:
  // Loads FileName when it exists; a missing file reads as empty. A file
  // that exists but cannot be read raises EFOpenError.
  explicit TMemIniFile(std::string FileName);
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

  // Writes the whole content to FileName: into a temporary file in the same
  // folder that is then renamed over the old file, so a failed write leaves
  // the old file whole. Raises EFCreateError naming the file and the reason.
  virtual void UpdateFile();

private:
  struct Section {
    std::string Name;
    std::unique_ptr<TStringList> Lines;
    // The section as Text() writes it, without its closing empty line, and
    // where each line starts in it. WriteString keeps it in step, so that
    // rewriting the file after every write copies text instead of
    // serialising every line again; other changes to the lines drop it.
    mutable std::string Cache;
    mutable std::vector<std::size_t> Starts;
    mutable bool CacheValid = false;
  };
  Section* FindSection(std::string_view Name) const;
  static const std::string& SectionText(const Section& S);
  static void CacheLine(Section& S, int Index, const std::string& Line);
  Section& AddSection(std::string Name);
  void Reindex();

  std::string FFileName;
  std::vector<Section> FSections;
  // First section of each name (ignoring case) to its position.
  std::unordered_map<std::string, std::size_t, TextHash, TextEqual> FIndex;
};

// Writes Data to FileName atomically: into a hidden temporary file in the
// same folder, flushed to disk, then renamed over the old file. An existing
// file keeps its permissions (and its owner where the process may set it);
// a symbolic link stays a link and its target is replaced. A file without
// write permission is not replaced. Raises EFCreateError on failure and then
// leaves the old file and no temporary file behind.
void WriteFileAtomic(const std::string& FileName, std::string_view Data);

}  // namespace host
