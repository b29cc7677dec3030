#include "app/program_options.h"

#include <QCommandLineParser>

#include "app/platform/simulated_pager_port.h"
#include "rer_version.h"

namespace rer {
namespace {

constexpr char kSimulate[] = "simulate";
constexpr char kSimulateWithModel[] = "--simulate=";
constexpr char kReadOnStart[] = "read-on-start";
constexpr char kScreenshots[] = "screenshots";

// The options as the parser knows them. --simulate takes its model only in
// the "--simulate=MODEL" form, which the parser has no notion of; that form
// is taken apart before parsing.
void DescribeOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      "RER programs paging receivers: read a pager in its cradle, edit its settings, and program "
      "them back into it or into a run of pagers.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption(
      kSimulate,
      "Serve a simulated pager on a pseudo-terminal and use it as this run's port. "
      "--simulate=MODEL gives its model code in hexadecimal (default 84; e.g. C0)."));
  parser.addOption(QCommandLineOption(kReadOnStart, "Read the pager (F3) once the window is up."));
  parser.addOption(QCommandLineOption(
      kScreenshots, "Read the pager, write one picture of each page into <folder>, and end.",
      "folder"));
}

}  // namespace

ProgramOptions ParseProgramOptions(const QStringList& arguments) {
  ProgramOptions options;
  QStringList words{QStringLiteral("rer")};
  QString model;
  for (const QString& word : arguments) {
    if (word.startsWith(kSimulateWithModel)) {
      model = word.mid(static_cast<qsizetype>(sizeof(kSimulateWithModel) - 1));
      if (model.isEmpty()) {
        options.error = "--simulate= needs a pager model";
        return options;
      }
      words << QStringLiteral("--") + kSimulate;
    } else {
      words << word;
    }
  }

  QCommandLineParser parser;
  DescribeOptions(parser);
  const bool parsed = parser.parse(words);
  options.showHelp = parser.isSet(QStringLiteral("help"));
  options.showVersion = parser.isSet(QStringLiteral("version"));
  if (!parsed) {
    options.error = parser.errorText();
    return options;
  }
  if (!parser.positionalArguments().isEmpty()) {
    options.error = "unexpected argument: " + parser.positionalArguments().front();
    return options;
  }
  if (parser.isSet(kSimulate)) {
    const auto code = ParseSimulatedModel(model.toStdString());
    if (!code) {
      options.error = "not a pager model: " + model;
      return options;
    }
    options.simulate = true;
    options.simulatedModel = *code;
  }
  options.readOnStart = parser.isSet(kReadOnStart);
  if (parser.isSet(kScreenshots)) {
    options.screenshotsFolder = parser.value(kScreenshots);
    options.readOnStart = true;
  }
  return options;
}

QString ProgramHelpText() {
  QCommandLineParser parser;
  DescribeOptions(parser);
  return parser.helpText();
}

QString ProgramVersionText() {
  return QStringLiteral("rer ") + kProgramVersion;
}

}  // namespace rer
