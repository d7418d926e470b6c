#include <gettext-po.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "apps/ambit/exchange/Exchange.h"
#include "host/core/FileIO.h"
#include "host/stream/FormStream.h"

namespace ambit::exchange {

namespace {

// What the gettext parser reports: its warnings are dropped, its errors
// collected. Its handlers are plain functions, so the messages of the
// one parse running go into this per-thread list.
thread_local std::vector<std::string>* tErrors = nullptr;

void Collect(int Severity, const char* FileName, std::size_t Line, const char* Text) {
  if (Severity == PO_SEVERITY_WARNING || !tErrors) return;
  std::string message;
  if (FileName) message = std::string(FileName) + (Line != static_cast<std::size_t>(-1) ? ":" + std::to_string(Line) : "") + ": ";
  message += Text ? Text : "error";
  while (!message.empty() && message.back() == '\n') message.pop_back();
  tErrors->push_back(std::move(message));
}

// The library asks a handler not to return after a fatal error; the one
// it reports at the end of a parse ("found N fatal errors") is a summary
// after which its parser returns anyway, and nothing of the file is used
// once an error was collected.
void OnError(int Severity, po_message_t, const char* FileName, std::size_t Line, std::size_t, int,
             const char* Text) {
  Collect(Severity, FileName, Line, Text);
}

void OnError2(int Severity, po_message_t, const char* FileName1, std::size_t Line1, std::size_t, int,
              const char* Text1, po_message_t, const char*, std::size_t, std::size_t, int, const char* Text2) {
  Collect(Severity, FileName1, Line1, (std::string(Text1 ? Text1 : "") + " " + (Text2 ? Text2 : "")).c_str());
}

const po_xerror_handler kHandler = {OnError, OnError2};

struct TFileFree {
  void operator()(po_file_t File) const { po_file_free(File); }
};
using TPoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, TFileFree>;

struct TIteratorFree {
  void operator()(po_message_iterator_t It) const { po_message_iterator_free(It); }
};
using TPoIterator = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>, TIteratorFree>;

struct TErrorScope {
  std::vector<std::string> Errors;
  TErrorScope() { tErrors = &Errors; }
  ~TErrorScope() { tErrors = nullptr; }
  void Raise(const std::string& What) const {
    if (Errors.empty()) return;
    std::string message = What;
    for (const std::string& e : Errors) message += "\n  " + e;
    throw EExchangeError(message);
  }
};

// A scratch file for the library, which reads and writes files by name.
class TScratchFile {
public:
  TScratchFile() {
    const char* dir = std::getenv("TMPDIR");
    FName = std::string(dir && *dir ? dir : "/tmp") + "/ambit-po-XXXXXX";
    const int fd = ::mkstemp(FName.data());
    if (fd < 0) throw host::EFCreateError("cannot create a scratch file in " + FName.substr(0, FName.rfind('/')));
    ::close(fd);
  }
  ~TScratchFile() { ::unlink(FName.c_str()); }
  const std::string& Name() const { return FName; }

private:
  std::string FName;
};

// The header entry's text, read from the entry itself:
// po_file_domain_header hands out a copy its declaration does not let
// callers free.
std::string HeaderOf(po_file_t File) {
  TPoIterator it(po_message_iterator(File, nullptr));
  while (po_message_t m = po_next_message(it.get()))
    if (!po_message_msgctxt(m) && *po_message_msgid(m) == '\0' && !po_message_is_obsolete(m))
      return po_message_msgstr(m) ? po_message_msgstr(m) : "";
  return {};
}

std::string HeaderField(const std::string& Header, const char* Field) {
  char* value = po_header_field(Header.c_str(), Field);
  std::string result = value ? value : "";
  std::free(value);
  return result;
}

}  // namespace

std::string WritePo(const TExchangeFile& File) {
  TPoFile file(po_file_create());
  TPoIterator it(po_message_iterator(file.get(), nullptr));
  po_message_t header = po_message_create();
  const std::string headerText = "Project-Id-Version: " + File.Project +
                                 "\nMIME-Version: 1.0\nContent-Type: text/plain; charset=UTF-8\n"
                                 "Content-Transfer-Encoding: 8bit\nLanguage: " + File.TargetCode +
                                 "\nX-Ambit-Language: " + File.Language + "\nX-Ambit-Project: " + File.Project +
                                 "\nX-Ambit-Source-Language: " + File.SourceCode + "\n";
  po_message_set_msgid(header, "");
  po_message_set_msgstr(header, headerText.c_str());
  po_message_insert(it.get(), header);
  for (const TUnit& u : File.Units) {
    po_message_t m = po_message_create();
    po_message_set_msgctxt(m, (u.Section + "." + u.Record).c_str());
    po_message_set_msgid(m, u.Source.c_str());
    po_message_set_msgstr(m, u.HasTarget ? u.Target.c_str() : "");
    if (!u.Note.empty()) po_message_set_extracted_comments(m, (u.Note + "\n").c_str());
    po_message_insert(it.get(), m);
  }
  it.reset();
  TScratchFile scratch;
  TErrorScope errors;
  po_file_write(file.get(), scratch.Name().c_str(), &kHandler);
  errors.Raise("the PO file cannot be written:");
  return host::ReadFileText(scratch.Name());
}

TExchangeFile ReadPo(std::string_view Text, const std::string& FileName) {
  // The parser reads files by name; it gets a copy of the text, so what it
  // opens is always a regular file that no one else changes meanwhile.
  TScratchFile scratch;
  {
    std::ofstream out(scratch.Name(), std::ios::binary);
    out.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    if (!out.flush()) throw host::EFCreateError("cannot write a scratch copy of " + FileName);
  }
  TErrorScope errors;
  TPoFile file(po_file_read(scratch.Name().c_str(), &kHandler));
  for (std::string& e : errors.Errors)
    if (e.rfind(scratch.Name(), 0) == 0) e.replace(0, scratch.Name().size(), FileName);
  errors.Raise(FileName + ": not a PO file the gettext tools can read:");
  if (!file) throw EExchangeError(FileName + ": not a PO file the gettext tools can read");
  TExchangeFile result;
  const std::string header = HeaderOf(file.get());
  const std::string contentType = HeaderField(header, "Content-Type");
  const std::size_t charset = contentType.find("charset=");
  if (charset != std::string::npos) {
    std::string name = contentType.substr(charset + 8);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name != "UTF-8" && name != "CHARSET")
      throw EExchangeError(FileName + ": the file is written in " + contentType.substr(charset + 8) +
                           "; save it as UTF-8 (msgconv -t UTF-8)");
  }
  result.Language = HeaderField(header, "X-Ambit-Language");
  result.Project = HeaderField(header, "X-Ambit-Project");
  result.TargetCode = HeaderField(header, "Language");
  result.SourceCode = HeaderField(header, "X-Ambit-Source-Language");
  TPoIterator it(po_message_iterator(file.get(), nullptr));
  while (po_message_t m = po_next_message(it.get())) {
    const char* context = po_message_msgctxt(m);
    if (!context && *po_message_msgid(m) == '\0') continue;  // the header
    if (po_message_is_obsolete(m)) continue;
    TUnit unit;
    const std::string key = context ? context : "";
    unit.Where = FileName + ": msgctxt \"" + key + "\"";
    const std::size_t dot = key.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == key.size()) {
      unit.Refusal = "has no msgctxt \"Form.Record\" to place it by";
      unit.Record = key;
    } else {
      unit.Section = key.substr(0, dot);
      unit.Record = key.substr(dot + 1);
    }
    unit.Source = po_message_msgid(m);
    if (po_message_msgid_plural(m)) unit.Refusal = "has plural forms, which a form's text does not have";
    unit.Target = po_message_msgstr(m) ? po_message_msgstr(m) : "";
    // The note (an extracted comment) is not read back: import does not
    // need it, and the library hands it out as a copy no caller may free.
    // As gettext itself does: an empty msgstr is no translation, and a
    // fuzzy one waits for a translator's review.
    unit.HasTarget = !unit.Target.empty() && !po_message_is_fuzzy(m);
    if (!unit.Target.empty() && po_message_is_fuzzy(m) && unit.Refusal.empty())
      unit.Refusal = "is marked fuzzy: review it and remove the mark";
    result.Units.push_back(std::move(unit));
  }
  return result;
}

}  // namespace ambit::exchange
