#pragma once
// The settings of rer-cli apply: a JSON object of control names and values
// (or, as dump writes it, an object with such a "settings" member) set onto
// the editor's settings with the rules of the window's fields.

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <optional>
#include <string>
#include <vector>

#include "codeplug/editor_settings.h"
#include "codeplug/field_catalogue.h"
#include "core/user_interface.h"

namespace rer::cli {

// One edit: a control's name and its new value.
struct SettingEdit {
  std::string name;
  QJsonValue value;
};

// The edits of `json` in the order they are made: an array of one-key
// objects in the array's order, or an object of control names (or, as dump
// writes it, an object with such a "settings" member) in field-number order.
// nullopt with `error` set when the text is neither.
std::optional<std::vector<SettingEdit>> ParseSettingEdits(const QByteArray& json,
                                                          std::string& error);

// Sets one control from its JSON value, refusing what the control's field
// would refuse (its key filter and length). The message that names the
// problem ("does not take the character ..."), or nullopt when it was set.
std::optional<std::string> ApplySettingValue(const ControlEntry& entry, const QJsonValue& json,
                                             ControlValue& value);

// The codeplug passwords, which are no control of a page: a script gives
// them by these names, and they are set as the change-password entry sets them.
struct PasswordSettingName {
  const char* name;
  PasswordMode kind;
};
inline constexpr PasswordSettingName kPasswordSettingNames[] = {
    {"securePassword", PasswordMode::Secure},
    {"localPassword", PasswordMode::Local},
    {"otaPassword", PasswordMode::Ota},
};
// The kind of the password setting `name`, or nullopt for any other name.
std::optional<PasswordMode> PasswordSettingKind(std::string_view name);
// The setting name of a password kind ("securePassword").
std::string PasswordSettingNameOf(PasswordMode kind);

// The text a password setting gives, as its entry field would take it
// (upper case, at most 10 of A-Z, 0-9 and blank); nullopt with `problem` set
// otherwise.
std::optional<std::string> PasswordSettingText(const QJsonValue& json, std::string& problem);

// The key digits a user password setting gives: ed_cpwFc_Password as digits
// "0"-"3", ed_cpwFc_Password_LRUD as the letters L, R, U, D; at most eight.
// nullopt with `problem` set otherwise.
std::optional<std::string> UserPasswordSettingDigits(const ControlEntry& entry,
                                                     const QJsonValue& json, std::string& problem);

}  // namespace rer::cli
