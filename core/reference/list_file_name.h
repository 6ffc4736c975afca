// Names chosen in the save dialogs of the reference lists.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The name with ".txt" appended unless it already ends in ".TXT" or ".txt" (other mixes of case
// do not count).
std::string with_txt_extension(std::string_view name);

}  // namespace korvane
