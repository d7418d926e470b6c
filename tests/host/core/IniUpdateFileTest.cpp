// UpdateFile writes the whole file through a temporary file and a rename:
// a failed write raises EFCreateError and leaves the old file whole and no
// temporary file; a successful one keeps the mode and symbolic links.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "host/core/IniFiles.h"
#include "tests/host/core/IniTestUtil.h"

using namespace host;
using namespace hosttest;

namespace fs = std::filesystem;

TEST(IniUpdateFile, ReplacesTheFileAndLeavesNoTemporaryFile) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "[Old]\r\nk=v\r\n\r\n");
  TMemIniFile ini(path);
  ini.WriteString("Old", "k", "new");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[Old]\r\nk=new\r\n\r\n");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"lang.ini"}));
}

TEST(IniUpdateFile, MissingFolderRaisesAndCreatesNothing) {
  TempFolder dir;
  TMemIniFile ini(dir / "no/such/lang.ini");
  ini.WriteString("S", "k", "v");
  try {
    ini.UpdateFile();
    FAIL() << "writing into a missing folder must raise";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("Cannot create file \"" + (dir / "no/such/lang.ini") + "\""), std::string::npos)
        << e.Message();
  }
  EXPECT_TRUE(dir.Entries().empty());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");  // still in memory
}

TEST(IniUpdateFile, EmptyFileNameRaises) {
  TMemIniFile ini("");
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
}

TEST(IniUpdateFile, ReadOnlyFolderRaisesAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  TempFolder dir;
  const std::string sub = dir / "ro";
  fs::create_directory(sub);
  const std::string path = sub + "/lang.ini";
  WriteFile(path, "[S]\r\nk=old\r\n\r\n");
  TMemIniFile ini(path);
  ini.WriteString("S", "k", "new");
  fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  fs::permissions(sub, fs::perms::owner_all);
  EXPECT_EQ(ReadFile(path), "[S]\r\nk=old\r\n\r\n");
  EXPECT_EQ(fs::directory_iterator(sub)->path().filename(), "lang.ini");
  EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1);
}

TEST(IniUpdateFile, ReadOnlyFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "[S]\r\nk=old\r\n\r\n");
  ::chmod(path.c_str(), 0444);
  TMemIniFile ini(path);
  ini.WriteString("S", "k", "new");
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  EXPECT_EQ(ReadFile(path), "[S]\r\nk=old\r\n\r\n");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"lang.ini"}));
}

TEST(IniUpdateFile, TargetThatIsAFolderRaisesAndLeavesNoTemporaryFile) {
  TempFolder dir;
  fs::create_directory(dir / "lang.ini");
  TMemIniFile ini("");
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(WriteFileAtomic(dir / "lang.ini", ini.Text()), EFCreateError);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"lang.ini"}));
  EXPECT_TRUE(fs::is_directory(dir / "lang.ini"));
}

TEST(IniUpdateFile, KeepsTheFileMode) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  WriteFile(path, "[S]\r\n\r\n");
  ::chmod(path.c_str(), 0640);
  TMemIniFile ini(path);
  ini.WriteString("S", "k", "v");
  ini.UpdateFile();
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ::chmod(path.c_str(), 0604);
  ini.UpdateFile();
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
}

TEST(IniUpdateFile, SymbolicLinkStaysALink) {
  TempFolder dir;
  fs::create_directory(dir / "real");
  const std::string target = dir / "real/lang.ini";
  const std::string link = dir / "link.ini";
  WriteFile(target, "[S]\r\nk=old\r\n\r\n");
  fs::create_symlink("real/lang.ini", link);  // relative, as links often are
  TMemIniFile ini(link);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "old");
  ini.WriteString("S", "k", "new");
  ini.UpdateFile();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "real/lang.ini");
  EXPECT_EQ(ReadFile(target), "[S]\r\nk=new\r\n\r\n");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link.ini", "real"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);
}

TEST(IniUpdateFile, DanglingLinkCreatesItsTarget) {
  TempFolder dir;
  const std::string link = dir / "link.ini";
  fs::create_symlink(dir / "target.ini", link);
  TMemIniFile ini(link);
  ini.WriteString("S", "k", "v");
  ini.UpdateFile();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(dir / "target.ini"), "[S]\r\nk=v\r\n\r\n");
}

TEST(IniUpdateFile, LinkChainsAreFollowed) {
  TempFolder dir;
  WriteFile(dir / "final.ini", "");
  fs::create_symlink("final.ini", dir / "mid.ini");
  fs::create_symlink(dir / "mid.ini", dir / "first.ini");
  WriteFileAtomic(dir / "first.ini", "data");
  EXPECT_TRUE(fs::is_symlink(dir / "first.ini"));
  EXPECT_TRUE(fs::is_symlink(dir / "mid.ini"));
  EXPECT_EQ(ReadFile(dir / "final.ini"), "data");
}

TEST(IniUpdateFile, LongFileNamesStillFit) {
  TempFolder dir;
  const std::string name(250, 'n');
  WriteFileAtomic(dir / name, "x");
  EXPECT_EQ(ReadFile(dir / name), "x");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{name}));
}

TEST(IniUpdateFile, RepeatedWritesInARowEachLeaveAWholeFile) {
  TempFolder dir;
  const std::string path = dir / "lang.ini";
  TMemIniFile ini(path);
  for (int i = 0; i < 20; ++i) {
    ini.WriteString("S", "k" + std::to_string(i), std::to_string(i));
    ini.UpdateFile();
    TMemIniFile check(path);
    ASSERT_EQ(check.Text(), ini.Text());
  }
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"lang.ini"}));
}
