#include <gtest/gtest.h>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "codeplug/fill_pages_rules.h"

namespace rer {
namespace {

AddressSetting Slot(const char* capcode, bool personal, int messageType) {
  AddressSetting slot;
  slot.capcode = capcode;
  slot.personal = personal;
  slot.messageType = messageType;
  slot.frame = "010";
  slot.batteryCycle = "3";
  slot.priority = true;
  slot.history = true;
  slot.ota = true;
  slot.languagePointer = kLanguageIdeo;
  return slot;
}

TEST(FillPagesRulesTest, ShownAddressesFollowTheirCapcodeAndPersonalBox) {
  struct Case {
    const char* what;
    int address;
    AddressSetting slot;
    bool reset;  // the empty-address reset applies
    int messageType;
  };
  const Case cases[] = {
      // An empty address claims no type: it shows "Individual", never "Group".
      {"empty odd address", 1, Slot("", true, kIndividual), true, kIndividual},
      {"zeros are empty too", 3, Slot("0000000", true, kIndividual), true, kIndividual},
      {"empty even address", 2, Slot("", false, kIndividual), true, kIndividual},
      {"personal individual", 1, Slot("1234567", true, kIndividual), false, kIndividual},
      {"not personal shows Group", 5, Slot("1234567", false, kIndividual), false, kGroup},
      {"personal group stays Group", 6, Slot("1234568", true, kGroup), false, kGroup},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AddressSettings addresses;
    addresses[static_cast<std::size_t>(c.address - 1)] = c.slot;
    EditorSettings settings;
    SetAddressSettings(addresses, settings);
    ApplyFillPagesRules(settings, 1);
    const AddressSetting after =
        AddressSettingsOf(settings)[static_cast<std::size_t>(c.address - 1)];
    EXPECT_EQ(after.messageType, c.messageType);
    EXPECT_EQ(after.priority, !c.reset);
    EXPECT_EQ(after.history, !c.reset);
    EXPECT_EQ(after.ota, !c.reset);
    EXPECT_EQ(after.personal, c.reset ? false : c.slot.personal);
    EXPECT_EQ(after.frame, c.reset ? "" : "010");
    EXPECT_EQ(after.batteryCycle, c.reset ? "" : "3");
    EXPECT_EQ(after.languagePointer, c.reset ? kLanguageAscii : kLanguageIdeo);
  }
}

// A long address in an odd slot hides and clears the even slot after it;
// the FLEX texts are those of the settings as finally shown.
TEST(FillPagesRulesTest, LongOddAddressHidesAndClearsTheEvenOne) {
  AddressSettings addresses;
  addresses[0] = Slot("1234567", true, kIndividual);
  addresses[1] = Slot("1234568", true, kIndividual);
  addresses[2] = Slot("123456789", true, kIndividual);  // long
  addresses[3] = Slot("1000000", true, kIndividual);
  EditorSettings settings;
  SetAddressSettings(addresses, settings);

  const FilledPagesView view = ApplyFillPagesRules(settings, 0);
  EXPECT_TRUE(view.addressShown[0]);
  EXPECT_TRUE(view.addressShown[1]);
  EXPECT_TRUE(view.addressShown[2]);
  EXPECT_FALSE(view.addressShown[3]);
  EXPECT_TRUE(view.addressShown[4]);
  EXPECT_TRUE(view.addressShown[5]);  // an empty odd address hides nothing
  EXPECT_FALSE(view.languagePointerVisible);

  const AddressSettings after = AddressSettingsOf(settings);
  EXPECT_EQ(after[3].capcode, "");
  EXPECT_FALSE(after[3].ota);
  EXPECT_EQ(settings.Text(AddressControl::FlexAddress, 4), "");
  for (int n : {1, 2, 3}) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(settings.Text(AddressControl::FlexAddress, n).empty());
    EXPECT_EQ(settings.Text(AddressControl::FlexAddress, n), FlexAddressText(after, n));
  }
}

TEST(FillPagesRulesTest, GeneralPageShowsNoNewAlertMenuAndNoModelText) {
  EditorSettings settings;
  settings.SetItem("cb_newAlertMenu", 1);
  settings.SetText("ed_Pager_Model", "X");
  settings.SetModelIndex(7);
  const FilledPagesView view = ApplyFillPagesRules(settings, 3);
  EXPECT_TRUE(view.languagePointerVisible);
  EXPECT_EQ(settings.Item("cb_newAlertMenu"), 0);
  EXPECT_EQ(settings.Text("ed_Pager_Model"), "");
  EXPECT_EQ(settings.ModelIndex(), 7);
  // The model check warning shows "Disable" rather than nothing, and keeps a choice made.
  EXPECT_EQ(settings.Item(Control::cb_Model_Check_Warning), 0);
  settings.SetItem(Control::cb_Model_Check_Warning, 1);
  ApplyFillPagesRules(settings, 3);
  EXPECT_EQ(settings.Item(Control::cb_Model_Check_Warning), 1);
}

}  // namespace
}  // namespace rer
