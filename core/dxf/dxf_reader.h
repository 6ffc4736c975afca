// Reading the texts of one DXF drawing file into the text table.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dxf/text_table.h"

namespace korvane {

class Notifier;

// Appends the texts of the ENTITIES section of the drawing at `path` to `table`; a batch clears
// the table once and calls this for each file. False, after telling the user, when the file
// cannot be opened or read or is not an ASCII DXF; the texts completed before a fault are kept.
// Never creates a file.
bool read_dxf_file(const std::string& path, TextTable& table, Notifier& notifier);

// Reads the drawings of one read, in order, into `table`, each as read_dxf_file does (told about
// and left out where it fails, its texts before a fault kept); `before_each` hears the index of
// each drawing before it is read. False only when the read has failed wholly: there were
// drawings, and not one was read to its end or delivered a text. A drawing that failed part-way
// has delivered texts, so the read counts.
bool read_dxf_files(const std::vector<std::string>& paths, TextTable& table, Notifier& notifier,
                    const std::function<void(std::size_t)>& before_each = {});

}  // namespace korvane
