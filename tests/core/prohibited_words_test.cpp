#include <gtest/gtest.h>

#include <filesystem>

#include "reference/prohibited_words_file.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

const std::string kData = std::string(KORVANE_TEST_DATA) + "/reference/";

std::string numbered_words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "W" + std::to_string(i) + "\r\n";
  return text;
}

TEST(ProhibitedWordsFile, GoldenFileLoadsAndSavesBackByteForByte) {
  test::TempDir dir;
  ProhibitedWords words;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(load_prohibited_words(words, kData + "prohibited_words_three.txt", notifier));
  EXPECT_EQ(words.words, (std::vector<std::string>{"MCCB-", "NOTE", sjis("注記")}));
  ASSERT_TRUE(save_prohibited_words(words, dir.file("out.txt"), notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(test::read_file(dir.file("out.txt")),
            test::read_file(kData + "prohibited_words_three.txt"));
}

TEST(ProhibitedWordsFile, UntidyInputIsReadSoundlyAndSavedInTheProgramsForm) {
  // LF line ends, blank lines skipped (a line of spaces is a word), a 40-byte word cut to 15
  // characters (the 16th would be split), a last line without line end.
  const ProhibitedWordsParse parsed =
      parse_prohibited_words(test::read_file(kData + "prohibited_words_untidy_lf.txt"));
  EXPECT_FALSE(parsed.truncated);
  std::string cut;
  for (int i = 0; i < 15; ++i) cut += sjis("禁");
  EXPECT_EQ(parsed.words.words, (std::vector<std::string>{"NOTE", "  ", cut, "A,B", sjis("注記")}));
  EXPECT_EQ(format_prohibited_words(parsed.words),
            test::read_file(kData + "prohibited_words_untidy_saved.txt"));
  EXPECT_EQ(parse_prohibited_words(std::string(200, 'x')).words.words,
            std::vector<std::string>{std::string(31, 'x')});
}

TEST(ProhibitedWordsFile, MoreThan100WordsLoadTheFirst100AndSaySo) {
  test::TempDir dir;
  test::write_file(dir.file("150.txt"), numbered_words(150));
  ProhibitedWords words;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(load_prohibited_words(words, dir.file("150.txt"), notifier));
  ASSERT_EQ(words.words.size(), 100u);
  EXPECT_EQ(words.words.back(), "W99");
  EXPECT_EQ(
      notifier.said(),
      std::vector<std::string>{
          "制限があります: 禁止文字が100個を超えたため、101個目以降は読み込みませんでした。"});
  ASSERT_TRUE(save_prohibited_words(words, dir.file("100.txt"), notifier));
  EXPECT_EQ(test::read_file(dir.file("100.txt")), numbered_words(100));

  EXPECT_FALSE(parse_prohibited_words(numbered_words(100) + "\n\r\n").truncated);
}

TEST(ProhibitedWordsFile, SavingStopsAtTheFirstEmptySlotAndAtTheCapacity) {
  ProhibitedWords words{{"A", "B", "", "C"}};
  EXPECT_EQ(format_prohibited_words(words), "A\r\nB\r\n");
  words.words.assign(120, "w");
  EXPECT_EQ(format_prohibited_words(words).size(), 300u);
}

TEST(ProhibitedWordsFile, AFileThatCannotBeReadLeavesTheList) {
  test::TempDir dir;
  ProhibitedWords words{{"keep"}};
  test::RecordingNotifier notifier;
  EXPECT_FALSE(load_prohibited_words(words, dir.file("missing.txt"), notifier));
  EXPECT_FALSE(load_prohibited_words(words, "", notifier));
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.txt")));
  EXPECT_EQ(words.words, std::vector<std::string>{"keep"});
  EXPECT_EQ(notifier.said(), (std::vector<std::string>{"ﾌｧｲﾙｴﾗｰ: 禁止文字ファイルが開けません",
                                                       "ﾌｧｲﾙｴﾗｰ: 禁止文字ファイルが開けません"}));
}

TEST(ProhibitedWordsFile, SavingAnEmptyListTouchesNoFile) {
  test::TempDir dir;
  test::write_file(dir.file("words.txt"), "old\r\n");
  for (const ProhibitedWords& empty : {ProhibitedWords{}, ProhibitedWords{{"", "later"}}}) {
    test::RecordingNotifier notifier;
    EXPECT_FALSE(save_prohibited_words(empty, dir.file("words.txt"), notifier));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, msg::kWordsNoData);
    EXPECT_EQ(notifier.messages[0].title, msg::kTitleSaveError);
    EXPECT_EQ(notifier.messages[0].icon, Icon::None);
  }
  EXPECT_EQ(test::read_file(dir.file("words.txt")), "old\r\n");
}

}  // namespace
}  // namespace korvane
