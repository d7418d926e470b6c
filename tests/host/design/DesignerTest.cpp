// The form designer's commands and its model of the design surface: adding
// components into the selected container, deleting, renaming, moving, and
// what a click at a point of the form hits.
#include <gtest/gtest.h>

#include "host/controls/ActnList.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/PageControl.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/design/FormDesigner.h"
#include "host/stream/FormStream.h"
#include "host/stream/FormWriter.h"
#include "tests/host/design/DesignTestClasses.h"

using namespace host;
using namespace designtest;

namespace {

class DesignerTest : public ::testing::Test {
protected:
  DesignerTest() {
    RegisterStandardControls();
    RegisterGadgets();
    Form->SetName("Form1");
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
  }
  TTestPackage Package;
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TFormDesigner Designer{Form.get()};
};

}  // namespace

TEST_F(DesignerTest, AddedComponentsGoIntoTheSelectedContainerNamedUniquelyInDesignState) {
  auto* panel = static_cast<TPanel*>(Designer.AddComponent(TPanel::StaticClass()));
  EXPECT_EQ(panel->Name(), "Panel1");
  EXPECT_EQ(panel->Parent(), Form.get());
  EXPECT_EQ(panel->Caption(), "Panel1");
  EXPECT_EQ(Designer.GetSelections(), TDesignerSelections{panel});
  // The selected panel takes the button; a second button goes beside the
  // first into the panel too, because a selected control's container is
  // its parent.
  auto* button = static_cast<TButton*>(Designer.AddComponent(TButton::StaticClass()));
  auto* second = static_cast<TButton*>(Designer.AddComponent(TButton::StaticClass()));
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(second->Parent(), panel);
  EXPECT_EQ(second->Name(), "Button2");
  EXPECT_NE(second->Left(), button->Left());
  EXPECT_TRUE(second->IsDesigning());
  EXPECT_EQ(second->Owner(), Form.get());
  // A component that is no control gets a free icon spot.
  TComponent* g1 = Designer.AddComponent(TGadget::StaticClass());
  TComponent* g2 = Designer.AddComponent(TGadget::StaticClass());
  EXPECT_NE(Designer.IconRect(g1), Designer.IconRect(g2));
  EXPECT_TRUE(Designer.IsModified());
  EXPECT_THROW(Designer.AddComponent(TComponent::StaticClass()), EDesignError);
}

TEST_F(DesignerTest, DroppingHitsTheContainerUnderThePointAndClicksFindTheInnermostControl) {
  auto* panel = static_cast<TPanel*>(Designer.CreateComponent(TPanel::StaticClass(), nullptr, 100, 50, 200, 150));
  auto* button = static_cast<TButton*>(Designer.DropComponent(TButton::StaticClass(), 130, 70));
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(button->Left(), 30);
  EXPECT_EQ(button->Top(), 20);
  EXPECT_EQ(Designer.FormBounds(button).Left, 130);
  EXPECT_EQ(Designer.ComponentAt(131, 71), button);
  EXPECT_EQ(Designer.ComponentAt(290, 190), panel);
  EXPECT_EQ(Designer.ComponentAt(10, 290), Form.get());
  TComponent* gadget = Designer.DropComponent(TGadget::StaticClass(), 320, 250);
  EXPECT_EQ(Designer.ComponentAt(321, 251), gadget);
  EXPECT_EQ(Designer.ContainerAt(131, 71), panel);
  // The structure tree follows the parents; components that are no
  // controls come after the form's controls.
  EXPECT_EQ(Designer.StructureChildren(Form.get()), (std::vector<TComponent*>{panel, gadget}));
  EXPECT_EQ(Designer.StructureChildren(panel), (std::vector<TComponent*>{button}));
  // An action list holds its actions, which show nowhere else.
  auto* actions = static_cast<TActionList*>(Designer.DropComponent(TActionList::StaticClass(), 320, 200));
  auto* action = new TAction(Form.get());
  action->SetActionList(actions);
  EXPECT_EQ(Designer.StructureChildren(actions), (std::vector<TComponent*>{action}));
}

TEST_F(DesignerTest, AClickOnAPageControlHitsTheActivePageNotTheOnesBehindIt) {
  auto* pages = static_cast<TPageControl*>(Designer.CreateComponent(TPageControl::StaticClass(), nullptr, 0, 0, 300, 200));
  auto* first = static_cast<TTabSheet*>(Designer.CreateComponent(TTabSheet::StaticClass(), pages, 0, 0));
  auto* second = static_cast<TTabSheet*>(Designer.CreateComponent(TTabSheet::StaticClass(), pages, 0, 0));
  auto* edit = Designer.CreateComponent(TEdit::StaticClass(), first, 10, 10, 100, 20);
  auto* memo = Designer.CreateComponent(TMemo::StaticClass(), second, 0, 0, 280, 160);
  pages->SetActivePage(first);
  const TRect r = Designer.FormBounds(As<TControl>(edit));
  EXPECT_EQ(Designer.ComponentAt(r.Left + 2, r.Top + 2), edit);
  EXPECT_TRUE(Designer.IsShowing(As<TControl>(edit)));
  EXPECT_FALSE(Designer.IsShowing(As<TControl>(memo)));
  pages->SetActivePage(second);
  EXPECT_EQ(Designer.ComponentAt(r.Left + 2, r.Top + 2), memo);
}

TEST_F(DesignerTest, DeletingTakesTheSelectionAndWhatItHoldsButNeverTheForm) {
  auto* panel = Designer.AddComponent(TPanel::StaticClass());
  auto* button = Designer.AddComponent(TButton::StaticClass());
  auto* store = static_cast<TGadgetStore*>(Designer.AddComponent(TGadgetStore::StaticClass()));
  auto* other = static_cast<TGadget*>(Designer.AddComponent(TGadget::StaticClass()));
  other->SetBuddy(store);
  (void)button;
  Designer.SetSelections({panel, store, Form.get()});
  Designer.DeleteSelection();
  EXPECT_EQ(Form->ComponentCount(), 1);
  EXPECT_EQ(Form->Components(0), other);
  EXPECT_EQ(other->Buddy(), nullptr);
  EXPECT_EQ(Designer.GetSelections(), TDesignerSelections{Form.get()});
}

TEST_F(DesignerTest, RenamingMovingAndIconsAreKeptByTheFormFile) {
  auto* button = static_cast<TButton*>(Designer.AddComponent(TButton::StaticClass()));
  TComponent* gadget = Designer.AddComponent(TGadget::StaticClass());
  Designer.RenameComponent(button, "OKButton");
  EXPECT_EQ(button->Caption(), "OKButton");
  EXPECT_THROW(Designer.RenameComponent(gadget, "OKButton"), EComponentError);
  EXPECT_THROW(Designer.RenameComponent(gadget, "1x"), EComponentError);
  Designer.SetControlBounds(button, 40, 30, 90, 25);
  Designer.SetIconPosition(gadget, 200, 120);
  Designer.SetSelections({button, gadget});
  Designer.MoveSelection(5, -10);
  EXPECT_EQ(button->Left(), 45);
  EXPECT_EQ(button->Top(), 20);

  const std::string text = TFormWriter().Write(*Form);
  std::unique_ptr<TComponent> copy = ReadComponentText(text, "copy.dfm");
  auto* copied = copy->FindComponent("Gadget1");
  ASSERT_NE(copied, nullptr);
  TFormDesigner second(copy.get());
  EXPECT_EQ(second.IconRect(copied), (TRect{205, 110, 205 + TFormDesigner::IconSize, 110 + TFormDesigner::IconSize}));
  EXPECT_EQ(static_cast<TButton*>(copy->FindComponent("OKButton"))->BoundsRect(), (TRect{45, 20, 135, 45}));
}

TEST_F(DesignerTest, IconsNeverPlacedFindSpotsOffTheControlsAndApartWithTheirNames) {
  // As a form file that gives no places: a panel over the top left, a
  // button to its right, three gadgets.
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientWidth(400);
  form->SetClientHeight(300);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(0, 0, 200, 120);
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetBounds(210, 8, 100, 60);
  std::vector<TComponent*> gadgets;
  for (int i = 0; i < 3; ++i) gadgets.push_back(new TGadget(form.get()));
  TFormDesigner designer(form.get());
  auto overlaps = [](const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
  };
  auto cell = [&](TComponent* C) {
    const TRect r = designer.IconRect(C);
    return TRect{r.Left, r.Top, r.Left + TFormDesigner::IconCellWidth, r.Top + TFormDesigner::IconCellHeight};
  };
  for (std::size_t i = 0; i < gadgets.size(); ++i) {
    const TRect r = cell(gadgets[i]);
    EXPECT_FALSE(overlaps(r, panel->BoundsRect())) << i;
    EXPECT_FALSE(overlaps(r, button->BoundsRect())) << i;
    EXPECT_LE(r.Right, 400) << i;
    for (std::size_t k = 0; k < i; ++k) EXPECT_FALSE(overlaps(r, cell(gadgets[k]))) << i << " " << k;
  }
  EXPECT_FALSE(designer.IsModified());
  // One added later keeps off them all as well.
  TComponent* added = designer.AddComponent(TGadget::StaticClass());
  for (TComponent* g : gadgets) EXPECT_FALSE(overlaps(cell(added), cell(g)));
  EXPECT_FALSE(overlaps(cell(added), panel->BoundsRect()));
}
