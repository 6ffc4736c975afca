// The rule every writer of the core keeps: no output replaces a file this run read (a drawing, a
// reference list) or the settings file.
#pragma once

#include <string>

namespace korvane {

class Notifier;
struct Workspace;

// The file read in this run (or the settings file) that `path` would replace, if any. Files are
// compared by identity, not by spelling.
const std::string* input_named_by(const Workspace& ws, const std::string& path);

// False, after "出力ファイルが読み込んだファイルと同じです。書き込みません。" titled "ﾌｧｲﾙｴﾗｰ"
// naming the output and the input on the lines below, when `path` names such a file.
bool output_spares_inputs(const Workspace& ws, Notifier& notifier, const std::string& path);

}  // namespace korvane
