#include "output/output_options.h"

#include <string>

#include "settings/settings.h"

namespace korvane {
namespace {

template <typename Choice, std::size_t N>
std::optional<Choice> parse_choice(std::string_view name,
                                   const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == name) return static_cast<Choice>(i);
  }
  return std::nullopt;
}

template <typename Choice, std::size_t N>
Choice read_choice(const Settings& settings, std::string_view key,
                   const std::array<std::string_view, N>& names) {
  return parse_choice<Choice>(option_value(settings, key), names).value_or(Choice{});
}

template <typename Choice, std::size_t N>
void store_choice(Settings& settings, std::string_view key,
                  const std::array<std::string_view, N>& names, Choice choice) {
  if (choice == Choice{}) {
    if (const auto set = settings.options.find(key); set != settings.options.end()) {
      settings.options.erase(set);
    }
    return;
  }
  settings.options[std::string(key)] = std::string(names[static_cast<std::size_t>(choice)]);
}

}  // namespace

std::optional<OutputFormat> parse_output_format(std::string_view name) {
  return parse_choice<OutputFormat>(name, kOutputFormatNames);
}

std::optional<TagListStyle> parse_tag_list_style(std::string_view name) {
  return parse_choice<TagListStyle>(name, kTagListNames);
}

std::optional<TextEncoding> parse_text_encoding(std::string_view name) {
  return parse_choice<TextEncoding>(name, kOutputEncodingNames);
}

OutputOptions read_output_options(const Settings& settings) {
  return {read_choice<OutputFormat>(settings, kOutputFormatKey, kOutputFormatNames),
          read_choice<TagListStyle>(settings, kTagListKey, kTagListNames),
          read_choice<TextEncoding>(settings, kOutputEncodingKey, kOutputEncodingNames)};
}

void store_output_options(Settings& settings, const OutputOptions& options) {
  store_choice(settings, kOutputFormatKey, kOutputFormatNames, options.format);
  store_choice(settings, kTagListKey, kTagListNames, options.tag_list);
  store_choice(settings, kOutputEncodingKey, kOutputEncodingNames, options.encoding);
}

}  // namespace korvane
