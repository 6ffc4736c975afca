// Properties of the conversion passes on random lists (fixed seeds), and the duplicate removal
// and the sort compared with a step-by-step transcription of their rules.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "convert/duplicate_removal.h"
#include "convert/name_completion.h"
#include "convert/part_sort.h"
#include "convert/quantity_merge.h"
#include "convert/work_table.h"
#include "convert_test_support.h"

namespace korvane {
namespace {

using test::sjis;
using Rows = std::vector<PartsRow>;

class RandomLists {
 public:
  explicit RandomLists(std::uint32_t seed) : rng_(seed) {}

  // Short texts stay within every buffer; long ones cross them at odd and even byte offsets.
  Workspace workspace(bool long_texts) {
    long_texts_ = long_texts;
    std::vector<test::Row> rows(number(40));
    for (test::Row& r : rows) {
      r = {pick({"CR1", "CR2", "CR12", "MC1", "C1", "", "cr1", "CR1 ", "CRA1", "TH1"}),
           pick({"", "D1", "D2"}),
           pick({"", "RELAY", "REL", "SOCKET", "MC", "MCB"}),
           pick({"", "OMR", "O"}),
           pick({"", "24V", "2"}),
           pick({"", "MY4", "MY4N", "MY", "SC-03", "X"}),
           pick({"1", "2", "0", "", "x", "-1", " 5", "3" + sjis("個")}),
           pick({"", "    ", sjis("支給"), sjis("非購"), sjis("支給品")})};
    }
    std::vector<BasePartEntry> entries(number(6));
    for (BasePartEntry& e : entries) {
      e.part_name = pick({"RELAY", "MC", "MCB", ""});
      e.tag = pick({"CR", "C", "MC", "CR*1", "CR*", "", "TH"});
      e.type = pick({"MY4", "MY", "SC", ""});
      e.maker = pick({"OMR", ""});
      e.supply_class = static_cast<int>(number(3));
      for (Accessory& a : e.accessories) a = {pick({"", "", "SOCKET"}), pick({"", "PYF"})};
    }
    return test::convert_workspace(rows, entries);
  }

 private:
  std::size_t number(std::size_t below) {
    return std::uniform_int_distribution<std::size_t>(0, below)(rng_);
  }
  std::string pick(std::initializer_list<std::string> from) {
    std::string text = *(from.begin() + number(from.size() - 1));
    if (long_texts_ && number(4) == 0) {
      std::string filler = number(1) ? "A" : "";
      for (int i = 0; i < 70; ++i) filler += sjis("あ");
      text += filler;
    }
    return text;
  }

  std::mt19937 rng_;
  bool long_texts_ = false;
};

// The pairwise scan with its moving reference row, deleting as it goes.
Rows dedupe_step_by_step(Rows rows, const std::vector<BasePartEntry>& entries) {
  std::set<std::string> listed;
  for (const BasePartEntry& e : entries) {
    if (!e.type.empty()) listed.insert(e.type);
  }
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t ref = i;
    bool moved = false;
    for (std::size_t j = i + 1; j < rows.size();) {
      if (rows[j][0] != rows[ref][0]) {
        ++j;
      } else if (listed.contains(rows[j][5]) && !rows[ref][5].starts_with(rows[j][5])) {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(ref));
        ref = j - 1;
        moved = true;
      } else {
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(j));
      }
    }
    if (!moved) ++i;
  }
  return rows;
}

// The sort's steps: move matching rows entry by entry, class by class; then the rest.
Rows sort_step_by_step(Rows rows, const std::vector<BasePartEntry>& entries) {
  Rows out;
  const auto matches = [](const PartsRow& r, const BasePartEntry& e) {
    if (!r[0].starts_with(e.tag)) return false;
    if (e.part_name.starts_with(r[2])) return true;
    for (const Accessory& a : e.accessories) {
      if (a.name.starts_with(r[2])) return true;
    }
    return false;
  };
  const auto move_if = [&](auto wanted) {
    for (std::size_t i = 0; i < rows.size();) {
      if (!wanted(rows[i])) {
        ++i;
        continue;
      }
      out.push_back(rows[i]);
      rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
    }
  };
  const auto has_quantity = [](const PartsRow& r) { return c_atoi(r[6]) != 0; };
  for (SupplyClass c : {SupplyClass::Supplied, SupplyClass::NotPurchased}) {
    const auto in_class = [&](const PartsRow& r) {
      return has_quantity(r) && supply_class_of(r[7]) == c;
    };
    for (const BasePartEntry& e : entries) {
      move_if([&](const PartsRow& r) { return in_class(r) && matches(r, e); });
    }
    if (!entries.empty()) move_if(in_class);
  }
  for (const BasePartEntry& e : entries) {
    move_if([&](const PartsRow& r) { return has_quantity(r) && matches(r, e); });
  }
  out.insert(out.end(), rows.begin(), rows.end());
  for (PartsRow& r : out) {
    r[6] = format_int(c_atoi(r[6]));
    r[7] = std::string(supply_class_text(static_cast<int>(supply_class_of(r[7]))));
  }
  return out;
}

TEST(ConvertProperties, DuplicateRemovalFollowsThePairwiseScanAndIsIdempotent) {
  RandomLists random(1201);
  for (int round = 0; round < 400; ++round) {
    Workspace ws = random.workspace(false);
    const Rows expected = dedupe_step_by_step(ws.parts.rows(), ws.base_parts.entries);
    remove_duplicate_parts(ws);
    ASSERT_EQ(ws.parts.rows(), expected) << round;
    remove_duplicate_parts(ws);
    ASSERT_EQ(ws.parts.rows(), expected) << round;
  }
}

TEST(ConvertProperties, SortFollowsItsStepsAndIsIdempotent) {
  RandomLists random(3407);
  for (int round = 0; round < 400; ++round) {
    Workspace ws = random.workspace(false);
    const Rows expected = sort_step_by_step(ws.parts.rows(), ws.base_parts.entries);
    test::RecordingNotifier notifier;
    sort_parts(ws, notifier);
    ASSERT_EQ(ws.parts.rows(), expected) << round;
    sort_parts(ws, notifier);
    ASSERT_EQ(ws.parts.rows(), expected) << round;
  }
}

TEST(ConvertProperties, MergeKeepsTheSumOfQuantities) {
  RandomLists random(77);
  for (int round = 0; round < 400; ++round) {
    Workspace ws = random.workspace(round % 2 == 1);
    ws.settings.columns[0].width = static_cast<int>(round % 5) * 40 - 10;
    const auto sum = [&ws] {
      long long total = 0;
      for (int i = 0; i < ws.parts.row_count(); ++i) total += c_atoi(ws.parts.cell(i, 6));
      return total;
    };
    const long long before = sum();
    const int rows_before = ws.parts.row_count();
    test::RecordingNotifier notifier;
    merge_part_quantities(ws, notifier);
    ASSERT_EQ(sum(), before) << round;
    ASSERT_LE(ws.parts.row_count(), rows_before) << round;
  }
}

// What the list view, the editors and the writer can take: whole characters everywhere; after a
// rebuild every text within its work record field, "%d" quantities and the three class texts.
void expect_sound_rows(const PartsList& parts, bool rebuilt, const char* pass) {
  const std::size_t capacity[kColumnCount] = {kWorkTagCapacity,
                                              kWorkDrawingCapacity,
                                              kWorkPartNameCapacity,
                                              kWorkMakerCapacity,
                                              kWorkSpecCapacity,
                                              kWorkTypeCapacity,
                                              12,
                                              5};
  ASSERT_LE(parts.row_count(), rebuilt ? kMaxPartsRows : 2 * kMaxPartsRows) << pass;
  for (const PartsRow& row : parts.rows()) {
    for (int c = 0; c < kColumnCount; ++c) {
      const std::string& cell = row[static_cast<std::size_t>(c)];
      ASSERT_TRUE(test::whole_characters(cell)) << pass << " column " << c;
      if (rebuilt) {
        ASSERT_LT(cell.size(), capacity[c]) << pass << " column " << c;
      }
    }
    if (!rebuilt) continue;
    ASSERT_EQ(row[6], format_int(c_atoi(row[6]))) << pass;
    ASSERT_TRUE(row[7] == kSupplied || row[7] == kNotPurchased || row[7] == kPurchased) << pass;
  }
}

TEST(ConvertProperties, NoPassProducesARowTheListCannotHold) {
  RandomLists random(9001);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = random.workspace(true);
    ws.settings.columns[0].width = 2000;  // joins reach the tag field's end
    test::RecordingNotifier notifier;
    remove_duplicate_parts(ws);
    expect_sound_rows(ws.parts, false, "dedupe");
    const int before = ws.parts.row_count();
    complete_part_names(ws);
    expect_sound_rows(ws.parts, false, "complete");
    for (int i = before; i < ws.parts.row_count(); ++i) {
      for (const std::string& cell : ws.parts.row(i)) ASSERT_LT(cell.size(), 64u);
    }
    merge_part_quantities(ws, notifier);
    expect_sound_rows(ws.parts, true, "merge");
    sort_parts(ws, notifier);
    expect_sound_rows(ws.parts, true, "sort");
    if (HasFatalFailure()) FAIL() << "round " << round;
  }
}

}  // namespace
}  // namespace korvane
