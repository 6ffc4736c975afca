#include <gtest/gtest.h>

#include "reference/prohibited_words_editing.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

ProhibitedWords words_of(std::vector<std::string> words) {
  return ProhibitedWords{std::move(words)};
}

TEST(ProhibitedWordsEditing, TheTextIsCheckedBeforeTheSelection) {
  ProhibitedWords words = words_of({"A", "B"});
  test::RecordingNotifier notifier;
  EXPECT_FALSE(rewrite_prohibited_word(words, -1, "", notifier));
  EXPECT_FALSE(rewrite_prohibited_word(words, -1, "C", notifier));
  EXPECT_FALSE(rewrite_prohibited_word(words, 2, "C", notifier));
  EXPECT_EQ(add_prohibited_word(words, "", notifier), -1);
  EXPECT_EQ(notifier.said(),
            (std::vector<std::string>{
                "操作ミス: 禁止文字名を入力して下さい。", "操作ミス: 項目を選択して下さい。",
                "操作ミス: 項目を選択して下さい。", "操作ミス: \t禁止文字名を入力して下さい。"}));
  for (const Message& m : notifier.messages) EXPECT_EQ(m.icon, Icon::None);
  EXPECT_EQ(words.words, (std::vector<std::string>{"A", "B"}));
}

TEST(ProhibitedWordsEditing, RewriteAndAddCutTheTextTo31BytesWithoutSplittingACharacter) {
  ProhibitedWords words = words_of({"A", "B"});
  std::string forty;
  for (int i = 0; i < 20; ++i) forty += sjis("禁");
  const std::string odd = "x" + forty;  // 41 bytes: byte 31 ends a character
  test::RecordingNotifier notifier;
  ASSERT_TRUE(rewrite_prohibited_word(words, 1, forty, notifier));
  EXPECT_EQ(words.words[1], forty.substr(0, 30));
  EXPECT_EQ(add_prohibited_word(words, odd, notifier), 2);
  EXPECT_EQ(words.words[2], odd.substr(0, 31));
  EXPECT_EQ(add_prohibited_word(words, std::string(40, 'w'), notifier), 3);
  EXPECT_EQ(words.words[3], std::string(31, 'w'));
  EXPECT_EQ(words.words[0], "A");
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(ProhibitedWordsEditing, AddAllowsDuplicatesButNotA101stWord) {
  ProhibitedWords words;
  test::RecordingNotifier notifier;
  EXPECT_EQ(add_prohibited_word(words, "NOTE", notifier), 0);
  EXPECT_EQ(add_prohibited_word(words, "NOTE", notifier), 1);
  for (int i = 2; i < 100; ++i) add_prohibited_word(words, "W" + std::to_string(i), notifier);
  ASSERT_EQ(words.words.size(), 100u);
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(add_prohibited_word(words, "one more", notifier), -1);
  EXPECT_EQ(words.words.size(), 100u);
  EXPECT_EQ(words.words.back(), "W99");
  EXPECT_EQ(notifier.said(),
            std::vector<std::string>{"操作ミス: 禁止文字登録数１００を超えました。"});
}

}  // namespace
}  // namespace korvane
