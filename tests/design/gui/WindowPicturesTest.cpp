// The design-time windows shown by the Qt widgetset offscreen: each is
// drawn into build/render/design-*.png, so that it can be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <filesystem>

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

// Draws Form into design-Name.png: the picture is the form's client area.
void Picture(TCustomForm* Form, const std::string& Name) {
  const QString dir = QStringLiteral(AMBIT_RENDER_DIR);
  ASSERT_TRUE(QDir().mkpath(dir));
  const std::string file = FromQ(dir) + "/design-" + Name + ".png";
  std::filesystem::remove(file);
  SaveFormImage(Form, file);
  const QImage image(ToQ(file));
  EXPECT_EQ(image.size(), QSize(Form->ClientWidth(), Form->ClientHeight())) << file;
}

}  // namespace

TEST(DesignWindowPictures, TheDialogsTheStringsEditorInCyrillicAndTheAboutBox) {
  TfmAddLanguage files(nullptr);
  files.edLangName->SetText("Russian");
  files.edFileName->SetText("/home/translator/sample/Russian.lng");
  Picture(&files, "AddLanguage");
  TfmAddDBLanguage table(nullptr);
  table.edLangName->SetText("German");
  table.cbFieldValue->SetText("de");
  table.edLangNameChange(&table);
  Picture(&table, "AddDBLanguage");
  TfmStringsEditor editor(nullptr);
  editor.mmStrings->Font()->SetCharset(RUSSIAN_CHARSET);
  editor.mmStrings->Lines()->SetText("Файл\r\nОткрыть...\r\nСохранить как...\r\nВыход");
  Picture(&editor, "StringsEditor");
  QWidget* memo = TQtControlPeer::WidgetOf(editor.mmStrings);
  QString shown = qobject_cast<QPlainTextEdit*>(memo) ? qobject_cast<QPlainTextEdit*>(memo)->toPlainText()
                  : qobject_cast<QTextEdit*>(memo)  ? qobject_cast<QTextEdit*>(memo)->toPlainText()
                                                     : QString();
  EXPECT_TRUE(shown.startsWith(QStringLiteral("Файл\nОткрыть"))) << FromQ(shown);
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
}
