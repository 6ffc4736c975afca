// Finding the lines of an ASCII drawing a block at a time: the vector and the portable mask
// agree, and a drawing gives the same table wherever its lines fall against the blocks.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "dxf/dxf_text_parser.h"
#include "dxf/line_ends.h"

namespace korvane {
namespace {

TEST(DxfLineEnds, TheVectorMaskIsThePortableOne) {
  std::mt19937 rng(7);
  std::string bytes(kLineEndBlock, 'x');
  for (int round = 0; round < 2000; ++round) {
    // Mostly LF, CR and bytes with the high bit, the neighbours a wrong compare would take.
    for (char& c : bytes) {
      static constexpr char kBytes[] = {'\n', '\r', 'a', '\x8A', '\x1A', '\xFF', '0'};
      c = kBytes[rng() % sizeof kBytes];
    }
    ASSERT_EQ(line_end_mask(bytes.data()), line_end_mask_portable(bytes.data(), kLineEndBlock))
        << round;
  }
  // The portable mask reads only `n` bytes.
  EXPECT_EQ(line_end_mask_portable("a\nb\n\n", 4), 0b1010u);
  EXPECT_EQ(std::popcount(line_end_mask(std::string(kLineEndBlock, '\n').data())), 64);
}

// One drawing in each form: CR LF or LF line ends, with a final line end or without one. Its
// lines are moved across the 16- and 64-byte edges by a comment of every length in front.
TEST(DxfLineEnds, LinesAcrossBlockEdgesGiveTheSameTable) {
  struct Form {
    const char* name;
    std::string line_end;
    bool final_line_end;
  };
  const Form forms[] = {{"CR LF", "\r\n", true},
                        {"LF", "\n", true},
                        {"CR LF, no last", "\r\n", false},
                        {"LF, no last", "\n", false}};
  const std::string lines[] = {
      "  0", "SECTION", "  2", "ENTITIES",  "  0",  "TEXT",
      " 10", "12.5",    " 20", "-3",        "  1",  "MC1",
      "  0", "MTEXT",   "100", "AcDbMText", "1001", "x",
      " 10", "0.125",   " 20", "840.0",     "  1",  "long value " + std::string(70, 'w'),
      "  0", "ENDSEC",  "  0", "EOF"};
  const TextTable expected{{12.5, -3.0, "MC1"},
                           {0.125, 840.0, "long value " + std::string(52, 'w')}};
  for (const Form& form : forms) {
    for (std::size_t pad = 0; pad <= 2 * kLineEndBlock; ++pad) {
      std::string drawing = "999" + form.line_end + std::string(pad, 'c') + form.line_end;
      for (const std::string& line : lines) drawing += line + form.line_end;
      if (!form.final_line_end) drawing.resize(drawing.size() - form.line_end.size());
      TextTable whole;
      ASSERT_EQ(parse_dxf_texts(drawing, whole), DxfParseResult::Read) << form.name << pad;
      ASSERT_EQ(whole, expected) << form.name << " " << pad;
      for (const std::size_t step : {15u, 16u, 17u, 63u, 64u, 65u}) {
        TextTable table;
        DxfTextParser parser(table);
        for (std::size_t at = 0; at < drawing.size(); at += step) {
          parser.feed(std::string_view(drawing).substr(at, step));
        }
        ASSERT_EQ(parser.finish(), DxfParseResult::Read);
        ASSERT_EQ(table, expected) << form.name << " " << pad << " " << step;
      }
    }
  }
}

// Coordinates of plain digits are converted directly; every one must be the value
// std::from_chars gives, to the last bit and the sign of zero.
TEST(DxfCoordinates, PlainDecimalsAreWhatFromCharsGives) {
  std::vector<std::string> values = {"0",
                                     "-0",
                                     "0.",
                                     ".0",
                                     "-.5",
                                     "5.",
                                     "840.0",
                                     "-0.000",
                                     "0.1",
                                     "0.3",
                                     "123456789012345",
                                     "1234567890123456",
                                     "0.000000000000001",
                                     "999999999999999.",
                                     "00000000000000012.5",
                                     "4503599627370497",
                                     "9007199254740993",
                                     "1.7976931348623157"};
  std::mt19937_64 rng(11);
  for (int i = 0; i < 20000; ++i) {
    std::string digits = std::to_string(rng() % 1000000000000000000u);
    digits.resize(1 + rng() % digits.size());
    const std::size_t point = rng() % (digits.size() + 1);
    std::string value =
        (rng() % 2 ? "-" : "") + digits.substr(0, point) + "." + digits.substr(point);
    values.push_back(value);
  }
  for (const std::string& value : values) {
    double expected = 0.0;
    std::from_chars(value.data(), value.data() + value.size(), expected);
    const double got = parse_dxf_coordinate(value);
    ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << value;
  }
}

}  // namespace
}  // namespace korvane
