#include <gtest/gtest.h>

#include "convert/duplicate_removal.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::Row;
using test::tags;
using Strings = std::vector<std::string>;

BasePartEntry listed(std::string type) { return test::base_entry("", type, "P"); }

TEST(DuplicateRemoval, EmptyListAndDistinctTagsAreLeftAlone) {
  Workspace empty = test::convert_workspace({}, {listed("T")});
  remove_duplicate_parts(empty);
  EXPECT_EQ(empty.parts.row_count(), 0);

  Workspace ws = test::convert_workspace(
      {{.tag = "CR1"}, {.tag = "cr1"}, {.tag = "CR1 "}, {.tag = "CR10"}, {.tag = "MC1"}});
  const auto before = ws.parts.rows();
  remove_duplicate_parts(ws);
  EXPECT_EQ(ws.parts.rows(), before);  // case and trailing blanks make tags differ
}

TEST(DuplicateRemoval, KeepsTheRowWhoseTypeIsListedUnlessTheEarlierTypeBeginsWithIt) {
  // The earlier type is empty; the later one is listed: the later row replaces it.
  Workspace a = test::convert_workspace(
      {{.tag = "CR1", .drawing = "first"}, {.tag = "CR1", .drawing = "second", .type = "MY4"}},
      {listed("MY4")});
  remove_duplicate_parts(a);
  EXPECT_EQ(test::column(a.parts, 1), Strings{"second"});

  // XYZ-10A begins with the listed XYZ-10: the earlier row stays.
  Workspace b = test::convert_workspace(
      {{.tag = "CR1", .type = "XYZ-10A"}, {.tag = "CR1", .type = "XYZ-10"}}, {listed("XYZ-10")});
  remove_duplicate_parts(b);
  EXPECT_EQ(test::column(b.parts, 5), Strings{"XYZ-10A"});

  // A later type that is not listed loses whatever the earlier row holds.
  Workspace c = test::convert_workspace(
      {{.tag = "CR1", .type = "junk"}, {.tag = "CR1", .type = "XYZ-10"}}, {listed("MY4")});
  remove_duplicate_parts(c);
  EXPECT_EQ(test::column(c.parts, 5), Strings{"junk"});

  // Without a base parts list every group keeps its first row.
  Workspace d = test::convert_workspace(
      {{.tag = "CR1", .type = ""}, {.tag = "MC1"}, {.tag = "CR1", .type = "MY4"}});
  remove_duplicate_parts(d);
  EXPECT_EQ(tags(d.parts), (Strings{"CR1", "MC1"}));
  EXPECT_EQ(test::column(d.parts, 5), (Strings{"", ""}));
}

TEST(DuplicateRemoval, TheReferenceRowCanBeReplacedMidScan) {
  // First and third CR1 go: the second replaces the first, then outlives the unlisted third.
  // Rows of other tags in between keep their places, and the MC1 group is still reduced after
  // the reference of the CR1 scan moved.
  Workspace ws = test::convert_workspace({{.tag = "CR1", .type = "AAA"},
                                          {.tag = "MC1", .type = "x"},
                                          {.tag = "CR1", .type = "MY4"},
                                          {.tag = "MC1", .type = "y"},
                                          {.tag = "CR1", .type = "ZZZ"},
                                          {.tag = "TH1"}},
                                         {listed("MY4")});
  remove_duplicate_parts(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{"MC1", "CR1", "TH1"}));
  EXPECT_EQ(test::column(ws.parts, 5), (Strings{"x", "MY4", ""}));

  // A reference replaced twice: each listed later type that the standing type does not begin
  // with takes over.
  Workspace twice = test::convert_workspace(
      {{.tag = "CR1", .type = "A"}, {.tag = "CR1", .type = "L1"}, {.tag = "CR1", .type = "L2"}},
      {listed("L1"), listed("L2")});
  remove_duplicate_parts(twice);
  EXPECT_EQ(test::column(twice.parts, 5), Strings{"L2"});
}

TEST(DuplicateRemoval, TagsCompareOverTheirFirst63BytesAndEmptyTagsAreDuplicates) {
  const std::string common(63, 'T');
  Workspace ws = test::convert_workspace({{.tag = ""},
                                          {.tag = common + "A", .drawing = "1"},
                                          {.tag = ""},
                                          {.tag = common + "B", .drawing = "2"},
                                          {.tag = ""}});
  remove_duplicate_parts(ws);
  EXPECT_EQ(tags(ws.parts), (Strings{"", common + "A"}));
}

TEST(DuplicateRemoval, UsesTheConfiguredTagAndTypeColumns) {
  Workspace ws = test::convert_workspace(
      {{.drawing = "T1", .spec = "old"}, {.drawing = "T1", .spec = "MY4"}, {.drawing = "T2"}},
      {listed("MY4")});
  ws.settings.column_map.tag = 1;
  ws.settings.column_map.type = 4;
  remove_duplicate_parts(ws);
  EXPECT_EQ(test::column(ws.parts, 4), (Strings{"MY4", ""}));
}

}  // namespace
}  // namespace korvane
