#include "codeplug/editor_settings.h"

#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rer {
namespace {

using ::testing::Each;
using ::testing::ElementsAreArray;

TEST(EditorSettingsTest, StartsEmptyWithFactoryCarriedRegion) {
  EditorSettings settings;
  EXPECT_EQ(settings.Text("ed_serialNumber"), "");
  EXPECT_EQ(settings.Text("ed_frequency"), "");
  EXPECT_EQ(settings.Item("cb_freqBand"), kNoItem);
  EXPECT_EQ(settings.Item("cb_alertPattern16_1"), kNoItem);
  EXPECT_EQ(settings.CheckState("cb_vibrator"), 0);
  EXPECT_FALSE(settings.Checked(AddressControl::DecryptKey, 16));

  // Thirteen triples B3 07 00, then 03 81.
  std::vector<std::uint8_t> factory;
  for (int i = 0; i < 13; ++i) factory.insert(factory.end(), {0xB3, 0x07, 0x00});
  factory.insert(factory.end(), {0x03, 0x81});
  EXPECT_THAT(settings.carriedRegion, ElementsAreArray(factory));
  EXPECT_THAT(FactoryCarriedRegion(), ElementsAreArray(factory));

  EXPECT_THAT(settings.pleasingAlertTune, Each(0xE9));
  EXPECT_EQ(settings.synthRecord.name, "NPC5170");
  EXPECT_EQ(settings.synthRecord.type, 2);
  EXPECT_EQ(settings.synthRecord.intermediateHz, 45000000u);
  EXPECT_FALSE(settings.defaultsLoaded);
}

TEST(EditorSettingsTest, EachControlKeepsItsOwnValue) {
  EditorSettings settings;
  // Every control gets a distinct value; reading them all back catches two
  // controls sharing one slot (as the duty fields share numbers 282 and 283
  // with two lists).
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ControlEntry& entry = entries[i];
    int value = static_cast<int>(i) + 1;
    switch (entry.kind) {
      case ControlKind::Text:
      case ControlKind::MaskedText:
        settings.SetText(entry.name, "v" + std::to_string(value));
        break;
      case ControlKind::List:
        settings.SetItem(entry.name, value);
        break;
      case ControlKind::CheckBox:
        settings.SetCheckState(entry.name, value);
        break;
    }
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ControlEntry& entry = entries[i];
    int value = static_cast<int>(i) + 1;
    switch (entry.kind) {
      case ControlKind::Text:
      case ControlKind::MaskedText:
        EXPECT_EQ(settings.Text(entry.name), "v" + std::to_string(value)) << entry.name;
        EXPECT_EQ(settings.ValueAt(i).text, "v" + std::to_string(value)) << entry.name;
        break;
      case ControlKind::List:
        EXPECT_EQ(settings.Item(entry.name), value) << entry.name;
        break;
      case ControlKind::CheckBox:
        EXPECT_EQ(settings.CheckState(entry.name), value) << entry.name;
        break;
    }
  }
}

TEST(EditorSettingsTest, AddressAccessReachesTheNamedControl) {
  EditorSettings settings;
  settings.SetText(AddressControl::Capcode, 3, "0001000");
  settings.SetItem(AddressControl::LanguagePointer, 2, 1);
  settings.SetItem(AddressControl::LanguagePointer, 9, 2);
  settings.SetChecked(AddressControl::DecryptKey, 7, true);
  settings.SetText(AddressControl::OnOffDuty, 1, "Y");

  EXPECT_EQ(settings.Text("ed_capcode3"), "0001000");
  EXPECT_EQ(settings.Item("cb_addrbLangPtr"), 1);
  EXPECT_EQ(settings.Item("cb_addr9LangPtr"), 2);
  EXPECT_TRUE(settings.Checked("ck_Decryptkey07"));
  EXPECT_EQ(settings.Text("ed_onOffDuty01"), "Y");
  EXPECT_EQ(settings.Item("cb_ZoomDefault"), kNoItem);
}

TEST(EditorSettingsTest, ValuesOutsideTheListAndAboveOneAreKept) {
  EditorSettings settings;
  // Fourteen zero bytes decode as character set 11, which the list does not show
  // but the encode must see again; the canned level goes up to 2.
  settings.SetItem("cb_internationalCharSet", 11);
  settings.SetCheckState("cb_ideoNumericCanned", 2);
  EXPECT_EQ(settings.Item("cb_internationalCharSet"), 11);
  EXPECT_EQ(settings.CheckState("cb_ideoNumericCanned"), 2);
  EXPECT_TRUE(settings.Checked("cb_ideoNumericCanned"));
}

TEST(EditorSettingsTest, ModelIndexIsTheModelListItem) {
  EditorSettings settings;
  settings.SetModelIndex(6);
  EXPECT_EQ(settings.Item("cb_Tarsel_Model"), 6);
  settings.SetItem("cb_Tarsel_Model", 9);
  EXPECT_EQ(settings.ModelIndex(), 9);
}

TEST(EditorSettingsTest, WrongNameOrKindIsRefused) {
  EditorSettings settings;
  EXPECT_THROW(settings.Text("ed_noSuchField"), std::invalid_argument);
  EXPECT_THROW(settings.SetItem("cb_noSuchList", 1), std::invalid_argument);
  EXPECT_THROW(settings.Item("ed_capcode1"), std::invalid_argument);
  EXPECT_THROW(settings.Text("cb_freqBand"), std::invalid_argument);
  EXPECT_THROW(settings.CheckState("cb_freqBand"), std::invalid_argument);
  EXPECT_THROW(settings.SetItem("cb_vibrator", 1), std::invalid_argument);
  EXPECT_THROW(settings.Text(AddressControl::Capcode, 17), std::invalid_argument);
  EXPECT_THROW(settings.Text(AddressControl::Capcode, 0), std::invalid_argument);
  EXPECT_THROW(settings.Item(AddressControl::LanguagePointer, 0), std::invalid_argument);
}

}  // namespace
}  // namespace rer
