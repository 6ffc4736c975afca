// The pair of reference lists that part_select picks: loaded at start and when the settings
// dialog reloads it, saved at exit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class Notifier;
struct Settings;
struct Workspace;

// The reference files of the pair part_select picks.
struct ReferencePair {
  int index = 0;  // 0 to 4
  std::string base_parts;
  std::string prohibited_words;
};

// Nothing when part_select picks none of the five pairs.
std::optional<ReferencePair> selected_reference_pair(const Settings& settings);

// A reference file's path as the settings file gives it, taken from the settings file's folder when
// it is relative: the paths were written for that folder, and the settings file is not in the
// current folder when drawings on the command line started the program from elsewhere. A bare
// settings file name leaves every path as it is (the current folder); so does an empty path.
std::string path_from_settings_folder(std::string_view settings_path, const std::string& path);

// What a list's file held when it was loaded, so that the save at exit replaces the file only
// when the list changed in this run, and asks before replacing a file the load could not take
// whole.
struct ListBaseline {
  std::string path;   // the file loaded; empty when none was (or it did not exist)
  std::string bytes;  // the list as it would have been saved right after the load
  bool lost = false;  // the load cut or dropped something of the file, or could not read it
};

// Loads both lists of the selected pair (nothing when part_select picks none) and records
// their baselines. Both paths are taken from the settings file's folder.
void load_reference_pair(Workspace& ws, Notifier& notifier);

// Saves both lists to the selected pair's files: a list that did not change in this run (it is
// as it was loaded) is not written; a file whose load lost something is replaced only when the
// user says Yes. A list whose file did not exist at load is saved as always.
void save_reference_pair_at_exit(const Workspace& ws, Notifier& notifier);

}  // namespace korvane
