#include "run_inputs.h"

#include <ostream>
#include <string>

#include "cli.h"
#include "command_setup.h"
#include "pipeline/conversion.h"
#include "platform.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "report/recognition_report.h"
#include "stream_notifier.h"
#include "text/messages.h"
#include "workspace.h"

namespace korvane::cli {
namespace {

// Where one reference list comes from: the option, else the path of the selected pair.
struct ReferenceSource {
  const std::optional<std::string>& option;
  std::string ReferencePair::*field;
  const std::string& of_pair(const ReferencePair& pair) const { return pair.*field; }
  std::string_view key;  // "part_file" or "kinsi_file"
  std::string_view cannot_open;
  std::string_view what;  // for the note when no pair is selected
};

// Loads one list. False when its file cannot be read; an empty configured path counts as such.
template <typename Store, typename Load>
bool load_reference(const ReferenceSource& source, Store& store, Load load, Workspace& ws,
                    StreamNotifier& notifier, std::ostream& err) {
  if (source.option) {
    ws.note_input(*source.option);
    notifier.set_subject(*source.option);
    return load(store, *source.option, notifier);
  }
  const std::optional<ReferencePair> pair = selected_reference_pair(ws.settings);
  if (!pair) {
    err << "korvane-cli: " << native_to_utf8(ws.settings_path) << ": part_select "
        << ws.settings.part_select << " picks no pair of reference files; the " << source.what
        << " is empty\n";
    return true;
  }
  const std::string& path = source.of_pair(*pair);
  if (path.empty()) {
    notifier.set_subject(ws.settings_path, "(" + std::string(source.key) +
                                               std::to_string(pair->index + 1) + " is empty)");
    notifier.warn(source.cannot_open, msg::kTitleFileError);
    return false;
  }
  ws.note_input(path);
  notifier.set_subject(path);
  return load(store, path, notifier);
}

}  // namespace

std::optional<int> load_settings_and_lists(const Options& o, Workspace& ws,
                                           StreamNotifier& notifier, std::ostream& err) {
  if (!read_command_settings(o, ws, notifier, err)) return kExitUsage;
  // --codepage stands for dxf_codepage in this run, as if the settings said it.
  if (o.code_page) {
    ws.settings.options[std::string(kOptionDxfCodePage)] =
        *o.code_page == DxfCodePage::Cp932 ? "932" : "auto";
  }

  // Nothing is converted without the lists the user meant to use.
  const bool base_ok = load_reference(
      {o.base, &ReferencePair::base_parts, "part_file", msg::kBasePartsCannotOpen,
       "base parts list"},
      ws.base_parts,
      [](BasePartsStore& store, const std::string& path, Notifier& n) {
        return load_base_parts(store, path, n);
      },
      ws, notifier, err);
  const bool words_ok = load_reference(
      {o.words, &ReferencePair::prohibited_words, "kinsi_file", msg::kWordsCannotOpen,
       "prohibited words list"},
      ws.prohibited_words,
      [](ProhibitedWords& words, const std::string& path, Notifier& n) {
        return load_prohibited_words(words, path, n);
      },
      ws, notifier, err);
  if (!base_ok || !words_ok) return kExitUsage;

  return std::nullopt;
}

bool read_and_run_passes(const Options& o, Workspace& ws, StreamNotifier& notifier,
                         ReportTrail& trail) {
  bool input_problem = false;
  const ReadReport read = read_drawings(
      ws, o.drawings, notifier,
      [&notifier](std::size_t, std::size_t, const std::string& path) {
        notifier.set_subject(path);
      },
      &trail);
  if (read.failed > 0) input_problem = true;
  notifier.clear_subject();
  // A refused pass (over 5000 rows) has said why; the list stays as the passes left it.
  if (!run_passes(ws, notifier, o.passes, StepHook{}, &trail.passes)) input_problem = true;
  return input_problem;
}

}  // namespace korvane::cli
