#include "dxf/dxf_text_rules.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace korvane {
namespace {

// The first version whose text is UTF-8 (R2007).
constexpr int kFirstUtf8Version = 1021;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Decimal digits only, at most `max_digits` of them.
bool parse_digits(std::string_view s, std::size_t max_digits, int& number) {
  if (s.empty() || s.size() > max_digits) return false;
  int value = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  number = value;
  return true;
}

bool begins_with_ignoring_case(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), s.begin(), [](char p, char c) {
           return p == (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
         });
}

// The number of a code page name as the header writes it: "ANSI_1252", "DOS850", "DOS_850", of
// either case. 0 for any other name ("MACINTOSH", "ISO8859-1", ...).
int code_page_number(std::string_view name) {
  name = trim_blanks(name);
  for (const std::string_view prefix : {"ANSI_", "DOS_", "DOS"}) {
    int number = 0;
    if (begins_with_ignoring_case(name, prefix) &&
        parse_digits(name.substr(prefix.size()), 5, number)) {
      return number;
    }
  }
  return 0;
}

int section_of(std::string_view name) {
  if (begins_with(name, "HEADER")) return 1;
  if (begins_with(name, "CLASSES")) return 2;
  if (begins_with(name, "TABLES")) return 3;
  if (begins_with(name, "BLOCKS")) return 4;
  if (begins_with(name, "ENTITIES")) return 5;
  if (begins_with(name, "OBJECTS")) return 6;
  return 0;
}

// Digits with at most one decimal point and nothing after them, as CAD programs write
// coordinates, when they are few enough to convert exactly: at most 15 digits, so that the
// mantissa (below 2^53) and the power of ten are both exact doubles and their quotient is the
// correctly rounded value, as std::from_chars gives it. False for anything else.
bool parse_plain_decimal(std::string_view s, double& value) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) ++i;
  std::uint64_t mantissa = 0;
  std::size_t digits = 0;
  std::size_t decimals = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

double parse_dxf_coordinate(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  if (i < s.size() && s[i] == '+') {
    ++i;
    if (i < s.size() && s[i] == '-') return 0.0;
  }
  double value = 0.0;
  if (parse_plain_decimal(s.substr(i), value)) return value;
  const auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), value);
  (void)end;
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

void DxfTextRules::take_pair(int code, std::string_view value) {
  take_code_pair(code, value);
  update_interest();
}

void DxfTextRules::take_code_pair(int code, std::string_view value) {
  const HeaderVariable variable = variable_;
  variable_ = HeaderVariable::None;
  switch (code) {
    case 0:
      if (begins_with(value, "EOF")) {
        at_end_ = true;
      } else if (begins_with(value, "SECTIO")) {
        section_ = kNameAwaited;
      } else if (begins_with(value, "ENDSEC")) {
        section_ = kOutside;
      } else if (section_ == kEntities && pending_ != kAll &&
                 (begins_with(value, "TEXT") || begins_with(value, "ATTRIB"))) {
        // R12 and older write no subclass markers: the entity name alone says the entity is a
        // text, and an attribute of an inserted block is one as much as a TEXT.
        pending_ = kAll;
      }
      break;
    case 2:
      if (section_ == kNameAwaited) take_section_name(value);
      break;
    case 100:
      if (section_ == kEntities && pending_ != kAll &&
          (begins_with(value, "AcDbMText") || begins_with(value, "AcDbText"))) {
        pending_ = kAll;
      }
      break;
    case 9:
      if (section_ == kHeader) take_header_variable(value);
      break;
    case 1:
      if (variable == HeaderVariable::Version) take_version(value);
      if (collecting()) take_text_value(value);
      break;
    case 3:
      if (variable == HeaderVariable::CodePage) take_code_page(value);
      break;
    case 10:
    case 20:
      if (collecting()) take_coordinate(code, parse_dxf_coordinate(value));
      break;
    default:
      break;
  }
}

void DxfTextRules::take_real(int code, double value) {
  variable_ = HeaderVariable::None;
  if ((code == 10 || code == 20) && collecting()) {
    take_coordinate(code, std::isfinite(value) ? value : 0.0);
  }
  update_interest();
}

void DxfTextRules::take_other() {
  variable_ = HeaderVariable::None;
  update_interest();
}

// The codes take_code_pair acts on in the present state: every pair while a header variable
// waits for its value (any pair ends the wait), else code 0 always and the others where their
// case would do something.
void DxfTextRules::update_interest() {
  constexpr auto bit = [](int code) { return std::uint64_t{1} << code; };
  if (variable_ != HeaderVariable::None) {
    interest_[0] = interest_[1] = ~std::uint64_t{0};
    return;
  }
  std::uint64_t low = bit(0);
  if (section_ == kNameAwaited) low |= bit(2);
  if (section_ == kHeader) low |= bit(9);
  if (collecting()) low |= bit(1) | bit(10) | bit(20);
  interest_[0] = low;
  interest_[1] = section_ == kEntities && pending_ != kAll ? bit(100 - 64) : 0;
}

void DxfTextRules::take_section_name(std::string_view value) { section_ = section_of(value); }

void DxfTextRules::take_header_variable(std::string_view value) {
  value = trim_blanks(value);
  if (value == "$ACADVER") {
    variable_ = HeaderVariable::Version;
  } else if (value == "$DWGCODEPAGE") {
    variable_ = HeaderVariable::CodePage;
  }
}

// "AC" and a number: from AC1021 on, the texts that follow are UTF-8.
void DxfTextRules::take_version(std::string_view value) {
  value = trim_blanks(value);
  if (value.size() < 3 || !begins_with(value, "AC") ||
      value.find_first_not_of("0123456789", 2) != std::string_view::npos) {
    return;
  }
  long long number = 0;
  for (const char c : value.substr(2)) {
    if (number <= INT_MAX) number = number * 10 + (c - '0');
  }
  version_ = static_cast<int>(std::min<long long>(number, INT_MAX));
  choose_encoding();
}

// A code page the system cannot convert from, and 932 itself, leave the bytes as they are.
void DxfTextRules::take_code_page(std::string_view value) {
  if (code_page_choice_ == DxfCodePage::Cp932) return;
  const int number = code_page_number(value);
  code_page_taken_ =
      number != 0 && number != 932 && converter_.use_code_page(static_cast<unsigned>(number));
  choose_encoding();
}

void DxfTextRules::choose_encoding() {
  if (version_ >= kFirstUtf8Version) {
    encoding_ = DxfTextEncoding::Utf8;
  } else {
    encoding_ = code_page_taken_ ? DxfTextEncoding::CodePage : DxfTextEncoding::ShiftJis;
  }
}

// Every text value passes here, and only here. Control bytes are settled on the raw bytes: a NUL
// ends the text, as it would a C string, and any other control byte but TAB becomes a space, so
// that no cell carries a line break or an escape into a file or a window.
void DxfTextRules::take_text_value(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  std::string clean;
  if (std::any_of(value.begin(), value.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; })) {
    clean.assign(value);
    for (char& c : clean) {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
    }
    value = clean;
  }
  current_.text = converter_.convert(value, encoding_, kDxfTextCapacity);
  drop_lone_lead_byte(current_.text);
  complete_item(kText);
}

void DxfTextRules::take_coordinate(int code, double value) {
  if (code == 10) {
    current_.x = value;
    complete_item(kX);
  } else {
    current_.y = value;
    complete_item(kY);
  }
}

void DxfTextRules::complete_item(std::uint8_t item) {
  // A value that arrives again before the record is complete replaces the earlier one.
  pending_ = static_cast<std::uint8_t>(pending_ & ~item);
  if (pending_ == 0) table_.push_back(current_);
}

}  // namespace korvane
