#include "text/sjis.h"

#include <climits>
#include <cstdio>

namespace korvane {

std::size_t cut_length(std::string_view text, std::size_t capacity) {
  if (capacity <= 1) return 0;
  const std::size_t limit = capacity - 1;
  if (text.size() <= limit) {
    // Still walk: a text that ends in a lone lead byte is kept as it is (nothing to split).
    return text.size();
  }
  std::size_t pos = 0;
  while (pos < limit) {
    const std::size_t width = is_sjis_lead_byte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > limit) break;
    pos += width;
  }
  return pos;
}

std::string cut_to_capacity(std::string_view text, std::size_t capacity) {
  return std::string(text.substr(0, cut_length(text, capacity)));
}

void drop_lone_lead_byte(std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (is_sjis_lead_byte(static_cast<unsigned char>(text[pos])) && pos + 1 == text.size()) {
      text.pop_back();
      return;
    }
    pos += is_sjis_lead_byte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
  }
}

int c_atoi(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\v' || text[i] == '\f' || text[i] == '\r')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

std::string format_int(int value) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, "%d", value);
  return std::string(buffer, static_cast<std::size_t>(n));
}

SupplyClass supply_class_of(std::string_view cell) {
  if (begins_with(cell, kSupplied)) return SupplyClass::Supplied;
  if (begins_with(cell, kNotPurchased)) return SupplyClass::NotPurchased;
  return SupplyClass::Purchased;
}

std::string_view supply_class_text(int code) {
  if (code == 1) return kSupplied;
  if (code == 2) return kNotPurchased;
  return kPurchased;
}

}  // namespace korvane
