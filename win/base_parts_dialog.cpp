#include "base_parts_dialog.h"

#include "list_editor.h"
#include "reference/base_parts_editing.h"
#include "resource.h"
#include "win_notifier.h"

namespace korvane::win {
namespace {

constexpr ListColumn kColumns[kBasePartsColumnCount] = {
    {L"部品名", 150},     {L"TAG No.", 100},      {L"型式", 160},       {L"メーカ", 80},
    {L"支給", 40},        {L"付属１部品名", 100}, {L"付属１型式", 100}, {L"付属２部品名", 100},
    {L"付属２型式", 100}, {L"付属３部品名", 100}, {L"付属３型式", 100}, {L"付属４部品名", 100},
    {L"付属４型式", 100}};

constexpr ListEditorLayout kLayout = {.list_id = IDC_BASE_LIST,
                                      .list_width = 680,
                                      .list_height = 360,
                                      .columns = kColumns,
                                      .read_id = IDC_BASE_READ,
                                      .rewrite_id = IDC_BASE_REWRITE,
                                      .add_id = IDC_BASE_ADD,
                                      .delete_id = IDC_BASE_DELETE};

// The edit of each column; column 4 (the supply class) is the radio buttons.
constexpr int kEdits[kBasePartsColumnCount] = {IDC_BASE_PART_NAME,
                                               IDC_BASE_TAG,
                                               IDC_BASE_TYPE,
                                               IDC_BASE_MAKER,
                                               0,
                                               IDC_BASE_ACC1_NAME,
                                               IDC_BASE_ACC1_TYPE,
                                               IDC_BASE_ACC2_NAME,
                                               IDC_BASE_ACC2_TYPE,
                                               IDC_BASE_ACC3_NAME,
                                               IDC_BASE_ACC3_TYPE,
                                               IDC_BASE_ACC4_NAME,
                                               IDC_BASE_ACC4_TYPE};

BasePartEntry read_fields(HWND dialog) {
  BasePartCells texts;
  for (std::size_t column = 0; column < texts.size(); ++column) {
    if (kEdits[column] != 0) texts[column] = item_text(dialog, kEdits[column]);
  }
  BasePartEntry fields;
  fields.part_name = texts[0];
  fields.tag = texts[1];
  fields.type = texts[2];
  fields.maker = texts[3];
  for (std::size_t i = 0; i < fields.accessories.size(); ++i) {
    fields.accessories[i] = {texts[5 + 2 * i], texts[6 + 2 * i]};
  }
  fields.supply_class = 0;
  if (IsDlgButtonChecked(dialog, IDC_BASE_SUPPLIED) == BST_CHECKED) fields.supply_class = 1;
  if (IsDlgButtonChecked(dialog, IDC_BASE_NOT_PURCHASED) == BST_CHECKED) fields.supply_class = 2;
  return fields;
}

void show_fields(HWND dialog, const BasePartEntry& entry) {
  const BasePartCells cells = base_part_cells(entry);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (kEdits[column] != 0) set_item_text(dialog, kEdits[column], cells[column]);
  }
  const int radio = entry.supply_class == 1   ? IDC_BASE_SUPPLIED
                    : entry.supply_class == 2 ? IDC_BASE_NOT_PURCHASED
                                              : IDC_BASE_PURCHASED;
  CheckRadioButton(dialog, IDC_BASE_SUPPLIED, IDC_BASE_PURCHASED, radio);
}

class BasePartsEditor final : public ListEditor {
 public:
  explicit BasePartsEditor(BasePartsStore& store) : ListEditor(kLayout), store_(store) {}

 private:
  int shown_count() const override { return shown_base_parts(store_); }
  std::vector<std::string> cells(int index) const override {
    const BasePartCells cells = base_part_cells(store_.entries[static_cast<std::size_t>(index)]);
    return {cells.begin(), cells.end()};
  }
  bool read(HWND dialog, int selected, Notifier& notifier) override {
    const BasePartEntry* entry = base_part_to_read(store_, selected, notifier);
    if (entry) show_fields(dialog, *entry);
    return entry != nullptr;
  }
  bool rewrite(HWND dialog, int selected, Notifier& notifier) override {
    return rewrite_base_part(store_, selected, read_fields(dialog), notifier);
  }
  int add(HWND dialog, Notifier& notifier) override {
    return add_base_part(store_, read_fields(dialog), notifier);
  }
  void erase(int index) override { delete_base_part(store_, index); }

  bool on_own_command(HWND dialog, int id) override {
    if (id != IDC_BASE_INSERT) return false;
    on_insert(dialog);
    return true;
  }
  // "挿入": the rows after the new entry have all moved down, so the list is shown anew.
  void on_insert(HWND dialog) {
    HWND list = list_of(dialog);
    WinNotifier notifier(dialog);
    if (insert_base_part(store_, first_selected_row(list), read_fields(dialog), notifier)) {
      show_all(list);
    }
  }

  BasePartsStore& store_;
};

}  // namespace

void run_base_parts_dialog(HWND owner, BasePartsStore& store) {
  BasePartsEditor editor(store);
  editor.run(owner, IDD_BASE_PARTS);
}

}  // namespace korvane::win
