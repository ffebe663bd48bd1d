#include "platform/ProgramDir.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

// Each row: how the executable's folder is written, whether an installation's data folder
// with the report layout exists beside it, and which folder is the program directory.
TEST(ProgramDir, InstalledDataFolderWinsOverTheExecutablesOwn) {
  struct Row {
    const char* what;
    const char* executable_dir;  // below the temporary folder
    bool installed_data;
    const char* expected;  // below the temporary folder
  };
  const Row rows[] = {
      {"installed: prefix/bin beside prefix/share/quorvant", "usr/bin/", true,
       "usr/share/quorvant/"},
      {"installed, folder written without a separator", "usr/bin", true, "usr/share/quorvant/"},
      {"build tree: nothing installed", "usr/bin/", false, "usr/bin/"},
      {"build tree, folder written without a separator", "usr/bin", false, "usr/bin/"},
  };
  for (const Row& row : rows) {
    test::TempDir root;
    root.Subdir("usr");
    root.Subdir("usr/bin");
    if (row.installed_data) {
      root.Subdir("usr/share");
      root.Subdir("usr/share/quorvant");
      root.Write("usr/share/quorvant/report.qvs", "99\r\n");
    }
    LocalFileSystem files;
    EXPECT_EQ(FindProgramDir(files, root.path() + row.executable_dir), root.path() + row.expected)
        << row.what;
  }
}

TEST(ProgramDir, ADataFolderWithoutTheLayoutIsNotAnInstallation) {
  test::TempDir root;
  root.Subdir("bin");
  root.Subdir("share");
  root.Subdir("share/quorvant");
  LocalFileSystem files;
  EXPECT_EQ(FindProgramDir(files, root.path() + "bin/"), root.path() + "bin/");
}

}  // namespace
}  // namespace qv
