// The options of the outputs, kept as option lines of the settings file (see option_specs()):
//   output_format=text|xlsx             what the read-and-convert commands write
//   tag_list=merged|sorted|ranges       how tag lists are written (see tag_list.h)
//   output_encoding=sjis|utf8           the encoding of CSV and TXT files
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "output/tag_list.h"

namespace korvane {

struct Settings;

enum class OutputFormat {
  Text,  // CSV or TXT by file_save_mode2, one file or three by file_save_mode
  Xlsx,  // one Excel workbook holding every row and the three supply classes
};

enum class TextEncoding {
  ShiftJis,
  Utf8,  // UTF-8 with a byte order mark, which Excel and non-Japanese systems need to tell it
};

struct OutputOptions {
  OutputFormat format = OutputFormat::Text;
  TagListStyle tag_list = TagListStyle::Merged;
  TextEncoding encoding = TextEncoding::ShiftJis;

  bool operator==(const OutputOptions&) const = default;
};

// The keys and the value names of each option, in enum order (the first is the default).
inline constexpr std::string_view kOutputFormatKey = "output_format";
inline constexpr std::array<std::string_view, 2> kOutputFormatNames = {"text", "xlsx"};
inline constexpr std::string_view kTagListKey = "tag_list";
inline constexpr std::array<std::string_view, 3> kTagListNames = {"merged", "sorted", "ranges"};
inline constexpr std::string_view kOutputEncodingKey = "output_encoding";
inline constexpr std::array<std::string_view, 2> kOutputEncodingNames = {"sjis", "utf8"};

std::optional<OutputFormat> parse_output_format(std::string_view name);
std::optional<TagListStyle> parse_tag_list_style(std::string_view name);
std::optional<TextEncoding> parse_text_encoding(std::string_view name);

// The options the settings hold; a value that names no choice reads as the default.
OutputOptions read_output_options(const Settings& settings);

// Sets the three options; a default value removes its setting, so that no line is written.
void store_output_options(Settings& settings, const OutputOptions& options);

}  // namespace korvane
