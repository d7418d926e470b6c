#include "apps/ambit/StoreChecks.h"

#include <filesystem>
#include <set>

#include "host/core/CaseFold.h"
#include "host/data/Connection.h"
#include "runtime/AmbitDBSource.h"
#include "runtime/AmbitSource.h"
#ifdef AMBIT_WITH_SQLITE
#include "host/data/sqlite/SQLiteTable.h"
#endif

namespace ambit::cli {

namespace {

// "the table 'Translations' (SQLite database "x.sqlite")", or the dataset's
// name for a dataset that is no table.
std::string TableTitle(host::TDataSet* DataSet) {
  const auto* table = host::As<host::TTableDataSet>(DataSet);
  std::string title = table ? "the table '" + table->TableName() + "'" : "the dataset " + DataSet->Name();
#ifdef AMBIT_WITH_SQLITE
  if (const auto* sqlite = host::As<host::TSQLiteTable>(DataSet); sqlite && sqlite->Connection())
    title += " (SQLite database \"" + sqlite->Connection()->DatabaseName() + "\")";
#endif
  return title;
}

// Puts a dataset's row filter back whatever happens.
class TFilterGuard {
public:
  explicit TFilterGuard(host::TDataSet* DataSet) : FDataSet(DataSet), FSaved(DataSet->RowFilter()) {}
  ~TFilterGuard() {
    try {
      FDataSet->SetRowFilter(std::move(FSaved));
    } catch (const std::exception&) {
      // The check's own answer is what counts.
    }
  }
  TFilterGuard(const TFilterGuard&) = delete;
  TFilterGuard& operator=(const TFilterGuard&) = delete;
  const host::TRowFilter& Saved() const { return FSaved; }

private:
  host::TDataSet* FDataSet;
  host::TRowFilter FSaved;
};

}  // namespace

std::string SourceTitle(const TAmCustomLanguageSource* Source) {
  return Source->Name() + " on " + (Source->Owner() ? Source->Owner()->Name() : std::string("?"));
}

std::vector<std::string> LanguageLineProblems(const TAmCustomLanguageSource* Source) {
  std::vector<std::string> problems;
  const host::TStrings* lines = Source->Languages();
  for (int i = 0; i < lines->Count(); ++i) {
    const std::string line = lines->Get(i);
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos)
      problems.push_back("line " + std::to_string(i + 1) + " of the Languages of " + SourceTitle(Source) + ", '" +
                         line + "', has no '=': write each language as Name=Value (for example German=German.lng)");
    else if (host::Trim(line.substr(0, eq)).empty())
      problems.push_back("line " + std::to_string(i + 1) + " of the Languages of " + SourceTitle(Source) + ", '" +
                         line + "', has no language name before '='");
  }
  return problems;
}

std::string LanguageValueProblem(const TAmCustomLanguageSource* Source, int Index) {
  if (Index < 0 || !Source->GetLanguageValue(Index).empty()) return {};
  const std::string name = Source->GetLanguageName(Index);
  const bool files = host::Is<TAmFileLanguageSource>(Source);
  return "the language " + name + " has no " + (files ? "file name" : "key") + ": its line in the Languages of " +
         SourceTitle(Source) + " reads '" + name + "='; write " +
         (files ? name + "=" + name + ".lng" : name + "=KEY, with the key its rows hold in the language column");
}

std::string DatabaseProblem(TAmCustomLanguageSource* Source) {
  auto* db = host::As<TAmDBLanguageSource>(Source);
  if (!db) return {};
  if (!db->DataSet())
    return "the database language source " + SourceTitle(Source) + " has no DataSet; set it to the table of texts";
  try {
    const host::TFieldDefs& defs = db->DataSet()->FieldDefs();
    const TAmDBLanguageFields* fields = db->DataFields();
    const std::pair<const char*, const std::string*> columns[] = {{"LanguageField", &fields->LanguageField()},
                                                                  {"SectionField", &fields->SectionField()},
                                                                  {"NameField", &fields->NameField()},
                                                                  {"ValueField", &fields->ValueField()}};
    for (const auto& [property, column] : columns) {
      if (host::Trim(*column).empty())
        return "DataFields." + std::string(property) + " of " + SourceTitle(Source) +
               " is empty; set it to a column of " + TableTitle(db->DataSet());
      if (!defs.Find(*column)) {
        std::string names;
        for (int i = 0; i < defs.Count(); ++i) names += (i ? ", " : "") + defs.Items(i).Name();
        return TableTitle(db->DataSet()) + " has no column '" + *column + "' (DataFields." + property + " of " +
               SourceTitle(Source) + "); its columns are: " + names;
      }
    }
  } catch (const std::exception& e) {
    return std::string(e.what()) + " (the DataSet of " + SourceTitle(Source) + ")";
  }
  return {};
}

std::string KeySpellingProblem(TAmCustomLanguageSource* Source, int Index) {
  auto* db = host::As<TAmDBLanguageSource>(Source);
  if (!db || Index < 0 || !db->DataSet() || !db->DataSet()->Active()) return {};
  host::TDataSet* data = db->DataSet();
  const std::string key = db->GetLanguageValue(Index);
  const std::string field = db->DataFields()->LanguageField();
  std::set<std::string> others;
  {
    TFilterGuard guard(data);
    host::TRowFilter rows = guard.Saved();
    rows.SameText(field, key);
    data->SetRowFilter(std::move(rows));
    for (data->First(); !data->Eof(); data->Next()) {
      const std::string spelling = data->FieldByName(field)->AsString();
      if (spelling == key) return {};
      others.insert(spelling);
    }
  }
  if (others.empty()) return {};
  std::string spellings;
  for (const std::string& s : others) spellings += (spellings.empty() ? "'" : ", '") + s + "'";
  return "the language " + db->GetLanguageName(Index) + " has the key '" + key + "' in the Languages of " +
         SourceTitle(Source) + ", but the rows of " + TableTitle(data) + " spell it " + spellings +
         "; rows are read by the exact key, so its translations would be taken for missing and overwritten. "
         "Spell the key in Languages as the rows do";
}

std::vector<std::string> LanguageFileNotes(TAmCustomLanguageSource* Source,
                                           const std::vector<host::TComponent*>& Forms) {
  std::vector<std::string> notes;
  auto* files = host::As<TAmLanguageSource>(Source);
  TAmLanguageFile* file = files ? files->LanguageFile() : nullptr;
  if (!file || file->FileName().empty()) return notes;
  if (!file->NotIniText().empty()) {
    notes.push_back("the language file " + file->FileName() + " is no language file (" + file->NotIniText() +
                    "); check the file name in the Languages of " + SourceTitle(Source));
    return notes;
  }
  host::TStringList sections;
  file->ReadSections(&sections);
  if (sections.Count() == 0) {
    std::error_code ec;
    if (std::filesystem::exists(file->FileName(), ec))
      notes.push_back("the language file " + file->FileName() + " holds no sections; the forms keep their designed "
                      "texts (ambit template fills it with them, ready for translation)");
    return notes;
  }
  for (host::TComponent* form : Forms)
    if (file->SectionExists(form->Name())) return notes;
  std::string names;
  for (int i = 0; i < sections.Count(); ++i) names += (i ? ", " : "") + sections[i];
  notes.push_back("the language file " + file->FileName() +
                  " has no section for any of the loaded forms (it has: " + names +
                  "); the forms keep their designed texts. Are these the right forms, or does the file belong to "
                  "another project?");
  return notes;
}

}  // namespace ambit::cli
