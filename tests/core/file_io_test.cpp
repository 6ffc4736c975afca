#include <gtest/gtest.h>

#include "io/file_io.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include "test_support.h"

namespace korvane {
namespace {

TEST(WholeFileWrite, ReplacesTheTargetAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "old contents");
  ASSERT_TRUE(io::write_whole_file(target, std::string(200000, 'n')));
  EXPECT_EQ(test::read_file(target), std::string(200000, 'n'));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  std::string back;
  ASSERT_TRUE(io::read_whole_file(target, back));
  EXPECT_EQ(back.size(), 200000u);
}

TEST(WholeFileWrite, AnyFailureLeavesTheOldFileAsItWas) {
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "old contents");
  for (int mode = 0; mode < 4; ++mode) {
    test::FaultyFileSystem faults;
    faults.fail_create = mode == 0;
    faults.fail_write = mode == 1;
    faults.write_budget = 3;
    faults.fail_close = mode == 2;
    faults.fail_replace = mode == 3;
    EXPECT_FALSE(io::write_whole_file(target, "new contents that are longer")) << mode;
    EXPECT_EQ(test::read_file(target), "old contents") << mode;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << mode;
  }
}

TEST(WholeFileWrite, FailsWhenTheFolderIsMissing) {
  test::TempDir dir;
  EXPECT_FALSE(io::write_whole_file(dir.file("no/such/folder/x.txt"), "x"));
}

TEST(WholeFileRead, RefusesMissingFilesAndFolders) {
  test::TempDir dir;
  std::string out = "unchanged";
  EXPECT_FALSE(io::read_whole_file(dir.file("missing.txt"), out));
  EXPECT_FALSE(io::read_whole_file(dir.path().string(), out));
  EXPECT_FALSE(io::read_whole_file("", out));
  EXPECT_EQ(out, "unchanged");
}

// Only regular files are read, and nothing blocks or runs on: a FIFO nobody writes to, an endless
// device, a folder.
TEST(WholeFileRead, SpecialFilesAreRefusedWithoutWaiting) {
  test::TempDir dir;
  std::vector<std::string> paths = {dir.path().string()};
#ifndef _WIN32
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  paths.push_back(fifo);
  paths.push_back("/dev/zero");
#else
  paths.push_back("NUL");
  paths.push_back("CONIN$");
#endif
  for (const std::string& path : paths) {
    std::string out = "unchanged";
    const io::ReadResult r = io::read_file(path, out, io::kListFileLimit);
    EXPECT_EQ(r.status, io::ReadResult::Status::Failed) << path;
    EXPECT_FALSE(r.reason.empty()) << path;
    EXPECT_EQ(out, "unchanged");
  }
}

TEST(WholeFileRead, ALimitedReadKeepsTheFirstBytesAndSaysItWasCut) {
  test::TempDir dir;
  const std::string path = dir.file("big.txt");
  test::write_file(path, std::string(100000, 'x') + "tail");
  for (const std::size_t limit : {std::size_t{100004}, std::size_t{100003}, std::size_t{65536}}) {
    std::string out;
    const io::ReadResult r = io::read_file(path, out, limit);
    ASSERT_TRUE(r);
    EXPECT_EQ(out.size(), std::min<std::size_t>(limit, 100004));
    EXPECT_EQ(r.cut, limit < 100004) << limit;
  }
  std::string out;
  EXPECT_EQ(io::read_file(dir.file("none"), out, 10).status, io::ReadResult::Status::Missing);
}

}  // namespace
}  // namespace korvane
