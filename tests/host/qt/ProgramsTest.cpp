// The programs that show windows, run as a user runs them: the sample
// application switching languages through its menu, its advice without a
// display, and ambit render writing pictures of localized forms.
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

struct TRun {
  int Status = -1;
  std::string Output;
};

// Runs a shell command line and collects its standard output.
TRun RunCommand(const std::string& Command) {
  TRun r;
  FILE* pipe = popen((Command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buffer{};
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) r.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

const std::string Project = std::string(AMBIT_SOURCE_DIR) + "/examples/sample/Sample.amproj";

#ifdef AMBIT_SAMPLE_PROGRAM
TEST(SampleProgram, ItsLanguageMenuSwitchesTheWindowsToEveryLanguage) {
  const TRun r = RunCommand(std::string("'") + AMBIT_SAMPLE_PROGRAM + "' --check");
  EXPECT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("Original: Ambit Sample\n"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("German: "), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("(right to left)"), std::string::npos) << r.Output;
  EXPECT_EQ(r.Output.find("not checked"), std::string::npos) << r.Output;
}

TEST(SampleProgram, WithoutADisplayItSaysHowToRenderInstead) {
  const TRun r = RunCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") + AMBIT_SAMPLE_PROGRAM + "'");
  EXPECT_EQ(r.Status, 0);
  EXPECT_NE(r.Output.find("No display"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("ambit render"), std::string::npos) << r.Output;
}
#endif

#ifdef AMBIT_AMBIT_PROGRAM
TEST(RenderCommand, WritesAPictureOfEveryFormInTheLanguage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string out = dir.path().toStdString();
  const std::string ambit = std::string("'") + AMBIT_AMBIT_PROGRAM + "' render '" + Project + "' --out '" + out + "'";
  const TRun german = RunCommand(ambit + " --language german");
  ASSERT_EQ(german.Status, 0) << german.Output;
  const TRun original = RunCommand(ambit + " --language Original");
  ASSERT_EQ(original.Status, 0) << original.Output;
  for (const char* form : {"MainForm", "ContactsForm", "AboutBox"}) {
    const std::string g = out + "/" + form + "-German.png";
    const std::string o = out + "/" + form + "-Original.png";
    EXPECT_NE(german.Output.find("wrote " + g), std::string::npos) << german.Output;
    const QImage gi(QString::fromStdString(g));
    const QImage oi(QString::fromStdString(o));
    ASSERT_FALSE(gi.isNull()) << g;
    ASSERT_FALSE(oi.isNull()) << o;
    EXPECT_EQ(gi.size(), oi.size());
    EXPECT_NE(gi, oi) << form << ": the German picture shows other texts";
  }
}

TEST(RenderCommand, RefusesAnUnknownLanguageAndAMissingFolder) {
  QTemporaryDir dir;
  const std::string ambit = std::string("'") + AMBIT_AMBIT_PROGRAM + "' render '" + Project + "'";
  EXPECT_EQ(RunCommand(ambit + " --language Klingon --out '" + dir.path().toStdString() + "'").Status, 1);
  EXPECT_EQ(RunCommand(ambit + " --language German").Status, 2);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path().toStdString()));
}

TEST(RenderCommand, FormsWithoutASourceAreDrawnWithTheirDesignedTexts) {
  QTemporaryDir dir;
  const std::string form = dir.path().toStdString() + "/Lonely.dfm";
  FILE* f = std::fopen(form.c_str(), "w");
  std::fputs("object Lonely: TForm\n  ClientWidth = 120\n  ClientHeight = 60\nend\n", f);
  std::fclose(f);
  const std::string ambit = std::string("'") + AMBIT_AMBIT_PROGRAM + "' render '" + form + "' --out '" +
                            dir.path().toStdString() + "'";
  EXPECT_EQ(RunCommand(ambit + " --language Original").Status, 0);
  EXPECT_FALSE(QImage(dir.path() + "/Lonely-Original.png").isNull());
  EXPECT_EQ(RunCommand(ambit + " --language German").Status, 1);
}
#endif

}  // namespace
