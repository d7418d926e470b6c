// Saving into a source: section selection, the saving events with their
// veto, ClearBeforeSave, frames saved twice, refused writes.
#include "FormLocalFixture.h"

#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kForm = R"(object Form1: TForm
  Caption = 'Form one'
  inline Frame1: TFrame
    Hint = 'Frame hint'
    object btnInner: TButton
      Caption = 'Inner'
    end
  end
  object ActionList1: TActionList
    object actGo: TAction
      Caption = 'Go'
    end
  end
  object btnOK: TButton
    Caption = 'OK'
    Hint = 'Close'
  end
  object btnGo: TButton
    Action = actGo
  end
end
)";

// An event-driven source that logs what reaches the store.
struct LoggingSource {
  TAmUserLanguageSource source{nullptr};
  ambit_test::Log log;
  LoggingSource() {
    host::TStringList languages;
    languages.Add("German=de");
    source.SetLanguages(&languages);
    source.SetOnSetFormSection([this](host::TObject*, const std::string& s) { log.push_back("section " + s); });
    source.SetOnClear([this](host::TObject*) { log.push_back("clear"); });
    source.SetOnSaveString([this](host::TObject*, const std::string& n, const std::string& v) {
      log.push_back(n + "=" + v);
    });
  }
  std::vector<std::string> Saved() const {
    std::vector<std::string> out;
    for (const auto& l : log)
      if (l.rfind("section ", 0) != 0 && l != "clear") out.push_back(l);
    return out;
  }
};

struct SavingEvents : FormLocalTest {
  std::unique_ptr<host::TComponent> form = ReadForm(kForm);
  TAmFormLocalizer* loc = new TAmFormLocalizer(form.get());
  LoggingSource store;
  void SetUp() override {
    loc->SetSource(&store.source);
    store.source.SetActiveLanguage(0);
    store.source.SetFormSection("");
    store.log.clear();
  }
};

}  // namespace

TEST_F(SavingEvents, SelectsTheSectionOnceAndHandsPlainTextsToTheSource) {
  host::SetStrProp(Find(form.get(), "btnOK"), "Hint", "Close\r\nnow");
  loc->Save();
  EXPECT_EQ(store.log, (ambit_test::Log{"section Form1", "Caption=Form one", "Frame1.Hint=Frame hint",
                                        "actGo.Caption=Go", "btnOK.Caption=OK", "btnOK.Hint=Close\r\nnow",
                                        "btnGo.Caption=Go"}));
}

TEST_F(SavingEvents, SaveAsWritesIntoTheGivenSection) {
  loc->SaveAs("Other");
  ASSERT_FALSE(store.log.empty());
  EXPECT_EQ(store.log.front(), "section Other");
}

TEST_F(SavingEvents, ClearBeforeSaveEmptiesTheFormsSectionFirst) {
  loc->SetClearBeforeSave(true);
  store.source.SetFormSection("Elsewhere");
  store.log.clear();
  loc->Save();
  ASSERT_GE(store.log.size(), 3u);
  EXPECT_EQ(store.log[0], "section Form1");
  EXPECT_EQ(store.log[1], "clear");
  EXPECT_EQ(store.log[2], "Caption=Form one");
}

TEST_F(SavingEvents, NothingIsWrittenWithoutAnActiveLanguageOrASource) {
  store.source.SetActiveLanguage(-1);
  store.log.clear();
  loc->Save();
  EXPECT_TRUE(store.Saved().empty());
  loc->SetSource(nullptr);
  store.source.SetActiveLanguage(0);
  store.log.clear();
  loc->Save();
  EXPECT_TRUE(store.log.empty());
}

TEST_F(SavingEvents, AHandlerMayChangeTheTextButNeverTheName) {
  loc->SetOnPropertySaving([](host::TObject*, host::TPersistent*, const std::string& path, std::string& value, bool&) {
    value = "[" + path + "] " + value;
  });
  std::vector<std::string> saved;
  loc->SetOnPropertySaved([&](host::TObject* sender, host::TPersistent* obj, const std::string& path,
                              const std::string& value) {
    EXPECT_EQ(sender, loc);
    saved.push_back(host::As<host::TComponent>(obj)->Name() + " " + path + " " + value);
  });
  loc->Save();
  const auto records = store.Saved();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front(), "Caption=[Caption] Form one");
  // The events see the object being saved, not the action it depends on.
  loc->Dependencies()->Add("Caption=Action.Caption");
  saved.clear();
  loc->Save();
  EXPECT_NE(std::find(saved.begin(), saved.end(), "btnGo Caption [Caption] Go"), saved.end());
}

TEST_F(SavingEvents, AVetoStopsTheRestOfThatObjectOnly) {
  loc->SetOnPropertySaving([](host::TObject*, host::TPersistent* obj, const std::string& path, std::string&,
                              bool& allow) {
    if (host::As<host::TComponent>(obj)->Name() == "btnOK" && path == "Caption") allow = false;
  });
  loc->Save();
  EXPECT_EQ(store.Saved(), (std::vector<std::string>{"Caption=Form one", "Frame1.Hint=Frame hint", "actGo.Caption=Go",
                                                     "btnGo.Caption=Go"}));
}

TEST_F(SavingEvents, WithIncludeFramesAFramesOwnPropertiesAreSavedTwice) {
  loc->SetSaveOptions({soIncludeFrames});
  int frameHints = 0;
  loc->SetOnPropertySaving([&](host::TObject*, host::TPersistent* obj, const std::string& path, std::string&, bool&) {
    if (host::As<host::TComponent>(obj)->Name() == "Frame1" && path == "Hint") ++frameHints;
  });
  loc->Save();
  EXPECT_EQ(frameHints, 2);
  const auto records = store.Saved();
  EXPECT_NE(std::find(records.begin(), records.end(), "Frame1.btnInner.Caption=Inner"), records.end());
}

TEST_F(SavingEvents, ARefusingSourceStopsTheSaveWithItsError) {
  TAmCustomLanguageSource readOnly(nullptr);
  host::TStringList languages;
  languages.Add("German=de");
  readOnly.SetLanguages(&languages);
  readOnly.SetActiveLanguage(0);
  loc->SetSource(&readOnly);
  try {
    loc->Save();
    FAIL() << "expected the read-only error";
  } catch (const EAmbitError& e) {
    EXPECT_STREQ(e.what(), sCannotWriteToReadOnly);
  }
  loc->SetSource(nullptr);
}
