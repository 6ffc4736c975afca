#include "settings/settings_form.h"

#include "text/sjis.h"

namespace korvane {
namespace {

// The field columns in the order of the dialog's combos.
constexpr int ColumnMap::*kFieldColumns[kColumnSettingCount] = {
    &ColumnMap::tag,  &ColumnMap::drawing, &ColumnMap::part_name, &ColumnMap::maker,
    &ColumnMap::spec, &ColumnMap::type,    &ColumnMap::quantity,  &ColumnMap::supply};

// Column 0 always holds the tag number: its order and the tag's column cannot be chosen.
constexpr std::string_view kFirstOrderItems[] = {"1"};
constexpr std::string_view kOrderItems[] = {"0", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr std::string_view kTagColumnItems[] = {"0"};
constexpr std::string_view kFieldColumnItems[] = {"1", "2", "3", "4", "5", "6", "7"};

int number(std::string_view text) { return c_atoi(cut_to_capacity(text, kNumberCapacity)); }

}  // namespace

SettingsForm settings_form(const Settings& s) {
  SettingsForm form;
  form.part_file = s.part_file;
  form.kinsi_file = s.kinsi_file;
  for (std::size_t i = 0; i < kColumnSettingCount; ++i) {
    const ColumnSetting& c = s.columns[i];
    form.columns[i] = {c.title, format_int(c.text_number), format_int(c.width), c.fixed_text};
  }
  for (std::size_t k = 0; k < kColumnSettingCount; ++k) {
    form.field_columns[k] = format_int(s.column_map.*kFieldColumns[k]);
  }
  form.save_mode = std::string(s.file_save_mode == 0 ? kSaveModeSplit : kSaveModeOne);
  form.save_format = std::string(s.file_save_mode2 == 0 ? kSaveFormatCsv : kSaveFormatTxt);
  form.pt_x = format_int(s.pt_x);
  form.pt_y = format_int(s.pt_y);
  return form;
}

void store_settings_form(Settings& s, const SettingsForm& form) {
  for (std::size_t n = 0; n < static_cast<std::size_t>(kPairCount); ++n) {
    s.part_file[n] = cut_to_capacity(form.part_file[n], kPathCapacity);
    s.kinsi_file[n] = cut_to_capacity(form.kinsi_file[n], kPathCapacity);
  }
  for (std::size_t i = 0; i < kColumnSettingCount; ++i) {
    ColumnSetting& c = s.columns[i];
    const SettingsFormColumn& f = form.columns[i];
    c.title = cut_to_capacity(f.title, kColumnTextCapacity);
    c.text_number = i == 0 ? 1 : combo_number(f.text_number);
    c.width = number(f.width);
    c.fixed_text = i == 0 ? std::string() : cut_to_capacity(f.fixed_text, kColumnTextCapacity);
  }
  s.column_map.tag = 0;
  for (std::size_t k = 1; k < kColumnSettingCount; ++k) {
    s.column_map.*kFieldColumns[k] = combo_number(form.field_columns[k]);
  }
  s.file_save_mode = save_mode_of(form.save_mode);
  s.file_save_mode2 = save_format_of(form.save_format);
  s.pt_x = number(form.pt_x);
  s.pt_y = number(form.pt_y);
}

void store_pair_paths(Settings& s, std::size_t pair, std::string_view part_file,
                      std::string_view kinsi_file) {
  if (pair >= static_cast<std::size_t>(kPairCount)) return;
  s.part_file[pair] = cut_to_capacity(part_file, kPathCapacity);
  s.kinsi_file[pair] = cut_to_capacity(kinsi_file, kPathCapacity);
}

std::span<const std::string_view> order_items(std::size_t row) {
  if (row == 0) return kFirstOrderItems;
  return kOrderItems;
}

std::span<const std::string_view> field_column_items(std::size_t k) {
  if (k == 0) return kTagColumnItems;
  return kFieldColumnItems;
}

int save_mode_of(std::string_view text) { return begins_with(text, kSaveModeSplit) ? 0 : 1; }

int save_format_of(std::string_view text) { return begins_with(text, kSaveFormatCsv) ? 0 : 1; }

int combo_number(std::string_view text) {
  return c_atoi(cut_to_capacity(text, kComboNumberCapacity));
}

}  // namespace korvane
