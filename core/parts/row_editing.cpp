#include "parts/row_editing.h"

#include "notify.h"
#include "text/messages.h"
#include "text/sjis.h"

namespace korvane {
namespace {

bool is_row(const PartsList& parts, int row) { return row >= 0 && row < parts.row_count(); }

void refuse_without_selection(Notifier& notifier) {
  notifier.notify(Message{std::string(msg::kSelectItem),
                          std::string(msg::kTitleOperatorError),
                          Buttons::Ok,
                          Icon::None,
                          false,
                          {}});
}

void insert_row_from_editor(PartsList& parts, int row, const RowEditorBuffer& buffer) {
  row = parts.insert_row(row, cut_to_capacity(buffer[0], kRowEditorCellCapacity));
  for (int column = 1; column < kColumnCount; ++column) {
    parts.set_cell(
        row, column,
        cut_to_capacity(buffer[static_cast<std::size_t>(column)], kRowEditorCellCapacity));
  }
}

}  // namespace

RowEditorBuffer read_row_into_editor(const PartsList& parts, int row) {
  RowEditorBuffer buffer;
  for (int column = 0; column < kColumnCount; ++column) {
    buffer[static_cast<std::size_t>(column)] = parts.get_cell(row, column, kRowEditorCellCapacity);
  }
  return buffer;
}

std::string supply_class_from_editor(std::string_view combo_text) {
  const std::string text = cut_to_capacity(combo_text, kRowEditorSupplyCapacity);
  if (begins_with(text, kSupplied)) return std::string(kSupplied);
  if (begins_with(text, kNotPurchased)) return std::string(kNotPurchased);
  return {};
}

void store_row_editor_texts(RowEditorBuffer& buffer, const RowEditorBuffer& control_texts) {
  for (int column = 0; column < kRowEditorSupplyColumn; ++column) {
    const auto c = static_cast<std::size_t>(column);
    buffer[c] = cut_to_capacity(control_texts[c], kRowEditorCellCapacity);
  }
  buffer[kRowEditorSupplyColumn] = supply_class_from_editor(control_texts[kRowEditorSupplyColumn]);
}

int modify_part_row(PartsList& parts, int selected, Notifier& notifier, const RowEditor& editor) {
  if (!is_row(parts, selected)) {
    refuse_without_selection(notifier);
    return -1;
  }
  RowEditorBuffer buffer = read_row_into_editor(parts, selected);
  editor(buffer);
  parts.delete_row(selected);
  insert_row_from_editor(parts, selected, buffer);
  return selected;
}

int delete_part_row(PartsList& parts, int selected, Notifier& notifier) {
  if (!is_row(parts, selected)) {
    refuse_without_selection(notifier);
    return -1;
  }
  parts.delete_row(selected);
  return selected;
}

int add_part_row(PartsList& parts, int selected, const RowEditor& editor) {
  RowEditorBuffer buffer;
  int row = parts.row_count();
  if (is_row(parts, selected)) {
    row = selected;
    buffer = read_row_into_editor(parts, selected);
  }
  editor(buffer);
  insert_row_from_editor(parts, row, buffer);
  return row;
}

}  // namespace korvane
