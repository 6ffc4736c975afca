// The base parts list: the program's table of known parts.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvane {

// Field capacities (a field of N bytes holds N - 1 bytes of text).
inline constexpr std::size_t kPartNameCapacity = 64;
inline constexpr std::size_t kTagCapacity = 32;
inline constexpr std::size_t kTypeCapacity = 64;
inline constexpr std::size_t kMakerCapacity = 32;
inline constexpr std::size_t kAccessoryCapacity = 64;
inline constexpr int kBasePartsCapacity = 199;
inline constexpr int kAccessoryCount = 4;

struct Accessory {
  std::string name;
  std::string type;

  bool operator==(const Accessory&) const = default;
};

struct BasePartEntry {
  std::string part_name;
  std::string tag;
  std::string type;
  std::string maker;
  int supply_class = 0;  // 1 supplied, 2 not purchased, anything else purchased
  std::array<Accessory, kAccessoryCount> accessories{};

  bool operator==(const BasePartEntry&) const = default;
};

// Entries in file order; at most kBasePartsCapacity.
struct BasePartsStore {
  std::vector<BasePartEntry> entries;
};

}  // namespace korvane
