#include <gtest/gtest.h>

#include <filesystem>

#include "compare/comparison_output.h"
#include "compare/list_comparison.h"
#include "convert_test_support.h"
#include "settings/settings.h"
#include "test_support.h"
#include "text/encoding.h"

namespace korvane {
namespace {

using Strings = std::vector<std::string>;

struct SplitCase {
  std::string cell;
  Strings prefixes;
  Strings tags;
};

TEST(ListComparison, SplitsMergedTagCellsBackIntoSingleTags) {
  const Strings nested = {"T", "TR", "THR"};
  const std::vector<SplitCase> cases = {
      {"CR1,2,3", {"CR"}, {"CR1", "CR2", "CR3"}},
      {"MCCB1,2,5,6", {"MCCB", "MC"}, {"MCCB1", "MCCB2", "MCCB5", "MCCB6"}},
      {"PB2,1", {"PB"}, {"PB2", "PB1"}},
      // Nested families: the longest prefix that begins the first tag.
      {"THR4,5", nested, {"THR4", "THR5"}},
      {"TR1,2", nested, {"TR1", "TR2"}},
      {"T7,8", nested, {"T7", "T8"}},
      // The merge joins whole tags when no base tag begins the first.
      {"CR1,CR2", {}, {"CR1", "CR2"}},
      {"MC1", {"CR"}, {"MC1"}},
      // A tag that is the prefix itself left an empty piece.
      {"CR5,6,", {"CR"}, {"CR5", "CR6", "CR"}},
      {"CR1A,2B", {"CR"}, {"CR1A", "CR2B"}},
      // Ranges of the range form: three numbers or more; widths kept.
      {"CR1-3,5", {"CR"}, {"CR1", "CR2", "CR3", "CR5"}},
      {"CR7,1-3", {"CR"}, {"CR7", "CR1", "CR2", "CR3"}},
      {"X01-03", {"X"}, {"X01", "X02", "X03"}},
      {"1-3", {}, {"1", "2", "3"}},
      {"TB1-2", {"TB"}, {"TB1-2"}},
      {"CR3-1", {"CR"}, {"CR3-1"}},
      {"CR1-1001", {"CR"}, {"CR1-1001"}},
      {"CR1-3A", {"CR"}, {"CR1-3A"}},
      // Trailing blanks are no part of the last tag; an empty cell has no tags.
      {"CR1,2  \t", {"CR"}, {"CR1", "CR2"}},
      {"   ", {"CR"}, {}},
      {"", {}, {}},
      {"ＣＲ1,2", {"ＣＲ"}, {"ＣＲ1", "ＣＲ2"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(split_tag_cell(c.cell, c.prefixes), c.tags) << c.cell;
  }
  // The longest range there is.
  EXPECT_EQ(split_tag_cell("CR1-1000", {"CR"}).size(), 1000u);
}

// Rows in the reset column order, UTF-8.
ListedRow listed(std::size_t line, const PartsRow& cells) { return ListedRow{cells, line}; }

PartsRow relay(std::string tag, std::string qty, std::string supply = "    ") {
  return {std::move(tag), "",      "補助継電器",   "ミナト制御",
          "AC100V",       "KR-4N", std::move(qty), std::move(supply)};
}

PartsRow timer(std::string tag, std::string qty) {
  return {std::move(tag), "", "タイマ", "ミナト制御", "", "KTM-1", std::move(qty), ""};
}

PartKey relay_key(std::string supply = "") {
  return {"補助継電器", "ミナト制御", "AC100V", "KR-4N", std::move(supply)};
}
const PartKey kTimer = {"タイマ", "ミナト制御", "", "KTM-1", ""};

std::vector<ListedRow> rows(std::initializer_list<PartsRow> cells) {
  std::vector<ListedRow> out;
  for (const PartsRow& r : cells) out.push_back(listed(out.size() + 1, r));
  return out;
}

// The column map says where each field is; a column outside the row reads as empty.
TEST(ListComparison, ThePartFieldsAreTheCellsTheColumnMapNames) {
  ColumnMap map;
  map.part_name = 5;
  map.type = 2;
  map.maker = 9;
  const GatheredList moved = gather_parts(rows({relay("CR1", "1")}), map, {"CR"});
  ASSERT_EQ(moved.parts.size(), 1u);
  EXPECT_EQ(moved.parts[0].key, (PartKey{"KR-4N", "", "AC100V", "補助継電器", ""}));
}

TEST(ListComparison, ListsWithMoreTagsThanAnyDrawingSetAreRefusedAtTheirLine) {
  std::vector<ListedRow> many;
  for (std::size_t line = 1; line <= 120; ++line) {
    many.push_back(listed(line, relay("CR1-999", "1")));
  }
  const GatheredList gathered = gather_parts(many, ColumnMap{}, {"CR"});
  ASSERT_TRUE(gathered.fault);
  EXPECT_EQ(*gathered.fault, (ListFaultAt{ListFault::TooManyTags, 101, 0}));
  EXPECT_TRUE(gathered.parts.empty());
}

struct CompareCase {
  std::string name;
  std::vector<ListedRow> old_rows;
  std::vector<ListedRow> new_rows;
  std::vector<PartChange> changes;
  std::size_t unchanged;
};

PartChange added(PartKey key, std::int64_t n, Strings tags) {
  return {ChangeKind::Added, std::move(key), 0, n, std::move(tags), {}};
}
PartChange removed(PartKey key, std::int64_t n, Strings tags) {
  return {ChangeKind::Removed, std::move(key), n, 0, {}, std::move(tags)};
}
PartChange changed(PartKey key, std::int64_t from, std::int64_t to, Strings plus, Strings minus) {
  return {ChangeKind::Changed, std::move(key), from, to, std::move(plus), std::move(minus)};
}

TEST(ListComparison, FindsAddedRemovedAndChangedPartsInTheNewListsOrder) {
  const PartKey mc_key = {"電磁接触器", "コルベ電機", "", "KC-11", ""};
  const PartsRow mc = {"MC1,2", "", "電磁接触器", "コルベ電機", "", "KC-11", "2", "    "};
  const PartsRow relay_blanks = {"CR2,5", "", "補助継電器  ", "ミナト制御", "AC100V ", "KR-4N",
                                 "2",     " "};
  const PartKey supplied = relay_key("支給");
  // One case to a few lines: old rows, new rows, then what they give.
  // clang-format off
  const std::vector<CompareCase> cases = {
      {"rows of one part gathered: quantities added, tags once, trailing blanks dropped",
       rows({relay("CR1,2,3", "3"), timer("T1", "1"), relay("CR4", "1", ""), relay_blanks}),
       rows({relay("CR1-5", "6"), timer("T1", "1")}), {}, 2},
      {"the same parts in other rows and another order",
       rows({relay("CR1,2", "2"), timer("T1", "1")}),
       rows({timer("T1", "1"), relay("CR2", "1"), relay("CR1", "1")}), {}, 2},
      {"renumbered tags and a removed part: the new list's order, then the removed ones",
       rows({relay("CR1", "1"), mc, timer("T1", "1")}), rows({timer("T2", "1"), relay("CR1", "1")}),
       {changed(kTimer, 1, 1, {"T2"}, {"T1"}), removed(mc_key, 2, {"MC1", "MC2"})}, 1},
      {"a new part", rows({relay("CR1", "1")}), rows({mc, relay("CR1", "1")}),
       {added(mc_key, 2, {"MC1", "MC2"})}, 1},
      {"a quantity alone", rows({relay("CR1", "1")}), rows({relay("CR1", "3")}),
       {changed(relay_key(), 1, 3, {}, {})}, 0},
      {"a tag moving between parts",
       rows({relay("CR1,2,3", "3"), relay("CR4", "1", "支給")}),
       rows({relay("CR1,2", "2"), relay("CR3,4", "2", "支給")}),
       {changed(relay_key(), 3, 2, {}, {"CR3"}), changed(supplied, 1, 2, {"CR3"}, {})}, 0},
      {"a blank supply class is the same however many blanks",
       rows({relay("CR1", "1", "    ")}), rows({relay("CR1", "1", "")}), {}, 1},
      {"another supply class is another part", rows({relay("CR1", "1")}),
       rows({relay("CR1", "1", "支給")}),
       {added(supplied, 1, {"CR1"}), removed(relay_key(), 1, {"CR1"})}, 0},
      {"the range form against the merged form", rows({relay("CR1,2,3,5", "4")}),
       rows({relay("CR1-3,5", "4")}), {}, 1},
  };
  // clang-format on
  for (const CompareCase& c : cases) {
    const Strings prefixes = {"CR", "T", "MC"};
    const GatheredList old_parts = gather_parts(c.old_rows, ColumnMap{}, prefixes);
    const GatheredList new_parts = gather_parts(c.new_rows, ColumnMap{}, prefixes);
    const Comparison comparison = compare_gathered(old_parts.parts, new_parts.parts);
    EXPECT_EQ(comparison.changes, c.changes) << c.name;
    EXPECT_EQ(comparison.unchanged, c.unchanged) << c.name;
    EXPECT_EQ(comparison.same(), c.changes.empty()) << c.name;
  }
}

// The window's list is compared as the writer would write it, with the base list's prefixes.
TEST(ListComparison, ComparesAnEarlierFileWithTheListInMemory) {
  test::TempDir dir;
  const std::string old_path = dir.file("old.csv");
  test::write_file(old_path, test::sjis("\"CR1,2\",,\"補助継電器\",\"ミナト制御\",\"AC100V\","
                                        "\"KR-4N\",2,    \r\n"));
  Workspace ws = test::convert_workspace({{.tag = "CR1,2,4",
                                           .name = test::sjis("補助継電器"),
                                           .maker = test::sjis("ミナト制御"),
                                           .spec = "AC100V",
                                           .type = "KR-4N",
                                           .qty = "3",
                                           .supply = "    "}},
                                         {test::base_entry("CR", "KR-")});
  test::RecordingNotifier notifier;
  const auto comparison = compare_with_current_list(ws, old_path, notifier);
  ASSERT_TRUE(comparison);
  EXPECT_EQ(comparison->changes,
            (std::vector<PartChange>{{ChangeKind::Changed, relay_key(), 2, 3, {"CR4"}, {}}}));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(ListComparison, TheCsvFileIsUtf8WithAByteOrderMarkForExcel) {
  Comparison comparison;
  comparison.changes = {
      added({"タイマ", "ミナト制御", "", "KTM-1", ""}, 2, {"T1", "T2"}),
      changed({"補助継電器", "A \"B\"", "1,2", "KR", "支給"}, 3, 2, {"CR4"}, {"CR1", "CR2"}),
      removed({"ブザー", "", "", "", ""}, 1, {"BZ1"})};
  EXPECT_EQ(format_comparison_csv(comparison),
            "\xEF\xBB\xBF"
            "\"区分\",\"部品名\",\"メーカ\",\"スペック\",\"型式\",\"支給\",\"旧数量\",\"新数量\","
            "\"追加タグ\",\"削除タグ\"\r\n"
            "\"追加\",\"タイマ\",\"ミナト制御\",\"\",\"KTM-1\",\"\",,2,\"T1,T2\",\"\"\r\n"
            "\"変更\",\"補助継電器\",\"A \"\"B\"\"\",\"1,2\",\"KR\",\"支給\",3,2,\"CR4\","
            "\"CR1,CR2\"\r\n"
            "\"削除\",\"ブザー\",\"\",\"\",\"\",\"\",1,,\"\",\"BZ1\"\r\n");
  // The window's rows.
  EXPECT_EQ(comparison_row(comparison.changes[1]), (Strings{"変更", "補助継電器", "A \"B\"", "1,2",
                                                            "KR", "支給", "3→2", "+CR4 -CR1,CR2"}));
  EXPECT_EQ(comparison_row(comparison.changes[2])[7], "BZ1");

  // Saved whole, never over a file it compared.
  test::TempDir dir;
  test::RecordingNotifier notifier;
  const std::string compared = dir.file("old.csv");
  test::write_file(compared, "old");
  EXPECT_FALSE(save_comparison_csv(compared, comparison, {compared}, notifier));
  EXPECT_EQ(test::read_file(compared), "old");
  EXPECT_EQ(notifier.said(),
            Strings{"ﾌｧｲﾙｴﾗｰ: 出力ファイルが読み込んだファイルと同じです。書き込みません。"});
  EXPECT_TRUE(save_comparison_csv(dir.file("diff.csv"), comparison, {compared}, notifier));
  EXPECT_EQ(test::read_file(dir.file("diff.csv")), format_comparison_csv(comparison));
}

}  // namespace
}  // namespace korvane
