#pragma once
// The settings of rer-cli apply: a JSON object of control names and values
// (or, as dump writes it, an object with such a "settings" member) set onto
// the editor's settings with the rules of the window's fields.

#include <QByteArray>
#include <QJsonObject>
#include <optional>
#include <string>

#include "codeplug/editor_settings.h"

namespace rer::cli {

// The settings object of `json`; nullopt with `error` set when the text is
// not a JSON object.
std::optional<QJsonObject> ParseSettingsJson(const QByteArray& json, std::string& error);

// Sets every control `changes` names. Stops at the first name that is no
// control or value its control would refuse, and returns the message that
// names it ("ed_capcode1 does not take the character ..."); the settings
// may then be changed in part. nullopt when every value was set.
std::optional<std::string> ApplySettingsObject(const QJsonObject& changes,
                                               EditorSettings& settings);

}  // namespace rer::cli
