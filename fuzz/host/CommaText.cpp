// Reads arbitrary bytes as comma text and checks what must always hold:
// writing the list and reading it back gives the same items, the text form
// survives too, and the name index agrees with a plain scan.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/core/CaseFold.h"
#include "host/core/Strings.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "comma text invariant broken: %s\n", what);
    std::abort();
  }
}

bool SameLines(const host::TStrings& a, const host::TStrings& b) { return a.Equals(&b); }

int ScanIndexOfName(const host::TStrings& s, std::string_view name) {
  for (int i = 0; i < s.Count(); ++i) {
    const std::string line = s.Get(i);
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos && host::SameText(std::string_view(line).substr(0, eq), name)) return i;
  }
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  host::TStringList list;
  list.SetCommaText(text);
  Check(list.Count() <= static_cast<int>(size) + 1, "more items than characters");

  // Written and read back: the same items, and the same text again.
  const std::string written = list.CommaText();
  host::TStringList again;
  again.SetCommaText(written);
  Check(SameLines(list, again), "comma text round trip");
  Check(again.CommaText() == written, "comma text is not stable");

  // Any items, NUL bytes included, survive the comma text whole.
  host::TStringList items;
  for (std::size_t p = 0; p <= text.size();) {
    const std::size_t end = std::min(text.find('\n', p), text.size());
    items.Add(std::string(text.substr(p, end - p)));
    p = end + 1;
  }
  host::TStringList back;
  back.SetCommaText(items.CommaText());
  Check(SameLines(items, back), "items round trip");

  // Items without line breaks also survive the line form.
  bool breaks = false;
  for (int i = 0; i < list.Count() && !breaks; ++i) breaks = list.Get(i).find_first_of("\r\n") != std::string::npos;
  if (!breaks) {
    host::TStringList lines;
    lines.SetText(list.Text());
    Check(SameLines(list, lines), "text round trip");
  }

  // The name index against a scan, for the names the input itself holds.
  for (int i = 0; i < list.Count() && i < 16; ++i) {
    const std::string name = list.Names(i);
    Check(list.IndexOfName(name) == ScanIndexOfName(list, name), "name index");
  }
  if (list.Count() > 1) {
    list.Exchange(0, list.Count() - 1);
    list.Delete(0);
    const std::string name = list.Count() ? list.Names(0) : std::string();
    Check(list.IndexOfName(name) == ScanIndexOfName(list, name), "name index after changes");
  }
  return 0;
}
