#include "dxf/dxf_text_parser.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "text/sjis.h"

namespace korvane {
namespace {

constexpr int kOutside = 0;
constexpr int kNameAwaited = -1;
constexpr int kHeader = 1;
constexpr int kEntities = 5;

// The first version whose text is UTF-8 (R2007).
constexpr int kFirstUtf8Version = 1021;

constexpr std::uint8_t kText = 1;
constexpr std::uint8_t kX = 2;
constexpr std::uint8_t kY = 4;
constexpr std::uint8_t kAll = kText | kX | kY;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// An optional sign and decimal digits, nothing else; a value beyond int saturates, since no
// group code the reader acts on is that large.
bool parse_group_code(std::string_view s, int& code) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  long long value = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    if (value <= INT_MAX) value = value * 10 + (c - '0');
  }
  if (value > INT_MAX) value = INT_MAX;
  code = static_cast<int>(negative ? -value : value);
  return true;
}

// As the C library's decimal-to-double conversion: leading white space skipped, as much as
// parses, 0.0 when nothing does. A value that is not a finite number (inf, nan, out of range)
// also gives 0.0, so that recognition only ever does arithmetic on real coordinates.
double parse_coordinate(std::string_view s) {
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

int section_of(std::string_view name) {
  if (begins_with(name, "HEADER")) return kHeader;
  if (begins_with(name, "CLASSES")) return 2;
  if (begins_with(name, "TABLES")) return 3;
  if (begins_with(name, "BLOCKS")) return 4;
  if (begins_with(name, "ENTITIES")) return kEntities;
  if (begins_with(name, "OBJECTS")) return 6;
  return kOutside;
}

}  // namespace

void DxfTextParser::feed(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (!stopped_ && p < end) {
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const std::size_t n = static_cast<std::size_t>((lf ? lf : end) - p);
    if (lf && carry_length_ == 0) {
      take_whole_line(std::string_view(p, n), n);
    } else {
      carry_.append(p, std::min(n, kLineKeep + 1 - carry_.size()));
      carry_length_ += n;
      if (carry_length_ > kLineLimit) {
        refuse();
        return;
      }
      if (!lf) return;
      take_carried_line();
    }
    p = lf + 1;
  }
}

DxfParseResult DxfTextParser::finish() {
  if (!stopped_ && carry_length_ > 0) take_carried_line();
  stopped_ = true;
  return not_ascii_ ? DxfParseResult::NotAscii : DxfParseResult::Read;
}

void DxfTextParser::take_carried_line() {
  take_whole_line(carry_, carry_length_);
  carry_.clear();
  carry_length_ = 0;
}

// `kept` is the start of a line of `length` bytes (the line end not counted), all of it when
// the line is short enough. A CR at its end belongs to the line end.
void DxfTextParser::take_whole_line(std::string_view kept, std::size_t length) {
  if (length == kept.size() && !kept.empty() && kept.back() == '\r') {
    kept.remove_suffix(1);
    --length;
  }
  if (length > kLineLimit) {
    refuse();
    return;
  }
  take_line(kept.substr(0, kLineKeep), length > kLineKeep);
}

void DxfTextParser::take_line(std::string_view line, bool truncated) {
  if (first_line_) {
    first_line_ = false;
    if (begins_with(line, kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
  }
  if (expect_code_) {
    take_code_line(line, truncated);
    return;
  }
  expect_code_ = true;
  take_pair(code_, line);
}

void DxfTextParser::take_code_line(std::string_view line, bool truncated) {
  const std::string_view code = trim_blanks(line);
  if (code.empty() && !truncated) {
    // Allowed only at the end of the file; anything after it is refused below.
    blank_code_line_ = true;
    return;
  }
  if (blank_code_line_ || truncated || !parse_group_code(code, code_)) {
    refuse();
    return;
  }
  expect_code_ = false;
}

void DxfTextParser::refuse() {
  not_ascii_ = true;
  stopped_ = true;
}

void DxfTextParser::take_pair(int code, std::string_view value) {
  const bool version_due = version_due_;
  version_due_ = false;
  switch (code) {
    case 0:
      if (begins_with(value, "EOF")) {
        stopped_ = true;
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
      if (section_ == kNameAwaited) section_ = section_of(value);
      break;
    case 100:
      if (section_ == kEntities && pending_ != kAll &&
          (begins_with(value, "AcDbMText") || begins_with(value, "AcDbText"))) {
        pending_ = kAll;
      }
      break;
    case 9:
      version_due_ = section_ == kHeader && trim_blanks(value) == "$ACADVER";
      break;
    case 1:
      if (version_due) take_version(value);
      if (section_ == kEntities && pending_ != 0) take_text_value(value);
      break;
    case 10:
      if (section_ == kEntities && pending_ != 0) take_coordinate(current_.x, kX, value);
      break;
    case 20:
      if (section_ == kEntities && pending_ != 0) take_coordinate(current_.y, kY, value);
      break;
    default:
      break;
  }
}

// "AC" and a number: from AC1021 on, the texts that follow are UTF-8.
void DxfTextParser::take_version(std::string_view value) {
  value = trim_blanks(value);
  int number = 0;
  if (value.size() < 3 || !begins_with(value, "AC") ||
      value.find_first_not_of("0123456789", 2) != std::string_view::npos ||
      !parse_group_code(value.substr(2), number)) {
    return;
  }
  encoding_ = number >= kFirstUtf8Version ? DxfTextEncoding::Utf8 : DxfTextEncoding::ShiftJis;
}

// Every text value passes here, and only here. Control bytes are settled on the raw bytes: a NUL
// ends the text, as it would a C string, and any other control byte but TAB becomes a space, so
// that no cell carries a line break or an escape into a file or a window.
void DxfTextParser::take_text_value(std::string_view value) {
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

void DxfTextParser::take_coordinate(double& field, std::uint8_t item, std::string_view value) {
  field = parse_coordinate(value);
  complete_item(item);
}

void DxfTextParser::complete_item(std::uint8_t item) {
  // A value that arrives again before the record is complete replaces the earlier one.
  pending_ = static_cast<std::uint8_t>(pending_ & ~item);
  if (pending_ == 0) table_.push_back(current_);
}

DxfParseResult parse_dxf_texts(std::string_view bytes, TextTable& table) {
  DxfTextParser parser(table);
  parser.feed(bytes);
  return parser.finish();
}

}  // namespace korvane
