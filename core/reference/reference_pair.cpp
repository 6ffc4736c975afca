#include "reference/reference_pair.h"

#include "io/file_io.h"
#include "notify.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "text/messages.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {
namespace {

ListBaseline baseline_of(const std::string& path, std::string bytes, const ListLoadReport& report) {
  if (report.missing) return {};
  return ListBaseline{path, std::move(bytes), report.lost};
}

// Whether the list whose file bytes are now `bytes` is to be written to `path` at exit.
bool should_save(const ListBaseline& baseline, const std::string& path, const std::string& bytes,
                 std::string_view file_prefix, Notifier& notifier) {
  if (baseline.path.empty()) return true;
  const bool changed = bytes != baseline.bytes;
  if (baseline.path != path) {
    // Another pair's file, picked without reloading: a new file loses nothing, an existing one
    // is replaced only by a list changed in this run.
    return changed || io::file_system().status(path).kind == io::FileKind::Missing;
  }
  if (!changed) return false;
  if (!baseline.lost) return true;
  const std::string question =
      std::string(file_prefix) + path + std::string(msg::kCutAtLoadAskOverwrite);
  return notifier.ask_yes_no(question, msg::kTitleConfirm);
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

// A drive letter's colon is the second byte; the first byte of a path is never a trail byte.
bool is_absolute(std::string_view path) {
  return (!path.empty() && is_separator(path[0])) || (path.size() >= 2 && path[1] == ':');
}

// The folder part of a path with its last separator, walking whole Shift-JIS characters so that
// the trail byte 0x5C of a double-byte character is never taken for a backslash.
std::string_view folder_of(std::string_view path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (is_sjis_lead_byte(static_cast<unsigned char>(path[i]))) {
      ++i;
    } else if (is_separator(path[i])) {
      end = i + 1;
    }
  }
  return path.substr(0, end);
}

}  // namespace

std::string path_from_settings_folder(std::string_view settings_path, const std::string& path) {
  if (path.empty() || is_absolute(path)) return path;
  return std::string(folder_of(settings_path)) + path;
}

std::optional<ReferencePair> selected_reference_pair(const Settings& settings) {
  const int pair = settings.selected_pair();
  if (pair < 0) return std::nullopt;
  const auto n = static_cast<std::size_t>(pair);
  return ReferencePair{pair, settings.part_file[n], settings.kinsi_file[n]};
}

void load_reference_pair(Workspace& ws, Notifier& notifier) {
  const std::optional<ReferencePair> pair = selected_reference_pair(ws.settings);
  if (!pair) return;
  const std::string base_path = path_from_settings_folder(ws.settings_path, pair->base_parts);
  const std::string words_path =
      path_from_settings_folder(ws.settings_path, pair->prohibited_words);
  ws.note_input(base_path);
  ws.note_input(words_path);
  ListLoadReport report;
  load_base_parts(ws.base_parts, base_path, notifier, &report);
  ws.base_parts_baseline = baseline_of(base_path, format_base_parts(ws.base_parts), report);
  report = {};
  load_prohibited_words(ws.prohibited_words, words_path, notifier, &report);
  ws.words_baseline = baseline_of(words_path, format_prohibited_words(ws.prohibited_words), report);
}

void save_reference_pair_at_exit(const Workspace& ws, Notifier& notifier) {
  const std::optional<ReferencePair> pair = selected_reference_pair(ws.settings);
  if (!pair) return;
  const std::string base_path = path_from_settings_folder(ws.settings_path, pair->base_parts);
  if (should_save(ws.base_parts_baseline, base_path, format_base_parts(ws.base_parts),
                  msg::kBasePartsFilePrefix, notifier)) {
    save_base_parts(ws.base_parts, base_path, notifier);
  }
  const std::string words_path =
      path_from_settings_folder(ws.settings_path, pair->prohibited_words);
  if (should_save(ws.words_baseline, words_path, format_prohibited_words(ws.prohibited_words),
                  msg::kWordsFilePrefix, notifier)) {
    save_prohibited_words(ws.prohibited_words, words_path, notifier);
  }
}

}  // namespace korvane
