// Binary DXF: the same drawing in binary form gives exactly the texts of its ASCII form, and a
// binary drawing cut short or malformed stops with what was completed before the fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_text_parser.h"
#include "test_support.h"

namespace korvane {

void PrintTo(const TextRecord& r, std::ostream* os);  // dxf_reader_test.cpp

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(KORVANE_TEST_DATA) + "/dxf/";
const std::string kSentinel("AutoCAD Binary DXF\r\n\x1A\0", 22);

// The value types of group codes in binary DXF, as the DXF reference lists them: 'd' a double,
// '1' '2' '4' '8' an integer of that many bytes, 'c' binary data after a length byte; every other
// code a NUL-terminated string.
struct CodeRange {
  int first;
  int last;
  char type;
};
constexpr CodeRange kTypes[] = {
    {10, 59, 'd'},     {110, 149, 'd'}, {210, 239, 'd'}, {460, 469, 'd'},   {1010, 1059, 'd'},
    {60, 79, '2'},     {170, 179, '2'}, {270, 289, '2'}, {370, 389, '2'},   {400, 409, '2'},
    {1060, 1070, '2'}, {90, 99, '4'},   {420, 429, '4'}, {440, 459, '4'},   {1071, 1071, '4'},
    {160, 169, '8'},   {290, 299, '1'}, {310, 319, 'c'}, {1004, 1004, 'c'},
};

void put_le(std::string& out, unsigned long long value, int bytes) {
  for (int k = 0; k < bytes; ++k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

struct BinaryDrawing {
  std::string bytes;
  bool has_eof = false;
};

// The pairs of an ASCII drawing but its comments, split as the ASCII reader splits them (up to a
// line that is no group code), written again as binary DXF: two-byte group codes when `wide`, else
// one byte with 255 and two more for codes above 254, as R12 writes them.
BinaryDrawing to_binary(std::string_view ascii, bool wide) {
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0; pos < ascii.size();) {
    const std::size_t lf = std::min(ascii.find('\n', pos), ascii.size());
    std::string_view line = ascii.substr(pos, lf - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = lf + 1;
  }
  if (!lines.empty() && lines[0].starts_with("\xEF\xBB\xBF")) lines[0].remove_prefix(3);
  BinaryDrawing out{kSentinel, false};
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const std::string code_text(lines[i]);
    char* end = nullptr;
    const long code = std::strtol(code_text.c_str(), &end, 10);
    if (end == code_text.c_str() ||
        code_text.find_first_not_of(" \t", end - code_text.c_str()) != std::string::npos) {
      break;
    }
    if (code == 999) continue;  // binary DXF holds no comments
    if (wide) {
      put_le(out.bytes, static_cast<unsigned long long>(code), 2);
    } else if (code >= 0 && code < 255) {
      out.bytes += static_cast<char>(code);
    } else {
      out.bytes += '\xFF';
      put_le(out.bytes, static_cast<unsigned long long>(code), 2);
    }
    const std::string value(lines[i + 1]);
    char type = 's';
    for (const CodeRange& r : kTypes) {
      if (code >= r.first && code <= r.last) type = r.type;
    }
    if (type == 'd') {
      const double d = std::strtod(value.c_str(), nullptr);
      unsigned long long bits = 0;
      std::memcpy(&bits, &d, sizeof d);
      put_le(out.bytes, bits, 8);
    } else if (type == 'c') {
      const std::size_t n = value.size() / 2;
      out.bytes += static_cast<char>(n);
      for (std::size_t k = 0; k < n; ++k) {
        out.bytes += static_cast<char>(std::stoi(value.substr(2 * k, 2), nullptr, 16));
      }
    } else if (type != 's') {
      put_le(out.bytes, static_cast<unsigned long long>(std::strtoll(value.c_str(), nullptr, 10)),
             type - '0');
    } else {
      out.bytes += value.substr(0, value.find('\0'));
      out.bytes += '\0';
    }
    if (code == 0 && value.find("EOF") == 0) {
      out.has_eof = true;
      break;
    }
  }
  return out;
}

DxfParseResult parse_in_steps(std::string_view bytes, std::size_t step, TextTable& table) {
  DxfTextParser parser(table);
  for (std::size_t pos = 0; pos < bytes.size() && !parser.stopped(); pos += step) {
    parser.feed(bytes.substr(pos, step));
  }
  return parser.finish();
}

// One TEXT for each value type, and for group codes above 254, with values whose bytes are no
// NUL: a value taken at the wrong length puts the pairs after it out of step.
struct TypedPair {
  const char* code;
  const char* value;
};
constexpr TypedPair kTypedPairs[] = {
    {"70", "16705"},
    {"90", "1094795585"},
    {"160", "4702111234474983745"},
    {"290", "65"},
    {"310", "41414141"},
    {"1001", "APP"},
    {"1000", "x"},
    {"1040", "1.2345678901234567"},
    {"1071", "1094795585"},
    {"1070", "16705"},
    {"1004", "4141"},
    {"-3", "marker"},
};

std::string every_type_drawing() {
  std::string body;
  for (std::size_t i = 0; i < std::size(kTypedPairs); ++i) {
    const std::string n = std::to_string(i + 1);
    body += "0\nTEXT\n" + std::string(kTypedPairs[i].code) + "\n" + kTypedPairs[i].value +
            "\n10\n" + n + ".5\n20\n-" + n + "\n1\nT" + n + "\n";
  }
  return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n";
}

TEST(DxfBinary, EveryDrawingGivesInBinaryTheTextsItGivesInAscii) {
  const std::string every_type = every_type_drawing();
  std::vector<std::string> drawings = {every_type};
  std::vector<fs::path> folders = {kData, fs::path(KORVANE_SOURCE_DIR) / "samples",
                                   fs::path(KORVANE_SOURCE_DIR) / ".." / "shared" / "corpus"};
  for (const fs::path& folder : folders) {
    if (!fs::is_directory(folder)) continue;  // the shared corpus beside the repository
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string bytes = test::read_file(entry.path());
      if (entry.path().extension() == ".dxf" && !bytes.starts_with(kSentinel)) {
        drawings.push_back(bytes);
      }
    }
  }
  ASSERT_GT(drawings.size(), 40u);
  for (const std::string& ascii : drawings) {
    TextTable expected;
    parse_dxf_texts(ascii, expected);
    for (const bool wide : {true, false}) {
      const BinaryDrawing binary = to_binary(ascii, wide);
      for (const std::size_t step : {binary.bytes.size(), std::size_t{1}, std::size_t{4099}}) {
        if (step == 1 && binary.bytes.size() > 100000) continue;  // the large ones take long
        TextTable table;
        EXPECT_EQ(parse_in_steps(binary.bytes, step, table),
                  binary.has_eof ? DxfParseResult::Read : DxfParseResult::NotDxf);
        ASSERT_EQ(table, expected) << ascii.substr(0, 200) << "\nwide " << wide << " step " << step;
      }
    }
  }
  TextTable expected;
  for (std::size_t i = 1; i <= std::size(kTypedPairs); ++i) {
    expected.push_back(
        {static_cast<double>(i) + 0.5, -static_cast<double>(i), "T" + std::to_string(i)});
  }
  for (const bool wide : {true, false}) {
    TextTable table;
    EXPECT_EQ(parse_dxf_texts(to_binary(every_type, wide).bytes, table), DxfParseResult::Read);
    EXPECT_EQ(table, expected) << "wide " << wide;
  }
}

// Written by ezdxf's binary writer (tools/make_binary_dxf.py) from the ASCII file of the same name.
TEST(DxfBinary, DrawingsWrittenByAnotherProgramGiveTheTextsOfTheirAsciiForm) {
  for (const char* name : {"r12_insert_with_attribs", "sheet_crlf", "r2010_utf8_texts_and_escapes",
                           "r14_ansi_1252_texts"}) {
    TextTable ascii;
    TextTable binary;
    test::RecordingNotifier notifier;
    ASSERT_TRUE(read_dxf_file(kData + name + ".dxf", ascii, notifier));
    ASSERT_TRUE(read_dxf_file(kData + "binary_" + name + ".dxf", binary, notifier)) << name;
    EXPECT_FALSE(ascii.empty());
    EXPECT_EQ(binary, ascii) << name;
    EXPECT_TRUE(notifier.messages.empty());
  }
}

TEST(DxfBinary, ADrawingCutAnywhereKeepsTheTextsCompletedBeforeTheCut) {
  const std::string whole = test::read_file(kData + "binary_sheet_crlf.dxf");
  TextTable all;
  ASSERT_EQ(parse_dxf_texts(whole, all), DxfParseResult::Read);
  ASSERT_EQ(all.size(), 5u);
  std::size_t cuts_with_texts = 0;
  for (std::size_t length = 1; length < whole.size(); ++length) {
    TextTable table;
    ASSERT_EQ(parse_dxf_texts(std::string_view(whole).substr(0, length), table),
              DxfParseResult::NotDxf)
        << length;
    ASSERT_LE(table.size(), all.size());
    EXPECT_TRUE(std::equal(table.begin(), table.end(), all.begin())) << length;
    if (!table.empty()) ++cuts_with_texts;
  }
  EXPECT_GT(cuts_with_texts, whole.size() / 2);
  // The reader says so, and keeps them.
  test::TempDir dir;
  test::write_file(dir.file("cut.dxf"), whole.substr(0, whole.size() - 1));
  TextTable table;
  test::RecordingNotifier notifier;
  EXPECT_FALSE(read_dxf_file(dir.file("cut.dxf"), table, notifier));
  EXPECT_EQ(table, all);
  EXPECT_EQ(notifier.said(), std::vector<std::string>{
                                 "ﾌｧｲﾙｴﾗｰ: ＡＳＣＩＩ形式のＤＸＦ図面ではないため読み込めません：" +
                                 test::utf8(dir.file("cut.dxf"))});
}

TEST(DxfBinary, AFileThatOnlyBeginsLikeABinaryDrawingIsRefused) {
  for (const std::string& bytes : {kSentinel, kSentinel + "\x01SECTION",
                                   kSentinel + std::string("\0\0SECTION\0\x02\0HEADER", 17)}) {
    TextTable table;
    EXPECT_EQ(parse_dxf_texts(bytes, table), DxfParseResult::NotDxf);
    EXPECT_EQ(table, TextTable{});
  }
  // A string without its NUL stops the read at the limit, as an endless ASCII line does.
  const std::string drawing = every_type_drawing();
  std::string endless = to_binary(drawing.substr(0, drawing.find("0\nENDSEC")), true).bytes;
  endless += std::string("\x01\0", 2) + std::string(DxfTextParser::kLineLimit + 1, 'x');
  TextTable table;
  DxfTextParser parser(table);
  for (std::size_t at = 0; at < endless.size() && !parser.stopped(); at += 4096) {
    parser.feed(std::string_view(endless).substr(at, 4096));
  }
  EXPECT_TRUE(parser.stopped());
  EXPECT_EQ(parser.finish(), DxfParseResult::NotDxf);
  EXPECT_EQ(table.size(), std::size(kTypedPairs));
}

}  // namespace
}  // namespace korvane
