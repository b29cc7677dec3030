#pragma once
// The editor's settings: one value per control of the field catalogue, plus
// the values without a control that must survive from a decode to the next
// encode. Decode writes them, the page rules edit them, encode reads them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codeplug/field_catalogue.h"

namespace rer {

inline constexpr int kNoItem = -1;

// The value behind one control. Text fields use `text`; a list keeps its item
// index in `number` (kNoItem for no selection; decode may leave an index the
// list does not show, such as character set 11); a check box keeps its state
// there (0 clear, 1 ticked, and the ideographic canned box also 2).
struct ControlValue {
  std::string text;
  int number = 0;
};

// The synthesizer description that decode loads from the image and Set To
// Defaults keeps. Plain fields: the synthesizer module owns the rules.
struct SynthRecordFields {
  std::string name = "NPC5170";
  std::uint8_t type = 2;
  std::uint32_t intermediateHz = 45000000;
  std::uint32_t channelStepHz = 0;
  std::int32_t side = 0;  // 2 high-side injection, 1 low side
  std::uint32_t referenceHz = 0;
  std::int32_t multiplier = 0;
};

// Option bits that no control shows but every encode writes back.
struct CarriedOptionBits {
  bool option037Bit0 = false;  // byte 0x037 bit 0
  bool option03ABit7 = false;  // byte 0x03A bit 7
  bool option03BBit5 = false;  // byte 0x03B bit 5
};

inline constexpr std::size_t kCarriedRegionLength = 41;
inline constexpr int kFirstKeptSystemRecord = 4;
inline constexpr int kLastKeptSystemRecord = 14;
inline constexpr std::size_t kKeptSystemRecordCount =
    kLastKeptSystemRecord - kFirstKeptSystemRecord + 1;
inline constexpr std::size_t kPleasingAlertTuneLength = 16;
inline constexpr std::uint8_t kDefaultPleasingNote = 0xE9;

// The carried region as the factory leaves it, used until the first decode.
std::array<std::uint8_t, kCarriedRegionLength> FactoryCarriedRegion();

// Bytes that decode copies aside and encode writes back unchanged.
struct KeptBytes {
  std::array<std::uint8_t, 3> alarm{};    // the three alarm bytes
  std::uint8_t synthAreaByte1 = 0;        // 0x105 (1 KB family: 0x3B1)
  std::uint8_t synthAreaByte2 = 0;        // 0x106 (1 KB family: 0x3B2)
  std::uint8_t userPasswordAreaByte = 0;  // 0x162, 4 KB family only
  // Bytes 1 to 3 of system records 4 to 14.
  std::array<std::array<std::uint8_t, 3>, kKeptSystemRecordCount> systemRecords{};
};

// The codeplug passwords as decode finds them (unscrambled, 10 characters)
// and the wrong-entry counters of the status byte. The password state of the
// run takes them over after a decode.
struct DecodedPasswords {
  std::string ota;
  std::string local;
  std::string secure;
  int localWrongCount = 0;   // status byte AND 0x70, bits left in place
  int secureWrongCount = 0;  // status byte AND 0x07
};

class EditorSettings {
 public:
  // Every text empty, every list without selection, every box clear, the
  // carried region at its factory contents, the pleasing alert at its default.
  EditorSettings();

  // Typed access by control: one array index, no name lookup. The single
  // controls take no address; a per-address control takes its address (1..16).
  // A control of another kind, or an address out of place, is a programming
  // error and throws std::invalid_argument.
  const std::string& Text(Control control) const { return Slot(control, 0, Access::Text).text; }
  void SetText(Control control, std::string text) {
    Slot(control, 0, Access::Text).text = std::move(text);
  }
  int Item(Control control) const { return Slot(control, 0, Access::Item).number; }
  void SetItem(Control control, int item) { Slot(control, 0, Access::Item).number = item; }
  int CheckState(Control control) const { return Slot(control, 0, Access::Check).number; }
  bool Checked(Control control) const { return CheckState(control) != 0; }
  void SetCheckState(Control control, int state) { Slot(control, 0, Access::Check).number = state; }
  void SetChecked(Control control, bool on) { SetCheckState(control, on ? 1 : 0); }

  const std::string& Text(Control control, int address) const {
    return Slot(control, address, Access::Text).text;
  }
  void SetText(Control control, int address, std::string text) {
    Slot(control, address, Access::Text).text = std::move(text);
  }
  int Item(Control control, int address) const {
    return Slot(control, address, Access::Item).number;
  }
  void SetItem(Control control, int address, int item) {
    Slot(control, address, Access::Item).number = item;
  }
  int CheckState(Control control, int address) const {
    return Slot(control, address, Access::Check).number;
  }
  bool Checked(Control control, int address) const { return CheckState(control, address) != 0; }
  void SetCheckState(Control control, int address, int state) {
    Slot(control, address, Access::Check).number = state;
  }
  void SetChecked(Control control, int address, bool on) {
    SetCheckState(control, address, on ? 1 : 0);
  }

  // The value of any kind of control (the list item or box state in `number`).
  const ControlValue& Value(Control control, int address = 0) const {
    return Slot(control, address, Access::Any);
  }
  ControlValue& Value(Control control, int address = 0) {
    return Slot(control, address, Access::Any);
  }

  // Access by control name, for the edges that speak of controls by name (the
  // JSON dump and apply, tests). An unknown name, or a name of another kind
  // of control, throws std::invalid_argument.
  const std::string& Text(std::string_view name) const;
  void SetText(std::string_view name, std::string text);
  int Item(std::string_view name) const;
  void SetItem(std::string_view name, int item);
  int CheckState(std::string_view name) const;
  bool Checked(std::string_view name) const { return CheckState(name) != 0; }
  void SetCheckState(std::string_view name, int state);
  void SetChecked(std::string_view name, bool on) { SetCheckState(name, on ? 1 : 0); }

  // Generic access in catalogue order, for code that walks every control.
  const ControlValue& ValueAt(std::size_t entryIndex) const { return values_.at(entryIndex); }
  ControlValue& ValueAt(std::size_t entryIndex) { return values_.at(entryIndex); }
  std::size_t Size() const { return values_.size(); }

  // The model list's item is the model index of the codeplug.
  int ModelIndex() const { return Item(Control::cb_Tarsel_Model); }
  void SetModelIndex(int index) { SetItem(Control::cb_Tarsel_Model, index); }

  // ---- Values without a control ----

  std::string versionText;     // "Codeplug Version : R040609" style
  bool newBandCoding = false;  // the codeplug is newer than 4.1.1: band taken from the band byte
  std::uint8_t memorySizeCode = 0;
  bool largeMemory = false;
  bool ideoPrompts = false;   // IdeoPrompts: the prompts are Chinese
  int promptLanguage = 0;     // PromptLanguage 0..16
  int printerCodeIndex = 0;   // 0..4 for printer codes 16, 8, 4, 2, 1
  int clockSecondAdjust = 0;  // signed -8..+8 as the codeplug holds it
  int iconContrast = 0;       // 0..3
  std::array<std::uint8_t, kPleasingAlertTuneLength> pleasingAlertTune{};
  CarriedOptionBits carriedOptions;
  KeptBytes kept;
  std::array<std::uint8_t, kCarriedRegionLength> carriedRegion{};  // CarriedRegion
  SynthRecordFields synthRecord;
  DecodedPasswords passwords;

  bool defaultsLoaded = false;  // DefaultsLoaded: the next encode writes the default bytes
  bool programming = false;     // a program sequence is running
  bool saving = false;          // Save as is running

 private:
  enum class Access { Text, Item, Check, Any };
  static bool Allows(ControlKind kind, Access access);
  [[noreturn]] static void Refuse(Control control, int address);
  const ControlValue& Slot(Control control, int address, Access access) const {
    const ControlRow& row = RowOf(control);
    if (row.perAddress ? (address < 1 || address > kAddressCount) : address != 0) {
      Refuse(control, address);
    }
    if (!Allows(row.kind, access)) Refuse(control, address);
    return values_[EntryIndexOf(control, address)];
  }
  ControlValue& Slot(Control control, int address, Access access) {
    return const_cast<ControlValue&>(std::as_const(*this).Slot(control, address, access));
  }
  ControlValue& Slot(std::string_view name, Access access);
  const ControlValue& Slot(std::string_view name, Access access) const;

  std::vector<ControlValue> values_;
};

}  // namespace rer
