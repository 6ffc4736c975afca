// The open and save common dialogs of the main window's file commands. Each returns the path the
// user confirmed, as Shift-JIS, or nothing when the dialog was cancelled or failed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "output/parts_list_writer.h"

namespace korvane::win {

enum class ReferenceList { BaseParts, ProhibitedWords };

// The save dialog of the output commands, titled and filtered for the TXT or CSV kind or the
// workbook. The name comes back as typed; the writer completes its extension.
std::optional<std::string> choose_output_file(HWND owner, OutputKind kind);

// "比較する部品表の読込": an earlier parts list, the filters ordered as the output dialogs order
// them for `kind`.
std::optional<std::string> choose_list_to_compare(HWND owner, OutputKind kind);
// "比較結果をCSVﾌｧｲﾙに書込"; the caller completes ".csv".
std::optional<std::string> choose_comparison_csv(HWND owner);

// "部品設定ﾌｧｲﾙの読込" / "禁止文字ﾌｧｲﾙの読込".
std::optional<std::string> choose_reference_file_to_open(HWND owner, ReferenceList list);
// "部品設定ﾌｧｲﾙ書込", for both lists; the caller completes ".txt".
std::optional<std::string> choose_reference_file_to_save(HWND owner);

// "認識レポートの保存": a CSV file for the recognition report, opened on "認識レポート.csv".
// The caller completes ".csv".
std::optional<std::string> choose_report_file(HWND owner);

// "DXFﾌｧｲﾙ(dxf)の読込" of the single-drawing commands; the file need not exist.
std::optional<std::string> choose_dxf_file(HWND owner);
// "ファイル読み出し" of the DXF file dialog: a drawing to add to its list.
std::optional<std::string> choose_dxf_file_to_add(HWND owner);

// "ファイルの在処を指定" of the settings dialog's "DIR" buttons, opened on the path `current`.
std::optional<std::string> locate_reference_file(HWND owner, std::string_view current);

}  // namespace korvane::win
