// compare: two parts lists, and what the new one adds, removes and changes, as text, JSON or CSV.
#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli.h"
#include "command_setup.h"
#include "commands.h"
#include "compare/comparison_output.h"
#include "compare/list_comparison.h"
#include "platform.h"
#include "reference/base_parts_file.h"
#include "reference/reference_pair.h"
#include "stream_notifier.h"
#include "workspace.h"

namespace korvane::cli {
namespace {

using Json = nlohmann::ordered_json;

// The family prefixes of the base parts list of --base, else of the selected pair. With neither
// the tags are split without prefixes, and a note says so; a list that cannot be read stops.
std::optional<std::vector<std::string>> load_prefixes(const Options& o, Workspace& ws,
                                                      StreamNotifier& notifier, std::ostream& err) {
  std::string path;
  if (o.base) {
    path = *o.base;
  } else if (const std::optional<ReferencePair> pair = selected_reference_pair(ws.settings)) {
    path = pair->base_parts;
  }
  if (path.empty()) {
    err << "korvane-cli: " << native_to_utf8(ws.settings_path)
        << ": no base parts list; merged tag cells are split without family prefixes\n";
    return std::vector<std::string>{};
  }
  notifier.set_subject(path);
  const bool loaded = load_base_parts(ws.base_parts, path, notifier);
  notifier.clear_subject();
  if (!loaded) return std::nullopt;
  return family_prefixes(ws.base_parts);
}

std::string spaced(const std::vector<std::string>& tags, std::string_view mark = {}) {
  std::string out;
  for (const std::string& tag : tags) {
    if (!out.empty()) out += ' ';
    out += mark;
    out += tag;
  }
  return out;
}

void print_text(const Comparison& comparison, std::ostream& out) {
  std::size_t counts[3] = {};
  for (const PartChange& c : comparison.changes) {
    ++counts[static_cast<std::size_t>(c.kind)];
    const PartKey& p = c.part;
    std::string tags;
    switch (c.kind) {
      case ChangeKind::Added:
        out << "+ ";
        tags = spaced(c.tags_added);
        break;
      case ChangeKind::Removed:
        out << "- ";
        tags = spaced(c.tags_removed);
        break;
      case ChangeKind::Changed:
        out << "~ ";
        tags = spaced(c.tags_added, "+");
        if (!tags.empty() && !c.tags_removed.empty()) tags += ' ';
        tags += spaced(c.tags_removed, "-");
        break;
    }
    out << p.name << " | " << p.maker << " | " << p.spec << " | " << p.type << " | " << p.supply
        << "  qty ";
    if (c.kind == ChangeKind::Changed && c.old_quantity != c.new_quantity) {
      out << c.old_quantity << " -> " << c.new_quantity;
    } else {
      out << (c.kind == ChangeKind::Removed ? c.old_quantity : c.new_quantity);
    }
    if (!tags.empty()) out << "  tags " << tags;
    out << "\n";
  }
  out << counts[static_cast<std::size_t>(ChangeKind::Added)] << " added, "
      << counts[static_cast<std::size_t>(ChangeKind::Removed)] << " removed, "
      << counts[static_cast<std::size_t>(ChangeKind::Changed)] << " changed, "
      << comparison.unchanged << " unchanged\n";
}

Json part_json(const PartKey& p) {
  return Json{{"name", p.name},
              {"maker", p.maker},
              {"spec", p.spec},
              {"type", p.type},
              {"supply", p.supply}};
}

void print_json(const Comparison& comparison, std::ostream& out) {
  Json added = Json::array();
  Json removed = Json::array();
  Json changed = Json::array();
  for (const PartChange& c : comparison.changes) {
    switch (c.kind) {
      case ChangeKind::Added:
        added.push_back(Json{
            {"part", part_json(c.part)}, {"quantity", c.new_quantity}, {"tags", c.tags_added}});
        break;
      case ChangeKind::Removed:
        removed.push_back(Json{
            {"part", part_json(c.part)}, {"quantity", c.old_quantity}, {"tags", c.tags_removed}});
        break;
      case ChangeKind::Changed:
        changed.push_back(Json{{"part", part_json(c.part)},
                               {"old_quantity", c.old_quantity},
                               {"new_quantity", c.new_quantity},
                               {"tags_added", c.tags_added},
                               {"tags_removed", c.tags_removed}});
        break;
    }
  }
  const Json document{{"added", std::move(added)},
                      {"removed", std::move(removed)},
                      {"changed", std::move(changed)},
                      {"unchanged", comparison.unchanged}};
  // The texts are UTF-8 already (both files were decoded); replace guards the output anyway.
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace

int run_compare(const Options& o, std::ostream& out, std::ostream& err) {
  Workspace ws;
  StreamNotifier notifier(err);
  if (!read_command_settings(o, ws, notifier, err)) return kExitUsage;
  const std::optional<std::vector<std::string>> prefixes = load_prefixes(o, ws, notifier, err);
  if (!prefixes) return kExitUsage;

  // A message names the file it is about.
  const std::optional<Comparison> comparison = compare_parts_list_files(
      o.drawings[0], o.drawings[1], ComparisonRules{ws.settings.column_map, *prefixes}, notifier);
  if (!comparison) return kExitUsage;

  switch (o.format) {
    case PrintFormat::Text:
      print_text(*comparison, out);
      break;
    case PrintFormat::Json:
      print_json(*comparison, out);
      break;
    case PrintFormat::Csv:
      out << format_comparison_csv(*comparison);
      break;
  }
  return comparison->same() ? kExitOk : kExitDifferences;
}

}  // namespace korvane::cli
