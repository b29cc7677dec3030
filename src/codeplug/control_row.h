#pragma once
// The shape of one row of the control table (controls.tsv). The generated
// control_table.h holds the rows; field_catalogue.h builds the catalogue from
// them and names what the rows mean.

#include <cstdint>
#include <span>
#include <string_view>

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
  HexDigits,          // "0" to "9", "A" to "F", "a" to "f" and backspace (canned-message range)
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
inline constexpr int kSettingsPageCount = 12;
// The page of a per-address row: the Code page of its address.
inline constexpr int kPerAddressPage = -1;

inline constexpr int kNoFieldNumber = 0;
inline constexpr int kFirstFieldNumber = 1;
inline constexpr int kLastFieldNumber = 430;
inline constexpr int kAddressCount = 16;
inline constexpr int kAddressesPerPage = 4;

// What the row says of the control's place in the codeplug image.
enum class StorageClass : std::uint8_t {
  kNone,    // nothing in the image: shown or derived only
  kRule,    // stored by a rule of the decode and encode steps (or the address codec)
  kPlaced,  // stored where the row's storage column says (bits, item codes or text)
};

// Whether a model-dependent control is shown for a model.
enum class ModelShow : std::uint8_t { kUnchanged, kShown, kHidden };

struct ControlRow {
  std::string_view name;       // per-address rows: with {n}, {nn} or {lang} for the address
  int field = kNoFieldNumber;  // per-address rows: the field of address 1
  int fieldStride = 0;         // per-address rows: the step from one address to the next
  int page = kPageGeneral;
  std::string_view group;
  ControlKind kind = ControlKind::Text;
  std::string_view label;
  std::string_view caption;
  std::span<const std::string_view> items;
  int maxLength = 0;
  int maxLengthEvenAddress = 0;
  KeyFilter keyFilter = KeyFilter::None;
  std::string_view hint;
  std::string_view editMask;
  bool readOnly = false;
  bool upperCase = false;
  bool perAddress = false;
  StorageClass storage = StorageClass::kNone;
  // The model-dependent layout: for the 4 KB family, for models 0x81 and
  // 0x89, and for the other models.
  ModelShow family4K = ModelShow::kUnchanged;
  ModelShow models81And89 = ModelShow::kUnchanged;
  ModelShow otherModels = ModelShow::kUnchanged;
  bool hiddenForEveryModel = false;
  bool disabledForEveryModel = false;
};

}  // namespace rer
