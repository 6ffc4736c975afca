#include <gtest/gtest.h>

#include "reference/base_parts_editing.h"
#include "test_support.h"
#include "text/messages.h"

namespace korvane {
namespace {

using test::sjis;

BasePartEntry named(std::string name, int supply = 0) {
  BasePartEntry entry;
  entry.part_name = std::move(name);
  entry.tag = "T";
  entry.supply_class = supply;
  return entry;
}

BasePartsStore store_of(int count) {
  BasePartsStore store;
  for (int i = 0; i < count; ++i) store.entries.push_back(named("P" + std::to_string(i)));
  return store;
}

std::vector<std::string> names(const BasePartsStore& store) {
  std::vector<std::string> out;
  for (const auto& entry : store.entries) out.push_back(entry.part_name);
  return out;
}

TEST(BasePartsEditing, CellsFollowTheDialogsColumnOrder) {
  BasePartEntry entry = named("name", 1);
  entry.type = "type";
  entry.maker = "maker";
  for (int i = 0; i < kAccessoryCount; ++i) {
    entry.accessories[static_cast<std::size_t>(i)] = {"n" + std::to_string(i + 1),
                                                      "t" + std::to_string(i + 1)};
  }
  EXPECT_EQ(base_part_cells(entry), (BasePartCells{"name", "T", "type", "maker", sjis("支給"), "n1",
                                                   "t1", "n2", "t2", "n3", "t3", "n4", "t4"}));
  EXPECT_EQ(base_part_cells(named("x", 2))[4], sjis("非購"));
  EXPECT_EQ(base_part_cells(named("x", 0))[4], "    ");
  EXPECT_EQ(base_part_cells(named("x", 7))[4], "    ");
}

TEST(BasePartsEditing, FieldsAreCheckedBeforeTheSelection) {
  BasePartsStore store = store_of(3);
  test::RecordingNotifier notifier;
  EXPECT_FALSE(rewrite_base_part(store, -1, named(""), notifier));
  BasePartEntry comma = named("P");
  comma.accessories[3].type = "A,B";
  EXPECT_FALSE(rewrite_base_part(store, -1, comma, notifier));
  EXPECT_FALSE(rewrite_base_part(store, -1, named("P"), notifier));
  EXPECT_FALSE(insert_base_part(store, -1, named(""), notifier));
  EXPECT_FALSE(insert_base_part(store, -1, named("P"), notifier));
  EXPECT_EQ(notifier.said(),
            (std::vector<std::string>{
                "操作ミス: 部品名を入力して下さい。",
                "操作ミス: 項目にカンマ「,」は使用できません。", "操作ミス: 項目を選択して下さい。",
                "操作ミス: 部品名を入力して下さい。", "操作ミス: 項目を選択して下さい。"}));
  EXPECT_EQ(store.entries, store_of(3).entries);
}

TEST(BasePartsEditing, ACommaInAnyTextFieldIsRefused) {
  for (int field = 0; field < 12; ++field) {
    BasePartEntry fields = named("P");
    std::string* texts[] = {&fields.part_name, &fields.tag, &fields.type, &fields.maker};
    std::string& text = field < 4 ? *texts[field]
                        : field % 2
                            ? fields.accessories[static_cast<std::size_t>(field - 4) / 2].type
                            : fields.accessories[static_cast<std::size_t>(field - 4) / 2].name;
    text += ",";
    BasePartsStore store = store_of(2);
    test::RecordingNotifier notifier;
    EXPECT_EQ(add_base_part(store, fields, notifier), -1) << "field " << field;
    EXPECT_FALSE(rewrite_base_part(store, 0, fields, notifier));
    EXPECT_FALSE(insert_base_part(store, 0, fields, notifier));
    EXPECT_EQ(store.entries, store_of(2).entries);
    ASSERT_EQ(notifier.messages.size(), 3u);
    EXPECT_EQ(notifier.messages[2].text, msg::kNoCommaInField);
  }
}

TEST(BasePartsEditing, RewriteReplacesTheEntryInPlaceWithFieldsCutToTheirCapacity) {
  BasePartsStore store = store_of(3);
  BasePartEntry fields = named(std::string(70, 'n'), 2);
  for (int i = 0; i < 20; ++i) fields.maker += sjis("メ");  // 40 bytes into 32
  fields.accessories[1] = {"acc", std::string(80, 't')};
  test::RecordingNotifier notifier;
  ASSERT_TRUE(rewrite_base_part(store, 1, fields, notifier));
  const BasePartEntry& entry = store.entries[1];
  EXPECT_EQ(entry.part_name, std::string(63, 'n'));
  EXPECT_EQ(entry.maker.size(), 30u);
  EXPECT_EQ(entry.supply_class, 2);
  EXPECT_EQ(entry.accessories[1].name, "acc");
  EXPECT_EQ(entry.accessories[1].type, std::string(63, 't'));
  EXPECT_EQ(names(store), (std::vector<std::string>{"P0", std::string(63, 'n'), "P2"}));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(BasePartsEditing, AddStopsAt199EntriesBeforeLookingAtTheFields) {
  BasePartsStore store = store_of(198);
  test::RecordingNotifier notifier;
  EXPECT_EQ(add_base_part(store, named("new"), notifier), 198);
  EXPECT_EQ(store.entries.size(), 199u);
  EXPECT_EQ(store.entries.back().part_name, "new");
  EXPECT_EQ(add_base_part(store, named(""), notifier), -1);
  EXPECT_FALSE(insert_base_part(store, 0, named("more"), notifier));
  EXPECT_EQ(store.entries.size(), 199u);
  EXPECT_EQ(notifier.said(),
            (std::vector<std::string>{"制限があります: 部品登録数２００を超えました。",
                                      "制限があります: 部品登録数２００を超えました。"}));
}

// An entry without a part name is a row like any other: it and the entries behind it can be
// selected, and rewriting gives it a name.
TEST(BasePartsEditing, AnUnnamedEntryAndThoseBehindItAreRows) {
  BasePartsStore store = store_of(5);
  store.entries[2].part_name.clear();
  EXPECT_EQ(shown_base_parts(store), 5);
  test::RecordingNotifier notifier;
  EXPECT_TRUE(rewrite_base_part(store, 3, named("x"), notifier));
  EXPECT_TRUE(insert_base_part(store, 2, named("y"), notifier));
  EXPECT_TRUE(rewrite_base_part(store, 3, named("z"), notifier));
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(names(store), (std::vector<std::string>{"P0", "P1", "y", "z", "x", "P4"}));
  EXPECT_EQ(shown_base_parts(store), 6);
  EXPECT_FALSE(rewrite_base_part(store, 6, named("w"), notifier));
  EXPECT_EQ(notifier.said(), std::vector<std::string>{"操作ミス: 項目を選択して下さい。"});
}

}  // namespace
}  // namespace korvane
