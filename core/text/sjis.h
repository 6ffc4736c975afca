// Shift-JIS byte helpers shared by every part of the core.
//
// All texts in the core are Shift-JIS (code page 932) bytes held in std::string. Texts have
// capacities, as fixed buffers would: a text stored with capacity N keeps at most N - 1 bytes,
// and it is cut by cut_to_capacity() so that a double-byte character is never split.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// True when `byte` begins a two-byte Shift-JIS character (0x81-0x9F or 0xE0-0xFC).
constexpr bool is_sjis_lead_byte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of `text` of at most `capacity - 1` bytes that ends on a character
// boundary (walking from the start). Capacity 0 or 1 gives 0.
std::size_t cut_length(std::string_view text, std::size_t capacity);

// Drops a last byte that is the lead byte of a double-byte character with no trail byte, so that
// the text never ends inside a character (a CSV cell would swallow its closing quote).
void drop_lone_lead_byte(std::string& text);

// The text as a buffer of `capacity` bytes would hold it.
std::string cut_to_capacity(std::string_view text, std::size_t capacity);

// `text` begins with `prefix`: bytes compared case-sensitively over prefix's length. An empty
// prefix matches everything; callers whose rule says otherwise test for it first.
constexpr bool begins_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The C library's atoi: leading blanks, an optional sign, then decimal digits up to the first
// non-digit; no digits give 0. Saturates instead of overflowing.
int c_atoi(std::string_view text);

// printf("%d").
std::string format_int(int value);

// The supply class texts. A cell is supplied / not purchased when its first four bytes are these.
inline constexpr std::string_view kSupplied = "\x8E\x78\x8B\x8B";      // 支給
inline constexpr std::string_view kNotPurchased = "\x94\xF1\x8D\x77";  // 非購
inline constexpr std::string_view kPurchased = "    ";                 // four spaces

enum class SupplyClass { Purchased = 0, Supplied = 1, NotPurchased = 2 };

// Class of a cell text by its first four bytes.
SupplyClass supply_class_of(std::string_view cell);

// The text the program writes for a class code (1, 2, anything else -> four spaces).
std::string_view supply_class_text(int code);

}  // namespace korvane
