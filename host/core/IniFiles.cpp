#include "host/core/IniFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace host {

const TClass& TMemIniFile::StaticClass() {
  static const TClass cls = TClassBuilder<TMemIniFile>("TMemIniFile", &TObject::StaticClass()).Build();
  return cls;
}
const TClass& TMemIniFile::ClassType() const { return StaticClass(); }

TMemIniFile::TMemIniFile(std::string FileName) : FFileName(std::move(FileName)) {
  if (FFileName.empty()) return;
  struct stat st{};
  if (::stat(FFileName.c_str(), &st) != 0) return;  // missing: empty
  std::ifstream in(FFileName, std::ios::binary);
  if (!in) throw EFOpenError(Format("Cannot open file \"%s\". %s", {FFileName, std::strerror(errno)}));
  std::string data;
  if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) data.append(chunk, static_cast<std::size_t>(in.gcount()));
  // A read that failed half-way must not pass for a short file: the next
  // UpdateFile would write the truncated content over the whole one.
  if (in.bad()) throw EFOpenError(Format("Cannot read file \"%s\". %s", {FFileName, std::strerror(errno)}));
  SetText(data);
}

TMemIniFile::~TMemIniFile() = default;

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view Name) const {
  auto it = FIndex.find(Name);
  return it == FIndex.end() ? nullptr : const_cast<Section*>(&FSections[it->second]);
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

namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
std::string_view TrimView(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

void TMemIniFile::SetText(std::string_view Text) {
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  Clear();
  Section* current = nullptr;
  std::size_t p = 0;
  // Each stored line is built once and moved into its section.
  while (p < Text.size()) {
    const std::size_t start = p;
    while (p < Text.size() && Text[p] != '\r' && Text[p] != '\n') ++p;
    const std::string_view line = TrimView(Text.substr(start, p - start));
    if (p < Text.size() && Text[p] == '\r') ++p;
    if (p < Text.size() && Text[p] == '\n') ++p;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &AddSection(std::string(TrimView(line.substr(1, line.size() - 2))));
      continue;
    }
    if (!current) continue;  // lines before the first section
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      current->Lines->Add(std::string(line));
      continue;
    }
    std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    while (!key.empty() && Blank(key.back())) key.remove_suffix(1);
    while (!value.empty() && Blank(value.front())) value.remove_prefix(1);
    std::string stored;
    stored.reserve(key.size() + 1 + value.size());
    stored.append(key).append(1, '=').append(value);
    current->Lines->Add(std::move(stored));
  }
}

void TMemIniFile::SetStrings(const TStrings* List) {
  Clear();
  if (List) SetText(List->Text());
}

void TMemIniFile::GetStrings(TStrings* List) const {
  if (!List) return;
  List->BeginUpdate();
  try {
    List->Clear();
    for (const auto& s : FSections) {
      List->Add("[" + s.Name + "]");
      for (int i = 0; i < s.Lines->Count(); ++i) List->Add(s.Lines->Get(i));
      List->Add(std::string());
    }
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

const std::string& TMemIniFile::SectionText(const Section& s) {
  if (!s.CacheValid) {
    s.Cache.clear();
    s.Starts.clear();
    s.Starts.reserve(static_cast<std::size_t>(s.Lines->Count()));
    s.Cache += '[';
    s.Cache += s.Name;
    s.Cache += "]\r\n";
    for (int i = 0; i < s.Lines->Count(); ++i) {
      s.Starts.push_back(s.Cache.size());
      s.Cache += s.Lines->Get(i);
      s.Cache += "\r\n";
    }
    s.CacheValid = true;
  }
  return s.Cache;
}

// Line Index of S was just replaced or appended (Index == the old count).
void TMemIniFile::CacheLine(Section& S, int Index, const std::string& Line) {
  if (!S.CacheValid) return;
  try {
    const auto i = static_cast<std::size_t>(Index);
    if (i == S.Starts.size()) {
      S.Starts.push_back(S.Cache.size());
      S.Cache += Line;
      S.Cache += "\r\n";
      return;
    }
    const std::size_t start = S.Starts[i];
    const std::size_t end = (i + 1 < S.Starts.size() ? S.Starts[i + 1] : S.Cache.size()) - 2;
    S.Cache.replace(start, end - start, Line);
    const std::size_t oldLength = end - start;
    if (Line.size() != oldLength)
      for (std::size_t j = i + 1; j < S.Starts.size(); ++j) S.Starts[j] = S.Starts[j] + Line.size() - oldLength;
  } catch (...) {
    // Out of memory: the next Text() serialises the section from its lines.
    S.CacheValid = false;
  }
}

std::string TMemIniFile::Text() const {
  std::size_t size = 0;
  for (const auto& s : FSections) size += SectionText(s).size() + 2;
  std::string out;
  out.reserve(size);
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
    s->Lines->Put(i, line);
    CacheLine(*s, i, line);
  } else {
    CacheLine(*s, s->Lines->Add(line), line);
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
      s->CacheValid = false;
    }
  }
}

bool TMemIniFile::SectionExists(std::string_view Section) const { return FindSection(Section) != nullptr; }

const TStringList* TMemIniFile::SectionLines(std::string_view Section) const {
  const auto* s = FindSection(Section);
  return s ? s->Lines.get() : nullptr;
}

bool TMemIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  const auto* s = FindSection(Section);
  return s && s->Lines->IndexOfName(Ident) >= 0;
}

void TMemIniFile::UpdateFile() { WriteFileAtomic(FFileName, Text()); }

namespace {

[[noreturn]] void CreateError(const std::string& FileName, int err) {
  throw EFCreateError(Format("Cannot create file \"%s\". %s", {FileName, std::strerror(err)}));
}

std::string DirName(const std::string& Path) {
  const std::size_t slash = Path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : Path.substr(0, slash);
}

// Follows symbolic links to the file they name, also when that file does not
// exist yet, so that a rewrite replaces the file and keeps the link.
std::string ResolveLinks(const std::string& FileName) {
  std::string path = FileName;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n <= 0) return path;
    link.resize(static_cast<std::size_t>(n));
    path = link.front() == '/' ? link : DirName(path) + "/" + link;
  }
  return path;  // a loop: the rename below reports it
}

}  // namespace

void WriteFileAtomic(const std::string& FileName, std::string_view Data) {
  if (FileName.empty()) CreateError(FileName, ENOENT);
  const std::string target = ResolveLinks(FileName);
  struct stat st{};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  // A read-only file stays unwritten, as it would with a direct write; the
  // rename would otherwise replace it behind its owner's back.
  if (exists && ::access(target.c_str(), W_OK) != 0) CreateError(FileName, errno);
  // The temporary name is short and hidden, so a long file name still fits
  // the folder's name limit and a crash leaves nothing that looks like data.
  const std::string dir = DirName(target);
  const std::size_t slash = target.rfind('/');
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.size() > 100) base.resize(100);
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = dir + "/." + base + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) CreateError(FileName, errno);
  }
  if (fd < 0) CreateError(FileName, EEXIST);
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    CreateError(FileName, err);
  };
  if (exists) {
    if (::fchmod(fd, st.st_mode & 07777) != 0) fail(errno);
    // Keeping the owner needs privileges; without them the file simply
    // becomes the writer's, as any rewrite would make it.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    }
  }
  const char* p = Data.data();
  std::size_t left = Data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Data on disk before the rename: otherwise a power loss could leave the
  // new name on an empty file, and some file systems report a full disk only
  // now. The folder is not synced after the rename: losing the rename to a
  // power cut leaves the previous file whole, and it would double the cost
  // of every write (language files are rewritten once per saved text).
  if (::fdatasync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    CreateError(FileName, err);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    CreateError(FileName, err);
  }
}

}  // namespace host
