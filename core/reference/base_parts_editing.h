// Editing the base parts list entry by entry, as its dialog does: the rows it shows and the
// checks that come before every change.
//
// The dialog shows every entry, one with an empty part name too (its first cell is empty), so
// row i is always entry i and whatever is stored can be seen, rewritten and deleted.
#pragma once

#include <array>
#include <string>

#include "reference/base_parts.h"

namespace korvane {

class Notifier;

inline constexpr int kBasePartsColumnCount = 13;
inline constexpr int kBasePartsSupplyColumn = 4;

using BasePartCells = std::array<std::string, kBasePartsColumnCount>;

// An entry's texts in the dialog's column order; the supply class shown as "支給", "非購" or four
// spaces.
BasePartCells base_part_cells(const BasePartEntry& entry);

// How many entries the dialog shows: all of them.
int shown_base_parts(const BasePartsStore& store);

// The entry the dialog's fields describe: every text cut to its field's capacity, the supply
// class code taken as it is.
BasePartEntry base_part_from_fields(const BasePartEntry& fields);

// "読出": the entry of the selected row, or null after "項目を選択して下さい。".
const BasePartEntry* base_part_to_read(const BasePartsStore& store, int selected,
                                       Notifier& notifier);
// "書換": entry `selected` becomes the fields. Refused (with a message) when the part name is
// empty, a field holds a comma, or no row is selected, in that order.
bool rewrite_base_part(BasePartsStore& store, int selected, const BasePartEntry& fields,
                       Notifier& notifier);
// "追加": the fields as a new last entry; returns its index, or -1 when refused: the list is full
// (199 entries), the part name is empty, or a field holds a comma, in that order.
int add_base_part(BasePartsStore& store, const BasePartEntry& fields, Notifier& notifier);
// "挿入": the fields as a new entry before `selected`; refused as "追加", then when no row is
// selected.
bool insert_base_part(BasePartsStore& store, int selected, const BasePartEntry& fields,
                      Notifier& notifier);
// "削除": removes one entry; the later entries move up.
void delete_base_part(BasePartsStore& store, int index);

}  // namespace korvane
