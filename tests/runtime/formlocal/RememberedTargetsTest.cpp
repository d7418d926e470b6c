// A localizer remembers from one switch to the next where each record went
// and which snapshot records the language lacked. Its twin is made to forget
// before every switch (an exclusion added and taken back) and reads its
// records through a list. While components are freed, renamed, added and
// remade between switches and from a handler in the middle of one, and
// PropNames, Excluded and the snapshot are edited in place, both
// forms must end up alike after every step, with the same texts applied in
// the same order and the same snapshot.
#include <gtest/gtest.h>

#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/core/SysUtils.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitSource.h"
#include "runtime/AmbitUtils.h"
#include "tests/runtime/RuntimeTestSupport.h"

using namespace host;
using namespace ambit;
using ambit_test::TempDir;
using ambit_test::WriteFile;

namespace {

const std::vector<std::string> kNames{"B1", "B2", "B3", "B4", "B5", "Ghost", "Tmp"};

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"OK", " ", "\"", "#", "\r\n", "Ä", "x"};
  std::string s;
  for (std::size_t n = rng() % 4; n > 0; --n) s += pieces[rng() % pieces.size()];
  return s;
}

// Translations list the same names: each language takes Names with texts
// of its own.
std::vector<std::string> RandomNames(std::mt19937& rng) {
  static const std::vector<std::string> names{"B1.Caption", "b1.CAPTION", "B2.Hint", "B3.Caption", "Caption",
                                              "HINT",       "Ghost.Caption", "tmp.hint", "B4.Name", "B5.Hint",
                                              "B5.Caption", "B2.caption",    "B4.Hint"};
  std::vector<std::string> picked;
  for (std::size_t n = rng() % 14; n > 0; --n) picked.push_back(names[rng() % names.size()]);
  return picked;
}

std::vector<std::string> RandomSection(const std::vector<std::string>& Names, std::mt19937& rng) {
  std::vector<std::string> lines;
  for (const std::string& name : Names)
    lines.push_back(rng() % 20 == 0 ? name : name + "=" + GetEncodedString(RandomText(rng), '"', '#'));
  return lines;
}

// The same section with one change a translator might make.
void Mutate(std::vector<std::string>& Lines, std::mt19937& rng) {
  if (Lines.empty()) return;
  const std::size_t i = rng() % Lines.size(), j = rng() % Lines.size();
  switch (rng() % 4) {
    case 0: {  // respelt
      const std::string head = Lines[i].substr(0, 2);
      Lines[i] = (rng() % 2 ? AnsiUpperCase(head) : AnsiLowerCase(head)) + Lines[i].substr(2);
      break;
    }
    case 1: std::swap(Lines[i], Lines[j]); break;
    case 2: Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(i), Lines[j]); break;
    default: Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(i)); break;
  }
}

std::string Join(const std::vector<std::string>& Lines) {
  std::string text = "[F]\r\n";
  for (const std::string& l : Lines) text += l + "\r\n";
  return text + "\r\n";
}

std::string Describe(TForm& Form) {
  std::string s = Form.Caption() + "|" + Form.Hint();
  for (int i = 0; i < Form.ComponentCount(); ++i)
    if (auto* b = dynamic_cast<TButton*>(Form.Components(i)))
      s += "\n" + b->Name() + "|" + b->Caption() + "|" + b->Hint();
  return s;
}

// One change to the form or the localizer's lists, made alike on both.
void Change(TForm& Form, TAmFormLocalizer& Localizer, unsigned Pick, const std::string& Name,
            const std::string& Other) {
  TComponent* c = Form.FindComponent(Name);
  switch (Pick % 8) {
    case 0: delete c; break;
    case 1:
      if (c && !Form.FindComponent(Other)) c->SetName(Other);
      break;
    case 2:
      if (!c) {
        auto* b = new TButton(&Form);
        b->SetName(Name);
        b->SetCaption(Other);
      }
      break;
    case 3:  // remade under the same name, maybe at the same address
      if (c) {
        const std::string caption = static_cast<TButton*>(c)->Caption();
        delete c;
        auto* b = new TButton(&Form);
        b->SetName(Name);
        b->SetCaption(caption + "!");
      }
      break;
    case 4:
      if (const int at = Localizer.PropNames()->IndexOf("Hint"); at >= 0)
        Localizer.PropNames()->Delete(at);
      else
        Localizer.PropNames()->Add("hint");
      break;
    case 5:
      if (Localizer.Excluded()->Count() > 0)
        Localizer.Excluded()->Clear();
      else
        Localizer.Excluded()->Add(Name);
      break;
    case 6:  // the snapshot edited by hand
      if (Localizer.Originals()->Count() > 0)
        Localizer.Originals()->Delete(0);
      else
        Localizer.Originals()->Add(Name + ".Caption=\"" + Other + "\"");
      break;
    default: {
      auto* excluded = static_cast<TStringList*>(Localizer.Excluded());
      excluded->Add(AnsiLowerCase(Name));
      excluded->SetCaseSensitive(!excluded->CaseSensitive());
    }
  }
}

}  // namespace

TEST(RememberedTargets, SwitchLikeAForgetfulTwinWhileTheFormChanges) {
  TempDir dir;
  for (unsigned seed = 1; seed <= 120; ++seed) {
    std::mt19937 rng(seed);
    const std::vector<std::string> names = RandomNames(rng);
    std::vector<std::string> sections[2] = {RandomSection(names, rng), RandomSection(names, rng)};
    for (int l = 0; l < 2; ++l) WriteFile(dir.File(std::to_string(l) + ".lng"), Join(sections[l]));
    const unsigned state = static_cast<unsigned>(rng());
    const bool midSwitch = rng() % 2 == 0;
    std::vector<std::string> applied[2];  // outlives the forms, which may switch on their way out
    std::unique_ptr<TForm> forms[2];
    std::unique_ptr<TAmLanguageSource> sources[2];
    TAmFormLocalizer* localizers[2];
    for (int k = 0; k < 2; ++k) {
      std::mt19937 twin(state);
      forms[k] = std::make_unique<TForm>(nullptr);
      forms[k]->SetName("F");
      forms[k]->SetCaption(RandomText(twin));
      for (const std::string& name : kNames) {
        if (name == "Ghost" || name == "Tmp") continue;
        auto* b = new TButton(forms[k].get());
        b->SetName(name);
        b->SetCaption(RandomText(twin));
        b->SetHint(RandomText(twin));
      }
      sources[k] = std::make_unique<TAmLanguageSource>(nullptr);
      for (int l = 0; l < 2; ++l)
        sources[k]->Languages()->Add("L" + std::to_string(l) + "=" + dir.File(std::to_string(l) + ".lng"));
      if (k == 1) sources[k]->SetOnLoadStrings([](TObject*, TStrings*) {});
      auto* localizer = localizers[k] = new TAmFormLocalizer(forms[k].get());
      TForm* form = forms[k].get();
      localizer->SetOnPropertyLocalized([&applied, k, form, midSwitch](TObject*, TPersistent* Obj,
                                                                       const std::string& Path, const std::string& V) {
        const std::string name = static_cast<TComponent*>(Obj)->Name();
        applied[k].push_back(name + "." + Path + "=" + V);
        // Frees or renames a component whose records may still be ahead.
        if (midSwitch && name == "B2") delete form->FindComponent("B5");
        if (midSwitch && name == "B1")
          if (TComponent* b3 = form->FindComponent("B3"); b3 && !form->FindComponent("Tmp")) b3->SetName("Tmp");
      });
      localizer->SetSource(sources[k].get());
    }
    for (int step = 0; step < 16; ++step) {
      const int language = static_cast<int>(rng() % 3) - 1;
      // Mostly one change or none, so that what is remembered is often used.
      for (int n = static_cast<int>(rng() % 2); n > 0; --n) {
        const unsigned pick = static_cast<unsigned>(rng());
        const std::string name = kNames[rng() % kNames.size()], other = kNames[rng() % kNames.size()];
        for (int k = 0; k < 2; ++k) Change(*forms[k], *localizers[k], pick, name, other);
      }
      if (rng() % 4 == 0) {
        const int l = static_cast<int>(rng() % 2);
        Mutate(sections[l], rng);
        WriteFile(dir.File(std::to_string(l) + ".lng"), Join(sections[l]));
      }
      localizers[1]->Excluded()->Add("?");
      localizers[1]->Excluded()->Delete(localizers[1]->Excluded()->Count() - 1);
      for (auto& source : sources) source->SetActiveLanguage(language);
      const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
      ASSERT_EQ(applied[0], applied[1]) << where;
      ASSERT_EQ(Describe(*forms[0]), Describe(*forms[1])) << where;
      ASSERT_EQ(localizers[0]->Originals()->Text(), localizers[1]->Originals()->Text()) << where;
    }
  }
}

// Without localizing handlers a remembered record is written straight; it
// must end as its twin's, which reads a list and is watched, under the same
// changes, with empty texts (kept so without SaveEmpty) and with a handler
// that edits the texts coming and going.
TEST(RememberedTargets, WrittenStraightLikeAWatchedTwin) {
  TempDir dir;
  for (unsigned seed = 1; seed <= 80; ++seed) {
    std::mt19937 rng(seed);
    const std::vector<std::string> names = RandomNames(rng);
    for (int l = 0; l < 2; ++l) WriteFile(dir.File(std::to_string(l) + ".lng"), Join(RandomSection(names, rng)));
    std::unique_ptr<TForm> forms[2];
    std::unique_ptr<TAmLanguageSource> sources[2];
    TAmFormLocalizer* localizers[2];
    for (int k = 0; k < 2; ++k) {
      std::mt19937 twin(seed);
      forms[k] = std::make_unique<TForm>(nullptr);
      forms[k]->SetName("F");
      for (const char* name : {"B1", "B2", "B3", "B4", "B5"}) {
        auto* b = new TButton(forms[k].get());
        b->SetName(name);
        b->SetCaption(twin() % 2 ? "" : RandomText(twin));
        b->SetHint(twin() % 2 ? "" : RandomText(twin));
      }
      sources[k] = std::make_unique<TAmLanguageSource>(nullptr);
      for (int l = 0; l < 2; ++l) sources[k]->Languages()->Add("L" + std::to_string(l) + "=" + dir.File(std::to_string(l) + ".lng"));
      localizers[k] = new TAmFormLocalizer(forms[k].get());
      localizers[k]->SetSaveOptions(seed % 2 ? TAmSaveOptions{soSaveEmpty} : TAmSaveOptions{});
      localizers[k]->SetSource(sources[k].get());
    }
    sources[1]->SetOnLoadStrings([](TObject*, TStrings*) {});
    localizers[1]->SetOnPropertyLocalized([](TObject*, TPersistent*, const std::string&, const std::string&) {});
    for (int step = 0; step < 16; ++step) {
      const unsigned pick = static_cast<unsigned>(rng());
      const std::string name = kNames[rng() % kNames.size()], other = kNames[rng() % kNames.size()];
      for (int k = 0; k < 2 && pick % 3 == 0; ++k) Change(*forms[k], *localizers[k], pick / 3, name, other);
      TAmPropProcessingEvent edit = [](TObject*, TPersistent*, const std::string&, std::string& V, bool&) { V += "+"; };
      if (pick % 7 == 0)
        for (auto* localizer : localizers) localizer->SetOnPropertyLocalizing(localizer->OnPropertyLocalizing() ? nullptr : edit);
      const int language = static_cast<int>(rng() % 3) - 1;
      for (auto& source : sources) source->SetActiveLanguage(language);
      ASSERT_EQ(Describe(*forms[0]), Describe(*forms[1])) << "seed " << seed << " step " << step;
      ASSERT_EQ(localizers[0]->Originals()->Text(), localizers[1]->Originals()->Text()) << seed << " " << step;
    }
  }
}
