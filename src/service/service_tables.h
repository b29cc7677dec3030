#pragma once
// The service dialog as data: its three pages, the key legend of the first,
// the menu with its keys and the pages each item works on, the test
// commands with their reply kinds, the names of the pager's keys and the
// items of the clock second adjustment. The dialog, its logic and
// `rer-cli service` are all built from these tables.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rer {

enum class ServicePage { Main = 0, Adjust = 1, Test = 2 };
inline constexpr int kServicePageCount = 3;

struct ServicePageRow {
  ServicePage page;
  const char* name;
  const char* caption;
  int helpTopic;
  // The second panel of the dialog's status bar while the page is shown.
  const char* keyHint;
};

std::span<const ServicePageRow> ServicePages();
const ServicePageRow& ServicePageOf(ServicePage page);

// The lines of the Main page, one per key.
std::span<const char* const> ServiceKeyLegend();

enum class ServiceMenuItem { Help, Program, Adjust, Test, Quick, Msg, Command, Chirp, Exit };

struct ServiceMenuRow {
  ServiceMenuItem item;
  const char* name;
  const char* caption;
  int functionKey;  // 1 for F1 ... 10 for F10
  // Pages on which the item is enabled, one bit per ServicePage.
  unsigned pages;
};

std::span<const ServiceMenuRow> ServiceMenuItems();
bool IsServiceMenuItemEnabled(ServiceMenuItem item, ServicePage page);
// The item that F`functionKey` stands for, if any.
const ServiceMenuRow* ServiceMenuItemOfKey(int functionKey);

// What a test command's reply puts into the result field.
enum class ServiceReplyShown { Nothing, Character, KeyName };

// The code a test gives when the pager leaves test mode: the dialog goes
// back to its Main page.
inline constexpr int kServiceBackToMain = 263;

struct ServiceTestRow {
  const char* radioName;
  const char* caption;
  // The word that names the test on the command line; nullptr when the
  // command line offers none (a test that repeats another's command).
  const char* commandWord;
  std::uint8_t command;  // also its reply kind
  ServiceReplyShown shown;
  bool backToMain;  // the test's code is kServiceBackToMain whatever the reply
  bool offered;     // false: the radio button is hidden and disabled
};

// The tests in the order of the radio buttons.
std::span<const ServiceTestRow> ServiceTests();
const ServiceTestRow* ServiceTestOfWord(std::string_view word);

// The name of the key (or keys) that the key test reports, 13 characters.
std::string_view ServiceKeyName(std::uint8_t keyByte);

// The items of the clock second adjustment: "0", "+1" ... "+8", "-1" ... "-8".
std::span<const char* const> SecondAdjustItems();
// The signed adjustment (-8 ... +8) of an item, and the item of an
// adjustment; an adjustment outside the items shows item 0.
int SecondAdjustValueOfIndex(int index);
int SecondAdjustIndexOfValue(int value);

}  // namespace rer
