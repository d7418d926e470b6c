// Parses arbitrary bytes as an INI file and checks what must always hold:
// the written form reads back to itself, every key reads as the first line
// of its name, writes and erasures do what they say, and the same bytes
// read from a file (each section parsed when first read) read the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

#include "host/core/CaseFold.h"
#include "host/core/IniFiles.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "INI invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  host::TMemIniFile ini("");
  ini.SetText(text);

  // The rewrite is a fixed point: what is written reads back the same.
  const std::string written = ini.Text();
  host::TMemIniFile again("");
  again.SetText(written);
  Check(again.Text() == written, "rewrite is not stable");

  // From a file: a section not read yet, taken in one pass, gives the
  // lines a parse stores; the whole file reads as from memory.
  static const std::string path = "/tmp/fuzz_initext_" + std::to_string(::getpid()) + ".ini";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    const bool whole = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    if (std::fclose(f) == 0 && whole) {
      host::TMemIniFile fromFile(path);
      host::TStringList names;
      fromFile.ReadSections(&names);
      for (int s = 0; s < names.Count() && s < 16; ++s) {
        std::string_view unparsed;
        if (!fromFile.UnparsedSection(names[s], unparsed)) continue;
        std::string lines;
        host::TIniLines reader(unparsed);
        for (host::TIniLines::TKind kind; (kind = reader.Next()) != host::TIniLines::End;)
          if (kind == host::TIniLines::Plain)
            lines.append(reader.Line).append("\r\n");
          else if (kind == host::TIniLines::Pair)
            lines.append(reader.Key).append("=").append(reader.Value).append("\r\n");
        Check(lines == ini.SectionLines(names[s])->Text(), "a section read in one pass");
      }
      Check(fromFile.Text() == written, "a file read from disk");
    }
  }

  host::TStringList sections;
  ini.ReadSections(&sections);
  int checked = 0;
  for (int s = 0; s < sections.Count() && checked < 64; ++s) {
    const std::string section = sections[s];
    Check(ini.SectionExists(section), "listed section not found");
    host::TStringList lines;
    ini.ReadSectionValues(section, &lines);
    for (int i = 0; i < lines.Count() && checked < 64; ++i, ++checked) {
      const std::string line = lines[i];
      const std::size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq);
      // The first line of that name in the section wins.
      int first = -1;
      for (int j = 0; j < lines.Count() && first < 0; ++j) {
        const std::string other = lines[j];
        const std::size_t e = other.find('=');
        if (e != std::string::npos && host::SameText(std::string_view(other).substr(0, e), key)) first = j;
      }
      Check(first >= 0 && first <= i, "first line of a key");
      Check(ini.ReadString(section, key, "\x01missing") == lines.ValueFromIndex(first), "read value");
    }
  }

  // A write is read back and survives the rewrite; an erased section is gone.
  ini.WriteString("Fuzz Section", "Fuzz.Key", "value");
  Check(ini.ReadString("fuzz section", "FUZZ.KEY", "") == "value", "written value");
  host::TMemIniFile reread("");
  reread.SetText(ini.Text());
  Check(reread.ReadString("Fuzz Section", "Fuzz.Key", "") == "value", "written value after rewrite");
  if (sections.Count() > 0) {
    ini.EraseSection(sections[0]);
    Check(!ini.SectionExists(sections[0]), "erased section still there");
  }
  return 0;
}
