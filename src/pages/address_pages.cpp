#include "pages/address_pages.h"

#include <algorithm>
#include <array>

#include "codeplug/address_codec.h"
#include "codeplug/codec_bindings.h"
#include "codeplug/pager_family.h"
#include "core/result_codes.h"
#include "pages/address_checks.h"

namespace rer {
namespace {

constexpr int kFirstAddressPage = kPageCode1To4;
constexpr int kLastAddressPage = kPageCode13To16;
constexpr int kAddressesPerTab = 4;
constexpr int kHighestFrame = 127;
constexpr std::size_t kIdentityTextLength = 10;
constexpr std::uint8_t kSecureSubModels[] = {149, 166, 221};
constexpr int kLanguageThaiCgrom = 3;
constexpr int kDeafPager = 1;  // cb_deafPager "Deaf"

// The options an empty address loses, and the controls its emptiness disables.
constexpr Control kAddressOptions[] = {Control::Personal, Control::Priority, Control::History,
                                       Control::OtaEnable};
constexpr Control kDisabledWhenEmpty[] = {Control::Personal, Control::Priority,
                                          Control::History,  Control::MessageType,
                                          Control::Frame,    Control::Collapse};
// The per-address alert controls of the large-layout pagers.
constexpr Control kAlertControls[] = {Control::OnOffDuty,    Control::FixAlert,
                                      Control::InterruptVib, Control::Escalating,
                                      Control::AlertMode,    Control::AlertPattern};
// Settings of an even address that a long or invalid odd address before it
// makes meaningless: typed changes are not kept.
constexpr Control kBlockedBehindLong[] = {Control::Priority, Control::MessageType, Control::Frame,
                                          Control::Collapse};

// The control that field `field` stands for on the General and address tabs.
const ControlEntry* EntryOfField(int field) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (int page = kPageGeneral; page <= kLastAddressPage; ++page) {
    if (const ControlEntry* entry = catalogue.FindByField(field, page)) return entry;
  }
  return nullptr;
}

bool IsDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ThreeDigits(int value) {
  std::string text = std::to_string(value);
  while (text.size() < 3) text.insert(text.begin(), '0');
  return text;
}

bool Contains(std::span<const Control> controls, Control control) {
  return std::find(controls.begin(), controls.end(), control) != controls.end();
}

}  // namespace

bool IsSecureSubModel(std::uint8_t subModel) {
  return std::find(std::begin(kSecureSubModels), std::end(kSecureSubModels), subModel) !=
         std::end(kSecureSubModels);
}

AddressPages::AddressPages(EditorSettings& settings, UserInterface& ui,
                           const PageEnvironment& environment)
    : PageHandler(settings, ui, environment), before_(settings) {}

void AddressPages::Enter(int /*field*/) {
  before_ = settings_;
}

int AddressPages::Store(int field) {
  const ControlEntry* entry = EntryOfField(field);
  if (entry == nullptr) return kSuccess;
  const Control control = entry->control;
  const int address = entry->address;
  int result = kSuccess;
  if (address == 0) {
    result = StoreGeneral(control);
  } else if (control == Control::Capcode) {
    result = StoreCapcode(address);
  } else if (address % 2 == 0 && Contains(kBlockedBehindLong, control) &&
             BehindLongOrInvalid(address)) {
    Restore(control, address);
  } else if (control == Control::Frame) {
    FrameCheck(address);
  } else if (control == Control::Collapse) {
    BatteryCycleCheck(address);
  } else if (control == Control::LanguagePointer) {
    const int item = settings_.Item(control, address);
    if (environment_.cgromType == kLanguageThaiCgrom) {
      if (item == kLanguageIdeo) settings_.SetItem(control, address, kLanguageThai);
    } else if (item == kLanguageThai) {
      settings_.SetItem(control, address, kLanguageAscii);
    }
  }
  // Alert letters and lists, and the remaining boxes, are kept as typed.
  UpdateAddresses();
  before_ = settings_;
  return result;
}

int AddressPages::StoreGeneral(Control control) {
  switch (control) {
    case Control::ed_serialNumber:
    case Control::ed_ICN: {
      std::string text = settings_.Text(control);
      if (text.size() > kIdentityTextLength) text.resize(kIdentityTextLength);
      settings_.SetText(control, std::move(text));
      break;
    }
    case Control::ed_frequency: {
      // The mask leaves blanks where nothing was typed; they stand for zeros.
      std::string text = settings_.Text(control);
      std::replace(text.begin(), text.end(), ' ', '0');
      settings_.SetText(control, std::move(text));
      break;
    }
    case Control::cb_newAlertMenu:
      // The new alert menu is not offered: whatever is chosen, "No" is kept
      // and the alerts group goes away.
      settings_.SetItem(control, kNewAlertMenuNo);
      HideAlertsGroup();
      break;
    default:
      break;  // lists and texts that are stored as chosen
  }
  return kSuccess;
}

bool AddressPages::BehindLongOrInvalid(int address) const {
  if (address % 2 != 0) return false;
  const AddressClass before = ClassOfAddress(settings_, address - 1);
  if (address == 2) return before != AddressClass::kShort;
  return before == AddressClass::kLong || before == AddressClass::kInvalid;
}

void AddressPages::Restore(Control control, int address) {
  settings_.Value(control, address) = before_.Value(control, address);
}

void AddressPages::ClearAddressOptions(int address) {
  settings_.SetText(Control::Frame, address, "");
  settings_.SetText(Control::Collapse, address, "");
  for (Control option : kAddressOptions) settings_.SetChecked(option, address, false);
  settings_.SetItem(Control::MessageType, address, kIndividual);
  settings_.SetItem(Control::LanguagePointer, address, kLanguageAscii);
}

void AddressPages::ClearAddress(int address) {
  settings_.SetText(Control::Capcode, address, "");
  ClearAddressOptions(address);
}

std::string AddressPages::DerivedFrameText(int address) const {
  const std::uint32_t value = CapcodeValue(settings_.Text(Control::Capcode, address));
  const std::uint32_t first = CapcodeValue(settings_.Text(Control::Capcode, 1));
  return ThreeDigits(static_cast<int>(DerivedFrame(value, first)));
}

int AddressPages::StoreCapcode(int address) {
  // On Code 1-4 the capcode of address 4 is not its own behind a long or
  // invalid address 3.
  if (address == kAddressesPerTab && BehindLongOrInvalid(address)) {
    Restore(Control::Capcode, address);
    return kSuccess;
  }
  const std::string previous = before_.Text(Control::Capcode, address);
  const AddressClass kind = ClassOfAddress(settings_, address);
  if (kind == AddressClass::kEmpty) {
    ClearAddressOptions(address);
    return kSuccess;
  }
  // An invalid capcode stays as typed; the page check reports it.
  if (kind == AddressClass::kInvalid) return kSuccess;

  const bool isLong = kind == AddressClass::kLong;
  const std::string formatted = FormatCapcode(settings_.Text(Control::Capcode, address), isLong);
  settings_.SetText(Control::Capcode, address, formatted);
  if (formatted != previous) {
    settings_.SetText(Control::Frame, address, DerivedFrameText(address));
    settings_.SetText(Control::Collapse, address, kDefaultBatteryCycleText);
    if (settings_.Item(Control::MessageType, address) != kGroup) {
      settings_.SetItem(Control::MessageType, address, kIndividual);
    }
    settings_.SetChecked(Control::Personal, address, true);
    settings_.SetChecked(Control::OtaEnable, address, true);
    if (isLong && address < kAddressCount) ClearAddress(address + 1);
  }
  FrameCheck(address);
  return kSuccess;
}

void AddressPages::FrameCheck(int address) {
  if (ClassOfAddress(settings_, address) == AddressClass::kEmpty) return;
  const std::string derived = DerivedFrameText(address);
  const std::string& frame = settings_.Text(Control::Frame, address);
  if (!IsDigits(frame) || frame.size() > 3 || std::stoi(frame) > kHighestFrame) {
    ui_.ShowError(kInvalidFrame);
    settings_.SetText(Control::Frame, address, derived);
    return;
  }
  const std::string shown = ThreeDigits(std::stoi(frame));
  settings_.SetText(Control::Frame, address, shown);
  if (shown != derived && ui_.AskQuestion(kQuestionFrameMismatch) == kResultYes) {
    settings_.SetText(Control::Frame, address, derived);
  }
}

void AddressPages::BatteryCycleCheck(int address) {
  if (ClassOfAddress(settings_, address) == AddressClass::kEmpty) return;
  const std::string& cycle = settings_.Text(Control::Collapse, address);
  if (cycle.size() != 1 || cycle[0] < '0' || cycle[0] > '7') {
    ui_.ShowError(kInvalidBatteryCycle);
    settings_.SetText(Control::Collapse, address, kDefaultBatteryCycleText);
    return;
  }
  if (cycle != kDefaultBatteryCycleText &&
      ui_.AskQuestion(kQuestionBatteryCycleNotDefault) == kResultYes) {
    settings_.SetText(Control::Collapse, address, kDefaultBatteryCycleText);
  }
}

void AddressPages::HideAlertsGroup() {
  for (int address = 1; address <= kAddressCount; ++address) {
    for (Control control : kAlertControls) view_.Show(control, address, false);
  }
  view_.alertsGroupShown = false;
}

void AddressPages::UpdateEnabling(int address) {
  if (ClassOfAddress(settings_, address) == AddressClass::kEmpty) {
    for (Control control : kDisabledWhenEmpty) view_.Enable(control, address, false);
    if (address == 1) {
      settings_.SetChecked(Control::OtaEnable, address, false);
    } else {
      view_.Enable(Control::OtaEnable, address, false);
    }
    settings_.SetChecked(Control::DecryptKey, address, false);
    view_.Enable(Control::DecryptKey, address, false);
    return;
  }
  // The controls an empty address disabled come back with its capcode. While
  // the lock flag is set (always, in this system) the encryption key stays
  // disabled but keeps its tick.
  const bool personal = settings_.Checked(Control::Personal, address);
  for (Control control : {Control::Personal, Control::Priority, Control::History, Control::Frame,
                          Control::Collapse}) {
    view_.Enable(control, address, true);
  }
  view_.Enable(Control::MessageType, address, personal);
  view_.Enable(Control::OtaEnable, address, settings_.Checked(Control::cb_rfProgrammingEnabled));
  if (environment_.menuLocker) {
    view_.Enable(Control::DecryptKey, address, false);
    return;
  }
  view_.Enable(Control::DecryptKey, address, personal);
  if (!personal) settings_.SetChecked(Control::DecryptKey, address, false);
}

void AddressPages::UpdateAddresses() {
  AddressSettings addresses = AddressSettingsOf(settings_);
  std::array<std::string, kAddressCount> flexTexts;
  for (int address = 1; address <= kAddressCount; ++address) {
    flexTexts[static_cast<std::size_t>(address - 1)] = RefreshFlexAddress(addresses, address);
  }
  for (int address = 1; address <= kAddressCount; ++address) {
    settings_.SetText(Control::FlexAddress, address,
                      flexTexts[static_cast<std::size_t>(address - 1)]);
  }

  // The encryption keys by pager type: the 4 KB types show them, the secure
  // models of 0xD0 and 0xD1 only; other types leave them as they are.
  std::optional<bool> keysShown;
  switch (environment_.modelCode) {
    case 0x81:
    case 0x89:
    case 0xC0:
      keysShown = false;
      break;
    case 0x84:
    case 0x88:
      keysShown = true;
      break;
    case 0xD0:
    case 0xD1:
      keysShown = IsSecureSubModel(environment_.subModel);
      break;
    default:
      break;
  }
  for (int address = 1; address <= kAddressCount; ++address) {
    // An even address behind a long one is its second half: no row of its own.
    const bool rowShown =
        address % 2 == 1 || ClassOfAddress(settings_, address - 1) != AddressClass::kLong;
    view_.addressRowShown[address] = rowShown;
    if (keysShown) view_.Show(Control::DecryptKey, address, *keysShown && rowShown);
    UpdateEnabling(address);
  }
}

int AddressPages::Check(int page) {
  // A deaf pager cannot sound an alert: its alert mode is fixed and it vibrates.
  if (settings_.Item(Control::cb_deafPager) == kDeafPager) {
    settings_.SetChecked(Control::cb_userChangableAlertMode, false);
    settings_.SetChecked(Control::cb_manualAlertReset, false);
    settings_.SetChecked(Control::cb_vibrator, true);
  }
  if (page < kFirstAddressPage || page > kLastAddressPage) return kSuccess;
  if (CheckAddressTab(settings_, page - kFirstAddressPage + 1) != kChecksPassed) {
    ui_.ShowError(kInvalidAddressCode);
    return kInvalidAddressCode;
  }
  if (CheckDuplicateCapcodes(settings_, environment_.modelCode) != kChecksPassed) {
    return kDuplicateCodes;
  }
  return kSuccess;
}

void AddressPages::Refresh(int page) {
  if (page == kPageCode1To4) {
    HideAlertsGroup();
    view_.prompt3TabShown = false;
    settings_.SetItem(Control::cb_onOffDuty, kOnOffDutyDisable);
  }
  UpdateAddresses();
  before_ = settings_;
}

}  // namespace rer
