// The setting-by-setting comparison of two editor settings.

#include "codeplug/settings_diff.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

TEST(SettingsDiff, EqualSettingsHaveNoDifference) {
  EditorSettings a;
  a.SetText(Control::ed_frequency, "152.0000");
  EXPECT_TRUE(DiffSettings(a, a).empty());
  EXPECT_TRUE(DiffSettings(EditorSettings(), EditorSettings()).empty());
}

TEST(SettingsDiff, ListsEachDifferenceAsThePagesShowIt) {
  EditorSettings a;
  EditorSettings b;
  // Set out of field order: the listing must come back in field order.
  b.SetChecked(Control::Personal, 2, true);      // field 6 + 9
  b.SetText(Control::Capcode, 2, "1234567");     // field 5 + 9
  b.SetText(Control::ed_frequency, "153.1250");  // field 4
  a.SetItem(Control::cb_RF_Timing, 0);           // field 428
  b.SetItem(Control::cb_RF_Timing, 1);
  const auto differences = DiffSettings(a, b);
  ASSERT_EQ(differences.size(), 4u);

  EXPECT_EQ(differences[0].controlName, "ed_frequency");
  EXPECT_EQ(differences[0].label, "Frequency (MHz)");
  EXPECT_EQ(differences[0].a, "");
  EXPECT_EQ(differences[0].b, "153.1250");

  EXPECT_EQ(differences[1].controlName, "ed_capcode2");
  EXPECT_EQ(differences[1].label, "Decimal Address (address 2)");
  EXPECT_EQ(differences[1].address, 2);
  EXPECT_EQ(differences[1].b, "1234567");

  EXPECT_EQ(differences[2].control, Control::Personal);
  EXPECT_EQ(differences[2].a, "clear");
  EXPECT_EQ(differences[2].b, "ticked");

  const ControlEntry& timing = FieldCatalogue::Instance().Entry(Control::cb_RF_Timing);
  EXPECT_EQ(differences[3].controlName, "cb_RF_Timing");
  EXPECT_EQ(differences[3].a, std::string(timing.items[0]));
  EXPECT_EQ(differences[3].b, std::string(timing.items[1]));
}

TEST(SettingsDiff, ValuesThatLookAlikeAreStillListed) {
  // No selection against an item the list does not show, and the two ticked
  // states of a box: each pair differs and must not read the same.
  const ControlEntry& timing = FieldCatalogue::Instance().Entry(Control::cb_RF_Timing);
  EXPECT_NE(ShownValue(timing, {"", kNoItem}), ShownValue(timing, {"", 99}));
  const ControlEntry& personal = FieldCatalogue::Instance().Entry(Control::Personal, 1);
  EXPECT_NE(ShownValue(personal, {"", 1}), ShownValue(personal, {"", 2}));

  EditorSettings a;
  EditorSettings b;
  b.SetItem(Control::cb_RF_Timing, 99);
  const auto differences = DiffSettings(a, b);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_NE(differences[0].a, differences[0].b);
}

}  // namespace
}  // namespace rer
