// The comparison as people read it: rows of the window's list and the CSV file for Excel.
#pragma once

#include <string>
#include <vector>

#include "compare/list_comparison.h"

namespace korvane {

class Notifier;

// "追加", "削除" or "変更" (UTF-8).
std::string change_kind_label(ChangeKind kind);

// The titles of the window's columns (UTF-8): 区分, 部品名, メーカ, スペック, 型式, 支給,
// 数量 旧→新, タグ.
std::vector<std::string> comparison_columns();

// One change as the window's row (UTF-8): the kind, the five part texts, "2→3", and the tags
// ("CR1,CR2" for an added or removed part, "+CR3,CR5 -CR4" for a changed one).
std::vector<std::string> comparison_row(const PartChange& change);

// The CSV file: UTF-8 with a byte-order mark, a title line, then one line per change with the
// old and the new quantity (empty where the part is absent) and the tags added and removed.
// Text cells are quoted, CR LF ends each line.
std::string format_comparison_csv(const Comparison& comparison);

// Writes the CSV file whole or not at all. A path that names one of `spared` (the files compared,
// the files read in this run) is refused, as is a file that cannot be written; the user is told,
// naming the file. True when written.
bool save_comparison_csv(const std::string& path, const Comparison& comparison,
                         const std::vector<std::string>& spared, Notifier& notifier);

}  // namespace korvane
