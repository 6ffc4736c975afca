// The drawing preview as an SVG document that any browser opens: every text at its insertion
// point in the colour of what it became, the window of each anchor, a line from each member to
// its anchor, and a legend.
#pragma once

#include <string>
#include <string_view>

#include "dxf/text_table.h"

namespace korvane {

class Notifier;
struct DrawingPreview;
struct Workspace;

// The document in UTF-8. Up is up: SVG y is the drawing's -y. Each text is one <text> with
// `data-x` / `data-y` (the drawing coordinates) and the class anchor, field or other, plus
// finding with a <title> of the findings (label, key and detail, one a line) when it has any;
// each anchor has a <rect class="window" data-tag="TEXT">. Texts without a usable position are
// kept in a hidden group.
std::string format_preview_svg(const TextTable& texts, const DrawingPreview& preview);

// The preview's default name for a drawing: its last component's ending (from its last '.', which
// must not be the component's first byte) replaced by ".svg", or ".svg" appended when it has none.
std::string preview_name_for(std::string_view drawing);

// Writes `svg` to `path` whole or not at all. A path that names a file read in this run is
// refused ("出力ファイルが読み込んだファイルと同じです。書き込みません。"); one that cannot be
// written says "図面プレビューファイルが書けません" (both titled "ﾌｧｲﾙｴﾗｰ"). True when it was
// written.
bool write_preview_svg(const Workspace& ws, Notifier& notifier, const std::string& path,
                       std::string_view svg);

}  // namespace korvane
