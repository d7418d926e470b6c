// Reads arbitrary bytes as a language file, writes its records into a new
// language file, reads that again and checks that the records are the
// same; and that the file as read, rewritten whole, keeps its records and
// reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/core/CaseFold.h"
#include "runtime/AmbitSource.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "language file invariant broken: %s\n", what);
    std::abort();
  }
}

// A language file that stays in memory: the fuzzer checks the text, not
// the disk.
class TMemoryFile : public ambit::TAmLanguageFile {
public:
  TMemoryFile() : ambit::TAmLanguageFile(std::string()) {}
  void UpdateFile() override {}
};

// What reads see: each section (the first of its name) that has records,
// with each key (the first of its name) and its decoded text, in file order.
using TRecords = std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>;

TRecords Records(ambit::TAmLanguageFile& File) {
  TRecords out;
  host::TStringList sections;
  File.ReadSections(&sections);
  std::unordered_set<std::string, host::TextHash, host::TextEqual> seenSections;
  for (int s = 0; s < sections.Count(); ++s) {
    if (!seenSections.insert(sections[s]).second) continue;
    std::vector<std::pair<std::string, std::string>> records;
    host::TStringList keys;
    File.ReadSection(sections[s], &keys);
    std::unordered_set<std::string, host::TextHash, host::TextEqual> seenKeys;
    for (int k = 0; k < keys.Count(); ++k)
      if (seenKeys.insert(keys[k]).second) records.emplace_back(keys[k], File.ReadString(sections[s], keys[k], "\x01"));
    if (!records.empty()) out.emplace_back(sections[s], std::move(records));
  }
  return out;
}

void WriteRecords(const TRecords& Records, ambit::TAmLanguageFile& File) {
  for (const auto& [section, records] : Records)
    for (const auto& [key, text] : records) File.WriteString(section, key, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TMemoryFile read;
  read.SetText(input);
  const TRecords records = Records(read);

  // Written record by record (values encoded) and read back: the same.
  TMemoryFile written;
  WriteRecords(records, written);
  TMemoryFile again;
  again.SetText(written.Text());
  Check(Records(again) == records, "records changed on the way through a written file");

  // The file as read, rewritten whole, keeps its records and its comments.
  TMemoryFile rewritten;
  rewritten.SetText(read.Text());
  Check(Records(rewritten) == records, "rewrite changed the records");
  Check(rewritten.Text() == read.Text(), "rewrite is not stable");
  return 0;
}
