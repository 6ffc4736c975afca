#include "convert/passes.h"

#include <algorithm>

#include "convert/duplicate_removal.h"
#include "convert/name_completion.h"
#include "convert/part_sort.h"
#include "convert/quantity_merge.h"

namespace korvane {

std::string_view pass_name(Pass pass) {
  switch (pass) {
    case Pass::Dedupe:
      return "dedupe";
    case Pass::Complete:
      return "complete";
    case Pass::Merge:
      return "merge";
    case Pass::Sort:
      return "sort";
  }
  return {};
}

bool parse_pass_list(std::string_view list, std::vector<Pass>& passes) {
  if (list == "all") {
    passes.assign(kAllPasses.begin(), kAllPasses.end());
    return true;
  }
  if (list == "none") {
    passes.clear();
    return true;
  }
  std::vector<Pass> parsed;
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    const auto known = std::find_if(kAllPasses.begin(), kAllPasses.end(),
                                    [item](Pass p) { return pass_name(p) == item; });
    if (known == kAllPasses.end()) return false;
    parsed.push_back(*known);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  passes = std::move(parsed);
  return true;
}

bool run_passes(Workspace& ws, Notifier& notifier, const std::vector<Pass>& passes, PassLog* log) {
  bool all_ran = true;
  for (Pass pass : passes) {
    switch (pass) {
      case Pass::Dedupe:
        remove_duplicate_parts(ws, log);
        break;
      case Pass::Complete:
        complete_part_names(ws, log);
        break;
      case Pass::Merge:
        all_ran = merge_part_quantities(ws, notifier, log) && all_ran;
        break;
      case Pass::Sort:
        all_ran = sort_parts(ws, notifier, log) && all_ran;
        break;
    }
  }
  return all_ran;
}

}  // namespace korvane
