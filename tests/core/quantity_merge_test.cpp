#include <gtest/gtest.h>

#include "convert/quantity_merge.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::Row;
using test::sjis;
using test::tags;
using Strings = std::vector<std::string>;

BasePartEntry family(std::string tag) { return test::base_entry(tag, "", "F"); }

Row relay(std::string tag, std::string qty = "1") {
  return {.tag = tag, .name = "RELAY", .maker = "MK", .type = "MY4", .qty = qty};
}

void merge(Workspace& ws) {
  test::RecordingNotifier notifier;
  EXPECT_TRUE(merge_part_quantities(ws, notifier));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(QuantityMerge, JoinsTagsAfterTheFamilyPrefixAndAddsQuantities) {
  Workspace ws = test::convert_workspace({relay("CR1", "1"), relay("CR2", "2"), relay("CR3", "1")},
                                         {family("CR")});
  merge(ws);
  EXPECT_EQ(ws.parts.rows(),
            (std::vector<PartsRow>{{"CR1,2,3", "", "RELAY", "MK", "", "MY4", "4", "    "}}));

  Workspace no_family =
      test::convert_workspace({relay("CR1", "1"), relay("CR2", "2"), relay("CR3", "1")});
  merge(no_family);
  EXPECT_EQ(tags(no_family.parts), Strings{"CR1,CR2,CR3"});
  EXPECT_EQ(no_family.parts.cell(0, 6), "4");
}

TEST(QuantityMerge, TheFamilyPrefixIsTheLongestBaseTagThatBeginsTheTag) {
  for (auto entries : {std::vector{family("C"), family("CR")}, {family("CR"), family("C")}}) {
    Workspace ws = test::convert_workspace({relay("CR5"), relay("CR6"), relay("CR")}, entries);
    merge(ws);
    // A tag equal to the prefix adds the comma alone.
    EXPECT_EQ(tags(ws.parts), Strings{"CR5,6,"});
  }
  // A later tag outside the earlier row's family is not the same part.
  Workspace other = test::convert_workspace({relay("CR5"), relay("MC1")}, {family("CR")});
  merge(other);
  EXPECT_EQ(tags(other.parts), (Strings{"CR5", "MC1"}));
}

TEST(QuantityMerge, AJoinStopsAtTheTagColumnWidthAndTheGroupContinuesInANewRecord) {
  std::vector<Row> rows;
  for (int i = 1; i <= 12; ++i) rows.push_back(relay("CR" + std::to_string(i)));
  rows.insert(rows.begin() + 5, {.tag = "MC1", .name = "OTHER"});
  Workspace ws = test::convert_workspace(rows, {family("CR")});
  merge(ws);
  // The width test comes before each join: "CR1,...,8" is 17 bytes, so 9 is still joined.
  EXPECT_EQ(tags(ws.parts), (Strings{"CR1,2,3,4,5,6,7,8,9", "CR10,11,12", "MC1"}));
  EXPECT_EQ(test::column(ws.parts, 6), (Strings{"9", "3", "0"}));
}

TEST(QuantityMerge, ANarrowOrNegativeTagColumnJoinsNothingButStillGroupsTheParts) {
  for (int width : {7, 0, -80}) {
    Workspace ws = test::convert_workspace(
        {relay("CR1", "2"), {.tag = "MC1", .name = "OTHER", .qty = "1"}, relay("CR2", "3")},
        {family("CR")});
    ws.settings.columns[0].width = width;
    merge(ws);
    EXPECT_EQ(tags(ws.parts), (Strings{"CR1", "CR2", "MC1"})) << width;
    EXPECT_EQ(test::column(ws.parts, 6), (Strings{"2", "3", "1"})) << width;
  }
}

TEST(QuantityMerge, AJoinNeverMakesTheTagLongerThan127Bytes) {
  const std::string stem(58, 'T');
  Workspace ws = test::convert_workspace(
      {relay(stem + "01"), relay(stem + "02"), relay(stem + "03"), relay(stem + "04")});
  ws.settings.columns[0].width = 8000;  // a limit of 1000
  merge(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{stem + "01," + stem + "02", stem + "03," + stem + "04"}));
  EXPECT_EQ(test::column(ws.parts, 6), (Strings{"2", "2"}));
}

TEST(QuantityMerge, SupplyClassesNeverMixAndComeOutNormalised) {
  const std::string supplied = sjis("支給");
  Workspace ws =
      test::convert_workspace({{.tag = "CR1", .qty = "2" + sjis("個"), .supply = supplied},
                               {.tag = "CR2", .qty = "1", .supply = "    "},
                               {.tag = "CR3", .qty = "1", .supply = sjis("支給品")},
                               {.tag = "CR4", .qty = "", .supply = ""},
                               {.tag = "CR5", .qty = "x", .supply = sjis("非購")}},
                              {family("CR")});
  merge(ws);
  // Empty part texts absorb every later row of the same class.
  EXPECT_EQ(tags(ws.parts), (Strings{"CR1,3", "CR2,4", "CR5"}));
  EXPECT_EQ(test::column(ws.parts, 6), (Strings{"3", "1", "0"}));
  EXPECT_EQ(test::column(ws.parts, 7), (Strings{supplied, "    ", sjis("非購")}));
}

TEST(QuantityMerge, LaterTextsMustBeginWithTheEarlierOnesAndTheFirstDrawingNumberStays) {
  Workspace ws = test::convert_workspace(
      {{.tag = "CR1", .drawing = "D1", .name = "RE", .type = "MY", .qty = "1"},
       {.tag = "CR2", .drawing = "D2", .name = "RELAY", .type = "MY4", .qty = "1"},
       {.tag = "CR3", .drawing = "D3", .name = "R", .type = "MY4", .qty = "1"},
       {.tag = "CR4", .name = "RE", .spec = "24V", .type = "MY", .qty = "1"}},
      {family("CR")});
  merge(ws);
  // CR3's name is shorter than CR1's, so it starts its own row.
  EXPECT_EQ(tags(ws.parts), (Strings{"CR1,2,4", "CR3"}));
  EXPECT_EQ(test::column(ws.parts, 1), (Strings{"D1", "D3"}));
  EXPECT_EQ(test::column(ws.parts, 6), (Strings{"3", "1"}));
}

TEST(QuantityMerge, FiveThousandRowsAreMergedAndOneMoreIsRefusedUntouched) {
  std::vector<Row> rows(5000, relay("CR1"));
  Workspace ws = test::convert_workspace(rows);
  ws.settings.columns[0].width = 0;
  merge(ws);
  EXPECT_EQ(ws.parts.row_count(), 5000);

  rows.push_back(relay("CR2"));
  Workspace big = test::convert_workspace(rows);
  const auto before = big.parts.rows();
  test::RecordingNotifier notifier;
  EXPECT_FALSE(merge_part_quantities(big, notifier));
  EXPECT_EQ(big.parts.rows(), before);
  EXPECT_EQ(notifier.said(), Strings{"メモリオーバー: 総部品点数が5000個を超えてます。"});

  Workspace empty = test::convert_workspace({});
  merge(empty);
  EXPECT_EQ(empty.parts.row_count(), 0);
}

}  // namespace
}  // namespace korvane
