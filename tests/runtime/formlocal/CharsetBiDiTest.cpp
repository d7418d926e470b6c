// The character set and reading order of a language reach the form, its
// controls (which stop following their parents) and the screen's fonts;
// the designer keeps the form's own font.
#include "FormLocalFixture.h"

#include "host/controls/Application.h"

using namespace ambit;
using namespace formlocal_test;

namespace {

const char* const kForm = R"(object Form1: TForm
  Caption = 'Form'
  inline Frame1: TFrame
    object btnInner: TButton
      Caption = 'Inner'
    end
  end
  object Panel1: TPanel
    object btnOK: TButton
      Caption = 'OK'
    end
  end
end
)";

const char* const kArabic =
    "[General Settings]\r\nLanguageName=\"Arabic\"\r\nBiDiMode=\"1\"\r\nFontCharSet=\"ARABIC_CHARSET\"\r\n";

struct CharsetBiDi : FormLocalTest {
  std::unique_ptr<TAmLanguageSource> src;
  std::unique_ptr<host::TComponent> form;
  TAmFormLocalizer* loc = nullptr;
  void SetUp() override {
    src = MakeSource({{"Arabic", kArabic}});
    form = ReadForm(kForm);
    loc = new TAmFormLocalizer(form.get());
    loc->SetSource(src.get());
    for (host::TFont* f : ScreenFonts()) f->SetCharset(host::DEFAULT_CHARSET);
  }
  void TearDown() override {
    form.reset();
    for (host::TFont* f : ScreenFonts()) f->SetCharset(host::DEFAULT_CHARSET);
  }
  static std::vector<host::TFont*> ScreenFonts() {
    return {host::Screen()->HintFont(), host::Screen()->MenuFont(), host::Screen()->IconFont()};
  }
  host::TControl* Control(const std::string& path) {
    return path.empty() ? host::As<host::TControl>(form.get()) : host::As<host::TControl>(Find(form.get(), path));
  }
};

}  // namespace

TEST_F(CharsetBiDi, ALanguageGivesEveryControlItsCharsetAndReadingOrder) {
  src->SetActiveLanguage(0);
  for (const char* path : {"", "Frame1", "Panel1", "btnOK"}) {
    host::TControl* c = Control(path);
    EXPECT_EQ(c->Font()->Charset(), host::ARABIC_CHARSET) << path;
    EXPECT_EQ(c->BiDiMode(), host::bdRightToLeft) << path;
    EXPECT_FALSE(c->ParentBiDiMode()) << path;
    if (*path) EXPECT_FALSE(c->ParentFont()) << path;
  }
  for (host::TFont* f : ScreenFonts()) EXPECT_EQ(f->Charset(), host::ARABIC_CHARSET);
  // Components owned by a frame are left alone without soIncludeFrames.
  EXPECT_EQ(Control("Frame1.btnInner")->Font()->Charset(), host::ARABIC_CHARSET)
      << "follows its frame's font while ParentFont is set";
  EXPECT_TRUE(Control("Frame1.btnInner")->ParentFont());
}

TEST_F(CharsetBiDi, FramesAreDescendedOnlyWithIncludeFrames) {
  loc->SetSaveOptions({soIncludeFrames});
  src->SetActiveLanguage(0);
  EXPECT_FALSE(Control("Frame1.btnInner")->ParentFont());
  EXPECT_FALSE(Control("Frame1.btnInner")->ParentBiDiMode());
  EXPECT_EQ(Control("Frame1.btnInner")->BiDiMode(), host::bdRightToLeft);
}

TEST_F(CharsetBiDi, ControlsKeepTheCharsetWhenTheirParentsFontChangesLater) {
  src->SetActiveLanguage(0);
  Control("")->Font()->SetName("Courier New");
  Control("")->Font()->SetCharset(host::GREEK_CHARSET);
  EXPECT_EQ(Control("btnOK")->Font()->Charset(), host::ARABIC_CHARSET);
  EXPECT_EQ(Control("btnOK")->Font()->Name(), "Tahoma");
}

TEST_F(CharsetBiDi, NoLanguageGivesTheDefaultCharsetAndLeftToRight) {
  src->SetActiveLanguage(0);
  src->SetActiveLanguage(-1);
  for (const char* path : {"", "Panel1", "btnOK"}) {
    EXPECT_EQ(Control(path)->Font()->Charset(), host::DEFAULT_CHARSET) << path;
    EXPECT_EQ(Control(path)->BiDiMode(), host::bdLeftToRight) << path;
    EXPECT_FALSE(Control(path)->ParentBiDiMode()) << path;
  }
  EXPECT_FALSE(Control("btnOK")->ParentFont());
  for (host::TFont* f : ScreenFonts()) EXPECT_EQ(f->Charset(), host::DEFAULT_CHARSET);
}

TEST_F(CharsetBiDi, TheDesignerKeepsTheFormsOwnFontAndTheScreensFonts) {
  form->SetDesigning(true);
  src->SetActiveLanguage(0);
  EXPECT_EQ(Control("")->Font()->Charset(), host::DEFAULT_CHARSET);
  EXPECT_EQ(Control("")->BiDiMode(), host::bdRightToLeft);
  EXPECT_EQ(Control("btnOK")->Font()->Charset(), host::ARABIC_CHARSET);
  EXPECT_EQ(Control("Panel1")->BiDiMode(), host::bdRightToLeft);
  for (host::TFont* f : ScreenFonts()) EXPECT_EQ(f->Charset(), host::DEFAULT_CHARSET);
}
