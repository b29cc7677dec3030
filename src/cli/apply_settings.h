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

}  // namespace rer::cli
