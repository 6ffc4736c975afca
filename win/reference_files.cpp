#include "reference_files.h"

#include "app.h"
#include "file_dialogs.h"
#include "reference/base_parts_file.h"
#include "reference/list_file_name.h"
#include "reference/prohibited_words_file.h"
#include "reference/reference_pair.h"
#include "settings_dialog.h"

namespace korvane::win {

void load_reference_pair(App& app) { korvane::load_reference_pair(app.ws, app.notifier); }

void save_reference_pair(App& app) { save_reference_pair_at_exit(app.ws, app.notifier); }

bool open_base_parts_file(App& app) {
  const auto path = choose_reference_file_to_open(app.main, ReferenceList::BaseParts);
  if (!path) return false;
  app.ws.last_reference_path = *path;
  app.ws.note_input(*path);
  load_base_parts(app.ws.base_parts, *path, app.notifier);
  return true;
}

bool open_prohibited_words_file(App& app) {
  const auto path = choose_reference_file_to_open(app.main, ReferenceList::ProhibitedWords);
  if (!path) return false;
  app.ws.last_reference_path = *path;
  app.ws.note_input(*path);
  load_prohibited_words(app.ws.prohibited_words, *path, app.notifier);
  return true;
}

void save_base_parts_file(App& app) {
  const auto path = choose_reference_file_to_save(app.main);
  if (path) save_base_parts(app.ws.base_parts, with_txt_extension(*path), app.notifier);
}

void save_prohibited_words_file(App& app) {
  const auto path = choose_reference_file_to_save(app.main);
  if (path) save_prohibited_words(app.ws.prohibited_words, with_txt_extension(*path), app.notifier);
}

SettingsDialogs settings_dialogs(App& app) {
  SettingsDialogs dialogs;
  dialogs.open_base_parts = [&app](Workspace&) { return open_base_parts_file(app); };
  dialogs.open_prohibited_words = [&app](Workspace&) { return open_prohibited_words_file(app); };
  dialogs.settings_dialog = [&app](Workspace& ws) { run_settings_dialog(app.main, ws); };
  return dialogs;
}

}  // namespace korvane::win
