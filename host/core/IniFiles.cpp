#include "host/core/IniFiles.h"

#include <algorithm>

namespace host {

namespace {

// The line (from 1) of the first byte sequence that is no UTF-8; 0 when all
// of Text is UTF-8.
int FirstNonUtf8Line(std::string_view Text) {
  int line = 1;
  for (std::size_t i = 0; i < Text.size();) {
    const auto c = static_cast<unsigned char>(Text[i]);
    if (c == '\n') ++line;
    if (c < 0x80) {
      ++i;
      continue;
    }
    // Lead bytes of 2, 3 and 4 byte sequences, without the overlong C0, C1.
    const std::size_t n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    if (c < 0xC2 || c > 0xF4 || i + n >= Text.size()) return line;
    const unsigned min = n == 3 ? 0x10000 : n == 2 ? 0x800 : 0x80;
    unsigned code = c & (0x3Fu >> n);
    for (std::size_t k = 1; k <= n; ++k) {
      const auto b = static_cast<unsigned char>(Text[i + k]);
      if ((b & 0xC0) != 0x80) return line;
      code = (code << 6) | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return line;
    i += n + 1;
  }
  return 0;
}

// A form file starts with "object Name: TClass" (or inherited, inline).
bool IsFormHeader(std::string_view Line) {
  const std::size_t space = Line.find(' ');
  if (space == std::string_view::npos) return false;
  const std::string word = AnsiLowerCase(Line.substr(0, space));
  if (word != "object" && word != "inherited" && word != "inline") return false;
  const std::size_t colon = Line.find(':');
  return colon != std::string_view::npos && Line.find('=') > colon;
}

}  // namespace

std::string NotIniReason(std::string_view Text) {
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  if (Text.size() >= 2 && ((Text[0] == '\xFF' && Text[1] == '\xFE') || (Text[0] == '\xFE' && Text[1] == '\xFF')))
    return "it is UTF-16 text";
  if (Text.find('\0') != std::string_view::npos) return "it holds NUL bytes: binary data, or UTF-16 text";
  if (const int line = FirstNonUtf8Line(Text)) return Format("line %d is no UTF-8 text", {line});
  bool first = true;
  bool text = false;
  for (std::size_t p = 0; p < Text.size();) {
    const std::size_t end = std::min(Text.find_first_of("\r\n", p), Text.size());
    const std::string line = Trim(Text.substr(p, end - p));
    p = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (first && IsFormHeader(line)) return "it is a form file";
    first = false;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') return {};
    text = true;
  }
  return text ? "it has text but no [section]" : std::string();
}

const TClass& TMemIniFile::StaticClass() {
  static const TClass cls = TClassBuilder<TMemIniFile>("TMemIniFile", &TObject::StaticClass()).Build();
  return cls;
}
const TClass& TMemIniFile::ClassType() const { return StaticClass(); }

TMemIniFile::TMemIniFile(std::string FileName) : FFileName(std::move(FileName)) { Load({}); }

TMemIniFile::TMemIniFile(std::string FileName, std::unique_ptr<TMemIniFile> Spare) : FFileName(std::move(FileName)) {
  std::vector<Section> recycled;
  if (Spare) recycled.swap(Spare->FSections);
  Load(std::move(recycled));
}

void TMemIniFile::Load(std::vector<Section>&& Recycled) {
  if (FFileName.empty()) return;
  std::string data;
  TFileStamp stamp;
  if (!ReadRegularFile(FFileName, data, &stamp)) return;  // missing: empty
  // The sections' lines are parsed from FBase when first read.
  FBase = std::move(data);
  FStamp = stamp;
  Parse(FBase, std::move(Recycled));
}

const std::string& TMemIniFile::NotIniText() const {
  // Looked at only when asked or before the first write: reading stays
  // one pass over the text.
  if (!FBaseChecked) {
    FNotIniText = NotIniReason(FBase);
    FBaseChecked = true;
  }
  return FNotIniText;
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view Name) const {
  auto it = FIndex.find(Name);
  if (it == FIndex.end()) return nullptr;
  Section& found = FSections[it->second];
  ParseLines(found);
  return &found;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string Name) {
  Section& added = FSections.emplace_back();
  added.Name = std::move(Name);
  added.Lines = std::make_unique<TStringList>();
  FIndex.try_emplace(added.Name, FSections.size() - 1);
  return added;
}

void TMemIniFile::Reindex() {
  FIndex.clear();
  for (std::size_t i = 0; i < FSections.size(); ++i) FIndex.try_emplace(FSections[i].Name, i);
}

void TMemIniFile::SetText(std::string_view Text) {
  Parse(Text, {});
  ParseAll();  // Text is the caller's
}

void TMemIniFile::Parse(std::string_view Text, std::vector<Section>&& Recycled) {
  // Every byte order mark goes: one left in the kept leading lines would be
  // taken for the file's own on the next read.
  while (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  Clear();
  FPreamble.clear();
  // A section of the name and place it had in Recycled takes over its list,
  // whose lines may be kept for a refill when their names were distinct.
  auto addSection = [&](std::string Name) -> Section& {
    const std::size_t k = FSections.size();
    if (k >= Recycled.size() || !Recycled[k].Lines || Recycled[k].Name != Name) return AddSection(std::move(Name));
    Section& old = Recycled[k];
    Section& added = FSections.emplace_back();
    added.Name = std::move(Name);
    added.Lines = std::move(old.Lines);
    added.Keepable = old.Keepable;
    added.Refill = true;
    FIndex.try_emplace(added.Name, k);
    return added;
  };
  // Only the headers are looked for here: a header is a line that starts
  // with "[" and ends with "]", blanks aside, and every line that starts
  // with "[" has one found by a search for "[".
  std::size_t body = 0;
  auto closeLast = [&](std::size_t End) {
    Section& last = FSections.back();
    last.Unparsed = Text.substr(body, End - body);
    last.Pending = true;
  };
  for (std::size_t open = Text.find('['); open != std::string_view::npos; open = Text.find('[', open + 1)) {
    std::size_t start = open;
    while (start > 0 && TIniLines::Blank(Text[start - 1]) && Text[start - 1] != '\r' && Text[start - 1] != '\n')
      --start;
    if (start > 0 && Text[start - 1] != '\r' && Text[start - 1] != '\n') continue;  // not first on its line
    const auto end =
        static_cast<std::size_t>(FindLineEnd(Text.data() + open, Text.data() + Text.size()) - Text.data());
    const std::string_view line = TIniLines::Trim(Text.substr(open, end - open));
    if (line.size() < 2 || line.back() != ']') continue;
    if (FSections.empty())
      FPreamble.assign(Text.substr(0, start));
    else
      closeLast(start);
    addSection(std::string(TIniLines::Trim(line.substr(1, line.size() - 2))));
    body = end;
  }
  if (FSections.empty())
    FPreamble.assign(Text);
  else
    closeLast(Text.size());
  if (!FPreamble.empty() && FPreamble.back() != '\n' && FPreamble.back() != '\r') FPreamble += "\r\n";
}

void TMemIniFile::ParseLines(Section& S) {
  if (!S.Pending) return;
  // A refill of the spare's list goes on while its kept lines come in the
  // same order; lines without "=" end it for good.
  bool refilling = S.Refill && S.Keepable;
  try {
    if (S.Refill) {
      if (refilling)
        S.Lines->ClearKeepingLines();
      else
        S.Lines->Clear();
      S.Refill = false;
    }
    S.Keepable = true;
    // Each line is built in here while a refill goes on: the kept line of its
    // place takes a copy, and this buffer stays for the next.
    std::string scratch;
    TIniLines lines(S.Unparsed);
    for (TIniLines::TKind kind; (kind = lines.Next()) != TIniLines::End;) {
      // Comments are no records, but a rewrite keeps them where they stood.
      if (kind == TIniLines::Comment) {
        S.Comments.emplace_back(S.Lines->Count(), std::string(lines.Raw));
        continue;
      }
      if (kind == TIniLines::Plain) {
        S.Keepable = refilling = false;  // a list with such a line keeps nothing
        S.Lines->Add(std::string(lines.Line));
        continue;
      }
      if (refilling) {
        scratch.assign(lines.Key).append(1, '=').append(lines.Value);
        TStringList& list = *S.Lines;
        const int count = list.Count();
        list.AddUniqueName(std::move(scratch));
        if (list.Count() == count) {
          // A repeated key: the file keeps every line, and the next read of
          // this section does without a refill.
          list.Add(std::move(scratch));
          S.Keepable = refilling = false;
        }
        continue;
      }
      // Each stored line is built once and moved into its section.
      std::string stored;
      stored.reserve(lines.Key.size() + 1 + lines.Value.size());
      stored.append(lines.Key).append(1, '=').append(lines.Value);
      S.Lines->Add(std::move(stored));
    }
  } catch (...) {
    // Left unparsed, to be parsed whole by the next read.
    S.Lines->Clear();
    S.Comments.clear();
    throw;
  }
  S.Pending = false;
  S.Unparsed = {};
}

void TMemIniFile::ParseAll() const {
  for (Section& s : FSections) ParseLines(s);
}

void TMemIniFile::SetStrings(const TStrings* List) {
  Clear();
  if (List) SetText(List->Text());
}

void TMemIniFile::GetStrings(TStrings* List) const {
  if (List) List->SetText(Text());
}

const std::string& TMemIniFile::SectionText(const Section& s) {
  if (!s.CacheValid) {
    s.Cache.clear();
    s.Starts.clear();
    s.Starts.reserve(static_cast<std::size_t>(s.Lines->Count()));
    s.Cache += '[';
    s.Cache += s.Name;
    s.Cache += "]\r\n";
    std::size_t c = 0;
    auto comments = [&](int Before) {
      for (; c < s.Comments.size() && s.Comments[c].first <= Before; ++c) {
        s.Cache += s.Comments[c].second;
        s.Cache += "\r\n";
      }
    };
    for (int i = 0; i < s.Lines->Count(); ++i) {
      comments(i);
      s.Starts.push_back(s.Cache.size());
      s.Cache += s.Lines->Get(i);
      s.Cache += "\r\n";
    }
    comments(s.Lines->Count());
    s.CacheValid = true;
  }
  return s.Cache;
}

// Line Index of S was just replaced (it was OldLength long) or appended
// (Index == the old count; comments placed at the end come before it).
void TMemIniFile::CacheLine(Section& S, int Index, const std::string& Line, std::size_t OldLength) {
  if (!S.CacheValid) return;
  try {
    const auto i = static_cast<std::size_t>(Index);
    if (i == S.Starts.size()) {
      S.Starts.push_back(S.Cache.size());
      S.Cache += Line;
      S.Cache += "\r\n";
      return;
    }
    S.Cache.replace(S.Starts[i], OldLength, Line);
    if (Line.size() != OldLength)
      for (std::size_t j = i + 1; j < S.Starts.size(); ++j) S.Starts[j] = S.Starts[j] + Line.size() - OldLength;
  } catch (...) {
    // Out of memory: the next Text() serialises the section from its lines.
    S.CacheValid = false;
  }
}

std::string TMemIniFile::Text() const {
  ParseAll();
  std::size_t size = FPreamble.size();
  for (const auto& s : FSections) size += SectionText(s).size() + 2;
  std::string out;
  out.reserve(size);
  out += FPreamble;
  for (const auto& s : FSections) {
    out += s.Cache;
    out += "\r\n";
  }
  return out;
}

void TMemIniFile::Clear() {
  FSections.clear();
  FIndex.clear();
}

std::string TMemIniFile::ReadString(std::string_view Section, std::string_view Ident, const std::string& Default) {
  if (const auto* s = FindSection(Section)) {
    const int i = s->Lines->IndexOfName(Ident);
    if (i >= 0) return s->Lines->ValueFromIndex(i);
  }
  return Default;
}

void TMemIniFile::WriteString(std::string_view Section, std::string_view Ident, const std::string& Value) {
  auto* s = FindSection(Section);
  if (!s) s = &AddSection(std::string(Section));
  std::string line;
  line.reserve(Ident.size() + 1 + Value.size());
  line.append(Ident).append(1, '=').append(Value);
  const int i = s->Lines->IndexOfName(Ident);
  if (i >= 0) {
    const std::size_t oldLength = s->CacheValid ? s->Lines->Get(i).size() : 0;
    s->Lines->Put(i, line);
    CacheLine(*s, i, line, oldLength);
  } else {
    CacheLine(*s, s->Lines->Add(line), line, 0);
  }
}

int TMemIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) {
  return StrToIntDef(ReadString(Section, Ident, std::string()), Default);
}
void TMemIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}
bool TMemIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}
void TMemIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

void TMemIniFile::ReadSection(std::string_view Section, TStrings* Strings) {
  if (!Strings) return;
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (const auto* s = FindSection(Section))
      for (int i = 0; i < s->Lines->Count(); ++i) Strings->Add(s->Lines->Names(i));
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) {
  if (!Strings) return;
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const auto& s : FSections) Strings->Add(s.Name);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) {
  if (!Strings) return;
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (const auto* s = FindSection(Section)) Strings->AddStrings(s->Lines.get());
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::EraseSection(std::string_view Section) {
  if (FIndex.find(Section) == FIndex.end()) return;
  // A repeated header of the same name goes too: erasing only the first
  // would bring the hidden second one to light under the erased name.
  std::erase_if(FSections, [&](const auto& s) { return SameText(s.Name, Section); });
  Reindex();
}

void TMemIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  if (auto* s = FindSection(Section)) {
    const int i = s->Lines->IndexOfName(Ident);
    if (i >= 0) {
      s->Lines->Delete(i);
      for (auto& [before, text] : s->Comments)
        if (before > i) --before;
      s->CacheValid = false;
    }
  }
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return FIndex.find(Section) != FIndex.end(); }

const TStringList* TMemIniFile::SectionLines(std::string_view Section) const {
  const auto* s = FindSection(Section);
  return s ? s->Lines.get() : nullptr;
}

bool TMemIniFile::UnparsedSection(std::string_view Section, std::string_view& Text) const {
  auto it = FIndex.find(Section);
  if (it == FIndex.end() || !FSections[it->second].Pending) return false;
  Text = FSections[it->second].Unparsed;
  return true;
}

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  const auto* s = FindSection(Section);
  return s && s->Lines->IndexOfName(Ident) >= 0;
}

void TMemIniFile::UpdateFile() {
  // FBase is replaced below, and the merge reads every section.
  ParseAll();
  TFileRewrite rewrite(FFileName);
  auto refuse = [&] {
    throw EFCreateError(Format("Cannot write \"%s\": it is no INI file (%s), so it was left as it is. "
                               "Check the file name, or make the file UTF-8 text of [sections].",
                               {FFileName, FNotIniText}));
  };
  TFileStamp now;
  const bool exists = rewrite.Current(now);
  if (exists && FStamp != now) {
    // Another writer (or a hand edit) was here since this object read or
    // wrote the file, or made the file that was missing then.
    std::string theirs;
    TFileStamp stamp;
    if (rewrite.ReadCurrent(theirs, stamp)) {
      FNotIniText = NotIniReason(theirs);
      FBaseChecked = true;
      if (!FNotIniText.empty()) refuse();
      FoldIn(theirs);
      FBase = std::move(theirs);
      FStamp = stamp;
    }
  } else if (exists && !NotIniText().empty()) {
    refuse();
  }
  std::string text = Text();
  FStamp = rewrite.Commit(text);
  FBase = std::move(text);
  FNotIniText.clear();
  FBaseChecked = true;
}

namespace {
// The key of a record line (the text before its first "="); false for a
// line without one, which is no record.
bool KeyOf(const std::string& Line, std::string_view& Key) {
  const std::size_t eq = Line.find('=');
  if (eq == std::string::npos) return false;
  Key = std::string_view(Line).substr(0, eq);
  return true;
}
}  // namespace

void TMemIniFile::FoldIn(std::string_view Theirs) {
  TMemIniFile base("");
  base.SetText(FBase);
  TMemIniFile merged("");
  merged.SetText(Theirs);
  // Their record stays unless this side changed it; one this side removed
  // goes only when they left it as it was.
  auto unchangedThere = [&](const std::string& SectionName, std::string_view Key, const std::string& BaseLine) {
    const Section* there = merged.FindSection(SectionName);
    if (!there) return false;
    const int j = there->Lines->IndexOfName(Key);
    return j >= 0 && there->Lines->Get(j) == BaseLine;
  };
  auto removeUnchanged = [&](const Section& Was, const Section* Now) {
    for (int i = 0; i < Was.Lines->Count(); ++i) {
      const std::string line = Was.Lines->Get(i);
      std::string_view key;
      if (!KeyOf(line, key) || Was.Lines->IndexOfName(key) != i) continue;
      if (Now && Now->Lines->IndexOfName(key) >= 0) continue;
      if (unchangedThere(Was.Name, key, line)) merged.DeleteKey(Was.Name, key);
    }
  };
  for (std::size_t k = 0; k < FSections.size(); ++k) {
    const Section& ours = FSections[k];
    if (FIndex.find(ours.Name)->second != k) continue;  // hidden by an earlier one of its name
    const Section* was = base.FindSection(ours.Name);
    for (int i = 0; i < ours.Lines->Count(); ++i) {
      const std::string line = ours.Lines->Get(i);
      std::string_view key;
      if (!KeyOf(line, key) || ours.Lines->IndexOfName(key) != i) continue;
      const int j = was ? was->Lines->IndexOfName(key) : -1;
      if (j >= 0 && was->Lines->Get(j) == line) continue;  // not changed here
      merged.WriteString(ours.Name, key, line.substr(key.size() + 1));
    }
    if (was) removeUnchanged(*was, &ours);
  }
  // A section erased here goes when nothing of it is theirs.
  for (const Section& was : base.FSections) {
    if (FindSection(was.Name) || base.FindSection(was.Name) != &was) continue;
    removeUnchanged(was, nullptr);
    if (const Section* there = merged.FindSection(was.Name); there && there->Lines->Count() == 0)
      merged.EraseSection(was.Name);
  }
  FPreamble = std::move(merged.FPreamble);
  FSections = std::move(merged.FSections);
  FIndex = std::move(merged.FIndex);
}

}  // namespace host
