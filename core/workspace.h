// Everything one run of the program works on, owned by the front end and handed to the
// operations that need it.
#pragma once

#include <string>
#include <vector>

#include "dxf/text_table.h"
#include "parts/parts_list.h"
#include "reference/base_parts.h"
#include "reference/prohibited_words.h"
#include "reference/reference_pair.h"
#include "settings/settings.h"

namespace korvane {

struct Workspace {
  Settings settings;
  std::string settings_path{kSettingsFileName};
  bool settings_writable = true;  // false when the settings file exists but could not be read
  BasePartsStore base_parts;
  ProhibitedWords prohibited_words;
  ListBaseline base_parts_baseline;  // the selected pair's files as loaded
  ListBaseline words_baseline;
  std::string last_reference_path;  // the path last confirmed in either reference open dialog
  TextTable texts;
  PartsList parts;
  std::string current_file_name;  // names the output files
  // The drawings and reference lists read in this run: no output ever replaces one of them.
  std::vector<std::string> input_files;

  void note_input(const std::string& path) {
    if (path.empty()) return;
    for (const std::string& known : input_files) {
      if (known == path) return;
    }
    input_files.push_back(path);
  }

  // The files no output may replace: the settings file and every input.
  std::vector<std::string> spared_files() const {
    std::vector<std::string> files{settings_path};
    files.insert(files.end(), input_files.begin(), input_files.end());
    return files;
  }
};

}  // namespace korvane
