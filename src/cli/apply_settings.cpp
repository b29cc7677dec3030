#include "cli/apply_settings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>

#include "codeplug/key_filter.h"
#include "pager/password_state.h"
#include "pages/user_password_keypad.h"

namespace rer::cli {
namespace {

constexpr const char* kSettingsMember = "settings";
// The one check box with a third state: the ideographic canned level.
constexpr std::string_view kThreeStateBox = "cb_ideoNumericCanned";
constexpr int kThreeStateHighest = 2;

// The per-address texts that hold a number although the window gives them
// no key filter: the address page refuses anything else in them (a frame
// of three digits, a battery cycle of one).
constexpr AddressControl kDigitAddressControls[] = {AddressControl::Frame,
                                                    AddressControl::Collapse};

bool IsDigitAddressControl(const ControlEntry& entry) {
  if (entry.address == 0) return false;
  for (const AddressControl control : kDigitAddressControls) {
    if (FieldCatalogue::AddressControlName(control, entry.address) == entry.name) return true;
  }
  return false;
}

// Field number order for the edits of a plain object; the controls without
// a number (computed texts, the encryption keys) come after, in catalogue
// order. The passwords come first, so that a protection box ticked in the
// same object finds its password given.
int OrderOf(const FieldCatalogue& catalogue, const std::string& name) {
  const int index = catalogue.IndexOf(name);
  if (index < 0) return 0;  // a password, or reported as unknown when it is reached
  const int field = catalogue.Entries()[static_cast<std::size_t>(index)].fieldNumber;
  return field != kNoFieldNumber ? field : 100000 + index;
}

}  // namespace

std::optional<std::string> ApplySettingValue(const ControlEntry& entry, const QJsonValue& json,
                                             ControlValue& value) {
  switch (entry.kind) {
    case ControlKind::Text:
    case ControlKind::MaskedText: {
      if (!json.isString()) return "needs a text";
      std::string text = json.toString().toStdString();
      // The text must be one that could have been typed into the field:
      // the window's key filter and length limit hold for a script too.
      if (IsDigitAddressControl(entry)) {
        ControlEntry digits = entry;
        digits.keyFilter = KeyFilter::Digits;
        if (auto problem = TypingProblem(digits, text)) return problem;
      }
      if (auto problem = TypingProblem(entry, text)) return problem;
      value.text = std::move(text);
      return std::nullopt;
    }
    case ControlKind::CheckBox: {
      if (json.isBool()) {
        // As a click does: true ticks a clear box and leaves a ticked one as
        // it is, so the canned level "Extended" is not dropped to "2 digits".
        if (!json.toBool()) {
          value.number = 0;
        } else if (value.number == 0) {
          value.number = 1;
        }
        return std::nullopt;
      }
      const int highest = entry.name == kThreeStateBox ? kThreeStateHighest : 1;
      if (json.isDouble() && json.toDouble() == json.toInt() && json.toInt() >= 0 &&
          json.toInt() <= highest) {
        value.number = json.toInt();
        return std::nullopt;
      }
      return "needs true or false";
    }
    case ControlKind::List: {
      const int count = static_cast<int>(entry.items.size());
      if (json.isNull()) {
        // A value the list does not show (no selection, or beyond the
        // items) stays as it is, so that a dump applies back unchanged.
        if (value.number >= 0 && value.number < count) value.number = kNoItem;
        return std::nullopt;
      }
      if (json.isDouble()) {
        const int index = json.toInt(-1);
        if (json.toDouble() != index || index < 0 || index >= count) {
          return "has no item " + json.toVariant().toString().toStdString();
        }
        value.number = index;
        return std::nullopt;
      }
      if (json.isString()) {
        const std::string text = json.toString().toStdString();
        for (int i = 0; i < count; ++i) {
          if (entry.items[static_cast<std::size_t>(i)] == text) {
            value.number = i;
            return std::nullopt;
          }
        }
        return "has no item \"" + text + "\"";
      }
      return "needs an item text or index";
    }
  }
  return "cannot be set";
}

std::optional<PasswordMode> PasswordSettingKind(std::string_view name) {
  for (const PasswordSettingName& setting : kPasswordSettingNames) {
    if (name == setting.name) return setting.kind;
  }
  return std::nullopt;
}

std::string PasswordSettingNameOf(PasswordMode kind) {
  for (const PasswordSettingName& setting : kPasswordSettingNames) {
    if (kind == setting.kind) return setting.name;
  }
  return {};
}

std::optional<std::string> PasswordSettingText(const QJsonValue& json, std::string& problem) {
  if (!json.isString()) {
    problem = "needs a text";
    return std::nullopt;
  }
  const std::string typed = json.toString().toStdString();
  auto text = PasswordEntryText(typed);
  if (!text) problem = "needs at most 10 characters of A-Z, 0-9 and blank";
  return text;
}

std::optional<std::string> UserPasswordSettingDigits(const ControlEntry& entry,
                                                     const QJsonValue& json, std::string& problem) {
  if (!json.isString()) {
    problem = "needs a text";
    return std::nullopt;
  }
  const std::string text = json.toString().toStdString();
  std::optional<std::string> digits;
  if (entry.control == Control::ed_cpwFc_Password) {
    if (auto typing = TypingProblem(entry, text)) {
      problem = *typing;
      return std::nullopt;
    }
    digits = text;
  } else {
    digits = UserPasswordDigitsOfLetters(text);
    if (!digits) {
      problem = "takes only the keys L, R, U and D";
      return std::nullopt;
    }
  }
  if (static_cast<int>(digits->size()) > kUserPasswordMaxKeys) {
    problem = "has more than " + std::to_string(kUserPasswordMaxKeys) + " keys";
    return std::nullopt;
  }
  return digits;
}

std::optional<std::vector<SettingEdit>> ParseSettingEdits(const QByteArray& json,
                                                          std::string& error) {
  QJsonParseError parseError;
  const auto document = QJsonDocument::fromJson(json, &parseError);
  std::vector<SettingEdit> edits;
  if (document.isArray()) {
    for (const QJsonValue& item : document.array()) {
      const QJsonObject one = item.toObject();
      if (!item.isObject() || one.size() != 1) {
        error = "each element of the array must be an object with one control";
        return std::nullopt;
      }
      edits.push_back({one.begin().key().toStdString(), one.begin().value()});
    }
    return edits;
  }
  if (!document.isObject()) {
    // Well-formed JSON that is neither has no parse error to quote.
    const std::string why = parseError.error != QJsonParseError::NoError
                                ? parseError.errorString().toStdString()
                                : "it is a single value";
    error = "not a JSON object or array (" + why + ")";
    return std::nullopt;
  }
  QJsonObject object = document.object();
  if (object.value(kSettingsMember).isObject()) object = object.value(kSettingsMember).toObject();
  for (auto it = object.begin(); it != object.end(); ++it) {
    edits.push_back({it.key().toStdString(), it.value()});
  }
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  std::stable_sort(edits.begin(), edits.end(), [&](const SettingEdit& a, const SettingEdit& b) {
    return OrderOf(catalogue, a.name) < OrderOf(catalogue, b.name);
  });
  return edits;
}

}  // namespace rer::cli
