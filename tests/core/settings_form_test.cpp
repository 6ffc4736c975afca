#include <gtest/gtest.h>

#include "settings/settings_form.h"
#include "test_support.h"

namespace korvane {
namespace {

using test::sjis;

// Every field away from its initial value, within the ranges the dialog offers.
Settings every_field_set() {
  Settings s;
  for (std::size_t n = 0; n < 5; ++n) {
    s.part_file[n] = sjis("C:\\部品\\p") + std::to_string(n) + ".txt";
    s.kinsi_file[n] = "k" + std::to_string(n) + ".txt";
  }
  s.part_select = 4;
  for (std::size_t i = 0; i < 8; ++i) {
    s.columns[i] = {sjis("列") + std::to_string(i), i == 0 ? 1 : (i == 3 ? 0 : int(i) + 2),
                    10 * int(i) + 5, i == 0 ? "" : sjis("固") + std::to_string(i)};
  }
  s.column_map.drawing = 7;
  s.column_map.part_name = 6;
  s.column_map.maker = 5;
  s.column_map.spec = 3;
  s.column_map.type = 2;
  s.column_map.quantity = 1;
  s.column_map.supply = 4;
  s.file_save_mode = 1;
  s.file_save_mode2 = 1;
  s.pt_x = 12;
  s.pt_y = 75;
  s.file_folder = "D:\\dxf";
  return s;
}

TEST(SettingsForm, StoringWhatWasShownGivesTheRecordBack) {
  const Settings s = every_field_set();
  Settings back;
  back.part_select = s.part_select;  // not a field of the form
  back.file_folder = s.file_folder;
  store_settings_form(back, settings_form(s));
  EXPECT_EQ(back, s);
}

TEST(SettingsForm, StoringReadsNumbersAsAtoiAndFixesTheTagColumn) {
  Settings s;
  SettingsForm form = settings_form(s);
  form.columns[0].text_number = "7";  // the tag column always takes text 1
  form.columns[0].fixed_text = "X";   // and never a fixed text
  form.columns[2].text_number = "12";
  form.columns[3].text_number = "abc";
  form.columns[4].text_number = "1000";  // the combo is read to 3 characters
  form.columns[5].width = " 77px";
  form.columns[6].fixed_text = sjis("支給");
  form.field_columns[0] = "5";  // the tag number is always column 0
  form.field_columns[1] = "-3";
  form.field_columns[7] = "";
  form.pt_x = "x";
  form.pt_y = "+80";
  store_settings_form(s, form);
  EXPECT_EQ(s.columns[0].text_number, 1);
  EXPECT_EQ(s.columns[0].fixed_text, "");
  EXPECT_EQ(s.columns[2].text_number, 12);
  EXPECT_EQ(s.columns[3].text_number, 0);
  EXPECT_EQ(s.columns[4].text_number, 100);
  EXPECT_EQ(s.columns[5].width, 77);
  EXPECT_EQ(s.columns[6].fixed_text, sjis("支給"));
  EXPECT_EQ(s.column_map.tag, 0);
  EXPECT_EQ(s.column_map.drawing, -3);
  EXPECT_EQ(s.column_map.supply, 0);
  EXPECT_EQ(s.pt_x, 0);
  EXPECT_EQ(s.pt_y, 80);
}

TEST(SettingsForm, OutputModesAreTestedByTheirLeadingBytes) {
  EXPECT_EQ(save_mode_of(sjis("分割")), 0);
  EXPECT_EQ(save_mode_of(sjis("分割して")), 0);
  EXPECT_EQ(save_mode_of(sjis("一括")), 1);
  EXPECT_EQ(save_mode_of(sjis("分")), 1);
  EXPECT_EQ(save_mode_of(""), 1);
  EXPECT_EQ(save_format_of("csv"), 0);
  EXPECT_EQ(save_format_of("csvfile"), 0);
  EXPECT_EQ(save_format_of("CSV"), 1);
  EXPECT_EQ(save_format_of(" csv"), 1);
  EXPECT_EQ(save_format_of("txt"), 1);
}

TEST(SettingsForm, LongTextsAreCutToTheirFieldsOnACharacterBoundary) {
  Settings s;
  SettingsForm form = settings_form(s);
  std::string long_path = "C:\\x";
  while (long_path.size() < 300) long_path += sjis("図");
  form.part_file[1] = long_path;
  std::string long_title = "ab";
  while (long_title.size() < 80) long_title += sjis("部");
  form.columns[1].title = long_title;
  store_settings_form(s, form);
  EXPECT_EQ(s.part_file[1], long_path.substr(0, 254));  // the 255th byte would split a character
  EXPECT_EQ(s.columns[1].title, long_title.substr(0, 62));
}

TEST(SettingsForm, ReloadStoresOnlyTheChosenPair) {
  Settings s = every_field_set();
  const Settings before = s;
  store_pair_paths(s, 3, "new_parts.txt", "new_words.txt");
  EXPECT_EQ(s.part_file[3], "new_parts.txt");
  EXPECT_EQ(s.kinsi_file[3], "new_words.txt");
  s.part_file[3] = before.part_file[3];
  s.kinsi_file[3] = before.kinsi_file[3];
  EXPECT_EQ(s, before);
  store_pair_paths(s, 5, "x", "y");  // no such pair
  EXPECT_EQ(s, before);
}

}  // namespace
}  // namespace korvane
