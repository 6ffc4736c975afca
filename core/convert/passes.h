// The four conversion passes by name, for front ends that take them as a list.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace korvane {

class Notifier;
struct PassLog;
struct Workspace;

enum class Pass { Dedupe, Complete, Merge, Sort };

// The full conversion, in its order.
inline constexpr std::array kAllPasses{Pass::Dedupe, Pass::Complete, Pass::Merge, Pass::Sort};

// "dedupe", "complete", "merge", "sort".
std::string_view pass_name(Pass pass);

// "all" (the four in the order of the full conversion), "none", or names joined by commas, run
// in the order given. An empty or unknown name fails and leaves `passes` as it was.
bool parse_pass_list(std::string_view list, std::vector<Pass>& passes);

// Runs the passes in order, each on what the one before left. Like the full conversion it goes
// on after a pass refuses the list; returns false when any pass refused it. `log`, when given,
// learns what each pass did to the rows.
bool run_passes(Workspace& ws, Notifier& notifier, const std::vector<Pass>& passes,
                PassLog* log = nullptr);

}  // namespace korvane
