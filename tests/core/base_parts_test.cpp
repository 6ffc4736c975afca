#include <gtest/gtest.h>

#include <filesystem>

#include "reference/base_parts_file.h"
#include "reference/list_file_name.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

const std::string kData = std::string(KORVANE_TEST_DATA) + "/reference/";

BasePartEntry entry(std::string name, std::string tag, std::string type, std::string maker,
                    int supply, std::vector<std::string> accessories = {}) {
  BasePartEntry e{std::move(name), std::move(tag), std::move(type), std::move(maker), supply, {}};
  for (std::size_t i = 0; i < accessories.size(); ++i) {
    std::string& field = i % 2 == 0 ? e.accessories[i / 2].name : e.accessories[i / 2].type;
    field = accessories[i];
  }
  return e;
}

std::string numbered_lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "P" + std::to_string(i) + ",T" + std::to_string(i) + ",,,1,,,,,,,,,\r\n";
  return text;
}

TEST(BasePartsFile, GoldenFileLoadsAndSavesBackByteForByte) {
  test::TempDir dir;
  BasePartsStore store;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(load_base_parts(store, kData + "base_parts_three_entries.txt", notifier));
  EXPECT_TRUE(notifier.messages.empty());
  ASSERT_EQ(store.entries.size(), 3u);
  EXPECT_EQ(store.entries[0], entry(sjis("電磁接触器"), "MC", "SC-E02", sjis("メーカA"), 0,
                                    {sjis("補助接点"), "SZ-A11"}));
  EXPECT_EQ(store.entries[1], entry(sjis("配線用遮断器"), "MCCB", "BW32AAG", sjis("メーカB"), 1,
                                    {sjis("端子カバー"), "BZ-TC", sjis("取付レール"), "TH35"}));
  EXPECT_EQ(store.entries[2], entry(sjis("押ボタンスイッチ"), "PB", "AR22F0R", sjis("メーカC"), 2));

  ASSERT_TRUE(save_base_parts(store, dir.file("out.txt"), notifier));
  EXPECT_EQ(test::read_file(dir.file("out.txt")),
            test::read_file(kData + "base_parts_three_entries.txt"));
}

TEST(BasePartsFile, UntidyInputIsReadSoundlyAndSavedInTheProgramsForm) {
  // LF line ends, blank lines skipped (a line of spaces is data), short lines, quotes kept,
  // supply classes by atoi, over-long fields cut by character, text after the 13th comma
  // dropped, a last line without line end.
  const BasePartsParse parsed =
      parse_base_parts(test::read_file(kData + "base_parts_untidy_lf.txt"));
  EXPECT_FALSE(parsed.truncated);
  ASSERT_EQ(parsed.store.entries.size(), 6u);
  EXPECT_EQ(parsed.store.entries[0], entry("A", "", "", "", 0));
  EXPECT_EQ(parsed.store.entries[1].part_name, sjis("\"リレー\""));
  EXPECT_EQ(parsed.store.entries[1].type, " MY2N ");
  EXPECT_EQ(parsed.store.entries[1].supply_class, 2);
  EXPECT_EQ(parsed.store.entries[3].part_name.size(), 62u);
  EXPECT_EQ(parsed.store.entries[3].tag, "TAG" + std::string(28, 'T'));
  EXPECT_EQ(parsed.store.entries[3].supply_class, -7);
  EXPECT_EQ(parsed.store.entries[4].part_name, "   ");
  EXPECT_EQ(format_base_parts(parsed.store),
            test::read_file(kData + "base_parts_untidy_saved.txt"));
}

TEST(BasePartsFile, LinesAndFieldsAreCutNeverOverrun) {
  auto run = [](char c, std::size_t n) { return std::string(n, c) + ","; };
  // Each field beyond its capacity keeps what its capacity holds.
  const std::string fields = run('a', 70) + run('b', 40) + run('c', 70) + run('d', 40) +
                             run('9', 40) + run('e', 100) + run('f', 100) + run('g', 30);
  // A line beyond kBasePartsLineLimit is cut there: field 3 is cut, later fields are lost.
  const std::string long_line = run('a', 300) + run('b', 300) + run('c', 300) + run('d', 5);
  const BasePartsParse parsed = parse_base_parts(fields + "\r\n" + long_line + "\r\n");
  ASSERT_EQ(parsed.store.entries.size(), 2u);
  const BasePartEntry& e = parsed.store.entries[0];
  EXPECT_EQ(e.part_name, std::string(63, 'a'));
  EXPECT_EQ(e.tag, std::string(31, 'b'));
  EXPECT_EQ(e.type, std::string(63, 'c'));
  EXPECT_EQ(e.maker, std::string(31, 'd'));
  EXPECT_EQ(e.supply_class, 2147483647);  // 31 nines, saturated
  EXPECT_EQ(e.accessories[0].name, std::string(63, 'e'));
  EXPECT_EQ(e.accessories[0].type, std::string(63, 'f'));
  EXPECT_EQ(e.accessories[1].name, std::string(30, 'g'));
  const BasePartEntry& l = parsed.store.entries[1];
  EXPECT_EQ(l.type, std::string(63, 'c'));
  EXPECT_EQ(l.maker, "");
}

TEST(BasePartsFile, AnyEntryTheProgramSavesReadsBackWhole) {
  BasePartEntry big;
  big.part_name = std::string(63, 'n');
  big.tag = std::string(31, 't');
  big.type = std::string(63, 'y');
  big.maker = std::string(31, 'm');
  big.supply_class = -2147483647 - 1;
  for (Accessory& a : big.accessories) {
    a.name = std::string(63, 'a');
    a.type = std::string(63, 'b');
  }
  BasePartsStore store{{big, entry(sjis("ａ"), "", "", "", 1)}};
  const std::string saved = format_base_parts(store);
  EXPECT_EQ(saved.find("\r\n"), kBasePartsLineLimit);
  EXPECT_EQ(parse_base_parts(saved).store.entries, store.entries);
}

TEST(BasePartsFile, MoreThan199EntriesLoadTheFirst199AndSaySo) {
  test::TempDir dir;
  test::write_file(dir.file("250.txt"), numbered_lines(250));
  BasePartsStore store;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(load_base_parts(store, dir.file("250.txt"), notifier));
  ASSERT_EQ(store.entries.size(), 199u);
  EXPECT_EQ(store.entries.back().part_name, "P198");
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, msg::kBasePartsTruncated);
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleLimit);
  ASSERT_TRUE(save_base_parts(store, dir.file("199.txt"), notifier));
  EXPECT_EQ(test::read_file(dir.file("199.txt")), numbered_lines(199));

  // Exactly 199 entries, blank lines after them: nothing was dropped, nothing to say.
  test::write_file(dir.file("199b.txt"), numbered_lines(199) + "\r\n\r\n");
  test::RecordingNotifier quiet;
  ASSERT_TRUE(load_base_parts(store, dir.file("199b.txt"), quiet));
  EXPECT_EQ(store.entries.size(), 199u);
  EXPECT_TRUE(quiet.messages.empty());
}

TEST(BasePartsFile, AFileThatCannotBeReadLeavesTheStore) {
  test::TempDir dir;
  BasePartsStore store{{entry("keep", "K", "", "", 0)}};
  test::RecordingNotifier notifier;
  EXPECT_FALSE(load_base_parts(store, dir.file("missing.txt"), notifier));
  EXPECT_FALSE(load_base_parts(store, "", notifier));
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.txt")));
  EXPECT_EQ(store.entries.size(), 1u);
  EXPECT_EQ(notifier.said(), (std::vector<std::string>{"ﾌｧｲﾙｴﾗｰ: 基部品Listファイルが開けません",
                                                       "ﾌｧｲﾙｴﾗｰ: 基部品Listファイルが開けません"}));
  // An empty file is a list with no entries.
  test::write_file(dir.file("empty.txt"), "");
  EXPECT_TRUE(load_base_parts(store, dir.file("empty.txt"), notifier));
  EXPECT_TRUE(store.entries.empty());
}

TEST(BasePartsFile, SavingAnEmptyStoreTouchesNoFile) {
  test::TempDir dir;
  test::write_file(dir.file("list.txt"), "old\r\n");
  test::RecordingNotifier notifier;
  EXPECT_FALSE(save_base_parts(BasePartsStore{}, dir.file("list.txt"), notifier));
  EXPECT_EQ(test::read_file(dir.file("list.txt")), "old\r\n");
  EXPECT_FALSE(save_base_parts(BasePartsStore{}, dir.file("new.txt"), notifier));
  EXPECT_FALSE(std::filesystem::exists(dir.file("new.txt")));
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[0].text, msg::kBasePartsNoData);
  EXPECT_EQ(notifier.messages[0].title, msg::kTitleSaveError);
  EXPECT_EQ(notifier.messages[0].icon, Icon::None);
}

TEST(ListFileName, TxtIsAppendedUnlessTheNameEndsInTxtOrTXT) {
  EXPECT_EQ(with_txt_extension("parts"), "parts.txt");
  EXPECT_EQ(with_txt_extension("parts.txt"), "parts.txt");
  EXPECT_EQ(with_txt_extension("parts.TXT"), "parts.TXT");
  EXPECT_EQ(with_txt_extension("parts.Txt"), "parts.Txt.txt");
  EXPECT_EQ(with_txt_extension("C:\\a.txt\\b"), "C:\\a.txt\\b.txt");
  EXPECT_EQ(with_txt_extension(sjis("部品")), sjis("部品") + ".txt");
}

}  // namespace
}  // namespace korvane
