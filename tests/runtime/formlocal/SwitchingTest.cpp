// Switching languages: no language to L takes the snapshot, L1 to L2 puts
// back the designed texts L2 lacks, L back to none restores everything and
// empties the snapshot; what records can and cannot change.
#include "FormLocalFixture.h"

#include "host/controls/ListControls.h"
#include "host/controls/ListView.h"
#include "host/controls/TreeView.h"
#include "host/core/TreeNodes.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kForm = R"(object MainForm: TForm
  Caption = 'Main window'
  object btnOK: TButton
    Caption = 'OK'
    Hint = 'Close the window'
  end
  object lblName: TLabel
    Caption = 'Name'
  end
  object edName: TEdit
  end
  object lbColors: TListBox
    Items.Strings = (
      'Red'
      'Green')
  end
  object tvTopics: TTreeView
    Items.Nodes = <
      item
        Text = 'Start'
      end
      item
        Text = 'Contacts'
      end>
  end
  object lvFiles: TListView
    Columns = <
      item
        Caption = 'Name'
      end
      item
        Caption = 'Size'
      end
      item
        Caption = 'Date'
      end>
  end
end
)";

const char* const kGerman =
    "[MainForm]\r\n"
    "Caption=\"Hauptfenster\"\r\n"
    "btnOK.Caption=\"Gut\"\r\n"
    "btnOK.Hint=\"Fenster schlie\xC3\x9F" "en\"\r\n"
    "lblName.Caption=\"Name (de)\"\r\n"
    "edName.Text=\"Eingabe\"\r\n"
    "lbColors.Items=\"Rot,Gr\xC3\xBCn,Blau\"\r\n"
    "tvTopics.Items=\"Anfang,Kontakte,Extra\"\r\n"
    "lvFiles.Columns.Caption=\"Name,Gr\xC3\xB6\xC3\x9F" "e\"\r\n"
    "btnGone.Caption=\"Weg\"\r\n"
    "btnOK.Width=\"500\"\r\n";

const char* const kRussian =
    "[MainForm]\r\n"
    "btnOK.Caption=\"\xD0\x94\xD0\xB0\"\r\n";

struct Switching : FormLocalTest {
  std::unique_ptr<TAmLanguageSource> src;
  std::unique_ptr<host::TComponent> form;
  TAmFormLocalizer* loc = nullptr;
  void SetUp() override {
    src = MakeSource({{"German", kGerman}, {"Russian", kRussian}, {"Empty", ""}});
    form = ReadForm(kForm);
    loc = new TAmFormLocalizer(form.get());
    loc->PropNames()->Clear();
    for (const char* p : {"Caption", "Hint", "Text", "Items", "Columns.Caption", "Width"}) loc->PropNames()->Add(p);
    loc->SetSource(src.get());
  }
  void TearDown() override { form.reset(); }
  std::string Node(int i) { return host::As<host::TTreeView>(Find(form.get(), "tvTopics"))->Items()->Item(i)->Text(); }
  std::string Column(int i) {
    return host::As<host::TListView>(Find(form.get(), "lvFiles"))->Columns()->Items(i)->Caption();
  }
  std::vector<std::string> Items() { return Lines(host::As<host::TListBox>(Find(form.get(), "lbColors"))->Items()); }
};

}  // namespace

TEST_F(Switching, NoLanguageToLTakesTheSnapshotAndAppliesL) {
  EXPECT_EQ(loc->Originals()->Count(), 0);
  src->SetActiveLanguage(0);
  EXPECT_EQ(loc->Originals()->Values("Caption"), "\"Main window\"");
  EXPECT_EQ(loc->Originals()->Values("lbColors.Items"), "\"Red,Green\"");
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Hauptfenster");
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "Gut");
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Fenster schlie\xC3\x9F" "en");
  EXPECT_EQ(Str(form.get(), "lblName", "Caption"), "Name (de)");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Rot", "Gr\xC3\xBCn", "Blau"}));
  // Tree nodes and collection items take the entries they have a place for.
  EXPECT_EQ(Node(0), "Anfang");
  EXPECT_EQ(Node(1), "Kontakte");
  EXPECT_EQ(Column(0), "Name");
  EXPECT_EQ(Column(1), "Gr\xC3\xB6\xC3\x9F" "e");
  EXPECT_EQ(Column(2), "Date");
  // Properties of other kinds and empty texts stay as they are.
  EXPECT_NE(host::As<host::TControl>(Find(form.get(), "btnOK"))->Width(), 500);
  EXPECT_EQ(Str(form.get(), "edName", "Text"), "");
}

TEST_F(Switching, L1ToL2PutsBackTheDesignedTextsL2Lacks) {
  src->SetActiveLanguage(0);
  const auto snapshot = Lines(loc->Originals());
  src->SetActiveLanguage(1);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "\xD0\x94\xD0\xB0");
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Main window");
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Close the window");
  EXPECT_EQ(Str(form.get(), "lblName", "Caption"), "Name");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Red", "Green"}));
  EXPECT_EQ(Node(0), "Start");
  EXPECT_EQ(Column(1), "Size");
  // The snapshot stays for the next switch.
  EXPECT_EQ(Lines(loc->Originals()), snapshot);
  src->SetActiveLanguage(2);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
}

TEST_F(Switching, LBackToNoLanguageRestoresEverythingAndEmptiesTheSnapshot) {
  src->SetActiveLanguage(0);
  src->SetActiveLanguage(-1);
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Main window");
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Close the window");
  EXPECT_EQ(Str(form.get(), "lblName", "Caption"), "Name");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Red", "Green"}));
  EXPECT_EQ(Node(0), "Start");
  EXPECT_EQ(Node(1), "Contacts");
  EXPECT_EQ(Column(1), "Size");
  EXPECT_EQ(loc->Originals()->Count(), 0);
}

TEST_F(Switching, RecordsOfVanishedComponentsStayInTheSnapshot) {
  src->SetActiveLanguage(0);
  delete Find(form.get(), "lblName");
  src->SetActiveLanguage(-1);
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"lblName.Caption=\"Name\""});
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
}

TEST_F(Switching, SaveEmptyWritesIntoEmptyPropertiesAndRestoresEmptyDefaults) {
  loc->SetSaveOptions({soSaveEmpty});
  src->SetActiveLanguage(0);
  EXPECT_EQ(Str(form.get(), "edName", "Text"), "Eingabe");
  EXPECT_EQ(loc->Originals()->Values("edName.Text"), "\"\"");
  src->SetActiveLanguage(-1);
  EXPECT_EQ(Str(form.get(), "edName", "Text"), "");
}

TEST_F(Switching, AVetoInOnPropertyLocalizingKeepsOnlyThatProperty) {
  int localized = 0;
  loc->SetOnPropertyLocalizing([](host::TObject*, host::TPersistent* obj, const std::string& path, std::string& text,
                                  bool& allow) {
    if (host::As<host::TComponent>(obj)->Name() == "btnOK" && path == "Caption") allow = false;
    if (path == "Hint") text += "!";
  });
  loc->SetOnPropertyLocalized([&](host::TObject* sender, host::TPersistent*, const std::string&, const std::string&) {
    EXPECT_EQ(sender, loc);
    ++localized;
  });
  src->SetActiveLanguage(0);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Fenster schlie\xC3\x9F" "en!");
  EXPECT_EQ(Str(form.get(), "lblName", "Caption"), "Name (de)");
  EXPECT_GT(localized, 0);
}

TEST_F(Switching, AnIndexBeyondTheLanguageListActsAsNoLanguage) {
  src->SetActiveLanguage(0);
  // The list shrinks behind the source's back: only the line goes.
  src->Languages()->Delete(2);
  src->Languages()->Delete(1);
  src->Languages()->Delete(0);
  loc->Localize();
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(loc->Originals()->Count(), 0);
}

TEST_F(Switching, ExcludedComponentsAndFramesAreNotLocalized) {
  auto framed = ReadForm(R"(object Framed: TForm
  inline Frame1: TFrame
    Hint = 'Frame'
    object btnInner: TButton
      Caption = 'Inner'
    end
  end
  object btnOK: TButton
    Caption = 'OK'
  end
end
)");
  ambit_test::WriteFile(FileOf("Empty"),
                        "[Framed]\r\nFrame1.Hint=\"Rahmen\"\r\nFrame1.btnInner.Caption=\"Innen\"\r\nbtnOK.Caption=\"Gut\"\r\n");
  auto* floc = new TAmFormLocalizer(framed.get());
  floc->SetSource(src.get());
  src->SetActiveLanguage(2);
  // Records under a frame apply whether or not frames are saved.
  EXPECT_EQ(Str(framed.get(), "Frame1.btnInner", "Caption"), "Innen");
  EXPECT_EQ(Str(framed.get(), "Frame1", "Hint"), "Rahmen");
  src->SetActiveLanguage(-1);
  host::TStringList excluded;
  excluded.Add("Frame1");
  floc->SetExcluded(&excluded);
  src->SetActiveLanguage(2);
  EXPECT_EQ(Str(framed.get(), "Frame1.btnInner", "Caption"), "Inner");
  EXPECT_EQ(Str(framed.get(), "Frame1", "Hint"), "Frame");
  EXPECT_EQ(Str(framed.get(), "btnOK", "Caption"), "Gut");
  // A whole record name in the list is skipped as well.
  excluded.Clear();
  excluded.Add("btnOK.Caption");
  floc->SetExcluded(&excluded);
  src->SetActiveLanguage(-1);
  src->SetActiveLanguage(2);
  EXPECT_EQ(Str(framed.get(), "Frame1.btnInner", "Caption"), "Innen");
  EXPECT_EQ(Str(framed.get(), "btnOK", "Caption"), "OK");
}

TEST_F(Switching, ChangingPropNamesWhileTranslatedRestoresAndSnapshotsThePaths) {
  src->SetActiveLanguage(0);
  host::TStringList names;
  for (const char* p : {"Caption", "Text", "Items"}) names.Add(p);
  loc->SetPropNames(&names);
  // Hints left the list: designed texts back, records gone from the snapshot.
  EXPECT_EQ(Str(form.get(), "btnOK", "Hint"), "Close the window");
  EXPECT_EQ(loc->Originals()->IndexOfName("btnOK.Hint"), -1);
  EXPECT_EQ(Lines(loc->PropNames()), (std::vector<std::string>{"Caption", "Text", "Items"}));
  // A path that joins is snapshotted with its current, untranslated text.
  names.Add("Hint");
  host::SetStrProp(Find(form.get(), "btnOK"), "Hint", "Current hint");
  loc->SetPropNames(&names);
  EXPECT_EQ(loc->Originals()->Values("btnOK.Hint"), "\"Current hint\"");
}

TEST_F(Switching, ReplacingDependenciesOrExcludedLocalizesAtOnce) {
  host::TStringList excluded;
  excluded.Add("btnOK");
  loc->SetExcluded(&excluded);
  src->SetActiveLanguage(0);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Str(form.get(), "lblName", "Caption"), "Name (de)");
  excluded.Clear();
  loc->SetExcluded(&excluded);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "Gut");
  int localized = 0;
  loc->SetOnPropertyLocalized([&](host::TObject*, host::TPersistent*, const std::string&, const std::string&) {
    ++localized;
  });
  host::TStringList dependencies;
  dependencies.Add("Hint=Caption");
  loc->SetDependencies(&dependencies);
  EXPECT_GT(localized, 0);
  EXPECT_EQ(Lines(loc->Dependencies()), std::vector<std::string>{"Hint=Caption"});
}

TEST_F(Switching, RemovingTheSourceRestoresTheDesignedTexts) {
  src->SetActiveLanguage(0);
  src.reset();
  EXPECT_EQ(loc->Source(), nullptr);
  EXPECT_EQ(Str(form.get(), "btnOK", "Caption"), "OK");
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Main window");
}
