// The base parts list file: one entry a line, each of the 13 fields followed by a comma.
#pragma once

#include <string>
#include <string_view>

#include "reference/base_parts.h"
#include "reference/list_file.h"

namespace korvane {

class Notifier;

inline constexpr std::size_t kSupplyClassCapacity = 32;  // the field as atoi reads it

// The longest line the writer produces from fields within their capacities: the texts, the
// longest "%d" and 13 commas. The reader cuts longer lines here, so a saved list reads back whole.
inline constexpr std::size_t kBasePartsLineLimit =
    (kPartNameCapacity - 1) + (kTagCapacity - 1) + (kTypeCapacity - 1) + (kMakerCapacity - 1) + 11 +
    kAccessoryCount * 2 * (kAccessoryCapacity - 1) + 13;

struct BasePartsParse {
  BasePartsStore store;
  bool truncated = false;  // entries beyond kBasePartsCapacity were dropped
  bool cut = false;        // a field, or a line, was longer than the list can hold
};

// The entries of a file's bytes: lines end at LF (a CR before it dropped), blank lines are
// skipped, fields are cut to their capacities, the supply class is read with atoi.
BasePartsParse parse_base_parts(std::string_view bytes);

// The file's bytes for a store, CR LF line ends.
std::string format_base_parts(const BasePartsStore& store);

// Replaces `store` with the file's entries. A file that cannot be read leaves the store as it
// was and tells the user; a file with too many entries keeps the first ones and says so.
bool load_base_parts(BasePartsStore& store, const std::string& path, Notifier& notifier,
                     ListLoadReport* report = nullptr);

// Writes the store whole or not at all. An empty store writes nothing and tells the user, as
// does a failure, which leaves any existing file as it was.
bool save_base_parts(const BasePartsStore& store, const std::string& path, Notifier& notifier);

}  // namespace korvane
