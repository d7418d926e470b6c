// The snapshot builds each component's part of the record names once and
// each line in one piece. On random forms (frames, nameless and excluded
// components, names that differ only in case, dependencies, odd property
// paths, quotes and line breaks) it must hold exactly what saving record by
// record gives: the record name saving names, and the encoded text set as
// the value of that name.
#include <random>

#include "FormLocalFixture.h"
#include "host/controls/Buttons.h"
#include "host/controls/ListControls.h"
#include "runtime/AmbitUtils.h"

using namespace host;
using namespace ambit;

namespace {

std::string Pick(std::mt19937& rng, const std::vector<std::string>& From) { return From[rng() % From.size()]; }

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"OK", " ", "\"", "#", "\r\n", "Ä", "=", "a long plain run of text"};
  std::string s;
  for (std::size_t n = rng() % 4; n > 0; --n) s += Pick(rng, pieces);
  return s;
}

// Buttons and list boxes with random texts under Owner, and now and then a
// frame holding more of them (or its own localizer).
void Fill(std::mt19937& rng, TComponent* Owner, int Depth) {
  static const std::vector<std::string> names{"B1", "b1", "B2", "Fr", "", "Other"};
  for (std::size_t n = rng() % 5; n > 0; --n) {
    const unsigned kind = rng() % 5;
    TControl* c = kind == 0 && Depth < 2 ? static_cast<TControl*>(new TFrame(Owner))
                  : kind == 1            ? static_cast<TControl*>(new TListBox(Owner))
                                         : static_cast<TControl*>(new TButton(Owner));
    // A taken name is refused: the component stays nameless then.
    try {
      c->SetName(Pick(rng, names));
    } catch (const Exception&) {
    }
    c->SetCaption(RandomText(rng));
    c->SetHint(RandomText(rng));
    if (auto* list = dynamic_cast<TListBox*>(c)) {
      list->Items()->Add(RandomText(rng));
      // A hint that shows the items' text, for a dependency to take.
      if (rng() % 2) list->SetHint(list->Items()->CommaText());
    }
    if (Is<TFrame>(c)) {
      Fill(rng, c, Depth + 1);
      if (rng() % 4 == 0) new TAmFormLocalizer(c);
    }
  }
}

// A text along a path by the host's plain getters: a string property, or a
// string list's comma text, through nested objects.
std::string PlainRead(const TObject* Obj, const std::string& Path) {
  const std::size_t dot = Path.find('.');
  const TPropInfo* p = Obj ? GetPropInfo(Obj, Path.substr(0, dot)) : nullptr;
  if (!p) return {};
  if (p->Kind != tkClass) return dot == std::string::npos ? GetStrProp(Obj, p) : std::string();
  const TObject* held = GetObjectProp(Obj, p);
  if (const auto* strings = dynamic_cast<const TStrings*>(held)) return strings->CommaText();
  return dot == std::string::npos ? std::string() : PlainRead(held, Path.substr(dot + 1));
}

bool HasOwnLocalizer(const TComponent* C) {
  for (int i = 0; i < C->ComponentCount(); ++i)
    if (Is<TAmFormLocalizer>(C->Components(i))) return true;
  return false;
}

// Saving record by record: every property of every component in saving
// order, named as saving names it.
void PlainSnapshot(TAmFormLocalizer& L, TComponent* C, TStringList& Out) {
  TComponent* form = L.Owner();
  auto save = [&](TComponent* Obj) {
    if (L.Excluded()->IndexOf(GetFullName(Obj, form)) >= 0) return;
    for (int i = 0; i < L.PropNames()->Count(); ++i) {
      const std::string path = L.PropNames()->Get(i);
      // A component without a full name has no record name either.
      const std::string text = PlainRead(Obj, path);
      if (!L.SaveOptions().Contains(soSaveEmpty) && Trim(text).empty()) continue;
      const std::string name = L.RecordName(Obj, path);
      if (!name.empty()) Out.SetValues(name, GetEncodedString(text, '"', '#'));
    }
  };
  save(C);
  for (int i = 0; i < C->ComponentCount(); ++i) {
    TComponent* child = C->Components(i);
    save(child);
    if (Is<TFrame>(child) && (L.SaveOptions().Contains(soIncludeFrames) || !HasOwnLocalizer(child)))
      PlainSnapshot(L, child, Out);
  }
}

}  // namespace

TEST(FastSnapshot, HoldsWhatSavingRecordByRecordGives) {
  formlocal_test::RegisterTestClasses();
  const std::vector<std::string> paths{"Caption", "Hint", "caption", " ",       "Name",
                                      "Items",   "Font.Name", "A=B",  "Nothing"};
  const std::vector<std::string> dependencies{"Caption=Hint", "Hint=Caption", "caption=HINT",
                                              "Hint=Action.Hint", "Items=Hint", "Hint=Items"};
  const std::vector<std::string> excluded{"B1", "Fr.b1", "Other", "fr"};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    TForm form(nullptr);
    form.SetName("F");
    form.SetCaption(RandomText(rng));
    Fill(rng, &form, 0);
    auto* loc = new TAmFormLocalizer(&form);
    loc->PropNames()->Clear();
    for (std::size_t n = 1 + rng() % 4; n > 0; --n) loc->PropNames()->Add(Pick(rng, paths));
    for (std::size_t n = rng() % 3; n > 0; --n) loc->Dependencies()->Add(Pick(rng, dependencies));
    for (std::size_t n = rng() % 2; n > 0; --n) loc->Excluded()->Add(Pick(rng, excluded));
    TAmSaveOptions options;
    for (TAmSaveOption o : {soSaveEmpty, soIgnoreDependencyIfEmpty, soIncludeFrames})
      if (rng() % 2) options.Include(o);
    loc->SetSaveOptions(options);
    // Twice: the second snapshot replaces the first.
    loc->SaveAllToBuffer();
    loc->SaveAllToBuffer();
    TStringList expected;
    PlainSnapshot(*loc, &form, expected);
    ASSERT_EQ(loc->Originals()->Text(), expected.Text()) << "seed " << seed;
  }
}
