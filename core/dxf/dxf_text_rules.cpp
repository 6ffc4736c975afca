#include "dxf/dxf_text_rules.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

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

}  // namespace

double parse_dxf_coordinate(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  if (i < s.size() && s[i] == '+') {
    ++i;
    if (i < s.size() && s[i] == '-') return 0.0;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), value);
  (void)end;
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

void DxfTextRules::take_real(int code, double value) {
  variable_ = HeaderVariable::None;
  if ((code == 10 || code == 20) && collecting()) {
    take_coordinate(code, std::isfinite(value) ? value : 0.0);
  }
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
