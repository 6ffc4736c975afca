// The base parts list and prohibited words files of the main window: the pair loaded at start and
// saved at exit, and the open and save commands of the Settings menu.
#pragma once

#include "settings/settings.h"

namespace korvane::win {

struct App;

// The pair of files that part_select picks (none when it picks none).
void load_reference_pair(App& app);
void save_reference_pair(App& app);

// Open commands: the path chosen becomes the last reference path and the list is loaded from it.
// False when the dialog was cancelled.
bool open_base_parts_file(App& app);
bool open_prohibited_words_file(App& app);
// Save commands: the name chosen, completed with ".txt", gets the list.
void save_base_parts_file(App& app);
void save_prohibited_words_file(App& app);

// What read_settings may show: the two open dialogs of the reset, and the settings dialog when
// the user declines the defaults.
SettingsDialogs settings_dialogs(App& app);

}  // namespace korvane::win
