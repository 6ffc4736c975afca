// The outputs' options: tag lists as written, the option lines, UTF-8 text files.
#include <gtest/gtest.h>

#include "output/output_options.h"
#include "output/parts_list_writer.h"
#include "settings/settings.h"
#include "test_support.h"
#include "text/encoding.h"
#include "workspace.h"

namespace korvane {
namespace {

using test::sjis;

struct TagCase {
  const char* cell;
  std::size_t prefix;
  const char* sorted;
  const char* ranges;
};

TEST(TagList, SortedAndRangesOnlyWherePlainNumbersFollowTheFamilyPrefix) {
  const TagCase kCases[] = {
      {"PB2,1", 2, "PB1,2", "PB1,2"},
      {"CR1,2,3,5", 2, "CR1,2,3,5", "CR1-3,5"},
      {"CR5,3,1,2", 2, "CR1,2,3,5", "CR1-3,5"},
      {"MCCB1,2,5,6", 4, "MCCB1,2,5,6", "MCCB1,2,5,6"},  // runs of two stay
      {"X9,8,7,6,4,3,2", 1, "X2,3,4,6,7,8,9", "X2-4,6-9"},
      {"TB10,9,11", 2, "TB9,10,11", "TB9-11"},     // numeric, not text, order
      {"CR1,1,2,3", 2, "CR1,1,2,3", "CR1,1-3"},    // an equal number is no successor
      {"CR03,01,02", 2, "CR01,02,03", "CR01-03"},  // numbers keep their zeros
      {"CR1A,2B", 2, "CR1A,2B", "CR1A,2B"},        // not plain numbers: as it is
      {"CR2,1A", 2, "CR2,1A", "CR2,1A"},
      {"CR2,,1", 2, "CR2,,1", "CR2,,1"},  // an empty piece
      {"CR2,1,", 2, "CR2,1,", "CR2,1,"},
      {"CR2,-1", 2, "CR2,-1", "CR2,-1"},
      {"CR2,1234567890", 2, "CR2,1234567890", "CR2,1234567890"},  // ten digits
      {"CR2,123456789", 2, "CR2,123456789", "CR2,123456789"},     // nine are a number
      {"PB2,1", 0, "PB2,1", "PB2,1"},  // no family prefix: "PB2" is no number
      {"PB2,1", 5, "PB2,1", "PB2,1"},  // a prefix beyond the first tag
      {"CR3", 2, "CR3", "CR3"},        // one tag
      {"", 0, "", ""},
      {"３,1", 0, "３,1", "３,1"},  // a double-byte digit is no plain number
  };
  for (const TagCase& c : kCases) {
    const std::string cell = sjis(c.cell);
    SCOPED_TRACE(c.cell);
    EXPECT_EQ(format_tag_list(cell, c.prefix, TagListStyle::Merged), cell);
    EXPECT_EQ(format_tag_list(cell, c.prefix, TagListStyle::Sorted), sjis(c.sorted));
    EXPECT_EQ(format_tag_list(cell, c.prefix, TagListStyle::Ranges), sjis(c.ranges));
  }
}

// The prefix is the base parts list's longest tag that begins the cell's first tag, as the
// merge takes it; only the tag column is rewritten, and only in the output.
TEST(TagList, WrittenFilesUseTheFamilyPrefixOfTheBasePartsAndLeaveTheListAsItIs) {
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.base_parts.entries.resize(3);
  ws.base_parts.entries[0].tag = "C";
  ws.base_parts.entries[1].tag = "CR";
  ws.base_parts.entries[2].tag = "PB";
  PartsRow row{"CR3,1,2", "9,8", "PB2,1", "", "", "", "3", ""};
  ws.parts.assign({row});
  ws.settings.options["tag_list"] = "ranges";
  EXPECT_EQ(format_parts_list(ws.parts, Selection::All, 7, output_cell_style(ws)),
            "\"CR1-3\",\"9,8\",\"PB2,1\",\"\",\"\",\"\",3,\r\n");
  EXPECT_EQ(ws.parts.cell(0, 0), "CR3,1,2");

  ws.settings.column_map.tag = 2;  // the tag column is whichever ta_no names
  ws.settings.options["tag_list"] = "sorted";
  EXPECT_EQ(format_parts_list(ws.parts, Selection::All, 7, output_cell_style(ws)),
            "\"CR3,1,2\",\"9,8\",\"PB1,2\",\"\",\"\",\"\",3,\r\n");
}

TEST(OutputOptions, OptionLinesRoundTripAndAreAbsentAtTheirDefaults) {
  Settings defaults;
  reset_settings_values(defaults);
  const std::string fixed = format_settings(defaults);
  EXPECT_EQ(fixed, test::read_file(std::string(KORVANE_TEST_DATA) + "/settings/reset_values.ini"));

  struct Case {
    OutputOptions options;
    const char* lines;
  };
  const Case kCases[] = {
      {{}, ""},
      {{OutputFormat::Xlsx, TagListStyle::Merged, TextEncoding::ShiftJis},
       "output_format=xlsx\r\n"},
      {{OutputFormat::Text, TagListStyle::Sorted, TextEncoding::ShiftJis}, "tag_list=sorted\r\n"},
      {{OutputFormat::Text, TagListStyle::Ranges, TextEncoding::Utf8},
       "tag_list=ranges\r\noutput_encoding=utf8\r\n"},
      {{OutputFormat::Xlsx, TagListStyle::Ranges, TextEncoding::Utf8},
       "output_format=xlsx\r\ntag_list=ranges\r\noutput_encoding=utf8\r\n"},
  };
  for (const Case& c : kCases) {
    Settings s = defaults;
    s.options["tag_list"] = "sorted";  // storing replaces what was set, defaults included
    store_output_options(s, c.options);
    const std::string file = format_settings(s);
    EXPECT_EQ(file, fixed + c.lines);
    Settings again;
    parse_settings(again, file);
    EXPECT_EQ(read_output_options(again), c.options) << c.lines;
  }

  // A value that names no choice reads as the default and is written back as it was.
  Settings odd = defaults;
  parse_settings(odd, "tag_list=Sorted\r\noutput_format=\r\n");
  EXPECT_EQ(read_output_options(odd), OutputOptions{});
  EXPECT_EQ(format_settings(odd), fixed + "output_format=\r\ntag_list=Sorted\r\n");
}

// The UTF-8 files hold the Shift-JIS files' text: the same lines, quoting and CR LF.
TEST(OutputEncoding, Utf8FilesAreTheShiftJisFilesConvertedAfterAByteOrderMark) {
  test::TempDir dir;
  test::RecordingNotifier notifier;
  Workspace ws;
  reset_settings_values(ws.settings);
  ws.parts.assign({PartsRow{sjis("MC1"), "", sjis("電磁接触器"), sjis("三菱"), sjis("AC200V \"A\""),
                            "S-T10", "2", sjis("支給")},
                   PartsRow{"PB1", "", sjis("押ボタン,緑"), "", "", "", "1", "    "},
                   PartsRow{"X1", "", sjis("表示灯\r\n赤"), "", "", "", "1", sjis("非購")}});
  ws.current_file_name = dir.file("sjis.dxf");
  ASSERT_EQ(write_three_files(ws, notifier, OutputNaming::Current).size(), 3u);
  ws.settings.options["output_encoding"] = "utf8";
  ws.current_file_name = dir.file("utf8.dxf");
  ASSERT_EQ(write_three_files(ws, notifier, OutputNaming::Current).size(), 3u);
  for (const char* n : {"1.csv", "2.csv", "3.csv"}) {
    const std::string shift_jis = test::read_file(dir.path() / ("sjis" + std::string(n)));
    ASSERT_FALSE(shift_jis.empty());
    EXPECT_EQ(test::read_file(dir.path() / ("utf8" + std::string(n))),
              "\xEF\xBB\xBF" + sjis_to_utf8(shift_jis));
  }
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace korvane
