// SjisToUtf8Converter gives what sjis_to_utf8 gives, for every byte and every pair of bytes, and
// for longer texts whatever their mix of characters and bytes that are none.
#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"
#include "text/sjis.h"

namespace korvane {
namespace {

std::string converted(SjisToUtf8Converter& converter, std::string_view sjis) {
  std::string out = "prefix";  // appended to, never replaced
  converter.append(sjis, out);
  return out.substr(6);
}

TEST(SjisToUtf8Table, EveryByteAndPairOfBytesAsSjisToUtf8) {
  SjisToUtf8Converter converter;
  for (int a = 0; a < 256; ++a) {
    const std::string one(1, static_cast<char>(a));
    ASSERT_EQ(converted(converter, one), sjis_to_utf8(one)) << a;
    for (int b = 0; b < 256; ++b) {
      const std::string two = one + static_cast<char>(b);
      ASSERT_EQ(converted(converter, two), sjis_to_utf8(two)) << a << " " << b;
    }
  }
}

TEST(SjisToUtf8Table, TextsOfCharactersAndStrayBytes) {
  SjisToUtf8Converter converter;
  const std::string kanji = "\x90\xA7\x8C\xE4\x94\xD5";  // 制御盤
  const std::string texts[] = {
      "",
      "MC1",
      kanji,
      "A" + kanji + "\\P\xB1\xB2 \x81\x40",  // half-width katakana, ideographic space
      kanji + "\x81",                        // a lead byte at the end
      "\x81\x20" + kanji,                    // a lead byte before a byte that is no trail
      "\x80\xA0\xFD\xFE\xFF" + kanji,        // bytes that begin no character
      "\x85\x40\xEF\x40\xF0\x40\xFC\xFC",    // pairs in unassigned and user-defined rows
      kanji + std::string(1, '\0') + "x",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(converted(converter, text), sjis_to_utf8(text)) << text;
  }
}

}  // namespace
}  // namespace korvane
