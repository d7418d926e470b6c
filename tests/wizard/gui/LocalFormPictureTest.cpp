// The wizard's dialog shown by the Qt widgetset offscreen: drawn into
// build/render/wizard-LocalForm.png, its controls as the widgets a user
// meets (a pick-only language list, check boxes per form, the glyphs).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPushButton>

#include "host/qt/QtConvert.h"
#include "host/qt/QtRender.h"
#include "tests/host/qt/QtTestSupport.h"
#include "wizard/LocalFrm.h"

using namespace ambit;
using namespace host;
using namespace host::qt;

TEST(LocalFormPicture, TheDialogAsTheUserSeesIt) {
  TLocalForm dialog(nullptr);
  for (const char* language : {"German", "Russian", "Arabic"}) dialog.LanguageList->Items()->Add(language);
  dialog.LanguageList->SetItemIndex(1);
  for (const char* form : {"MainForm", "ContactsForm", "AboutBox"}) dialog.FormList->Items()->Add(form);
  dialog.FormList->SetChecked(0, true);
  dialog.FormList->SetChecked(2, true);
  EXPECT_EQ(dialog.FormList->Top() + dialog.FormList->Height(), dialog.Panel1->Top());
  const QString dir = QStringLiteral(AMBIT_RENDER_DIR);
  ASSERT_TRUE(QDir().mkpath(dir));
  const std::string file = FromQ(dir) + "/wizard-LocalForm.png";
  SaveFormImage(&dialog, file);
  EXPECT_EQ(QImage(ToQ(file)).size(), QSize(349, 280));

  auto* languages = test::WidgetAs<QComboBox>(dialog.LanguageList);
  ASSERT_NE(languages, nullptr);
  EXPECT_FALSE(languages->isEditable());
  EXPECT_EQ(languages->currentText(), QString("Russian"));
  EXPECT_EQ(test::WidgetAs<QListWidget>(dialog.FormList)->item(1)->checkState(), Qt::Unchecked);
  auto* execute = test::WidgetAs<QPushButton>(dialog.ExecBtn);
  ASSERT_NE(execute, nullptr);
  const QImage glyph = execute->icon().pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
  const TRgba drawn = TLocalForm::ExecuteGlyph().Pixel(7, 11);
  EXPECT_EQ(drawn.A, 255);
  EXPECT_EQ(glyph.pixel(7, 11), qRgba(drawn.R, drawn.G, drawn.B, drawn.A));
  test::Flush();
}
