#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
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
  // Spelt as on disk, and in another letter case, which is found by a look at the folder.
  for (const char* spelling : {"Banks.qv", "BANKS.QV"}) {
    for (const NotPlain& row : rows) {
      SCOPED_TRACE(std::string(row.what) + ", read as " + spelling);
      test::TempDir dir;
      dir.Write("outside.txt", "not to be read");
      row.make(dir.path() + "Banks.qv", dir.path() + "outside.txt");
      const std::string path = dir.path() + spelling;
      LocalFileSystem files;
      std::string text = "left over";
      const Status read = files.ReadText(path, &text);
      EXPECT_EQ(read.error_number(), error::kPathFileAccess) << read.detail();
      EXPECT_EQ(text.find("not to be read"), std::string::npos);
      std::unique_ptr<RecordFile> file;
      EXPECT_EQ(files.OpenRecords(path, 84, OpenMode::kRead, &file).error_number(),
                error::kPathFileAccess);
      EXPECT_EQ(file, nullptr);
      // A link that leads nowhere is no file; anything else there is, and is refused.
      bool present = true;
      text = "left over";
      const Status maybe = files.ReadIfPresent(path, std::nullopt, &text, &present);
      EXPECT_EQ(present, files.Exists(path));
      EXPECT_EQ(maybe.error_number(), present ? error::kPathFileAccess : 0) << maybe.detail();
      EXPECT_EQ(text.find("not to be read"), std::string::npos);
    }
  }
}

TEST(PlainFileRead, AFileThatMayBeMissing) {
  test::TempDir dir;
  dir.Write("Comp.qv", "comp");
  LocalFileSystem files({{'A', dir.path()}});
  std::string text = "left over";
  bool present = false;
  ASSERT_TRUE(files.ReadIfPresent(dir.path() + "COMP.QV", 100, &text, &present).ok());
  EXPECT_TRUE(present);
  EXPECT_EQ(text, "comp");
  EXPECT_EQ(files.ReadIfPresent(dir.path() + "Comp.qv", 3, &text, &present).error_number(),
            error::kPathFileAccess)
      << "above its limit";
  for (const std::string& missing :
       {dir.path() + "Plotv.qv", dir.path() + "no/Plotv.qv", std::string("B:\\Plotv.qv")}) {
    text = "left over";
    ASSERT_TRUE(files.ReadIfPresent(missing, std::nullopt, &text, &present).ok()) << missing;
    EXPECT_FALSE(present) << missing;
    EXPECT_EQ(text, "") << missing;
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
      {"b:\\", "b:\\", false, "an unmapped drive, spelt alike"},
      {"a:\\ALPHA\\", "a:\\ALPHA\\", true, "spelt alike"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(files.SameDirectory(row.a, row.b), row.same)
        << row.shows << ": " << row.a << " " << row.b;
  }
}

}  // namespace
}  // namespace qv
