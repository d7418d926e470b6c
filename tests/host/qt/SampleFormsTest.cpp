// The sample project's forms as real windows: a language switch is seen on
// the widgets of every open form at once, right-to-left included, and
// going back to the original language restores the designed texts. Every
// form is rendered in every language to PNGs under the build folder.
#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

#include "host/controls/Application.h"
#include "host/controls/ComCtrlsAll.h"
#include "host/controls/ListControls.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/StdRegister.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtMenuPeer.h"
#include "host/qt/QtRender.h"
#include "host/stream/FormProject.h"
#include "runtime/AmFormLocal.h"
#include "runtime/AmbitRegister.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

const std::string SampleDir = std::string(AMBIT_SOURCE_DIR) + "/examples/sample";

// The sample project loaded as the sample application loads it.
struct TSampleFixture : ::testing::Test {
  std::unique_ptr<TFormProject> Project;
  ambit::TAmCustomLanguageSource* Source = nullptr;

  void SetUp() override {
    RegisterStandardControls();
    ambit::RegisterAmbitClasses();
    Project = TFormProject::LoadFromFile(SampleDir + "/Sample.amproj");
    Project->LoadForms();
    for (TComponent* form : Project->Forms())
      for (TComponent* c : form->ComponentList())
        if (!Source) Source = As<ambit::TAmCustomLanguageSource>(c);
    ASSERT_NE(Source, nullptr) << "the sample's main form holds a language source";
    ASSERT_GE(Source->Languages()->Count(), 3);
    if (auto* files = As<ambit::TAmFileLanguageSource>(Source))
      files->SetOnGetFileName([](TObject*, std::string& FileName) {
        if (std::filesystem::path(FileName).is_relative()) FileName = SampleDir + "/" + FileName;
      });
    Source->SetActiveLanguage(-1);
  }
  void TearDown() override {
    Project.reset();
    Flush();
  }
  TCustomForm* Form(const std::string& Name) const { return As<TCustomForm>(Project->FindForm(Name)); }
  template <class T>
  T* Find(const std::string& FormName, const std::string& Name) const {
    return As<T>(FindNested(Form(FormName), Name));
  }
  static TComponent* FindNested(TComponent* Owner, const std::string& Name) {
    if (TComponent* c = Owner->FindComponent(Name)) return c;
    for (TComponent* c : Owner->ComponentList())
      if (TComponent* found = FindNested(c, Name)) return found;
    return nullptr;
  }
  int LanguageIndex(const std::string& Name) const {
    for (int i = 0; i < Source->Languages()->Count(); ++i)
      if (Source->GetLanguageName(i) == Name || Source->Languages()->Names(i) == Name) return i;
    return -2;
  }
  // The first language whose settings read right to left.
  int RightToLeftLanguage() const {
    for (int i = 0; i < Source->Languages()->Count(); ++i) {
      Source->SetActiveLanguage(i);
      const bool rtl = Form("MainForm")->BiDiMode() == bdRightToLeft;
      Source->SetActiveLanguage(-1);
      if (rtl) return i;
    }
    return -1;
  }
};

TEST_F(TSampleFixture, ALanguageSwitchChangesTheWidgetsOfEveryOpenForm) {
  TCustomForm* main = Form("MainForm");
  TCustomForm* contacts = Form("ContactsForm");
  main->Show();
  contacts->Show();
  auto* mainWindow = dynamic_cast<TQtFormPeer*>(main->Peer())->Window();
  auto* contactsWindow = dynamic_cast<TQtFormPeer*>(contacts->Peer())->Window();
  const QString mainTitle = mainWindow->windowTitle();
  const QString contactsTitle = contactsWindow->windowTitle();
  auto* colors = Find<TListBox>("MainForm", "lbColors");
  ASSERT_NE(colors, nullptr);
  auto* colorsWidget = WidgetAs<QListWidget>(colors);
  const QString firstColor = colorsWidget->item(0)->text();
  const int german = LanguageIndex("German");
  ASSERT_GE(german, 0);
  Source->SetActiveLanguage(german);
  // Both windows show the model's new texts, and they are new.
  EXPECT_EQ(mainWindow->windowTitle(), ToQ(main->Caption()));
  EXPECT_NE(mainWindow->windowTitle(), mainTitle);
  EXPECT_EQ(contactsWindow->windowTitle(), ToQ(contacts->Caption()));
  EXPECT_NE(contactsWindow->windowTitle(), contactsTitle);
  EXPECT_EQ(colorsWidget->item(0)->text(), ToQ(colors->Items()->Get(0)));
  EXPECT_NE(colorsWidget->item(0)->text(), firstColor);
  // The main menu's bar shows the translated captions too.
  auto* bar = dynamic_cast<TQtMenuPeer*>(main->Menu()->Peer())->MenuBar();
  ASSERT_FALSE(bar->actions().isEmpty());
  EXPECT_EQ(bar->actions()[0]->text(), ToQ(main->Menu()->Items()->Items(0)->Caption()));
  // Back to the designed texts.
  Source->SetActiveLanguage(-1);
  EXPECT_EQ(mainWindow->windowTitle(), mainTitle);
  EXPECT_EQ(contactsWindow->windowTitle(), contactsTitle);
  EXPECT_EQ(colorsWidget->item(0)->text(), firstColor);
}

TEST_F(TSampleFixture, ARightToLeftLanguageMirrorsTheWindowsAndGoingBackRestoresThem) {
  TCustomForm* main = Form("MainForm");
  TCustomForm* contacts = Form("ContactsForm");
  main->Show();
  contacts->Show();
  const int rtl = RightToLeftLanguage();
  ASSERT_GE(rtl, 0) << "the sample has a right-to-left language";
  auto* mainWindow = dynamic_cast<TQtFormPeer*>(main->Peer())->Window();
  auto* colors = TQtControlPeer::WidgetOf(Find<TListBox>("MainForm", "lbColors"));
  auto* pages = Find<TPageControl>("ContactsForm", "PageControl1");
  ASSERT_NE(pages, nullptr);
  QWidget* pagesWidget = TQtControlPeer::WidgetOf(pages);
  EXPECT_EQ(mainWindow->layoutDirection(), Qt::LeftToRight);
  Source->SetActiveLanguage(rtl);
  EXPECT_EQ(mainWindow->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(colors->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(pagesWidget->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(dynamic_cast<TQtMenuPeer*>(main->Menu()->Peer())->MenuBar()->layoutDirection(), Qt::RightToLeft);
  // The font's character set brought a family that writes the script.
  const QFont font = colors->font();
  bool writes = false;
  for (const QString& family : font.families())
    writes = writes || QFontDatabase::writingSystems(family).contains(QFontDatabase::Arabic);
  EXPECT_TRUE(writes || QFontDatabase::families(QFontDatabase::Arabic).isEmpty());
  Source->SetActiveLanguage(-1);
  EXPECT_EQ(mainWindow->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(colors->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(pagesWidget->layoutDirection(), Qt::LeftToRight);
}

TEST_F(TSampleFixture, EveryFormRendersInEveryLanguage) {
  const QString dir = QStringLiteral(AMBIT_RENDER_DIR);
  ASSERT_TRUE(QDir().mkpath(dir));
  std::vector<std::string> names{Source->OriginalName()};
  for (int i = 0; i < Source->Languages()->Count(); ++i) names.push_back(Source->GetLanguageName(i));
  int written = 0;
  for (int language = -1; language < Source->Languages()->Count(); ++language) {
    Source->SetActiveLanguage(language);
    const std::string languageName = names[static_cast<std::size_t>(language + 1)];
    for (TComponent* c : Project->Forms()) {
      auto* form = As<TCustomForm>(c);
      ASSERT_NE(form, nullptr);
      const std::string file = FromQ(dir) + "/" + form->Name() + "-" + languageName + ".png";
      std::filesystem::remove(file);
      SaveFormImage(form, file);
      QImageReader reader(ToQ(file));
      EXPECT_EQ(reader.format(), QByteArray("png")) << file;
      const QImage image = reader.read();
      ASSERT_FALSE(image.isNull()) << file;
      // The picture is the window: the client area and the menu bar.
      EXPECT_EQ(image.width(), form->ClientWidth()) << file;
      EXPECT_GE(image.height(), form->ClientHeight()) << file;
      // Something is drawn on it: more than one colour.
      const QRgb first = image.pixel(0, 0);
      bool varied = false;
      for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3) varied = image.pixel(x, y) != first;
      EXPECT_TRUE(varied) << file;
      ++written;
    }
  }
  EXPECT_EQ(written, static_cast<int>(Project->Forms().size() * names.size()));
}

}  // namespace
}  // namespace host::qt::test
