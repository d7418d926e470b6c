// Dependencies: a property takes the record of another property (a control's
// caption the record of its action's caption) only when both hold the same
// text; chains are followed, cycles and dead ends leave the own record.
#include "FormLocalFixture.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kActionForm = R"(object Form1: TForm
  object ActionList1: TActionList
    object actOpen: TAction
      Caption = '&Open...'
      Hint = 'Open a document'
    end
    object actEmpty: TAction
    end
  end
  object btnOpen: TButton
    Action = actOpen
  end
  object btnBlank: TButton
    Action = actEmpty
  end
  object btnOther: TButton
    Caption = 'Other'
  end
end
)";

struct Dependencies : FormLocalTest {
  std::unique_ptr<host::TComponent> form = ReadForm(kActionForm);
  TAmFormLocalizer* loc = new TAmFormLocalizer(form.get());

  std::vector<std::string> Snapshot(std::initializer_list<const char*> DependencyLines) {
    loc->Dependencies()->Clear();
    for (const char* d : DependencyLines) loc->Dependencies()->Add(d);
    loc->SaveAllToBuffer();
    return Lines(loc->Originals());
  }
};

}  // namespace

TEST_F(Dependencies, AControlShowingItsActionsCaptionIsSavedOnceUnderTheAction) {
  loc->PropNames()->Clear();
  loc->PropNames()->Add("Caption");
  EXPECT_EQ(Snapshot({"Caption=Action.Caption"}),
            (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "btnOther.Caption=\"Other\""}));
  // Without the dependency every control has its own record.
  EXPECT_EQ(Snapshot({}), (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "btnOpen.Caption=\"&Open...\"",
                                                     "btnOther.Caption=\"Other\""}));
}

TEST_F(Dependencies, AControlWhoseTextDiffersFromTheTargetKeepsItsOwnRecord) {
  host::SetStrProp(Find(form.get(), "btnOpen"), "Caption", "Open it");
  EXPECT_EQ(Snapshot({"Caption=Action.Caption", "Hint=Action.Hint"}),
            (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "actOpen.Hint=\"Open a document\"",
                                      "btnOpen.Caption=\"Open it\"", "btnOther.Caption=\"Other\""}));
}

TEST_F(Dependencies, ChainsAreFollowedToTheirEnd) {
  loc->PropNames()->Clear();
  loc->PropNames()->Add("Caption");
  EXPECT_EQ(Snapshot({"Caption=Alias", "Alias=Action.Caption"}),
            (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "btnOther.Caption=\"Other\""}));
}

TEST_F(Dependencies, ACycleLeavesThePropertyItsOwnName) {
  loc->PropNames()->Clear();
  loc->PropNames()->Add("Caption");
  EXPECT_EQ(Snapshot({"Caption=Alias", "Alias=Caption"}),
            (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "btnOpen.Caption=\"&Open...\"",
                                      "btnOther.Caption=\"Other\""}));
  EXPECT_EQ(Snapshot({"Caption=Caption"}),
            (std::vector<std::string>{"actOpen.Caption=\"&Open...\"", "btnOpen.Caption=\"&Open...\"",
                                      "btnOther.Caption=\"Other\""}));
}

TEST_F(Dependencies, DeadEndsAndEmptyPathsLeaveTheOwnRecord) {
  loc->PropNames()->Clear();
  loc->PropNames()->Add("Caption");
  const std::vector<std::string> own{"actOpen.Caption=\"&Open...\"", "btnOpen.Caption=\"&Open...\"",
                                     "btnOther.Caption=\"Other\""};
  EXPECT_EQ(Snapshot({"Caption=NoSuchProperty.Caption"}), own);
  EXPECT_EQ(Snapshot({"Caption=Width.Caption"}), own);
  EXPECT_EQ(Snapshot({"Caption="}), own);
}

TEST_F(Dependencies, AnEmptyTargetTakesOverUnlessIgnoreDependencyIfEmpty) {
  loc->PropNames()->Clear();
  loc->PropNames()->Add("Caption");
  loc->SetSaveOptions({soSaveEmpty});
  auto records = Snapshot({"Caption=Action.Caption"});
  EXPECT_NE(std::find(records.begin(), records.end(), "actEmpty.Caption=\"\""), records.end());
  EXPECT_EQ(std::find(records.begin(), records.end(), "btnBlank.Caption=\"\""), records.end());
  loc->SetSaveOptions({soSaveEmpty, soIgnoreDependencyIfEmpty});
  records = Snapshot({"Caption=Action.Caption"});
  EXPECT_NE(std::find(records.begin(), records.end(), "btnBlank.Caption=\"\""), records.end());
  // A full dependency is not affected by the option.
  EXPECT_EQ(std::find(records.begin(), records.end(), "btnOpen.Caption=\"&Open...\""), records.end());
}

TEST_F(Dependencies, AnActionOnAnotherFormIsNotATargetOfThisForm) {
  auto other = ReadForm(R"(object Form2: TForm
  object btnHelp: TButton
    Action = Form1.actOpen
  end
end
)");
  ASSERT_EQ(Str(other.get(), "btnHelp", "Caption"), "&Open...");
  auto* loc2 = new TAmFormLocalizer(other.get());
  loc2->PropNames()->Clear();
  loc2->PropNames()->Add("Caption");
  loc2->Dependencies()->Add("Caption=Action.Caption");
  loc2->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc2->Originals()), std::vector<std::string>{"btnHelp.Caption=\"&Open...\""});
}
