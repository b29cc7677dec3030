#pragma once
// The catalogue of every editing control of the twelve settings pages: its
// name, field number, kind, page, label, list items, length limit, key filter
// and hint. The pages are built from it, the field machinery routes events by
// its field numbers, and EditorSettings keeps one value per entry.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rer {

enum class ControlKind { Text, MaskedText, List, CheckBox };

// Which keys a text field accepts while typing.
enum class KeyFilter {
  None,
  Digits,             // "0" to "9" and backspace
  PromptText,         // the prompt character filter
  YesNoOverwrite,     // "Y", "y", "N", "n", backspace; Delete, Backspace and Escape key-downs
                      // swallowed
  PasswordKeyDigits,  // "0" to "3" and backspace (user password key digits)
};

// The settings pages in tab order; the Main page is not a settings page.
enum SettingsPage : int {
  kPageGeneral = 0,
  kPageCode1To4 = 1,
  kPageCode5To8 = 2,
  kPageCode9To12 = 3,
  kPageCode13To16 = 4,
  kPagePrompt1 = 5,
  kPagePrompt2 = 6,
  kPagePrompt3 = 7,
  kPageAlert = 8,
  kPagePasswordOta = 9,
  kPageFeatures = 10,
  kPageMoreFeatures = 11,
};

inline constexpr int kNoFieldNumber = 0;
inline constexpr int kFirstFieldNumber = 1;
inline constexpr int kLastFieldNumber = 430;
inline constexpr int kAddressCount = 16;

// The controls that exist once per paging address.
enum class AddressControl {
  Capcode,
  FlexAddress,
  Personal,
  LanguagePointer,
  Priority,
  History,
  MessageType,
  Frame,
  Collapse,
  OtaEnable,
  DecryptKey,
  OnOffDuty,
  FixAlert,
  InterruptVib,
  Escalating,
  AlertMode,
  AlertPattern,
};

struct ControlEntry {
  std::string name;
  int fieldNumber = kNoFieldNumber;
  ControlKind kind = ControlKind::Text;
  int page = kPageGeneral;
  std::string_view label;
  std::string_view caption;  // the text a check box carries beside its box, if any
  std::span<const std::string_view> items;
  int maxLength = 0;  // 0: no limit
  KeyFilter keyFilter = KeyFilter::None;
  std::string_view hint;
  std::string_view editMask;  // masked text fields only
  bool readOnly = false;
  bool upperCase = false;
  int address = 0;  // 1..16 for the per-address controls, 0 otherwise
};

class FieldCatalogue {
 public:
  // The one catalogue of the program, built on first use.
  static const FieldCatalogue& Instance();

  const std::vector<ControlEntry>& Entries() const { return entries_; }

  // nullptr when no control has that name.
  const ControlEntry* Find(std::string_view name) const;
  // Position of `name` in Entries(); -1 when unknown.
  int IndexOf(std::string_view name) const;

  // Every control numbered `fieldNumber` (two for the shared numbers 282 and 283).
  std::vector<const ControlEntry*> FindAllByField(int fieldNumber) const;
  // The control numbered `fieldNumber` on `page`; nullptr when there is none.
  const ControlEntry* FindByField(int fieldNumber, int page) const;

  // Name of a per-address control of `address` (1..16), e.g. Capcode, 3 gives "ed_capcode3".
  static std::string AddressControlName(AddressControl control, int address);

 private:
  FieldCatalogue();
  FieldCatalogue(const FieldCatalogue&) = delete;
  FieldCatalogue& operator=(const FieldCatalogue&) = delete;

  // byName_ keys view the names held by entries_, which never changes after construction.
  std::vector<ControlEntry> entries_;
  std::unordered_map<std::string_view, int> byName_;
  std::unordered_multimap<int, int> byField_;
};

}  // namespace rer
