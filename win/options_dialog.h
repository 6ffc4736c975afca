// The options dialog "オプション" (template 38005): the options of this version that the
// specified dialogs have no place for.
#pragma once

#include <windows.h>

#include <optional>

#include "output/output_options.h"

namespace korvane::win {

// What the dialog shows and gives back. A later option adds its field here and its controls to
// the template, below the output group.
struct OptionValues {
  OutputOptions output;

  bool operator==(const OptionValues&) const = default;
};

// Modal over `owner`, showing `values`. "ＯＫ" gives the values chosen; "キャンセル" and the close
// box give nothing.
std::optional<OptionValues> run_options_dialog(HWND owner, const OptionValues& values);

}  // namespace korvane::win
