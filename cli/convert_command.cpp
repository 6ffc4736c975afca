// convert: settings, reference lists, drawings, recognition, passes, output.
#include <optional>
#include <ostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "io/file_io.h"
#include "output/output_options.h"
#include "pipeline/conversion.h"
#include "platform.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
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

// The output options of the command line over those of the settings. --csv, --txt and
// --three-files ask for text files even where the settings ask for the workbook.
void apply_output_choices(const Options& o, Settings& settings) {
  OutputOptions options = read_output_options(settings);
  if (o.kind == OutputKind::Xlsx) {
    options.format = OutputFormat::Xlsx;
  } else if (o.kind || o.layout == SaveLayout::ThreeFiles) {
    options.format = OutputFormat::Text;
  }
  if (o.kind && *o.kind != OutputKind::Xlsx) settings.set_output_kind(*o.kind);
  if (o.tag_list) options.tag_list = *o.tag_list;
  if (o.encoding) options.encoding = *o.encoding;
  store_output_options(settings, options);
}

}  // namespace

int run_convert(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);

  // A missing default Korvane.ini asks to take the reset values: a batch run says yes, and with
  // no dialogs to choose reference files every path stays empty. A file named by --ini must exist,
  // and one that exists but cannot be read stops the run.
  ws.settings_path = o.ini;
  if (o.ini_given && io::file_system().status(o.ini).kind == io::FileKind::Missing) {
    err << "korvane-cli: " << native_to_utf8(o.ini) << ": settings file not found\n";
    return kExitUsage;
  }
  notifier.set_subject(o.ini);
  if (read_settings(ws, notifier) == SettingsSource::Unreadable) return kExitUsage;

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

  bool input_problem = false;
  const ReadReport read = read_drawings(
      ws, o.drawings, notifier, [&notifier](std::size_t, std::size_t, const std::string& path) {
        notifier.set_subject(path);
      });
  if (read.failed > 0) input_problem = true;
  notifier.clear_subject();
  // A refused pass (over 5000 rows) has said why; the list is written as the passes left it.
  if (!run_passes(ws, notifier, o.passes, {})) input_problem = true;

  if (ws.parts.empty()) {
    err << "korvane-cli: no parts recognised in the drawings; nothing written\n";
    return input_problem ? kExitUsage : kExitOk;
  }

  ws.current_file_name = o.out ? *o.out : o.drawings.front();
  apply_output_choices(o, ws.settings);
  const bool workbook = read_output_options(ws.settings).format == OutputFormat::Xlsx;
  const SaveLayout layout = o.layout.value_or(ws.settings.save_layout());
  const bool one_file = workbook || layout == SaveLayout::OneFile;
  const OutputKind kind = workbook ? OutputKind::Xlsx : ws.settings.output_kind();
  // The writer names its files as it goes; a message names the file it was writing.
  const bool too_short =
      !ws.current_file_name.empty() &&
      !rewrite_output_ending(ws.current_file_name, one_file ? Selection::All : Selection::Supplied,
                             kind);
  const std::string remark = too_short ? "(too short to take the new ending)" : "";
  if (workbook) {
    // The workbook leaves the current file name as it is.
    const std::optional<std::string> name =
        ws.current_file_name.empty()
            ? std::optional<std::string>("default.xlsx")
            : rewrite_output_ending(ws.current_file_name, Selection::All, OutputKind::Xlsx);
    notifier.set_subject(name.value_or(ws.current_file_name), remark);
  } else {
    notifier.follow_subject([&ws] { return ws.current_file_name; }, remark);
  }

  const std::vector<std::string> written = write_output(ws, notifier, layout);
  const bool all_written = written.size() == (one_file ? 1u : 3u);
  for (const std::string& path : written) out << native_to_utf8(path) << "\n";
  return input_problem || !all_written ? kExitUsage : kExitOk;
}

}  // namespace korvane::cli
