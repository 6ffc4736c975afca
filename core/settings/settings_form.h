// The settings dialog's view of the record: every field as the text its control shows, and the
// rules by which the dialog's buttons turn those texts back into the record.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace korvane {

inline constexpr std::size_t kColumnSettingCount = 8;
// Combo texts are read into 4-byte buffers: "1000" is read as 100.
inline constexpr std::size_t kComboNumberCapacity = 4;

// The output combos' items (Shift-JIS).
inline constexpr std::string_view kSaveModeSplit = "\x95\xAA\x8A\x84";  // 分割
inline constexpr std::string_view kSaveModeOne = "\x88\xEA\x8A\x87";    // 一括
inline constexpr std::string_view kSaveFormatCsv = "csv";
inline constexpr std::string_view kSaveFormatTxt = "txt";

struct SettingsFormColumn {
  std::string title;
  std::string text_number;  // order combo
  std::string width;
  std::string fixed_text;

  bool operator==(const SettingsFormColumn&) const = default;
};

// Field k of `field_columns` is, in order, the column of the tag, drawing, part name, maker,
// specification, type, quantity and supply class.
struct SettingsForm {
  std::array<std::string, kPairCount> part_file{};
  std::array<std::string, kPairCount> kinsi_file{};
  std::array<SettingsFormColumn, kColumnSettingCount> columns{};
  std::array<std::string, kColumnSettingCount> field_columns{};
  std::string save_mode;    // "分割" or "一括"
  std::string save_format;  // "csv" or "txt"
  std::string pt_x;
  std::string pt_y;

  bool operator==(const SettingsForm&) const = default;
};

// The texts the dialog opens with; numbers in "%d".
SettingsForm settings_form(const Settings& settings);

// "ＯＫ": every field from its text. The order of column 0 is always 1 and its fixed text empty,
// ta_no always 0; numbers go through atoi (so a text that is not a number gives 0), and texts are
// cut to their fields' capacities. Nothing is checked against a range.
void store_settings_form(Settings& settings, const SettingsForm& form);

// "再読込": the two paths of pair `pair` (0-based) become that pair's paths.
void store_pair_paths(Settings& settings, std::size_t pair, std::string_view part_file,
                      std::string_view kinsi_file);

// The items of the order combo of a column row and of a field column combo (k as above).
std::span<const std::string_view> order_items(std::size_t row);
std::span<const std::string_view> field_column_items(std::size_t k);

// 0 when the text begins with "分割" / "csv" (bytes compared exactly), else 1.
int save_mode_of(std::string_view text);
int save_format_of(std::string_view text);

// A number read from an order or field column combo.
int combo_number(std::string_view text);

}  // namespace korvane
