#include <gtest/gtest.h>

#include "io/file_io.h"
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

}  // namespace
}  // namespace korvane
