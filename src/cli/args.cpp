#include "cli/args.h"

#include <cerrno>
#include <cstdlib>

namespace rer::cli {

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
           const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() > 2 && word.rfind("--", 0) == 0) {
      std::string name = word.substr(2);
      std::optional<std::string> inlineValue;
      if (const auto eq = name.find('='); eq != std::string::npos) {
        inlineValue = name.substr(eq + 1);
        name = name.substr(0, eq);
      }
      if (valueOptions.count(name)) {
        if (inlineValue) {
          values_[name] = *inlineValue;
          allValues_[name].push_back(*inlineValue);
        } else if (i + 1 < words.size()) {
          values_[name] = words[++i];
          allValues_[name].push_back(values_[name]);
        } else {
          error_ = "option --" + name + " needs a value";
        }
      } else if (flags.count(name) && !inlineValue) {
        flags_.insert(name);
      } else {
        error_ = "unknown option --" + name;
      }
    } else if (word == "-o" && valueOptions.count("o")) {
      if (i + 1 < words.size()) {
        values_["o"] = words[++i];
      } else {
        error_ = "option -o needs a value";
      }
    } else {
      positional_.push_back(word);
    }
    if (!error_.empty()) return;
  }
}

bool Args::has(const std::string& name) const {
  return flags_.count(name) > 0 || values_.count(name) > 0;
}

std::optional<std::string> Args::value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> Args::values(const std::string& name) const {
  const auto it = allValues_.find(name);
  if (it == allValues_.end()) return {};
  return it->second;
}

std::optional<long> Args::number(const std::string& name) {
  const auto text = value(name);
  if (!text) return std::nullopt;
  const auto parsed = ParseNumber(*text);
  if (!parsed && error_.empty()) error_ = "option --" + name + " needs a number";
  return parsed;
}

std::optional<long> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(begin, &end, 0);
  if (errno != 0 || end == begin || *end != '\0') return std::nullopt;
  return value;
}

}  // namespace rer::cli
