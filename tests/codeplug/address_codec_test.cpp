#include "codeplug/address_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace rer {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SlotBytes(const CodeplugImage& image, const Layout& layout, int address) {
  const std::size_t at = *layout.Offset(Field::kAddressSlot, address - 1);
  return {image.data() + at, image.data() + at + 4};
}

AddressSetting Address(std::string capcode, std::string frame = "000", std::string cycle = "4",
                       int messageType = kIndividual) {
  AddressSetting s;
  s.capcode = std::move(capcode);
  s.frame = std::move(frame);
  s.batteryCycle = std::move(cycle);
  s.messageType = messageType;
  return s;
}

// Every address empty, as the editor holds them with no pager read.
AddressSettings EmptyAddresses() {
  AddressSettings settings;
  for (AddressSetting& s : settings) s = Address("", "", "");
  return settings;
}

TEST(ClassifyCapcodeTest, RangeEdges) {
  struct Case {
    std::uint32_t value;
    AddressClass odd;
    AddressClass even;
  };
  using enum AddressClass;
  const Case cases[] = {
      {0, kEmpty, kEmpty},
      {1, kShort, kShort},
      {1933312, kShort, kShort},
      {1933313, kInvalid, kInvalid},
      {2009087, kInvalid, kInvalid},
      {2009088, kShort, kShort},
      {2025471, kShort, kShort},
      {2025472, kInvalid, kInvalid},
      {2101248, kInvalid, kInvalid},
      {2101249, kLong, kInvalid},
      {1075843072, kLong, kInvalid},
      {1075843073, kInvalid, kInvalid},
      {4294967295u, kInvalid, kInvalid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyCapcode(c.value, false), c.odd) << c.value;
    EXPECT_EQ(ClassifyCapcode(c.value, true), c.even) << c.value;
  }
}

TEST(CapcodeValueTest, TextsBeyondThirtyTwoBitsAreInvalidNotWrapped) {
  EXPECT_EQ(CapcodeValue(""), 0u);
  EXPECT_EQ(CapcodeValue("0000123"), 123u);
  EXPECT_EQ(CapcodeValue("4294967295"), 4294967295u);
  // 2^32 + 123 would wrap to the short address 123.
  EXPECT_EQ(ClassifyCapcode(CapcodeValue("4294967419"), false), AddressClass::kInvalid);
  EXPECT_EQ(ClassifyCapcode(CapcodeValue("9999999999"), false), AddressClass::kInvalid);
}

TEST(FormatCapcodeTest, StripsThenPadsToTheClassWidth) {
  struct Case {
    const char* text;
    bool isLong;
    const char* formatted;
  };
  const Case cases[] = {
      {"123", false, "0000123"},       {"0000000123", false, "0000123"},
      {"2101249", true, "002101249"},  {"0002101249", true, "002101249"},
      {"", false, "0000000"},          {"000", true, "000000000"},
      {"12345678", false, "12345678"}, {"1075843072", true, "1075843072"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCapcode(c.text, c.isLong), c.formatted) << c.text;
}

TEST(AddressWordsTest, BothWaysAtTheRangeEnds) {
  EXPECT_EQ(ShortAddressWord(2025471), 0x1F67FFu);
  EXPECT_EQ(CapcodeOfShortWord(0x1F67FF), 2025471u);
  EXPECT_EQ(CapcodeOfShortWord(0x8000), 0u);
  EXPECT_FALSE(CapcodeOfShortWord(0x7FFF));
  for (std::uint32_t v : {2101249u, 2101250u, 2134016u, 2134017u, 500000000u, 1075843072u}) {
    const LongAddressWords words = LongAddressWordsOf(v);
    EXPECT_GE(words.first, 1u);
    EXPECT_LE(words.first, 32768u);
    EXPECT_EQ(CapcodeOfLongWords(words.first, words.second), v);
  }
}

// The slot bytes an address 1 value gives, in both families.
TEST(EncodeAddressSlotsTest, AddressOneSlots) {
  struct Case {
    const char* capcode;
    Bytes slot1;
    Bytes slot2;
    std::uint16_t mask;
    std::uint8_t longMark;
  };
  const Bytes kept{0xAA, 0xBB, 0xCC, 0xDD};
  const Case cases[] = {
      {"123", {0x80, 0x00, 0x80, 0x7B}, {0x81, 0x00, 0x00, 0x00}, 0x0001, 0x00},
      {"2025471", {0x80, 0x1F, 0x67, 0xFF}, {0x81, 0x00, 0x00, 0x00}, 0x0001, 0x00},
      {"2101249", {0x80, 0x40, 0x00, 0x01}, {0x81, 0x5F, 0xFF, 0xFE}, 0x0003, 0x40},
      {"1075843072", {0x80, 0x40, 0x80, 0x00}, {0x81, 0x5F, 0x7F, 0xFF}, 0x0003, 0x40},
      // Invalid, and an empty address 1: the pair keeps what it held.
      {"1075843073", kept, kept, 0x0000, 0x00},
      {"", kept, kept, 0x0000, 0x00},
  };
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.capcode << " family " << int(family));
      const Layout layout(family);
      CodeplugImage image;
      ImageFields fields(image, layout);
      fields.SetBytes(FieldRef(Field::kAddressSlot, 0), kept);
      fields.SetBytes(FieldRef(Field::kAddressSlot, 1), kept);
      fields.SetByte(Field::kLongAddressMark, 0x40);
      AddressSettings settings = EmptyAddresses();
      settings[0].capcode = c.capcode;
      EncodeAddressSlots(settings, fields);
      EXPECT_EQ(SlotBytes(image, layout, 1), c.slot1);
      EXPECT_EQ(SlotBytes(image, layout, 2), c.slot2);
      EXPECT_EQ(fields.Byte(Field::kAddressEnableRecord, 0), 0x78);
      EXPECT_EQ(fields.Byte(Field::kAddressEnableRecord, 1), 0x00);
      EXPECT_EQ(fields.Bits(Field::kAddressEnableRecord, 0, 16), c.mask);
      EXPECT_EQ(image[0x2CF], c.longMark);
      EXPECT_EQ(image[0x2CD], 0x11);
      EXPECT_EQ(image[0x2CE], 0x11);
    }
  }
}

TEST(EncodeAddressSlotsTest, LaterPairsWriteEmptySlotsAndTheirOwnMaskBits) {
  const Layout layout(PagerFamily::k4K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  fields.SetBytes(FieldRef(Field::kAddressSlot, 2), Bytes{0xAA, 0xBB, 0xCC, 0xDD});
  AddressSettings settings = EmptyAddresses();
  settings[0].capcode = "0001000";
  settings[1].capcode = "0001001";
  settings[3].capcode = "0001003";  // address 4 after an empty address 3
  settings[14].capcode = "002101249";
  EncodeAddressSlots(settings, fields);
  EXPECT_EQ(SlotBytes(image, layout, 3), (Bytes{0x82, 0x00, 0x00, 0x00}));
  EXPECT_EQ(SlotBytes(image, layout, 4), (Bytes{0x83, 0x00, 0x83, 0xEB}));
  EXPECT_EQ(SlotBytes(image, layout, 15), (Bytes{0x8E, 0x40, 0x00, 0x01}));
  EXPECT_EQ(SlotBytes(image, layout, 16), (Bytes{0x8F, 0x5F, 0xFF, 0xFE}));
  EXPECT_EQ(image[0x0B0 + 2], 0xC0);  // addresses 15 and 16
  EXPECT_EQ(image[0x0B0 + 3], 0x0B);  // addresses 1, 2 and 4
  EXPECT_EQ(image[0x2CF + 6 * 7], 0x40);
  EXPECT_EQ(image[0x2CF + 6 * 1], 0x00);
}

TEST(DecodeAddressSlotsTest, EncodedAddressesReadBackFormatted) {
  for (PagerFamily family : {PagerFamily::k1K, PagerFamily::k4K}) {
    const Layout layout(family);
    CodeplugImage image;
    ImageFields fields(image, layout);
    AddressSettings written = EmptyAddresses();
    written[0].capcode = "2101249";
    written[1].capcode = "555";  // hidden behind the long address 1
    written[2].capcode = "1933312";
    written[3].capcode = "2009088";
    written[6].capcode = "1075843072";
    written[9].capcode = "42";
    EncodeAddressSlots(written, fields);

    AddressSettings read = EmptyAddresses();
    for (AddressSetting& s : read) s = Address("9", "001", "5");
    DecodeAddressSlots(fields, read);
    const char* expected[kAddressCount] = {"002101249",  "", "1933312", "2009088", "", "",
                                           "1075843072", "", "",        "0000042", "", "",
                                           "",           "", "",        ""};
    for (int n = 1; n <= kAddressCount; ++n) {
      EXPECT_EQ(read[n - 1].capcode, expected[n - 1]) << "address " << n;
      if (read[n - 1].capcode.empty()) {
        EXPECT_EQ(read[n - 1].frame, "") << n;
        EXPECT_EQ(read[n - 1].batteryCycle, "") << n;
        EXPECT_EQ(read[n - 1].languagePointer, n <= 4 ? kLanguageAscii : kNoLanguage) << n;
      }
    }
  }
}

TEST(DecodeAddressSlotsTest, AddressOneIsReadWhateverItsMaskBitSays) {
  const Layout layout(PagerFamily::k1K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  WriteAddressSlot(fields, 1, {ShortAddressWord(123), false});
  WriteAddressSlot(fields, 3, {ShortAddressWord(456), false});  // mask bit clear
  AddressSettings read = EmptyAddresses();
  read[2] = Address("0000777", "010", "4");
  DecodeAddressSlots(fields, read);
  EXPECT_EQ(read[0].capcode, "0000123");
  EXPECT_EQ(read[2].capcode, "");
  EXPECT_EQ(read[2].frame, "");
  EXPECT_EQ(FlexAddressText(read, 3), "");
}

// A short slot whose word lies below the short base: the encoder never
// writes one, so it is read as no address rather than a negative capcode.
TEST(DecodeAddressSlotsTest, WordBelowTheShortBaseGivesNoAddress) {
  const Layout layout(PagerFamily::k4K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  WriteAddressSlot(fields, 2, {0x7FFF, false});
  fields.SetBits(Field::kAddressEnableRecord, 0, 16, 0x0003);
  AddressSettings read = EmptyAddresses();
  read[1] = Address("0000001", "000", "4");
  DecodeAddressSlots(fields, read);
  EXPECT_EQ(read[0].capcode, "");  // empty slot 1: word 0
  EXPECT_EQ(read[1].capcode, "");
}

TEST(AddressOptionsTest, EmptyAddressesGetTheirFixedOptionBits) {
  const Layout layout(PagerFamily::k1K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  AddressSettings settings = EmptyAddresses();
  settings[0] = Address("0000123", "007", "2", kGroup);
  settings[0].personal = true;
  settings[0].priority = true;
  EncodeAddressOptions(settings, 0, fields);
  EXPECT_EQ(image[0x2A3], 0x3A);  // personal, group, priority, cycle 2
  EXPECT_EQ(image[0x2B3], 7);
  EXPECT_EQ(image[0x2A3 + 2] & 0x1F, 0x0F);  // address 3: cycle 7, priority, individual
  EXPECT_EQ(image[0x2A3 + 6] & 0x3F, 0x27);  // address 7: personal, individual, cycle 7
  EXPECT_EQ(image[0x2A3 + 6] & 0x08, 0x00);
}

TEST(AddressOptionsTest, LanguagePointerFollowsTheCharacterGenerator) {
  struct Case {
    int pointer;
    int cgromType;
    unsigned code;
    int decoded;
  };
  const Case cases[] = {
      {kLanguageThai, 3, 1, kLanguageThai},   {kLanguageThai, 1, 2, kLanguageIdeo},
      {kLanguageIdeo, 3, 1, kLanguageThai},   {kLanguageIdeo, 2, 1, kLanguageIdeo},
      {kLanguageAscii, 3, 0, kLanguageAscii}, {kNoLanguage, 1, 0, kLanguageAscii},
      {kNoSelection, 1, 3, kLanguageIdeo},
  };
  for (const Case& c : cases) {
    const Layout layout(PagerFamily::k4K);
    CodeplugImage image;
    ImageFields fields(image, layout);
    AddressSettings settings = EmptyAddresses();
    settings[4] = Address("0000500", "031", "4");
    settings[4].languagePointer = c.pointer;
    EncodeAddressOptions(settings, c.cgromType, fields);
    EXPECT_EQ(image[0x2A3 + 4] >> 6, c.code) << c.pointer << " on " << c.cgromType;
    AddressSettings read = EmptyAddresses();
    DecodeAddressOptions(fields, c.cgromType, read);
    EXPECT_EQ(read[4].languagePointer, c.decoded);
    EXPECT_EQ(read[4].frame, "031");
    EXPECT_EQ(read[4].batteryCycle, "4");
  }
}

TEST(AddressOptionsTest, FrameByteAbove127IsShownAsItIs) {
  const Layout layout(PagerFamily::k1K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  fields.SetByte(FieldRef(Field::kAddressFrameByte, 5), 255);
  fields.SetByte(FieldRef(Field::kAddressOptionByte, 5), 0x35);
  AddressSettings read = EmptyAddresses();
  DecodeAddressOptions(fields, 0, read);
  EXPECT_EQ(read[5].frame, "255");
  EXPECT_EQ(read[5].batteryCycle, "5");
  EXPECT_TRUE(read[5].personal);
  EXPECT_EQ(read[5].messageType, kGroup);
  EXPECT_FALSE(read[5].priority);
}

TEST(FillFrameMapTest, MarksEveryFrameOfTheBatteryCycle) {
  AddressSettings settings = EmptyAddresses();
  settings[0] = Address("1000", "062", "4");
  FrameMap expected{};
  for (std::size_t i = 0; i < expected.size(); i += 2) expected[i] = 0x40;
  EXPECT_EQ(FillFrameMap(settings), expected);

  settings[0].batteryCycle = "0";
  FrameMap all;
  all.fill(0xFF);
  EXPECT_EQ(FillFrameMap(settings), all);

  // Cycles longer than the 128 frames start at frame mod cycle, which may lie
  // beyond the map: frame 300 in a cycle of 256 is frame 44, in 512 none.
  settings[0].frame = "300";
  settings[0].batteryCycle = "8";
  FrameMap frame44{};
  frame44[15 - 44 / 8] = 1 << (44 % 8);
  EXPECT_EQ(FillFrameMap(settings), frame44);
  for (const char* cycle : {"9", "40"}) {
    settings[0].batteryCycle = cycle;
    EXPECT_EQ(FillFrameMap(settings), FrameMap{}) << cycle;
  }

  settings[0].batteryCycle = "7";  // one frame in 128
  settings[0].frame = "000";
  FrameMap frameZero{};
  frameZero[15] = 0x01;
  EXPECT_EQ(FillFrameMap(settings), frameZero);
}

TEST(FillFrameMapTest, WhichAddressesTakePart) {
  AddressSettings settings = EmptyAddresses();
  settings[0] = Address("2101249", "127", "7");  // long: address 2 cannot take part
  settings[1] = Address("0000005", "000", "7");
  settings[2] = Address("1933313", "001", "7");  // invalid still takes part
  settings[4] = Address("", "002", "7");         // empty: not
  settings[5] = Address("0000006", "003", "7");  // even after an empty odd
  FrameMap expected{};
  expected[0] = 0x80;   // frame 127
  expected[15] = 0x0A;  // frames 1 and 3
  EXPECT_EQ(FillFrameMap(settings), expected);
}

TEST(FlexAddressTextTest, TheExamples) {
  AddressSettings settings = EmptyAddresses();
  settings[0] = Address("0000123", "007", "4");
  settings[1] = Address("0000124", "007", "4");
  settings[2] = Address("0000200", "012", "4");
  settings[3] = Address("0000126", "008", "4");
  settings[4] = Address("0000200", "012", "3");
  settings[5] = Address("0000125", "7", "4");
  settings[6] = Address("", "", "");
  settings[7] = Address("0000200", "012", "");
  EXPECT_EQ(FlexAddressText(settings, 1), "E0000123");
  EXPECT_EQ(FlexAddressText(settings, 2), "F0000124");
  EXPECT_EQ(FlexAddressText(settings, 3), "0124Y0000200");
  EXPECT_EQ(FlexAddressText(settings, 4), "0084Y0000126");  // frame differs from derived
  EXPECT_EQ(FlexAddressText(settings, 5), "0123Y0000200");  // battery cycle not 4
  EXPECT_EQ(FlexAddressText(settings, 6), "74G0000125");    // frame "7" differs as text
  EXPECT_EQ(FlexAddressText(settings, 7), "");
  EXPECT_EQ(FlexAddressText(settings, 8), "012");
  settings[0].messageType = kGroup;
  EXPECT_EQ(FlexAddressText(settings, 1), "0074Y0000123");
}

TEST(RefreshFlexAddressTest, LongOddAddressClearsTheEvenOne) {
  AddressSettings settings = EmptyAddresses();
  settings[0] = Address("002101249", "000", "4");
  settings[1] = Address("0000005", "000", "4");
  settings[1].personal = settings[1].priority = settings[1].history = settings[1].ota = true;
  RefreshFlexAddress(settings, 1);
  const AddressSetting& cleared = settings[1];
  EXPECT_EQ(cleared.capcode, "");
  EXPECT_EQ(cleared.frame, "");
  EXPECT_EQ(cleared.batteryCycle, "");
  EXPECT_FALSE(cleared.personal || cleared.priority || cleared.history || cleared.ota);
  EXPECT_EQ(cleared.messageType, kNoSelection);
  EXPECT_EQ(cleared.languagePointer, kNoSelection);
}

TEST(RefreshFlexAddressTest, EvenAddressesShowOnlyWhenTheOddOneAllows) {
  struct Case {
    int even;
    const char* oddCapcode;
    bool shown;
  };
  const Case cases[] = {
      {2, "0000100", true},
      {2, "", false},
      {2, "1933313", false},
      {4, "0000100", true},
      {4, "", true},
      {4, "1933313", false},
      {6, "1933313", true},
      {6, "", true},
      {6, "002101249", false},
      {16, "0000100", true},
      {16, "002101249", false},
  };
  for (const Case& c : cases) {
    AddressSettings settings = EmptyAddresses();
    settings[0] = Address("0000100", "006", "4");
    settings[c.even - 2].capcode = c.oddCapcode;
    settings[c.even - 1] = Address("0000300", "018", "4");
    const std::string text = RefreshFlexAddress(settings, c.even);
    EXPECT_EQ(text, c.shown ? "0184Y0000300" : "") << c.even << " after " << c.oddCapcode;
  }
}

TEST(AddressFlagsTest, HistoryOtaKeysAndAlertWordsRoundTripIn4K) {
  const Layout layout(PagerFamily::k4K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  AddressSettings written = EmptyAddresses();
  written[0].history = true;
  written[8].ota = true;
  written[15].encryptionKey = true;
  written[2].alertPattern = 15;
  written[2].alertMode = 5;
  written[2].onOffDuty = "Y";
  written[2].escalating = "Y";
  EncodeAddressFlags(written, fields);
  EXPECT_EQ(image[0x241], 0x01);
  EXPECT_EQ(image[0x034], 0x01);
  EXPECT_EQ(image[0x164], 0x80);
  EXPECT_EQ(image[0x139 + 4], 15);
  EXPECT_EQ(image[0x139 + 5], 0x55);  // mode 5, escalating, duty

  AddressSettings read = EmptyAddresses();
  DecodeAddressFlags(fields, read);
  EXPECT_EQ(read, written);
}

TEST(AddressFlagsTest, OutOfRangeAlertValuesDecodeAsZero) {
  const Layout layout(PagerFamily::k4K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  fields.SetValue(FieldRef(Field::kAlertWord, 0), 0x10FE);  // pattern 16, mode 6, all flags
  AddressSettings read = EmptyAddresses();
  DecodeAddressFlags(fields, read);
  EXPECT_EQ(read[0].alertPattern, 0);
  EXPECT_EQ(read[0].alertMode, 0);
  EXPECT_EQ(read[0].fixAlert, "Y");
  EXPECT_EQ(read[0].interruptVib, "Y");
}

TEST(AddressFlagsTest, The1KFamilyHasNoKeysOrAlertWords) {
  const Layout layout(PagerFamily::k1K);
  CodeplugImage image;
  ImageFields fields(image, layout);
  AddressSettings written = EmptyAddresses();
  for (AddressSetting& s : written) {
    s.encryptionKey = true;
    s.alertPattern = 3;
    s.onOffDuty = "Y";
  }
  EncodeAddressFlags(written, fields);
  EXPECT_EQ(image, CodeplugImage());
}

}  // namespace
}  // namespace rer
