// The application and the screen: forms in creation order, removal when a
// form goes, the global look-up of forms by name, deferred release and the
// screen's fonts.
#include <gtest/gtest.h>

#include <memory>

#include "host/controls/Application.h"
#include "host/controls/Buttons.h"
#include "host/controls/Forms.h"

using namespace host;

namespace {
int IndexOfForm(const TCustomForm* form) {
  for (int i = 0; i < Screen()->FormCount(); ++i)
    if (Screen()->Forms(i) == form) return i;
  return -1;
}
}  // namespace

TEST(ScreenForms, FormsAreListedInCreationOrderAndLeaveWhenFreed) {
  const int before = Screen()->FormCount();
  auto a = std::make_unique<TForm>(nullptr);
  auto b = std::make_unique<TForm>(nullptr);
  auto c = std::make_unique<TForm>(nullptr);
  ASSERT_EQ(Screen()->FormCount(), before + 3);
  EXPECT_EQ(IndexOfForm(a.get()), before);
  EXPECT_EQ(IndexOfForm(b.get()), before + 1);
  EXPECT_EQ(IndexOfForm(c.get()), before + 2);
  b.reset();
  EXPECT_EQ(Screen()->FormCount(), before + 2);
  EXPECT_EQ(IndexOfForm(c.get()), before + 1);
  EXPECT_THROW(Screen()->Forms(Screen()->FormCount()), EListError);
}

TEST(ScreenForms, ReferencesToOtherFormsResolveByName) {
  auto main = std::make_unique<TForm>(nullptr);
  main->SetName("ScreenTestMain");
  auto* ok = new TButton(main.get());
  ok->SetName("OKButton");
  EXPECT_EQ(FindGlobalComponent("screentestmain"), main.get());
  EXPECT_EQ(Screen()->FindForm("ScreenTestMain"), main.get());
  EXPECT_EQ(FindGlobalComponent("ScreenTestMain")->FindComponent("OKButton"), ok);
  main.reset();
  EXPECT_EQ(FindGlobalComponent("ScreenTestMain"), nullptr);
}

TEST(ScreenForms, TheActiveFormIsTheOneShownLast) {
  TForm a(nullptr), b(nullptr);
  std::vector<std::string> events;
  a.SetOnActivate([&](TObject*) { events.push_back("a on"); });
  a.SetOnDeactivate([&](TObject*) { events.push_back("a off"); });
  b.SetOnActivate([&](TObject*) { events.push_back("b on"); });
  a.Show();
  b.Show();
  EXPECT_EQ(Screen()->ActiveForm(), &b);
  EXPECT_EQ(events, (std::vector<std::string>{"a on", "a off", "b on"}));
  b.Hide();
  EXPECT_EQ(Screen()->ActiveForm(), nullptr);
}

TEST(ScreenFonts, HintMenuAndIconFontsCanBeChanged) {
  int changes = 0;
  Screen()->SetOnFontsChanged([&](TObject*) { ++changes; });
  const TFontCharset old = Screen()->HintFont()->Charset();
  Screen()->HintFont()->SetCharset(GREEK_CHARSET);
  Screen()->MenuFont()->SetCharset(GREEK_CHARSET);
  Screen()->IconFont()->SetCharset(GREEK_CHARSET);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(Screen()->MenuFont()->Charset(), GREEK_CHARSET);
  EXPECT_NE(GetPropInfo(Screen()->IconFont(), "Charset"), nullptr);
  Screen()->SetOnFontsChanged(nullptr);
  for (TFont* f : {Screen()->HintFont(), Screen()->MenuFont(), Screen()->IconFont()}) f->SetCharset(old);
}

TEST(ApplicationForms, CreateFormFiresOnCreateOnceAndTheFirstIsTheMainForm) {
  struct TCounted : TForm {
    explicit TCounted(TComponent* o) : TForm(o) {}
  };
  TCustomForm* previousMain = Application()->MainForm();
  Application()->SetMainForm(nullptr);
  auto* first = Application()->CreateForm<TForm>();
  auto* second = Application()->CreateForm<TForm>();
  EXPECT_EQ(Application()->MainForm(), first);
  EXPECT_EQ(first->Owner(), Application());
  int created = 0;
  second->SetOnCreate([&](TObject*) { ++created; });
  second->DoCreate();  // already done by CreateForm
  second->Show();
  EXPECT_EQ(created, 0);
  TForm fresh(nullptr);
  fresh.SetOnCreate([&](TObject*) { ++created; });
  fresh.Show();
  fresh.Show();
  EXPECT_EQ(created, 1);
  delete second;
  delete first;
  EXPECT_EQ(Application()->MainForm(), nullptr);
  Application()->SetMainForm(previousMain);
}

TEST(ApplicationForms, ClosingWithCaFreeReleasesTheFormLater) {
  auto* form = new TForm(nullptr);
  form->SetOnClose([](TObject*, TCloseAction& action) { action = caFree; });
  bool destroyed = false;
  form->SetOnDestroy([&](TObject*) { destroyed = true; });
  form->Show();
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(destroyed);  // still usable by the handler that closed it
  Application()->ProcessMessages();
  EXPECT_TRUE(destroyed);
}

TEST(ApplicationForms, AReleasedFormFreedEarlierIsForgotten) {
  auto* form = new TForm(nullptr);
  form->Release();
  delete form;
  Application()->ProcessMessages();  // ASan: no double free
  SUCCEED();
}

TEST(ApplicationForms, ClosingTheMainFormTerminatesTheApplication) {
  TCustomForm* previousMain = Application()->MainForm();
  TForm main(nullptr);
  Application()->SetMainForm(&main);
  main.Show();
  main.Close();
  EXPECT_TRUE(Application()->Terminated());
  Application()->ResetTerminated();
  Application()->SetMainForm(previousMain);
}

TEST(ApplicationForms, KeysReachTheFormFirstWithKeyPreviewAndButtonsAnswerEnterAndEscape) {
  TForm form(nullptr);
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(&form);
  cancel->SetParent(&form);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TButton(&form);
  edit->SetParent(&form);
  std::vector<std::string> seen;
  form.SetOnKeyDown([&](TObject*, TKey& key, TShiftState) { seen.push_back("form " + std::to_string(key)); });
  edit->SetOnKeyDown([&](TObject*, TKey& key, TShiftState) { seen.push_back("edit " + std::to_string(key)); });
  TKey key = 'A';
  edit->KeyDown(key, {});
  EXPECT_EQ(seen, std::vector<std::string>{"edit 65"});
  form.SetKeyPreview(true);
  key = VK_ESCAPE;
  edit->KeyDown(key, {});
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1], "form 27");
  EXPECT_EQ(form.ModalResult(), mrCancel);
  key = VK_RETURN;
  edit->KeyDown(key, {});
  EXPECT_EQ(form.ModalResult(), mrOk);
  EXPECT_EQ(key, 0);
}

TEST(Application, ExeNameIsTheRunningProgramsFullPath) {
  const std::string exe = Application()->ExeName();
  EXPECT_EQ(exe.front(), '/');
  EXPECT_NE(exe.find("host_controls_tests"), std::string::npos);
}
