#include "reference/list_file_name.h"

namespace korvane {

std::string with_txt_extension(std::string_view name) {
  std::string out(name);
  if (!name.ends_with(".TXT") && !name.ends_with(".txt")) out.append(".txt");
  return out;
}

}  // namespace korvane
