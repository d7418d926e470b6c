// The design-time windows shown by the Qt widgetset offscreen: each is
// drawn into build/render/design-*.png, so that it can be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <filesystem>
#include <memory>

#include "design/AmbitAbout.h"
#include "design/AmbitAddDBLang.h"
#include "design/AmbitAddLang.h"
#include "design/AmbitSourceEditor.h"
#include "design/AmbitStrEditor.h"
#include "host/controls/ComboBox.h"
#include "host/controls/ListView.h"
#include "host/controls/StdCtrls.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtRender.h"
#include "runtime/AmbitSource.h"
#include "tests/host/qt/QtTestSupport.h"

using namespace ambit;
using namespace host;
using namespace host::qt;

namespace {

// Draws Form into design-Name.png and returns the picture.
QImage Picture(TCustomForm* Form, const std::string& Name) {
  const QString dir = QStringLiteral(AMBIT_RENDER_DIR);
  EXPECT_TRUE(QDir().mkpath(dir));
  const std::string file = FromQ(dir) + "/design-" + Name + ".png";
  std::filesystem::remove(file);
  SaveFormImage(Form, file);
  QImage image(ToQ(file));
  EXPECT_FALSE(image.isNull()) << file;
  EXPECT_EQ(image.width(), Form->ClientWidth()) << file;
  EXPECT_EQ(image.height(), Form->ClientHeight()) << file;
  return image;
}

}  // namespace

TEST(DesignWindowPictures, BothAddLanguageDialogs) {
  TfmAddLanguage files(nullptr);
  files.edLangName->SetText("Russian");
  files.edFileName->SetText("/home/translator/sample/Russian.lng");
  Picture(&files, "AddLanguage");
  auto* edit = test::WidgetAs<QLineEdit>(files.edFileName);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("/home/translator/sample/Russian.lng"));

  TfmAddDBLanguage table(nullptr);
  table.SetCaption("Edit Language");
  table.edLangName->SetText("German");
  table.cbFieldValue->Items()->Add("de");
  table.cbFieldValue->SetText("de");
  table.edLangNameChange(&table);
  Picture(&table, "AddDBLanguage");
}

TEST(DesignWindowPictures, StringsEditorWithCyrillicText) {
  TfmStringsEditor editor(nullptr);
  editor.mmStrings->Font()->SetCharset(RUSSIAN_CHARSET);
  editor.mmStrings->Lines()->SetText("Файл\r\nОткрыть...\r\nСохранить как...\r\nВыход");
  Picture(&editor, "StringsEditor");
  QWidget* memo = TQtControlPeer::WidgetOf(editor.mmStrings);
  ASSERT_NE(memo, nullptr);
  QString text;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(memo)) text = plain->toPlainText();
  if (auto* rich = qobject_cast<QTextEdit*>(memo)) text = rich->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Файл\n")));
}

TEST(DesignWindowPictures, AboutBox) {
  TfmAbout about(nullptr);
  Picture(&about, "About");
}

TEST(DesignWindowPictures, LanguageSourceEditor) {
  TComponent owner(nullptr);
  auto* source = new TAmLanguageSource(&owner);
  source->SetName("LanguageSource1");
  source->Languages()->SetCommaText("German=German.lng,Russian=Russian.lng,Arabic=Arabic.lng");
  source->SetActiveLanguage(1);
  TfmLSEditor editor(nullptr);
  editor.SetSource(source);
  editor.lvLangs->SetSelected(editor.lvLangs->Items()->Items(3));
  Picture(&editor, "LanguageSourceEditor");
  source->SetActiveLanguage(-1);
}
