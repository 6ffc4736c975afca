#include <gtest/gtest.h>

#include "compare/parts_list_file.h"
#include "output/parts_list_writer.h"
#include "test_support.h"
#include "text/encoding.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

std::vector<PartsRow> cells_of(const ListedFile& listed) {
  std::vector<PartsRow> out;
  for (const ListedRow& r : listed.rows) out.push_back(r.cells);
  return out;
}

std::vector<std::size_t> lines_of(const ListedFile& listed) {
  std::vector<std::size_t> out;
  for (const ListedRow& r : listed.rows) out.push_back(r.line);
  return out;
}

struct ReadCase {
  std::string name;
  std::string bytes;
  std::vector<PartsRow> rows;      // UTF-8
  std::vector<std::size_t> lines;  // where each row begins
};

TEST(PartsListFile, ReadsTheLinesOfEitherEncodingAsUnicodeCells) {
  const std::string line1 = "\"MC1\",E-1,\"電磁接触器\",\"コルベ電機\",\"AC200V\",\"KC-11\",2,支給";
  const PartsRow row1 = {"MC1", "E-1", "電磁接触器", "コルベ電機", "AC200V", "KC-11", "2", "支給"};
  const PartsRow row2 = {"PB1", "", "押ボタン", "", "", "", "1", "    "};
  const std::vector<ReadCase> cases = {
      {"Shift-JIS, CR LF",
       sjis(line1 + "\r\n\"PB1\",,\"押ボタン\",\"\",\"\",\"\",1,    \r\n"),
       {row1, row2},
       {1, 2}},
      {"UTF-8 with a byte-order mark",
       std::string(kUtf8Bom) + line1 + "\r\n\"PB1\",,\"押ボタン\",\"\",\"\",\"\",1,    \r\n",
       {row1, row2},
       {1, 2}},
      {"LF and a last line without its break, empty lines skipped",
       sjis("\n" + line1 + "\n\n\"PB1\",,\"押ボタン\",\"\",\"\",\"\",1,    "),
       {row1, row2},
       {2, 4}},
      {"bare cells, doubled quotes, commas and a line break inside quotes",
       sjis("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",x\"y,,,3,\r\n\"NEXT\",,,,,,,\r\n"),
       {{"a,b", "say \"hi\"", "two\r\nlines", "x\"y", "", "", "3", ""},
        {"NEXT", "", "", "", "", "", "", ""}},
       {1, 3}},
      {"an empty file is an empty list", "", {}, {}},
      // A trail byte 0x5C (ソ) or 0x22-free double-byte text never ends a cell.
      {"Shift-JIS trail bytes that are ASCII",
       sjis("\"ソ表\",,\"能\",,,,1,\r\n"),
       {{"ソ表", "", "能", "", "", "", "1", ""}},
       {1}},
  };
  for (const ReadCase& c : cases) {
    const ListedFile listed = parse_parts_list(c.bytes);
    EXPECT_FALSE(listed.fault) << c.name;
    EXPECT_EQ(cells_of(listed), c.rows) << c.name;
    EXPECT_EQ(lines_of(listed), c.lines) << c.name;
  }
}

struct FaultCase {
  std::string name;
  std::string bytes;
  ListFaultAt fault;
};

TEST(PartsListFile, BytesThatAreNoPartsListNameTheLineAndWhy) {
  const std::string good = "\"A\",,\"B\",\"\",\"\",\"\",1,\r\n";
  const std::vector<FaultCase> cases = {
      {"seven cells", good + "\"A\",,\"B\",\"\",\"\",1,\r\n", {ListFault::CellCount, 2, 7}},
      {"a line of blanks", good + "   \r\n", {ListFault::CellCount, 2, 1}},
      {"the file ends inside quotes", good + "\"A\r\n,,", {ListFault::UnclosedQuote, 2, 0}},
      {"text after a closing quote",
       good + "\"A\"x,,\"B\",\"\",\"\",\"\",1,\r\n",
       {ListFault::TextAfterQuote, 2, 0}},
      {"a NUL byte",
       good + good + std::string("\"A\0\",,,,,,,\r\n", 13),
       {ListFault::NotText, 3, 0}},
      {"UTF-16 text", std::string("\xFF\xFE\"\0A\0", 6), {ListFault::NotText, 1, 0}},
      {"Shift-JIS after a UTF-8 byte-order mark",
       std::string(kUtf8Bom) + good + sjis("\"表\",,,,,,,\r\n"),
       {ListFault::NotUtf8, 2, 0}},
  };
  for (const FaultCase& c : cases) {
    const ListedFile listed = parse_parts_list(c.bytes);
    ASSERT_TRUE(listed.fault) << c.name;
    EXPECT_EQ(*listed.fault, c.fault) << c.name;
    EXPECT_TRUE(listed.rows.empty()) << c.name;
  }
  EXPECT_EQ(test::utf8(describe_list_fault({ListFault::CellCount, 12, 5})),
            "部品表ファイルとして読めません（12行目：項目が5個あります。部品表の行は8個です）");
}

// What the writer writes reads back as the cells it wrote, whatever they hold.
TEST(PartsListFile, ReadsBackWhatTheWriterWrites) {
  PartsList parts;
  parts.append_row(
      {"CR1,2,3", "E-1", sjis("補助継電器"), "A \"B\"", "1,2", "x\r\ny", "3", sjis("支給")});
  parts.append_row({"", "", "", "", "", "", "", "    "});
  parts.append_row({sjis("ソ"), "\"", ",", "\r", "\n", "a\"\"b", "-1", sjis("非購")});
  const ListedFile listed = parse_parts_list(format_parts_list(parts, Selection::All, 7));
  ASSERT_FALSE(listed.fault);
  ASSERT_EQ(listed.rows.size(), 3u);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < kColumnCount; ++c) {
      EXPECT_EQ(listed.rows[static_cast<std::size_t>(r)].cells[static_cast<std::size_t>(c)],
                sjis_to_utf8(parts.cell(r, c)))
          << r << "," << c;
    }
  }
}

TEST(PartsListFile, AFileThatCannotBeReadOrIsTooLargeIsReportedByName) {
  test::TempDir dir;
  test::RecordingNotifier notifier;
  const std::string large = dir.file("large.csv");
  test::write_file(large, std::string(io::kListFileLimit + 1, 'x'));
  EXPECT_FALSE(read_parts_list_file(dir.file("missing.csv"), notifier));
  EXPECT_FALSE(read_parts_list_file(large, notifier));
  EXPECT_EQ(notifier.said(), (std::vector<std::string>{
                                 "ﾌｧｲﾙｴﾗｰ: 部品表ファイルが開けません",
                                 "ﾌｧｲﾙｴﾗｰ: 部品表ファイルとして読めません（16MBを超えています）"}));
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_EQ(notifier.messages[1].file, large);
}

}  // namespace
}  // namespace korvane
