// Everything one run of the program works on, owned by the front end and handed to the
// operations that need it.
#pragma once

#include <string>
#include <vector>

#include "dxf/text_table.h"
#include "parts/parts_list.h"
#include "reference/base_parts.h"
#include "reference/prohibited_words.h"
#include "settings/settings.h"

namespace korvane {

struct Workspace {
  Settings settings;
  std::string settings_path{kSettingsFileName};
  BasePartsStore base_parts;
  ProhibitedWords prohibited_words;
  std::string last_reference_path;  // the path last confirmed in either reference open dialog
  TextTable texts;
  PartsList parts;
  std::string current_file_name;  // names the output files
  std::vector<std::string> chosen_files;
};

}  // namespace korvane
