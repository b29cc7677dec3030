#include "service/service_tables.h"

#include <array>

namespace rer {
namespace {

constexpr unsigned Bit(ServicePage page) {
  return 1u << static_cast<unsigned>(page);
}
constexpr unsigned kOnMain = Bit(ServicePage::Main);
constexpr unsigned kOnAdjust = Bit(ServicePage::Adjust);
constexpr unsigned kOnTest = Bit(ServicePage::Test);
constexpr unsigned kEverywhere = kOnMain | kOnAdjust | kOnTest;

constexpr std::array<ServicePageRow, kServicePageCount> kPages = {{
    {ServicePage::Main, "servicePage0", "Main", 996, ""},
    {ServicePage::Adjust, "servicePage1", "Adjust Hardware Tuned", 997,
     "F1-Help | F2-Program | F10-Exit"},
    {ServicePage::Test, "servicePage2", "Test Mode", 998, "F1-Help | F8-Scan Command | F10-Exit"},
}};

constexpr std::array<const char*, 7> kLegend = {
    "F1   - HELP",         "F3   - ADJUST HARDWARE TUNED VALUES", "F5   - TEST MODE",
    "F6   - QUICK PAGE",   "F7   - KEEP ONLY GOOD MESSAGES",      "F9   - SET CHIRP MODE",
    "F10  - EXIT to Main",
};

constexpr std::array<ServiceMenuRow, 9> kMenu = {{
    {ServiceMenuItem::Help, "smenuHelp", "Help", 1, kEverywhere},
    {ServiceMenuItem::Program, "smenuProgram", "Program", 2, kOnAdjust},
    {ServiceMenuItem::Adjust, "smenuAdjust", "Adjust", 3, kOnMain},
    {ServiceMenuItem::Test, "smenuTest", "Test Mode", 5, kOnMain},
    {ServiceMenuItem::Quick, "smenuQuick", "Quick Page", 6, kOnMain},
    {ServiceMenuItem::Msg, "smenuMsg", "Keep Only Good Messages", 7, kOnMain},
    {ServiceMenuItem::Command, "smenuCommand", "Send Command", 8, kOnTest},
    {ServiceMenuItem::Chirp, "smenuChirp", "Chirp Mode", 9, kOnMain},
    {ServiceMenuItem::Exit, "smenuExit", "Exit", 10, kEverywhere},
}};

using enum ServiceReplyShown;
constexpr std::array<ServiceTestRow, 11> kTests = {{
    {"serviceRadio01", "Exit Test Mode", "exit", 0, Nothing, true, true},
    {"serviceRadio03", "RAM Test Pattern", "ram", 4, Character, false, true},
    {"serviceRadio04", "Key Test", "key", 6, KeyName, false, true},
    {"serviceRadio05", "Vibrator Off", "vibrator-off", 7, Nothing, false, true},
    {"serviceRadio06", "Vibrator On", "vibrator-on", 8, Nothing, false, true},
    {"serviceRadio07", "Alert Off", "alert-off", 9, Nothing, false, true},
    {"serviceRadio08", "Alert On", "alert-on", 10, Nothing, false, true},
    {"serviceRadio09", "Backlight Off", "backlight-off", 11, Nothing, false, true},
    {"serviceRadio10", "Backlight On", "backlight-on", 12, Nothing, false, true},
    {"serviceRadio11", "Enable RAM Test", "enable-ram", 20, Nothing, true, false},
    // The standby current is measured with the pager out of test mode: the
    // exit command is all it takes.
    {"serviceRadio12", "Standby Current Test", nullptr, 0, Nothing, true, true},
}};

struct KeyNameRow {
  std::uint8_t keyByte;
  const char* name;
};

constexpr std::array<KeyNameRow, 7> kKeyNames = {{
    {0x00, "NONE         "},
    {0x01, "FUNCTION KEY "},
    {0x04, "READ KEY     "},
    {0x10, "LEFT KEY     "},
    {0x20, "RIGHT KEY    "},
    {0x40, "DOWN KEY     "},
    {0x80, "UP KEY       "},
}};
constexpr const char* kSeveralKeys = "MULTIPLE KEYS";

constexpr std::array<const char*, 17> kSecondAdjustItems = {
    "0",  "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8",
    "-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8",
};
constexpr int kSecondAdjustSteps = 8;

}  // namespace

std::span<const ServicePageRow> ServicePages() {
  return kPages;
}

const ServicePageRow& ServicePageOf(ServicePage page) {
  return kPages[static_cast<std::size_t>(page)];
}

std::span<const char* const> ServiceKeyLegend() {
  return kLegend;
}

std::span<const ServiceMenuRow> ServiceMenuItems() {
  return kMenu;
}

bool IsServiceMenuItemEnabled(ServiceMenuItem item, ServicePage page) {
  for (const ServiceMenuRow& row : kMenu) {
    if (row.item == item) return (row.pages & Bit(page)) != 0;
  }
  return false;
}

const ServiceMenuRow* ServiceMenuItemOfKey(int functionKey) {
  for (const ServiceMenuRow& row : kMenu) {
    if (row.functionKey == functionKey) return &row;
  }
  return nullptr;
}

std::span<const ServiceTestRow> ServiceTests() {
  return kTests;
}

const ServiceTestRow* ServiceTestOfWord(std::string_view word) {
  for (const ServiceTestRow& row : kTests) {
    if (row.commandWord != nullptr && word == row.commandWord) return &row;
  }
  return nullptr;
}

std::string_view ServiceKeyName(std::uint8_t keyByte) {
  for (const KeyNameRow& row : kKeyNames) {
    if (row.keyByte == keyByte) return row.name;
  }
  return kSeveralKeys;
}

std::span<const char* const> SecondAdjustItems() {
  return kSecondAdjustItems;
}

int SecondAdjustValueOfIndex(int index) {
  if (index <= 0 || index > 2 * kSecondAdjustSteps) return 0;
  return index <= kSecondAdjustSteps ? index : kSecondAdjustSteps - index;
}

int SecondAdjustIndexOfValue(int value) {
  if (value > 0 && value <= kSecondAdjustSteps) return value;
  if (value < 0 && value >= -kSecondAdjustSteps) return kSecondAdjustSteps - value;
  return 0;
}

}  // namespace rer
