#include "text/code_page.h"

#include <algorithm>

#include "text/encoding_platform.h"

namespace korvane {
namespace {

constexpr std::uint32_t kUndefined = 1;
constexpr std::uint32_t kLeadByte = 2;
constexpr std::uint32_t kCharacter = 1u << 24;

constexpr unsigned kSingleByte[] = {437,  737,  775,  850,  852,  855,  857,  858, 860,
                                    861,  862,  863,  864,  865,  866,  869,  874, 1250,
                                    1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
constexpr unsigned kDoubleByte[] = {936, 949, 950};

bool is_taken(unsigned code_page) {
  return std::find(std::begin(kSingleByte), std::end(kSingleByte), code_page) !=
             std::end(kSingleByte) ||
         std::find(std::begin(kDoubleByte), std::end(kDoubleByte), code_page) !=
             std::end(kDoubleByte);
}

struct Reading {
  unsigned code_page;
  unsigned char byte;
  char32_t code_point;
};

// Bytes where the platforms disagree and the Windows reading is taken on both.
constexpr Reading kWindowsReadings[] = {
    {1255, 0xCA, 0x05BA},  // HEBREW POINT HOLAM HASER FOR VAV
};

}  // namespace

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

bool CodePageDecoder::open(unsigned code_page) {
  if (platform_ && code_page == code_page_) return true;
  platform_.reset();
  bytes_.fill(0);
  pairs_.reset();
  code_page_ = code_page;
  if (!is_taken(code_page)) return false;
  platform_ = detail::open_platform_code_page(code_page);
  return platform_ != nullptr;
}

std::uint32_t CodePageDecoder::ask(std::string_view bytes) {
  if (bytes.size() == 1) {
    for (const Reading& r : kWindowsReadings) {
      if (r.code_page == code_page_ && r.byte == static_cast<unsigned char>(bytes[0])) {
        return kCharacter | r.code_point;
      }
    }
  }
  const char32_t cp = platform_->decode(bytes);
  if (cp == detail::PlatformCodePage::kLeadByte) return bytes.size() == 1 ? kLeadByte : kUndefined;
  if (cp == detail::PlatformCodePage::kUndefined || (cp >= 0x80 && cp <= 0x9F) ||
      (cp >= 0xE000 && cp <= 0xF8FF) || cp > 0xFFFF) {
    return kUndefined;
  }
  return kCharacter | cp;
}

CodePageChar CodePageDecoder::next(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  if (!platform_) return {};
  std::uint32_t& known = bytes_[lead];
  if (known == 0) known = ask(text.substr(pos, 1));
  if (known == kUndefined) return {};
  if (known != kLeadByte) return {known & 0xFFFFFF, 1};
  if (pos + 1 >= text.size()) return {};
  const auto trail = static_cast<unsigned char>(text[pos + 1]);
  if (!pairs_) pairs_ = std::make_unique<std::uint32_t[]>(0x10000);
  std::uint32_t& pair = pairs_[static_cast<std::size_t>(lead) << 8 | trail];
  if (pair == 0) pair = ask(text.substr(pos, 2));
  if (pair == kUndefined || pair == kLeadByte) return {};
  return {pair & 0xFFFFFF, 2};
}

}  // namespace korvane
