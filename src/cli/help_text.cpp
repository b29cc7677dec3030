#include "cli/help_text.h"

#include <algorithm>

#include "cli/exit_codes.h"

namespace rer::cli {
namespace {

constexpr std::size_t kTextWidth = 79;

// `text` broken into lines of at most kTextWidth columns, each indented by
// `indent` blanks (words longer than a line stay whole). `lead`, when given,
// takes the first line's indent: "  1  " before an exit code's meaning.
void PrintWrapped(std::ostream& out, std::string_view text, std::size_t indent,
                  std::string_view lead = {}) {
  std::size_t column = 0;
  bool lineHasWord = false;
  const auto startLine = [&](std::string_view first) {
    out << first << std::string(indent > first.size() ? indent - first.size() : 0, ' ');
    column = std::max(indent, first.size());
    lineHasWord = false;
  };
  startLine(lead);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    if (lineHasWord && column + 1 + word.size() > kTextWidth) {
      out << "\n";
      startLine({});
    }
    if (lineHasWord) {
      out << ' ';
      ++column;
    }
    out << word;
    column += word.size();
    lineHasWord = true;
  }
  out << "\n";
}

void PrintExitCodes(std::ostream& out) {
  out << "exit codes:\n";
  for (const ExitCodeHelp& exit : kExitCodes) {
    PrintWrapped(out, exit.meaning, 5, "  " + std::to_string(exit.code) + "  ");
  }
}

// Text escaped for troff: backslashes and minus signs, and a control
// character at the start of a line.
std::string Troff(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\') {
      escaped += "\\e";
    } else if (c == '-') {
      escaped += "\\-";
    } else {
      escaped += c;
    }
  }
  if (!escaped.empty() && (escaped.front() == '.' || escaped.front() == '\'')) {
    escaped.insert(0, "\\&");
  }
  return escaped;
}

std::string ManCommands() {
  std::string page;
  for (const CommandEntry& command : Commands()) {
    page += ".SS " + Troff(command.name) + "\n";
    page += ".B rer\\-cli " + Troff(command.name) + "\n" + Troff(command.arguments) + "\n";
    page += ".PP\n" + Troff(command.summary) + "\n";
    for (const CommandOption& option : command.options) {
      page += ".TP\n.B " + Troff(option.form) + "\n" + Troff(option.text) + "\n";
    }
  }
  return page;
}

std::string ManExitStatus() {
  std::string page;
  for (const ExitCodeHelp& exit : kExitCodes) {
    page += ".TP\n.B " + std::to_string(exit.code) + "\n" + Troff(exit.meaning) + "\n";
  }
  return page;
}

std::string ManExamples() {
  std::string page;
  for (const CommandEntry& command : Commands()) {
    for (const char* example : command.examples) {
      page += ".PP\n.nf\n" + Troff(example) + "\n.fi\n";
    }
  }
  return page;
}

void Replace(std::string& text, std::string_view marker, const std::string& by) {
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + by.size())) {
    text.replace(at, marker.size(), by);
  }
}

}  // namespace

void PrintCommandList(std::ostream& out) {
  out << "usage: rer-cli COMMAND [ARGS]\ncommands:\n";
  for (const CommandEntry& command : Commands()) out << "  " << command.Usage() << "\n";
  out << "'rer-cli help COMMAND' describes a command and its options; 'rer-cli --version' "
         "prints the version.\n";
  PrintExitCodes(out);
}

void PrintCommandHelp(std::ostream& out, const CommandEntry& command) {
  out << "usage: rer-cli " << command.Usage() << "\n\n";
  PrintWrapped(out, command.summary, 0);
  if (!command.options.empty()) {
    out << "\noptions:\n";
    for (const CommandOption& option : command.options) {
      out << "  " << option.form << "\n";
      PrintWrapped(out, option.text, 6);
    }
  }
  if (!command.examples.empty()) {
    out << "\nexamples:\n";
    for (const char* example : command.examples) out << "  " << example << "\n";
  }
  out << "\n";
  PrintExitCodes(out);
}

std::string ManPage(std::string_view manTemplate, std::string_view version,
                    std::string_view releaseDate) {
  std::string page(manTemplate);
  Replace(page, "@VERSION@", std::string(version));
  Replace(page, "@RELEASE_DATE@", std::string(releaseDate));
  // Each section ends where its marker's line ends.
  const auto section = [](std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  };
  Replace(page, "@COMMANDS@", section(ManCommands()));
  Replace(page, "@EXIT_STATUS@", section(ManExitStatus()));
  Replace(page, "@EXAMPLES@", section(ManExamples()));
  return page;
}

}  // namespace rer::cli
