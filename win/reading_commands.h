// The commands that read drawings into the parts list, and the conversion commands that follow a
// read or stand on their own.
#pragma once

#include <string>

#include "convert/passes.h"

namespace korvane::win {

struct App;

// "Dxf1ﾌｧｲﾙ読込": one drawing from the open dialog becomes the parts list and names the output.
// False when the dialog was cancelled (the current file name is then empty) or the drawing gave
// nothing at all (list, text table and name are as they were).
bool open_single_dxf(App& app);
// The same read of one drawing named without the dialog (a drop, the command line): on success
// the drawing names the output; a drawing that gave nothing leaves list, table and name.
bool read_single_dxf(App& app, const std::string& path);

// Reads every drawing of app.chosen_files into one text table and recognises them together. A
// drawing that cannot be read is reported and left out, but the texts it gave before its fault
// count; when not one drawing gave anything the text table and the parts list are kept and the
// result is false. No drawings at all give an empty list.
bool read_chosen_dxf_files(App& app);

// After a read: the four passes with a pause before each, then the files named from the current
// file name (one, or three by supply class). Nothing happens for an empty list.
void read_and_convert_tail(App& app);

// The four passes with a pause between them, whatever the list holds; nothing is written.
void run_full_conversion(App& app);
void run_single_pass(App& app, Pass pass);

}  // namespace korvane::win
