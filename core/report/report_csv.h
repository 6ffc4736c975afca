// The recognition report as a CSV file for a spreadsheet: UTF-8 with a byte order mark (so that
// Excel takes it as UTF-8), the header "種類,図面,文字,X,Y,内容", one line per finding, CR LF.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvane {

class Notifier;
struct RecognitionReport;
struct Workspace;

// How a front end shows a drawing's path (the program's bytes) in UTF-8.
using PathToUtf8 = std::function<std::string(std::string_view path)>;

std::string format_report_csv(const RecognitionReport& report, const PathToUtf8& path_to_utf8);

// Writes the CSV whole or not at all. A path that names a file read in this run is refused with
// "出力ファイルが読み込んだファイルと同じです。書き込みません。", one that cannot be written says
// "テキストファイルが開けません" (both titled "ﾌｧｲﾙｴﾗｰ"). True when it was written.
bool write_report_csv(const Workspace& ws, const RecognitionReport& report, const std::string& path,
                      const PathToUtf8& path_to_utf8, Notifier& notifier);

}  // namespace korvane
