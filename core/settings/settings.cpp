#include "settings/settings.h"

#include <array>
#include <cstdio>

#include "io/file_io.h"
#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {
namespace {

void store_text(std::string& field, std::string_view value, std::size_t capacity) {
  field = cut_to_capacity(value, capacity);
}

void store_number(int& field, std::string_view value) {
  field = c_atoi(cut_to_capacity(value, kNumberCapacity));
}

// The file's keys of the column map, in file order.
struct ColumnKey {
  std::string_view key;
  int ColumnMap::*field;
};
constexpr ColumnKey kColumnKeys[] = {
    {"ta_no=", &ColumnMap::tag},       {"a_no=", &ColumnMap::drawing},
    {"pa_no=", &ColumnMap::part_name}, {"ma_no=", &ColumnMap::maker},
    {"sp_no=", &ColumnMap::spec},      {"ty_no=", &ColumnMap::type},
    {"su_no=", &ColumnMap::quantity},  {"si_no=", &ColumnMap::supply},
};

// Applies one line to the record; keys are tried in file order and must match at the start of
// the line, "=" included.
void apply_line(Settings& s, std::string_view line) {
  auto value_of = [&](std::string_view key, std::string_view& value) {
    if (!begins_with(line, key)) return false;
    value = line.substr(key.size());
    return true;
  };
  std::string_view value;
  char key[32];
  for (int i = 0; i < kPairCount; ++i) {
    std::snprintf(key, sizeof key, "part_file%d=", i + 1);
    if (value_of(key, value)) store_text(s.part_file[i], value, kPathCapacity);
  }
  if (value_of("part_select=", value)) store_number(s.part_select, value);
  for (int i = 0; i < kPairCount; ++i) {
    std::snprintf(key, sizeof key, "kinsi_file%d=", i + 1);
    if (value_of(key, value)) store_text(s.kinsi_file[i], value, kPathCapacity);
  }
  for (int i = 0; i < 8; ++i) {
    ColumnSetting& c = s.columns[static_cast<std::size_t>(i)];
    std::snprintf(key, sizeof key, "comment%d=", i);
    if (value_of(key, value)) store_text(c.title, value, kColumnTextCapacity);
    std::snprintf(key, sizeof key, "jyunban%d=", i);
    if (value_of(key, value)) {
      store_number(c.text_number, value);
      // Recognition numbers texts 2..10 below the tag; anything else would address texts that
      // do not exist, so it means "none" for the data columns.
      if (i > 0 && (c.text_number <= 1 || c.text_number > 10)) c.text_number = 0;
    }
    std::snprintf(key, sizeof key, "haba%d=", i);
    if (value_of(key, value)) store_number(c.width, value);
    std::snprintf(key, sizeof key, "kotei%d=", i);
    if (value_of(key, value)) store_text(c.fixed_text, value, kColumnTextCapacity);
  }
  for (const ColumnKey& k : kColumnKeys) {
    if (value_of(k.key, value)) store_number(s.column_map.*k.field, value);
  }
  struct NumberKey {
    std::string_view key;
    int Settings::*field;
  };
  static constexpr NumberKey kNumbers[] = {
      {"file_save_mode=", &Settings::file_save_mode},
      {"file_save_mode2=", &Settings::file_save_mode2},
      {"pt_x=", &Settings::pt_x},
      {"pt_y=", &Settings::pt_y},
  };
  for (const NumberKey& k : kNumbers) {
    if (value_of(k.key, value)) store_number(s.*k.field, value);
  }
  if (value_of("file_folder=", value)) store_text(s.file_folder, value, kPathCapacity);
}

}  // namespace

std::span<const OptionSpec> option_specs() {
  // Each feature that has a setting of its own adds its line here.
  static constexpr std::array<OptionSpec, 4> kOptions{{
      // "932": the texts of drawings before AC1021 are Shift-JIS whatever code page the header
      // names; "auto": they are read in that code page.
      {kOptionDxfCodePage, "auto"},
      // The outputs (output/output_options.h).
      {"output_format", "text"},
      {"tag_list", "merged"},
      {"output_encoding", "sjis"},
  }};
  return kOptions;
}

std::string_view option_value(const Settings& settings, std::string_view key,
                              std::span<const OptionSpec> specs) {
  if (const auto set = settings.options.find(key); set != settings.options.end()) {
    return set->second;
  }
  for (const OptionSpec& spec : specs) {
    if (spec.key == key) return spec.default_value;
  }
  return {};
}

void parse_settings(Settings& settings, std::string_view content,
                    std::span<const OptionSpec> specs) {
  // Editors that save UTF-8 put a byte order mark first; it would hide the first key.
  if (begins_with(content, "\xEF\xBB\xBF")) content.remove_prefix(3);
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find('\n', pos);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    apply_line(settings, line);
    for (const OptionSpec& spec : specs) {
      if (line.size() > spec.key.size() && begins_with(line, spec.key) &&
          line[spec.key.size()] == '=') {
        settings.options[std::string(spec.key)] =
            cut_to_capacity(line.substr(spec.key.size() + 1), kPathCapacity);
      }
    }
  }
}

std::string format_settings(const Settings& s, std::span<const OptionSpec> specs) {
  std::string out;
  auto line = [&out](std::string_view key, std::string_view value) {
    out.append(key);
    out.append(value);
    out.append("\r\n");
  };
  char key[32];
  for (int i = 0; i < kPairCount; ++i) {
    std::snprintf(key, sizeof key, "part_file%d=", i + 1);
    line(key, s.part_file[i]);
  }
  line("part_select=", format_int(s.part_select));
  for (int i = 0; i < kPairCount; ++i) {
    std::snprintf(key, sizeof key, "kinsi_file%d=", i + 1);
    line(key, s.kinsi_file[i]);
  }
  for (int i = 0; i < 8; ++i) {
    const ColumnSetting& c = s.columns[static_cast<std::size_t>(i)];
    std::snprintf(key, sizeof key, "comment%d=", i);
    line(key, c.title);
    std::snprintf(key, sizeof key, "jyunban%d=", i);
    line(key, format_int(c.text_number));
    std::snprintf(key, sizeof key, "haba%d=", i);
    line(key, format_int(c.width));
    std::snprintf(key, sizeof key, "kotei%d=", i);
    line(key, c.fixed_text);
  }
  for (const ColumnKey& k : kColumnKeys) line(k.key, format_int(s.column_map.*k.field));
  line("file_save_mode=", format_int(s.file_save_mode));
  line("file_save_mode2=", format_int(s.file_save_mode2));
  line("pt_x=", format_int(s.pt_x));
  line("pt_y=", format_int(s.pt_y));
  line("file_folder=", s.file_folder);
  for (const OptionSpec& spec : specs) {
    const std::string_view value = option_value(s, spec.key, specs);
    if (value != spec.default_value) line(std::string(spec.key) + "=", value);
  }
  return out;
}

void reset_settings_values(Settings& s) {
  s.part_select = 1;
  for (auto& p : s.part_file) p.clear();
  for (auto& p : s.kinsi_file) p.clear();
  static constexpr std::string_view kTitles[8] = {
      "Tag.No.",          msg::kColumnTitle1, msg::kColumnTitle2, msg::kColumnTitle3,
      msg::kColumnTitle4, msg::kColumnTitle5, msg::kColumnTitle6, msg::kColumnTitle7};
  static constexpr int kJyunban[8] = {1, 0, 0, 0, 2, 3, 0, 0};
  static constexpr int kHaba[8] = {150, 40, 130, 60, 130, 130, 40, 50};
  for (std::size_t i = 0; i < 8; ++i) {
    s.columns[i].title = std::string(kTitles[i]);
    s.columns[i].text_number = kJyunban[i];
    s.columns[i].width = kHaba[i];
    s.columns[i].fixed_text.clear();
  }
  s.columns[6].fixed_text = "1";
  s.pt_y = 60;
  s.column_map = ColumnMap{};
  s.file_save_mode = 0;
  s.file_save_mode2 = 0;
  s.pt_x = 5;
  s.file_folder = "c:\\";
}

void reset_settings(Workspace& ws, const SettingsDialogs& dialogs) {
  reset_settings_values(ws.settings);
  // Each path is the one confirmed in its own dialog; a cancelled dialog leaves it empty.
  if (dialogs.open_base_parts && dialogs.open_base_parts(ws)) {
    ws.settings.part_file[0] = cut_to_capacity(ws.last_reference_path, kPathCapacity);
  }
  if (dialogs.open_prohibited_words && dialogs.open_prohibited_words(ws)) {
    ws.settings.kinsi_file[0] = cut_to_capacity(ws.last_reference_path, kPathCapacity);
  }
}

SettingsSource read_settings(Workspace& ws, Notifier& notifier, const SettingsDialogs& dialogs) {
  std::string content;
  const io::ReadResult read = io::read_file(ws.settings_path, content, io::kListFileLimit);
  if (read) {
    parse_settings(ws.settings, content);
    return SettingsSource::File;
  }
  if (read.status == io::ReadResult::Status::Failed) {
    ws.settings_writable = false;
    std::string text = std::string(msg::kSettingsFilePrefix) + ws.settings_path +
                       std::string(msg::kSettingsUnreadable);
    if (!read.reason.empty()) text += "\n" + read.reason;
    notifier.warn(text, msg::kTitleFileError);
    reset_settings_values(ws.settings);
    return SettingsSource::Unreadable;
  }
  if (notifier.ask_yes_no(msg::kSettingsMissingAskDefaults, msg::kTitleSettingsFile,
                          ws.settings_path)) {
    reset_settings(ws, dialogs);
  } else if (dialogs.settings_dialog) {
    dialogs.settings_dialog(ws);
  }
  return SettingsSource::Missing;
}

bool write_settings(const Workspace& ws, Notifier& notifier) {
  if (!ws.settings_writable) return false;
  if (io::write_whole_file(ws.settings_path, format_settings(ws.settings))) return false;
  return notifier.ask_yes_no(msg::kSettingsCannotWriteAskQuit, msg::kTitleSettingsFile,
                             ws.settings_path);
}

}  // namespace korvane
