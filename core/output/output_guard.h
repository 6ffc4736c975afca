// The rule every writer of the core keeps: no output replaces a file this run read (a drawing, a
// reference list) or the settings file.
#pragma once

#include <string>
#include <vector>

namespace korvane {

class Notifier;
struct Workspace;

// Whether `output` may be written: false, after the message kOutputIsInput titled "ﾌｧｲﾙｴﾗｰ",
// naming the output and the input on the lines below, when `output` names one of `inputs`. Files
// are compared by identity, not by spelling.
bool output_spares_inputs(const std::string& output, const std::vector<std::string>& inputs,
                          Notifier& notifier, bool without_owner);

// The same for the settings file and every file this run read (Workspace::spared_files).
bool output_spares_inputs(const Workspace& ws, Notifier& notifier, const std::string& output,
                          bool without_owner);

// The same for every file of one output (the three files of a split output are checked before
// any is written); true when all may be written.
bool outputs_spare_inputs(const Workspace& ws, Notifier& notifier,
                          const std::vector<std::string>& outputs);

}  // namespace korvane
