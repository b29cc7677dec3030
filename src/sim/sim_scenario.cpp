#include "sim/sim_scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>

#include "pager/codeplug_file.h"
#include "pager/link_header.h"

namespace rer {
namespace {

// Where a blank codeplug keeps the model byte.
constexpr std::size_t kModelByteOffset = 1;

std::optional<long> NumberOf(const QJsonValue& value) {
  if (value.isDouble()) return static_cast<long>(value.toDouble());
  if (!value.isString()) return std::nullopt;
  bool ok = false;
  const long n = value.toString().toLong(&ok, 0);
  return ok ? std::optional<long>(n) : std::nullopt;
}

std::optional<std::uint8_t> ByteOf(const QJsonValue& value) {
  const auto n = NumberOf(value);
  if (!n || *n < 0 || *n > 0xFF) return std::nullopt;
  return static_cast<std::uint8_t>(*n);
}

std::optional<std::vector<std::uint8_t>> HexBytes(const QJsonValue& value) {
  if (!value.isString()) return std::nullopt;
  const QByteArray text = value.toString().remove(' ').toLatin1();
  const bool allHex = std::all_of(text.begin(), text.end(), [](char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
  });
  if (!allHex || text.size() % 2 != 0) return std::nullopt;
  const QByteArray bytes = QByteArray::fromHex(text);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

using FieldReader = std::function<bool(const QJsonValue&, SimScenario&)>;

FieldReader Byte(std::uint8_t SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    const auto b = ByteOf(v);
    if (b) s.*field = *b;
    return b.has_value();
  };
}

FieldReader OptionalByte(std::optional<std::uint8_t> SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    const auto b = ByteOf(v);
    if (b) s.*field = *b;
    return b.has_value();
  };
}

FieldReader Text(std::string SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    if (!v.isString()) return false;
    s.*field = v.toString().toStdString();
    return true;
  };
}

FieldReader Count(std::size_t SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    const auto n = NumberOf(v);
    if (n && *n >= 0) s.*field = static_cast<std::size_t>(*n);
    return n && *n >= 0;
  };
}

FieldReader OptionalCount(std::optional<std::size_t> SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    const auto n = NumberOf(v);
    if (n && *n >= 0) s.*field = static_cast<std::size_t>(*n);
    return n && *n >= 0;
  };
}

FieldReader Flag(bool SimScenario::*field) {
  return [field](const QJsonValue& v, SimScenario& s) {
    if (!v.isBool()) return false;
    s.*field = v.toBool();
    return true;
  };
}

const std::map<QString, FieldReader>& FieldReaders() {
  static const std::map<QString, FieldReader> readers = {
      {"modelCode", Byte(&SimScenario::modelCode)},
      {"identityText", Text(&SimScenario::identityText)},
      {"variantText", Text(&SimScenario::variantText)},
      {"firmware", Text(&SimScenario::firmware)},
      {"serialNumber", Text(&SimScenario::serialNumber)},
      {"cgromFirst", Byte(&SimScenario::cgromFirst)},
      {"cgromSecond", Byte(&SimScenario::cgromSecond)},
      {"memoryByte", Byte(&SimScenario::memoryByte)},
      {"statusLetters", Text(&SimScenario::statusLetters)},
      {"password", Text(&SimScenario::password)},
      {"triesLeft",
       [](const QJsonValue& v, SimScenario& s) {
         const auto n = NumberOf(v);
         if (n && *n >= 0 && *n <= 7) s.triesLeft = static_cast<int>(*n);
         return n && *n >= 0 && *n <= 7;
       }},
      {"image",
       [](const QJsonValue& v, SimScenario& s) {
         const auto bytes = HexBytes(v);
         if (bytes) s.image = *bytes;
         return bytes.has_value();
       }},
      {"serviceAcknowledge", Byte(&SimScenario::serviceAcknowledge)},
      {"keyTestByte", Byte(&SimScenario::keyTestByte)},
      {"ramPatternByte", Byte(&SimScenario::ramPatternByte)},
      {"noAnswer", Flag(&SimScenario::noAnswer)},
      {"wakeReply", OptionalByte(&SimScenario::wakeReply)},
      {"lostEchoAt", OptionalCount(&SimScenario::lostEchoAt)},
      {"imageSilentFrom", OptionalCount(&SimScenario::imageSilentFrom)},
      {"rejectChecksum", Flag(&SimScenario::rejectChecksum)},
      {"loseWriteChecksumEcho", Flag(&SimScenario::loseWriteChecksumEcho)},
      {"storeWrongByteAt", OptionalCount(&SimScenario::storeWrongByteAt)},
      {"junkAfterUnprogrammed", Count(&SimScenario::junkAfterUnprogrammed)},
  };
  return readers;
}

}  // namespace

std::vector<std::uint8_t> SimScenario::ImageBytes() const {
  std::vector<std::uint8_t> bytes = image;
  if (bytes.empty()) {
    bytes.assign(ImageLengthOfModel(modelCode), 0);
    bytes[kModelByteOffset] = modelCode;
  }
  bytes.resize(ImageLengthOfModel(modelCode), 0);
  return bytes;
}

std::optional<SimScenario> ParseSimScenario(const std::string& json, std::string& error) {
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parseError);
  if (doc.isNull() || !doc.isObject()) {
    error = "scenario is not a JSON object: " + parseError.errorString().toStdString();
    return std::nullopt;
  }
  SimScenario scenario;
  const QJsonObject object = doc.object();
  for (auto it = object.begin(); it != object.end(); ++it) {
    const auto reader = FieldReaders().find(it.key());
    if (reader == FieldReaders().end()) {
      error = "unknown scenario key: " + it.key().toStdString();
      return std::nullopt;
    }
    if (!reader->second(it.value(), scenario)) {
      error = "bad value for scenario key: " + it.key().toStdString();
      return std::nullopt;
    }
  }
  return scenario;
}

std::optional<SimScenario> LoadSimScenario(const std::string& path, std::string& error) {
  // The name is used as the bytes it came as.
  const auto text = ReadTextFile(path);
  if (!text) {
    error = "cannot read scenario file: " + path;
    return std::nullopt;
  }
  return ParseSimScenario(*text, error);
}

}  // namespace rer
