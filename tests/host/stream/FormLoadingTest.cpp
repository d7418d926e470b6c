// The loading protocol: states while reading, references resolved after the
// whole tree, Loaded in creation order, designing state, owner and parent,
// references into other forms.
#include <gtest/gtest.h>

#include "StreamFixtures.h"
#include "host/stream/FormStream.h"

using namespace host;
using namespace streamtest;

namespace {

class FormLoading : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    LoadLog().clear();
  }
};

TReadOptions TestOptions() {
  TReadOptions o;
  o.RootClass = "TTestForm";
  o.FrameClass = "TTestFrame";
  return o;
}

const char* const kForm =
    "object Main: TMainWindow\n"
    "  Caption = 'Main'\n"
    "  object OK: TTestButton\n"
    "    Caption = 'OK'\n"
    "    Action = actClose\n"  // declared further down: resolved at the end
    "  end\n"
    "  object Panel1: TTestPanel\n"
    "    object Inner: TTestButton\n"
    "      Caption = 'Inner'\n"
    "    end\n"
    "  end\n"
    "  inline Frame1: TContactFrame\n"
    "    object FrameButton: TTestButton\n"
    "      Caption = 'On frame'\n"
    "      Action = actLocal\n"
    "    end\n"
    "    object actLocal: TTestAction\n"
    "    end\n"
    "  end\n"
    "  object actClose: TTestAction\n"
    "    Caption = 'Close'\n"
    "  end\n"
    "end\n";

TEST_F(FormLoading, LoadedRunsOnceEachInCreationOrderAfterReferences) {
  auto root = ReadComponentText(kForm, "main.dfm", TestOptions());
  std::vector<std::string> order;
  for (const TLoadRecord& r : LoadLog()) order.push_back(r.Name);
  EXPECT_EQ(order, (std::vector<std::string>{"Main", "OK", "Panel1", "Inner", "Frame1", "FrameButton", "actLocal",
                                             "actClose"}));
  for (const TLoadRecord& r : LoadLog()) {
    EXPECT_TRUE(r.WasLoading) << r.Name << " must still be loading when Loaded runs";
    EXPECT_FALSE(r.WasReading) << r.Name << " is read completely before Loaded";
  }
  EXPECT_TRUE(LoadLog()[1].HadAction) << "the forward reference was resolved before Loaded";
  for (TComponent* c : root->ComponentList()) EXPECT_FALSE(c->IsLoading() || c->IsReading()) << c->Name();
  EXPECT_FALSE(root->IsLoading() || root->IsReading());
}

TEST_F(FormLoading, PropertiesAreAssignedWhileLoadingAndReading) {
  auto root = ReadComponentText(kForm, "main.dfm", TestOptions());
  auto* ok = dynamic_cast<TTestControl*>(root->FindComponent("OK"));
  EXPECT_TRUE(ok->CaptionState().Contains(csLoading));
  EXPECT_TRUE(ok->CaptionState().Contains(csReading));
  EXPECT_FALSE(ok->CaptionState().Contains(csDesigning));
}

TEST_F(FormLoading, DesigningIsSetBeforePropertiesWhenAsked) {
  TReadOptions options = TestOptions();
  options.Designing = true;
  auto root = ReadComponentText(kForm, "main.dfm", options);
  EXPECT_TRUE(root->IsDesigning());
  auto* frame = root->FindComponent("Frame1");
  auto* onFrame = dynamic_cast<TTestControl*>(frame->FindComponent("FrameButton"));
  EXPECT_TRUE(onFrame->IsDesigning());
  EXPECT_TRUE(onFrame->CaptionState().Contains(csDesigning));
  EXPECT_TRUE(dynamic_cast<TTestControl*>(root.get())->CaptionState().Contains(csDesigning));
}

TEST_F(FormLoading, OwnerIsTheFormOrTheFrameParentIsTheContainer) {
  auto root = ReadComponentText(kForm, "main.dfm", TestOptions());
  auto* panel = dynamic_cast<TTestControl*>(root->FindComponent("Panel1"));
  auto* inner = dynamic_cast<TTestControl*>(root->FindComponent("Inner"));
  ASSERT_NE(inner, nullptr) << "a button on a panel is owned by the form";
  EXPECT_EQ(inner->Owner(), root.get());
  EXPECT_EQ(inner->Parent(), panel);

  auto* frame = dynamic_cast<TTestFrame*>(root->FindComponent("Frame1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FormClassName(), "TContactFrame");
  EXPECT_EQ(root->FindComponent("FrameButton"), nullptr) << "the frame owns what is placed on it";
  auto* onFrame = dynamic_cast<TTestButton*>(frame->FindComponent("FrameButton"));
  ASSERT_NE(onFrame, nullptr);
  EXPECT_EQ(onFrame->Owner(), frame);
  EXPECT_EQ(onFrame->Parent(), frame);
  // Names inside a frame resolve in the frame first.
  EXPECT_EQ(onFrame->Action(), frame->FindComponent("actLocal"));
  EXPECT_EQ(dynamic_cast<TTestForm*>(root.get())->FormClassName(), "TMainWindow");
}

TEST_F(FormLoading, ReferencesIntoAnotherLoadedForm) {
  auto other = ReadComponentText(
      "object OtherForm: TTestForm\n"
      "  object Table1: TTestAction\n"
      "  end\n"
      "end\n",
      "other.dfm");
  const int id = RegisterFindGlobalComponentProc([&](std::string_view name) -> TComponent* {
    return SameText(name, other->Name()) ? other.get() : nullptr;
  });
  auto main = ReadComponentText(
      "object Main: TTestForm\n"
      "  object B: TTestButton\n"
      "    Action = OtherForm.Table1\n"
      "  end\n"
      "end\n",
      "main.dfm");
  auto* b = dynamic_cast<TTestButton*>(main->FindComponent("B"));
  EXPECT_EQ(b->Action(), other->FindComponent("Table1"));
  // Written back under the other form's name, and read again to the same.
  const std::string text = WriteComponentText(*main);
  EXPECT_NE(text.find("Action = OtherForm.Table1"), std::string::npos) << text;
  auto again = ReadComponentText(text, "again.dfm");
  EXPECT_EQ(dynamic_cast<TTestButton*>(again->FindComponent("B"))->Action(), other->FindComponent("Table1"));
  // The other form going away drops the link.
  main.reset();
  again.reset();
  other.reset();
  UnRegisterFindGlobalComponentProc(id);
}

TEST_F(FormLoading, ReferencesIntoAFrameFromTheForm) {
  auto root = ReadComponentText(
      "object Main: TTestForm\n"
      "  object B: TTestButton\n"
      "    Target = Frame1.Inside\n"
      "  end\n"
      "  inline Frame1: TTestFrame\n"
      "    object Inside: TTestButton\n"
      "      Target = Main.B\n"
      "    end\n"
      "  end\n"
      "end\n",
      "main.dfm");
  auto* b = dynamic_cast<TTestButton*>(root->FindComponent("B"));
  TComponent* frame = root->FindComponent("Frame1");
  auto* inside = dynamic_cast<TTestButton*>(frame->FindComponent("Inside"));
  EXPECT_EQ(b->Target(), inside);
  EXPECT_EQ(inside->Target(), b);
  const std::string text = WriteComponentText(*root);
  EXPECT_NE(text.find("Target = Frame1.Inside"), std::string::npos) << text;
  EXPECT_NE(text.find("Target = Main.B"), std::string::npos) << text;
}

TEST_F(FormLoading, RootOwnedByTheGivenOwnerGetsAUniqueName) {
  TComponent app(nullptr);
  TComponent* first = ReadComponentText("object Main: TTestForm\nend\n", "a.dfm", app);
  TComponent* second = ReadComponentText("object Main: TTestForm\nend\n", "b.dfm", app);
  EXPECT_EQ(first->Owner(), &app);
  EXPECT_EQ(first->Name(), "Main");
  EXPECT_EQ(second->Name(), "Main_1");
}

TEST_F(FormLoading, ASecondCopyOfAFormRefersToItselfNotToTheFirst) {
  TComponent app(nullptr);
  const char* const text =
      "object Main: TTestForm\n"
      "  object B: TTestButton\n"
      "    Target = Main\n"
      "  end\n"
      "  inline Frame1: TTestFrame\n"
      "    object Inside: TTestButton\n"
      "      Target = Main.B\n"
      "    end\n"
      "  end\n"
      "end\n";
  TComponent* first = ReadComponentText(text, "a.dfm", app);
  TComponent* second = ReadComponentText(text, "b.dfm", app);
  ASSERT_EQ(second->Name(), "Main_1");
  auto* b = dynamic_cast<TTestButton*>(second->FindComponent("B"));
  auto* inside = dynamic_cast<TTestButton*>(second->FindComponent("Frame1")->FindComponent("Inside"));
  EXPECT_EQ(b->Target(), second);
  EXPECT_EQ(inside->Target(), b);
  EXPECT_NE(inside->Target(), first->FindComponent("B"));
  EXPECT_EQ(app.ComponentCount(), 2);
}

TEST_F(FormLoading, ReadIntoAnExistingRoot) {
  TTestForm form(nullptr);
  ReadComponentInto(form,
                    "object Designed: TDesignedForm\n"
                    "  Caption = 'Designed'\n"
                    "  object B: TTestButton\n"
                    "  end\n"
                    "end\n",
                    "designed.dfm");
  EXPECT_EQ(form.Name(), "Designed");
  EXPECT_EQ(form.FormClassName(), "TDesignedForm");
  EXPECT_EQ(form.Caption(), "Designed");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_FALSE(form.IsLoading());
}

TEST_F(FormLoading, InheritedBlocksFillExistingComponents) {
  TTestForm form(nullptr);
  auto* existing = new TTestButton(&form);
  existing->SetName("Ancestral");
  ReadComponentInto(form,
                    "object F: TTestForm\n"
                    "  inherited Ancestral: TTestButton\n"
                    "    Caption = 'From the file'\n"
                    "  end\n"
                    "end\n",
                    "inherited.dfm");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(existing->Caption(), "From the file");
}

TEST_F(FormLoading, AFailedReadLeavesNoExistingComponentLoading) {
  TTestForm form(nullptr);
  auto* existing = new TTestButton(&form);
  existing->SetName("Ancestral");
  EXPECT_THROW(ReadComponentInto(form,
                                 "object F: TTestForm\n"
                                 "  inherited Ancestral: TTestButton\n"
                                 "    Caption = 'From the file'\n"
                                 "  end\n"
                                 "  object B: TNoSuchClass\n"
                                 "  end\n"
                                 "end\n",
                                 "broken.dfm"),
               EReadError);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_FALSE(existing->IsLoading());
  EXPECT_FALSE(existing->IsReading());
  EXPECT_FALSE(form.IsLoading());
}

}  // namespace
