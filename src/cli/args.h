#pragma once
// A small parser for "command POSITIONAL --option VALUE --flag" lines.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace rer::cli {

class Args {
 public:
  // `valueOptions` take the next word as their value; `flags` stand alone.
  // Unknown options are errors; see error().
  Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
       const std::set<std::string>& flags);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& positional() const { return positional_; }
  bool has(const std::string& name) const;
  std::optional<std::string> value(const std::string& name) const;
  // Every value given to a repeatable option, in order; value() is the last.
  std::vector<std::string> values(const std::string& name) const;
  // The option's value as an integer (decimal, or hex with 0x); nullopt when
  // absent; sets error() when it is not a number.
  std::optional<long> number(const std::string& name);

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
  std::map<std::string, std::vector<std::string>> allValues_;
  std::set<std::string> flags_;
  std::string error_;
};

// Parses decimal or 0x-prefixed hexadecimal, with an optional minus sign.
std::optional<long> ParseNumber(const std::string& text);

}  // namespace rer::cli
