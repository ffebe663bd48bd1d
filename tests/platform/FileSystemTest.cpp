#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

namespace qv {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (int v : values)
    bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

TEST(LocalFileSystem, NamesResolveWithoutRegardToCase) {
  test::TempDir dir;
  LocalFileSystem files;
  ASSERT_TRUE(files.WriteText(dir.path() + "Banks.qv", "x").ok());
  EXPECT_TRUE(files.Exists(dir.path() + "BANKS.QV"));
  ASSERT_TRUE(files.WriteText(dir.path() + "BANKS.QV", "y").ok());
  std::vector<std::string> names;
  ASSERT_TRUE(files.ListDirectory(dir.path(), &names).ok());
  EXPECT_EQ(names, std::vector<std::string>{"Banks.qv"}) << "no second file, old name kept";
  EXPECT_EQ(dir.Read("Banks.qv"), "y");
}

// A spelling in another letter case is remembered, but the file on disk has the last word:
// renamed to yet another case, or gone, it is found or missed as it now stands.
TEST(LocalFileSystem, AnotherCaseFollowsTheFileAsItNowStands) {
  test::TempDir dir;
  LocalFileSystem files;
  dir.Write("Banks.qv", "first");
  std::string text;
  ASSERT_TRUE(files.ReadText(dir.path() + "BANKS.QV", &text).ok());
  EXPECT_EQ(text, "first");
  std::filesystem::remove(dir.path() + "Banks.qv");
  dir.Write("bAnKs.Qv", "second");
  ASSERT_TRUE(files.ReadText(dir.path() + "BANKS.QV", &text).ok());
  EXPECT_EQ(text, "second");
  std::filesystem::remove(dir.path() + "bAnKs.Qv");
  EXPECT_FALSE(files.Exists(dir.path() + "BANKS.QV"));
  EXPECT_EQ(files.ReadText(dir.path() + "BANKS.QV", &text).error_number(), error::kFileNotFound);
}

// The names of one batch resolve against one look at each folder; each still replaces the
// file that is there in another case, and a new name is made as spelt. A folder flooded with
// more files than a batch keeps the names of is looked at anew each time, with the same result.
TEST(LocalFileSystem, ABatchReplacesFilesInAnotherCase) {
  for (const int flood : {0, 5000}) {
    SCOPED_TRACE(std::to_string(flood) + " other files");
    test::TempDir dir;
    const std::string disk = dir.Subdir("disk");
    dir.Write("disk/Banks.qv", "old banks");
    dir.Write("disk/GLOBAL.QV", "old global");
    for (int i = 0; i < flood; ++i) {
      dir.Write("disk/f" + std::to_string(i), "");
    }
    LocalFileSystem files;
    std::unique_ptr<FileBatch> batch = files.StartBatch();
    ASSERT_TRUE(batch->Stage(disk + "BANKS.QV", "banks").ok());
    ASSERT_TRUE(batch->Stage(disk + "Plotv.qv", "plot").ok());
    ASSERT_TRUE(batch->Stage(disk + "Global.qv", "global").ok());
    ASSERT_TRUE(batch->Commit().ok());
    std::vector<std::string> names;
    ASSERT_TRUE(files.ListDirectory(disk, &names).ok());
    EXPECT_EQ(names.size(), static_cast<std::size_t>(flood) + 3);
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "Banks.qv"));
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "GLOBAL.QV"));
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "Plotv.qv"));
    EXPECT_EQ(dir.Read("disk/Banks.qv"), "banks");
    EXPECT_EQ(dir.Read("disk/GLOBAL.QV"), "global");
    EXPECT_EQ(dir.Read("disk/Plotv.qv"), "plot");
  }
}

// A memory file system keeps nothing through a power loss, so its syncs are left out; the
// files are replaced all the same.
TEST(LocalFileSystem, ADurableBatchInMemoryCommits) {
  const std::string memory = "/dev/shm";
  if (!std::filesystem::is_directory(memory)) {
    GTEST_SKIP() << "no memory file system at " << memory;
  }
  const std::string folder = memory + "/qv-test-" + std::to_string(::getpid()) + "/";
  std::filesystem::create_directory(folder);
  LocalFileSystem files;
  ASSERT_TRUE(files.WriteText(folder + "Comp.qv", "old").ok());
  std::unique_ptr<FileBatch> batch = files.StartBatch();
  ASSERT_TRUE(batch->Stage(folder + "COMP.QV", "new").ok());
  ASSERT_TRUE(batch->Commit().ok());
  EXPECT_EQ(batch->replaced(), 1U);
  std::string text;
  EXPECT_TRUE(files.ReadText(folder + "Comp.qv", &text).ok());
  EXPECT_EQ(text, "new");
  EXPECT_TRUE(files.SyncDirectory(folder).ok());
  std::filesystem::remove_all(folder);
}

TEST(LocalFileSystem, BackslashesAndDrivesMap) {
  test::TempDir dir;
  const std::string disk = dir.Subdir("floppy");
  LocalFileSystem files(DriveMap{{'a', disk}});
  ASSERT_TRUE(files.MakeDirectories("A:\\Quorvant\\").ok());
  ASSERT_TRUE(files.WriteText("a:\\quorvant\\Global.qv", "g").ok());
  EXPECT_EQ(dir.Read("floppy/Quorvant/Global.qv"), "g");
  std::string text;
  const Status missing = files.ReadText("B:\\Global.qv", &text);
  EXPECT_EQ(missing.error_number(), error::kDiskNotReady) << "unmapped drive";
}

TEST(LocalFileSystem, RecordFilesGrowAndNeverTruncate) {
  test::TempDir dir;
  LocalFileSystem files;
  const std::string path = dir.path() + "r.bin";
  {
    std::unique_ptr<RecordFile> file;
    ASSERT_TRUE(files.OpenRecords(path, 2, OpenMode::kReadWrite, &file).ok());
    ASSERT_TRUE(file->Write(3, Bytes({5, 6})).ok());
    ASSERT_TRUE(file->Write(1, Bytes({1, 2})).ok());
  }
  EXPECT_EQ(dir.Read("r.bin"), std::string("\x01\x02\x00\x00\x05\x06", 6));
  {
    std::unique_ptr<RecordFile> file;
    ASSERT_TRUE(files.OpenRecords(path, 2, OpenMode::kReadWrite, &file).ok());
    ASSERT_TRUE(file->Write(2, Bytes({3, 4})).ok());
    EXPECT_EQ(file->SizeBytes(), 6);
  }
  EXPECT_EQ(dir.Read("r.bin"), std::string("\x01\x02\x03\x04\x05\x06", 6));

  std::unique_ptr<RecordFile> file;
  ASSERT_TRUE(files.OpenRecords(path, 4, OpenMode::kRead, &file).ok());
  std::vector<std::uint8_t> record(4);
  EXPECT_TRUE(file->Read(1, record).ok());
  EXPECT_EQ(file->Read(2, record).error_number(), error::kInputPastEnd) << "half a record";
}

TEST(LocalFileSystem, MissingThingsHaveTheirNumbers) {
  test::TempDir dir;
  LocalFileSystem files;
  std::unique_ptr<RecordFile> file;
  EXPECT_EQ(files.OpenRecords(dir.path() + "none", 8, OpenMode::kRead, &file).error_number(),
            error::kFileNotFound);
  EXPECT_EQ(
      files.OpenRecords(dir.path() + "no/such", 8, OpenMode::kReadWrite, &file).error_number(),
      error::kPathNotFound);
  EXPECT_EQ(files.WriteText(dir.path() + "no/such", "x").error_number(), error::kPathNotFound);
}

TEST(FaultyFileSystem, FailsTheNthOperationAndNamedPaths) {
  test::TempDir dir;
  LocalFileSystem real;
  test::FaultyFileSystem files(real);
  files.FailOperation(2);
  EXPECT_TRUE(files.WriteText(dir.path() + "a", "1").ok());
  EXPECT_FALSE(files.WriteText(dir.path() + "b", "2").ok());
  EXPECT_TRUE(files.WriteText(dir.path() + "b", "2").ok());

  files.FailPathTimes("GLOBAL.QV", 1);
  EXPECT_FALSE(files.WriteText(dir.path() + "Global.qv", "g").ok());
  EXPECT_TRUE(files.WriteText(dir.path() + "Global.qv", "g").ok());
  EXPECT_EQ(files.operations(), 5);
}

}  // namespace
}  // namespace qv
