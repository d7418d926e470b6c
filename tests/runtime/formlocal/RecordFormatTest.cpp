// Saving: the record format in a language file and in the snapshot, texts
// of every kind a path can reach, frames, exclusions and nameless components.
#include "FormLocalFixture.h"

#include "host/controls/Buttons.h"
#include "runtime/AmbitUserSource.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kMainForm = R"(object MainForm: TForm
  Caption = 'Main window'
  object OKButton: TButton
    Caption = 'OK'
    Hint = 'Close the window'
  end
  object Colors: TListBox
    Items.Strings = (
      'Red'
      'Green'
      'Blue')
  end
end
)";

const char* const kFramedForm = R"(object FramedForm: TForm
  Caption = 'Address'
  inline Frame1: TFrame
    Hint = 'The address'
    object btnClear: TButton
      Caption = 'Clear'
    end
  end
  object btnOK: TButton
    Caption = 'OK'
  end
end
)";

using RecordFormat = FormLocalTest;

TAmFormLocalizer* AddLocalizer(host::TComponent* Form, std::initializer_list<const char*> Paths) {
  auto* loc = new TAmFormLocalizer(Form);
  loc->PropNames()->Clear();
  for (const char* p : Paths) loc->PropNames()->Add(p);
  return loc;
}

}  // namespace

TEST_F(RecordFormat, MainFormExampleIsWrittenByteForByteIntoTheLanguageFile) {
  auto src = MakeSource({{"German", ""}});
  auto form = ReadForm(kMainForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint", "Items"});
  loc->SetSource(src.get());
  src->SetActiveLanguage(0);
  loc->Save();
  EXPECT_EQ(Content("German"),
            "[MainForm]\r\n"
            "Caption=\"Main window\"\r\n"
            "OKButton.Caption=\"OK\"\r\n"
            "OKButton.Hint=\"Close the window\"\r\n"
            "Colors.Items=\"Red,Green,Blue\"\r\n"
            "\r\n");
}

TEST_F(RecordFormat, SnapshotHoldsTheSameRecordsEncoded) {
  auto form = ReadForm(kMainForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint", "Items"});
  host::SetStrProp(Find(form.get(), "OKButton"), "Hint", "Close\r\nthe \"window\"");
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"Main window\"", "OKButton.Caption=\"OK\"",
                                      "OKButton.Hint=\"Close\"#13#10\"the \"\"window\"\"\"",
                                      "Colors.Items=\"Red,Green,Blue\""}));
}

TEST_F(RecordFormat, SaveToBufferWithAnEmptyListDoesNothingAndSaveAllReplacesTheSnapshot) {
  auto form = ReadForm(kMainForm);
  auto* loc = AddLocalizer(form.get(), {"Caption"});
  loc->Originals()->Add("Stale=\"x\"");
  host::TStringList empty;
  loc->SaveToBuffer(&empty);
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"Stale=\"x\""});
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()), (std::vector<std::string>{"Caption=\"Main window\"", "OKButton.Caption=\"OK\""}));
}

TEST_F(RecordFormat, BlankTextsAreSkippedUnlessSaveEmptyIsSet) {
  auto form = ReadForm(kMainForm);
  auto* loc = AddLocalizer(form.get(), {"Caption"});
  host::SetStrProp(Find(form.get(), "OKButton"), "Caption", "   ");
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()), std::vector<std::string>{"Caption=\"Main window\""});
  loc->SetSaveOptions({soSaveEmpty});
  host::SetStrProp(form.get(), "Caption", "");
  loc->SaveAllToBuffer();
  // A path the object does not publish has no value, which now counts too.
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"\"", "OKButton.Caption=\"   \"", "Colors.Caption=\"\""}));
}

TEST_F(RecordFormat, NamelessComponentsGiveNoRecordEvenWithSaveEmpty) {
  auto form = ReadForm(kMainForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint"});
  auto* nameless = new host::TButton(form.get());
  nameless->SetCaption("Nameless");
  loc->SetSaveOptions({soSaveEmpty});
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"Main window\"", "Hint=\"\"", "OKButton.Caption=\"OK\"",
                                      "OKButton.Hint=\"Close the window\"", "Colors.Caption=\"\"",
                                      "Colors.Hint=\"\""}));
  // Nor does a source ever see an empty record name.
  TAmUserLanguageSource src(nullptr);
  host::TStringList languages;
  languages.Add("German=de");
  src.SetLanguages(&languages);
  std::vector<std::string> saved;
  src.SetOnSaveString([&](host::TObject*, const std::string& name, const std::string&) { saved.push_back(name); });
  loc->SetSource(&src);
  src.SetActiveLanguage(0);
  loc->Save();
  EXPECT_EQ(saved, (std::vector<std::string>{"Caption", "Hint", "OKButton.Caption", "OKButton.Hint", "Colors.Caption",
                                              "Colors.Hint"}));
}

TEST_F(RecordFormat, NestedObjectsAreFollowedAlongThePath) {
  auto form = ReadForm(R"(object Form1: TForm
  object btnOK: TButton
    Font.Name = 'Arial'
    ParentFont = False
  end
end
)");
  auto* loc = AddLocalizer(form.get(), {"Font.Name", "Font.Color", "Font", "Width"});
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()), (std::vector<std::string>{"Font.Name=\"Tahoma\"", "btnOK.Font.Name=\"Arial\""}));
}

TEST_F(RecordFormat, StringListsTreeNodesCollectionsAndNestedObjectsAreRead) {
  auto form = ReadForm(R"(object Form1: TForm
  object Notes: TMemo
    Lines.Strings = (
      'First line'
      'Second, with comma')
  end
  object Topics: TTreeView
    Items.Nodes = <
      item
        Text = 'Getting started'
        Nodes = <
          item
            Text = 'Install'
          end>
      end
      item
        Text = ''
      end>
  end
  object Files: TListView
    Columns = <
      item
        Caption = 'Name'
      end
      item
        Caption = 'Last opened'
      end>
  end
end
)");
  auto* loc = AddLocalizer(form.get(), {"Lines", "Items", "Columns.Caption"});
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Notes.Lines=\"\"\"First line\"\",\"\"Second, with comma\"\"\"",
                                      "Topics.Items=\"\"\"Getting started\"\",Install,\"",
                                      "Files.Columns.Caption=\"Name,\"\"Last opened\"\"\""}));
}

TEST_F(RecordFormat, FramesAreDescendedOnlyWithIncludeFrames) {
  auto src = MakeSource({{"German", ""}});
  auto form = ReadForm(kFramedForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint"});
  loc->SetSource(src.get());
  src->SetActiveLanguage(0);
  loc->Save();
  EXPECT_EQ(Content("German"),
            "[FramedForm]\r\nCaption=\"Address\"\r\nFrame1.Hint=\"The address\"\r\nbtnOK.Caption=\"OK\"\r\n\r\n");
  loc->SetSaveOptions({soIncludeFrames});
  loc->Save();
  EXPECT_EQ(Content("German"),
            "[FramedForm]\r\nCaption=\"Address\"\r\nFrame1.Hint=\"The address\"\r\nbtnOK.Caption=\"OK\"\r\n"
            "Frame1.btnClear.Caption=\"Clear\"\r\n\r\n");
}

TEST_F(RecordFormat, TheSnapshotAlwaysCoversFrames) {
  // Records under a frame are applied with or without the option, so the
  // designed texts they replace must be in the snapshot either way.
  auto form = ReadForm(kFramedForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint"});
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"Address\"", "Frame1.Hint=\"The address\"",
                                      "Frame1.btnClear.Caption=\"Clear\"", "btnOK.Caption=\"OK\""}));
}

TEST_F(RecordFormat, AFrameWithALocalizerOfItsOwnIsLeftToIt) {
  auto src = MakeSource({{"German",
                          "[FramedForm]\r\nCaption=\"Adresse\"\r\n\r\n"
                          "[Frame1]\r\nbtnClear.Caption=\"Leeren\"\r\n\r\n"}});
  auto form = ReadForm(kFramedForm);
  // Bound first, as streaming binds it: the frame is read before the form's
  // localizer, which goes last.
  AddLocalizer(Find(form.get(), "Frame1"), {"Caption"})->SetSource(src.get());
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint"});
  loc->SetSource(src.get());
  src->SetActiveLanguage(0);
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Adresse");
  EXPECT_EQ(Str(form.get(), "Frame1.btnClear", "Caption"), "Leeren");
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"Address\"", "Frame1.Hint=\"The address\"", "btnOK.Caption=\"OK\""}));
  src->SetActiveLanguage(-1);
  EXPECT_EQ(Str(form.get(), "", "Caption"), "Address");
  EXPECT_EQ(Str(form.get(), "Frame1.btnClear", "Caption"), "Clear");
}

TEST_F(RecordFormat, AnExcludedFrameKeepsItsComponentsWhenSaving) {
  auto form = ReadForm(kFramedForm);
  auto* loc = AddLocalizer(form.get(), {"Caption", "Hint"});
  loc->Excluded()->Add("Frame1");
  loc->Excluded()->Add("btnOK");
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Caption=\"Address\"", "Frame1.btnClear.Caption=\"Clear\""}));
  loc->Excluded()->Clear();
  loc->Excluded()->Add("Frame1.btnClear");
  loc->Excluded()->Add("FramedForm");
  loc->SaveAllToBuffer();
  EXPECT_EQ(Lines(loc->Originals()),
            (std::vector<std::string>{"Frame1.Hint=\"The address\"", "btnOK.Caption=\"OK\""}));
}
