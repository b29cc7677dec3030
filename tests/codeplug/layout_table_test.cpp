#include "codeplug/layout_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "codeplug/image_fields.h"

namespace rer {
namespace {

struct FamilyCase {
  std::uint8_t modelCode;
  std::optional<PagerFamily> family;
};

TEST(PagerFamilyTest, ModelCodesMapToTheirFamilyAndLength) {
  const FamilyCase cases[] = {
      {0x81, PagerFamily::k1K}, {0x89, PagerFamily::k1K}, {0xC0, PagerFamily::k1K},
      {0x84, PagerFamily::k4K}, {0x88, PagerFamily::k4K}, {0xD0, PagerFamily::k4K},
      {0xD1, PagerFamily::k4K}, {0x00, std::nullopt},     {0x40, std::nullopt},
      {0x85, std::nullopt},     {0xD2, std::nullopt},     {0xFF, std::nullopt},
  };
  for (const FamilyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "model 0x" << std::hex << int(c.modelCode));
    EXPECT_EQ(FamilyOfModel(c.modelCode), c.family);
    EXPECT_EQ(Is4KFamily(c.modelCode), c.family == PagerFamily::k4K);
    EXPECT_EQ(Is1KFamily(c.modelCode), c.family == PagerFamily::k1K);
  }
  EXPECT_EQ(ImageLength(PagerFamily::k1K), 1024u);
  EXPECT_EQ(ImageLength(PagerFamily::k4K), 4096u);
}

TEST(SelectLayoutTest, NoFamilyIsInForceBeforeTheFirstSelection) {
  Layout layout;
  EXPECT_FALSE(layout.InForce());
  EXPECT_FALSE(layout.Offset(Field::kOptionByte1));
  EXPECT_FALSE(layout.PackedPromptAreaStart());
  SelectLayout(layout, 0x40);
  EXPECT_FALSE(layout.InForce());
}

TEST(SelectLayoutTest, EachFamilyGetsItsOwnPositionsAndUnknownCodesChangeNothing) {
  Layout layout;
  SelectLayout(layout, 0x89);
  ASSERT_EQ(layout.Family(), PagerFamily::k1K);
  EXPECT_EQ(layout.Offset(Field::kOptionByte1), 0x012u);
  EXPECT_EQ(layout.Offset(Field::kBandByte), 0x227u);
  EXPECT_EQ(layout.PackedPromptAreaStart(), 0x054u);

  SelectLayout(layout, 0xD1);
  ASSERT_EQ(layout.Family(), PagerFamily::k4K);
  EXPECT_EQ(layout.Offset(Field::kOptionByte1), 0x012u);
  EXPECT_EQ(layout.Offset(Field::kBandByte), 0x165u);
  EXPECT_EQ(layout.PackedPromptAreaStart(), 0x300u);

  for (std::uint8_t unknown : {0x00, 0x40, 0x82, 0xFF}) {
    SelectLayout(layout, unknown);
    EXPECT_EQ(layout.Family(), PagerFamily::k4K);
  }
  SelectLayout(layout, 0xC0);
  EXPECT_EQ(layout.Family(), PagerFamily::k1K);
  SelectLayout(layout, 0x00);
  EXPECT_EQ(layout.Offset(Field::kBandByte), 0x227u);
}

struct PlaceCase {
  Field field;
  int index;
  std::optional<std::size_t> at1K;
  std::optional<std::size_t> at4K;
};

TEST(LayoutTableTest, PositionsOfBothFamilies) {
  const PlaceCase cases[] = {
      {Field::kStatusByte, 0, 0x000, 0x000},
      {Field::kSerialNumber, 0, 0x028, 0x028},
      {Field::kCodeplugVersion, 0, 0x24D, 0x24D},
      {Field::kPleasingAlertTune, 0, 0x044, 0x044},
      {Field::kAddressOptionByte, 15, 0x2B2, 0x2B2},
      {Field::kAddressFrameByte, 0, 0x2B3, 0x2B3},
      {Field::kLongAddressMark, 1, 0x2D5, 0x2D5},
      {Field::kLongAddressMark, 7, 0x2F9, 0x2F9},
      {Field::kImageChecksum, 0, 0x2FE, 0x2FE},
      {Field::kSystemRecord, 0, 0x300, 0x054},
      {Field::kFrameMapRecord, 0, 0x33C, 0x090},
      {Field::kFrameMapRecord, 7, 0x358, 0x0AC},
      {Field::kAddressEnableRecord, 0, 0x35C, 0x0B0},
      {Field::kAddressSlot, 0, 0x360, 0x0B4},
      {Field::kAddressSlot, 2, 0x368, 0x0BC},
      {Field::kAddressSlot, 15, 0x39C, 0x0F0},
      {Field::kClosingRecord, 0, 0x3A0, 0x0F4},
      {Field::kSynthArea, 0, 0x3A4, 0x0F8},
      {Field::kIdeoPromptSlots, 0, 0x054, std::nullopt},
      {Field::kLegacyFirmwareFlag, 0, 0x226, std::nullopt},
      {Field::kFirmwarePatchTail, 0, 0x3B3, std::nullopt},
      {Field::kAlertWord, 0, std::nullopt, 0x139},
      {Field::kAlertWord, 15, std::nullopt, 0x157},
      {Field::kUserPasswordCode, 0, std::nullopt, 0x15D},
      {Field::kUserPasswordTimeout, 0, std::nullopt, 0x15F},
      {Field::kEncryptionKeyMask, 0, std::nullopt, 0x163},
      {Field::kHpOptions, 0, std::nullopt, 0x226},
      {Field::kPagerSpecificData, 0, std::nullopt, 0xF00},
      // An index beyond the field's elements has no place.
      {Field::kAddressSlot, 16, std::nullopt, std::nullopt},
      {Field::kOptionByte1, 1, std::nullopt, std::nullopt},
  };
  const Layout small(PagerFamily::k1K);
  const Layout large(PagerFamily::k4K);
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "field " << int(c.field) << " index " << c.index);
    EXPECT_EQ(small.Offset(c.field, c.index), c.at1K);
    EXPECT_EQ(large.Offset(c.field, c.index), c.at4K);
  }
  EXPECT_EQ(small.Place(Field::kPackedPromptArea).size, 468);
  EXPECT_EQ(large.Place(Field::kPackedPromptArea).size, 1095);
}

// Fields may only share bytes when one is an area that holds the other
// (the records within the record table, the prompt area's fixed slots, the
// firmware patch areas). The variant patch runs one byte past the blanked
// area on purpose. Any other overlap is a wrong offset or size.
TEST(LayoutTableTest, NoTwoFieldsShareBytesUnlessOneContainsTheOther) {
  const std::set<Field> containers = {Field::kPackedPromptArea, Field::kSystemRecord,
                                      Field::kFirmwarePatchArea, Field::kBlankedArea};
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    const LayoutTable& table = LayoutTableOf(family);
    for (std::size_t a = 0; a < kFieldCount; ++a) {
      for (std::size_t b = a + 1; b < kFieldCount; ++b) {
        const FieldPlace& pa = table.places[a];
        const FieldPlace& pb = table.places[b];
        if (!pa.present() || !pb.present()) continue;
        for (int ia = 0; ia < pa.count; ++ia) {
          for (int ib = 0; ib < pb.count; ++ib) {
            const std::size_t startA = pa.ElementOffset(ia), endA = startA + pa.size;
            const std::size_t startB = pb.ElementOffset(ib), endB = startB + pb.size;
            if (endA <= startB || endB <= startA) continue;
            const bool aHoldsB = containers.count(Field(a)) && startA <= startB && endB <= endA;
            const bool bHoldsA = containers.count(Field(b)) && startB <= startA && endA <= endB;
            const bool patchPastBlank =
                Field(a) == Field::kBlankedArea && Field(b) == Field::kVariantPatchArea;
            EXPECT_TRUE(aHoldsB || bHoldsA || patchPastBlank)
                << "family " << int(family) << ": fields " << a << " and " << b << " overlap";
          }
        }
      }
    }
  }
}

TEST(ImageFieldsTest, AFieldTheFamilyLacksIsNeverTouched) {
  CodeplugImage image;
  const Layout small(PagerFamily::k1K);
  ImageFields fields(image, small);
  image[0x139] = 0x5A;
  fields.SetValue(FieldRef(Field::kAlertWord, 0), 0xFFFF);
  fields.SetText(Field::kHpPassword, "99");
  fields.Fill(Field::kPagerSpecificData, 0xEE);
  EXPECT_EQ(fields.Value(FieldRef(Field::kAlertWord, 0)), 0u);
  EXPECT_EQ(fields.Text(Field::kHpPassword), "");

  CodeplugImage expected;
  expected[0x139] = 0x5A;
  EXPECT_EQ(image, expected);
}

TEST(ImageFieldsTest, NothingIsWrittenWhileNoFamilyIsInForce) {
  CodeplugImage image;
  const Layout none;
  ImageFields fields(image, none);
  fields.SetByte(Field::kStatusByte, 0x77);
  fields.SetText(Field::kSerialNumber, "1234567890");
  EXPECT_EQ(image, CodeplugImage());
  EXPECT_FALSE(fields.Has(Field::kStatusByte));
}

}  // namespace
}  // namespace rer
