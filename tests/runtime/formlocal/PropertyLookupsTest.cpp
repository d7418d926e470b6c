// A pass of writes may remember its class look-ups. On random paths over
// controls of several classes (string properties, string lists, tree nodes,
// a collection, nested objects, case variants, names no class has) two twin
// forms take the same writes, one through a shared set of look-ups and one
// without; every text of both must stay alike after every write.
#include <gtest/gtest.h>

#include <random>

#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"
#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TreeView.h"
#include "host/core/Collection.h"
#include "host/core/TreeNodes.h"
#include "host/core/TypInfo.h"
#include "runtime/AmFormLocal/PropertyPath.h"

using namespace host;
using namespace ambit;

namespace {

const std::vector<std::string> kPaths{"Caption", "CAPTION", "Hint",      "hint",        "Items",           "ITEMS",
                                      "Lines",   "lines",   "Text",      "Font.Name",   "font.NAME",       "Ghost",
                                      "Columns", "Columns.Caption", "columns.CAPTION", "Caption.Ghost", "Items.Text", ""};

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"a", ",", "\"", " ", "Ä", "", "b c"};
  std::string s;
  for (std::size_t n = rng() % 4; n > 0; --n) s += pieces[rng() % pieces.size()];
  return s;
}

std::unique_ptr<TForm> MakeForm() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("F");
  form->SetCaption("Form");
  auto* button = new TButton(form.get());
  button->SetName("Button");
  button->SetCaption("OK");
  auto* list = new TListBox(form.get());
  list->SetName("List");
  list->Items()->Add("one");
  auto* memo = new TMemo(form.get());
  memo->SetName("Memo");
  auto* tree = new TTreeView(form.get());
  tree->SetName("Tree");
  tree->Items()->AddChild(tree->Items()->Add(nullptr, "root"), "leaf");
  auto* view = new TListView(form.get());
  view->SetName("View");
  for (const char* caption : {"Name", "", "Size"}) SetStrProp(view->Columns()->Add(), "Caption", caption);
  return form;
}

}  // namespace

TEST(PropertyLookups, WritesLikeThePlainWalkOnRandomPaths) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    auto plain = MakeForm();
    auto fast = MakeForm();
    TPropertyLookups lookups;
    const bool saveEmpty = rng() % 2 == 0;
    for (int step = 0; step < 60; ++step) {
      const int which = static_cast<int>(rng() % (plain->ComponentCount() + 1));
      TComponent* a = which == 0 ? plain.get() : plain->Components(which - 1);
      TComponent* b = which == 0 ? fast.get() : fast->Components(which - 1);
      const std::string& path = kPaths[rng() % kPaths.size()];
      const std::string value = RandomText(rng);
      WritePropertyPath(a, path, value, saveEmpty);
      WritePropertyPath(b, path, value, saveEmpty, &lookups);
      for (int c = 0; c <= plain->ComponentCount(); ++c) {
        const TComponent* x = c == 0 ? plain.get() : plain->Components(c - 1);
        const TComponent* y = c == 0 ? fast.get() : fast->Components(c - 1);
        for (const std::string& p : kPaths)
          ASSERT_EQ(ReadPropertyPath(x, p, plain.get()), ReadPropertyPath(y, p, fast.get()))
              << "seed " << seed << " step " << step << " " << x->Name() << "." << p;
      }
    }
  }
}

TEST(PropertyLookups, ReadsLikeThePlainWalkOnRandomPaths) {
  auto form = MakeForm();
  TPropertyLookups lookups;
  std::mt19937 rng(5);
  for (int step = 0; step < 400; ++step) {
    const int which = static_cast<int>(rng() % (form->ComponentCount() + 1));
    const TComponent* c = which == 0 ? form.get() : form->Components(which - 1);
    const std::string& path = kPaths[rng() % kPaths.size()];
    ASSERT_EQ(ReadPropertyPath(c, path, form.get(), &lookups), ReadPropertyPath(c, path, form.get()))
        << c->Name() << "." << path;
  }
}
