#include "reference/base_parts_file.h"

#include "io/file_io.h"
#include "notify.h"
#include "reference/list_lines.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

// Field k of a line: from after the (k - 1)th comma to the next comma or the line's end.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view line) : rest_(line) {}
  std::string_view next() {
    if (done_) return {};
    const std::size_t comma = rest_.find(',');
    const std::string_view field = rest_.substr(0, comma);
    if (comma == std::string_view::npos) {
      done_ = true;
    } else {
      rest_.remove_prefix(comma + 1);
    }
    return field;
  }

 private:
  std::string_view rest_;
  bool done_ = false;
};

BasePartEntry parse_entry(std::string_view line, bool& cut) {
  const std::string_view kept = line.substr(0, cut_length(line, kBasePartsLineLimit + 1));
  cut = cut || kept.size() < line.size();
  FieldCursor fields(kept);
  auto take = [&](std::size_t capacity) {
    const std::string_view field = fields.next();
    std::string stored = cut_to_capacity(field, capacity);
    cut = cut || stored.size() < field.size();
    return stored;
  };
  BasePartEntry e;
  e.part_name = take(kPartNameCapacity);
  e.tag = take(kTagCapacity);
  e.type = take(kTypeCapacity);
  e.maker = take(kMakerCapacity);
  e.supply_class = c_atoi(take(kSupplyClassCapacity));
  for (Accessory& a : e.accessories) {
    a.name = take(kAccessoryCapacity);
    a.type = take(kAccessoryCapacity);
  }
  // Text after the thirteenth comma is not kept either.
  cut = cut || !fields.next().empty();
  return e;
}

}  // namespace

BasePartsParse parse_base_parts(std::string_view bytes) {
  BasePartsParse out;
  std::vector<BasePartEntry>& entries = out.store.entries;
  for_each_line(bytes, [&](std::string_view line) {
    if (line.empty()) return true;
    if (entries.size() == static_cast<std::size_t>(kBasePartsCapacity)) {
      out.truncated = true;
      return false;
    }
    entries.push_back(parse_entry(line, out.cut));
    return true;
  });
  return out;
}

std::string format_base_parts(const BasePartsStore& store) {
  std::string out;
  for (const BasePartEntry& e : store.entries) {
    auto field = [&out](std::string_view text) {
      out.append(text);
      out.push_back(',');
    };
    field(e.part_name);
    field(e.tag);
    field(e.type);
    field(e.maker);
    field(format_int(e.supply_class));
    for (const Accessory& a : e.accessories) {
      field(a.name);
      field(a.type);
    }
    out.append("\r\n");
  }
  return out;
}

bool load_base_parts(BasePartsStore& store, const std::string& path, Notifier& notifier,
                     ListLoadReport* report) {
  ListLoadReport found;
  const std::optional<std::string> bytes =
      read_list_file(path, notifier, msg::kBasePartsCannotOpen, found);
  if (!bytes) {
    if (report) *report = found;
    return false;
  }
  BasePartsParse parsed = parse_base_parts(*bytes);
  store = std::move(parsed.store);
  found.lost = found.lost || parsed.truncated || parsed.cut;
  if (report) *report = found;
  if (parsed.truncated) notifier.warn(msg::kBasePartsTruncated, msg::kTitleLimit);
  return true;
}

bool save_base_parts(const BasePartsStore& store, const std::string& path, Notifier& notifier) {
  if (store.entries.empty()) {
    notifier.notify(Message{std::string(msg::kBasePartsNoData),
                            std::string(msg::kTitleSaveError),
                            Buttons::Ok,
                            Icon::None,
                            false,
                            {}});
    return false;
  }
  if (!io::write_whole_file(path, format_base_parts(store))) {
    notifier.warn(msg::kBasePartsCannotCreate, msg::kTitleFileError, path);
    return false;
  }
  return true;
}

}  // namespace korvane
