#include <gtest/gtest.h>

#include "convert/part_sort.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::Row;
using test::sjis;
using test::tags;
using Strings = std::vector<std::string>;

BasePartEntry entry(std::string tag, std::string name) { return test::base_entry(tag, "", name); }

void sort(Workspace& ws) {
  test::RecordingNotifier notifier;
  EXPECT_TRUE(sort_parts(ws, notifier));
  EXPECT_TRUE(notifier.messages.empty());
}

const std::string kSupplied = sjis("支給");
const std::string kNotPurchased = sjis("非購");

TEST(PartSort, SupplyClassComesBeforeTheBasePartsListOrder) {
  Workspace ws =
      test::convert_workspace({{.tag = "MC1", .name = "MC", .qty = "1", .supply = kSupplied},
                               {.tag = "CR1", .name = "CR", .qty = "1", .supply = "    "},
                               {.tag = "CR2", .name = "CR", .qty = "1", .supply = kSupplied}},
                              {entry("CR", "CR"), entry("MC", "MC")});
  sort(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{"CR2", "MC1", "CR1"}));
}

TEST(PartSort, SixGroupsInOrderEachStable) {
  Workspace ws = test::convert_workspace(
      {{.tag = "X1", .name = "N", .qty = "1", .supply = "    "},                 // 6: no entry
       {.tag = "Z1", .name = "N", .qty = "0", .supply = kSupplied},              // 6: no quantity
       {.tag = "MC2", .name = "MC", .qty = "1", .supply = ""},                   // 5: entry MC
       {.tag = "CR9", .name = "CR", .qty = "1", .supply = kNotPurchased},        // 3: entry CR
       {.tag = "X2", .name = "N", .qty = "4", .supply = kNotPurchased},          // 4
       {.tag = "X3", .name = "N", .qty = "1", .supply = sjis("支給品")},         // 2
       {.tag = "CR1", .name = "CR", .qty = "2" + sjis("個"), .supply = "    "},  // 5: entry CR
       {.tag = "MC1", .name = "MC", .qty = "1", .supply = kSupplied},            // 1: entry MC
       {.tag = "CR3", .name = "CR", .qty = "1", .supply = kSupplied},            // 1: entry CR
       {.tag = "CR4", .name = "CR", .qty = "", .supply = kSupplied},             // 6: no quantity
       {.tag = "X4", .name = "N", .qty = "1", .supply = kSupplied},              // 2
       {.tag = "CR5", .name = "CR", .qty = "1", .supply = kSupplied}},           // 1: entry CR
      {entry("CR", "CR"), entry("MC", "MC")});
  sort(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{"CR3", "CR5", "MC1", "X3", "X4", "CR9", "X2", "CR1", "MC2",
                                     "X1", "Z1", "CR4"}));
  EXPECT_EQ(test::column(ws.parts, 6),
            (Strings{"1", "1", "1", "1", "1", "1", "4", "2", "1", "1", "0", "0"}));
  EXPECT_EQ(test::column(ws.parts, 7),
            (Strings{kSupplied, kSupplied, kSupplied, kSupplied, kSupplied, kNotPurchased,
                     kNotPurchased, "    ", "    ", "    ", kSupplied, kSupplied}));
}

TEST(PartSort, TheRowNameBeginsAnEntryNameButTheEntryTagBeginsTheRowTag) {
  BasePartEntry relay = entry("CR", "RELAY");
  relay.accessories[1].name = "SOCKET";
  Workspace ws = test::convert_workspace(
      {{.tag = "CRX", .name = "RELAYS", .qty = "1"},  // longer than every name: no entry
       {.tag = "C1", .name = "REL", .qty = "1"},      // its tag does not begin with CR
       {.tag = "MC2", .name = "MCBX", .qty = "1"},    // longer than MCB: the third entry
       {.tag = "CR2", .name = "SOCKET", .qty = "1"},  // accessory 2's name
       {.tag = "Q1", .name = "Z", .qty = "1"},        // an empty entry tag begins every tag
       {.tag = "MC1", .name = "MC", .qty = "1"},      // begins MCB and MCBX: the first wins
       {.tag = "CR1", .name = "", .qty = "1"}},       // empty name: the first entry by tag
      {entry("MC", "MCB"), relay, entry("M", "MCBX"), entry("", "ZZ")});
  sort(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{"MC1", "CR2", "CR1", "MC2", "Q1", "CRX", "C1"}));
}

TEST(PartSort, WithoutBasePartsTheOrderStaysAndOnlyCellsAreRewritten) {
  Workspace ws = test::convert_workspace(
      {{.tag = "B", .qty = "0", .supply = kSupplied},
       {.tag = "A", .qty = " 07", .supply = sjis("非購品")},
       {.tag = std::string(130, 'T'), .drawing = std::string(40, 'd'), .qty = "", .supply = ""}});
  sort(ws);
  EXPECT_EQ(ws.parts.rows(), (std::vector<PartsRow>{{"B", "", "", "", "", "", "0", kSupplied},
                                                    {"A", "", "", "", "", "", "7", kNotPurchased},
                                                    {std::string(127, 'T'), std::string(31, 'd'),
                                                     "", "", "", "", "0", "    "}}));
}

TEST(PartSort, FiveThousandRowsAreSortedAndOneMoreIsRefusedUntouched) {
  std::vector<Row> rows(4999, {.tag = "CR1", .qty = "1"});
  rows.push_back({.tag = "CR2", .qty = "1", .supply = kSupplied});
  Workspace ws = test::convert_workspace(rows, {entry("CR", "")});
  sort(ws);
  EXPECT_EQ(ws.parts.cell(0, 0), "CR2");
  EXPECT_EQ(ws.parts.row_count(), 5000);

  rows.push_back({.tag = "CR3"});
  Workspace big = test::convert_workspace(rows, {entry("CR", "")});
  const auto before = big.parts.rows();
  test::RecordingNotifier notifier;
  EXPECT_FALSE(sort_parts(big, notifier));
  EXPECT_EQ(big.parts.rows(), before);
  EXPECT_EQ(notifier.said(), Strings{"メモリオーバー: 総部品点数が5000個を超えてます。"});

  Workspace empty = test::convert_workspace({}, {entry("CR", "")});
  sort(empty);
  EXPECT_EQ(empty.parts.row_count(), 0);
}

}  // namespace
}  // namespace korvane
