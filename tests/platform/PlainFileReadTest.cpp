#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// Puts something other than a plain file at `name` in the folder; `outside` is a plain file
// elsewhere that a link may point at.
struct NotPlain {
  const char* what;
  std::function<void(const std::string& path, const std::string& outside)> make;
};

// Whatever sits at the name, a read neither follows it nor waits on it: the text reader and
// the record reader both refuse it with error 75 and read nothing.
TEST(PlainFileRead, RefusesEverythingButAPlainFile) {
  const NotPlain rows[] = {
      {"a link to a plain file",
       [](auto& path, auto& outside) { fs::create_symlink(outside, path); }},
      {"a link that leads nowhere",
       [](auto& path, auto& outside) { fs::create_symlink(outside + ".gone", path); }},
      {"a link to /dev/zero", [](auto& path, auto&) { fs::create_symlink("/dev/zero", path); }},
      {"a FIFO without a writer",
       [](auto& path, auto&) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
      {"a directory", [](auto& path, auto&) { fs::create_directory(path); }},
  };
  for (const NotPlain& row : rows) {
    SCOPED_TRACE(row.what);
    test::TempDir dir;
    dir.Write("outside.txt", "not to be read");
    const std::string path = dir.path() + "Banks.qv";
    row.make(path, dir.path() + "outside.txt");
    LocalFileSystem files;
    std::string text = "left over";
    const Status read = files.ReadText(path, &text);
    EXPECT_EQ(read.error_number(), error::kPathFileAccess) << read.detail();
    EXPECT_EQ(text.find("not to be read"), std::string::npos);
    std::unique_ptr<RecordFile> file;
    EXPECT_EQ(files.OpenRecords(path, 84, OpenMode::kRead, &file).error_number(),
              error::kPathFileAccess);
    EXPECT_EQ(file, nullptr);
  }
}

TEST(PlainFileRead, AFileAboveItsLimitIsRefusedWithoutReadingIt) {
  test::TempDir dir;
  dir.Write("Global.qv", std::string(100, 'x'));
  LocalFileSystem files;
  std::string text;
  ASSERT_TRUE(files.ReadTextAtMost(dir.path() + "GLOBAL.QV", 100, &text).ok());
  EXPECT_EQ(text.size(), 100U) << "a file of exactly the limit is read";
  EXPECT_EQ(files.ReadTextAtMost(dir.path() + "Global.qv", 99, &text).error_number(),
            error::kPathFileAccess);
  EXPECT_EQ(text, "");

  fs::resize_file(dir.path() + "Global.qv", std::uintmax_t{1} << 40);  // sparse, a terabyte
  EXPECT_EQ(files.ReadTextAtMost(dir.path() + "Global.qv", 5000, &text).error_number(),
            error::kPathFileAccess);
  EXPECT_EQ(files.ReadTextAtMost(dir.path() + "missing.qv", 5000, &text).error_number(),
            error::kFileNotFound);
}

TEST(SameDirectory, ComparesFoldersAsTheFileSystemResolvesThem) {
  test::TempDir dir;
  dir.Subdir("alpha");
  fs::create_directory_symlink(dir.path() + "alpha", dir.path() + "beta");
  LocalFileSystem files({{'A', dir.path()}});
  const struct {
    std::string a, b;
    bool same;
    const char* shows;
  } rows[] = {
      {dir.path() + "alpha/", dir.path() + "alpha", true, "with and without the separator"},
      {dir.path() + "alpha/", dir.path() + "ALPHA\\", true, "in another case and separator"},
      {"a:\\Alpha\\", dir.path() + "alpha/", true, "through the drive map"},
      {dir.path() + "beta/", dir.path() + "alpha/", true, "through a link to the folder"},
      {dir.path() + "new/", dir.path() + "NEW/", true, "not made yet, in another case"},
      {dir.path() + "alpha/", dir.path() + "alpha/sub/", false, "a folder inside"},
      {dir.path() + "alpha/", dir.path() + "gamma/", false, "another folder"},
      {"b:\\", dir.path(), false, "an unmapped drive"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(files.SameDirectory(row.a, row.b), row.same)
        << row.shows << ": " << row.a << " " << row.b;
  }
}

}  // namespace
}  // namespace qv
