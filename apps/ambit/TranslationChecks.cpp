#include "apps/ambit/TranslationChecks.h"

#include <map>

#include "apps/ambit/TextRules.h"
#include "host/controls/Control.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/core/CaseFold.h"
#include "host/core/TypInfo.h"

namespace ambit::cli {

namespace {

std::string Quoted(const std::string& Text) {
  std::string q = "'";
  for (char c : Text) {
    if (c == '\r') q += "\\r";
    else if (c == '\n') q += "\\n";
    else q += c;
  }
  return q + "'";
}

// One designed text (or list item) against its translation.
void CompareItem(const std::string& Record, const std::string& Where, const std::string& Original,
                 const std::string& Translation, const TFindingSink& Add) {
  const std::string a = Accelerator(Original), b = Accelerator(Translation);
  if (a.empty() != b.empty())
    Add(Record, TSeverity::Error, "accelerator",
        Where + (a.empty() ? "the translation has an accelerator ('&" + b + "'), the designed text has none"
                           : "the translation has no accelerator; the designed text has '&" + a + "'"));
  const auto pa = PlaceholderSignature(Original), pb = PlaceholderSignature(Translation);
  if (pa != pb)
    Add(Record, TSeverity::Error, "placeholders",
        Where + "the placeholders differ: the designed text has " + JoinPlaceholders(pa) + ", the translation " +
            JoinPlaceholders(pb));
  const std::string la = LeadingBlanks(Original), lb = LeadingBlanks(Translation);
  if (la != lb)
    Add(Record, TSeverity::Warning, "blanks",
        Where + "the designed text begins with " + DescribeBlanks(la) + ", the translation with " + DescribeBlanks(lb));
  if (la.size() < Original.size()) {
    const std::string ta = TrailingBlanks(Original), tb = TrailingBlanks(Translation);
    if (ta != tb)
      Add(Record, TSeverity::Warning, "blanks",
          Where + "the designed text ends with " + DescribeBlanks(ta) + ", the translation with " + DescribeBlanks(tb));
  }
}

// The component part of an orphaned record name: what precedes the
// longest property path of PropNames it ends with.
bool SplitOrphan(const TFormTexts& Form, const std::string& Name, std::string& Component, std::string& Path) {
  const host::TStrings* paths = Form.Localizer->PropNames();
  std::size_t best = 0;
  for (int i = 0; i < paths->Count(); ++i) {
    const std::string p = paths->Get(i);
    if (p.size() + 1 < Name.size() && p.size() > best && Name[Name.size() - p.size() - 1] == '.' &&
        host::SameText(std::string_view(Name).substr(Name.size() - p.size()), p))
      best = p.size();
  }
  if (best == 0) return false;
  Component = Name.substr(0, Name.size() - best - 1);
  Path = Name.substr(Name.size() - best);
  return true;
}

std::string ComponentOf(const TFormText& Text) {
  return Text.Name.size() > Text.Property.size() ? Text.Name.substr(0, Text.Name.size() - Text.Property.size() - 1)
                                                 : std::string();
}

// The component a renamed one most likely became: one of the form whose
// records the language lacks entirely, that has a text under the same
// property path and every path the old name still has records for, and,
// where the old designed text is known (the form's snapshot, or a stored
// text that is still a designed one), the same designed text.
std::string RenamedTo(const TFormTexts& Form, const host::TStringList& Stored, const std::string& Component,
                      const std::string& Path, const std::string& StoredText) {
  std::vector<std::string> oldPaths;
  const std::string prefix = host::FoldCase(Component + ".");
  for (int i = 0; i < Stored.Count(); ++i) {
    const std::string name = Stored.Names(i);
    if (host::FoldCase(name).rfind(prefix, 0) == 0) oldPaths.push_back(name.substr(prefix.size()));
  }
  const std::string known = Form.Localizer->Originals()->IndexOfName(Component + "." + Path) >= 0
                                ? GetDecodedString(Form.Localizer->Originals()->Values(Component + "." + Path), '"', '#')
                                : std::string();
  std::vector<std::string> candidates, strong;
  for (const TFormText& t : Form.Texts) {
    if (!host::SameText(t.Property, Path)) continue;
    const std::string c = ComponentOf(t);
    if (c.empty() || host::SameText(c, Component)) continue;
    bool hasStored = false;
    const std::string cprefix = host::FoldCase(c + ".");
    for (int i = 0; i < Stored.Count() && !hasStored; ++i) hasStored = host::FoldCase(Stored.Names(i)).rfind(cprefix, 0) == 0;
    if (hasStored) continue;
    bool allPaths = true;
    for (const std::string& p : oldPaths) allPaths = allPaths && Form.Find(c + "." + p);
    if (!allPaths) continue;
    if (!known.empty() && t.Original != known) continue;
    candidates.push_back(c);
    if (!known.empty() || t.Original == StoredText) strong.push_back(c);
  }
  if (!strong.empty()) return strong.front();
  return candidates.size() == 1 ? candidates.front() : std::string();
}

// Controls that show a caption with an accelerator: those publishing
// Caption, but not the form's title or a frame.
bool ShowsCaption(const host::TComponent* C) {
  return host::Is<host::TControl>(C) && !host::Is<host::TCustomForm>(C) && !host::Is<host::TFrame>(C) &&
         host::GetPropInfo(C, "Caption");
}

void CollectControls(const host::TComponent* Owner, std::vector<const host::TComponent*>& Controls,
                     std::vector<const host::TMenuItem*>& Menus, int Depth) {
  if (Depth > 64) return;
  for (const host::TComponent* c : Owner->ComponentList()) {
    if (ShowsCaption(c)) Controls.push_back(c);
    if (const auto* menu = host::As<host::TMenu>(c)) Menus.push_back(menu->Items());
    if (host::Is<host::TFrame>(c)) CollectControls(c, Controls, Menus, Depth + 1);
  }
}

void ReportShared(const TFormTexts& Form, const std::vector<std::pair<std::string, const host::TComponent*>>& Group,
                  const std::string& Where, const TFindingSink& Add) {
  std::map<std::string, const host::TComponent*> first;
  for (const auto& [caption, c] : Group) {
    const std::string key = Accelerator(caption);
    if (key.empty()) continue;
    const auto [it, isNew] = first.emplace(key, c);
    if (isNew) continue;
    Add(CaptionRecord(Form, c), TSeverity::Warning, "accelerator",
        "the accelerator '&" + key + "' of " + c->Name() + " (" + Quoted(caption) + ") is also that of " +
            it->second->Name() + " " + Where);
  }
}

}  // namespace

void CheckTranslations(const TFormTexts& Form, const host::TStringList& Stored, const TFindingSink& Add) {
  for (const TFormText& t : Form.Texts) {
    const int k = Stored.IndexOfName(t.Name);
    if (k < 0) {
      Add(t.Name, TSeverity::Warning, "missing", "no translation; the form shows " + Quoted(t.Original));
      continue;
    }
    const std::string translation = Stored.ValueFromIndex(k);
    const std::vector<std::string> a = ItemsOf(t.Original, t.IsList), b = ItemsOf(translation, t.IsList);
    if (a.size() != b.size())
      Add(t.Name, TSeverity::Warning, "items",
          "the designed list has " + std::to_string(a.size()) + " items, the translation " + std::to_string(b.size()));
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
      CompareItem(t.Name, t.IsList ? "item " + std::to_string(i + 1) + ": " : std::string(), a[i], b[i], Add);
  }
}

void CheckOrphans(const TFormTexts& Form, const host::TStringList& Stored, const TFindingSink& Add) {
  for (int i = 0; i < Stored.Count(); ++i) {
    const std::string name = Stored.Names(i);
    if (Form.Find(name) || Form.NamesProperty(name)) continue;
    std::string message = "no component or property of the form has this record any more";
    std::string component, path;
    if (SplitOrphan(Form, name, component, path)) {
      if (const std::string to = RenamedTo(Form, Stored, component, path, Stored.ValueFromIndex(i)); !to.empty())
        message += "; " + component + " was most likely renamed to " + to + " (its record: " + to + "." + path + ")";
    }
    Add(name, TSeverity::Warning, "orphaned", message);
  }
}

void CheckSharedAccelerators(const TFormTexts& Form, const TFindingSink& Add) {
  std::vector<const host::TComponent*> controls;
  std::vector<const host::TMenuItem*> menus;
  CollectControls(Form.Form, controls, menus, 0);
  std::vector<std::pair<std::string, const host::TComponent*>> group;
  for (const host::TComponent* c : controls) group.emplace_back(host::GetStrProp(c, "Caption"), c);
  ReportShared(Form, group, "on the form", Add);
  // Each menu level on its own: the items of one menu, the items of one
  // submenu.
  std::vector<const host::TMenuItem*> levels(menus.begin(), menus.end());
  for (std::size_t l = 0; l < levels.size() && l < 100000; ++l) {
    group.clear();
    for (int i = 0; i < levels[l]->Count(); ++i) {
      const host::TMenuItem* item = levels[l]->Items(i);
      group.emplace_back(item->Caption(), item);
      if (item->Count() > 0) levels.push_back(item);
    }
    ReportShared(Form, group, levels[l]->Name().empty() ? "in the same menu" : "in the menu " + levels[l]->Name(), Add);
  }
}

std::string CaptionRecord(const TFormTexts& Form, const host::TComponent* Control) {
  const std::string own = GetFullPropName(Control, Form.Form, "Caption");
  if (Form.Find(own)) return own;
  if (const auto* control = host::As<host::TControl>(Control); control && control->Action()) {
    const std::string action = GetFullPropName(control->Action(), Form.Form, "Caption");
    if (Form.Find(action)) return action;
  }
  if (const auto* item = host::As<host::TMenuItem>(Control); item && item->Action()) {
    const std::string action = GetFullPropName(item->Action(), Form.Form, "Caption");
    if (Form.Find(action)) return action;
  }
  return own.empty() ? Control->Name() : own;
}

}  // namespace ambit::cli
