// What a rewrite keeps and what it refuses: comments and leading lines
// stay, another writer's changes are folded in, files that are no INI text
// and special files are left alone, and temporary files of killed rewrites
// are cleared away.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;
using namespace hosttest;

TEST(IniRewrite, CommentsAndLeadingLinesSurvive) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "; Russian, by Olga\nversion 2\n\n[S]\n  ; about k\nk=1\n; end\n[T]\nt=1\n");
  TMemIniFile ini(path);
  ini.WriteString("S", "k", "2");
  ini.WriteString("S", "new", "3");
  ini.DeleteKey("T", "t");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path),
            "; Russian, by Olga\nversion 2\n\n[S]\r\n  ; about k\r\nk=2\r\n; end\r\nnew=3\r\n\r\n[T]\r\n\r\n");
  EXPECT_EQ(ini.ReadString("S", "; end", "none"), "none");
}

TEST(IniRewrite, FilesThatAreNoIniTextAreReadButNeverWritten) {
  const std::pair<std::string, std::string> files[] = {
      {"\xFF\xFE[\0S\0]\0", "UTF-16"},
      {Bytes("[S]\nk=a\0b\n"), "NUL"},
      {"[S]\nk=caf\xE9\n", "line 2"},
      {"object MainForm: TMainForm\n  Caption = 'x'\nend\n", "form file"},
      {"just some notes\n", "no [section]"},
  };
  for (const auto& [text, why] : files) {
    SCOPED_TRACE(why);
    TempFolder dir;
    const std::string path = dir / "lang.ini";
    WriteFile(path, text);
    TMemIniFile ini(path);
    EXPECT_NE(ini.NotIniText().find(why), std::string::npos) << ini.NotIniText();
    ini.WriteString("S", "k", "v");
    try {
      ini.UpdateFile();
      ADD_FAILURE() << "wrote over it";
    } catch (const EFCreateError& e) {
      EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find(why), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ReadFile(path), text);
  }
  // Comments alone, or a byte order mark, still make an INI file.
  TempFolder dir;
  WriteFile(dir / "c.ini", "; only a comment\n");
  EXPECT_EQ(TMemIniFile(dir / "c.ini").NotIniText(), "");
  WriteFile(dir / "bom.ini", "\xEF\xBB\xBF[S]\nk=v\n");
  EXPECT_EQ(TMemIniFile(dir / "bom.ini").NotIniText(), "");
}

TEST(IniRewrite, SpecialFilesAreNeitherReadNorReplaced) {
  TempFolder dir;
  const std::string fifo = dir / "pipe.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Opening a pipe would wait for a writer for ever.
  try {
    TMemIniFile ini(fifo);
    ADD_FAILURE() << "a named pipe was read";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("named pipe"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(TMemIniFile("/dev/zero"), EFOpenError);  // would never end
  EXPECT_THROW(WriteFileAtomic(fifo, "[S]\r\n"), EFCreateError);
  struct stat st{};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  const std::string device = dir / "null.ini";
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    EXPECT_THROW(WriteFileAtomic(device, "[S]\r\n"), EFCreateError);
    ASSERT_EQ(::stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
  }
  for (const std::string& entry : dir.Entries()) EXPECT_NE(entry[0], '.') << "temporary file " << entry;
}

TEST(IniRewrite, AnotherWritersSectionsAreFoldedIn) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  TMemIniFile first(path);   // both open the language before either saves
  TMemIniFile second(path);
  first.WriteString("MainForm", "Caption", "Main");
  first.UpdateFile();
  second.WriteString("AboutBox", "Caption", "About");
  second.UpdateFile();
  first.WriteString("MainForm", "Hint", "h");
  first.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[MainForm]\r\nCaption=Main\r\nHint=h\r\n\r\n[AboutBox]\r\nCaption=About\r\n\r\n");
  EXPECT_EQ(first.ReadString("AboutBox", "Caption", ""), "About");  // memory follows the disk
}

TEST(IniRewrite, AHandEditSurvivesWhatThisSideDidNotChange) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "[S]\r\nkept=old\r\nmine=old\r\ngone=old\r\nedited=old\r\n\r\n[Erased]\r\nx=1\r\n\r\n");
  TMemIniFile ini(path);
  ini.WriteString("S", "kept", "old");  // written back unchanged
  ini.WriteString("S", "mine", "new");
  ini.DeleteKey("S", "gone");
  ini.DeleteKey("S", "edited");
  ini.EraseSection("Erased");
  WriteFile(path, "; translator's note\r\n[S]\r\nkept=edited by hand\r\nmine=theirs\r\ngone=old\r\nedited=theirs\r\n"
                  "added=by hand\r\n[Erased]\r\nx=1\r\ny=theirs\r\n");
  ini.UpdateFile();
  // This side's change wins where both changed; theirs stays everywhere else.
  EXPECT_EQ(ReadFile(path), "; translator's note\r\n[S]\r\nkept=edited by hand\r\nmine=new\r\nedited=theirs\r\n"
                            "added=by hand\r\n\r\n[Erased]\r\ny=theirs\r\n\r\n");
}

TEST(IniRewrite, TemporaryFilesOfKilledRewritesAreRemoved) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  for (const char* name : {".lang.ini.tmp4194303_0", ".lang.ini.tmp1_17", ".other.ini.tmp1_1", "lang.ini.tmp1_1",
                           ".lang.ini.tmpx_1"})
    WriteFile(dir / name, "half");
  WriteFileAtomic(path, "[S]\r\n");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{".lang.ini.tmpx_1", ".other.ini.tmp1_1", "lang.ini",
                                                     "lang.ini.tmp1_1"}));
}
