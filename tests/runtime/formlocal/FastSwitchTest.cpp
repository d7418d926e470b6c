// The localizer resolves each record once and takes the snapshot and its
// return in single passes. On random sections (duplicate and differently
// spelt names, empty values, records the form lacks, excluded components,
// quotes and line breaks) a twin form is switched the plain way, step by
// step as the localizing rules state; both forms must end up alike after
// every switch, with the same texts applied in the same order and the same
// snapshot.
#include <gtest/gtest.h>

#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUserSource.h"
#include "runtime/AmbitUtils.h"
#include "tests/runtime/RuntimeTestSupport.h"

using namespace host;
using namespace ambit;
using ambit_test::TempDir;
using ambit_test::WriteFile;

namespace {

constexpr int kButtons = 8;
using TRecords = std::vector<std::string>;  // lines as a source hands them over

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"OK", " ", "\"", "#", "\r\n", "Ä", ",", "x"};
  std::string s;
  for (std::size_t n = rng() % 4; n > 0; --n) s += pieces[rng() % pieces.size()];
  return s;
}

std::unique_ptr<TForm> MakeForm(std::mt19937& rng) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("F");
  form->SetCaption(RandomText(rng));
  for (int i = 0; i < kButtons; ++i) {
    auto* b = new TButton(form.get());
    b->SetName("B" + std::to_string(i));
    b->SetCaption(RandomText(rng));
    b->SetHint(RandomText(rng));
  }
  return form;
}

TRecords RandomSection(std::mt19937& rng) {
  static const std::vector<std::string> names{"B1.Caption", "b1.CAPTION", "B2.Hint", "B3.Caption", "Caption",
                                              "HINT",       "Ghost.Caption", "B4.Name", "B5",        "",
                                              "B6.Hint",    "B7.Caption",    "B0.hint"};
  TRecords lines;
  for (std::size_t n = rng() % 14; n > 0; --n) {
    const std::string& name = names[rng() % names.size()];
    lines.push_back(rng() % 12 == 0 ? name : name + "=" + RandomText(rng));
  }
  return lines;
}

// The plain switch, on the twin form.
struct TPlainLocalizer {
  TForm* Form;
  std::vector<std::string> Excluded;
  bool SaveEmpty;
  std::vector<std::pair<std::string, std::string>> Originals;  // name, encoded text
  std::vector<std::string> Applied;

  static std::string NameOf(const std::string& L) { return L.find('=') == L.npos ? "" : L.substr(0, L.find('=')); }
  static std::string ValueOf(const std::string& L) { return L.find('=') == L.npos ? "" : L.substr(L.find('=') + 1); }
  bool IsExcluded(const std::string& S) const {
    for (const std::string& e : Excluded)
      if (SameText(e, S)) return true;
    return false;
  }
  static bool IsProp(const std::string& P) { return SameText(P, "Caption") || SameText(P, "Hint"); }

  TComponent* Resolve(std::string& N) const {
    TComponent* current = Form;
    for (;;) {
      const std::size_t dot = N.find('.');
      const std::string head = dot == N.npos ? "" : N.substr(0, dot);
      if (IsExcluded(head)) return nullptr;
      TComponent* child = nullptr;
      for (int i = 0; i < current->ComponentCount() && !head.empty(); ++i)
        if (SameText(current->Components(i)->Name(), head)) child = current->Components(i);
      if (!child) return IsProp(N) ? current : nullptr;
      current = child;
      N.erase(0, dot + 1);
    }
  }
  void Apply(TComponent* C, const std::string& Path, const std::string& Text) {
    Applied.push_back(C->Name() + "." + Path + "=" + Text);
    if (SaveEmpty || !GetStrProp(C, Path).empty()) SetStrProp(C, Path, Text);
  }
  void Snapshot() {
    Originals.clear();
    std::vector<TComponent*> all{Form};
    for (int i = 0; i < Form->ComponentCount(); ++i) all.push_back(Form->Components(i));
    for (TComponent* c : all)
      for (const char* p : {"Caption", "Hint"}) {
        const std::string text = GetStrProp(c, p);
        if (IsExcluded(c->Name()) || (!SaveEmpty && Trim(text).empty())) continue;
        Originals.emplace_back(c == Form ? p : c->Name() + "." + p, GetEncodedString(text, '"', '#'));
      }
  }
  void Localize(const TRecords& R) {
    auto first = [&](const std::string& name) -> std::string {
      for (const std::string& l : R)
        if (l.find('=') != l.npos && SameText(NameOf(l), name)) return ValueOf(l);
      return "";
    };
    for (const auto& [name, value] : std::vector(Originals)) {
      bool found = false;
      for (const std::string& l : R) found = found || (l.find('=') != l.npos && SameText(NameOf(l), name));
      std::string path = name;
      if (TComponent* c = found ? nullptr : Resolve(path)) Apply(c, path, GetDecodedString(value, '"', '#'));
    }
    for (const std::string& l : R) {
      std::string path = NameOf(l);
      if (IsExcluded(path)) continue;
      if (TComponent* c = Resolve(path)) Apply(c, path, first(NameOf(l)));
    }
  }
  void Restore() {
    for (std::size_t i = 0; i < Originals.size();) {
      std::string path = Originals[i].first;
      if (TComponent* c = Resolve(path)) {
        Apply(c, path, GetDecodedString(Originals[i].second, '"', '#'));
        Originals.erase(Originals.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
  }
};

void ExpectAlike(TForm& A, TForm& B, const std::string& Step) {
  std::vector<std::pair<TComponent*, TComponent*>> pairs{{&A, &B}};
  for (int i = 0; i < kButtons; ++i) pairs.emplace_back(A.FindComponent("B" + std::to_string(i)), B.Components(i));
  for (auto [a, b] : pairs)
    for (const char* p : {"Caption", "Hint"}) EXPECT_EQ(GetStrProp(a, p), GetStrProp(b, p)) << Step << " " << b->Name();
}

}  // namespace

TEST(FastSwitch, SwitchesLikeThePlainWayOnRandomSections) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 rng(seed);
    const std::uint64_t state = rng();
    std::mt19937 twin(static_cast<unsigned>(state));
    auto a = MakeForm(twin);
    twin.seed(static_cast<unsigned>(state));
    auto b = MakeForm(twin);
    const TRecords sections[2] = {RandomSection(rng), RandomSection(rng)};
    TPlainLocalizer plain{b.get(), {}, rng() % 2 == 0, {}, {}};
    if (rng() % 3 == 0) plain.Excluded = {"B3"};

    TAmUserLanguageSource source(nullptr);
    source.Languages()->Add("One=1");
    source.Languages()->Add("Two=2");
    source.SetActiveLanguage(-1);
    source.SetOnLoadStrings([&](TObject*, TStrings* Strings) {
      for (const std::string& l : sections[source.ActiveLanguage()]) Strings->Add(l);
    });
    auto* localizer = new TAmFormLocalizer(a.get());
    if (plain.SaveEmpty) localizer->SetSaveOptions(TAmSaveOptions{soSaveEmpty});
    for (const std::string& e : plain.Excluded) localizer->Excluded()->Add(e);
    std::vector<std::string> applied;
    localizer->SetOnPropertyLocalized([&](TObject*, TPersistent* Obj, const std::string& Path, const std::string& V) {
      applied.push_back(static_cast<TComponent*>(Obj)->Name() + "." + Path + "=" + V);
    });
    localizer->SetSource(&source);

    const std::string where = "seed " + std::to_string(seed);
    for (int language : {0, 1, -1, 1, -1}) {
      const bool fromNone = source.ActiveLanguage() < 0;
      source.SetActiveLanguage(language);
      if (fromNone) plain.Snapshot();
      if (language >= 0) plain.Localize(sections[language]);
      if (language < 0) plain.Restore();
      const std::string step = where + " to " + std::to_string(language);
      ExpectAlike(*a, *b, step);
      EXPECT_EQ(applied, plain.Applied) << step;
      std::vector<std::string> originals;
      for (const auto& [name, value] : plain.Originals) originals.push_back(name + "=" + value);
      std::vector<std::string> kept;
      for (int i = 0; i < localizer->Originals()->Count(); ++i) kept.push_back(localizer->Originals()->Get(i));
      EXPECT_EQ(kept, originals) << step;
    }
  }
}

// A plain language-file source hands its records over without a list; one
// with an OnLoadStrings handler (that adds nothing) goes through the list.
// On random files both forms must see the same texts, events and snapshot.
TEST(FastSwitch, RecordsFromTheFileApplyLikeTheLoadedList) {
  TempDir dir;
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    const unsigned state = static_cast<unsigned>(rng());
    for (int l = 0; l < 2; ++l) {
      std::string text = "[F]\r\n";
      for (const std::string& line : RandomSection(rng))
        text += line.find('=') == line.npos ? line : TPlainLocalizer::NameOf(line) + "=" +
                    GetEncodedString(TPlainLocalizer::ValueOf(line), '"', '#');
      for (const std::string& line : RandomSection(rng)) text += "\r\n" + line;
      WriteFile(dir.File(std::to_string(l) + ".lng"), text + "\r\n");
    }
    std::unique_ptr<TForm> forms[2];
    std::unique_ptr<TAmLanguageSource> sources[2];
    std::vector<std::string> applied[2];
    TAmFormLocalizer* localizers[2];
    const bool saveEmpty = rng() % 2 == 0, exclude = rng() % 3 == 0, sorted = rng() % 4 == 0;
    for (int k = 0; k < 2; ++k) {
      std::mt19937 twin(state);
      forms[k] = MakeForm(twin);
      sources[k] = std::make_unique<TAmLanguageSource>(nullptr);
      for (int l = 0; l < 2; ++l) sources[k]->Languages()->Add("L" + std::to_string(l) + "=" + dir.File(std::to_string(l) + ".lng"));
      sources[k]->SetSortSections(sorted);
      if (k == 1) sources[k]->SetOnLoadStrings([](TObject*, TStrings*) {});
      auto* localizer = localizers[k] = new TAmFormLocalizer(forms[k].get());
      if (saveEmpty) localizer->SetSaveOptions(TAmSaveOptions{soSaveEmpty});
      if (exclude) localizer->Excluded()->Add("b3");
      localizer->SetOnPropertyLocalized([&applied, k](TObject*, TPersistent* Obj, const std::string& Path,
                                                      const std::string& V) {
        applied[k].push_back(static_cast<TComponent*>(Obj)->Name() + "." + Path + "=" + V);
      });
      localizer->SetSource(sources[k].get());
    }
    for (int language : {0, 1, -1, 1, 0, -1}) {
      const std::string step = "seed " + std::to_string(seed) + " to " + std::to_string(language);
      for (auto& source : sources) source->SetActiveLanguage(language);
      ASSERT_EQ(applied[0], applied[1]) << step;
      ExpectAlike(*forms[0], *forms[1], step);
      EXPECT_EQ(localizers[0]->Originals()->Text(), localizers[1]->Originals()->Text()) << step;
    }
  }
}

// The snapshot builds each line in place; on random texts, with names met
// twice (a hint depending on its own caption, a property listed in two
// spellings) and a sorted or plain list, it must hold what setting each
// record's encoded text by name gives.
TEST(FastSwitch, SnapshotHoldsWhatSettingEachRecordGives) {
  for (unsigned seed = 1; seed <= 80; ++seed) {
    std::mt19937 rng(seed);
    auto form = MakeForm(rng);
    for (int i = 0; i < kButtons; ++i)
      if (auto* b = static_cast<TButton*>(form->Components(i)); rng() % 3 == 0) b->SetHint(b->Caption());
    auto* localizer = new TAmFormLocalizer(form.get());
    if (rng() % 2 == 0) localizer->PropNames()->Add("caption");
    const bool saveEmpty = rng() % 2 == 0;
    if (saveEmpty) localizer->SetSaveOptions(TAmSaveOptions{soSaveEmpty});
    if (rng() % 2 == 0) localizer->Dependencies()->Add("Hint=Caption");
    TStringList expected;
    if (rng() % 3 == 0) {
      expected.SetSorted(true);
      static_cast<TStringList*>(localizer->Originals())->SetSorted(true);
    }
    for (int i = -1; i < kButtons; ++i)
      for (int k = 0; k < localizer->PropNames()->Count(); ++k) {
        TComponent* c = i < 0 ? form.get() : form->Components(i);
        const std::string p = localizer->PropNames()->Get(k), text = GetStrProp(c, p);
        if (saveEmpty || !Trim(text).empty()) expected.SetValues(localizer->RecordName(c, p), GetEncodedString(text, '"', '#'));
      }
    localizer->SaveAllToBuffer();
    EXPECT_EQ(localizer->Originals()->Text(), expected.Text()) << "seed " << seed;
  }
}
