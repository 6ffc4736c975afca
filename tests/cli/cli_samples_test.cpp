// korvane-cli on the bundled samples: the three drawings read in one batch with samples/Korvane.ini
// (the reset values, the sample pair selected: three CSV files).
#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace korvane {
namespace {

using test::cli_golden;
using test::CliFolder;
using test::with_samples;

// Recognition gives 63 rows (24 + 26 + 13, in drawing order and table order; samples_none.csv).
//
// Duplicate removal keeps one row per tag. Where both rows carry the same type (PL1-4, PB1, PB2,
// PB9, SS1, BZ1, FAN1 appear on two drawings) the earlier one stays, so the lamps and buttons keep
// the control circuit's wording ("電源 白 AC100V", not the door's "白 AC100V"). A contact row (tag
// only, no type) gives way to the row of its coil: MC1, THR1-3, CR1, T1 and TS1 keep the typed row
// read before them; the first X2 is a contact read before its coil, so the coil row takes its
// place further down, which is why X2 comes before X1 below.
//
// Completion fills part name, maker and supply class from the first entry whose tag and type both
// match (the CR* entry takes CR3, whose type KR-2N is not the 4c one) or, for entries without a
// type (FLS, IM, LS, NP), by tag alone; the accessories of each entry are appended as rows with
// quantity 1. Merge joins rows that agree in name, maker, specification, type and class, writing
// the family prefix once (MCCB1,2,5,6; the accessory rows have no specification, so they join
// across ratings). Sort: supplied, then not purchased, then purchased, each grouped by base list
// entry in list order, a group taking every row whose name is the entry's name or one of its
// accessory names and whose tag begins with the entry's tag.
//
// samples_all1.csv, the supplied rows (class 1), in base list order FLS, INV, IM, LS:
//   FLS1 フロートスイッチ     customer-supplied float switch; the entry has no maker
//   INV1 インバータ           the only entry with both a type (VF-) and class 1
//   IM1 .. IM4 三相誘導電動機 four motors, not merged: their ratings differ
//   LS1 リミットスイッチ
// samples_all2.csv, the not-purchased rows (class 2):
//   NP1 盤名称板              the nameplate, completed by tag (its entry has no type)
// samples_all3.csv, the purchased rows, entry by entry:
//   MCCB1 .. MCCB6            KB-32 and KB-63 breakers; each rating its own row
//   MCCB1,2,5,6 ハンドル, 端子カバー (4 each)  accessories of the four KB-32S breakers
//   MCCB3,4 ハンドル, 端子カバー (2 each)      of the two KB-63S breakers (other types)
//   ELB1, its 端子カバー
//   MC1, MC2, MC3             ratings differ; MC3 is a KC-20 from the second MC entry
//   MC1,2,3 補助接点ユニット (3)   both MC entries list the same KC-AU11
//   MC1,2 サージキラー KC-SK1 (2), MC3 サージキラー KC-SK2 (1)
//   THR1..3, THR1,2,3 独立取付ユニット (3)
//   TR1 and its cover, TS1 (THR, TR and TS stand before T in the base list, so T1 is not taken
//   for them); T1 タイマ with ソケット (slot 1) and 取付金具 (slot 4)
//   CR1,2 補助継電器(4c) (2), CR1,2 ソケット KR-SK14 (2), CR1,2,3 保持金具 (3: the 2c relay has the
//   same holder in slot 3), CR3 ソケット KR-SK08 (grouped here: the 4c entry lists a ソケット)
//   X2,1 補助継電器 (2) and X2,1 ソケット (2): coil rows in the order duplicate removal left them
//   PL1 表示灯(白), then every LEDランプ row: the white lamp's entry is the first to list that
//   name, and the rows keep their order (the control circuit's PL2, PL3, PL4, PL1)
//   PL2 表示灯(緑), PL3 表示灯(赤), PL4 表示灯(橙)
//   PB9 非常停止押ボタン, its 銘板 (slot 1) and ロックアウト金具 (slot 4)
//   PB1 押ボタンスイッチ(緑), PB2,1 保護カバー (2: both button entries list it in slot 2), PB2
//   SS1; AM1 and its 変流器; VM1 and its 計器用ヒューズ; BZ1; FAN1 and its フィルタ
//   F1,2 ヒューズ (2) and F1,2 ヒューズホルダ (2): FAN and FLS stand before F, so F is the family
//   HTR1
//   CR3 補助継電器(2c), last: the sort compares tags by prefix only, so the wildcard entry CR*
//   matches no row, and the 4c entry's names do not begin with "補助継電器(2c)"; a purchased row
//   that matches no entry goes to the end.
TEST(CliSamples, AllPassesThreeCsvFilesNamedFromTheFirstDrawing) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r = dir.run(with_samples({"convert"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, test::findings_line(test::kSampleFindings));
  EXPECT_EQ(r.out, "main_circuit1.csv\nmain_circuit2.csv\nmain_circuit3.csv\n");
  EXPECT_EQ(dir.read("main_circuit1.csv"), cli_golden("samples_all1.csv"));
  EXPECT_EQ(dir.read("main_circuit2.csv"), cli_golden("samples_all2.csv"));
  EXPECT_EQ(dir.read("main_circuit3.csv"), cli_golden("samples_all3.csv"));
}

// The same rows in one file, in the same order; TXT differs from CSV only in the name.
TEST(CliSamples, OneTxtFileHoldsTheThreeClassesInOrder) {
  CliFolder dir;
  dir.copy_samples();
  const test::ProcessResult r =
      dir.run(with_samples({"convert", "--one-file", "--txt", "--out", "panel.dxf"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "panel.txt\n");
  const std::string one = dir.read("panel.txt");
  EXPECT_EQ(one, cli_golden("samples_all.txt"));
  EXPECT_EQ(one, cli_golden("samples_all1.csv") + cli_golden("samples_all2.csv") +
                     cli_golden("samples_all3.csv"));

  const test::ProcessResult three = dir.run(with_samples({"convert", "--txt", "--three-files"}));
  EXPECT_EQ(three.status, 0) << three.err;
  EXPECT_EQ(three.out, "main_circuit1.txt\nmain_circuit2.txt\nmain_circuit3.txt\n");
  EXPECT_EQ(dir.read("main_circuit3.txt"), cli_golden("samples_all3.csv"));
}

// Without passes the rows are recognition's: no part names, makers or classes, so every row is
// purchased; the supplied and not-purchased files are still created, empty.
TEST(CliSamples, NoPassesGivesTheRecognisedRows) {
  CliFolder dir;
  dir.copy_samples();
  test::ProcessResult r = dir.run(with_samples({"convert", "--passes", "none", "--one-file"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "main_circuit.csv\n");
  EXPECT_EQ(dir.read("main_circuit.csv"), cli_golden("samples_none.csv"));

  r = dir.run(with_samples({"convert", "--passes", "none", "--out", "raw.csv"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "raw1.csv\nraw2.csv\nraw3.csv\n");
  EXPECT_EQ(dir.read("raw1.csv"), "");
  EXPECT_EQ(dir.read("raw2.csv"), "");
  EXPECT_EQ(dir.read("raw3.csv"), cli_golden("samples_none.csv"));
}

// A pass list runs in the order given. Completion before duplicate removal lets the removal take
// every accessory row for a duplicate of its main row (the accessory types are not base types).
TEST(CliSamples, PassListRunsInTheOrderGiven) {
  CliFolder dir;
  dir.copy_samples();
  auto rows = [&dir](const std::string& passes) {
    const test::ProcessResult r = dir.run(
        with_samples({"convert", "--one-file", "--out", passes + ".csv", "--passes", passes}));
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    const std::string text = dir.read(passes + ".csv");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  };
  auto tags = [](const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) out.push_back(line.substr(0, line.find("\",") + 1));
    return out;
  };
  // 44 distinct tags after removal; completion then adds 46 accessory rows.
  const std::vector<std::string> dedupe_first = rows("dedupe,complete");
  EXPECT_EQ(dedupe_first.size(), 44u + 46u);
  const std::vector<std::string> complete_first = rows("complete,dedupe");
  ASSERT_EQ(complete_first.size(), 44u);
  const std::vector<std::string> main_tags = tags(dedupe_first);
  EXPECT_EQ(tags(complete_first),
            std::vector<std::string>(main_tags.begin(), main_tags.begin() + 44));
  // Sort alone on uncompleted rows: nothing has a class or a name, every row matches the first
  // entry whose tag it begins with, so the rows come out grouped by base list order (MCCB first).
  const std::vector<std::string> sorted = rows("sort");
  ASSERT_EQ(sorted.size(), 63u);
  EXPECT_EQ(sorted.front().substr(0, 8), "\"MCCB1\",");
}

// Every field in another column (permuted.ini, one TXT file by its own settings): the passes and
// the writer's class selection follow the column numbers, so the rows are the default run's
// cells, moved. Quoting goes by position (0, 2, 3, 4, 5 quoted), not by field.
TEST(CliSamples, PermutedColumnNumbersMoveTheCellsAndNothingElse) {
  CliFolder dir;
  dir.copy_samples();
  dir.copy_data("permuted.ini");
  const test::ProcessResult r = dir.run(with_samples({"convert", "--ini", "permuted.ini"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "main_circuit.txt\n");
  const std::string permuted = dir.read("main_circuit.txt");
  EXPECT_EQ(permuted, cli_golden("permuted_all.txt"));

  // Field f of the default layout stands in column kWhere[f] of the permuted one.
  constexpr int kWhere[8] = {0, 7, 1, 6, 2, 3, 4, 5};
  auto cells = [](std::string_view line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          out.back() += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
      } else if (c == ',' && !quoted) {
        out.emplace_back();
      } else {
        out.back() += c;
      }
    }
    return out;
  };
  const std::string plain = cli_golden("samples_all.txt");
  std::size_t a = 0, b = 0;
  int rows = 0;
  while (a < plain.size() && b < permuted.size()) {
    const std::size_t ea = plain.find("\r\n", a), eb = permuted.find("\r\n", b);
    ASSERT_NE(ea, std::string::npos);
    ASSERT_NE(eb, std::string::npos);
    const auto d = cells(std::string_view(plain).substr(a, ea - a));
    const auto p = cells(std::string_view(permuted).substr(b, eb - b));
    ASSERT_EQ(d.size(), 8u);
    ASSERT_EQ(p.size(), 8u);
    for (int f = 0; f < 8; ++f) EXPECT_EQ(p[kWhere[f]], d[f]) << "row " << rows << " field " << f;
    a = ea + 2;
    b = eb + 2;
    ++rows;
  }
  EXPECT_EQ(rows, 68);
  EXPECT_EQ(a, plain.size());
  EXPECT_EQ(b, permuted.size());
}

}  // namespace
}  // namespace korvane
