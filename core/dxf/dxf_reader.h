// Reading the texts of one DXF drawing file into the text table.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "dxf/dxf_text_value.h"
#include "dxf/text_table.h"

namespace korvane {

class Notifier;

// Appends the texts of the ENTITIES section of the drawing at `path` (ASCII or binary DXF) to
// `table`; a batch clears the table once and calls this for each file. False, after telling the
// user, when the file cannot be opened or read, is no DXF, or is a binary DXF cut short; the
// texts completed before a fault are kept. Never creates a file.
//
// A caller that does not keep the texts (korvane-cli texts prints them) passes `take`: it is
// called with the table whenever a block of the file has added texts to it, and may empty it, so
// that memory does not grow with the drawing.
using TakeTexts = std::function<void(TextTable&)>;
bool read_dxf_file(const std::string& path, TextTable& table, Notifier& notifier,
                   DxfCodePage code_page = DxfCodePage::Auto, const TakeTexts& take = {});

}  // namespace korvane
