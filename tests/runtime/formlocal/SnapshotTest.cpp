// The snapshot reads texts in place and names each component once. On
// random forms (frames, nameless and excluded components, names alike but
// for case, dependencies, odd paths, quotes and line breaks) it must hold
// what saving record by record gives: each record's name as saving names
// it, set to its text read by the host's plain getters, encoded.
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

// Buttons, list boxes (whose hint may show the items' text, for a
// dependency to take) and frames, some with a localizer of their own.
void Fill(std::mt19937& rng, TComponent* Owner, int Depth) {
  for (std::size_t n = rng() % 5; n > 0; --n) {
    const unsigned kind = rng() % 5;
    TControl* c = kind == 0 && Depth < 2 ? static_cast<TControl*>(new TFrame(Owner))
                  : kind == 1            ? static_cast<TControl*>(new TListBox(Owner))
                                         : static_cast<TControl*>(new TButton(Owner));
    try {
      c->SetName(Pick(rng, {"B1", "b1", "B2", "Fr", "", "Other"}));
    } catch (const Exception&) {  // a taken name: the component stays nameless
    }
    c->SetCaption(RandomText(rng));
    c->SetHint(RandomText(rng));
    if (auto* list = dynamic_cast<TListBox*>(c)) {
      list->Items()->Add(RandomText(rng));
      if (rng() % 2) list->SetHint(list->Items()->CommaText());
    }
    if (Is<TFrame>(c)) Fill(rng, c, Depth + 1);
    if (Is<TFrame>(c) && rng() % 4 == 0) new TAmFormLocalizer(c);
  }
}

// A string property, or a string list's comma text, through nested objects.
std::string PlainRead(const TObject* Obj, const std::string& Path) {
  const std::size_t dot = Path.find('.');
  const TPropInfo* p = Obj ? GetPropInfo(Obj, Path.substr(0, dot)) : nullptr;
  if (!p) return {};
  if (p->Kind != tkClass) return dot == std::string::npos ? GetStrProp(Obj, p) : std::string();
  const TObject* held = GetObjectProp(Obj, p);
  if (const auto* strings = dynamic_cast<const TStrings*>(held)) return strings->CommaText();
  return dot == std::string::npos ? std::string() : PlainRead(held, Path.substr(dot + 1));
}

// Every property of every component in saving order; a component without
// a full name has no record name either.
void PlainSnapshot(TAmFormLocalizer& L, TComponent* C, TStringList& Out) {
  auto save = [&](TComponent* Obj) {
    if (L.Excluded()->IndexOf(GetFullName(Obj, L.Owner())) >= 0) return;
    for (int i = 0; i < L.PropNames()->Count(); ++i) {
      const std::string path = L.PropNames()->Get(i), text = PlainRead(Obj, path), name = L.RecordName(Obj, path);
      if ((L.SaveOptions().Contains(soSaveEmpty) || !Trim(text).empty()) && !name.empty())
        Out.SetValues(name, GetEncodedString(text, '"', '#'));
    }
  };
  save(C);
  for (int i = 0; i < C->ComponentCount(); ++i) {
    TComponent* child = C->Components(i);
    save(child);
    bool ownLocalizer = false;
    for (int k = 0; k < child->ComponentCount(); ++k) ownLocalizer |= Is<TAmFormLocalizer>(child->Components(k));
    if (Is<TFrame>(child) && (L.SaveOptions().Contains(soIncludeFrames) || !ownLocalizer))
      PlainSnapshot(L, child, Out);
  }
}

// A random form's localizer with random paths, dependencies, exclusions
// and options.
TAmFormLocalizer* RandomLocalizer(std::mt19937& rng, TForm& form) {
  form.SetName("F");
  form.SetCaption(RandomText(rng));
  Fill(rng, &form, 0);
  auto* loc = new TAmFormLocalizer(&form);
  loc->PropNames()->Clear();
  for (std::size_t n = 1 + rng() % 4; n > 0; --n)
    loc->PropNames()->Add(Pick(rng, {"Caption", "Hint", "caption", " ", "Name", "Items", "Font.Name", "A=B", "X"}));
  for (std::size_t n = rng() % 3; n > 0; --n)
    loc->Dependencies()->Add(
        Pick(rng, {"Caption=Hint", "Hint=Caption", "caption=HINT", "Hint=Action.Hint", "Items=Hint", "Hint=Items"}));
  if (rng() % 2) loc->Excluded()->Add(Pick(rng, {"B1", "Fr.b1", "Other", "fr"}));
  TAmSaveOptions options;
  for (TAmSaveOption o : {soSaveEmpty, soIgnoreDependencyIfEmpty, soIncludeFrames})
    if (rng() % 2) options.Include(o);
  loc->SetSaveOptions(options);
  return loc;
}

}  // namespace

TEST(FastSnapshot, HoldsWhatSavingRecordByRecordGives) {
  formlocal_test::RegisterTestClasses();
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    TForm form(nullptr);
    TAmFormLocalizer* loc = RandomLocalizer(rng, form);
    loc->SaveAllToBuffer();
    loc->SaveAllToBuffer();  // the second snapshot replaces the first
    TStringList expected;
    PlainSnapshot(*loc, &form, expected);
    ASSERT_EQ(loc->Originals()->Text(), expected.Text()) << "seed " << seed;
  }
}

// Returning to the designed texts keeps the snapshot's lines for the next
// snapshot, which must hold the same after the form changed in between.
TEST(FastSnapshot, RetakenAfterReturningToTheDesignedTexts) {
  formlocal_test::RegisterTestClasses();
  for (unsigned seed = 1; seed <= 150; ++seed) {
    std::mt19937 rng(seed);
    TForm form(nullptr);
    TAmFormLocalizer* loc = RandomLocalizer(rng, form);
    for (int pass = 0; pass < 5; ++pass) {
      loc->SaveAllToBuffer();
      TStringList expected;
      PlainSnapshot(*loc, &form, expected);
      ASSERT_EQ(loc->Originals()->Text(), expected.Text()) << "seed " << seed << " pass " << pass;
      loc->LoadAllFromBuffer();
      // Then the form changes a little: a text (also in its last byte
      // alone), a component gone or added, or a hint becomes what its
      // encoding quotes (the old line then reads as the new text quoted,
      // yet is not its encoding).
      auto* c = dynamic_cast<TControl*>(form.Components(static_cast<int>(rng() % form.ComponentCount())));
      const unsigned change = rng() % 5;
      if (c && change == 0) c->SetCaption(RandomText(rng));
      if (std::string t = c ? c->Caption() : ""; change == 4 && !t.empty())
        t.back() = t.back() == 'x' ? 'y' : 'x', c->SetCaption(t);
      if (const std::string e = c ? GetEncodedString(c->Hint(), '"', '#') : ""; change == 3 && c)
        c->SetHint(e.substr(1, e.size() - 2));
      if (c && change == 1) delete c;
      if (change == 2) (new TButton(&form))->SetName("Added" + std::to_string(pass));
    }
  }
}
