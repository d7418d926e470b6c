// Applying the snapshot of the designed texts: which records apply, which
// stay, the first-record rule with and without removal, failures half-way.
#include "FormLocalFixture.h"

#include "host/controls/Buttons.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kForm = R"(object Form1: TForm
  Caption = 'Designed'
  object btnOK: TButton
    Caption = 'Now'
    Hint = 'Hint now'
  end
end
)";

struct Buffer : FormLocalTest {
  std::unique_ptr<host::TComponent> form = ReadForm(kForm);
  TAmFormLocalizer* loc = new TAmFormLocalizer(form.get());
  void Snapshot(std::initializer_list<const char*> Records) {
    loc->Originals()->Clear();
    for (const char* r : Records) loc->Originals()->Add(r);
  }
  host::TStringList Filter(std::initializer_list<const char*> Paths) {
    host::TStringList f;
    for (const char* p : Paths) f.Add(p);
    return f;
  }
};

}  // namespace

TEST_F(Buffer, AppliesTheFilteredRecordsAndKeepsTheRestInOrder) {
  Snapshot({"ghost.Caption=\"G\"", "btnOK.Caption=\"OK\"", "btnOK.Hint=\"Close\"#13#10\"now\"", "Caption=\"Form\"",
            "btnOK.Width=\"9\""});
  auto filter = Filter({"Caption"});
  loc->LoadFromBuffer(&filter, true);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Form");
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Hint now");
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"ghost.Caption=\"G\"", "btnOK.Hint=\"Close\"#13#10\"now\"", "btnOK.Width=\"9\""}));
  loc->LoadAllFromBuffer();
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Close\r\nnow");
  // Width is not in PropNames: it stays, as does the vanished component.
  EXPECT_EQ(Lines(loc->Originals()), (std::vector<std::string>{"ghost.Caption=\"G\"", "btnOK.Width=\"9\""}));
}

TEST_F(Buffer, WithoutRemovalEveryRecordStaysAndTheFirstOfANameWins) {
  Snapshot({"btnOK.Caption=\"First\"", "BTNOK.caption=\"Second\""});
  auto filter = Filter({"Caption"});
  loc->LoadFromBuffer(&filter, false);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "First");
  EXPECT_EQ(loc->Originals()->Count(), 2);
}

TEST_F(Buffer, WithRemovalARecordAppliedBeforeIsNoLongerFirst) {
  Snapshot({"btnOK.Caption=\"First\"", "BTNOK.caption=\"Second\""});
  std::vector<std::string> applied;
  loc->SetOnPropertyLocalized([&](host::TObject*, host::TPersistent*, const std::string&, const std::string& v) {
    applied.push_back(v);
  });
  loc->LoadAllFromBuffer();
  EXPECT_EQ(applied, (std::vector<std::string>{"First", "Second"}));
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "Second");
  EXPECT_EQ(loc->Originals()->Count(), 0);
}

TEST_F(Buffer, AnEarlierSurvivorOfTheSameNameIsStillFirst) {
  // The first ghost record cannot apply yet; applying btnOK creates ghost,
  // so the later ghost record applies with the value of the surviving one.
  Snapshot({"ghost.Caption=\"Kept\"", "btnOK.Caption=\"OK\"", "ghost.Caption=\"Later\""});
  loc->SetOnPropertyLocalizing([&](host::TObject*, host::TPersistent* obj, const std::string&, std::string&, bool&) {
    if (obj == Find(form.get(), "btnOK") && !form->FindComponent("ghost")) {
      auto* ghost = new host::TButton(form.get());
      ghost->SetName("ghost");
      ghost->SetCaption("x");
    }
  });
  loc->LoadAllFromBuffer();
  EXPECT_EQ(Str(form.get(), "ghost", "Caption"), "Kept");
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"ghost.Caption=\"Kept\""});
}

TEST_F(Buffer, AFailureKeepsWhatWasAppliedAppliedAndRemoved) {
  Snapshot({"Caption=\"Form\"", "btnOK.Caption=\"OK\"", "btnOK.Hint=\"H\""});
  loc->SetOnPropertyLocalizing([](host::TObject*, host::TPersistent*, const std::string& path, std::string&, bool&) {
    if (path == "Hint") throw std::runtime_error("refused");
  });
  EXPECT_THROW(loc->LoadAllFromBuffer(), std::runtime_error);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"btnOK.Hint=\"H\""});
}

TEST_F(Buffer, NothingHappensWithoutAFilter) {
  Snapshot({"Caption=\"Form\""});
  host::TStringList empty;
  loc->LoadFromBuffer(&empty, true);
  loc->LoadFromBuffer(nullptr, true);
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Designed");
  EXPECT_EQ(loc->Originals()->Count(), 1);
}

TEST_F(Buffer, GetObjectResolvesComponentPartsAndLeavesThePath) {
  std::string name = "btnOK.Caption";
  EXPECT_EQ(loc->GetObject(name), Find(form.get(), "btnOK"));
  EXPECT_EQ(name, "Caption");
  name = "Caption";
  EXPECT_EQ(loc->GetObject(name), form.get());
  name = "btnOK.Width";
  EXPECT_EQ(loc->GetObject(name), nullptr);
  name = "nobody.Caption";
  EXPECT_EQ(loc->GetObject(name), nullptr);
  loc->Excluded()->Add("BTNOK");
  name = "btnOK.Caption";
  EXPECT_EQ(loc->GetObject(name), nullptr);
}
