#include <gtest/gtest.h>

#include <algorithm>

#include "convert/name_completion.h"
#include "convert/passes.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::sjis;
using Passes = std::vector<Pass>;

TEST(PassList, NamesAllNoneOrACommaList) {
  Passes p{Pass::Sort};
  EXPECT_TRUE(parse_pass_list("all", p));
  EXPECT_EQ(p, (Passes{Pass::Dedupe, Pass::Complete, Pass::Merge, Pass::Sort}));
  EXPECT_TRUE(parse_pass_list("none", p));
  EXPECT_TRUE(p.empty());
  EXPECT_TRUE(parse_pass_list("sort,merge,sort", p));
  EXPECT_EQ(p, (Passes{Pass::Sort, Pass::Merge, Pass::Sort}));
  EXPECT_TRUE(parse_pass_list("complete", p));
  EXPECT_EQ(p, Passes{Pass::Complete});
  for (const char* bad : {"", ",", "sort,", ",sort", "sort,,merge", "Sort", " sort", "sort,all",
                          "none,sort", "dedup"}) {
    EXPECT_FALSE(parse_pass_list(bad, p)) << bad;
    EXPECT_EQ(p, Passes{Pass::Complete}) << bad;  // a failed parse changes nothing
  }
}

TEST(PassList, TheFullConversionTurnsRecognisedRowsIntoAFinishedList) {
  BasePartEntry relay = test::base_entry("CR", "MY4", "RELAY", "OMR", 1);
  relay.accessories[0] = {"SOCKET", "PYF14"};
  const BasePartEntry contactor = test::base_entry("MC", "SC", "CONTACTOR", "FUJ");
  Workspace ws = test::convert_workspace({{.tag = "CR1", .spec = "24V", .type = "", .qty = "1"},
                                          {.tag = "MC1", .type = "SC-03", .qty = "1"},
                                          {.tag = "CR1", .spec = "24V", .type = "MY4", .qty = "1"},
                                          {.tag = "CR2", .spec = "24V", .type = "MY4N", .qty = "1"},
                                          {.tag = "TH1", .type = "X", .qty = "1"}},
                                         {relay, contactor});
  Passes all;
  ASSERT_TRUE(parse_pass_list("all", all));
  test::RecordingNotifier notifier;
  EXPECT_TRUE(run_passes(ws, notifier, all));
  EXPECT_TRUE(notifier.messages.empty());
  const std::string supplied = sjis("支給");
  // The first CR1 lost to the one with the listed type; both relays and their sockets merged
  // into CR1,2; supplied parts of the first entry lead, the contactor follows as a purchased
  // part of the second entry, and TH1, known to no entry, comes last.
  EXPECT_EQ(ws.parts.rows(), (std::vector<PartsRow>{
                                 {"CR1,2", "", "RELAY", "OMR", "24V", "MY4", "2", supplied},
                                 {"CR1,2", "", "SOCKET", "OMR", "", "PYF14", "2", supplied},
                                 {"MC1", "", "CONTACTOR", "FUJ", "", "SC-03", "1", "    "},
                                 {"TH1", "", "", "", "", "X", "1", "    "},
                             }));
}

TEST(PassList, RefusingPassesAreReportedAndTheRestStillRun) {
  std::vector<test::Row> rows(5000, {.tag = "CR1", .qty = "01"});
  Workspace ws = test::convert_workspace(rows, {test::base_entry("CR", "T", "P")});
  ws.base_parts.entries[0].accessories[0].name = "A";
  test::RecordingNotifier notifier;
  // Completion takes the list past 5000 rows; merge and sort both refuse it.
  EXPECT_FALSE(run_passes(ws, notifier, {Pass::Complete, Pass::Merge, Pass::Sort}));
  EXPECT_EQ(ws.parts.row_count(), 10000);
  EXPECT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(ws.parts.cell(0, 6), "01");  // no rebuild happened

  Workspace same = test::convert_workspace({{.tag = "CR1", .qty = "x"}});
  EXPECT_TRUE(run_passes(same, notifier, {}));
  EXPECT_EQ(same.parts.cell(0, 6), "x");
}

// Duplicate removal and completion delete or insert single rows: the other rows stay the same
// rows (their ids), so whatever the user marked stays on them. Merge and sort build a new list.
TEST(PassList, DedupeAndCompletionKeepTheRowsTheyLeaveMergeAndSortMakeNewOnes) {
  BasePartEntry relay = test::base_entry("CR", "MY4", "RELAY", "OMR");
  relay.accessories[0] = {"SOCKET", "PYF14"};
  const Workspace read = test::convert_workspace({{.tag = "MC1", .qty = "1"},
                                                  {.tag = "MC1", .qty = "1"},
                                                  {.tag = "CR1", .type = "MY4", .qty = "1"},
                                                  {.tag = "CR2", .type = "MY4", .qty = "1"}},
                                                 {relay});
  const std::vector<RowId>& ids = read.parts.row_ids();
  struct Case {
    Pass pass;
    std::vector<RowId> kept;  // the ids of the rows the pass leaves, in order; any rows after
                              // them are new
  };
  const Case cases[] = {{Pass::Dedupe, {ids[0], ids[2], ids[3]}},
                        {Pass::Complete, {ids[0], ids[1], ids[2], ids[3]}},
                        {Pass::Merge, {}},
                        {Pass::Sort, {}}};
  for (const Case& c : cases) {
    Workspace ws = read;
    test::RecordingNotifier notifier;
    ASSERT_TRUE(run_passes(ws, notifier, {c.pass})) << pass_name(c.pass);
    const std::vector<RowId>& after = ws.parts.row_ids();
    ASSERT_GE(after.size(), c.kept.size()) << pass_name(c.pass);
    ASSERT_GT(after.size(), 0u) << pass_name(c.pass);
    EXPECT_EQ(std::vector<RowId>(after.begin(), after.begin() + static_cast<long>(c.kept.size())),
              c.kept)
        << pass_name(c.pass);
    for (std::size_t i = c.kept.size(); i < after.size(); ++i) {
      EXPECT_EQ(std::count(ids.begin(), ids.end(), after[i]), 0) << pass_name(c.pass) << " " << i;
    }
  }
  // Completion adds the two relays' sockets.
  Workspace completed = read;
  complete_part_names(completed);
  EXPECT_EQ(completed.parts.row_count(), 6);
}

}  // namespace
}  // namespace korvane
