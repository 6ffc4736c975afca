#include <gtest/gtest.h>

#include "test_support.h"
#include "text/encoding.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

using test::sjis;

TEST(CutToCapacity, KeepsWholeDoubleByteCharacters) {
  const std::string text = sjis("部品名");  // three double-byte characters, six bytes
  EXPECT_EQ(cut_to_capacity(text, 64), text);
  EXPECT_EQ(cut_to_capacity(text, 7), text);          // 6 bytes fit in 7
  EXPECT_EQ(cut_to_capacity(text, 6), sjis("部品"));  // 5 bytes allowed: never half of 名
  EXPECT_EQ(cut_to_capacity(text, 5), sjis("部品"));
  EXPECT_EQ(cut_to_capacity(text, 2), "");
  EXPECT_EQ(cut_to_capacity(text, 1), "");
  EXPECT_EQ(cut_to_capacity(text, 0), "");
}

TEST(CutToCapacity, WalksFromTheStartSoTrailBytesAreNotMistakenForLeadBytes) {
  // ソ is 83 5C and 表 is 95 5C: the trail bytes look like ASCII; 0x83 and 0x95 are also valid
  // trail bytes. Only a walk from the start knows where characters begin.
  const std::string text = "A" + sjis("ソ表ソ");  // 1 + 6 bytes
  EXPECT_EQ(cut_to_capacity(text, 5), "A" + sjis("ソ"));
  EXPECT_EQ(cut_to_capacity(text, 6), "A" + sjis("ソ表"));
  // Half-width katakana are single bytes (0xA1-0xDF).
  const std::string kana = sjis("ﾌｧｲﾙ");
  ASSERT_EQ(kana.size(), 4u);
  EXPECT_EQ(cut_to_capacity(kana, 4), sjis("ﾌｧｲ"));
  // A 100-byte ASCII cell read with capacity 64 gives its first 63 bytes.
  EXPECT_EQ(cut_to_capacity(std::string(100, 'x'), 64), std::string(63, 'x'));
}

TEST(BeginsWith, ComparesBytesOverThePrefixLength) {
  EXPECT_TRUE(begins_with("CR12", "CR"));
  EXPECT_TRUE(begins_with("CR", "CR"));
  EXPECT_FALSE(begins_with("C", "CR"));
  EXPECT_FALSE(begins_with("cr1", "CR"));
  EXPECT_FALSE(begins_with(" CR1", "CR"));
  EXPECT_TRUE(begins_with("anything", ""));
}

TEST(CAtoi, FollowsTheCLibrary) {
  EXPECT_EQ(c_atoi("42"), 42);
  EXPECT_EQ(c_atoi(" 7"), 7);
  EXPECT_EQ(c_atoi("\t-15xyz"), -15);
  EXPECT_EQ(c_atoi("+3"), 3);
  EXPECT_EQ(c_atoi("abc"), 0);
  EXPECT_EQ(c_atoi(""), 0);
  EXPECT_EQ(c_atoi("- 3"), 0);
  EXPECT_EQ(c_atoi(sjis("2個")), 2);
  EXPECT_EQ(c_atoi("99999999999999999999"), 2147483647);
  EXPECT_EQ(c_atoi("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(format_int(-2147483647 - 1), "-2147483648");
}

TEST(SupplyClass, IsDecidedByTheFirstFourBytes) {
  EXPECT_EQ(kSupplied, sjis("支給"));
  EXPECT_EQ(kNotPurchased, sjis("非購"));
  EXPECT_EQ(supply_class_of(sjis("支給品")), SupplyClass::Supplied);
  EXPECT_EQ(supply_class_of(sjis("非購入")), SupplyClass::NotPurchased);
  EXPECT_EQ(supply_class_of("    "), SupplyClass::Purchased);
  EXPECT_EQ(supply_class_of(sjis("支")), SupplyClass::Purchased);
  EXPECT_EQ(supply_class_text(1), kSupplied);
  EXPECT_EQ(supply_class_text(2), kNotPurchased);
  EXPECT_EQ(supply_class_text(7), "    ");
}

TEST(Messages, AreTheShiftJisBytesOfTheirTexts) {
  EXPECT_EQ(msg::kTitleFileError, sjis("ﾌｧｲﾙｴﾗｰ"));
  EXPECT_EQ(msg::kTooManyRows, sjis("総部品点数が5000個を超えてます。"));
  EXPECT_EQ(msg::kSettingsMissingAskDefaults, sjis("ファイルが開きません。初期値で良いですか？"));
  EXPECT_EQ(msg::kTitleSettingsFile, std::string("\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8\x83t\x83@\x83"
                                                 "C\x83\x8B"));
}

TEST(Encoding, RoundTripsJapaneseAndUsesCodePage932) {
  const std::string u = "支給 ｽﾍﾟｯｸ ソ表能 ①Ⅱ㈱";
  EXPECT_EQ(sjis_to_utf8(utf8_to_sjis(u)), u);
  // Where code page 932 and plain Shift_JIS differ, the code page 932 bytes are used.
  EXPECT_EQ(code_point_to_sjis(U'\uFF5E'), "\x81\x60");  // FULLWIDTH TILDE
  EXPECT_EQ(code_point_to_sjis(U'\uFF0D'), "\x81\x7C");  // FULLWIDTH HYPHEN-MINUS
  EXPECT_EQ(code_point_to_sjis(U'\u2225'), "\x81\x61");  // PARALLEL TO
  EXPECT_EQ(code_point_to_sjis(U'\uFFE2'), "\x81\xCA");  // FULLWIDTH NOT SIGN
  EXPECT_EQ(code_point_to_sjis(U'A'), "A");
  EXPECT_EQ(code_point_to_sjis(U'\u00FC'), "");  // ü: not in code page 932
  bool ok = true;
  EXPECT_EQ(utf8_to_sjis("a\xC3\xBC"
                         "b",
                         &ok),
            "a?b");
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace korvane
