#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_text_parser.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {

// Readable failure output for records.
void PrintTo(const TextRecord& r, std::ostream* os) {
  *os << "{" << r.x << ", " << r.y << ", \"" << test::utf8(r.text) << "\"}";
}

namespace {

using test::sjis;

const std::string kData = std::string(KORVANE_TEST_DATA) + "/dxf/";

TextTable read_golden(const std::string& name) {
  TextTable table;
  test::RecordingNotifier notifier;
  EXPECT_TRUE(read_dxf_file(kData + name, table, notifier)) << name;
  EXPECT_TRUE(notifier.messages.empty()) << name;
  return table;
}

TextTable parse(std::string_view bytes, DxfParseResult expected = DxfParseResult::Read) {
  TextTable table;
  EXPECT_EQ(parse_dxf_texts(bytes, table), expected);
  return table;
}

// A drawing with one ENTITIES section around the given pairs; LF line ends.
std::string entities(std::string_view body) {
  return std::string("0\nSECTION\n2\nENTITIES\n") + std::string(body) + "0\nENDSEC\n0\nEOF\n";
}

TEST(DxfReaderGolden, R12TextWithoutSubclassMarkers) {
  EXPECT_EQ(read_golden("r12_text_without_markers.dxf"),
            (TextTable{{100.0, 200.0, "MC1"}, {100.0, 195.5, sjis("電磁接触器")}}));
}

TEST(DxfReaderGolden, R2000TextAndMTextWithMarkers) {
  // The second "AcDbText" of each TEXT re-arms the entity, but the LINE after it carries no
  // group 1, so no stray record appears.
  EXPECT_EQ(read_golden("r2000_text_and_mtext.dxf"),
            (TextTable{{120.5, 300.25, "CR1"},
                       {120.0, 290.0, sjis("制御盤") + "\\P" + sjis("主回路")},
                       {-15.0, 100.0, "TB-2"}}));
}

TEST(DxfReaderGolden, MTextKeepsOnlyGroupOneWithItsFormattingCodes) {
  EXPECT_EQ(read_golden("mtext_chunks_and_codes.dxf"),
            (TextTable{{1.0, 2.0, "\\A1;{\\fArial|b0;PL1}\\Ptail"}}));
}

TEST(DxfReaderGolden, AttributesOfAnInsertGiveTheirValueAndPoint) {
  EXPECT_EQ(read_golden("insert_with_attribs.dxf"),
            (TextTable{{502.0, 598.0, "CR7"}, {502.0, 592.0, "MY2N DC24V"}}));
}

TEST(DxfReaderGolden, R12AttributesWithoutMarkersAreTextsAsTextIs) {
  EXPECT_EQ(
      read_golden("r12_insert_with_attribs.dxf"),
      (TextTable{{502.0, 598.0, "CR7"}, {502.0, 592.0, "MY2N DC24V"}, {520.0, 598.0, "PL1"}}));
}

TEST(DxfReaderGolden, TextsInsideBlockDefinitionsAreNotRead) {
  EXPECT_EQ(read_golden("text_inside_blocks.dxf"), (TextTable{{7.0, 8.0, "PL1"}}));
}

TEST(DxfReaderGolden, CrLfAndLfDrawingsGiveTheSameTable) {
  std::string lf = test::read_file(kData + "sheet_crlf.dxf");
  std::erase(lf, '\r');
  ASSERT_EQ(lf, test::read_file(kData + "sheet_lf.dxf"));
  const TextTable sheet{{10.0, 100.0, "MC1"},
                        {10.0, 95.0, sjis("電磁接触器")},
                        {10.0, 90.0, "SC-E02 AC200V"},
                        {40.0, 100.0, "MCCB1"},
                        {40.0, 95.0, sjis("配線用遮断器")}};
  EXPECT_EQ(read_golden("sheet_crlf.dxf"), sheet);
  EXPECT_EQ(read_golden("sheet_lf.dxf"), sheet);
}

TEST(DxfReaderGolden, ValuesShapedLikeCodesAndEmptyValuesStayTexts) {
  EXPECT_EQ(
      read_golden("numeric_and_empty_texts.dxf"),
      (TextTable{{1.0, 2.0, "123"}, {3.0, 4.0, " 12"}, {5.0, 6.0, ""}, {7.0, 8.0, "after empty"}}));
}

TEST(DxfReaderFiles, TwoFilesAppendInOrder) {
  TextTable table;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(read_dxf_file(kData + "insert_with_attribs.dxf", table, notifier));
  ASSERT_TRUE(read_dxf_file(kData + "text_inside_blocks.dxf", table, notifier));
  EXPECT_EQ(table,
            (TextTable{{502.0, 598.0, "CR7"}, {502.0, 592.0, "MY2N DC24V"}, {7.0, 8.0, "PL1"}}));
}

TEST(DxfReaderFiles, ADwgIsRefusedByNameAndTheBatchGoesOn) {
  const std::string dwg = kData + "dwg_drawing.dwg";
  TextTable table;
  test::RecordingNotifier notifier;
  EXPECT_TRUE(read_dxf_file(kData + "text_inside_blocks.dxf", table, notifier));
  EXPECT_FALSE(read_dxf_file(dwg, table, notifier));
  EXPECT_TRUE(read_dxf_file(kData + "text_inside_blocks.dxf", table, notifier));
  EXPECT_EQ(table, (TextTable{{7.0, 8.0, "PL1"}, {7.0, 8.0, "PL1"}}));
  ASSERT_EQ(notifier.messages.size(), 1u);
  const Message& m = notifier.messages[0];
  EXPECT_EQ(m.text, std::string(msg::kDxfNotAscii) + dwg);
  EXPECT_EQ(m.title, msg::kTitleFileError);
  EXPECT_EQ(m.icon, Icon::Warning);
  EXPECT_TRUE(m.without_owner);
}

TEST(DxfReaderFiles, AMissingFileIsReportedAndNotCreated) {
  test::TempDir dir;
  const std::string missing = dir.file("missing.dxf");
  TextTable table{{1.0, 2.0, "kept"}};
  test::RecordingNotifier notifier;
  EXPECT_FALSE(read_dxf_file(missing, table, notifier));
  EXPECT_FALSE(read_dxf_file(dir.path().string(), table, notifier));  // a folder
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(table, (TextTable{{1.0, 2.0, "kept"}}));
  ASSERT_EQ(notifier.messages.size(), 2u);
  for (const Message& m : notifier.messages) {
    EXPECT_EQ(m.text, msg::kDxfCannotOpen);
    EXPECT_EQ(m.title, msg::kTitleFileError);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(m.icon, Icon::Warning);
    EXPECT_TRUE(m.without_owner);
  }
}

// Serves a file in small reads and fails after `fail_after` bytes.
class ShortReadFileSystem : public test::FaultyFileSystem {
 public:
  std::size_t fail_after = SIZE_MAX;
  std::unique_ptr<io::ReadHandle> open_for_reading(const std::string& path,
                                                   io::OpenFailure&) override {
    std::string data = test::read_file(path);
    return std::make_unique<Handle>(std::move(data), fail_after);
  }

 private:
  class Handle : public io::ReadHandle {
   public:
    Handle(std::string data, std::size_t fail_after) : data_(std::move(data)), fail_(fail_after) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override {
      if (pos_ >= fail_) return -1;
      const std::size_t n = std::min({size, std::size_t{7}, data_.size() - pos_});
      std::copy_n(data_.data() + pos_, n, buffer);
      pos_ += n;
      return static_cast<std::ptrdiff_t>(n);
    }

   private:
    std::string data_;
    std::size_t fail_;
    std::size_t pos_ = 0;
  };
};

TEST(DxfReaderFiles, ShortReadsGiveTheSameTableAndAReadErrorKeepsWhatWasRead) {
  const TextTable whole = read_golden("sheet_crlf.dxf");
  {
    ShortReadFileSystem fs;
    EXPECT_EQ(read_golden("sheet_crlf.dxf"), whole);
  }
  ShortReadFileSystem fs;
  fs.fail_after = 600;
  TextTable table;
  test::RecordingNotifier notifier;
  EXPECT_FALSE(read_dxf_file(kData + "sheet_crlf.dxf", table, notifier));
  EXPECT_FALSE(table.empty());
  EXPECT_LT(table.size(), whole.size());
  EXPECT_TRUE(std::equal(table.begin(), table.end(), whole.begin()));
  EXPECT_EQ(notifier.said(), std::vector<std::string>{"ﾌｧｲﾙｴﾗｰ: ＤＸＦ図面ファイルが開けません"});
}

TEST(DxfReaderLines, ByteOrderMarkLastLineAndTrailingBlankLines) {
  const std::string text = "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n1\nA";
  const TextTable a{{1.0, 2.0, "A"}};
  EXPECT_EQ(parse(text), a);                     // last line without a line end
  EXPECT_EQ(parse("\xEF\xBB\xBF" + text), a);    // UTF-8 byte-order mark
  EXPECT_EQ(parse(text + "\r\n\r\n\n  \n"), a);  // blank lines where a code is due
  EXPECT_EQ(parse(text + "\r"), a);              // cut between CR and LF
  EXPECT_EQ(parse(text + "\n0"), a);             // ends after a code line
  // A code line then an empty last line is a pair with an empty value.
  EXPECT_EQ(parse("0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n1\n\n"),
            (TextTable{{1.0, 2.0, ""}}));
  EXPECT_EQ(parse(""), TextTable{});
}

TEST(DxfReaderLines, CodeLinesAllowBlanksAndASign) {
  EXPECT_EQ(parse("  0\nSECTION\n\t2 \nENTITIES\n+0\nTEXT\n 10\t\n1\n020\n2\n  1  \nA\n"),
            (TextTable{{1.0, 2.0, "A"}}));
  // A negative code is read as a code (and ignored), so the pairs stay in step.
  EXPECT_EQ(parse(entities("0\nTEXT\n-5\nx\n10\n1\n20\n2\n1\nA\n")), (TextTable{{1.0, 2.0, "A"}}));
}

TEST(DxfReaderLines, ALineThatIsNotACodeStopsTheFileAndKeepsWhatWasRead) {
  const std::string good = "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n1\nA\n";
  const TextTable a{{1.0, 2.0, "A"}};
  for (const std::string bad : {"1.5\n", "0 0\n", "+\n", "x\n", "AC1015\n", "\x01\n", "\n0\n"}) {
    EXPECT_EQ(parse(good + bad + "TEXT\n10\n3\n20\n4\n1\nB\n", DxfParseResult::NotDxf), a) << bad;
  }
  EXPECT_EQ(parse("AutoCAD Binary DXF\r\n\x1A\x00", DxfParseResult::NotDxf), TextTable{});
  EXPECT_EQ(parse("AC1015\r\n", DxfParseResult::NotDxf), TextTable{});
  // A code line too long to be one.
  EXPECT_EQ(parse(std::string(DxfTextParser::kLineKeep, ' ') + "0\nEOF\n", DxfParseResult::NotDxf),
            TextTable{});
  // Nothing after the EOF marker is looked at.
  EXPECT_EQ(parse(good + "0\nEOF\nbinary junk\n\x00\x01"), a);
}

TEST(DxfReaderLines, HowTheBytesArriveDoesNotMatter) {
  std::string body;
  for (int i = 0; i < 40; ++i) {
    body += "0\r\nTEXT\r\n10\r\n" + std::to_string(i) + "\r\n20\r\n2\r\n1\r\n";
    body += std::string(static_cast<std::size_t>(i) * 150, 'w') + "\r\n";  // up to 5850 bytes
  }
  const std::string drawing = entities(body);
  const TextTable whole = parse(drawing);
  ASSERT_EQ(whole.size(), 40u);
  for (std::size_t step : {1u, 2u, 3u, 64u, 4097u}) {
    TextTable table;
    DxfTextParser parser(table);
    for (std::size_t pos = 0; pos < drawing.size(); pos += step) {
      parser.feed(std::string_view(drawing).substr(pos, step));
    }
    EXPECT_EQ(parser.finish(), DxfParseResult::Read);
    EXPECT_EQ(table, whole) << step;
  }
}

TEST(DxfReaderValues, LongTextsAreCutWithoutSplittingACharacter) {
  const std::string ascii(100, 'a');
  std::string kanji = "ab";
  for (int i = 0; i < 40; ++i) kanji += sjis("漢");
  const TextTable t = parse(entities("0\nTEXT\n10\n0\n20\n0\n1\n" + ascii +
                                     "\n0\nTEXT\n10\n0\n20\n0\n1\n" + kanji + "\n"));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, ascii.substr(0, 63));
  EXPECT_EQ(t[1].text, kanji.substr(0, 62));  // "ab" and 30 characters; the 31st would not fit
}

TEST(DxfReaderValues, CoordinatesReadAsTheCLibraryWouldButAlwaysFinite) {
  auto x_of = [](const std::string& value) {
    const TextTable t = parse(entities("0\nTEXT\n1\nA\n20\n0\n10\n" + value + "\n"));
    return t.size() == 1 ? t[0].x : -999.0;
  };
  EXPECT_EQ(x_of("  12.5"), 12.5);
  EXPECT_EQ(x_of("+3"), 3.0);
  EXPECT_EQ(x_of("-1.5E2"), -150.0);
  EXPECT_EQ(x_of("7.25mm"), 7.25);
  EXPECT_EQ(x_of(".5"), 0.5);
  for (const char* zero : {"", "abc", "+-3", "nan", "inf", "1e999", "-"}) {
    EXPECT_EQ(x_of(zero), 0.0) << zero;
  }
}

TEST(DxfReaderStateMachine, OnlyTheEntitiesSectionCollects) {
  const std::string text = "0\nTEXT\n10\n1\n20\n2\n1\nA\n";
  EXPECT_EQ(parse("0\nSECTION\n2\nBLOCKS\n" + text + "0\nENDSEC\n" + text), TextTable{});
  EXPECT_EQ(parse("0\nSECTION\n2\nENTITIESX\n" + text), (TextTable{{1.0, 2.0, "A"}}));
  EXPECT_EQ(parse("0\nSECTION\n2\nOTHER\n" + text), TextTable{});
  EXPECT_EQ(parse(text), TextTable{});
  // An entity left open at the end of ENTITIES takes nothing from later sections.
  EXPECT_EQ(parse("0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n0\nENDSEC\n"
                  "0\nSECTION\n2\nOBJECTS\n1\nA\n"),
            TextTable{});
  // A section name is only a name right after "SECTION".
  EXPECT_EQ(parse("0\nSECTION\n2\nBLOCKS\n2\nENTITIES\n" + text), TextTable{});
}

TEST(DxfReaderStateMachine, TheRecordCompletesWhenItsLastItemArrives) {
  // Any order; a repeated item before completion replaces the earlier value; only the first
  // point counts; Z and the alignment point are ignored.
  EXPECT_EQ(
      parse(entities("0\nMTEXT\n100\nAcDbMText\n1\nA\n1\nB\n30\n9\n11\n9\n21\n9\n20\n2\n10\n1\n"
                     "10\n5\n20\n6\n")),
      (TextTable{{1.0, 2.0, "B"}}));
  // An entity that is not a text delivers nothing while no text entity is open.
  EXPECT_EQ(parse(entities("0\nDIMENSION\n10\n1\n20\n2\n1\nA\n")), TextTable{});
}

TEST(DxfReaderStateMachine, ASecondTextMarkerReArmsTheEntity) {
  // As written by R2000 and later: the second marker follows group 1. The next entity that
  // delivers 1, 10 and 20 before a new text entity then completes a record of its own values.
  EXPECT_EQ(parse(entities("0\nTEXT\n100\nAcDbText\n10\n1\n20\n2\n1\nA\n100\nAcDbText\n"
                           "0\nDIMENSION\n10\n3\n20\n4\n1\nD\n")),
            (TextTable{{1.0, 2.0, "A"}, {3.0, 4.0, "D"}}));
  // Other entity names do not close a text entity: a TEXT that delivered only its string is
  // completed by the point of the LINE after it.
  EXPECT_EQ(parse(entities("0\nTEXT\n1\nA\n0\nLINE\n10\n1\n20\n2\n")),
            (TextTable{{1.0, 2.0, "A"}}));
}

// Control bytes are settled on a value's raw bytes, and no text ends inside a character.
TEST(DxfReaderValues, ControlBytesAndALoneLeadByteNeverReachACell) {
  struct Case {
    std::string value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {std::string("AB\0CD", 5), "AB"},  // NUL ends the text, as a C string
      {"A\x01"
       "B\x1F"
       "C",
       "A B C"},                                 // other control bytes become spaces
      {"A\tB\rC", "A\tB C"},                     // TAB stays; a CR inside the line is a space
      {"CR1" + sjis("盤").substr(0, 1), "CR1"},  // a lone lead byte at the end is dropped
      {sjis("盤") + "\x1B", sjis("盤") + " "},
  };
  for (const Case& c : cases) {
    const TextTable table = parse(entities("0\nTEXT\n10\n1\n20\n2\n1\n" + c.value + "\n"));
    ASSERT_EQ(table.size(), 1u) << test::utf8(c.value);
    EXPECT_EQ(table[0].text, c.text) << test::utf8(c.value);
  }
}

// A line longer than any DXF line stops the read as not an ASCII DXF, whether it ends or not.
TEST(DxfReaderLines, AnEndlessLineStopsTheRead) {
  for (const bool ended : {false, true}) {
    std::string bytes = "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n1\n20\n2\n1\nCR1\n999\n";
    bytes += std::string(DxfTextParser::kLineLimit + 1, '\0');
    if (ended) bytes += "\n0\nEOF\n";
    TextTable table;
    DxfTextParser parser(table);
    // Fed in blocks, as the reader does: it stops taking bytes once the limit is passed.
    for (std::size_t at = 0; at < bytes.size() && !parser.stopped(); at += 4096) {
      parser.feed(std::string_view(bytes).substr(at, 4096));
    }
    EXPECT_TRUE(parser.stopped());
    EXPECT_EQ(parser.finish(), DxfParseResult::NotDxf);
    EXPECT_EQ(table.size(), 1u);
  }
}

}  // namespace
}  // namespace korvane
