// The commands of korvane-cli, each run on options already parsed and checked.
#pragma once

#include <iosfwd>
#include <string>

#include "options.h"

namespace korvane::cli {

int run_convert(const Options& options, std::ostream& out, std::ostream& err);
int run_check(const Options& options, std::ostream& out, std::ostream& err);
int run_preview(const Options& options, std::ostream& out, std::ostream& err);
int run_tune(const Options& options, std::ostream& out, std::ostream& err);
int run_texts(const Options& options, std::ostream& out, std::ostream& err);
int run_compare(const Options& options, std::ostream& out, std::ostream& err);

// A coordinate as texts prints it: the text of printf("%.17g"), in every locale.
void append_coordinate(double value, std::string& out);

}  // namespace korvane::cli
