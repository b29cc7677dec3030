#include "codeplug/field_catalogue.h"

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "codeplug/codec_bindings.h"
#include "codeplug/editor_settings.h"
#include "codeplug/layout_bits.h"
#include "codeplug/layout_codes.h"

namespace rer {
namespace {

// The rows behind Control, expanded once per address, are exactly the
// catalogue: every control and address lands on its own entry.
TEST(ControlTableTest, EveryControlAndAddressHasItsOwnEntry) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  std::set<std::size_t> seen;
  for (std::size_t row = 0; row < kControlCount; ++row) {
    const auto control = static_cast<Control>(row);
    const int first = IsPerAddress(control) ? 1 : 0;
    const int last = IsPerAddress(control) ? kAddressCount : 0;
    for (int address = first; address <= last; ++address) {
      const std::size_t index = EntryIndexOf(control, address);
      ASSERT_LT(index, catalogue.Entries().size());
      EXPECT_TRUE(seen.insert(index).second) << FieldCatalogue::ControlName(control, address);
      const ControlEntry& entry = catalogue.Entry(control, address);
      EXPECT_EQ(entry.name, FieldCatalogue::ControlName(control, address));
      EXPECT_EQ(entry.control, control);
      EXPECT_EQ(entry.address, address);
      const auto named = catalogue.ControlNamed(entry.name);
      ASSERT_TRUE(named.has_value());
      EXPECT_EQ(named->control, control);
      EXPECT_EQ(named->address, address);
    }
  }
  EXPECT_EQ(seen.size(), catalogue.Entries().size());
  EXPECT_EQ(kEntryCount, catalogue.Entries().size());
}

// Every field number of 1..430 belongs to one control, except 403 and 427
// that none has and 282 and 283 that a More Features list shares with the
// first two duty texts.
TEST(ControlTableTest, FieldNumbersAreUsedOnceAsTheNumberingSays) {
  std::map<int, std::vector<std::string>> users;
  for (const ControlEntry& entry : FieldCatalogue::Instance().Entries()) {
    if (entry.fieldNumber != kNoFieldNumber) users[entry.fieldNumber].push_back(entry.name);
  }
  for (int number = kFirstFieldNumber; number <= kLastFieldNumber; ++number) {
    const auto found = users.find(number);
    const std::size_t count = found == users.end() ? 0 : found->second.size();
    if (number == 403 || number == 427) {
      EXPECT_EQ(count, 0u) << number;
    } else if (number == 282 || number == 283) {
      EXPECT_EQ(count, 2u) << number;
    } else {
      EXPECT_EQ(count, 1u) << number;
    }
  }
  EXPECT_EQ(users.begin()->first, kFirstFieldNumber);
  EXPECT_EQ(users.rbegin()->first, kLastFieldNumber);
  EXPECT_EQ(users.at(282), (std::vector<std::string>{"ed_onOffDuty01", "cb_ZoomDefault"}));
  EXPECT_EQ(users.at(283), (std::vector<std::string>{"ed_onOffDuty02", "cb_MaildropFirstCapcode"}));
}

// One row per control, one field number per row (or none, for the controls
// the numbering leaves out; FieldNumbersAreUsedOnceAsTheNumberingSays checks
// the numbering itself), and a storage: placed bits, codes or text, a rule of
// the decode and encode steps, or an explicit "none".
TEST(ControlTableTest, EveryControlHasOneRowOneNumberAndAStorage) {
  std::set<std::string_view> names;
  for (std::size_t row = 0; row < kControlCount; ++row) {
    const auto control = static_cast<Control>(row);
    const ControlRow& r = RowOf(control);
    EXPECT_TRUE(names.insert(r.name).second) << r.name;
    if (r.perAddress) {
      EXPECT_EQ(r.field == kNoFieldNumber, r.fieldStride == 0) << r.name;
    } else {
      EXPECT_EQ(r.fieldStride, 0) << r.name;
    }

    std::size_t placements = 0;
    for (const BitFieldRow& bits : ControlBitFieldRows()) placements += bits.name == r.name;
    for (const CodedSettingRow& codes : ControlCodedSettingRows()) {
      placements += codes.name == r.name;
    }
    for (const CodecBinding& binding : CodecBindings()) {
      placements += binding.control == control && binding.source == BindingSource::kText;
    }
    switch (r.storage) {
      case StorageClass::kPlaced:
        EXPECT_GT(placements, 0u) << r.name;
        break;
      case StorageClass::kRule:
      case StorageClass::kNone:
        EXPECT_EQ(placements, 0u) << r.name;
        break;
    }
  }
  EXPECT_EQ(names.size(), kControlCount);
  // Every binding belongs to a placed control.
  for (const CodecBinding& binding : CodecBindings()) {
    EXPECT_EQ(RowOf(binding.control).storage, StorageClass::kPlaced) << RowOf(binding.control).name;
  }
}

TEST(ControlTableTest, TypedAccessAndNamedAccessReachTheSameValue) {
  EditorSettings settings;
  settings.SetText(Control::ed_displayContrast, "12");
  EXPECT_EQ(settings.Text("ed_displayContrast"), "12");
  settings.SetItem("cb_alertFrequency", 3);
  EXPECT_EQ(settings.Item(Control::cb_alertFrequency), 3);
  settings.SetChecked(Control::cb_vibrator, true);
  EXPECT_TRUE(settings.Checked("cb_vibrator"));

  settings.SetText(Control::Capcode, 3, "1234567");
  EXPECT_EQ(settings.Text("ed_capcode3"), "1234567");
  settings.SetItem(Control::LanguagePointer, 2, 1);
  EXPECT_EQ(settings.Item("cb_addrbLangPtr"), 1);
  settings.SetItem(Control::AlertMode, 16, 4);
  EXPECT_EQ(settings.Item("cb_alertMode16_1"), 4);
  EXPECT_EQ(settings.Value(Control::AlertMode, 16).number, 4);
}

TEST(ControlTableTest, TypedAccessRefusesAnotherKindOrAMisplacedAddress) {
  EditorSettings settings;
  EXPECT_THROW((void)settings.Text(Control::cb_vibrator), std::invalid_argument);
  EXPECT_THROW(settings.SetItem(Control::ed_ICN, 1), std::invalid_argument);
  EXPECT_THROW((void)settings.Text(Control::Capcode), std::invalid_argument);
  EXPECT_THROW((void)settings.Text(Control::Capcode, 17), std::invalid_argument);
  EXPECT_THROW((void)settings.Text(Control::ed_ICN, 1), std::invalid_argument);
}

}  // namespace
}  // namespace rer
