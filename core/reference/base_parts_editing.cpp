#include "reference/base_parts_editing.h"

#include <algorithm>

#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

void refuse(Notifier& notifier, std::string_view text, std::string_view title) {
  notifier.notify(
      Message{std::string(text), std::string(title), Buttons::Ok, Icon::None, false, {}});
}

bool has_comma(const BasePartEntry& entry) {
  auto comma = [](const std::string& text) { return text.find(',') != std::string::npos; };
  if (comma(entry.part_name) || comma(entry.tag) || comma(entry.type) || comma(entry.maker)) {
    return true;
  }
  return std::any_of(entry.accessories.begin(), entry.accessories.end(),
                     [&](const Accessory& a) { return comma(a.name) || comma(a.type); });
}

// The checks on the fields themselves, before the selection is looked at. A comma would split
// the field when the file is read again.
bool fields_acceptable(const BasePartEntry& entry, Notifier& notifier) {
  if (entry.part_name.empty()) {
    refuse(notifier, msg::kEnterPartName, msg::kTitleOperatorError);
    return false;
  }
  if (has_comma(entry)) {
    refuse(notifier, msg::kNoCommaInField, msg::kTitleOperatorError);
    return false;
  }
  return true;
}

bool room_for_one_more(const BasePartsStore& store, Notifier& notifier) {
  if (static_cast<int>(store.entries.size()) < kBasePartsCapacity) return true;
  refuse(notifier, msg::kBasePartsFull, msg::kTitleLimit);
  return false;
}

bool is_shown_row(const BasePartsStore& store, int row) {
  return row >= 0 && row < shown_base_parts(store);
}

}  // namespace

BasePartCells base_part_cells(const BasePartEntry& entry) {
  BasePartCells cells;
  cells[0] = entry.part_name;
  cells[1] = entry.tag;
  cells[2] = entry.type;
  cells[3] = entry.maker;
  cells[kBasePartsSupplyColumn] = std::string(supply_class_text(entry.supply_class));
  for (std::size_t i = 0; i < entry.accessories.size(); ++i) {
    cells[5 + 2 * i] = entry.accessories[i].name;
    cells[6 + 2 * i] = entry.accessories[i].type;
  }
  return cells;
}

int shown_base_parts(const BasePartsStore& store) { return static_cast<int>(store.entries.size()); }

BasePartEntry base_part_from_fields(const BasePartEntry& fields) {
  BasePartEntry entry;
  entry.part_name = cut_to_capacity(fields.part_name, kPartNameCapacity);
  entry.tag = cut_to_capacity(fields.tag, kTagCapacity);
  entry.type = cut_to_capacity(fields.type, kTypeCapacity);
  entry.maker = cut_to_capacity(fields.maker, kMakerCapacity);
  entry.supply_class = fields.supply_class;
  for (std::size_t i = 0; i < entry.accessories.size(); ++i) {
    entry.accessories[i].name = cut_to_capacity(fields.accessories[i].name, kAccessoryCapacity);
    entry.accessories[i].type = cut_to_capacity(fields.accessories[i].type, kAccessoryCapacity);
  }
  return entry;
}

const BasePartEntry* base_part_to_read(const BasePartsStore& store, int selected,
                                       Notifier& notifier) {
  if (!is_shown_row(store, selected)) {
    refuse(notifier, msg::kSelectItem, msg::kTitleOperatorError);
    return nullptr;
  }
  return &store.entries[static_cast<std::size_t>(selected)];
}

bool rewrite_base_part(BasePartsStore& store, int selected, const BasePartEntry& fields,
                       Notifier& notifier) {
  BasePartEntry entry = base_part_from_fields(fields);
  if (!fields_acceptable(entry, notifier)) return false;
  if (!is_shown_row(store, selected)) {
    refuse(notifier, msg::kSelectItem, msg::kTitleOperatorError);
    return false;
  }
  store.entries[static_cast<std::size_t>(selected)] = std::move(entry);
  return true;
}

int add_base_part(BasePartsStore& store, const BasePartEntry& fields, Notifier& notifier) {
  if (!room_for_one_more(store, notifier)) return -1;
  BasePartEntry entry = base_part_from_fields(fields);
  if (!fields_acceptable(entry, notifier)) return -1;
  store.entries.push_back(std::move(entry));
  return static_cast<int>(store.entries.size()) - 1;
}

bool insert_base_part(BasePartsStore& store, int selected, const BasePartEntry& fields,
                      Notifier& notifier) {
  if (!room_for_one_more(store, notifier)) return false;
  BasePartEntry entry = base_part_from_fields(fields);
  if (!fields_acceptable(entry, notifier)) return false;
  if (!is_shown_row(store, selected)) {
    refuse(notifier, msg::kSelectItem, msg::kTitleOperatorError);
    return false;
  }
  store.entries.insert(store.entries.begin() + selected, std::move(entry));
  return true;
}

void delete_base_part(BasePartsStore& store, int index) {
  if (index < 0 || index >= static_cast<int>(store.entries.size())) return;
  store.entries.erase(store.entries.begin() + index);
}

}  // namespace korvane
