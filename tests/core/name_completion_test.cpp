#include <gtest/gtest.h>

#include "convert/name_completion.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::Row;
using test::sjis;
using Strings = std::vector<std::string>;

BasePartEntry entry(std::string tag, std::string type, std::string name = "RELAY", int supply = 0) {
  return test::base_entry(tag, type, name, "MK", supply);
}

TEST(NameCompletion, WildcardStandsForExactlyOneByte) {
  EXPECT_TRUE(wildcard_tag_match("CRA1", "CR*1"));
  EXPECT_TRUE(wildcard_tag_match("CR21X", "CR*1"));
  EXPECT_FALSE(wildcard_tag_match("CR1", "CR*1"));
  EXPECT_FALSE(wildcard_tag_match("CR", "CR*1"));
  EXPECT_FALSE(wildcard_tag_match("CRA2", "CR*1"));
  EXPECT_FALSE(wildcard_tag_match("CX1", "CR*1"));
  EXPECT_TRUE(wildcard_tag_match("CR", "CR*"));  // nothing after the "*": it may be the end
  EXPECT_TRUE(wildcard_tag_match("CR5", "CR*"));
  EXPECT_FALSE(wildcard_tag_match("C", "CR*"));
  EXPECT_TRUE(wildcard_tag_match("", "*"));
  EXPECT_TRUE(wildcard_tag_match("CXR*", "C*R*"));  // only the first "*" is a wildcard
  EXPECT_FALSE(wildcard_tag_match("CXRZ", "C*R*"));
  EXPECT_FALSE(wildcard_tag_match("CR1", "CR1"));
}

TEST(NameCompletion, FirstPhaseNeedsTagAndTypeSecondPhaseEitherForUnnamedRows) {
  Workspace ws = test::convert_workspace(
      {{.tag = "CR12", .name = "old", .type = "MY4N-D2"},
       {.tag = "CR12", .type = "G7L"},
       {.tag = "CR13", .name = "kept", .type = "G7L"},
       {.tag = "CRA1", .type = "X"},
       {.tag = "CR1", .type = "X"},
       {.tag = "TH1", .type = "MY4"}},
      {entry("CR", "MY4", "RELAY", 1), entry("CR*1", "X", "WILD", 3), entry("CR", "", "LATE")});
  complete_part_names(ws);
  // Row 0 matches by tag and type and is overwritten; row 1 only by tag in the second phase;
  // row 2 has a name, so the second phase leaves it; CRA1 matches the wildcard; CR1 is not a
  // wildcard match but begins with CR; TH1 matches the type MY4 in the second phase.
  EXPECT_EQ(test::column(ws.parts, 2),
            (Strings{"RELAY", "RELAY", "kept", "WILD", "RELAY", "RELAY"}));
  EXPECT_EQ(test::column(ws.parts, 3), (Strings{"MK", "MK", "", "MK", "MK", "MK"}));
  const std::string supplied = sjis("支給");
  EXPECT_EQ(test::column(ws.parts, 7),
            (Strings{supplied, supplied, "", "    ", supplied, supplied}));
  // Nothing else of a matched row changes.
  EXPECT_EQ(test::column(ws.parts, 0), (Strings{"CR12", "CR12", "CR13", "CRA1", "CR1", "TH1"}));
  EXPECT_EQ(test::column(ws.parts, 5), (Strings{"MY4N-D2", "G7L", "G7L", "X", "X", "MY4"}));
  EXPECT_EQ(ws.parts.row_count(), 6);
}

TEST(NameCompletion, EntriesWithoutTagOrTypeAreReachedOnlyInTheSecondPhase) {
  Workspace ws = test::convert_workspace(
      {{.tag = "CR1", .type = "MY4"}, {.tag = "Q1", .type = "Z"}},
      {entry("", "MY4", "BY TYPE"), entry("CR", "", "BY TAG"), entry("Q", "", "Q")});
  complete_part_names(ws);
  // The first phase finds no entry with both; in the second the type entry comes first.
  EXPECT_EQ(test::column(ws.parts, 2), (Strings{"BY TYPE", "Q"}));
}

TEST(NameCompletion, AccessoriesAreAppendedInCompletionOrderFromTheFilledSlots) {
  BasePartEntry relay = entry("CR", "MY4", "RELAY", 2);
  relay.accessories[1] = {"SOCKET", "PYF14"};
  relay.accessories[3] = {"CLIP", ""};
  BasePartEntry timer = entry("TR", "H3Y", "TIMER");
  timer.accessories[0] = {"BASE", "PYF08"};
  Workspace ws = test::convert_workspace(
      {{.tag = "TR1", .drawing = "D1", .spec = "S", .type = "other", .qty = "3"},
       {.tag = "CR1", .drawing = "D2", .spec = "S", .type = "MY4N", .qty = "5"}},
      {relay, timer});
  complete_part_names(ws);
  // CR1 is completed in the first phase, TR1 only in the second: CR1's accessories come first.
  ASSERT_EQ(ws.parts.row_count(), 5);
  const std::string np = sjis("非購");
  EXPECT_EQ(ws.parts.row(2), (PartsRow{"CR1", "", "SOCKET", "MK", "", "PYF14", "1", np}));
  EXPECT_EQ(ws.parts.row(3), (PartsRow{"CR1", "", "CLIP", "MK", "", "", "1", np}));
  EXPECT_EQ(ws.parts.row(4), (PartsRow{"TR1", "", "BASE", "MK", "", "PYF08", "1", "    "}));
  // The main rows keep their quantities.
  EXPECT_EQ(test::column(ws.parts, 6), (Strings{"3", "5", "1", "1", "1"}));
}

TEST(NameCompletion, AnEntryWithoutNameIsLookedUpAgainAndAddsItsAccessoriesTwice) {
  BasePartEntry nameless = entry("CR", "MY4", "");
  nameless.accessories[0] = {"SOCKET", ""};
  Workspace ws = test::convert_workspace({{.tag = "CR1", .type = "MY4"}}, {nameless});
  complete_part_names(ws);
  EXPECT_EQ(test::column(ws.parts, 2), (Strings{"", "SOCKET", "SOCKET"}));
  // Appended rows are never looked up themselves, and a second run completes the same rows
  // again.
  complete_part_names(ws);
  EXPECT_EQ(ws.parts.row_count(), 5);
}

TEST(NameCompletion, EmptyInputsChangeNothingAndTheFirstStoredEntryWins) {
  Workspace none = test::convert_workspace({{.tag = "CR1", .type = "MY4"}});
  complete_part_names(none);
  EXPECT_EQ(none.parts.row(0), test::to_row({.tag = "CR1", .type = "MY4"}));

  Workspace empty = test::convert_workspace({}, {entry("CR", "MY4")});
  complete_part_names(empty);
  EXPECT_EQ(empty.parts.row_count(), 0);

  Workspace ws = test::convert_workspace({{.tag = "CR1", .type = "MY4"}},
                                         {entry("C", "MY", "FIRST"), entry("CR", "MY4", "SECOND")});
  complete_part_names(ws);
  EXPECT_EQ(ws.parts.cell(0, 2), "FIRST");
}

TEST(NameCompletion, RowsAreMatchedOnTheir63FirstBytesAndTextsCopiedAsBytes) {
  const std::string long_tag = "CR" + std::string(61, '1');
  BasePartEntry e = entry("CR", "%s%n", sjis("リレー%d"));
  e.accessories[0] = {sjis("ソケット"), "%s"};
  Workspace ws = test::convert_workspace({{.tag = long_tag + "XYZ", .type = "%s%n"}}, {e});
  complete_part_names(ws);
  EXPECT_EQ(ws.parts.cell(0, 2), sjis("リレー%d"));
  // The accessory row carries the tag as it was read: 63 bytes.
  EXPECT_EQ(ws.parts.row(1),
            (PartsRow{long_tag, "", sjis("ソケット"), "MK", "", "%s", "1", "    "}));
}

TEST(NameCompletion, InsertPartsRowPlacesTheBufferAtTheIndex) {
  PartsList parts;
  parts.append_row({"A"});
  parts.append_row({"B"});
  insert_parts_row(parts, {"X", "1", "2", "3", "4", std::string(70, 'y'), "6", "7"}, 1);
  EXPECT_EQ(test::tags(parts), (Strings{"A", "X", "B"}));
  EXPECT_EQ(parts.row(1), (PartsRow{"X", "1", "2", "3", "4", std::string(63, 'y'), "6", "7"}));
}

}  // namespace
}  // namespace korvane
