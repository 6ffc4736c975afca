// Drawings from current CAD programs: UTF-8 text from AC1021 on, the code page the header names
// before, \U+ and \M+ escapes in every version, and the code page tables behind them, which must
// be the same on both platforms.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_text_parser.h"
#include "dxf/dxf_text_value.h"
#include "test_support.h"
#include "text/code_page.h"
#include "text/encoding.h"

namespace korvane {
namespace {

using test::sjis;

constexpr auto kSjis = DxfTextEncoding::ShiftJis;
constexpr auto kUtf8 = DxfTextEncoding::Utf8;

std::string convert(std::string_view value, DxfTextEncoding encoding) {
  DxfTextConverter converter;
  return converter.convert(value, encoding, kDxfTextCapacity);
}

std::string convert_from(unsigned code_page, std::string_view value) {
  DxfTextConverter converter;
  EXPECT_TRUE(converter.use_code_page(code_page)) << code_page;
  return converter.convert(value, DxfTextEncoding::CodePage, kDxfTextCapacity);
}

std::string repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Runs natively (iconv) and in the cross build under Wine (Win32): both must give the bytes of
// the table, which tools/gen_cp932_table.py writes from Python's own code page 932 codec.
TEST(Cp932Table, EveryCodePointGivesTheBytesOfTheTableOnThisPlatform) {
  std::map<char32_t, std::string> table;
  std::istringstream in(
      test::read_file(std::string(KORVANE_TEST_DATA) + "/encoding/cp932_from_unicode.txt"));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    unsigned cp = 0;
    unsigned byte = 0;
    fields >> std::hex >> cp;
    std::string& bytes = table[cp];
    while (fields >> byte) bytes += static_cast<char>(byte);
  }
  ASSERT_GT(table.size(), 9000u);

  Cp932Encoder encoder;
  int wrong = 0;
  for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const auto it = table.find(cp);
    const std::string expected = it == table.end() ? "" : it->second;
    std::string cached;
    encoder.append(cp, cached);
    if (code_point_to_sjis(cp) != expected || cached != expected) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp);
      if (++wrong == 20) break;
    }
  }
}

// Runs natively (iconv) and under Wine (Win32) against the one table that
// tools/gen_code_page_table.py writes: every byte 0x80-0xFF of the single-byte code pages, a
// sample of the double-byte ones.
TEST(CodePageTable, EveryByteGivesTheCharacterOfTheTableOnThisPlatform) {
  std::istringstream in(
      test::read_file(std::string(KORVANE_TEST_DATA) + "/encoding/code_pages.txt"));
  std::string line;
  int lines = 0;
  int wrong = 0;
  unsigned open_page = 0;
  CodePageDecoder decoder;
  while (std::getline(in, line) && wrong < 20) {
    std::istringstream fields(line);
    unsigned code_page = 0;
    std::string hex;
    std::string character;
    fields >> code_page >> hex >> character;
    if (code_page != open_page) {
      ASSERT_TRUE(decoder.open(code_page)) << code_page;
      open_page = code_page;
    }
    std::string bytes;
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
      bytes += static_cast<char>(std::stoi(hex.substr(k, 2), nullptr, 16));
    }
    const CodePageChar expected =
        character == "-"
            ? CodePageChar{}
            : CodePageChar{static_cast<char32_t>(std::stoul(character, nullptr, 16)), bytes.size()};
    // Asked twice: the second answer comes from the decoder's memory.
    for (int round = 0; round < 2; ++round) {
      const CodePageChar got = decoder.next(bytes, 0);
      if (got.length != expected.length ||
          (got.length != 0 && got.code_point != expected.code_point)) {
        ADD_FAILURE() << line << ": got U+" << std::hex << static_cast<unsigned>(got.code_point)
                      << " length " << got.length;
        ++wrong;
      }
    }
    ++lines;
  }
  EXPECT_EQ(lines, 12 * 128 + 35);
  // Code pages the reader does not take: Shift-JIS itself, UTF-8, and numbers of no code page.
  for (const unsigned refused : {932u, 65001u, 0u, 1259u, 20127u}) {
    EXPECT_FALSE(decoder.open(refused)) << refused;
  }
}

TEST(Cp932Table, CodePage932FormsWinWhereShiftJisDiffers) {
  struct Case {
    char32_t cp;
    const char* bytes;
  };
  // Code page 932's own characters, then the JIS forms other programs write for them.
  for (const Case c : {Case{0xFF5E, "\x81\x60"}, Case{0xFF0D, "\x81\x7C"}, Case{0x2225, "\x81\x61"},
                       Case{0xFFE2, "\x81\xCA"}, Case{0x2015, "\x81\x5C"}, Case{0x301C, "\x81\x60"},
                       Case{0x2212, "\x81\x7C"}, Case{0x2016, "\x81\x61"}, Case{0x00AC, "\x81\xCA"},
                       Case{0x2014, "\x81\x5C"}, Case{0x00A2, "\x81\x91"}, Case{0x00A3, "\x81\x92"},
                       // The IBM code, not the NEC-selected one, for doubly coded characters.
                       Case{0x2170, "\xFA\x40"}, Case{0x2252, "\x81\xE0"}}) {
    EXPECT_EQ(code_point_to_sjis(c.cp), c.bytes) << std::hex << static_cast<unsigned>(c.cp);
  }
  for (const char32_t cp : {0x00A5, 0x203E, 0x0080, 0xF8F0, 0x00FC, 0x1F600}) {
    EXPECT_EQ(code_point_to_sjis(cp), "") << std::hex << static_cast<unsigned>(cp);
  }
}

TEST(DxfTextValue, UnicodeAndMbcsEscapesBecomeShiftJisInEveryVersion) {
  for (const DxfTextEncoding e : {kSjis, kUtf8}) {
    EXPECT_EQ(convert("\\U+30BD\\U+8868\\U+80FD", e), "\x83\x5C\x95\x5C\x94\x5C") << "ソ表能";
    EXPECT_EQ(convert("MC\\U+0031 \\u+0031", e), "MC1 \\u+0031");  // hex of either case only
    EXPECT_EQ(convert("\\U+96fb\\U+78C1", e), sjis("電磁"));
    EXPECT_EQ(convert("\\M+1955C\\M+18d5c", e), "\x95\x5C\x8D\x5C");
    // A replacement is not scanned again.
    EXPECT_EQ(convert("\\U+005CU+0041", e), "\\U+0041");
    EXPECT_EQ(convert("\\M+1955CU+0041", e), "\x95\x5CU+0041");
  }
}

TEST(DxfTextValue, EscapesThatAreNotCharactersStayAsTheyStand) {
  for (const DxfTextEncoding e : {kSjis, kUtf8}) {
    for (const char* kept : {"\\U+30B", "\\U+", "\\U+30G0", "\\U 30BD", "\\M+28140", "\\M+10041",
                             "\\M+1955", "\\P\\A1;\\~", "end\\", "\\U+000A", "\\U+0000"}) {
      EXPECT_EQ(convert(kept, e), kept);
    }
  }
}

TEST(DxfTextValue, WhatCodePage932CannotHoldIsWrittenAsAnUpperCaseEscape) {
  EXPECT_EQ(convert("M\\U+00fcller", kSjis), "M\\U+00FCller");
  EXPECT_EQ(convert("M\xC3\xBCller", kUtf8), "M\\U+00FCller");
  EXPECT_EQ(convert("\xF0\x9F\x98\x80!", kUtf8), "\\U+D83D\\U+DE00!");  // beyond U+FFFF
  EXPECT_EQ(convert("\\U+d83d\\U+de00", kSjis), "\\U+D83D\\U+DE00");
  EXPECT_EQ(convert("\\U+00A5 \\U+FF3C", kSjis), "\\U+00A5 \x81\x5F");  // ¥ is not 0x5C
}

TEST(DxfTextValue, ShiftJisIsWalkedByCharacterSoATrailByte5CNeverBeginsAnEscape) {
  // ソ, 表 and 能 end in 0x5C; what follows them looks like the rest of an escape.
  for (const char* c : {"ソ", "表", "能"}) {
    const std::string text = sjis(c) + "U+0041" + sjis(c) + "M+1955C";
    EXPECT_EQ(convert(text, kSjis), text) << c;
    EXPECT_EQ(convert(sjis(c) + "\\U+0041", kSjis), sjis(c) + "A") << c;
  }
}

TEST(DxfTextValue, Utf8IsConvertedAndBytesThatAreNotUtf8AreKept) {
  EXPECT_EQ(convert("電磁接触器 SC-E02 ｽﾍﾟｯｸ ①Ⅱ㈱", kUtf8), sjis("電磁接触器 SC-E02 ｽﾍﾟｯｸ ①Ⅱ㈱"));
  // Escapes are found after decoding.
  EXPECT_EQ(convert("ポンプ\\U+30DD", kUtf8), sjis("ポンプポ"));
  // The code page 932 characters and the JIS forms of them give code page 932 bytes.
  EXPECT_EQ(convert("～－∥￢〜−‖¬", kUtf8),
            "\x81\x60\x81\x7C\x81\x61\x81\xCA\x81\x60\x81\x7C\x81\x61\x81\xCA");
  // Invalid, overlong, surrogate and cut-short sequences are kept byte for byte.
  for (const char* kept : {"A\xFF"
                           "B",
                           "\xC0\xAF", "\xED\xA0\x80", "x\xE9\x9B", "\xF5\x80\x80\x80"}) {
    EXPECT_EQ(convert(kept, kUtf8), kept);
  }
  // A Shift-JIS text in a drawing that says UTF-8 survives, its 0x5C trail bytes included.
  const std::string sjis_text = sjis("表示灯") + "U+0041";
  EXPECT_EQ(convert(sjis_text, kUtf8), sjis_text);
}

TEST(DxfTextValue, ACodePageIsConvertedCharacterByCharacterAsUtf8Is) {
  // Code page 932 holds ± and ° (in 1252 and 850); ü and Ø become escapes, as from UTF-8.
  EXPECT_EQ(convert_from(1252,
                         "\xB1"
                         "5% 30\xB0"
                         "C"),
            "\x81\x7D"
            "5% 30\x81\x8B"
            "C");
  EXPECT_EQ(convert_from(850,
                         "\xF1"
                         "5% 30\xF8"
                         "C"),
            "\x81\x7D"
            "5% 30\x81\x8B"
            "C");
  EXPECT_EQ(convert_from(1252,
                         "M\xFCller \xD8"
                         "20"),
            "M\\U+00FCller \\U+00D820");
  // Escapes as in every drawing; a byte the code page leaves undefined stays as it is, a
  // Shift-JIS lead byte with the ASCII byte after it.
  EXPECT_EQ(convert_from(1252, "\\U+00B1 \\M+1955C"), "\x81\x7D \x95\x5C");
  EXPECT_EQ(convert_from(1252,
                         "\x81"
                         "A \x81"),
            "\x81"
            "A \x81");
  // Double-byte code pages are walked by character: 許 and 功 end in 0x5C in code page 950.
  EXPECT_EQ(convert_from(950, "\xB3\x5CU+0041\xA5\x5C"), sjis("許") + "U+0041" + sjis("功"));
  EXPECT_EQ(convert_from(936, "\xD6\xD0\xB9\xFA"), sjis("中国"));
  EXPECT_EQ(convert_from(949, "\xC7\xD1"), "\\U+D55C");
  // The cut comes after conversion: 40 ü are 280 bytes as escapes, 9 of which fit.
  EXPECT_EQ(convert_from(1252, repeat("\xFC", 40)), repeat("\\U+00FC", 9));
}

TEST(DxfTextValue, TheCutAppliesAfterConversionAndSplitsNothing) {
  // 40 characters: 120 bytes of UTF-8, 80 of Shift-JIS; 31 fit in 63 bytes.
  EXPECT_EQ(convert(repeat("漢", 40), kUtf8), sjis(repeat("漢", 31)));
  // 20 escapes are 140 bytes in the file and 40 in the table.
  EXPECT_EQ(convert(repeat("\\U+30BD", 20), kSjis), repeat("\x83\x5C", 20));
  // Neither a double-byte character nor an escape written for a character is split.
  EXPECT_EQ(convert(std::string(62, 'a') + "漢", kUtf8), std::string(62, 'a'));
  EXPECT_EQ(convert(std::string(60, 'a') + "\xC3\xBC", kUtf8), std::string(60, 'a'));
  EXPECT_EQ(convert(std::string(56, 'a') + "\xC3\xBC", kUtf8), std::string(56, 'a') + "\\U+00FC");
  EXPECT_EQ(convert(std::string(62, 'a') + "\\M+1955C", kSjis), std::string(62, 'a'));
  EXPECT_EQ(convert(std::string(61, 'a') + "\\U+8868x", kSjis), std::string(61, 'a') + "\x95\x5C");
}

// A drawing with the given header variables and one TEXT whose string is `text`; LF line ends.
std::string drawing(std::string_view header, std::string_view text) {
  return "0\nSECTION\n2\nHEADER\n" + std::string(header) + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" +
         "0\nTEXT\n100\nAcDbText\n10\n1\n20\n2\n1\n" + std::string(text) + "\n0\nENDSEC\n0\nEOF\n";
}

std::string text_of(const std::string& bytes) {
  TextTable table;
  EXPECT_EQ(parse_dxf_texts(bytes, table), DxfParseResult::Read);
  return table.size() == 1 ? table[0].text : "(no single record)";
}

TEST(DxfEncodingDetection, AC1021AndLaterAreUtf8) {
  const std::string utf8 = "電磁接触器";
  for (const char* version : {"AC1021", "AC1024", "AC1032", " AC1027 ", "AC99999"}) {
    EXPECT_EQ(text_of(drawing("9\n$ACADVER\n1\n" + std::string(version) + "\n", utf8)), sjis(utf8))
        << version;
  }
  for (const char* version : {"AC1009", "AC1015", "AC1018", "AC102x", "AC", "ACAD1021", ""}) {
    EXPECT_EQ(text_of(drawing("9\n$ACADVER\n1\n" + std::string(version) + "\n", utf8)), utf8)
        << version;
  }
  // The version must follow the variable name directly, in the HEADER.
  EXPECT_EQ(text_of(drawing("9\n$ACADVER\n70\n1\n1\nAC1024\n", utf8)), utf8);
  EXPECT_EQ(
      text_of("0\nSECTION\n2\nTABLES\n9\n$ACADVER\n1\nAC1024\n0\nENDSEC\n" + drawing("", utf8)),
      utf8);
  EXPECT_EQ(text_of(drawing("9\n$DWGCODEPAGE\n3\nANSI_932\n", utf8)), utf8);
  // Older drawings keep their bytes and still have their escapes replaced.
  EXPECT_EQ(text_of(drawing("9\n$ACADVER\n1\nAC1015\n", sjis("表") + "\\U+793A")), sjis("表示"));
}

TEST(DxfEncodingDetection, BeforeAC1021TheHeaderCodePageIsReadUnlessTheOptionSays932) {
  struct Case {
    std::string header;
    const char* text;
  };
  const std::string plus_minus = "\xB1";  // ± in 1252; ｱ in Shift-JIS
  const std::string r14 = "9\n$ACADVER\n1\nAC1014\n";
  for (const Case& c : std::vector<Case>{
           {r14 + "9\n$DWGCODEPAGE\n3\nANSI_1252\n", "\x81\x7D"},
           {"9\n$DWGCODEPAGE\n3\n ansi_1252 \n" + r14, "\x81\x7D"},  // either order, any case
           {"9\n$DWGCODEPAGE\n3\nANSI_1252\n", "\x81\x7D"},          // no version: before AC1021
           {"9\n$DWGCODEPAGE\n3\nDOS850\n", "\\U+2592"},             // ▒ in 850
           {"9\n$DWGCODEPAGE\n3\ndos_850\n", "\\U+2592"},
           {"9\n$DWGCODEPAGE\n3\nANSI_1253\n", "\x81\x7D"},
           // Bytes as they are: 932 itself, a name that is no ANSI_n or DOSn, a page not taken,
           // no code page, and UTF-8 from AC1021 on whatever the header names.
           {"9\n$DWGCODEPAGE\n3\nANSI_932\n", "\xB1"},
           {"9\n$DWGCODEPAGE\n3\ndos932\n", "\xB1"},
           {"9\n$DWGCODEPAGE\n3\nMACINTOSH\n", "\xB1"},
           {"9\n$DWGCODEPAGE\n3\nANSI_1252x\n", "\xB1"},
           {"9\n$DWGCODEPAGE\n3\nANSI_65001\n", "\xB1"},
           {"9\n$DWGCODEPAGE\n70\n1\n3\nANSI_1252\n", "\xB1"},  // not right after the name
           {r14, "\xB1"},
           {"9\n$ACADVER\n1\nAC1021\n9\n$DWGCODEPAGE\n3\nANSI_1252\n", "\xB1"},
       }) {
    EXPECT_EQ(text_of(drawing(c.header, plus_minus)), c.text) << c.header;
  }
  // The option dxf_codepage=932: the bytes as they are whatever the header names.
  TextTable table;
  EXPECT_EQ(parse_dxf_texts(drawing(r14 + "9\n$DWGCODEPAGE\n3\nANSI_1252\n", plus_minus), table,
                            DxfCodePage::Cp932),
            DxfParseResult::Read);
  EXPECT_EQ(table, (TextTable{{1.0, 2.0, plus_minus}}));
  EXPECT_EQ(dxf_code_page_option("932"), DxfCodePage::Cp932);
  for (const char* other : {"auto", "", "1252", "932 "}) {
    EXPECT_EQ(dxf_code_page_option(other), DxfCodePage::Auto) << other;
  }
}

TEST(DxfEncodingDetection, ACodePageDrawingFileGivesShiftJisTexts) {
  TextTable table;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(read_dxf_file(std::string(KORVANE_TEST_DATA) + "/dxf/r14_ansi_1252_texts.dxf", table,
                            notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(table, (TextTable{{10.0, 100.0, "MCCB1"},
                              {10.0, 95.0, sjis("±5% 30°C")},
                              {10.0, 90.0, "M\\U+00FCller \\U+00D820"},
                              {10.0, 85.0,
                               "\\U+20AC \x81"
                               "A " +
                                   sjis("±")}}));
}

TEST(DxfEncodingDetection, AUtf8DrawingFileGivesShiftJisTexts) {
  TextTable table;
  test::RecordingNotifier notifier;
  ASSERT_TRUE(read_dxf_file(
      std::string(KORVANE_TEST_DATA) + "/dxf/r2010_utf8_texts_and_escapes.dxf", table, notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(table, (TextTable{{10.0, 100.0, "MC1"},
                              {10.0, 95.0, sjis("電磁接触器")},
                              {20.0, 90.0, sjis("{\\fＭＳ ゴシック|b0;制御盤}\\P主回路")},
                              {30.0, 80.0, sjis("0～40℃")},
                              {40.0, 70.0, "M\\U+00FCller " + sjis("①")}}));
}

}  // namespace
}  // namespace korvane
