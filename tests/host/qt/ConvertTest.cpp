// Texts handed to widgets: the quick path for texts without carriage
// returns must give what the general conversion gives.
#include <gtest/gtest.h>
#include <random>

#include "host/qt/QtConvert.h"
#include "tests/host/qt/QtTestSupport.h"

namespace host::qt::test {
namespace {

TEST(QtConvert, ToolTipsAndMultiLineTextsMatchTheGeneralConversionOnRandomTexts) {
  const std::string pieces[] = {"a", "Ж", "\r", "\n", "\r\n", "|", "\xC3", "&", " "};
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) text += pieces[random() % std::size(pieces)];
    QString general = QString::fromUtf8(text.substr(0, text.find('|')));
    general.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ASSERT_EQ(ToolTipText(text), general) << round;
    ASSERT_EQ(MultiLine(text), QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  }
}

}  // namespace
}  // namespace host::qt::test
