// The settings record and its file "Korvane.ini".
#pragma once

#include <array>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace korvane {

class Notifier;
struct Workspace;

// Capacities of the settings fields (a field of N bytes holds N - 1 bytes of text).
inline constexpr std::size_t kPathCapacity = 256;
inline constexpr std::size_t kColumnTextCapacity = 64;
inline constexpr std::size_t kNumberCapacity = 32;
inline constexpr int kPairCount = 5;

struct ColumnSetting {
  std::string title;       // list-view column title (file key "commentN")
  int text_number = 0;     // which recognised text fills the column; 0 = none ("jyunbanN")
  int width = 0;           // width in pixels ("habaN")
  std::string fixed_text;  // when not empty it wins over text_number ("koteiN")

  bool operator==(const ColumnSetting&) const = default;
};

// The parts list column (0 to 7) that holds each part field. The settings file keeps any number
// here; a column outside the row reads as empty and takes nothing.
struct ColumnMap {
  int tag = 0;
  int drawing = 1;
  int part_name = 2;
  int maker = 3;
  int spec = 4;
  int type = 5;
  int quantity = 6;
  int supply = 7;

  bool operator==(const ColumnMap&) const = default;
};

// How the read-and-convert commands write: three files by supply class, or one file.
enum class SaveLayout { ThreeFiles, OneFile };

// The format of a parts list file. file_save_mode2 chooses between CSV and TXT; the workbook is
// written by its own command or option (output/output_options.h).
enum class OutputKind { Csv, Txt, Xlsx };

// Values before the file is read (the "initial" values); reset_settings_values() gives the
// "reset" ones.
struct Settings {
  std::array<std::string, kPairCount> part_file{};
  int part_select = 0;
  std::array<std::string, kPairCount> kinsi_file{};
  std::array<ColumnSetting, 8> columns{};
  ColumnMap column_map;
  // The file keeps any number here; read them through save_layout() and output_kind().
  int file_save_mode = 0;   // 0: three files by supply class; else one file
  int file_save_mode2 = 0;  // 0: CSV; else TXT
  int pt_x = 5;
  int pt_y = 50;
  std::string file_folder;
  // Values of this version's options (see OptionSpec) that the file or the user set.
  std::map<std::string, std::string, std::less<>> options;

  bool operator==(const Settings&) const = default;

  SaveLayout save_layout() const {
    return file_save_mode == 0 ? SaveLayout::ThreeFiles : SaveLayout::OneFile;
  }
  void set_save_layout(SaveLayout layout) {
    file_save_mode = layout == SaveLayout::ThreeFiles ? 0 : 1;
  }
  OutputKind output_kind() const {
    return file_save_mode2 != 0 ? OutputKind::Txt : OutputKind::Csv;
  }
  void set_output_kind(OutputKind kind) { file_save_mode2 = kind == OutputKind::Txt ? 1 : 0; }

  // The pair that part_select picks, or -1 when it picks none.
  int selected_pair() const {
    return part_select >= 1 && part_select <= kPairCount ? part_select - 1 : -1;
  }
};

inline constexpr std::string_view kSettingsFileName = "Korvane.ini";

// An option beyond the 56 lines of the file: a "key=value" line after them, written only when
// its value differs from the default. A file without options is so written as always, and a
// program that does not know an option ignores its line. Lines of keys that are neither the 56
// nor an option of this version are not kept.
struct OptionSpec {
  std::string_view key;
  std::string_view default_value;
};

// The keys of this version's options.
inline constexpr std::string_view kOptionDxfCodePage = "dxf_codepage";

// This version's options, in the order they are written.
std::span<const OptionSpec> option_specs();

// The value of an option: what the file or the user set, else the default of `specs`.
std::string_view option_value(const Settings& settings, std::string_view key,
                              std::span<const OptionSpec> specs = option_specs());

// Applies the lines of a settings file to `settings` (keys not present keep their values).
void parse_settings(Settings& settings, std::string_view content,
                    std::span<const OptionSpec> specs = option_specs());

// The 56 lines of the file, then the options that differ from their defaults; CR LF each.
std::string format_settings(const Settings& settings,
                            std::span<const OptionSpec> specs = option_specs());

// The reset values (paths cleared, part_select 1, the default columns, "c:\").
void reset_settings_values(Settings& settings);

// What the front end does for the dialogs that reading may open. Any of them may be empty.
struct SettingsDialogs {
  // The base parts list / prohibited words open dialogs of the reset: each loads the chosen file
  // and leaves its path in the workspace's last reference path; false when cancelled.
  std::function<bool(Workspace&)> open_base_parts;
  std::function<bool(Workspace&)> open_prohibited_words;
  // The settings dialog shown when the user declines the defaults.
  std::function<void(Workspace&)> settings_dialog;
};

enum class SettingsSource {
  File,        // read from the file
  Missing,     // no such file: the user chose the defaults or the settings dialog
  Unreadable,  // the file exists but cannot be read: reset values, and the file is never written
};

// Reads ws.settings_path into ws.settings. A file that does not exist asks whether to take the
// defaults: Yes resets them (and runs the two open dialogs), No opens the settings dialog. A file
// that exists but cannot be read (locked, no permission, a folder) says so, takes the reset values
// and leaves ws.settings_writable false, so that the file is not replaced at exit.
SettingsSource read_settings(Workspace& ws, Notifier& notifier,
                             const SettingsDialogs& dialogs = {});

// The reset branch of read_settings: values, then the two open dialogs.
void reset_settings(Workspace& ws, const SettingsDialogs& dialogs = {});

// Writes the record whole or not at all (nothing when ws.settings_writable is false). When the
// file cannot be written the user is asked whether to quit at once; returns true when the answer
// is Yes.
bool write_settings(const Workspace& ws, Notifier& notifier);

}  // namespace korvane
