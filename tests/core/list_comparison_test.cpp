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

TEST(ListComparison, FamilyPrefixesAreTheBaseTagsAsTheMergeTakesThem) {
  BasePartsStore base;
  base.entries = {test::base_entry("MC", ""), test::base_entry("", ""),
                  test::base_entry(test::sjis("ＣＲ"), ""),
                  test::base_entry(std::string(40, 'T'), "")};
  EXPECT_EQ(family_prefixes(base), (Strings{"MC", "ＣＲ", std::string(kTagCapacity - 1, 'T')}));
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

TEST(ListComparison, GathersRowsPerPartWithQuantitiesAddedAndTagsOnce) {
  ColumnMap map;
  const Strings prefixes = {"CR", "T"};
  // One part over three rows (a join that stopped at the tag column's width, a blank supply
  // class either way, a name with trailing blanks); a repeated tag counts once.
  const GatheredList gathered = gather_parts(
      rows({relay("CR1,2,3", "3"),
            timer("T1", "1"),
            relay("CR4", "1", ""),
            {"CR2,5", "", "補助継電器  ", "ミナト制御", "AC100V ", "KR-4N", "2", " "}}),
      map, prefixes);
  ASSERT_FALSE(gathered.fault);
  EXPECT_EQ(gathered.parts,
            (std::vector<GatheredPart>{{relay_key(), 6, {"CR1", "CR2", "CR3", "CR4", "CR5"}},
                                       {kTimer, 1, {"T1"}}}));

  // The column map says where each field is; a column outside the row reads as empty.
  map.part_name = 5;
  map.type = 2;
  map.maker = 9;
  const GatheredList moved = gather_parts(rows({relay("CR1", "1")}), map, prefixes);
  ASSERT_EQ(moved.parts.size(), 1u);
  EXPECT_EQ(moved.parts[0].key, (PartKey{"KR-4N", "", "AC100V", "補助継電器", ""}));
}

TEST(ListComparison, ListsWithMoreTagsThanAnyDrawingSetAreRefusedAtTheirLine) {
  std::vector<ListedRow> many;
  for (std::size_t line = 1; line <= 120; ++line)
    many.push_back(listed(line, relay("CR1-999", "1")));
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

TEST(ListComparison, FindsAddedRemovedAndChangedPartsInTheNewListsOrder) {
  const PartKey contactor = {"電磁接触器", "コルベ電機", "", "KC-11", ""};
  const PartsRow mc = {"MC1,2", "", "電磁接触器", "コルベ電機", "", "KC-11", "2", "    "};
  const PartKey supplied = relay_key("支給");
  const std::vector<CompareCase> cases = {
      {"the same parts in other rows and another order",
       rows({relay("CR1,2", "2"), timer("T1", "1")}),
       rows({timer("T1", "1"), relay("CR2", "1"), relay("CR1", "1")}),
       {},
       2},
      {"renumbered tags and a removed part: the new list's order, then the removed ones",
       rows({relay("CR1", "1"), mc, timer("T1", "1")}),
       rows({timer("T2", "1"), relay("CR1", "1")}),
       {{ChangeKind::Changed, kTimer, 1, 1, {"T2"}, {"T1"}},
        {ChangeKind::Removed, contactor, 2, 0, {}, {"MC1", "MC2"}}},
       1},
      {"a new part",
       rows({relay("CR1", "1")}),
       rows({mc, relay("CR1", "1")}),
       {{ChangeKind::Added, contactor, 0, 2, {"MC1", "MC2"}, {}}},
       1},
      {"a quantity alone",
       rows({relay("CR1", "1")}),
       rows({relay("CR1", "3")}),
       {{ChangeKind::Changed, relay_key(), 1, 3, {}, {}}},
       0},
      {"a tag moving between parts",
       rows({relay("CR1,2,3", "3"), relay("CR4", "1", "支給")}),
       rows({relay("CR1,2", "2"), relay("CR3,4", "2", "支給")}),
       {{ChangeKind::Changed, relay_key(), 3, 2, {}, {"CR3"}},
        {ChangeKind::Changed, supplied, 1, 2, {"CR3"}, {}}},
       0},
      {"a blank supply class is the same however many blanks",
       rows({relay("CR1", "1", "    ")}),
       rows({relay("CR1", "1", "")}),
       {},
       1},
      {"another supply class is another part",
       rows({relay("CR1", "1")}),
       rows({relay("CR1", "1", "支給")}),
       {{ChangeKind::Added, supplied, 0, 1, {"CR1"}, {}},
        {ChangeKind::Removed, relay_key(), 1, 0, {}, {"CR1"}}},
       0},
      {"the range form against the merged form",
       rows({relay("CR1,2,3,5", "4")}),
       rows({relay("CR1-3,5", "4")}),
       {},
       1},
      {"two empty lists", {}, {}, {}, 0},
  };
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

// Both files are decoded before they are compared, and the window's list is compared as the
// writer would write it.
TEST(ListComparison, ComparesFilesOfEitherEncodingAndTheListInMemory) {
  test::TempDir dir;
  const std::string old_path = dir.file("old.csv");
  const std::string new_path = dir.file("new.csv");
  test::write_file(old_path, test::sjis("\"CR1,2\",,\"補助継電器\",\"ミナト制御\",\"AC100V\","
                                        "\"KR-4N\",2,    \r\n"));
  test::write_file(new_path,
                   std::string(kUtf8Bom) +
                       "\"CR1\",,\"補助継電器\",\"ミナト制御\",\"AC100V\",\"KR-4N\",1,\r\n"
                       "\"CR2\",,\"補助継電器\",\"ミナト制御\",\"AC100V\",\"KR-4N\",1,\r\n");
  const ColumnMap map;
  const Strings prefixes = {"CR"};
  test::RecordingNotifier notifier;
  const auto same = compare_parts_list_files(old_path, new_path, {map, prefixes}, notifier);
  ASSERT_TRUE(same);
  EXPECT_TRUE(same->same());
  EXPECT_EQ(same->unchanged, 1u);

  Workspace ws = test::convert_workspace({{.tag = "CR1,2,4",
                                           .name = test::sjis("補助継電器"),
                                           .maker = test::sjis("ミナト制御"),
                                           .spec = "AC100V",
                                           .type = "KR-4N",
                                           .qty = "3",
                                           .supply = "    "}},
                                         {test::base_entry("CR", "KR-")});
  const auto against_list = compare_with_current_list(ws, old_path, notifier);
  ASSERT_TRUE(against_list);
  EXPECT_EQ(against_list->changes,
            (std::vector<PartChange>{{ChangeKind::Changed, relay_key(), 2, 3, {"CR4"}, {}}}));

  // A file that is no parts list stops the comparison, naming the file.
  const auto bad =
      compare_parts_list_files(old_path, dir.file("none.csv"), {map, prefixes}, notifier);
  EXPECT_FALSE(bad);
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].file, dir.file("none.csv"));
}

TEST(ListComparison, TheCsvFileIsUtf8WithAByteOrderMarkForExcel) {
  Comparison comparison;
  comparison.changes = {
      {ChangeKind::Added, {"タイマ", "ミナト制御", "", "KTM-1", ""}, 0, 2, {"T1", "T2"}, {}},
      {ChangeKind::Changed,
       {"補助継電器", "A \"B\"", "1,2", "KR", "支給"},
       3,
       2,
       {"CR4"},
       {"CR1", "CR2"}},
      {ChangeKind::Removed, {"ブザー", "", "", "", ""}, 1, 0, {}, {"BZ1"}},
  };
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
