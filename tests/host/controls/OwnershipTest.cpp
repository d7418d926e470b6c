// Owner and parent: who frees a control and who shows it, what the
// streaming hooks hand out, and destruction in any order without leaks or
// dangling pointers (run under the sanitizers).
#include <gtest/gtest.h>

#include <memory>

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/controls/Grids.h"
#include "host/controls/StdCtrls.h"

using namespace host;

namespace {

std::vector<std::string> Children(const TComponent* c, TComponent* root) {
  std::vector<std::string> out;
  c->GetChildren([&](TComponent* child) { out.push_back(child->Name()); }, root);
  return out;
}

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const std::string& name) {
  auto* c = new T(owner);
  c->SetName(name);
  if constexpr (std::is_base_of_v<TControl, T>)
    if (parent) c->SetParent(parent);
  return c;
}

}  // namespace

TEST(OwnerAndParent, AButtonOnAPanelIsOwnedByTheForm) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* panel = Make<TPanel>(form.get(), form.get(), "Panel1");
  auto* button = Make<TButton>(form.get(), panel, "OKButton");
  EXPECT_EQ(button->Owner(), form.get());
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(panel->ControlCount(), 1);
  EXPECT_EQ(panel->Controls(0), button);
  EXPECT_EQ(form->FindComponent("okbutton"), button);
  EXPECT_EQ(panel->ComponentCount(), 0);
  EXPECT_EQ(button->GetParentForm(), form.get());
  EXPECT_TRUE(form->ContainsControl(button));
}

TEST(OwnerAndParent, AFrameOwnsWhatIsPlacedOnIt) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* frame = Make<TFrame>(form.get(), form.get(), "Frame1");
  auto* panel = Make<TPanel>(frame, frame, "Panel1");
  auto* button = Make<TButton>(frame, panel, "Button1");
  auto* actions = Make<TActionList>(frame, nullptr, "Actions");
  EXPECT_EQ(button->Owner(), frame);
  EXPECT_EQ(form->FindComponent("Button1"), nullptr);
  EXPECT_EQ(frame->FindComponent("Button1"), button);
  EXPECT_EQ(frame->GetChildOwner(), frame);
  EXPECT_EQ(form->GetChildOwner(), form.get());
  EXPECT_EQ(panel->GetChildOwner(), frame);
  // The frame hands out its own controls and non-visual components whatever
  // root the writer is at; the form hands out the frame, not what it owns.
  EXPECT_EQ(Children(frame, form.get()), (std::vector<std::string>{"Panel1", "Actions"}));
  EXPECT_EQ(Children(panel, form.get()), (std::vector<std::string>{"Button1"}));
  EXPECT_EQ(Children(form.get(), form.get()), (std::vector<std::string>{"Frame1"}));
  (void)actions;
}

TEST(OwnerAndParent, FormHandsOutControlsThenParentlessComponents) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* actions = Make<TActionList>(form.get(), nullptr, "ActionList1");
  auto* action = Make<TAction>(form.get(), nullptr, "actClose");
  action->SetActionList(actions);
  auto* loose = Make<TAction>(form.get(), nullptr, "actLoose");
  auto* menu = Make<TMainMenu>(form.get(), nullptr, "MainMenu1");
  auto* file = Make<TMenuItem>(form.get(), nullptr, "miFile");
  menu->Items()->Add(file);
  auto* exit = Make<TMenuItem>(form.get(), nullptr, "miExit");
  file->Add(exit);
  Make<TButton>(form.get(), form.get(), "Button1");
  Make<TOpenDialog>(form.get(), nullptr, "OpenDialog1");
  Make<TLabel>(form.get(), nullptr, "NoParent");  // a control without parent is not written
  EXPECT_EQ(Children(form.get(), form.get()),
            (std::vector<std::string>{"Button1", "ActionList1", "actLoose", "MainMenu1", "OpenDialog1"}));
  EXPECT_EQ(Children(actions, form.get()), (std::vector<std::string>{"actClose"}));
  EXPECT_EQ(Children(menu, form.get()), (std::vector<std::string>{"miFile"}));
  EXPECT_EQ(Children(file, form.get()), (std::vector<std::string>{"miExit"}));
  EXPECT_TRUE(action->HasParent());
  EXPECT_FALSE(loose->HasParent());
  EXPECT_EQ(action->GetParentComponent(), actions);
  EXPECT_EQ(file->GetParentComponent(), menu);
  EXPECT_EQ(exit->GetParentComponent(), file);
  EXPECT_EQ(exit->Owner(), form.get());
}

TEST(OwnerAndParent, SetParentComponentConnectsWhatAReaderCreates) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* pages = new TPageControl(form.get());
  pages->SetParentComponent(form.get());
  auto* sheet = new TTabSheet(form.get());
  sheet->SetParentComponent(pages);
  auto* bar = new TToolBar(form.get());
  bar->SetParentComponent(form.get());
  auto* tb = new TToolButton(form.get());
  tb->SetParentComponent(bar);
  auto* list = new TActionList(form.get());
  auto* action = new TAction(form.get());
  action->SetParentComponent(list);
  auto* popup = new TPopupMenu(form.get());
  auto* item = new TMenuItem(form.get());
  item->SetParentComponent(popup);
  auto* sub = new TMenuItem(form.get());
  sub->SetParentComponent(item);
  EXPECT_EQ(pages->Parent(), form.get());
  EXPECT_EQ(sheet->PageControl(), pages);
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), sheet);
  EXPECT_EQ(bar->ButtonCount(), 1);
  EXPECT_EQ(action->ActionList(), list);
  EXPECT_EQ(popup->Items()->Count(), 1);
  EXPECT_EQ(item->Items(0), sub);
  EXPECT_EQ(sub->GetParentMenu(), popup);
}

TEST(OwnerAndParent, AControlCannotBecomeItsOwnAncestor) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* outer = Make<TPanel>(form.get(), form.get(), "Outer");
  auto* inner = Make<TPanel>(form.get(), outer, "Inner");
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(Make<TPanel>(form.get(), inner, "Deep")), EInvalidOperation);
  EXPECT_EQ(outer->Parent(), form.get());
  auto* root = Make<TMenuItem>(form.get(), nullptr, "Root");
  auto* child = Make<TMenuItem>(form.get(), nullptr, "Child");
  root->Add(child);
  EXPECT_THROW(child->Add(root), EInvalidOperation);
}

TEST(Destruction, FreeingAPanelFreesItsChildrenAndTheirOwnerForgetsThem) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* panel = Make<TPanel>(form.get(), form.get(), "Panel1");
  Make<TButton>(form.get(), panel, "Button1");
  Make<TEdit>(form.get(), panel, "Edit1");
  EXPECT_EQ(form->ComponentCount(), 3);
  delete panel;
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->FindComponent("Button1"), nullptr);
}

TEST(Destruction, FreeingAChildLeavesItsParentsList) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* panel = Make<TPanel>(form.get(), form.get(), "Panel1");
  auto* button = Make<TButton>(form.get(), panel, "Button1");
  form->SetActiveControl(button);
  delete button;
  EXPECT_EQ(panel->ControlCount(), 0);
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST(Destruction, AWholeFormWithEveryKindOfComponentGoesCleanly) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* frame = Make<TFrame>(form.get(), form.get(), "Frame1");
  Make<TButton>(frame, frame, "FrameButton");
  auto* pages = Make<TPageControl>(form.get(), form.get(), "Pages");
  auto* sheet = Make<TTabSheet>(form.get(), pages, "Sheet1");
  Make<TMemo>(form.get(), sheet, "Memo1");
  Make<TTabSheet>(form.get(), pages, "Sheet2");
  auto* bar = Make<TToolBar>(form.get(), form.get(), "Bar");
  auto* popup = Make<TPopupMenu>(form.get(), nullptr, "Popup");
  auto* tb = Make<TToolButton>(form.get(), bar, "Tb");
  tb->SetDropdownMenu(popup);
  auto* tree = Make<TTreeView>(form.get(), form.get(), "Tree");
  tree->SetSelected(tree->Items()->AddChild(tree->Items()->Add(nullptr, "root"), "child"));
  auto* lv = Make<TListView>(form.get(), form.get(), "List");
  lv->Items()->Add()->SetCaption("a");
  lv->SetSelected(lv->Items()->Items(0));
  auto* images = Make<TImageList>(form.get(), nullptr, "Images");
  lv->SetSmallImages(images);
  auto* list = Make<TActionList>(form.get(), nullptr, "Actions");
  auto* action = Make<TAction>(form.get(), nullptr, "actGo");
  action->SetActionList(list);
  Make<TButton>(form.get(), form.get(), "Go")->SetAction(action);
  auto* menu = Make<TMainMenu>(form.get(), nullptr, "Menu");
  auto* item = Make<TMenuItem>(form.get(), nullptr, "miGo");
  menu->Items()->Add(item);
  item->SetAction(action);
  form->SetMenu(menu);
  Make<TStringGrid>(form.get(), form.get(), "Grid");
  Make<TStatusBar>(form.get(), form.get(), "Status")->Panels()->Add();
  form.reset();  // ASan reports any use after free or leak
  SUCCEED();
}

TEST(Destruction, ComponentsOwnedElsewhereButParentedHereGoWithTheParent) {
  auto owner = std::make_unique<TForm>(nullptr);
  auto form = std::make_unique<TForm>(nullptr);
  auto* foreign = Make<TButton>(owner.get(), form.get(), "Foreign");
  EXPECT_EQ(owner->ComponentCount(), 1);
  form.reset();
  EXPECT_EQ(owner->ComponentCount(), 0);
  (void)foreign;
}

TEST(Destruction, DeletingTheSelectedNodeOrItemClearsTheSelection) {
  TForm form(nullptr);
  auto* tree = Make<TTreeView>(&form, &form, "Tree");
  TTreeNode* root = tree->Items()->Add(nullptr, "root");
  tree->SetSelected(tree->Items()->AddChild(root, "child"));
  tree->Items()->Delete(root);
  EXPECT_EQ(tree->Selected(), nullptr);
  // Inside an update bracket deletions are not reported node by node.
  tree->SetSelected(tree->Items()->Add(nullptr, "again"));
  tree->Items()->BeginUpdate();
  tree->Items()->Clear();
  EXPECT_EQ(tree->Selected(), nullptr);
  tree->Items()->EndUpdate();
  auto* lv = Make<TListView>(&form, &form, "List");
  lv->Items()->Add()->SetCaption("x");
  lv->SetSelected(lv->Items()->Items(0));
  lv->Items()->Delete(0);
  EXPECT_EQ(lv->Selected(), nullptr);
  EXPECT_EQ(lv->ItemFocused(), nullptr);
}

TEST(Destruction, ReferencedComponentsClearTheirReferences) {
  TForm form(nullptr);
  auto* popup = Make<TPopupMenu>(&form, nullptr, "Popup");
  auto* edit = Make<TEdit>(&form, &form, "Edit1");
  edit->SetPopupMenu(popup);
  auto* label = Make<TLabel>(&form, &form, "Label1");
  label->SetFocusControl(edit);
  auto* images = Make<TImageList>(&form, nullptr, "Images");
  auto* tree = Make<TTreeView>(&form, &form, "Tree");
  tree->SetStateImages(images);
  auto* menu = Make<TMainMenu>(&form, nullptr, "Menu");
  form.SetMenu(menu);
  delete popup;
  delete edit;
  delete images;
  delete menu;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(tree->StateImages(), nullptr);
  EXPECT_EQ(form.Menu(), nullptr);
}
